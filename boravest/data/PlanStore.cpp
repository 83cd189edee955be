#include "boravest/data/PlanStore.h"

#include "boravest/data/Stores.h"
#include "boravest/data/TableSchemas.h"
#include "platform/common/Numbers.h"


#include <cmath>

namespace bv::data::stores {

using pf::db::Database;

namespace {

// The stored columns of a table but its row counter, in file order.
QStringList copiedColumns(const char *table)
{
    QStringList names;
    for (const auto &f : schema::tableDef(QLatin1String(table) + QStringLiteral(".DB"))->fields)
        if (f.type != pf::db::FieldType::AutoInc)
            names << f.name;
    return names;
}

QString quotedList(const QStringList &names)
{
    QStringList q;
    for (const auto &n : names)
        q << QLatin1Char('"') + n + QLatin1Char('"');
    return q.join(QLatin1Char(','));
}

// Copies the rows of one table on the source floor that `where` keeps to the
// target floor, in one statement, in the order of the floor's index (so the
// table numbers them as a row-by-row copy would).
qint64 copyRows(Database &db, const char *table, const char *order, const QString &where, const FloorCopy &c,
                const Step &step)
{
    const QStringList columns = copiedColumns(table);
    QStringList values;
    for (const QString &col : columns)
        values << (col == QLatin1String("Shsk") ? QStringLiteral(":project")
                   : col == QLatin1String("Tabage") ? QStringLiteral(":to")
                                                    : QLatin1Char('"') + col + QLatin1Char('"'));
    const qint64 n = db.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %1 WHERE Shproje = :project AND "
                                            "Tabage = :from%4 ORDER BY %5, No")
                                 .arg(QLatin1String(table), quotedList(columns), values.join(QLatin1Char(',')), where,
                                      QLatin1String(order)),
                             pf::db::ParamValues{{QStringLiteral("project"), c.project},
                                                 {QStringLiteral("from"), c.fromFloor},
                                                 {QStringLiteral("to"), c.toFloor}});
    if (step)
        step();
    return n;
}

void run(Database &db, const QString &sql, const QVariantList &binds, const Step &step)
{
    db.exec(sql, binds);
    if (step)
        step();
}

} // namespace

std::optional<int> parseTargetFloor(const QString &text)
{
    double v = 0;
    if (!pf::strToFloat(text, &v) || v != std::floor(v) || v < kLowestFloor || v > kHighestFloor)
        return std::nullopt;
    return static_cast<int>(v);
}

CopyResult copyFloorPlan(Database &db, const FloorCopy &c, const Step &step)
{
    CopyResult result;
    if (c.toFloor != std::floor(c.toFloor) || c.toFloor < kLowestFloor || c.toFloor > kHighestFloor) {
        result.outcome = CopyOutcome::BadFloor;
        return result;
    }
    // The spaces of the floor's units, and the surfaces of those spaces:
    // rows that hang on nothing of the floor are not copied.
    const QString unitsOfFloor =
        QStringLiteral("SELECT Shvahed FROM bankvh WHERE Shproje = :project AND Tabage = :from");
    const QString spaceOfFloor = QStringLiteral(" AND Shvahed IN (%1)").arg(unitsOfFloor);
    const QString surfaceOfFloor =
        QStringLiteral(" AND (Shvahed, CodeFaza) IN (SELECT Shvahed, Codefaza FROM bankfz WHERE Shproje = :project "
                       "AND Tabage = :from AND Shvahed IN (%1))")
            .arg(unitsOfFloor);
    db.transaction(unitNumberFiles(), [&] {
        if (!db.select(QStringLiteral("SELECT 1 FROM bankvh WHERE Shproje = ? AND Tabage = ? LIMIT 1"),
                       {c.project, c.toFloor})
                 .rows.isEmpty()) {
            result.outcome = CopyOutcome::TargetExists;
            return;
        }
        result.units = int(copyRows(db, "bankvh", "Shsk, Shvahed", QString(), c, step));
        if (result.units == 0) {
            result.outcome = CopyOutcome::SourceMissing;
            return;
        }
        result.spaces = int(copyRows(db, "bankfz", "Shsk, Shvahed, Codefaza", spaceOfFloor, c, step));
        result.surfaces = int(copyRows(db, "bankjd", "Shsk, Shvahed, CodeFaza", surfaceOfFloor, c, step));
        result.outcome = CopyOutcome::Copied;
    });
    return result;
}

const QStringList &planDeleteFiles()
{
    return projectNumberFiles();
}

void deleteProject(Database &db, double project, const Step &step)
{
    db.transaction(planDeleteFiles(), [&] {
        for (const char *table : {"bankjd", "bankfz", "bankvh", "Tajhizat", "TypMas"})
            run(db, QStringLiteral("DELETE FROM %1 WHERE Shproje = ?").arg(QLatin1String(table)), {project}, step);
        run(db, QStringLiteral("DELETE FROM Bank1 WHERE SHPROJE = ?"), {project}, step);
    });
}

void deleteFloor(Database &db, double project, double floor, const Step &step)
{
    db.transaction(unitNumberFiles(), [&] {
        for (const char *table : {"bankjd", "bankfz", "bankvh"})
            run(db, QStringLiteral("DELETE FROM %1 WHERE Shproje = ? AND Tabage = ?").arg(QLatin1String(table)),
                {project, floor}, step);
    });
}

void deleteUnit(Database &db, double project, double floor, double unit, const Step &step)
{
    db.transaction(unitNumberFiles(), [&] {
        for (const char *table : {"bankjd", "bankfz", "bankvh"})
            run(db,
                QStringLiteral("DELETE FROM %1 WHERE Shproje = ? AND Tabage = ? AND Shvahed = ?")
                    .arg(QLatin1String(table)),
                {project, floor, unit}, step);
    });
}

void deleteSpace(Database &db, double project, double floor, double unit, double code, const Step &step)
{
    db.transaction(spaceFiles(), [&] {
        for (const char *table : {"bankjd", "bankfz"})
            run(db,
                QStringLiteral("DELETE FROM %1 WHERE Shproje = ? AND Tabage = ? AND Shvahed = ? AND Codefaza = ?")
                    .arg(QLatin1String(table)),
                {project, floor, unit, code}, step);
    });
}

void deleteSurface(Database &db, qint64 no, const Step &step)
{
    db.transaction(QStringList{QStringLiteral("bankjd.DB")},
                   [&] { run(db, QStringLiteral("DELETE FROM bankjd WHERE No = ?"), {no}, step); });
}

} // namespace bv::data::stores
