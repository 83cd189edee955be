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

#include <cmath>

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

QString colorText(const QColor &c) { return c.name(QColor::HexArgb); }

QJsonArray rectJson(const QRectF &r) { return {r.x(), r.y(), r.width(), r.height()}; }
QJsonArray pointJson(const QPointF &p) { return {p.x(), p.y()}; }

QString alignText(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    return QStringLiteral("left");
}

// ---------------------------------------------------------------- reading

// Reads the fields of one object, naming where it stands in every complaint.
class Fields {
public:
    Fields(const QJsonObject &obj, QString where) : m_obj(obj), m_where(std::move(where)) {}

    [[noreturn]] void fail(const QString &what) const { damaged(m_where + QStringLiteral(": ") + what); }

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

    const QString &where() const { return m_where; }

private:
    QJsonObject m_obj;
    QString m_where;
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

DrawItem readItem(const QJsonValue &value, const QString &where, QHash<QString, QImage> &images)
{
    if (!value.isObject())
        damaged(where + QStringLiteral(": not an object"));
    const Fields f(value.toObject(), where);
    const QString type = f.string(QStringLiteral("type"), 16);
    if (type == QLatin1String("text")) {
        TextRun run;
        run.text = f.string(QStringLiteral("text"), kMaxTextLength);
        const Fields font(f.object(QStringLiteral("font")), where + QStringLiteral(", font"));
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
    const Fields f(root, QStringLiteral("file"));
    const double version = f.number(QStringLiteral("version"), 1, 1.0e9);
    if (version != std::floor(version))
        f.fail(QStringLiteral("the version is not a whole number"));
    if (version > kReportFileVersion)
        throw ReportFileError(ReportFileError::Kind::NewerVersion,
                              kNewer + QStringLiteral("\n(version %1)").arg(qint64(version)));

    Document doc;
    const Fields page(f.object(QStringLiteral("page")), QStringLiteral("page size"));
    doc.pageSizeMm = QSizeF(page.number(QStringLiteral("width"), 1, kMaxPageMm),
                            page.number(QStringLiteral("height"), 1, kMaxPageMm));
    const QJsonArray pages = f.array(QStringLiteral("pages"), 0, kMaxPages);
    doc.pages.reserve(pages.size());
    QHash<QString, QImage> images;
    for (int p = 0; p < pages.size(); ++p) {
        const QString where = QStringLiteral("page %1").arg(p + 1);
        if (!pages[p].isObject())
            damaged(where + QStringLiteral(": not an object"));
        const Fields pf(pages[p].toObject(), where);
        const QJsonArray items = pf.array(QStringLiteral("items"), 0, kMaxItemsPerPage);
        Page pg;
        pg.items.reserve(items.size());
        for (int i = 0; i < items.size(); ++i)
            pg.items.push_back(readItem(items[i], where + QStringLiteral(", item %1").arg(i + 1), images));
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

QByteArray encodeDocument(const Document &doc, bool compress)
{
    QJsonObject root;
    root.insert(QStringLiteral("format"), kFormat);
    root.insert(QStringLiteral("version"), kReportFileVersion);
    root.insert(QStringLiteral("page"), QJsonObject{{QStringLiteral("width"), doc.pageSizeMm.width()},
                                                    {QStringLiteral("height"), doc.pageSizeMm.height()}});
    QHash<qint64, QString> pngCache;
    QJsonArray pages;
    for (const Page &page : doc.pages) {
        QJsonArray items;
        for (const DrawItem &item : page.items) {
            QJsonObject o;
            if (const auto *t = std::get_if<TextRun>(&item)) {
                o.insert(QStringLiteral("type"), QStringLiteral("text"));
                o.insert(QStringLiteral("text"), t->text);
                o.insert(QStringLiteral("font"), QJsonObject{{QStringLiteral("family"), t->font.family},
                                                             {QStringLiteral("size"), t->font.pointSize},
                                                             {QStringLiteral("bold"), t->font.bold},
                                                             {QStringLiteral("underline"), t->font.underline}});
                o.insert(QStringLiteral("color"), colorText(t->font.color));
                o.insert(QStringLiteral("direction"),
                         t->direction == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr"));
                o.insert(QStringLiteral("align"), alignText(t->alignment));
                o.insert(QStringLiteral("rect"), rectJson(t->rect));
            } else if (const auto *l = std::get_if<LineItem>(&item)) {
                o.insert(QStringLiteral("type"), QStringLiteral("line"));
                o.insert(QStringLiteral("from"), pointJson(l->p1));
                o.insert(QStringLiteral("to"), pointJson(l->p2));
                o.insert(QStringLiteral("width"), l->width);
                o.insert(QStringLiteral("color"), colorText(l->color));
            } else if (const auto *r = std::get_if<RectItem>(&item)) {
                o.insert(QStringLiteral("type"), QStringLiteral("rect"));
                o.insert(QStringLiteral("rect"), rectJson(r->rect));
                o.insert(QStringLiteral("penWidth"), r->penWidth);
                o.insert(QStringLiteral("penColor"), colorText(r->penColor));
                o.insert(QStringLiteral("fill"), colorText(r->fill));
            } else if (const auto *im = std::get_if<ImageItem>(&item)) {
                if (im->image.isNull())
                    continue; // nothing to draw
                o.insert(QStringLiteral("type"), QStringLiteral("image"));
                o.insert(QStringLiteral("rect"), rectJson(im->rect));
                QString &png = pngCache[im->image.cacheKey()];
                if (png.isEmpty()) {
                    QByteArray bytes;
                    QBuffer buf(&bytes);
                    buf.open(QIODevice::WriteOnly);
                    im->image.save(&buf, "PNG");
                    png = QString::fromLatin1(bytes.toBase64());
                }
                o.insert(QStringLiteral("png"), png);
            }
            items.append(o);
        }
        pages.append(QJsonObject{{QStringLiteral("items"), items}});
    }
    root.insert(QStringLiteral("pages"), pages);
    const QByteArray json = QJsonDocument(root).toJson(QJsonDocument::Compact);
    if (!compress)
        return json;
    // qCompress writes the 4-byte big-endian length and then the zlib stream.
    return kMagic + qCompress(json, 9);
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
