// Copying a floor plan of 60 units, 1,200 spaces and 30,000 surfaces to a
// new floor number. BM_CopyFloorFloor copies the same rows with one plain
// INSERT ... SELECT per table in one transaction straight through SQLite:
// the floor the copy is measured against. BM_CopyLargeFloor copies a floor
// plan of 900,000 surfaces; "sqlite_peak_MiB" is the most memory the engine
// held at once during the copy (its caches, its temporary storage).
#include "boravest/data/PlanStore.h"
#include "boravest/data/TableSchemas.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>

namespace {

struct Project {
    QTemporaryDir dir;
    pf::db::Database db;
    // perSpace surfaces in every space; floors 1 and 2, or floor 1 alone.
    explicit Project(int perSpace = 25, bool beside = true)
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        db.setDirectory(dir.path());
        db.open();
        db.transaction([&] {
            db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (1, 'big')"));
            // The floor copied, and a floor beside it that stays.
            for (int floor = 1; floor <= (beside ? 2 : 1); ++floor)
                for (int u = 1; u <= 60; ++u) {
                    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa,Sf) values (1,1,?,?,10,10)"),
                            {floor, u});
                    for (int s = 1; s <= 20; ++s) {
                        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,A_,Ti_) "
                                               "values (1,1,?,?,'room',?,120,70)"),
                                {floor, u, s});
                        for (int k = 0; k < perSpace; ++k)
                            db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,"
                                                   "Id_jedar,Id_njedar,Id_gjedar,Masa1,Z_1,To_,Ti_) "
                                                   "values (1,1,?,?,?,'ديوار',0,1,?,100,0.3,10,70)"),
                                    {floor, u, s, k % 8});
                    }
                }
        });
    }
    void dropCopy()
    {
        db.transaction({QStringLiteral("bankvh.DB"), QStringLiteral("bankfz.DB"), QStringLiteral("bankjd.DB")}, [&] {
            for (const char *t : {"bankvh", "bankfz", "bankjd"})
                db.exec(QStringLiteral("delete from %1 where Tabage = 3").arg(QLatin1String(t)));
        });
    }
};

Project &project()
{
    static Project p;
    return p;
}

void BM_CopyFloor(benchmark::State &state)
{
    Project &p = project();
    for (auto _ : state) {
        const auto r = bv::data::stores::copyFloorPlan(p.db, {1, 1, 3});
        if (r.surfaces != 30000)
            state.SkipWithError("not every surface was copied");
        state.PauseTiming();
        p.dropCopy();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CopyFloor)->Unit(benchmark::kMillisecond);

void BM_CopyLargeFloor(benchmark::State &state)
{
    static Project p(750, false);
    double peak = 0;
    for (auto _ : state) {
        sqlite3_memory_highwater(1);
        const auto r = bv::data::stores::copyFloorPlan(p.db, {1, 1, 3});
        peak = std::max(peak, double(sqlite3_memory_highwater(1)) / (1 << 20));
        if (r.surfaces != 900000)
            state.SkipWithError("not every surface was copied");
        state.PauseTiming();
        p.dropCopy();
        state.ResumeTiming();
    }
    state.counters["sqlite_peak_MiB"] = peak;
}
BENCHMARK(BM_CopyLargeFloor)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CopyFloorFloor(benchmark::State &state)
{
    Project &p = project();
    p.db.close();
    const QByteArray main = QDir(p.dir.path()).filePath(QStringLiteral("~bench.tmp")).toUtf8();
    sqlite3 *db = nullptr;
    sqlite3_open(main.constData(), &db);
    pf::db::registerPersianCollation(db);
    for (const char *t : {"bankvh", "bankfz", "bankjd"}) {
        const QByteArray sql = QStringLiteral("ATTACH '%1' AS %2")
                                   .arg(QDir(p.dir.path()).filePath(QLatin1String(t) + QStringLiteral(".DB")),
                                        QLatin1String(t))
                                   .toUtf8();
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    // Every stored column but the row counter, the floor and Shsk as the
    // copy writes them.
    auto insert = [](const char *table) {
        QStringList cols, values;
        for (const auto &f : schema::tableDef(QLatin1String(table) + QStringLiteral(".DB"))->fields) {
            if (f.type == pf::db::FieldType::AutoInc)
                continue;
            cols << QLatin1Char('"') + f.name + QLatin1Char('"');
            values << (f.name == QLatin1String("Tabage") ? QStringLiteral("3")
                       : f.name == QLatin1String("Shsk") ? QStringLiteral("1")
                                                         : cols.last());
        }
        return QStringLiteral("INSERT INTO %1.%1 (%2) SELECT %3 FROM %1.%1 WHERE Shproje = 1 AND Tabage = 1;")
            .arg(QLatin1String(table), cols.join(u','), values.join(u','));
    };
    const QByteArray copy =
        (QStringLiteral("BEGIN;") + insert("bankvh") + insert("bankfz") + insert("bankjd") + QStringLiteral("COMMIT;"))
            .toUtf8();
    const QByteArray drop = "BEGIN; DELETE FROM bankvh.bankvh WHERE Tabage = 3; DELETE FROM bankfz.bankfz WHERE Tabage = 3;"
                            "DELETE FROM bankjd.bankjd WHERE Tabage = 3; COMMIT;";
    for (auto _ : state) {
        if (sqlite3_exec(db, copy.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            state.SkipWithError(sqlite3_errmsg(db));
        state.PauseTiming();
        sqlite3_exec(db, drop.constData(), nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(db);
    QFile::remove(QString::fromUtf8(main));
    p.db.open();
}
BENCHMARK(BM_CopyFloorFloor)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
