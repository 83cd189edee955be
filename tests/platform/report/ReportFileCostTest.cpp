// A report file costs what painting and showing it needs: each crafted file
// is opened in a process of its own under a bound on the memory it may
// take, and is refused or opens as it should; painting cuts what reaches
// beyond the page in our own code; and every reason a message gives is
// Persian.
#include "platform/report/ReportFile.h"

#include "CraftedFiles.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRegularExpression>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextItem>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

using namespace pf::report;
using namespace reporttest;

namespace {

// A file of the first version, packed, of `pages` pages of `items` (JSON
// items, joined with commas).
QByteArray version1(int pages, const QByteArray &items)
{
    QByteArray json = R"({"format":"Boravest report","version":1,"page":{"width":210,"height":297},"pages":[)";
    for (int p = 0; p < pages; ++p)
        json += (p ? ",{\"items\":[" : "{\"items\":[") + items + "]}";
    json += "]}";
    return QByteArrayLiteral("BRVQRPZ1") + qCompress(json);
}

QByteArray repeated(int n, const QByteArray &item)
{
    QByteArray out;
    out.reserve(n * (item.size() + 1));
    for (int i = 0; i < n; ++i)
        out += (i ? "," : "") + item;
    return out;
}

QByteArray textItem(const QByteArray &text, double size = 10)
{
    return R"({"type":"text","text":")" + text + R"(","font":{"family":"Titr","size":)" + QByteArray::number(size) +
           R"(,"bold":false,"underline":false},"color":"#ff000000","direction":"rtl","align":"right","rect":[40,40,200,20]})";
}

// n lines across the page, strewn down it.
QByteArray lines(int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i) {
        const QByteArray y = QByteArray::number(38 + i % 1000);
        out += (i ? "," : "") + (R"({"type":"line","from":[38,)" + y + R"(],"to":[756,)" + y +
                                 R"(],"width":1,"color":"#ff000000"})");
    }
    return out;
}
const QByteArray kPageFill =
    R"({"type":"rect","rect":[0,0,793,1122],"penWidth":0,"penColor":"#00000000","fill":"#ff8080c0"})";

QByteArray pageOf(int items, const DrawItem &item)
{
    Document doc;
    Page page;
    page.items.fill(item, items);
    doc.pages.push_back(page);
    ReportFileLimits roomy;
    roomy.maxPaintLayers = 1e18;
    return encodeDocument(doc, true, roomy);
}

constexpr int kLoaded = 0, kOutOfMemory = 99;

qint64 addressSpace()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmSize:"))
                return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

// Opens the file in a child process that may take `boundMiB` more address
// space: kLoaded, 10 + the kind of the refusal (its message in `message`),
// or kOutOfMemory.
int openBounded(const QByteArray &file, qint64 boundMiB, QString &message)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const rlim_t room = rlim_t(addressSpace() + (boundMiB << 20));
        const rlimit limit{room, room};
        setrlimit(RLIMIT_AS, &limit);
        int code = kLoaded;
        try {
            decodeDocument(file);
        } catch (const ReportFileError &e) {
            const QByteArray text = e.message().toUtf8();
            if (write(pipeEnds[1], text.constData(), size_t(text.size())) < 0)
                _exit(98);
            code = 10 + int(e.kind());
        } catch (const std::bad_alloc &) {
            code = kOutOfMemory;
        }
        _exit(code);
    }
    close(pipeEnds[1]);
    QByteArray text;
    char buf[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buf, sizeof buf)) > 0;)
        text.append(buf, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    message = QString::fromUtf8(text);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int refused(ReportFileError::Kind kind) { return 10 + int(kind); }

// What a painter was handed, on a device of a page's size.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(AllFeatures) {}
    QRectF reach; // of every coordinate handed over
    int calls = 0;
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    Type type() const override { return User; }
    void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override { note(r); }
    void drawImage(const QRectF &r, const QImage &, const QRectF &, Qt::ImageConversionFlags) override { note(r); }
    void drawLines(const QLineF *lines, int n) override
    {
        for (int i = 0; i < n; ++i)
            note(QRectF(lines[i].p1(), lines[i].p2()).normalized());
    }
    void drawRects(const QRectF *rects, int n) override
    {
        for (int i = 0; i < n; ++i)
            note(rects[i]);
    }
    void drawPath(const QPainterPath &path) override { note(path.boundingRect()); }
    void drawPolygon(const QPointF *points, int n, PolygonDrawMode) override
    {
        for (int i = 0; i < n; ++i)
            note(QRectF(points[i], QSizeF(0, 0)));
    }
    void drawTextItem(const QPointF &p, const QTextItem &) override { note(QRectF(p, QSizeF(0, 0))); }

private:
    void note(const QRectF &r)
    {
        ++calls;
        reach = reach.isNull() ? r : reach.united(r);
    }
};

class RecordingDevice : public QPaintDevice {
public:
    QSize size;
    mutable RecordingEngine engine;
    QPaintEngine *paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return size.width();
        case PdmHeight: return size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 1000;
        }
    }
};

} // namespace

// Each crafted file, opened under a bound on the memory it may take: those
// that would cost painting far beyond a booklet's are refused at once, the
// costliest page allowed opens, a picture costs its pixels alone, and a
// first-version file is held as compactly as the second version's pages,
// under the same limits, each refusal naming its limit.
TEST(ReportFileCost, CraftedFilesOpenOrAreRefusedWithinTheirMemory)
{
    const ReportFileLimits limits;
    const QRectF wholePage(QPointF(0, 0), Document().pageSizePx());
    QImage seeThrough(2, 2, QImage::Format_ARGB32);
    seeThrough.fill(QColor(0, 0, 255, 8));
    struct Case {
        const char *what;
        std::function<QByteArray()> file;
        int outcome;
        const char *says; // in the message, when refused
        qint64 boundMiB;
    };
    const Case cases[] = {
        {"20,000 lines 1,000 pixels wide across +-1,000,000",
         [] { return pageOf(20000, LineItem{QPointF(-1e6, -1e6), QPointF(1e6, 1e6), 1000.0, Qt::black}); },
         refused(ReportFileError::Kind::BeyondLimits), "(صفحه 1: ", 64},
        {"250,000 rectangles filling the whole page",
         [&] { return pageOf(250000, RectItem{wholePage, 1.0, Qt::black, Qt::gray}); },
         refused(ReportFileError::Kind::BeyondLimits), "250", 64},
        {"see-through pictures over the whole page, as many as a page may cost",
         [&] { return pageOf(int(limits.maxPaintLayers / PaintCover::kPicture) - 1, ImageItem{wholePage, seeThrough}); },
         kLoaded, "", 64},
        {"a 2 x 2 picture carrying 200 packed notes of 4 MiB", [] { return picturesFile(greyPng(2, 2, 0, 200), 1, {0}); }, kLoaded,
         "", 64},
        {"pixel data that unpacks to 64 MiB more than the pixels", [] { return picturesFile(greyPng(2, 2, 64 << 20), 1, {0}); },
         refused(ReportFileError::Kind::Damaged), "(تصوير 1: ", 64},
        {"a picture 20,001 pixels wide", [] { return picturesFile(greyPng(20001, 1), 1, {0}); },
         refused(ReportFileError::Kind::BeyondLimits), "20000", 64},
        {"4,000,000 empty texts packed in a few kilobytes",
         [] {
             QByteArray head, texts;
             put(head, 210.0);
             put(head, 297.0);
             for (quint32 v : {0u, 4000000u, 0u, 0u})
                 put<quint32>(head, v);
             put<quint64>(head, 0);
             put<quint32>(texts, 4000000);
             texts += QByteArray(4 * 4000000, '\0');
             return version2({{'H', head}, {'S', texts}, {'E', QByteArray()}}, true);
         },
         refused(ReportFileError::Kind::BeyondLimits), "200", 48},
        {"a first-version file of 400 pages of 1,000 lines", [] { return version1(400, lines(1000)); },
         kLoaded, "", 64},
        {"a first-version file of 20,001 pages", [] { return version1(20001, ""); },
         refused(ReportFileError::Kind::BeyondLimits), "20000", 64},
        {"a first-version page of 250,001 items", [] { return version1(1, lines(250001)); },
         refused(ReportFileError::Kind::BeyondLimits), "250000", 64},
        {"a first-version text of 100,001 characters", [] { return version1(1, textItem(QByteArray(100001, 'a'))); },
         refused(ReportFileError::Kind::BeyondLimits), "100000", 64},
        {"a first-version page of 10,001 texts", [] { return version1(1, repeated(10001, textItem("a"))); },
         refused(ReportFileError::Kind::BeyondLimits), "10000", 64},
        {"a first-version page of 33 text styles",
         [] {
             QByteArray items;
             for (int i = 0; i < 33; ++i)
                 items += (i ? "," : "") + textItem("a", 8 + i);
             return version1(1, items);
         },
         refused(ReportFileError::Kind::BeyondLimits), "32", 64},
        {"a first-version page filled over 300 times", [] { return version1(1, repeated(300, kPageFill)); },
         refused(ReportFileError::Kind::BeyondLimits), "250", 64},
        {"a first-version line wider than a double holds",
         [] { return version1(1, R"({"type":"line","from":[0,0],"to":[10,10],"width":1e400,"color":"#ff000000"})"); },
         refused(ReportFileError::Kind::Damaged), "بيرون از اندازه", 64},
        {"a packed first-version file with bytes after its text", [] { return version1(1, "") + "xx"; },
         refused(ReportFileError::Kind::Damaged), "پس از پايان", 64},
        {"a first-version picture 20,001 pixels wide",
         [] {
             return version1(1, R"({"type":"image","rect":[0,0,10,10],"png":")" + greyPng(20001, 1).toBase64() + "\"}");
         },
         refused(ReportFileError::Kind::BeyondLimits), "20000", 64},
    };
    for (const Case &c : cases) {
        QString message;
        EXPECT_EQ(openBounded(c.file(), c.boundMiB, message), c.outcome) << c.what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.says))) << c.what << ": " << message.toStdString();
    }
}

// Painting hands the painter only what reaches the page, cut to it a margin
// beyond, and nothing of what lies outside what is shown.
TEST(ReportFileCost, PaintingCutsWhatReachesBeyondThePage)
{
    const QSizeF page = Document().pageSizePx();
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    Page wide;
    wide.items = {LineItem{QPointF(-1e6, -1e6), QPointF(1e6, 1e6), 10.0, Qt::black},
                  RectItem{QRectF(-1e6, -1e6, 2e6, 2e6), 2.0, Qt::black, Qt::gray},
                  ImageItem{QRectF(-1e6, 100, 2e6, 100), picture}};
    Page outside;
    outside.items = {LineItem{QPointF(-5000, 10), QPointF(-4000, 10), 1.0, Qt::black},
                     TextRun{QStringLiteral("بيرون"), ReportFont{}, Qt::RightToLeft, Qt::AlignLeft, QRectF(10, 5000, 100, 20)},
                     ImageItem{QRectF(2000, 10, 10, 10), picture}};
    RecordingDevice device;
    device.size = page.toSize();
    {
        QPainter p(&device);
        paintPage(p, wide, page);
        paintPage(p, outside, page);
    }
    EXPECT_EQ(device.engine.calls, 3);
    EXPECT_TRUE(QRectF(-600, -600, page.width() + 1200, page.height() + 1200).contains(device.engine.reach))
        << device.engine.reach.x() << ' ' << device.engine.reach.width();
}

// Every reason and place a message may give is Persian, in the program's
// letters (Arabic yeh and kaf); a failed save names its cause, one apart
// from another, and the file.
TEST(ReportFileCost, EveryReasonIsPersian)
{
    auto persian = [](const QString &s) {
        static const QRegularExpression latin(QStringLiteral("[A-Za-z%]"));
        return !s.isEmpty() && !s.contains(latin) && !s.contains(QChar(0x06CC)) && !s.contains(QChar(0x06A9)) &&
               s.contains(QRegularExpression(QStringLiteral("[\\x{0621}-\\x{064A}]")));
    };
    for (const QString &reason : reportFileReasonsForTest())
        EXPECT_TRUE(persian(reason)) << reason.toStdString();

    // Refusals as they come, the file's own name left out.
    Document doc;
    doc.pages.push_back(Page{{TextRun{QStringLiteral("متن"), ReportFont{}, Qt::RightToLeft, Qt::AlignLeft,
                                      QRectF(10, 10, 100, 20)}}});
    QByteArray newer = encodeDocument(doc), random = newer, cut = newer.left(newer.size() - 5);
    qToLittleEndian<quint32>(3, newer.data() + 8);
    qToLittleEndian<quint32>(1013818839, random.data() + 8);
    struct Refusal {
        QByteArray file;
        ReportFileError::Kind kind;
    } refusals[] = {
        {newer, ReportFileError::Kind::NewerVersion},
        {random, ReportFileError::Kind::Damaged},
        {cut, ReportFileError::Kind::Damaged},
        {"plain text", ReportFileError::Kind::Foreign},
        {version1(1, R"({"type":"circle"})"), ReportFileError::Kind::Damaged},
        {pageOf(300, RectItem{QRectF(0, 0, 700, 1000), 0.0, Qt::black, Qt::gray}), ReportFileError::Kind::BeyondLimits},
    };
    for (const Refusal &r : refusals) {
        try {
            decodeDocument(r.file);
            ADD_FAILURE() << "loaded";
        } catch (const ReportFileError &e) {
            EXPECT_EQ(e.kind(), r.kind) << e.message().toStdString();
            EXPECT_TRUE(persian(e.message())) << e.message().toStdString();
        }
    }

    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("r.QRP"));
    QStringList causes;
    for (const auto &[fault, error] : {std::pair{SaveFault::Writing, ENOSPC}, {SaveFault::Writing, EFBIG},
                                       {SaveFault::Writing, EACCES}, {SaveFault::Allocation, 0}}) {
        setSaveFaultForTest(fault, 0, error);
        try {
            saveDocument(doc, path);
            ADD_FAILURE() << "saved";
        } catch (const ReportFileError &e) {
            const QString message = e.message();
            EXPECT_TRUE(message.startsWith(QStringLiteral("فايل گزارش ذخيره نشد:\n") + path + QLatin1Char('\n')));
            const QString cause = message.mid(message.lastIndexOf(QLatin1Char('\n')));
            EXPECT_TRUE(persian(cause)) << cause.toStdString();
            causes << cause;
        }
    }
    setSaveFaultForTest(SaveFault::None);
    causes.removeDuplicates();
    EXPECT_EQ(causes.size(), 4);
}
