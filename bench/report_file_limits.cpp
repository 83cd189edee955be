// The worst report files within the limits of a report file, opened and
// their page painted as the preview shows it, and the file of pictures that
// unpack to gigabytes refused.
//   BM_WorstPage/K        opening a file of one page (the time) and painting
//                         that page through the preview's layout cache at
//                         zoom 0.25 and 1 ("paint_ms"), for the worst pages:
//                           0 two texts as long as may be, 100,000
//                             characters each, in large type
//                           1 as many texts as a page may hold:
//                             10,000 texts of 20 characters, each of its
//                             own, in as many styles as a page may show
//                             (32)
//                           2 pictures as large as the file's pictures may
//                             take decoded together (one of 5,600 x 5,600
//                             pixels, 120 MiB, a few kilobytes packed),
//                             on the page
//                         "decoded_MiB" is what the pictures took decoded,
//                         "layouts" and "kept_chars" what the cache keeps
//                         after painting
//   BM_PictureBomb        16 such pictures on one page (2 GB decoded): the
//                         file refused, "decoded_MiB" what it decoded first
//   BM_PeakMemory/K       separate processes, each measuring its own peak
//                         resident size (VmHWM) around one task: opening and
//                         painting the worst page K (0 to 2), and (3) the
//                         refusal of the picture bomb
#include "CraftedFiles.h"
#include "PeakMemory.h"
#include "platform/report/Document.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace pf::report;
using namespace benchfiles;

namespace {

// A version 2 file of one page showing `pictures` pictures of 5,600 x
// 5,600 zeros across the page.
QByteArray pictureFile(quint32 pictures)
{
    static const QByteArray png = clearPng(5600, 5600);
    std::vector<quint32> shown;
    std::vector<std::array<double, 4>> rects;
    for (quint32 i = 0; i < pictures; ++i) {
        shown.push_back(i);
        rects.push_back({38.0, 38.0 + i, 718.0, 1047.0});
    }
    return picturesFile(png, pictures, shown, rects);
}

// The bytes of the worst page K.
QByteArray worstFile(int kind)
{
    const ReportFileLimits limits;
    if (kind == 2) {
        const qint64 each = qint64(5600) * 5600 * 4;
        return pictureFile(quint32(limits.maxImageBytes / each));
    }
    Document doc;
    Page page;
    if (kind == 0) {
        for (int i = 0; i < 2; ++i)
            page.items.push_back(TextRun{QString(limits.maxTextLength, QChar(0x0645 + i)),
                                         ReportFont{QStringLiteral("Titr"), 72.0}, Qt::RightToLeft, Qt::AlignRight,
                                         QRectF(38, 38 + 150 * i, 718, 120)});
    } else {
        const int n = limits.maxTextsPerPage;
        const int length = limits.maxPageTextLength / n;
        for (int i = 0; i < n; ++i) {
            QString text(length, QChar(0x0627 + i % 20));
            text[0] = QChar(0x06F0 + i % 10);
            text[1] = QChar(0x06F0 + (i / 10) % 10);
            text[2] = QChar(0x06F0 + (i / 100) % 10);
            text[3] = QChar(0x06F0 + (i / 1000) % 10);
            text[4] = QChar(0x06F0 + (i / 10000) % 10);
            const int style = i % limits.maxStylesPerPage;
            page.items.push_back(TextRun{text, ReportFont{style % 2 ? QStringLiteral("Titr") : QStringLiteral("Traffic"),
                                                          6.0 + style / 4.0, bool(style % 4 / 2)},
                                         Qt::RightToLeft, Qt::AlignRight,
                                         QRectF(38 + (i % 10) * 70, 38 + (i / 10) % 100 * 10, 70, 10)});
        }
    }
    doc.pages.push_back(page);
    return encodeDocument(doc);
}

QString worstPath(int kind)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("worst-%1.QRP").arg(kind));
    if (!QFile::exists(path)) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(kind == 3 ? pictureFile(16) : worstFile(kind));
    }
    return path;
}

// Paints page 1 as the preview does, at the preview's zooms; seconds.
double paintFirstPage(const Document &doc, PaintCache &cache)
{
    QElapsedTimer clock;
    clock.start();
    for (double zoom : {0.25, 1.0}) {
        const QSizeF px = doc.pageSizePx() * zoom;
        QImage image(px.toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter p(&image);
        p.scale(zoom, zoom);
        paintPage(p, doc.pages[0], &cache);
    }
    return double(clock.nsecsElapsed()) / 1e9;
}

void BM_WorstPage(benchmark::State &state)
{
    const QString path = worstPath(int(state.range(0)));
    double paintSeconds = 0;
    qint64 decoded = 0;
    int layouts = 0;
    qint64 kept = 0;
    for (auto _ : state) {
        const qint64 before = decodedPictureBytes();
        const Document doc = loadDocument(path);
        decoded = decodedPictureBytes() - before;
        state.PauseTiming();
        PaintCache cache;
        paintSeconds = paintFirstPage(doc, cache);
        layouts = cache.layoutCount();
        kept = cache.characterCount();
        state.ResumeTiming();
    }
    state.counters["paint_ms"] = paintSeconds * 1000;
    state.counters["decoded_MiB"] = double(decoded) / (1 << 20);
    state.counters["layouts"] = layouts;
    state.counters["kept_chars"] = double(kept);
    state.counters["file_bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_WorstPage)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PictureBomb(benchmark::State &state)
{
    const QString path = worstPath(3);
    bool refused = false;
    qint64 decoded = 0;
    for (auto _ : state) {
        const qint64 before = decodedPictureBytes();
        try {
            loadDocument(path);
        } catch (const ReportFileError &) {
            refused = true;
        }
        decoded = decodedPictureBytes() - before;
    }
    state.counters["refused"] = refused ? 1 : 0;
    state.counters["decoded_MiB"] = double(decoded) / (1 << 20);
    state.counters["file_bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_PictureBomb)->Unit(benchmark::kMillisecond)->Iterations(3);

// ---------------------------------------------------------------- peak memory

void BM_PeakMemory(benchmark::State &state)
{
    const int kind = int(state.range(0));
    const QString path = worstPath(kind);
    double before = -1, after = -1, seconds = -1;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), path});
        child.waitForFinished(600000);
        std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lf", &before, &after, &seconds);
    }
    state.SetLabel(kind == 3 ? "picture bomb refused" : "worst page opened and painted");
    state.counters["peak_MiB"] = after / 1024;
    state.counters["task_MiB"] = (after - before) / 1024;
    state.counters["task_s"] = seconds;
}
BENCHMARK(BM_PeakMemory)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(1);

// The child side: opens the file and paints its first page; prints
// "peak-before peak-after seconds".
int childMain(const QString &path)
{
    const double before = peakKiB();
    QElapsedTimer clock;
    clock.start();
    try {
        const Document doc = loadDocument(path);
        PaintCache cache;
        paintFirstPage(doc, cache);
    } catch (const ReportFileError &) {
    }
    std::printf("%.0f %.0f %.4f\n", before, peakKiB(), double(clock.nsecsElapsed()) / 1e9);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    pf::ui::installPersianFonts();
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return childMain(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
