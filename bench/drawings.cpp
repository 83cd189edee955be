// The installation drawings of the equipment booklet and the picture page.
//   BM_DrawAllPictures   every drawing drawn once, as the booklet's pages do
//                        when they are created at start ("items" counts the
//                        drawn items of them all)
//   BM_PicturePageImage  one picture painted for the picture page's frame
#include "boravest/eqbook/Drawings.h"
#include "WidgetBench.h"

#include <benchmark/benchmark.h>


namespace {

void BM_DrawAllPictures(benchmark::State &state)
{
    qsizetype items = 0;
    for (auto _ : state) {
        items = 0;
        for (int i = 0; i < bv::eqbook::kPictureCount; ++i)
            items += bv::eqbook::pictureItems(bv::eqbook::Picture(i)).size();
    }
    state.counters["items"] = double(items);
}
BENCHMARK(BM_DrawAllPictures)->Unit(benchmark::kMillisecond);

void BM_PicturePageImage(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bv::eqbook::pictureImage(bv::eqbook::Picture::PoolCircuit, QSize(350, 494), 2.0));
}
BENCHMARK(BM_PicturePageImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return runWidgetBenchmarks(argc, argv); }
