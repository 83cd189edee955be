// Report files opened as the report printer opens them, each in a fresh
// process of its own: the file loaded into the preview, its first page
// painted as the window shows it at zoom 1, then at zoom 5 a window's worth
// of it (1000 x 700 pixels, as a zoom click repaints it).
//   BM_OpenAndPaint/K     the file K:
//                           0 20,000 lines 1,000 pixels wide across
//                             +-1,000,000 pixels, on one page (a few kB)
//                           1 250,000 filled rectangles, each the whole
//                             page, on one page
//                           2 a 2 x 2 picture carrying 200 packed text
//                             chunks (zTXt) of 4 MiB each (a few kB)
//                           3 a packed file of the first version: 2,000
//                             pages of 1,000 lines
//                           4, 5 the heating-load booklet of 50 floors (621
//                             pages), saved in version 2, and in version 1
//                           6, 7 the same of 800 floors (9,921 pages)
//                           8, 9, 10 the costliest pages to paint that a
//                             file may hold: filled rectangles over the
//                             whole page, a picture stretched over it, and
//                             lines 1 pixel wide across it, each as many
//                             as the page's paint limit lets
//                           11 as many items as a page may hold (250,000),
//                             each a frame of a pixel, strewn over it
//                         open_ms the load, paint_ms the first page at zoom
//                         1, zoom_ms the repaint at zoom 5; peak_MiB the
//                         process's peak resident size (VmHWM), task_MiB
//                         that above the peak before the load, held_MiB
//                         the resident size while the file is open;
//                         refused 1 when the file was refused (the label
//                         gives the message's first line and reason),
//                         2 when memory ran out (each process may take
//                         8 GiB of address space)
//   BM_PagePixels/K       booklet K (4 to 6 as above): every page painted
//                         as the window paints it, at zoom 1 and 2; the
//                         label is a digest of all the pixels, to compare
//                         one build's painting with another's
// `bench_report_files --pixels FILE` prints such digests of every page of
// the file, page by page; `--write K FILE` writes the file K (to open it in
// the report printer, say).
#include "BookletProject.h"
#include "CraftedFiles.h"
#include "PeakMemory.h"
#include "platform/report/Preview.h"
#include "platform/report/ReportFile.h"
#include "platform/system/Memory.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

using namespace pf::report;
using namespace benchfiles;

namespace {

// A 2 x 2 picture (8-bit RGBA) carrying 200 zTXt chunks of 4 MiB of text
// each, and a version 2 file of one page showing it, its sections packed.
QByteArray textChunkPictureFile()
{
    return picturesFile(clearPng(2, 2, textChunks(200)), 1, {0}, {{100.0, 100.0, 200.0, 200.0}}, true);
}

Document onePage(int items, const DrawItem &item)
{
    Document doc;
    Page page;
    page.items.fill(item, items);
    doc.pages.push_back(page);
    return doc;
}

// Beyond the limits of a file: the crafted files are written as they are.
QByteArray encodeAnyway(const Document &doc)
{
    ReportFileLimits roomy;
    roomy.maxPaintLayers = 1e18;
    return encodeDocument(doc, true, roomy);
}

// One page of as many lines 1 pixel wide across the page, strewn down it,
// as a page may cost to paint.
Document costliestLines()
{
    const ReportFileLimits limits;
    Document doc;
    PaintCover cover(doc.pageSizePx());
    Page page;
    for (int i = 0;; ++i) {
        const double y = 38 + (qint64(i) * 7919 % 10470) / 10.0;
        cover.addLine(38, y, 756, y, 1.0);
        if (i % 64 == 0 && cover.layers() > limits.maxPaintLayers)
            break;
        page.items.push_back(LineItem{QPointF(38, y), QPointF(756, y), 1.0, Qt::black});
    }
    page.items.resize(page.items.size() - 64);
    doc.pages.push_back(page);
    return doc;
}

QByteArray craftedFile(int k)
{
    const ReportFileLimits limits;
    const QRectF wholePage(QPointF(0, 0), Document().pageSizePx());
    if (k == 0)
        return encodeAnyway(onePage(20000, LineItem{QPointF(-1e6, -1e6), QPointF(1e6, 1e6), 1000.0, Qt::black}));
    if (k == 1)
        return encodeAnyway(onePage(250000, RectItem{wholePage, 1.0, Qt::black, QColor(200, 220, 240)}));
    if (k == 2)
        return textChunkPictureFile();
    if (k == 8)
        return encodeDocument(onePage(int(limits.maxPaintLayers / PaintCover::kFill) - 1,
                                      RectItem{wholePage, 0.0, Qt::black, QColor(200, 220, 240, 8)}));
    if (k == 9) {
        QImage picture(2, 2, QImage::Format_ARGB32);
        picture.fill(QColor(200, 220, 240, 8));
        return encodeDocument(
            onePage(int(limits.maxPaintLayers / PaintCover::kPicture) - 1, ImageItem{wholePage, picture}));
    }
    if (k == 10)
        return encodeDocument(costliestLines());
    if (k == 11) {
        Document doc;
        Page page;
        for (int i = 0; i < limits.maxItemsPerPage; ++i)
            page.items.push_back(RectItem{QRectF(38 + i % 500 * 1.4, 38 + i / 500 * 2.0, 1, 1), 1.0, Qt::black, Qt::transparent});
        doc.pages.push_back(page);
        return encodeDocument(doc);
    }
    Document doc;
    for (int p = 0; p < 2000; ++p) {
        Page page;
        for (int i = 0; i < 1000; ++i)
            page.items.push_back(LineItem{QPointF(38, 38 + i % 1000), QPointF(756, 38 + i % 1000), 1.0, Qt::black});
        doc.pages.push_back(page);
    }
    return encodeDocumentVersion1(doc, true);
}

// The file K, written once.
QString filePath(int k)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file-%1.QRP").arg(k));
    if (QFile::exists(path))
        return path;
    QByteArray bytes;
    if (k < 4 || k > 7) {
        bytes = craftedFile(k);
    } else {
        const Document booklet = benchbooklet::layBooklet(benchbooklet::project(k < 6 ? 50 : 800));
        if (k % 2 == 0) {
            saveDocument(booklet, path);
            return path;
        }
        bytes = encodeDocumentVersion1(booklet, true);
    }
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

double residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble();
    return -1;
}

QWidget *pageView(ReportPreview &preview) { return preview.findChild<QWidget *>(QStringLiteral("PageView")); }

// The page view painted as the window paints it: the region given, or the
// whole view.
QImage paintView(QWidget *view, const QRect &region = QRect())
{
    const QRect r = region.isNull() ? view->rect() : region;
    QImage image(r.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::gray);
    view->render(&image, QPoint(), QRegion(r));
    return image;
}

void BM_OpenAndPaint(benchmark::State &state)
{
    const QString path = filePath(int(state.range(0)));
    double values[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    QString message;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), path});
        child.waitForFinished(-1);
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        std::sscanf(lines.value(0).constData(), "%lf %lf %lf %lf %lf %lf %lf %lf", &values[0], &values[1],
                    &values[2], &values[3], &values[4], &values[5], &values[6], &values[7]);
        message = QString::fromUtf8(lines.value(1));
    }
    state.counters["open_ms"] = values[2] * 1000;
    state.counters["paint_ms"] = values[3] * 1000;
    state.counters["zoom_ms"] = values[4] * 1000;
    state.counters["peak_MiB"] = values[1] / 1024;
    state.counters["task_MiB"] = (values[1] - values[0]) / 1024;
    state.counters["held_MiB"] = values[5] / 1024;
    state.counters["pages"] = values[6];
    state.counters["refused"] = values[7];
    state.counters["file_bytes"] = double(QFile(path).size());
    state.SetLabel(message.toStdString());
}
BENCHMARK(BM_OpenAndPaint)->DenseRange(0, 11)->Unit(benchmark::kMillisecond)->Iterations(1);

// The child: opens the file in a preview and paints as the window would;
// prints "peak-before peak-after open-s paint-s zoom-s resident-KiB pages
// refused" and, on a second line, the message of a refusal.
int childMain(const QString &path)
{
    const rlimit limit{rlim_t(8) << 30, rlim_t(8) << 30};
    setrlimit(RLIMIT_AS, &limit);
    ReportPreview preview;
    preview.resize(1000, 800);
    const double before = peakKiB();
    double open = -1, paint = -1, zoom = -1, resident = -1;
    int refused = 0;
    QString message;
    QElapsedTimer clock;
    clock.start();
    try {
        preview.load(path);
        open = double(clock.nsecsElapsed()) / 1e9;
        QWidget *view = pageView(preview);
        clock.start();
        paintView(view);
        paint = double(clock.nsecsElapsed()) / 1e9;
        preview.setZoom(5.0);
        clock.start();
        paintView(view, QRect(view->width() / 2 - 500, view->height() / 2 - 350, 1000, 700));
        zoom = double(clock.nsecsElapsed()) / 1e9;
        resident = residentKiB();
    } catch (const ReportFileError &e) {
        refused = 1;
        open = double(clock.nsecsElapsed()) / 1e9;
        const QStringList lines = e.message().split(QLatin1Char('\n'));
        message = lines.value(0) + QStringLiteral(" ") + lines.value(lines.size() - 1);
    } catch (const std::bad_alloc &) {
        refused = 2;
        open = double(clock.nsecsElapsed()) / 1e9;
        message = QStringLiteral("out of memory");
    }
    std::printf("%.0f %.0f %.4f %.4f %.4f %.0f %d %d\n%s\n", before, peakKiB(), open, paint, zoom, resident,
                preview.pageCount(), refused, message.toUtf8().constData());
    return 0;
}

// ---------------------------------------------------------------- pixels

// A digest of every page of the file as the window paints it, at zoom 1 and
// 2; with `each`, one line per page and zoom as well. `partsApart` counts the
// parts of a page at zoom 2 (thirds of it, top to bottom) that painted on
// their own differ from the whole page painted (Qt paints some pictures a
// little apart when it paints part of a page), and with `each` a digest of
// those parts is printed too.
QByteArray pixelDigest(const QString &path, int &pages, int &partsApart, bool each = false)
{
    partsApart = 0;
    ReportPreview preview;
    preview.load(path);
    QWidget *view = pageView(preview);
    QCryptographicHash all(QCryptographicHash::Sha256), parts(QCryptographicHash::Sha256);
    pages = preview.pageCount();
    for (double zoom : {1.0, 2.0}) {
        preview.setZoom(zoom);
        for (int p = 1; p <= pages; ++p) {
            preview.setCurrentPage(p);
            const QImage image = paintView(view);
            const QByteArrayView bytes(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
            all.addData(bytes);
            // Painted in parts, as a window shows a page scrolled: the same.
            for (int k = 0; k < 3 && zoom > 1; ++k) {
                const QRect part(0, k * image.height() / 3, image.width(), image.height() / 3);
                const QImage painted = paintView(view, part);
                parts.addData(QByteArrayView(reinterpret_cast<const char *>(painted.constBits()), painted.sizeInBytes()));
                if (painted != image.copy(part))
                    ++partsApart;
            }
            if (each)
                std::printf("page %d zoom %g %s\n", p, zoom,
                            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16).constData());
        }
    }
    if (each)
        std::printf("parts %s\n", parts.result().toHex().left(16).constData());
    return all.result().toHex().left(16);
}

void BM_PagePixels(benchmark::State &state)
{
    const QString path = filePath(int(state.range(0)));
    QByteArray digest;
    int pages = 0, partsApart = 0;
    for (auto _ : state)
        digest = pixelDigest(path, pages, partsApart);
    state.counters["pages"] = pages;
    state.counters["parts_apart"] = partsApart;
    state.SetLabel(digest.toStdString());
}
BENCHMARK(BM_PagePixels)->DenseRange(4, 6)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    // The memory the programs keep, as they keep it.
    pf::sys::keepFreedMemory();
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    pf::ui::installPersianFonts();
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return childMain(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && QByteArray(argv[1]) == "--write")
        return QFile::copy(filePath(QByteArray(argv[2]).toInt()), QString::fromLocal8Bit(argv[3])) ? 0 : 1;
    if (argc == 3 && QByteArray(argv[1]) == "--pixels") {
        int pages = 0, partsApart = 0;
        const QByteArray digest = pixelDigest(QString::fromLocal8Bit(argv[2]), pages, partsApart, true);
        std::printf("%d pages %s\n%d parts apart\n", pages, digest.constData(), partsApart);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
