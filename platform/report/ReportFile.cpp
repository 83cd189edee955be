#include "platform/report/ReportFile.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSet>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>
#include <thread>
#include <optional>
#include <mutex>
#include <deque>
#include <condition_variable>

namespace pf::report {

namespace {

const QByteArray kMagic = QByteArrayLiteral("BRVQRPZ1");   // version 1, packed
const QByteArray kMagic2 = QByteArrayLiteral("BRVQRPBN");  // version 2 on
const QString kFormat = QStringLiteral("Boravest report");

// Limits of a sane file; anything beyond is taken as damage.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;       // 1 GiB of a version 1 file
constexpr quint32 kMaxJsonBytes = quint32(1) << 30;     // 1 GiB of JSON text
// Packed data that unpacks to more than this many times its size, once past
// kRatioFloor bytes, is a trap rather than a report: real reports pack 5 to
// 20 to 1, zlib at most about 1000 to 1.
constexpr qint64 kRatioFloor = qint64(16) << 20;
constexpr qint64 kMaxRatio = 200;
constexpr int kMaxPages = 100000;
constexpr int kMaxItemsPerPage = 1000000;
constexpr double kMaxCoordinate = 1.0e6;                 // pixels
constexpr double kMaxPageMm = 10000.0;
constexpr double kMaxFontPoints = 1000.0;
constexpr int kMaxTextLength = 1000000;

const QString kDamaged = QStringLiteral("فايل گزارش خراب يا ناقص است");
const QString kForeign = QStringLiteral("اين فايل، فايل گزارش نيست");
const QString kNewer = QStringLiteral("اين فايل گزارش با نسخه جديدتري از برنامه ساخته شده است");
const QString kCannotOpen = QStringLiteral("فايل گزارش باز نشد");
const QString kCannotWrite = QStringLiteral("فايل گزارش ذخيره نشد");
const QString kTooLarge = QStringLiteral("اين گزارش براي ذخيره در يک فايل بيش از حد بزرگ است");

[[noreturn]] void damaged(const QString &detail)
{
    throw ReportFileError(ReportFileError::Kind::Damaged, kDamaged + QStringLiteral("\n(") + detail + QLatin1Char(')'));
}

[[noreturn]] void foreign(const QString &detail)
{
    throw ReportFileError(ReportFileError::Kind::Foreign, kForeign + QStringLiteral("\n(") + detail + QLatin1Char(')'));
}

QString alignText(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    return QStringLiteral("left");
}

// ---------------------------------------------------------------- reading

// Where an object stands in the file; spelled out only for a complaint.
struct Where {
    int page = 0; // 1-based; 0: the file itself
    int item = 0; // 1-based; 0: the page itself
    const char *part = nullptr;
    int picture = 0; // 1-based: a picture's own section
    int section = 0; // 1-based: a section not yet known by its kind
    int after = 0;   // with a section: the pages before it

    QString text() const
    {
        QString s;
        if (picture > 0)
            s = QStringLiteral("picture %1").arg(picture);
        else if (section > 0)
            s = after > 0 ? QStringLiteral("section %1, after page %2").arg(section).arg(after)
                          : QStringLiteral("section %1").arg(section);
        else
            s = page == 0 ? QStringLiteral("file") : QStringLiteral("page %1").arg(page);
        if (item > 0)
            s += QStringLiteral(", item %1").arg(item);
        if (part)
            s += QStringLiteral(", ") + QLatin1String(part);
        return s;
    }
};

// Reads the fields of one object, naming where it stands in every complaint.
class Fields {
public:
    Fields(const QJsonObject &obj, Where where) : m_obj(obj), m_where(where) {}

    [[noreturn]] void fail(const QString &what) const { damaged(m_where.text() + QStringLiteral(": ") + what); }

    QJsonValue get(const QString &key) const
    {
        const auto it = m_obj.constFind(key);
        if (it == m_obj.constEnd())
            fail(QStringLiteral("field \"%1\" is missing").arg(key));
        return it.value();
    }

    double number(const QString &key, double lo, double hi) const
    {
        const QJsonValue v = get(key);
        if (!v.isDouble())
            fail(QStringLiteral("field \"%1\" is not a number").arg(key));
        return checkNumber(key, v.toDouble(), lo, hi);
    }

    double checkNumber(const QString &key, double d, double lo, double hi) const
    {
        if (!std::isfinite(d) || d < lo || d > hi)
            fail(QStringLiteral("field \"%1\" is out of range").arg(key));
        return d;
    }

    QString string(const QString &key, int maxLength) const
    {
        const QJsonValue v = get(key);
        if (!v.isString())
            fail(QStringLiteral("field \"%1\" is not a text").arg(key));
        QString s = v.toString();
        if (s.size() > maxLength)
            fail(QStringLiteral("field \"%1\" is too long").arg(key));
        // A lone surrogate (an escape such as \ud800 the JSON text may hold)
        // is no character: kept, it would be written as another when the
        // report is saved again.
        if (!s.isValidUtf16())
            fail(QStringLiteral("field \"%1\" holds a broken character").arg(key));
        return s;
    }

    bool boolean(const QString &key) const
    {
        const QJsonValue v = get(key);
        if (!v.isBool())
            fail(QStringLiteral("field \"%1\" is not true or false").arg(key));
        return v.toBool();
    }

    QColor color(const QString &key) const
    {
        const QString s = string(key, 16);
        if (s.size() != 9 || !s.startsWith(QLatin1Char('#')))
            fail(QStringLiteral("field \"%1\" is not a colour").arg(key));
        bool ok = false;
        const uint argb = s.mid(1).toUInt(&ok, 16);
        if (!ok)
            fail(QStringLiteral("field \"%1\" is not a colour").arg(key));
        return QColor::fromRgba(argb);
    }

    QJsonArray array(const QString &key, int minSize, int maxSize) const
    {
        const QJsonValue v = get(key);
        if (!v.isArray())
            fail(QStringLiteral("field \"%1\" is not a list").arg(key));
        const QJsonArray a = v.toArray();
        if (a.size() < minSize || a.size() > maxSize)
            fail(QStringLiteral("field \"%1\" has a wrong number of entries").arg(key));
        return a;
    }

    QJsonObject object(const QString &key) const
    {
        const QJsonValue v = get(key);
        if (!v.isObject())
            fail(QStringLiteral("field \"%1\" is not an object").arg(key));
        return v.toObject();
    }

    QRectF rect(const QString &key) const
    {
        const QJsonArray a = array(key, 4, 4);
        double v[4];
        for (int i = 0; i < 4; ++i) {
            if (!a[i].isDouble())
                fail(QStringLiteral("field \"%1\" holds a non-number").arg(key));
            v[i] = checkNumber(key, a[i].toDouble(), i < 2 ? -kMaxCoordinate : 0.0, kMaxCoordinate);
        }
        return QRectF(v[0], v[1], v[2], v[3]);
    }

    QPointF point(const QString &key) const
    {
        const QJsonArray a = array(key, 2, 2);
        double v[2];
        for (int i = 0; i < 2; ++i) {
            if (!a[i].isDouble())
                fail(QStringLiteral("field \"%1\" holds a non-number").arg(key));
            v[i] = checkNumber(key, a[i].toDouble(), -kMaxCoordinate, kMaxCoordinate);
        }
        return QPointF(v[0], v[1]);
    }

    const Where &where() const { return m_where; }

private:
    QJsonObject m_obj;
    Where m_where;
};

// ---------------------------------------------------------------- pictures

std::atomic<qint64> g_decodedPictureBytes{0};

// What the header of a PNG file says of its picture. bytes: what the
// picture takes decoded at most (4 bytes a pixel, 8 at 16 bits a channel,
// as a QImage holds it); -1 when the bytes do not start as a PNG file.
struct PngHeader {
    quint32 width = 0;
    quint32 height = 0;
    qint64 bytes = -1;
};

PngHeader pngHeader(const QByteArray &png)
{
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    // The signature, then the IHDR chunk: length, name, width, height,
    // bit depth, colour type...
    if (png.size() < 8 + 8 + 13 || std::memcmp(png.constData(), kSignature, 8) != 0 ||
        std::memcmp(png.constData() + 12, "IHDR", 4) != 0)
        return {};
    PngHeader h;
    h.width = qFromBigEndian<quint32>(png.constData() + 16);
    h.height = qFromBigEndian<quint32>(png.constData() + 20);
    const quint8 depth = quint8(png[24]);
    if (h.width == 0 || h.height == 0)
        return {};
    // Sides past a million pixels are refused by their size alone; the
    // product stays well inside 64 bits below that.
    const quint32 side = 1u << 20;
    h.bytes = h.width > side || h.height > side ? std::numeric_limits<qint64>::max()
                                                 : qint64(h.width) * h.height * (depth > 8 ? 8 : 4);
    return h;
}

// Why a picture cannot be taken with the pictures before it, or empty.
QString pictureProblem(const PngHeader &h, qint64 decodedBefore, const ReportFileLimits &limits)
{
    if (h.bytes < 0 || h.width > quint32(limits.maxImageSide) || h.height > quint32(limits.maxImageSide))
        return QStringLiteral("not a readable PNG");
    if (h.bytes > limits.maxImageBytes - decodedBefore)
        return QStringLiteral("%1 x %2 pixels: the pictures shown would take more than %3 MiB decoded")
            .arg(h.width)
            .arg(h.height)
            .arg(limits.maxImageBytes >> 20);
    return QString();
}

// The picture of a PNG file whose header was checked; null when it cannot
// be read.
QImage decodePicture(QByteArray png)
{
    QBuffer buf(&png);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "png");
    QImage img = reader.read();
    g_decodedPictureBytes += img.sizeInBytes();
    return img;
}

QImage decodePng(const Fields &f, QHash<QString, QImage> &cache, qint64 &decoded, const ReportFileLimits &limits)
{
    const QString text = f.string(QStringLiteral("png"), 512 * 1024 * 1024);
    if (auto it = cache.constFind(text); it != cache.constEnd())
        return it.value();
    const auto base64 = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!base64 || base64.decoded.isEmpty())
        f.fail(QStringLiteral("the picture is not valid base64"));
    const PngHeader head = pngHeader(base64.decoded);
    if (const QString problem = pictureProblem(head, decoded, limits); !problem.isEmpty())
        f.fail(QStringLiteral("the picture is ") + problem);
    decoded += head.bytes;
    QImage img = decodePicture(base64.decoded);
    if (img.isNull())
        f.fail(QStringLiteral("the picture is not a readable PNG"));
    cache.insert(text, img);
    return img;
}

// The texts of one page against the limits: how many and how long together.
struct PageTexts {
    int count = 0;
    qint64 characters = 0;
    int styles = 0;
    // Why the page cannot take one more text of `length` characters, in a
    // style the page has not shown yet when `newStyle`, or empty.
    QString add(qsizetype length, bool newStyle, const ReportFileLimits &limits)
    {
        if (++count > limits.maxTextsPerPage)
            return QStringLiteral("more than %1 texts on the page").arg(limits.maxTextsPerPage);
        characters += length;
        if (characters > limits.maxPageTextLength)
            return QStringLiteral("the texts of the page hold more than %1 characters").arg(limits.maxPageTextLength);
        if (newStyle && ++styles > limits.maxStylesPerPage)
            return QStringLiteral("more than %1 text styles on the page").arg(limits.maxStylesPerPage);
        return QString();
    }
};

// Marks the styles a page shows, by their numbers: whether a style is new
// to the page.
struct PageStyles {
    QVector<int> lastPage; // per style, the page that showed it last
    bool isNew(qsizetype style, int page)
    {
        if (style >= lastPage.size())
            lastPage.resize(style + 1, -1);
        if (lastPage[style] == page)
            return false;
        lastPage[style] = page;
        return true;
    }
};

DrawItem readItem(const QJsonValue &value, Where where, QHash<QString, QImage> &images, qint64 &imageBytes,
                  const ReportFileLimits &limits)
{
    if (!value.isObject())
        damaged(where.text() + QStringLiteral(": not an object"));
    const Fields f(value.toObject(), where);
    const QString type = f.string(QStringLiteral("type"), 16);
    if (type == QLatin1String("text")) {
        TextRun run;
        run.text = f.string(QStringLiteral("text"), std::min(kMaxTextLength, limits.maxTextLength));
        Where fontWhere = where;
        fontWhere.part = "font";
        const Fields font(f.object(QStringLiteral("font")), fontWhere);
        run.font.family = font.string(QStringLiteral("family"), 256);
        run.font.pointSize = font.number(QStringLiteral("size"), 0.01, kMaxFontPoints);
        run.font.bold = font.boolean(QStringLiteral("bold"));
        run.font.underline = font.boolean(QStringLiteral("underline"));
        run.font.color = f.color(QStringLiteral("color"));
        const QString dir = f.string(QStringLiteral("direction"), 8);
        if (dir == QLatin1String("rtl"))
            run.direction = Qt::RightToLeft;
        else if (dir == QLatin1String("ltr"))
            run.direction = Qt::LeftToRight;
        else
            f.fail(QStringLiteral("unknown direction \"%1\"").arg(dir));
        const QString align = f.string(QStringLiteral("align"), 8);
        if (align == QLatin1String("left"))
            run.alignment = Qt::AlignLeft;
        else if (align == QLatin1String("right"))
            run.alignment = Qt::AlignRight;
        else if (align == QLatin1String("center"))
            run.alignment = Qt::AlignHCenter;
        else
            f.fail(QStringLiteral("unknown alignment \"%1\"").arg(align));
        run.rect = f.rect(QStringLiteral("rect"));
        return run;
    }
    if (type == QLatin1String("line")) {
        LineItem line;
        line.p1 = f.point(QStringLiteral("from"));
        line.p2 = f.point(QStringLiteral("to"));
        line.width = f.number(QStringLiteral("width"), 0, 1000);
        line.color = f.color(QStringLiteral("color"));
        return line;
    }
    if (type == QLatin1String("rect")) {
        RectItem r;
        r.rect = f.rect(QStringLiteral("rect"));
        r.penWidth = f.number(QStringLiteral("penWidth"), 0, 1000);
        r.penColor = f.color(QStringLiteral("penColor"));
        r.fill = f.color(QStringLiteral("fill"));
        return r;
    }
    if (type == QLatin1String("image")) {
        ImageItem img;
        img.rect = f.rect(QStringLiteral("rect"));
        img.image = decodePng(f, images, imageBytes, limits);
        return img;
    }
    f.fail(QStringLiteral("unknown item type \"%1\"").arg(type));
}

Document readDocument(const QJsonObject &root, const ReportFileLimits &limits)
{
    // Whether this is one of our files at all comes first.
    const auto fmt = root.constFind(QStringLiteral("format"));
    if (fmt == root.constEnd() || !fmt->isString() || fmt->toString() != kFormat)
        foreign(QStringLiteral("no report format mark"));
    const Fields f(root, Where{});
    const double version = f.number(QStringLiteral("version"), 1, 1.0e9);
    if (version != std::floor(version))
        f.fail(QStringLiteral("the version is not a whole number"));
    // The JSON layout is version 1's alone.
    if (version > 1)
        throw ReportFileError(ReportFileError::Kind::NewerVersion,
                              kNewer + QStringLiteral("\n(version %1)").arg(qint64(version)));

    Document doc;
    const Fields page(f.object(QStringLiteral("page")), Where{0, 0, "page size"});
    doc.pageSizeMm = QSizeF(page.number(QStringLiteral("width"), 1, kMaxPageMm),
                            page.number(QStringLiteral("height"), 1, kMaxPageMm));
    const QJsonArray pages = f.array(QStringLiteral("pages"), 0, kMaxPages);
    doc.pages.reserve(pages.size());
    QHash<QString, QImage> images;
    qint64 imageBytes = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const Where where{p + 1, 0, nullptr};
        if (!pages[p].isObject())
            damaged(where.text() + QStringLiteral(": not an object"));
        const Fields pf(pages[p].toObject(), where);
        const QJsonArray items = pf.array(QStringLiteral("items"), 0, kMaxItemsPerPage);
        Page pg;
        pg.items.reserve(items.size());
        PageTexts texts;
        QSet<QString> styles;
        for (int i = 0; i < items.size(); ++i) {
            const Where itemWhere{p + 1, i + 1, nullptr};
            pg.items.push_back(readItem(items[i], itemWhere, images, imageBytes, limits));
            if (const auto *t = std::get_if<TextRun>(&pg.items.back())) {
                const QString style = QStringLiteral("%1 %2 %3 %4 %5 %6 ")
                                          .arg(t->font.pointSize, 0, 'g', 17)
                                          .arg(int(t->font.bold))
                                          .arg(int(t->font.underline))
                                          .arg(t->font.color.rgba())
                                          .arg(int(t->direction))
                                          .arg(int(t->alignment)) +
                                      t->font.family;
                const qsizetype known = styles.size();
                styles.insert(style);
                if (const QString problem = texts.add(t->text.size(), styles.size() > known, limits);
                    !problem.isEmpty())
                    damaged(itemWhere.text() + QStringLiteral(": ") + problem);
            }
        }
        doc.pages.push_back(std::move(pg));
    }
    return doc;
}

// Does the start of a JSON text look like one of our files? Used to tell a
// report file cut short from some other text file.
bool looksLikeOurJson(const QByteArray &data)
{
    static const QRegularExpression head(QStringLiteral("^\\s*\\{\\s*\"format\"\\s*:\\s*\"Boravest report\""));
    return head.match(QString::fromUtf8(data.left(256))).hasMatch();
}

} // namespace

QString reportFileFilter()
{
    // The save and open dialogs speak Persian, as the rest of the program.
    return QStringLiteral("پرونده هاي گزارش (*.QRP *.qrp)");
}

namespace {

// Writes the JSON text directly; a tree of JSON objects for hundreds of
// thousands of items costs several times as much.
class JsonWriter {
public:
    QByteArray out;

    void raw(const char *s) { out.append(s); }
    void key(const char *k)
    {
        out.append('"');
        out.append(k);
        out.append("\":");
    }
    void str(const QString &s)
    {
        out.append('"');
        const QByteArray u = s.toUtf8();
        for (char c : u) {
            switch (c) {
            case '"': out.append("\\\""); break;
            case '\\': out.append("\\\\"); break;
            case '\n': out.append("\\n"); break;
            case '\r': out.append("\\r"); break;
            case '\t': out.append("\\t"); break;
            default:
                if (uchar(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(uchar(c)));
                    out.append(buf);
                } else {
                    out.append(c);
                }
            }
        }
        out.append('"');
    }
    void latin(const QByteArray &s)
    {
        out.append('"');
        out.append(s);
        out.append('"');
    }
    void num(double d)
    {
        if (!std::isfinite(d))
            d = 0;
        char buf[40];
        const auto r = std::to_chars(buf, buf + sizeof buf, d);
        out.append(buf, int(r.ptr - buf));
    }
    void boolean(bool b) { out.append(b ? "true" : "false"); }
    void color(const QColor &c)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, "\"#%08x\"", unsigned(c.rgba()));
        out.append(buf);
    }
    void rect(const QRectF &r)
    {
        out.append('[');
        num(r.x());
        out.append(',');
        num(r.y());
        out.append(',');
        num(r.width());
        out.append(',');
        num(r.height());
        out.append(']');
    }
    void point(const QPointF &p)
    {
        out.append('[');
        num(p.x());
        out.append(',');
        num(p.y());
        out.append(']');
    }
};

} // namespace

QByteArray encodeDocumentVersion1(const Document &doc, bool compress)
{
    JsonWriter w;
    // "format" comes first, so that even a file cut short shows what it is.
    w.raw("{\"format\":");
    w.str(kFormat);
    w.raw(",\"version\":");
    w.num(1);
    w.raw(",\"page\":{\"width\":");
    w.num(doc.pageSizeMm.width());
    w.raw(",\"height\":");
    w.num(doc.pageSizeMm.height());
    w.raw("},\"pages\":[");
    QHash<qint64, QByteArray> pngCache;
    bool firstPage = true;
    for (const Page &page : doc.pages) {
        if (!firstPage)
            w.raw(",");
        firstPage = false;
        w.raw("{\"items\":[");
        bool firstItem = true;
        for (const DrawItem &item : page.items) {
            const auto *im = std::get_if<ImageItem>(&item);
            if (im && im->image.isNull())
                continue; // nothing to draw
            if (!firstItem)
                w.raw(",");
            firstItem = false;
            if (const auto *t = std::get_if<TextRun>(&item)) {
                w.raw("{\"type\":\"text\",\"text\":");
                w.str(t->text);
                w.raw(",\"font\":{\"family\":");
                w.str(t->font.family);
                w.raw(",\"size\":");
                w.num(t->font.pointSize);
                w.raw(",\"bold\":");
                w.boolean(t->font.bold);
                w.raw(",\"underline\":");
                w.boolean(t->font.underline);
                w.raw("},\"color\":");
                w.color(t->font.color);
                w.raw(t->direction == Qt::RightToLeft ? ",\"direction\":\"rtl\",\"align\":"
                                                      : ",\"direction\":\"ltr\",\"align\":");
                w.latin(alignText(t->alignment).toLatin1());
                w.raw(",\"rect\":");
                w.rect(t->rect);
                w.raw("}");
            } else if (const auto *l = std::get_if<LineItem>(&item)) {
                w.raw("{\"type\":\"line\",\"from\":");
                w.point(l->p1);
                w.raw(",\"to\":");
                w.point(l->p2);
                w.raw(",\"width\":");
                w.num(l->width);
                w.raw(",\"color\":");
                w.color(l->color);
                w.raw("}");
            } else if (const auto *r = std::get_if<RectItem>(&item)) {
                w.raw("{\"type\":\"rect\",\"rect\":");
                w.rect(r->rect);
                w.raw(",\"penWidth\":");
                w.num(r->penWidth);
                w.raw(",\"penColor\":");
                w.color(r->penColor);
                w.raw(",\"fill\":");
                w.color(r->fill);
                w.raw("}");
            } else if (im) {
                w.raw("{\"type\":\"image\",\"rect\":");
                w.rect(im->rect);
                w.raw(",\"png\":");
                QByteArray &png = pngCache[im->image.cacheKey()];
                if (png.isEmpty()) {
                    QByteArray bytes;
                    QBuffer buf(&bytes);
                    buf.open(QIODevice::WriteOnly);
                    im->image.save(&buf, "PNG");
                    png = bytes.toBase64();
                }
                w.latin(png);
                w.raw("}");
            }
        }
        w.raw("]}");
    }
    w.raw("]}");
    if (!compress)
        return w.out;
    // qCompress writes the 4-byte big-endian length and then the zlib stream.
    return kMagic + qCompress(w.out);
}

namespace {

// ---------------------------------------------------------------- limits

[[noreturn]] void tooLarge(const QString &detail)
{
    throw ReportFileError(ReportFileError::Kind::TooLarge, kTooLarge + QStringLiteral("\n(") + detail + QLatin1Char(')'));
}

[[noreturn]] void cannotSave(const QString &detail)
{
    throw ReportFileError(ReportFileError::Kind::CannotWrite, kCannotWrite + QStringLiteral("\n(") + detail + QLatin1Char(')'));
}

bool inRange(double d, double lo, double hi) { return std::isfinite(d) && d >= lo && d <= hi; }

bool rectOk(const QRectF &r)
{
    return inRange(r.x(), -kMaxCoordinate, kMaxCoordinate) && inRange(r.y(), -kMaxCoordinate, kMaxCoordinate) &&
           inRange(r.width(), 0, kMaxCoordinate) && inRange(r.height(), 0, kMaxCoordinate);
}

bool pointOk(const QPointF &p)
{
    return inRange(p.x(), -kMaxCoordinate, kMaxCoordinate) && inRange(p.y(), -kMaxCoordinate, kMaxCoordinate);
}

// What is wrong with an item for a report file; empty when nothing. Saving
// and loading ask the same.
QString itemProblem(const DrawItem &item, const ReportFileLimits &limits)
{
    if (const auto *t = std::get_if<TextRun>(&item)) {
        if (t->text.size() > limits.maxTextLength)
            return QStringLiteral("a text longer than %1 characters").arg(limits.maxTextLength);
        if (t->font.family.size() > 256)
            return QStringLiteral("a font name too long");
        if (!inRange(t->font.pointSize, 0.01, kMaxFontPoints))
            return QStringLiteral("a font size out of range");
        if (!rectOk(t->rect))
            return QStringLiteral("a text box out of range");
    } else if (const auto *l = std::get_if<LineItem>(&item)) {
        if (!pointOk(l->p1) || !pointOk(l->p2) || !inRange(l->width, 0, 1000))
            return QStringLiteral("a line out of range");
    } else if (const auto *r = std::get_if<RectItem>(&item)) {
        if (!rectOk(r->rect) || !inRange(r->penWidth, 0, 1000))
            return QStringLiteral("a rectangle out of range");
    } else if (const auto *im = std::get_if<ImageItem>(&item)) {
        if (!rectOk(im->rect))
            return QStringLiteral("a picture box out of range");
        if (im->image.width() > limits.maxImageSide || im->image.height() > limits.maxImageSide)
            return QStringLiteral("a picture wider or taller than %1 pixels").arg(limits.maxImageSide);
    }
    return QString();
}

// ---------------------------------------------------------------- version 2: writing

enum : quint8 { kText = 1, kLine = 2, kRect = 3, kImage = 4 };
enum : quint8 { kBold = 1, kUnderline = 2, kRtl = 4 };

class ByteWriter {
public:
    QByteArray out;
    template <class T> void put(T v)
    {
        const T le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), sizeof le);
    }
    void u8(quint8 v) { out.append(char(v)); }
    void u32(quint32 v) { put(v); }
    void u64(quint64 v) { put(v); }
    void f64(double d)
    {
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        put(bits);
    }
    void rect(const QRectF &r)
    {
        f64(r.x());
        f64(r.y());
        f64(r.width());
        f64(r.height());
    }
};

quint8 alignCode(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return 1;
    if (a & Qt::AlignHCenter)
        return 2;
    return 0;
}

struct StyleKey {
    qint32 family;
    double size;
    quint8 flags;
    quint8 align;
    QRgb color;
    bool operator==(const StyleKey &o) const = default;
};
size_t qHash(const StyleKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.family, k.size, k.flags, k.align, k.color);
}

std::atomic<int> g_saveFault{int(SaveFault::None)};
std::atomic<int> g_saveFaultBatch{0};

// The sections of a file, written in order as they are made. Packing
// happens on helper threads when there is much to pack: sections are handed
// over in batches through a queue of bounded length, and each batch is
// written as soon as it and those before it are packed, so that only a few
// batches are held at any time, whatever the size of the report. Whatever
// fails on a helper (memory, zlib) is caught there and ends the save with
// an error on the thread that saves; nothing leaves a helper.
class SectionStream {
public:
    SectionStream(QIODevice &out, bool compress, int threads) : m_out(out), m_compress(compress)
    {
        ByteWriter head;
        head.u32(quint32(kReportFileVersion));
        put(kMagic2);
        put(head.out);
        // Room for every helper first: a helper is never lost on its way in.
        m_helpers.reserve(size_t(compress ? std::max(0, threads - 1) : 0));
        try {
            for (int t = 1; compress && t < threads; ++t)
                m_helpers.emplace_back([this] { help(); });
        } catch (...) {
            // No more threads: the rest is packed by those there are.
        }
    }

    ~SectionStream() { stop(); }

    void add(char kind, QByteArray raw)
    {
        throwIfFailed();
        if (!m_batch)
            m_batch = std::make_shared<Batch>();
        m_batchBytes += raw.size();
        m_batch->sections.push_back({kind, std::move(raw), QByteArray()});
        if (m_batchBytes >= kBatchBytes || m_batch->sections.size() >= kBatchSections)
            handOver();
    }

    // Writes the end and everything still held; throws when the file could
    // not be packed or written.
    void finish()
    {
        add('E', QByteArray());
        handOver();
        std::unique_lock lock(m_mutex);
        while (!m_inFlight.empty())
            writeFront(lock);
        lock.unlock();
        stop();
        throwIfFailed();
    }

private:
    struct Section {
        char kind;
        QByteArray raw;
        QByteArray packed; // empty: stored as it is
    };
    struct Batch {
        std::vector<Section> sections;
        int number = 0; // from 0, in the order of the file
        bool done = false;
    };
    enum Failure { NoFailure, PackingFailed, OutOfMemory };
    // A batch of about a megabyte: enough for the threads to share out,
    // little enough to keep several in hand.
    static constexpr qint64 kBatchBytes = 1 << 20;
    static constexpr size_t kBatchSections = 256;

    int maxInFlight() const { return 2 * int(m_helpers.size()) + 2; }

    void handOver()
    {
        if (!m_batch)
            return;
        std::shared_ptr<Batch> batch = std::move(m_batch);
        m_batch.reset();
        m_batchBytes = 0;
        batch->number = m_batches++;
        if (m_helpers.empty()) {
            packCaught(*batch);
            batch->done = true;
            std::unique_lock lock(m_mutex);
            m_inFlight.push_back(std::move(batch));
            writeFront(lock);
            return;
        }
        std::unique_lock lock(m_mutex);
        m_queue.push_back(batch);
        m_inFlight.push_back(std::move(batch));
        m_work.notify_one();
        // What is packed is written; too much in hand waits for the oldest.
        while (!m_inFlight.empty() && (m_inFlight.front()->done || int(m_inFlight.size()) > maxInFlight()))
            writeFront(lock);
    }

    // Writes the oldest batch once it is packed (the lock is let go while
    // it is written).
    void writeFront(std::unique_lock<std::mutex> &lock)
    {
        m_done.wait(lock, [&] { return m_inFlight.front()->done; });
        std::shared_ptr<Batch> batch = std::move(m_inFlight.front());
        m_inFlight.pop_front();
        lock.unlock();
        if (batch->number == g_saveFaultBatch && g_saveFault == int(SaveFault::Writing))
            m_writeFailed = true;
        for (Section &s : batch->sections)
            write(s);
        batch.reset();
        lock.lock();
    }

    void throwIfFailed()
    {
        if (m_failure == OutOfMemory)
            cannotSave(QStringLiteral("not enough memory to pack the data"));
        if (m_failure == PackingFailed)
            cannotSave(QStringLiteral("the data could not be packed"));
        if (m_writeFailed)
            cannotSave(m_out.errorString());
    }

    void fail(Failure why)
    {
        int none = NoFailure;
        m_failure.compare_exchange_strong(none, why);
    }

    void help()
    {
        for (;;) {
            std::shared_ptr<Batch> batch;
            {
                std::unique_lock lock(m_mutex);
                m_work.wait(lock, [&] { return m_stopping || !m_queue.empty(); });
                if (m_stopping)
                    return;
                batch = std::move(m_queue.front());
                m_queue.pop_front();
            }
            packCaught(*batch);
            std::lock_guard lock(m_mutex);
            batch->done = true;
            m_done.notify_all();
        }
    }

    void stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_work.notify_all();
        for (std::thread &t : m_helpers)
            t.join();
        m_helpers.clear();
    }

    void packCaught(Batch &batch)
    {
        try {
            pack(batch);
        } catch (const std::bad_alloc &) {
            fail(OutOfMemory);
        } catch (...) {
            fail(PackingFailed);
        }
    }

    // Packs every non-empty section with zlib at the packing level; after a
    // failure nothing more is packed.
    void pack(Batch &batch)
    {
        if (!m_compress || m_failure != NoFailure)
            return;
        const bool faulty = batch.number == g_saveFaultBatch;
        if (faulty && g_saveFault == int(SaveFault::Allocation))
            throw std::bad_alloc();
        z_stream z{};
        if (deflateInit(&z, kPackingLevel) != Z_OK || (faulty && g_saveFault == int(SaveFault::Compression))) {
            deflateEnd(&z);
            fail(PackingFailed);
            return;
        }
        // The stream is ended however the packing ends.
        const auto end = qScopeGuard([&] { deflateEnd(&z); });
        for (Section &s : batch.sections) {
            if (s.raw.isEmpty())
                continue;
            QByteArray out(qsizetype(deflateBound(&z, uLong(s.raw.size()))), Qt::Uninitialized);
            z.next_in = reinterpret_cast<Bytef *>(s.raw.data());
            z.avail_in = uInt(s.raw.size());
            z.next_out = reinterpret_cast<Bytef *>(out.data());
            z.avail_out = uInt(out.size());
            if (deflate(&z, Z_FINISH) != Z_STREAM_END) {
                fail(PackingFailed);
                return;
            }
            out.truncate(qsizetype(z.total_out));
            s.packed = std::move(out);
            deflateReset(&z);
        }
    }

    void write(Section &s)
    {
        // A section is stored as it is when packed it would leave the file
        // unpacking to more than kMaxRatio times what it holds so far: what
        // a reader refuses as a trap.
        bool packed = !s.packed.isEmpty();
        if (packed && m_unpacked + s.raw.size() > kMaxRatio * (m_packed + s.packed.size()))
            packed = false;
        const QByteArray &body = packed ? s.packed : s.raw;
        m_unpacked += s.raw.size();
        m_packed += body.size();
        ByteWriter h;
        h.u8(quint8(s.kind));
        h.u8(packed ? 1 : 0);
        h.u32(quint32(body.size()));
        h.u32(quint32(s.raw.size()));
        put(h.out);
        put(body);
    }

    void put(const QByteArray &bytes)
    {
        if (!m_writeFailed && !bytes.isEmpty() && m_out.write(bytes) != bytes.size())
            m_writeFailed = true;
    }

    QIODevice &m_out;
    bool m_compress;
    std::vector<std::thread> m_helpers;
    std::mutex m_mutex;
    std::condition_variable m_work; // a batch waits to be packed, or the helpers are to stop
    std::condition_variable m_done; // a batch was packed
    std::deque<std::shared_ptr<Batch>> m_queue;    // to be packed
    std::deque<std::shared_ptr<Batch>> m_inFlight; // made and not written yet, in order
    bool m_stopping = false;
    std::atomic<int> m_failure{NoFailure}; // the first failure of packing
    bool m_writeFailed = false;
    int m_batches = 0; // handed over
    std::shared_ptr<Batch> m_batch; // being filled
    qint64 m_batchBytes = 0;
    qint64 m_unpacked = 0, m_packed = 0; // of the sections written
};

// Writes the fields of a page's items into a buffer known to be large
// enough.
struct PageWriter {
    char *at;
    explicit PageWriter(char *to) : at(to) {}
    template <class T> void put(T v)
    {
        const T le = qToLittleEndian(v);
        std::memcpy(at, &le, sizeof le);
        at += sizeof le;
    }
    void u8(quint8 v) { *at++ = char(v); }
    void u32(quint32 v) { put(v); }
    void f64(double d)
    {
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        put(bits);
    }
};

// Bounds and sizes of an item that the file cannot hold, checked on its
// numbers before anything is written.
bool boxOk(const double *v)
{
    return inRange(v[0], -kMaxCoordinate, kMaxCoordinate) && inRange(v[1], -kMaxCoordinate, kMaxCoordinate) &&
           inRange(v[2], 0, kMaxCoordinate) && inRange(v[3], 0, kMaxCoordinate);
}

bool endsOk(const double *v)
{
    for (int i = 0; i < 4; ++i)
        if (!inRange(v[i], -kMaxCoordinate, kMaxCoordinate))
            return false;
    return true;
}

// A document laid out as a file: what is numbered and how large, found in
// a first walk over the pages, which also checks every item against the
// limits, so that a report the file cannot hold is refused before anything
// is written. The pages are then written one after another.
class FilePlan {
public:
    FilePlan(const Document &doc, const ReportFileLimits &limits) : m_doc(doc), m_limits(limits)
    {
        if (!inRange(doc.pageSizeMm.width(), 1, kMaxPageMm) || !inRange(doc.pageSizeMm.height(), 1, kMaxPageMm))
            cannotSave(QStringLiteral("the paper size is out of range"));
        if (doc.pages.size() > limits.maxPages)
            tooLarge(QStringLiteral("%1 pages, at most %2").arg(doc.pages.size()).arg(limits.maxPages));
        m_own.list = &doc.pages;
        m_bytes = 8 + 8 + 4 * 4 + 8;
        for (int p = 0; p < doc.pages.size(); ++p)
            planPage(p);
        m_bytes += 4;
        for (const QString &str : std::as_const(m_strings))
            m_bytes += 4 + str.toUtf8().size();
        m_bytes += qint64(m_styles.size()) * kStyleBytes + 4;
        for (const QByteArray &png : std::as_const(m_images))
            m_bytes += png.size();
    }

    // What the file's sections take unpacked, about.
    qint64 unpackedBytes() const { return m_bytes; }

    void write(QIODevice &out, bool compress)
    {
        SectionStream stream(out, compress, compress ? packingThreads(m_bytes) : 1);
        {
            ByteWriter h;
            h.f64(m_doc.pageSizeMm.width());
            h.f64(m_doc.pageSizeMm.height());
            h.u32(quint32(m_doc.pages.size()));
            h.u32(quint32(m_strings.size()));
            h.u32(quint32(m_styles.size()));
            h.u32(quint32(m_images.size()));
            h.u64(quint64(m_items));
            stream.add('H', h.out);
        }
        // Strings in sections of at most half the section limit.
        ByteWriter sw;
        quint32 inSection = 0;
        auto flushStrings = [&] {
            if (inSection == 0)
                return;
            const quint32 le = qToLittleEndian(inSection);
            std::memcpy(sw.out.data(), &le, sizeof le);
            stream.add('S', std::move(sw.out));
            sw.out = QByteArray();
            inSection = 0;
        };
        for (const QString &str : std::as_const(m_strings)) {
            const QByteArray utf8 = str.toUtf8();
            if (inSection > 0 && sw.out.size() + 4 + utf8.size() > m_limits.maxSectionBytes / 2)
                flushStrings();
            if (inSection == 0)
                sw.u32(0);
            sw.u32(quint32(utf8.size()));
            sw.out.append(utf8);
            ++inSection;
        }
        flushStrings();
        const int stylesPerSection = int((m_limits.maxSectionBytes - 4) / kStyleBytes);
        for (int from = 0; from < m_styles.size(); from += stylesPerSection) {
            const int n = std::min<int>(stylesPerSection, int(m_styles.size()) - from);
            ByteWriter f;
            f.u32(quint32(n));
            for (int i = from; i < from + n; ++i) {
                f.u32(quint32(m_styles[i].family));
                f.f64(m_styles[i].size);
                f.u8(m_styles[i].flags);
                f.u8(m_styles[i].align);
                f.u32(m_styles[i].color);
            }
            stream.add('F', std::move(f.out));
        }
        for (const QByteArray &png : std::as_const(m_images))
            stream.add('I', png);
        for (int p = 0; p < m_doc.pages.size(); ++p)
            stream.add('P', pageBytes(p));
        stream.finish();
    }

private:
    static constexpr int kStyleBytes = 4 + 8 + 1 + 1 + 4;
    static constexpr qsizetype kMaxItemBytes = 1 + 5 * 8 + 2 * 4;

    // A page list's numbers of texts, styles and pictures in the file.
    struct ListNumbers {
        const PageList *list = nullptr;
        QVector<qint32> stringOf; // -1: not in the file yet
        QVector<quint8> textFits; // 0 unchecked, 1 fits, 2 does not
        QVector<qint32> styleOf;
        QVector<quint8> styleFits;
        QVector<qint32> imageOf;
        QVector<QRgb> colors;
        void grow()
        {
            stringOf.resize(list->strings().size(), -1);
            textFits.resize(list->strings().size(), 0);
            styleOf.resize(list->styles().size(), -1);
            styleFits.resize(list->styles().size(), 0);
            imageOf.resize(list->images().size(), -1);
            for (qsizetype i = colors.size(); i < list->colors().size(); ++i)
                colors.push_back(list->colors()[i].rgba());
        }
    };

    // The items of page p, from the list that holds them: a page kept
    // elsewhere (read from a file) is taken into a list of its own first,
    // one page at a time.
    ListNumbers &itemsOf(int p, QVector<PageList::HeldItem> &items)
    {
        if (m_doc.pages.isHeld(p)) {
            m_own.list->heldItems(p, items);
            m_own.grow();
            return m_own;
        }
        if (m_foreign.isEmpty())
            m_foreign.push_back(m_doc.pages.at(p));
        else
            m_foreign.replace(0, m_doc.pages.at(p));
        m_foreign.heldItems(0, items);
        m_other.list = &m_foreign;
        m_other.grow();
        return m_other;
    }

    qint32 addString(const QString &s)
    {
        if (m_strings.size() >= m_limits.maxStrings)
            tooLarge(QStringLiteral("more than %1 different texts").arg(m_limits.maxStrings));
        m_strings.push_back(s);
        return qint32(m_strings.size() - 1);
    }

    qint32 textId(ListNumbers &n, quint32 id)
    {
        qint32 &f = n.stringOf[id];
        if (f < 0)
            f = addString(n.list->strings()[id]);
        return f;
    }

    qint32 styleId(ListNumbers &n, quint32 id)
    {
        qint32 &f = n.styleOf[id];
        if (f >= 0)
            return f;
        const PageList::TextStyle &st = n.list->styles()[id];
        qint32 family;
        if (const qint64 asText = n.list->stringIdOf(st.font.family); asText >= 0) {
            family = textId(n, quint32(asText));
        } else {
            auto it = m_familyIds.find(st.font.family);
            if (it == m_familyIds.end())
                it = m_familyIds.insert(st.font.family, addString(st.font.family));
            family = it.value();
        }
        const StyleKey key{family, st.font.pointSize,
                           quint8((st.font.bold ? kBold : 0) | (st.font.underline ? kUnderline : 0) |
                                  (st.direction == Qt::RightToLeft ? kRtl : 0)),
                           alignCode(st.alignment), st.font.color.rgba()};
        f = m_styleIds.value(key, -1);
        if (f < 0) {
            if (m_styles.size() >= m_limits.maxStyles)
                tooLarge(QStringLiteral("more than %1 different text styles").arg(m_limits.maxStyles));
            f = qint32(m_styles.size());
            m_styles.push_back(key);
            m_styleIds.insert(key, f);
        }
        return f;
    }

    // Numbers what the page shows in the file and checks its items.
    void planPage(int p)
    {
        ListNumbers &n = itemsOf(p, m_items0);
        const QVector<PageList::HeldItem> &items = m_items0;
        if (items.size() > m_limits.maxItemsPerPage)
            tooLarge(QStringLiteral("page %1 has %2 items, at most %3")
                         .arg(p + 1)
                         .arg(items.size())
                         .arg(m_limits.maxItemsPerPage));
        // An item the file cannot hold is told as the item itself would be.
        auto refuse = [&](int i) {
            const QString problem = itemProblem(m_doc.pages.at(p).items[i], m_limits);
            const QString where = QStringLiteral("page %1, item %2: ").arg(p + 1).arg(i + 1);
            if (problem.isEmpty() || problem.contains(QLatin1String("out of range")))
                cannotSave(where + (problem.isEmpty() ? QStringLiteral("a value out of range") : problem));
            tooLarge(where + problem);
        };
        qint64 bytes = 4;
        quint32 count = 0;
        PageTexts texts;
        for (int i = 0; i < items.size(); ++i) {
            const PageList::HeldItem &item = items[i];
            switch (item.kind) {
            case PageList::HeldItem::Text: {
                quint8 &fits = n.textFits[item.ids[0]];
                if (fits == 0)
                    fits = n.list->strings()[item.ids[0]].size() > m_limits.maxTextLength ? 2 : 1;
                quint8 &styleFit = n.styleFits[item.ids[1]];
                if (styleFit == 0) {
                    const ReportFont &font = n.list->styles()[item.ids[1]].font;
                    styleFit = font.family.size() <= 256 && inRange(font.pointSize, 0.01, kMaxFontPoints) ? 1 : 2;
                }
                if (fits != 1 || styleFit != 1 || !boxOk(item.v))
                    refuse(i);
                const qint32 style = styleId(n, item.ids[1]);
                textId(n, item.ids[0]);
                if (const QString problem =
                        texts.add(n.list->strings()[item.ids[0]].size(), m_pageStyles.isNew(style, p), m_limits);
                    !problem.isEmpty())
                    tooLarge(QStringLiteral("page %1: ").arg(p + 1) + problem);
                bytes += 1 + 4 + 4 + 4 * 8;
                break;
            }
            case PageList::HeldItem::Line:
                if (!endsOk(item.v) || !inRange(item.v[4], 0, 1000))
                    refuse(i);
                bytes += 1 + 5 * 8 + 4;
                break;
            case PageList::HeldItem::Rect:
                if (!boxOk(item.v) || !inRange(item.v[4], 0, 1000))
                    refuse(i);
                bytes += 1 + 5 * 8 + 2 * 4;
                break;
            case PageList::HeldItem::Image: {
                const QImage &image = n.list->images()[item.ids[0]];
                if (image.isNull())
                    continue; // nothing to draw
                if (!boxOk(item.v) || image.width() > m_limits.maxImageSide || image.height() > m_limits.maxImageSide)
                    refuse(i);
                qint32 &id = n.imageOf[item.ids[0]];
                if (id < 0) {
                    if (m_images.size() >= m_limits.maxImages)
                        tooLarge(QStringLiteral("more than %1 different pictures").arg(m_limits.maxImages));
                    QByteArray png;
                    QBuffer buf(&png);
                    buf.open(QIODevice::WriteOnly);
                    if (!image.save(&buf, "PNG"))
                        cannotSave(QStringLiteral("page %1: a picture could not be stored").arg(p + 1));
                    if (png.size() > m_limits.maxSectionBytes)
                        tooLarge(QStringLiteral("page %1: a picture of more than %2 bytes")
                                     .arg(p + 1)
                                     .arg(m_limits.maxSectionBytes));
                    // What a reader will take to decode it, as it tells.
                    const PngHeader head = pngHeader(png);
                    if (const QString problem = pictureProblem(head, m_imageBytes, m_limits); !problem.isEmpty())
                        tooLarge(QStringLiteral("page %1: a picture of ").arg(p + 1) + problem);
                    m_imageBytes += head.bytes;
                    id = qint32(m_images.size());
                    m_images.push_back(png);
                }
                bytes += 1 + 4 * 8 + 4;
                break;
            }
            case PageList::HeldItem::Sides: // handed out as lines
                continue;
            }
            ++count;
        }
        m_items += count;
        if (m_items > m_limits.maxItems)
            tooLarge(QStringLiteral("more than %1 items").arg(m_limits.maxItems));
        if (bytes > m_limits.maxSectionBytes)
            tooLarge(QStringLiteral("page %1 is too full").arg(p + 1));
        m_bytes += bytes;
    }

    // The page's section, its items numbered as the first walk found.
    QByteArray pageBytes(int p)
    {
        ListNumbers &n = itemsOf(p, m_items0);
        const QVector<PageList::HeldItem> &items = m_items0;
        // Written straight into a buffer as large as the page can take.
        QByteArray bytes(4 + items.size() * kMaxItemBytes, Qt::Uninitialized);
        PageWriter w(bytes.data() + 4);
        quint32 count = 0;
        for (const PageList::HeldItem &item : items) {
            switch (item.kind) {
            case PageList::HeldItem::Text:
                w.u8(kText);
                w.u32(quint32(n.stringOf[item.ids[0]]));
                w.u32(quint32(n.styleOf[item.ids[1]]));
                for (int k = 0; k < 4; ++k)
                    w.f64(item.v[k]);
                break;
            case PageList::HeldItem::Line:
                w.u8(kLine);
                for (int k = 0; k < 5; ++k)
                    w.f64(item.v[k]);
                w.u32(n.colors[item.ids[0]]);
                break;
            case PageList::HeldItem::Rect:
                w.u8(kRect);
                for (int k = 0; k < 5; ++k)
                    w.f64(item.v[k]);
                w.u32(n.colors[item.ids[0]]);
                w.u32(n.colors[item.ids[1]]);
                break;
            case PageList::HeldItem::Image:
                if (n.list->images()[item.ids[0]].isNull())
                    continue;
                w.u8(kImage);
                for (int k = 0; k < 4; ++k)
                    w.f64(item.v[k]);
                w.u32(quint32(n.imageOf[item.ids[0]]));
                break;
            case PageList::HeldItem::Sides: // handed out as lines
                continue;
            }
            ++count;
        }
        const quint32 le = qToLittleEndian(count);
        std::memcpy(bytes.data(), &le, sizeof le);
        bytes.truncate(w.at - bytes.data());
        return bytes;
    }

    const Document &m_doc;
    const ReportFileLimits &m_limits;
    ListNumbers m_own;
    ListNumbers m_other;
    PageList m_foreign;
    QVector<PageList::HeldItem> m_items0;
    // The file numbers texts and styles by first use, families and texts
    // together, as a reader meets them.
    QVector<QString> m_strings;
    QHash<QString, qint32> m_familyIds; // families that are no text of a list
    QVector<StyleKey> m_styles;
    QHash<StyleKey, qint32> m_styleIds;
    QVector<QByteArray> m_images;
    qint64 m_items = 0;
    qint64 m_bytes = 0;
    qint64 m_imageBytes = 0; // of the pictures, decoded
    PageStyles m_pageStyles;
};

// ---------------------------------------------------------------- version 2: reading

// Reads the fields of one section, refusing to read past its end.
class ByteReader {
public:
    ByteReader(const QByteArray &data, const Where &where) : m_p(data.constData()), m_end(m_p + data.size()), m_where(where) {}

    [[noreturn]] void fail(const QString &what) const { damaged(m_where.text() + QStringLiteral(": ") + what); }
    void need(qsizetype n) const
    {
        if (m_end - m_p < n)
            fail(QStringLiteral("the section ends early"));
    }
    template <class T> T get()
    {
        need(sizeof(T));
        T v;
        std::memcpy(&v, m_p, sizeof v);
        m_p += sizeof v;
        return qFromLittleEndian(v);
    }
    quint8 u8() { return get<quint8>(); }
    quint32 u32() { return get<quint32>(); }
    quint64 u64() { return get<quint64>(); }
    double f64()
    {
        const quint64 bits = get<quint64>();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    QRectF rect()
    {
        const double x = f64(), y = f64(), w = f64(), h = f64();
        return QRectF(x, y, w, h);
    }
    const char *bytes(qsizetype n)
    {
        need(n);
        const char *p = m_p;
        m_p += n;
        return p;
    }
    bool atEnd() const { return m_p == m_end; }
    Where &where() { return m_where; }

private:
    const char *m_p;
    const char *m_end;
    Where m_where;
};

// Reads the sections of a version 2 file one at a time, each unpacked into a
// buffer no larger than the section says and the limits allow.
class SectionReader {
public:
    SectionReader(QIODevice &dev, const ReportFileLimits &limits) : m_dev(dev), m_limits(limits) {}
    ~SectionReader()
    {
        if (m_zInit)
            inflateEnd(&m_z);
    }

    // The next section's kind; its bytes are in data().
    char next(const Where &where)
    {
        char head[10];
        if (m_dev.read(head, sizeof head) != qint64(sizeof head))
            damaged(where.text() + QStringLiteral(": the file is cut short"));
        const char kind = head[0];
        const quint8 packing = quint8(head[1]);
        const quint32 packed = qFromLittleEndian<quint32>(head + 2);
        const quint32 unpacked = qFromLittleEndian<quint32>(head + 6);
        if (packing > 1)
            damaged(where.text() + QStringLiteral(": unknown packing"));
        // Sizes are checked before anything is read or unpacked.
        if (qint64(unpacked) > m_limits.maxSectionBytes)
            damaged(where.text() + QStringLiteral(": a section claims %1 bytes").arg(unpacked));
        if (packing == 0 ? packed != unpacked : (packed == 0 || packed > compressBound(unpacked)))
            damaged(where.text() + QStringLiteral(": impossible section length"));
        m_packedTotal += packed;
        m_unpackedTotal += unpacked;
        if (m_unpackedTotal > kRatioFloor && m_unpackedTotal > kMaxRatio * m_packedTotal)
            damaged(QStringLiteral("the content unpacks to far more than the file holds"));
        m_lastPacked = packing == 1;
        if (packing == 0) {
            m_data.resize(unpacked);
            if (m_dev.read(m_data.data(), unpacked) != qint64(unpacked))
                damaged(where.text() + QStringLiteral(": the file is cut short"));
            return kind;
        }
        m_packed.resize(packed);
        if (m_dev.read(m_packed.data(), packed) != qint64(packed))
            damaged(where.text() + QStringLiteral(": the file is cut short"));
        m_data.resize(unpacked);
        if (!m_zInit) {
            if (inflateInit(&m_z) != Z_OK)
                damaged(QStringLiteral("cannot unpack"));
            m_zInit = true;
        } else {
            inflateReset(&m_z);
        }
        m_z.next_in = reinterpret_cast<Bytef *>(m_packed.data());
        m_z.avail_in = packed;
        m_z.next_out = reinterpret_cast<Bytef *>(m_data.data());
        m_z.avail_out = unpacked;
        // The output buffer is the declared size: a stream that wants to
        // give more stops here.
        const int rc = inflate(&m_z, Z_FINISH);
        if (rc != Z_STREAM_END || m_z.avail_out != 0 || m_z.avail_in != 0)
            damaged(where.text() + QStringLiteral(": the packed content cannot be read"));
        return kind;
    }

    const QByteArray &data() const { return m_data; }
    // The section as the file holds it: its packed bytes (taken; the next
    // section reads into a buffer of its own) or, for a stored section, a
    // copy of its bytes.
    bool packed() const { return m_lastPacked; }
    QByteArray takeFileBytes() { return m_lastPacked ? std::exchange(m_packed, QByteArray()) : m_data; }

private:
    QIODevice &m_dev;
    const ReportFileLimits &m_limits;
    QByteArray m_packed;
    QByteArray m_data;
    z_stream m_z{};
    bool m_zInit = false;
    qint64 m_packedTotal = 0;
    qint64 m_unpackedTotal = 0;
    bool m_lastPacked = false;
};

struct FileStyle {
    ReportFont font;
    Qt::LayoutDirection direction;
    Qt::Alignment alignment;
};

// The items of a page section, read as they stand (the section was checked
// when the file was loaded).
void readPageItems(ByteReader &r, quint32 n, const QVector<QString> &strings, const QVector<FileStyle> &styles,
                   const QVector<QImage> &images, Page &page)
{
    page.items.reserve(n);
    for (quint32 i = 0; i < n; ++i) {
        const quint8 k = r.u8();
        if (k == kText) {
            const quint32 str = r.u32(), st = r.u32();
            const FileStyle &style = styles.at(st);
            page.items.push_back(TextRun{strings.at(str), style.font, style.direction, style.alignment, r.rect()});
        } else if (k == kLine) {
            LineItem l;
            l.p1.setX(r.f64());
            l.p1.setY(r.f64());
            l.p2.setX(r.f64());
            l.p2.setY(r.f64());
            l.width = r.f64();
            l.color = QColor::fromRgba(r.u32());
            page.items.push_back(l);
        } else if (k == kRect) {
            RectItem rc;
            rc.rect = r.rect();
            rc.penWidth = r.f64();
            rc.penColor = QColor::fromRgba(r.u32());
            rc.fill = QColor::fromRgba(r.u32());
            page.items.push_back(rc);
        } else if (k == kImage) {
            const QRectF rect = r.rect();
            page.items.push_back(ImageItem{rect, images.at(r.u32())});
        } else {
            r.fail(QStringLiteral("unknown item kind %1").arg(k));
        }
    }
}

// The pages of a loaded file, kept as the file holds them until a page is
// asked for.
class FilePages : public PageList::PageSource {
public:
    QVector<QString> strings;
    QVector<FileStyle> styles;
    QVector<QImage> images;
    struct Section {
        QByteArray bytes;
        quint32 unpacked = 0;
        bool packed = false;
    };
    QVector<Section> pages;

    Page page(qsizetype index) const override
    {
        const Section &s = pages.at(index);
        QByteArray raw;
        if (s.packed) {
            raw.resize(s.unpacked);
            uLongf len = s.unpacked;
            if (uncompress(reinterpret_cast<Bytef *>(raw.data()), &len,
                           reinterpret_cast<const Bytef *>(s.bytes.constData()), uLong(s.bytes.size())) != Z_OK ||
                len != s.unpacked)
                return Page(); // unpacked once already when the file was loaded
        } else {
            raw = s.bytes;
        }
        Page page;
        try {
            ByteReader r(raw, Where{int(index) + 1, 0, nullptr});
            readPageItems(r, r.u32(), strings, styles, images, page);
        } catch (const ReportFileError &) {
            // Checked when the file was loaded.
        }
        return page;
    }
};

Document readVersion2(QIODevice &dev, const ReportFileLimits &limits)
{
    char versionBytes[4];
    if (dev.read(versionBytes, 4) != 4)
        damaged(QStringLiteral("the file is cut short"));
    const quint32 version = qFromLittleEndian<quint32>(versionBytes);
    if (version > quint32(kReportFileVersion))
        throw ReportFileError(ReportFileError::Kind::NewerVersion, kNewer + QStringLiteral("\n(version %1)").arg(version));
    if (version < 2)
        damaged(QStringLiteral("unknown version %1").arg(version));

    SectionReader sections(dev, limits);
    Document doc;
    if (sections.next(Where{}) != 'H')
        damaged(QStringLiteral("file: the heading is missing"));
    quint32 pageCount, stringCount, styleCount, imageCount;
    quint64 itemCount;
    {
        ByteReader h(sections.data(), Where{0, 0, "heading"});
        const double w = h.f64(), ht = h.f64();
        if (!inRange(w, 1, kMaxPageMm) || !inRange(ht, 1, kMaxPageMm))
            h.fail(QStringLiteral("the paper size is out of range"));
        doc.pageSizeMm = QSizeF(w, ht);
        pageCount = h.u32();
        stringCount = h.u32();
        styleCount = h.u32();
        imageCount = h.u32();
        itemCount = h.u64();
        if (pageCount > quint32(limits.maxPages) || stringCount > quint32(limits.maxStrings) ||
            styleCount > quint32(limits.maxStyles) || imageCount > quint32(limits.maxImages) ||
            itemCount > quint64(limits.maxItems))
            h.fail(QStringLiteral("counts beyond the limits"));
    }
    doc.pages.reserve(qsizetype(pageCount));

    // The pages stay packed as the file holds them; each is checked here,
    // item by item, and unpacked again when it is shown.
    const auto source = std::make_shared<FilePages>();
    QVector<QString> &strings = source->strings;
    QVector<FileStyle> &styles = source->styles;
    QVector<QImage> &images = source->images;
    // The pictures as the file holds them, decoded once every page is
    // checked and only if a page shows them; what they take decoded is
    // told from their headers before.
    QVector<QByteArray> pictures;
    QVector<PngHeader> pictureHeads;
    QVector<bool> shown;
    qint64 pictureBytes = 0;
    // Per style, what is wrong with it for a text; empty when nothing.
    QVector<QString> styleProblems;
    PageStyles pageStyles;
    quint64 items = 0;
    int sectionNumber = 1; // the heading is the first
    for (;;) {
        Where where;
        where.section = ++sectionNumber;
        where.after = int(doc.pages.size());
        const char kind = sections.next(where);
        // What the section is, once its kind is known.
        where.section = 0;
        if (kind == 'P')
            where.page = int(doc.pages.size()) + 1;
        else if (kind == 'I')
            where.picture = int(pictures.size()) + 1;
        else
            where = Where{0, 0, kind == 'S' ? "texts" : kind == 'F' ? "text styles" : nullptr, 0, sectionNumber,
                          int(doc.pages.size())};
        ByteReader r(sections.data(), where);
        if (kind == 'E') {
            if (!r.atEnd())
                r.fail(QStringLiteral("the end section is not empty"));
            break;
        } else if (kind == 'S') {
            const quint32 n = r.u32();
            if (n > stringCount - quint32(strings.size()))
                r.fail(QStringLiteral("more strings than the heading says"));
            for (quint32 i = 0; i < n; ++i) {
                const quint32 len = r.u32();
                const char *p = r.bytes(len);
                QString str = QString::fromUtf8(p, len);
                if (str.size() > limits.maxTextLength)
                    r.fail(QStringLiteral("a text is too long"));
                // Bytes that are no UTF-8 come in as replacement characters:
                // the text would be saved again as another.
                if (str.contains(QChar::ReplacementCharacter) && str.toUtf8() != QByteArrayView(p, len))
                    r.fail(QStringLiteral("text %1 holds bytes that are no characters").arg(strings.size() + 1));
                strings.push_back(std::move(str));
            }
        } else if (kind == 'F') {
            const quint32 n = r.u32();
            if (n > styleCount - quint32(styles.size()))
                r.fail(QStringLiteral("more styles than the heading says"));
            for (quint32 i = 0; i < n; ++i) {
                FileStyle st;
                const quint32 family = r.u32();
                if (family >= quint32(strings.size()))
                    r.fail(QStringLiteral("a style names a missing string"));
                st.font.family = strings[family];
                st.font.pointSize = r.f64();
                const quint8 flags = r.u8();
                const quint8 align = r.u8();
                st.font.color = QColor::fromRgba(r.u32());
                if (flags > 7 || align > 2)
                    r.fail(QStringLiteral("a style is garbled"));
                st.font.bold = flags & kBold;
                st.font.underline = flags & kUnderline;
                st.direction = (flags & kRtl) ? Qt::RightToLeft : Qt::LeftToRight;
                st.alignment = align == 1 ? Qt::AlignRight : align == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
                styleProblems.push_back(
                    itemProblem(TextRun{QString(), st.font, st.direction, st.alignment, QRectF()}, limits));
                styles.push_back(st);
            }
        } else if (kind == 'I') {
            if (quint32(pictures.size()) >= imageCount)
                r.fail(QStringLiteral("more pictures than the heading says"));
            const PngHeader head = pngHeader(sections.data());
            if (head.bytes < 0 || head.width > quint32(limits.maxImageSide) ||
                head.height > quint32(limits.maxImageSide))
                r.fail(QStringLiteral("not a readable PNG"));
            pictures.push_back(sections.data());
            pictureHeads.push_back(head);
            shown.push_back(false);
        } else if (kind == 'P') {
            if (quint32(doc.pages.size()) >= pageCount)
                r.fail(QStringLiteral("more pages than the heading says"));
            if (strings.size() != qsizetype(stringCount) || styles.size() != qsizetype(styleCount) ||
                pictures.size() != qsizetype(imageCount))
                r.fail(QStringLiteral("a page comes before its texts"));
            PageTexts texts;
            const quint32 n = r.u32();
            if (n > quint32(limits.maxItemsPerPage) || n > itemCount - items)
                r.fail(QStringLiteral("too many items"));
            items += n;
            // Every field is checked as the items of a page would be, without
            // making them.
            double v[5];
            auto numbers = [&](int count) {
                for (int k = 0; k < count; ++k)
                    v[k] = r.f64();
            };
            for (quint32 i = 0; i < n; ++i) {
                r.where().item = int(i) + 1;
                const quint8 k = r.u8();
                if (k == kText) {
                    const quint32 str = r.u32(), st = r.u32();
                    if (str >= quint32(strings.size()) || st >= quint32(styles.size()))
                        r.fail(QStringLiteral("a text names a missing string or style"));
                    numbers(4);
                    if (!styleProblems[st].isEmpty())
                        r.fail(styleProblems[st]);
                    if (!boxOk(v))
                        r.fail(QStringLiteral("a text box out of range"));
                    if (const QString problem =
                            texts.add(strings[str].size(), pageStyles.isNew(st, int(doc.pages.size())), limits);
                        !problem.isEmpty())
                        r.fail(problem);
                } else if (k == kLine) {
                    numbers(5);
                    r.u32();
                    if (!endsOk(v) || !inRange(v[4], 0, 1000))
                        r.fail(QStringLiteral("a line out of range"));
                } else if (k == kRect) {
                    numbers(5);
                    r.u32();
                    r.u32();
                    if (!boxOk(v) || !inRange(v[4], 0, 1000))
                        r.fail(QStringLiteral("a rectangle out of range"));
                } else if (k == kImage) {
                    numbers(4);
                    const quint32 pic = r.u32();
                    if (pic >= quint32(pictures.size()))
                        r.fail(QStringLiteral("a picture is missing"));
                    if (!boxOk(v))
                        r.fail(QStringLiteral("a picture box out of range"));
                    if (!shown[pic]) {
                        const QString problem = pictureProblem(pictureHeads[pic], pictureBytes, limits);
                        if (!problem.isEmpty())
                            r.fail(QStringLiteral("picture %1 of ").arg(pic + 1) + problem);
                        pictureBytes += pictureHeads[pic].bytes;
                        shown[pic] = true;
                    }
                } else {
                    r.fail(QStringLiteral("unknown item kind %1").arg(k));
                }
            }
            source->pages.push_back({sections.takeFileBytes(), quint32(sections.data().size()), sections.packed()});
            doc.pages.addPageFrom(source, source->pages.size() - 1, int(n));
            r.where().item = 0;
        } else {
            r.fail(QStringLiteral("unknown section"));
        }
        if (kind != 'I' && !r.atEnd())
            r.fail(QStringLiteral("the section is longer than its content"));
    }
    if (quint32(doc.pages.size()) != pageCount || items != itemCount)
        damaged(QStringLiteral("pages are missing"));
    if (dev.read(1).size() != 0)
        damaged(QStringLiteral("data after the end"));
    images.resize(pictures.size());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        if (!shown[i])
            continue;
        images[i] = decodePicture(std::exchange(pictures[i], QByteArray()));
        if (images[i].isNull())
            damaged(Where{0, 0, nullptr, int(i) + 1}.text() + QStringLiteral(": not a readable PNG"));
    }
    return doc;
}

// ---------------------------------------------------------------- version 1: unpacking

// Unpacks the JSON text of a packed version 1 file in steps, believing
// neither its stated length nor its packed size: the text must start as
// JSON, end where the length says and not unpack to far more than it holds.
QByteArray unpackVersion1(QIODevice &dev)
{
    char lengthBytes[4];
    if (dev.read(lengthBytes, 4) != 4)
        damaged(QStringLiteral("the file is cut short"));
    const quint32 expected = qFromBigEndian<quint32>(lengthBytes);
    const qint64 bodySize = dev.size() - dev.pos();
    // zlib packs at most about 1000 to 1: a larger claim is damage.
    if (expected == 0 || expected > kMaxJsonBytes || bodySize <= 0 || expected / 1100 > quint64(bodySize))
        damaged(QStringLiteral("impossible content length"));

    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        damaged(QStringLiteral("cannot unpack"));
    struct End {
        z_stream *z;
        ~End() { inflateEnd(z); }
    } end{&z};
    QByteArray json;
    char in[1 << 16];
    char out[1 << 16];
    qint64 packed = 0;
    bool started = false;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        const qint64 n = dev.read(in, sizeof in);
        if (n <= 0)
            damaged(QStringLiteral("the compressed content cannot be read"));
        packed += n;
        z.next_in = reinterpret_cast<Bytef *>(in);
        z.avail_in = uInt(n);
        do {
            z.next_out = reinterpret_cast<Bytef *>(out);
            z.avail_out = sizeof out;
            rc = inflate(&z, Z_NO_FLUSH);
            if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
                damaged(QStringLiteral("the compressed content cannot be read"));
            const qsizetype got = qsizetype(sizeof out - z.avail_out);
            if (quint64(json.size()) + quint64(got) > expected)
                damaged(QStringLiteral("the content is longer than stated"));
            if (!started) {
                // The text must open as JSON.
                for (qsizetype i = 0; i < got && !started; ++i) {
                    const char c = out[i];
                    if (c == '{')
                        started = true;
                    else if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
                        damaged(QStringLiteral("the content is not a report"));
                }
            }
            json.append(out, got);
            if (json.size() > kRatioFloor && json.size() > kMaxRatio * packed)
                damaged(QStringLiteral("the content unpacks to far more than the file holds"));
        } while (z.avail_out == 0 && rc != Z_STREAM_END);
    }
    if (quint32(json.size()) != expected)
        damaged(QStringLiteral("the compressed content cannot be read"));
    return json;
}

Document readVersion1Json(const QByteArray &json, bool compressed, const ReportFileLimits &limits)
{
    QJsonParseError err;
    const QJsonDocument jd = QJsonDocument::fromJson(json, &err);
    if (err.error != QJsonParseError::NoError || !jd.isObject()) {
        if (compressed || looksLikeOurJson(json))
            damaged(QStringLiteral("the content breaks off or is garbled at byte %1").arg(err.offset));
        foreign(QStringLiteral("unknown file kind"));
    }
    return readDocument(jd.object(), limits);
}

Document readAny(QIODevice &dev, const ReportFileLimits &limits)
{
    const QByteArray head = dev.peek(kMagic.size());
    if (head == kMagic2) {
        dev.skip(kMagic2.size());
        return readVersion2(dev, limits);
    }
    if (head == kMagic) {
        dev.skip(kMagic.size());
        return readVersion1Json(unpackVersion1(dev), true, limits);
    }
    // A version 1 text file.
    const QByteArray start = dev.peek(4096);
    int i = 0;
    if (start.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < start.size() && (start[i] == ' ' || start[i] == '\n' || start[i] == '\r' || start[i] == '\t'))
        ++i;
    if (i >= start.size() || start[i] != '{')
        foreign(QStringLiteral("unknown file kind"));
    if (dev.size() > kMaxFileBytes)
        foreign(QStringLiteral("too large"));
    return readVersion1Json(dev.readAll(), false, limits);
}

} // namespace

qint64 decodedPictureBytes() { return g_decodedPictureBytes; }

int packingThreads(qint64 unpackedBytes)
{
    // A report of a few pages is packed on one thread; a booklet on the
    // cores there are, a few megabytes each.
    const qint64 perThread = 2 << 20;
    return int(std::clamp<qint64>(unpackedBytes / perThread, 1, std::max(1u, std::thread::hardware_concurrency())));
}

QByteArray encodeDocument(const Document &doc, bool compress, const ReportFileLimits &limits)
{
    FilePlan plan(doc, limits);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    plan.write(out, compress);
    return bytes;
}

Document decodeDocument(const QByteArray &data, const ReportFileLimits &limits)
{
    QByteArray copy = data;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    return readAny(buf, limits);
}

void saveDocument(const Document &doc, const QString &path, bool compress)
{
    // Name the file in the message.
    auto naming = [&](const ReportFileError &e) {
        const QString msg = e.message();
        const int nl = msg.indexOf(QLatin1Char('\n'));
        return ReportFileError(e.kind(), (nl < 0 ? msg : msg.left(nl)) + QStringLiteral(":\n") + path +
                                             (nl < 0 ? QString() : msg.mid(nl)));
    };
    // Any other failure (memory above all) is told as the save's own.
    auto failed = [&](const std::exception *e) {
        const QString why = dynamic_cast<const std::bad_alloc *>(e) ? QStringLiteral("not enough memory")
                            : e ? QString::fromLocal8Bit(e->what())
                                : QStringLiteral("an unexpected failure");
        return ReportFileError(ReportFileError::Kind::CannotWrite,
                               kCannotWrite + QStringLiteral(":\n") + path + QStringLiteral("\n(") + why +
                                   QLatin1Char(')'));
    };
    // Whatever the file cannot hold is refused before it is begun.
    std::optional<FilePlan> plan;
    try {
        plan.emplace(doc, ReportFileLimits());
    } catch (const ReportFileError &e) {
        throw naming(e);
    } catch (const std::exception &e) {
        throw failed(&e);
    } catch (...) {
        throw failed(nullptr);
    }
    QSaveFile file(path);
    auto cannotWrite = [&] {
        return ReportFileError(ReportFileError::Kind::CannotWrite, kCannotWrite + QStringLiteral(":\n") + path +
                                                                       QStringLiteral("\n(") + file.errorString() +
                                                                       QLatin1Char(')'));
    };
    if (!file.open(QIODevice::WriteOnly))
        throw cannotWrite();
    // The pages are packed and written as they come; the file replaces an
    // earlier one only when it is whole.
    try {
        plan->write(file, compress);
    } catch (const ReportFileError &e) {
        file.cancelWriting();
        throw naming(e);
    } catch (const std::exception &e) {
        file.cancelWriting();
        throw failed(&e);
    } catch (...) {
        file.cancelWriting();
        throw failed(nullptr);
    }
    if (!file.commit())
        throw cannotWrite();
}

void setSaveFaultForTest(SaveFault fault, int batch)
{
    g_saveFaultBatch = batch;
    g_saveFault = int(fault);
}

Document loadDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportFileError(ReportFileError::Kind::CannotOpen,
                              kCannotOpen + QStringLiteral(":\n") + path + QStringLiteral("\n(") +
                                  file.errorString() + QLatin1Char(')'));
    try {
        return readAny(file, ReportFileLimits());
    } catch (const ReportFileError &e) {
        // Name the file in the message.
        const QString msg = e.message();
        const int nl = msg.indexOf(QLatin1Char('\n'));
        const QString head = nl < 0 ? msg : msg.left(nl);
        const QString rest = nl < 0 ? QString() : msg.mid(nl);
        throw ReportFileError(e.kind(), head + QStringLiteral(":\n") + path + rest);
    }
}

} // namespace pf::report
