#include "boravest/data/ExamfzStore.h"

#include <QHash>
#include <QVariant>

namespace bv::data {

namespace {

const QString kFile = QStringLiteral("Examfz.DB");

QVariant textOrNull(const QString &s)
{
    return s.isEmpty() ? QVariant() : QVariant(s);
}

} // namespace

void refillExamfz(pf::db::Database &db, const std::vector<ExamfzRow> &rows)
{
    // The file's own spelling of each column, by its lower-case name.
    QHash<QString, QString> columns;
    for (const auto &f : db.fieldDefs(kFile))
        columns.insert(f.name.toLower(), f.name);

    // Files are attached before the transaction opens.
    const QString table = db.attachTable(kFile);
    db.transaction([&] {
        db.exec(QStringLiteral("delete from %1").arg(table));
        for (const ExamfzRow &r : rows) {
            const std::pair<const char *, QVariant> values[] = {
                {"No", r.No > 0 ? QVariant(r.No) : QVariant()},
                {"Shproje", textOrNull(r.Shproje)},
                {"NameT", textOrNull(r.NameT)},
                {"Shvahed", textOrNull(r.Shvahed)},
                {"Faza", textOrNull(r.Faza)},
                {"Ti_", textOrNull(r.Ti_)},
                {"Barh", textOrNull(r.Barh)},
                {"Z_ts", textOrNull(r.Z_ts)},
                {"s_hararat", textOrNull(r.s_hararat)},
                {"T_Pare", textOrNull(r.T_Pare)},
                {"Tol_Pare", textOrNull(r.Tol_Pare)},
                {"hjm_Ab", textOrNull(r.hjm_Ab)},
                {"Vazn_Rad", textOrNull(r.Vazn_Rad)},
                {"size_Rad", textOrNull(r.size_Rad)},
                {"debi", textOrNull(r.debi)},
            };
            QStringList names, marks;
            QVariantList binds;
            for (const auto &[name, value] : values) {
                const auto it = columns.constFind(QString::fromLatin1(name).toLower());
                if (it == columns.constEnd() || value.isNull())
                    continue;
                names << *it;
                marks << QStringLiteral("?");
                binds << value;
            }
            if (names.isEmpty())
                db.exec(QStringLiteral("insert into %1 default values").arg(table));
            else
                db.exec(QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                        binds);
        }
    });
}

} // namespace bv::data
