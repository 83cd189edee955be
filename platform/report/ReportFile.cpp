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
#include <QtEndian>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace pf::report {

namespace {

const QByteArray kMagic = QByteArrayLiteral("BRVQRPZ1");
const QString kFormat = QStringLiteral("Boravest report");

// Limits of a sane file; anything beyond is taken as damage.
constexpr qint64 kMaxFileBytes = qint64(1) << 30;       // 1 GiB on disk
constexpr quint32 kMaxJsonBytes = quint32(1) << 30;     // 1 GiB of JSON text
constexpr int kMaxPages = 100000;
constexpr int kMaxItemsPerPage = 1000000;
constexpr double kMaxCoordinate = 1.0e6;                 // pixels
constexpr double kMaxPageMm = 10000.0;
constexpr double kMaxFontPoints = 1000.0;
constexpr int kMaxImageSide = 20000;
constexpr int kMaxTextLength = 1000000;

const QString kDamaged = QStringLiteral("فايل گزارش خراب يا ناقص است");
const QString kForeign = QStringLiteral("اين فايل، فايل گزارش نيست");
const QString kNewer = QStringLiteral("اين فايل گزارش با نسخه جديدتري از برنامه ساخته شده است");
const QString kCannotOpen = QStringLiteral("فايل گزارش باز نشد");
const QString kCannotWrite = QStringLiteral("فايل گزارش ذخيره نشد");

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

    QString text() const
    {
        QString s = page == 0 ? QStringLiteral("file") : QStringLiteral("page %1").arg(page);
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

QImage decodePng(const Fields &f, QHash<QString, QImage> &cache)
{
    const QString text = f.string(QStringLiteral("png"), 512 * 1024 * 1024);
    if (auto it = cache.constFind(text); it != cache.constEnd())
        return it.value();
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.isEmpty())
        f.fail(QStringLiteral("the picture is not valid base64"));
    QByteArray bytes = decoded.decoded;
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxImageSide || size.height() > kMaxImageSide)
        f.fail(QStringLiteral("the picture is not a readable PNG"));
    QImage img = reader.read();
    if (img.isNull())
        f.fail(QStringLiteral("the picture is not a readable PNG"));
    cache.insert(text, img);
    return img;
}

DrawItem readItem(const QJsonValue &value, Where where, QHash<QString, QImage> &images)
{
    if (!value.isObject())
        damaged(where.text() + QStringLiteral(": not an object"));
    const Fields f(value.toObject(), where);
    const QString type = f.string(QStringLiteral("type"), 16);
    if (type == QLatin1String("text")) {
        TextRun run;
        run.text = f.string(QStringLiteral("text"), kMaxTextLength);
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
        img.image = decodePng(f, images);
        return img;
    }
    f.fail(QStringLiteral("unknown item type \"%1\"").arg(type));
}

Document readDocument(const QJsonObject &root)
{
    // Whether this is one of our files at all comes first.
    const auto fmt = root.constFind(QStringLiteral("format"));
    if (fmt == root.constEnd() || !fmt->isString() || fmt->toString() != kFormat)
        foreign(QStringLiteral("no report format mark"));
    const Fields f(root, Where{});
    const double version = f.number(QStringLiteral("version"), 1, 1.0e9);
    if (version != std::floor(version))
        f.fail(QStringLiteral("the version is not a whole number"));
    if (version > kReportFileVersion)
        throw ReportFileError(ReportFileError::Kind::NewerVersion,
                              kNewer + QStringLiteral("\n(version %1)").arg(qint64(version)));

    Document doc;
    const Fields page(f.object(QStringLiteral("page")), Where{0, 0, "page size"});
    doc.pageSizeMm = QSizeF(page.number(QStringLiteral("width"), 1, kMaxPageMm),
                            page.number(QStringLiteral("height"), 1, kMaxPageMm));
    const QJsonArray pages = f.array(QStringLiteral("pages"), 0, kMaxPages);
    doc.pages.reserve(pages.size());
    QHash<QString, QImage> images;
    for (int p = 0; p < pages.size(); ++p) {
        const Where where{p + 1, 0, nullptr};
        if (!pages[p].isObject())
            damaged(where.text() + QStringLiteral(": not an object"));
        const Fields pf(pages[p].toObject(), where);
        const QJsonArray items = pf.array(QStringLiteral("items"), 0, kMaxItemsPerPage);
        Page pg;
        pg.items.reserve(items.size());
        for (int i = 0; i < items.size(); ++i)
            pg.items.push_back(readItem(items[i], Where{p + 1, i + 1, nullptr}, images));
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
    return QStringLiteral("Report files (*.QRP *.qrp)");
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

QByteArray encodeDocument(const Document &doc, bool compress)
{
    JsonWriter w;
    // "format" comes first, so that even a file cut short shows what it is.
    w.raw("{\"format\":");
    w.str(kFormat);
    w.raw(",\"version\":");
    w.num(kReportFileVersion);
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

Document decodeDocument(const QByteArray &data)
{
    QByteArray json;
    bool compressed = false;
    if (data.startsWith(kMagic)) {
        compressed = true;
        const QByteArray body = data.mid(kMagic.size());
        if (body.size() < 5)
            damaged(QStringLiteral("the file is cut short"));
        const quint32 expected = qFromBigEndian<quint32>(body.constData());
        // zlib packs at most about 1000 to 1: a larger claim is damage, and
        // believing it would only reserve memory for nothing.
        if (expected == 0 || expected > kMaxJsonBytes || expected / 1100 > quint32(body.size()))
            damaged(QStringLiteral("impossible content length"));
        json = qUncompress(body);
        if (json.isEmpty() || quint32(json.size()) != expected)
            damaged(QStringLiteral("the compressed content cannot be read"));
    } else {
        int i = 0;
        if (data.startsWith("\xEF\xBB\xBF"))
            i = 3;
        while (i < data.size() && (data[i] == ' ' || data[i] == '\n' || data[i] == '\r' || data[i] == '\t'))
            ++i;
        if (i >= data.size() || data[i] != '{')
            foreign(QStringLiteral("unknown file kind"));
        json = data;
    }

    QJsonParseError err;
    const QJsonDocument jd = QJsonDocument::fromJson(json, &err);
    if (err.error != QJsonParseError::NoError || !jd.isObject()) {
        if (compressed || looksLikeOurJson(json))
            damaged(QStringLiteral("the content breaks off or is garbled at byte %1").arg(err.offset));
        foreign(QStringLiteral("unknown file kind"));
    }
    return readDocument(jd.object());
}

void saveDocument(const Document &doc, const QString &path, bool compress)
{
    const QByteArray bytes = encodeDocument(doc, compress);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw ReportFileError(ReportFileError::Kind::CannotWrite,
                              kCannotWrite + QStringLiteral(":\n") + path + QStringLiteral("\n(") +
                                  file.errorString() + QLatin1Char(')'));
}

Document loadDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportFileError(ReportFileError::Kind::CannotOpen,
                              kCannotOpen + QStringLiteral(":\n") + path + QStringLiteral("\n(") +
                                  file.errorString() + QLatin1Char(')'));
    if (file.size() > kMaxFileBytes)
        throw ReportFileError(ReportFileError::Kind::Foreign,
                              kForeign + QStringLiteral(":\n") + path + QStringLiteral("\n(too large)"));
    const QByteArray data = file.readAll();
    try {
        return decodeDocument(data);
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
