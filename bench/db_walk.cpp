// Opening the database and walking a large project through the
// master/detail chain: 50 floors x 4 units x 10 spaces x 6 surfaces.
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Project {
    QTemporaryDir dir;
    Project()
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        pf::db::Database db;
        db.setDirectory(dir.path());
        db.open();
        db.transaction([&] {
            db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME, SHAHR) values (1, 'big', 'tehran')"));
            for (int f = 0; f < 50; ++f)
                for (int u = 1; u <= 4; ++u) {
                    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa,Sf) values (1,1,?,?,10,10)"),
                            {f, u});
                    for (int s = 1; s <= 10; ++s) {
                        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,A_,Ti_) "
                                               "values (1,1,?,?,'room',?,120,70)"),
                                {f, u, s});
                        for (int k = 0; k < 6; ++k)
                            db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,"
                                                   "Id_jedar,Id_njedar,Id_gjedar,Masa1,Z_1,To_,Ti_) "
                                                   "values (1,1,?,?,?,'ديوار',0,1,?,100,0.3,10,70)"),
                                    {f, u, s, k % 8});
                    }
                }
        });
    }
};

Project &project()
{
    static Project p;
    return p;
}

void BM_WalkChain(benchmark::State &state)
{
    Project &p = project();
    TDM1 dm;
    int64_t fields = 0;
    for (auto _ : state) {
        dm.Database1->setDirectory(p.dir.path());
        dm.Database1->open();
        dm.Table1->open();
        dm.Table3->open();
        dm.Table4->open();
        dm.Table5->open();
        double sum = 0;
        for (dm.Table3->first(); !dm.Table3->eof(); dm.Table3->next()) {
            for (int i = 0; i < dm.Table3->fieldCount(); ++i, ++fields)
                sum += dm.Table3->fields(i).asString().size();
            for (dm.Table4->first(); !dm.Table4->eof(); dm.Table4->next()) {
                for (int i = 0; i < dm.Table4->fieldCount(); ++i, ++fields)
                    sum += dm.Table4->fields(i).asString().size();
                for (dm.Table5->first(); !dm.Table5->eof(); dm.Table5->next())
                    for (int i = 0; i < dm.Table5->fieldCount(); ++i, ++fields)
                        sum += dm.Table5->fields(i).asString().size();
            }
        }
        benchmark::DoNotOptimize(sum);
        dm.Database1->close();
    }
    state.counters["fields/s"] = benchmark::Counter(double(fields), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WalkChain)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
