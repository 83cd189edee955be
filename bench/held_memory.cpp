// What the program holds of the memory it freed, each case in a fresh
// process of its own that keeps freed memory as the programs do
// (pf::sys::keepFreedMemory):
//   BM_HeldMemory/0   1,000 blocks of 1 MiB allocated, written, and all but
//                     the last freed again
//   BM_HeldMemory/1   a report of 3,000 pages (a booklet's tables: 1,150
//                     items a page, some 90,000 distinct numbers, lines
//                     between the cells) made, saved to a report file
//                     on the save's threads, and dropped
// Counters, after the case: "held_MiB" what the allocator holds from the
// system (mallinfo2's arena and mmapped bytes, every thread's arena), of it
// "free_MiB" freed and kept, and "rss_MiB" the resident size; "plain_MiB"
// the held figure of a process whose allocator keeps its defaults, and
// "above_plain_MiB" what the program's way of keeping costs beside it.
#include "platform/report/Document.h"
#include "platform/report/ReportFile.h"
#include "platform/system/Memory.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return -1;
}

void freedBlocks()
{
    std::vector<char *> blocks;
    for (int i = 0; i < 1000; ++i) {
        char *b = static_cast<char *>(std::malloc(1 << 20));
        std::memset(b, i, 1 << 20);
        blocks.push_back(b);
    }
    for (int i = 0; i + 1 < 1000; ++i)
        std::free(blocks[i]);
    benchmark::DoNotOptimize(blocks.back()[12345]);
}

void largeReport(const QString &file)
{
    using namespace pf::report;
    Document doc;
    doc.pageSizeMm = QSizeF(210, 297);
    const ReportFont font{QStringLiteral("DejaVu Sans"), 9, false, false, Qt::black};
    for (int p = 0; p < 3000; ++p) {
        Page page;
        for (int row = 0; row < 46; ++row) {
            const double y = 40 + 22 * row;
            for (int col = 0; col < 12; ++col) {
                const double x = 30 + 58 * col;
                page.items.push_back(TextRun{QString::number((p * 7 + row * 13 + col) % 900) +
                                                 QStringLiteral(".%1").arg((p + row * col) % 100),
                                             font, Qt::LeftToRight, Qt::AlignRight, QRectF(x, y, 56, 20)});
                page.items.push_back(LineItem{QPointF(x, y + 21), QPointF(x + 58, y + 21), 0.5, Qt::black});
            }
            page.items.push_back(LineItem{QPointF(30, y), QPointF(726, y), 0.5, Qt::black});
        }
        doc.pages.push_back(page);
    }
    saveDocument(doc, file);
}

// The child side: runs one case and prints what is held after it.
int childMain(int task)
{
    QTemporaryDir dir;
    if (task == 0)
        freedBlocks();
    else
        largeReport(dir.filePath(QStringLiteral("large.QRP")));
    const struct mallinfo2 m = mallinfo2();
    std::printf("%.3f %.3f %.3f\n", double(m.arena + m.hblkhd) / (1 << 20), double(m.fordblks) / (1 << 20),
                residentMiB());
    return 0;
}

struct Held {
    double held = -1, free = -1, rss = -1;
};

Held runChild(int task, bool keep)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), QString::number(task), keep ? QStringLiteral("keep") : QStringLiteral("plain")});
    child.waitForFinished(600000);
    Held h;
    std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf", &h.held, &h.free, &h.rss);
    return h;
}

void BM_HeldMemory(benchmark::State &state)
{
    const int task = int(state.range(0));
    Held h, plain;
    for (auto _ : state) {
        h = runChild(task, true);
        plain = runChild(task, false);
    }
    state.SetLabel(task == 0 ? "1,000 blocks of 1 MiB, all but the last freed" : "3,000-page report made, saved, dropped");
    state.counters["held_MiB"] = h.held;
    state.counters["free_MiB"] = h.free;
    state.counters["rss_MiB"] = h.rss;
    state.counters["plain_MiB"] = plain.held;
    state.counters["above_plain_MiB"] = h.held - plain.held;
}
BENCHMARK(BM_HeldMemory)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        if (std::strcmp(argv[3], "keep") == 0)
            pf::sys::keepFreedMemory();
        QCoreApplication app(argc, argv);
        return childMain(std::atoi(argv[2]));
    }
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
