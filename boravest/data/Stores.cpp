#include "boravest/data/Stores.h"

namespace bv::data::stores {

using pf::db::Database;
using pf::db::DbError;

namespace {

const QString kDuplicate = QStringLiteral("ركورد تكراري است");

// Attaches every file the write needs before the transaction opens (none
// can be attached inside it), then runs the write as one transaction.
void runStore(Database &db, const QStringList &files, const std::function<void()> &write)
{
    db.transaction(files, write);
}

bool exists(Database &db, const QString &sql, const QVariantList &binds)
{
    return !db.select(sql, binds).rows.isEmpty();
}

} // namespace

const QStringList &projectNumberFiles()
{
    static const QStringList files = {QStringLiteral("Bank1.DB"),  QStringLiteral("bankvh.DB"),
                                      QStringLiteral("bankfz.DB"), QStringLiteral("bankjd.DB"),
                                      QStringLiteral("Tajhizat.DB"), QStringLiteral("TypMas.DB")};
    return files;
}

const QStringList &unitNumberFiles()
{
    static const QStringList files = {QStringLiteral("bankvh.DB"), QStringLiteral("bankfz.DB"),
                                      QStringLiteral("bankjd.DB")};
    return files;
}

const QStringList &spaceFiles()
{
    static const QStringList files = {QStringLiteral("bankfz.DB"), QStringLiteral("bankjd.DB")};
    return files;
}

void changeProjectNumber(Database &db, double from, double to, const WithRecord &withRecord)
{
    runStore(db, projectNumberFiles(), [&] {
        if (from != to) {
            if (exists(db, QStringLiteral("SELECT 1 FROM Bank1 WHERE SHPROJE = ?"), {to}))
                throw DbError(kDuplicate);
            db.exec(QStringLiteral("UPDATE Bank1 SET SHPROJE = ? WHERE SHPROJE = ?"), {to, from});
            for (const char *table : {"bankvh", "bankfz", "bankjd"})
                db.exec(QStringLiteral("UPDATE %1 SET Shproje = ?, Shsk = ? WHERE Shproje = ?").arg(QLatin1String(table)),
                        {to, to, from});
            for (const char *table : {"Tajhizat", "TypMas"})
                db.exec(QStringLiteral("UPDATE %1 SET Shproje = ? WHERE Shproje = ?").arg(QLatin1String(table)),
                        {to, from});
        }
        if (withRecord)
            withRecord();
    });
}

void changeUnitNumber(Database &db, const UnitKey &from, double floor, double unit, const WithRecord &withRecord)
{
    const QString where = QStringLiteral(" WHERE Shproje = ? AND Shsk IS ? AND Tabage = ? AND Shvahed = ?");
    runStore(db, unitNumberFiles(), [&] {
        if (floor != from.floor || unit != from.unit) {
            if (exists(db, QStringLiteral("SELECT 1 FROM bankvh") + where, {from.project, from.shsk, floor, unit}))
                throw DbError(kDuplicate);
            for (const char *table : {"bankvh", "bankfz", "bankjd"})
                db.exec(QStringLiteral("UPDATE %1 SET Tabage = ?, Shvahed = ?").arg(QLatin1String(table)) + where,
                        {floor, unit, from.project, from.shsk, from.floor, from.unit});
        }
        if (withRecord)
            withRecord();
    });
}

void saveSpace(Database &db, const SpaceSave &s, const WithRecord &withRecord)
{
    const UnitKey &u = s.unit;
    const QString where =
        QStringLiteral(" WHERE Shproje = ? AND Shsk IS ? AND Tabage = ? AND Shvahed = ? AND CodeFaza = ?");
    runStore(db, spaceFiles(), [&] {
        if (s.oldCode && *s.oldCode != s.code) {
            const double old = *s.oldCode;
            if (exists(db, QStringLiteral("SELECT 1 FROM bankfz") + where, {u.project, u.shsk, u.floor, u.unit, s.code}))
                throw DbError(kDuplicate);
            db.exec(QStringLiteral("UPDATE bankfz SET Codefaza = ?, Faza = ?") + where,
                    {s.code, s.name, u.project, u.shsk, u.floor, u.unit, old});
            db.exec(QStringLiteral("UPDATE bankjd SET CodeFaza = ?") + where,
                    {s.code, u.project, u.shsk, u.floor, u.unit, old});
        }
        db.exec(QStringLiteral("UPDATE bankjd SET Ti_ = ?") + where,
                {s.surfaceTi, u.project, u.shsk, u.floor, u.unit, s.code});
        if (withRecord)
            withRecord();
    });
}

} // namespace bv::data::stores
