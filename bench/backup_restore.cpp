// Backup and restore of a data folder with a project of 120 units, 2,400
// spaces and 60,000 surfaces: the copies, their sums, the checks of each
// table and of the joins between them, and the swap. `peak_kib` is the
// growth of the process's peak memory over the first run: the copies and
// sums stream, so it does not grow with the tables.
#include "boravest/data/BackupStore.h"
#include "boravest/data/TableSchemas.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

long peakKib()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

struct Folder {
    QTemporaryDir dir;
    QString data;
    pf::db::Database db;
    Folder()
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        data = QDir(dir.path()).filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        schema::createDataFolder(data);
        db.setDirectory(data);
        db.open();
        db.transaction({QStringLiteral("Bank1.DB"), QStringLiteral("bankvh.DB"), QStringLiteral("bankfz.DB"),
                        QStringLiteral("bankjd.DB")},
                       [&] {
                           db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (1, 'big')"));
                           for (int floor : {1, 2})
                               for (int u = 1; u <= 60; ++u) {
                                   db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (1,1,?,?)"),
                                           {floor, u});
                                   for (int s = 1; s <= 20; ++s) {
                                       db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza) "
                                                              "values (1,1,?,?,'room',?)"),
                                               {floor, u, s});
                                       for (int k = 0; k < 25; ++k)
                                           db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,"
                                                                  "Jedare,Masa1) values (1,1,?,?,?,'ديوار',100)"),
                                                   {floor, u, s});
                                   }
                               }
                       });
    }
    QString chosen() const { return QDir(dir.path()).filePath(QStringLiteral("chosen")); }
};

Folder &folder()
{
    static Folder f;
    return f;
}

void BM_Backup(benchmark::State &state)
{
    Folder &f = folder();
    const long before = peakKib();
    for (auto _ : state)
        if (!bv::data::backup::backupDataFolder(f.data, f.chosen()).ok())
            state.SkipWithError("the backup failed");
    state.counters["peak_kib"] = double(peakKib() - before);
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond);

void BM_Restore(benchmark::State &state)
{
    Folder &f = folder();
    if (!QFileInfo::exists(bv::data::backup::backupTarget(f.chosen())))
        bv::data::backup::backupDataFolder(f.data, f.chosen());
    const long before = peakKib();
    for (auto _ : state)
        if (!bv::data::backup::restoreDataFolder(f.db, bv::data::backup::backupTarget(f.chosen())).ok())
            state.SkipWithError("the restore failed");
    state.counters["peak_kib"] = double(peakKib() - before);
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
