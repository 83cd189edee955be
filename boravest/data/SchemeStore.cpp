#include "boravest/data/SchemeStore.h"

#include "boravest/data/TableSchemas.h"

#include <QStringList>

namespace bv::data::stores {

namespace {

QString colorColumns()
{
    QStringList cols;
    for (const char *f : schema::kColorFields)
        cols << QStringLiteral("\"%1\"").arg(QLatin1String(f));
    return cols.join(u',');
}

} // namespace

ColorScheme defaultColorScheme()
{
    ColorScheme c{};
    for (int i = 0; i < 25; ++i)
        c[size_t(i)] = schema::defaultColor(i);
    return c;
}

recordFont defaultFontScheme()
{
    return {QString::fromLatin1(schema::kDefaultScreenFont), QString::fromLatin1(schema::kDefaultReportFont),
            QString::fromLatin1(schema::kDefaultTitleFont)};
}

ColorScheme loadColorScheme(pf::db::Database &db)
{
    const auto r = db.select(QStringLiteral("SELECT %1 FROM BankColors LIMIT 1").arg(colorColumns()));
    if (r.rows.isEmpty())
        return defaultColorScheme();
    ColorScheme c{};
    for (int i = 0; i < 25; ++i)
        c[size_t(i)] = int32_t(r.rows.first().value(i).toLongLong());
    return c;
}

void saveColorScheme(pf::db::Database &db, const ColorScheme &colors)
{
    QStringList sets, marks;
    QVariantList binds;
    for (int i = 0; i < 25; ++i) {
        sets << QStringLiteral("\"%1\" = ?").arg(QLatin1String(schema::kColorFields[i]));
        marks << QStringLiteral("?");
        binds << colors[size_t(i)];
    }
    db.transaction(QStringList{QStringLiteral("BankColors.DB")}, [&] {
        // The table keeps one row; a table left without one gets it here
        // rather than dropping the scheme silently.
        if (db.exec(QStringLiteral("UPDATE BankColors SET %1").arg(sets.join(u',')), binds) == 0)
            db.exec(QStringLiteral("INSERT INTO BankColors (%1) VALUES (%2)").arg(colorColumns(), marks.join(u',')),
                    binds);
    });
}

recordFont loadFontScheme(pf::db::Database &db)
{
    const auto r = db.select(QStringLiteral("SELECT FldScreenF, FldPrintF, FldPrintFst FROM BankFont LIMIT 1"));
    if (r.rows.isEmpty())
        return defaultFontScheme();
    const auto &row = r.rows.first();
    return {row.value(0).toString(), row.value(1).toString(), row.value(2).toString()};
}

void saveFontScheme(pf::db::Database &db, const recordFont &fonts)
{
    const QVariantList binds{fonts.ScreenFont, fonts.ReportFont, fonts.TitleFont};
    db.transaction(QStringList{QStringLiteral("BankFont.DB")}, [&] {
        if (db.exec(QStringLiteral("UPDATE BankFont SET FldScreenF = ?, FldPrintF = ?, FldPrintFst = ?"), binds) == 0)
            db.exec(QStringLiteral("INSERT INTO BankFont (FldScreenF, FldPrintF, FldPrintFst) VALUES (?, ?, ?)"),
                    binds);
    });
}

} // namespace bv::data::stores
