#include "boravest/data/PlanStore.h"

#include "boravest/data/Stores.h"
#include "boravest/data/TableSchemas.h"
#include "platform/common/Numbers.h"

#include <QSet>

#include <cmath>

namespace bv::data::stores {

using pf::db::Database;

namespace {

// The stored columns of a table file but its row counter, in file order.
QStringList copiedColumns(const char *file)
{
    QStringList names;
    for (const auto &f : schema::tableDef(QLatin1String(file))->fields)
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

struct TableRows {
    QStringList columns;
    QVector<QVector<QVariant>> rows;
    int col(const char *name) const
    {
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
};

// The rows of one table on the project's floor, in the order of the floor's
// index, read in full before anything is written.
TableRows floorRows(Database &db, const char *table, const char *file, const char *order, double project,
                    double floor)
{
    TableRows t;
    t.columns = copiedColumns(file);
    t.rows = db.select(QStringLiteral("SELECT %1 FROM %2 WHERE Shproje = ? AND Tabage = ? ORDER BY %3, No")
                           .arg(quotedList(t.columns), QLatin1String(table), QLatin1String(order)),
                       {project, floor})
                 .rows;
    return t;
}

QString unitOf(const TableRows &t, const QVector<QVariant> &r)
{
    return pf::floatToStr(r[t.col("Shvahed")].toDouble());
}

QString spaceOf(const TableRows &t, const QVector<QVariant> &r)
{
    return unitOf(t, r) + QLatin1Char('/') + pf::floatToStr(r[t.col("Codefaza")].toDouble());
}

void insertRow(Database &db, const char *table, const TableRows &t, QVector<QVariant> row, double project,
               double toFloor, const Step &step)
{
    row[t.col("Shsk")] = project;
    row[t.col("Tabage")] = toFloor;
    QStringList marks;
    for (int i = 0; i < t.columns.size(); ++i)
        marks << QStringLiteral("?");
    db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(QLatin1String(table), quotedList(t.columns), marks.join(QLatin1Char(','))),
            QVariantList(row.begin(), row.end()));
    if (step)
        step();
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
    db.transaction(unitNumberFiles(), [&] {
        if (!db.select(QStringLiteral("SELECT 1 FROM bankvh WHERE Shproje = ? AND Tabage = ? LIMIT 1"),
                       {c.project, c.toFloor})
                 .rows.isEmpty()) {
            result.outcome = CopyOutcome::TargetExists;
            return;
        }
        const TableRows units = floorRows(db, "bankvh", "bankvh.DB", "Shsk, Shvahed", c.project, c.fromFloor);
        const TableRows spaces = floorRows(db, "bankfz", "bankfz.DB", "Shsk, Shvahed, Codefaza", c.project, c.fromFloor);
        const TableRows surfaces = floorRows(db, "bankjd", "bankjd.DB", "Shsk, Shvahed, CodeFaza", c.project, c.fromFloor);
        if (units.rows.isEmpty()) {
            result.outcome = CopyOutcome::SourceMissing;
            return;
        }
        // Depth first: a unit row, then each of its spaces followed by that
        // space's surfaces. A unit number that appears on two rows still has
        // its spaces copied once.
        QSet<QString> doneUnits;
        for (const auto &u : units.rows) {
            insertRow(db, "bankvh", units, u, c.project, c.toFloor, step);
            ++result.units;
            const QString unit = unitOf(units, u);
            if (doneUnits.contains(unit))
                continue;
            doneUnits.insert(unit);
            for (const auto &s : spaces.rows) {
                if (unitOf(spaces, s) != unit)
                    continue;
                insertRow(db, "bankfz", spaces, s, c.project, c.toFloor, step);
                ++result.spaces;
                const QString space = spaceOf(spaces, s);
                for (const auto &j : surfaces.rows) {
                    if (spaceOf(surfaces, j) != space)
                        continue;
                    insertRow(db, "bankjd", surfaces, j, c.project, c.toFloor, step);
                    ++result.surfaces;
                }
            }
        }
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
