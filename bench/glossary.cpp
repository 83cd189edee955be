// The glossary's look-ups over the shipped terms, walked in the order of the
// Persian meanings as the form walks them: a word near the end of that
// order typed with a non-joiner, and a word that is not there (the whole
// list compared). And the check the start makes on a filled glossary.
#include "boravest/data/GlossaryStore.h"
#include "boravest/data/TableSchemas.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace bv::data::stores;

struct Folder {
    QTemporaryDir dir;
    pf::db::Database db;
    Folder()
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        db.setDirectory(dir.path());
        db.open();
        layShippedGlossary(db);
    }
};

Folder &folder()
{
    static Folder f;
    return f;
}

void lookUp(benchmark::State &state, const QString &typed, bool found)
{
    pf::db::Table words;
    words.setDatabase(&folder().db);
    words.setTableName(QStringLiteral("word.DB"));
    words.setIndexName(QStringLiteral("idxprs"));
    words.open();
    const int field = words.fieldByName(QStringLiteral("Pertion")).index();
    for (auto _ : state) {
        const int row = findGlossaryRow(words, field, typed);
        if ((row >= 0) != found)
            state.SkipWithError("look-up gave the wrong answer");
        benchmark::DoNotOptimize(row);
    }
    state.counters["terms"] = words.recordCount();
}

void BM_LookUpNearTheEnd(benchmark::State &state)
{
    lookUp(state, QStringLiteral("يونيت\u200Cهيتر"), true);
}
BENCHMARK(BM_LookUpNearTheEnd)->Unit(benchmark::kMicrosecond);

void BM_LookUpMissing(benchmark::State &state)
{
    lookUp(state, QStringLiteral("واژه اي كه نيست"), false);
}
BENCHMARK(BM_LookUpMissing)->Unit(benchmark::kMicrosecond);

void BM_StartOnAFilledGlossary(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(layShippedGlossary(folder().db));
}
BENCHMARK(BM_StartOnAFilledGlossary)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
