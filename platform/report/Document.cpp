#include "platform/report/Document.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

#include <QFontMetricsF>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace pf::report {

namespace {

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// Line widths of a text laid out "without limit"; far beyond any page.
constexpr double kUnlimitedWidth = 1.0e6;

} // namespace

ReportFont ReportFont::fromPixels(const QString &family, double pixels, bool bold, bool underline)
{
    ReportFont f;
    f.family = family;
    f.pointSize = pixels * 72.0 / kPixelsPerInch;
    f.bold = bold;
    f.underline = underline;
    return f;
}

QFont ReportFont::toQFont() const
{
    QFont f(family);
    f.setPointSizeF(pointSize > 0 ? pointSize : 1.0);
    f.setBold(bold);
    f.setUnderline(underline);
    // Unhinted outlines keep the advances of a text the same at every scale,
    // so a line laid out at 96 per inch fits its box on a 1200-dot printer.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

bool ImageItem::operator==(const ImageItem &o) const
{
    if (rect != o.rect)
        return false;
    if (image.isNull() || o.image.isNull())
        return image.isNull() == o.image.isNull();
    return image.convertToFormat(QImage::Format_ARGB32) ==
           o.image.convertToFormat(QImage::Format_ARGB32);
}

// ---------------------------------------------------------------- page list

namespace {

enum : quint8 { kPackedText = 1, kPackedLine, kPackedRect, kPackedImage };

// Record fields are unsigned numbers of 7 bits a byte, low bits first: the
// numbers of texts, styles, colours and the positions of the number table.
class Unpacker {
public:
    explicit Unpacker(const QByteArray &b) : p(reinterpret_cast<const uchar *>(b.constData())) {}
    quint8 byte() { return *p++; }
    quint32 var()
    {
        quint32 v = 0;
        int shift = 0;
        for (;;) {
            const uchar c = *p++;
            v |= quint32(c & 0x7f) << shift;
            if (!(c & 0x80))
                return v;
            shift += 7;
        }
    }

private:
    const uchar *p;
};

} // namespace

size_t PageList::hashStyle(const Style &s)
{
    return qHashMulti(0, s.font.family, s.font.pointSize, s.font.bold, s.font.underline, s.font.color.rgba(),
                      int(s.direction), int(s.alignment));
}

namespace {
constexpr size_t kRecentNumbers = 4096;
constexpr size_t kRecentTexts = 1024;
} // namespace

quint32 PageList::stringId(const QString &s)
{
    // Characters shared with a text kept in m_strings cannot change or be
    // freed, so the same place and length is the same text.
    if (m_recentTexts.empty())
        m_recentTexts.resize(kRecentTexts);
    RecentText &recent = m_recentTexts[(quintptr(s.constData()) >> 4) % kRecentTexts];
    if (recent.data == s.constData() && recent.size == s.size())
        return recent.id;
    const QPair<const void *, qsizetype> where(s.constData(), s.size());
    if (const auto it = m_sharedIds.constFind(where); it != m_sharedIds.constEnd()) {
        recent = {s.constData(), s.size(), it.value()};
        return it.value();
    }
    quint32 id;
    if (const auto it = m_stringIds.constFind(s); it != m_stringIds.constEnd()) {
        id = it.value();
    } else {
        id = quint32(m_strings.size());
        m_strings.push_back(s);
        m_stringIds.insert(s, id);
    }
    if (m_strings[id].constData() == s.constData()) {
        m_sharedIds.insert(where, id);
        recent = {s.constData(), s.size(), id};
    }
    return id;
}

quint32 PageList::styleId(const Style &s)
{
    // Runs of one style follow each other: the last one is tried first.
    if (m_lastStyle >= 0 && m_styles[m_lastStyle] == s)
        return quint32(m_lastStyle);
    const size_t h = hashStyle(s);
    for (auto it = m_styleIds.constFind(h); it != m_styleIds.constEnd() && it.key() == h; ++it)
        if (m_styles[it.value()] == s) {
            m_lastStyle = qint32(it.value());
            return it.value();
        }
    const quint32 id = quint32(m_styles.size());
    m_styles.push_back(s);
    m_styleIds.insert(h, id);
    m_lastStyle = qint32(id);
    return id;
}

quint32 PageList::colorId(const QColor &c)
{
    // Colours are kept exactly as given (their kind included); the common
    // plain ones are found by their value.
    const bool plain = c.spec() == QColor::Rgb;
    if (plain) {
        const QRgb rgba = c.rgba();
        if (m_lastColor >= 0 && m_lastRgb == rgba)
            return quint32(m_lastColor);
        const auto it = m_colorIds.constFind(rgba);
        if (it != m_colorIds.constEnd()) {
            m_lastRgb = rgba;
            m_lastColor = qint32(it.value());
            return it.value();
        }
    } else {
        for (qsizetype i = 0; i < m_colors.size(); ++i)
            if (m_colors[i] == c && m_colors[i].spec() == c.spec())
                return quint32(i);
    }
    const quint32 id = quint32(m_colors.size());
    m_colors.push_back(c);
    if (plain) {
        m_colorIds.insert(c.rgba(), id);
        m_lastRgb = c.rgba();
        m_lastColor = qint32(id);
    }
    return id;
}

quint32 PageList::numberId(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    if (m_recentNumbers.empty())
        m_recentNumbers.resize(kRecentNumbers);
    RecentNumber &recent = m_recentNumbers[size_t((bits * 0x9E3779B97F4A7C15ull) >> 52) % kRecentNumbers];
    if (recent.id != 0 && recent.bits == bits)
        return recent.id - 1;
    quint32 id;
    const auto it = m_numberIds.constFind(bits);
    if (it != m_numberIds.constEnd()) {
        id = it.value();
    } else {
        id = quint32(m_numbers.size());
        m_numbers.push_back(v);
        m_numberIds.insert(bits, id);
    }
    recent = {bits, id + 1};
    return id;
}

quint32 PageList::imageId(const QImage &img)
{
    const auto it = m_imageIds.constFind(img.cacheKey());
    if (it != m_imageIds.constEnd())
        return it.value();
    const quint32 id = quint32(m_images.size());
    m_images.push_back(img);
    m_imageIds.insert(img.cacheKey(), id);
    return id;
}

void PageList::pack(QByteArray &out, const DrawItem &item)
{
    // A record is at most 1 + 8 numbers of 5 bytes; built here, added once.
    char buf[64];
    int n = 0;
    auto var = [&](quint32 v) {
        while (v >= 0x80) {
            buf[n++] = char((v & 0x7f) | 0x80);
            v >>= 7;
        }
        buf[n++] = char(v);
    };
    auto rect = [&](const QRectF &r) {
        var(numberId(r.x()));
        var(numberId(r.y()));
        var(numberId(r.width()));
        var(numberId(r.height()));
    };
    if (const auto *t = std::get_if<TextRun>(&item)) {
        buf[n++] = char(kPackedText);
        var(stringId(t->text));
        var(styleId(Style{t->font, t->direction, t->alignment}));
        rect(t->rect);
    } else if (const auto *l = std::get_if<LineItem>(&item)) {
        buf[n++] = char(kPackedLine);
        rect(QRectF(l->p1.x(), l->p1.y(), l->p2.x(), l->p2.y()));
        var(numberId(l->width));
        var(colorId(l->color));
    } else if (const auto *r = std::get_if<RectItem>(&item)) {
        buf[n++] = char(kPackedRect);
        rect(r->rect);
        var(numberId(r->penWidth));
        var(colorId(r->penColor));
        var(colorId(r->fill));
    } else if (const auto *im = std::get_if<ImageItem>(&item)) {
        buf[n++] = char(kPackedImage);
        rect(im->rect);
        var(imageId(im->image));
    }
    out.append(buf, n);
}

Page PageList::at(qsizetype i) const
{
    const Packed &packed = m_pages.at(i);
    if (packed.source)
        return packed.source->page(packed.sourceIndex);
    Page page;
    page.items.reserve(packed.count);
    Unpacker u(packed.bytes);
    auto number = [&] { return m_numbers[u.var()]; };
    auto rect = [&] {
        const double x = number(), y = number(), w = number();
        return QRectF(x, y, w, number());
    };
    for (int n = 0; n < packed.count; ++n) {
        switch (u.byte()) {
        case kPackedText: {
            const QString &text = m_strings[u.var()];
            const Style &st = m_styles[u.var()];
            page.items.push_back(TextRun{text, st.font, st.direction, st.alignment, rect()});
            break;
        }
        case kPackedLine: {
            const QRectF ends = rect();
            const double width = number();
            page.items.push_back(LineItem{QPointF(ends.x(), ends.y()), QPointF(ends.width(), ends.height()), width,
                                          m_colors[u.var()]});
            break;
        }
        case kPackedRect: {
            const QRectF r = rect();
            const double pen = number();
            const QColor &penColor = m_colors[u.var()];
            page.items.push_back(RectItem{r, pen, penColor, m_colors[u.var()]});
            break;
        }
        default: {
            const QRectF r = rect();
            page.items.push_back(ImageItem{r, m_images[u.var()]});
            break;
        }
        }
    }
    return page;
}

void PageList::heldItems(qsizetype i, QVector<HeldItem> &out) const
{
    const Packed &packed = m_pages.at(i);
    if (packed.source) {
        out.clear();
        return;
    }
    out.resize(packed.count);
    Unpacker u(packed.bytes);
    auto box = [&](HeldItem &item) {
        for (int k = 0; k < 4; ++k)
            item.v[k] = m_numbers[u.var()];
    };
    for (HeldItem &item : out) {
        item.kind = HeldItem::Kind(u.byte());
        switch (item.kind) {
        case HeldItem::Text:
            item.ids[0] = u.var();
            item.ids[1] = u.var();
            box(item);
            break;
        case HeldItem::Line:
            box(item);
            item.v[4] = m_numbers[u.var()];
            item.ids[0] = u.var();
            break;
        case HeldItem::Rect:
            box(item);
            item.v[4] = m_numbers[u.var()];
            item.ids[0] = u.var();
            item.ids[1] = u.var();
            break;
        case HeldItem::Image:
            box(item);
            item.ids[0] = u.var();
            break;
        }
    }
}

void PageList::push_back(const Page &page)
{
    addPage();
    for (const DrawItem &item : page.items)
        addItem(item);
}

void PageList::replace(qsizetype i, const Page &page)
{
    Packed packed;
    for (const DrawItem &item : page.items) {
        pack(packed.bytes, item);
        ++packed.count;
    }
    packed.bytes.squeeze();
    m_pages[i] = std::move(packed);
}

void PageList::clear() { *this = PageList(); }

void PageList::addPage()
{
    if (!m_pages.isEmpty())
        m_pages.last().bytes.squeeze();
    m_pages.push_back(Packed{});
    m_pages.last().bytes.reserve(8 * 1024);
}

void PageList::addPageFrom(std::shared_ptr<const PageSource> source, qsizetype index, int itemCount)
{
    if (!m_pages.isEmpty())
        m_pages.last().bytes.squeeze();
    Packed packed;
    packed.count = itemCount;
    packed.source = std::move(source);
    packed.sourceIndex = index;
    m_pages.push_back(std::move(packed));
}

void PageList::addItem(const DrawItem &item)
{
    if (m_pages.isEmpty())
        m_pages.push_back(Packed{});
    else if (m_pages.last().source)
        replace(m_pages.size() - 1, at(m_pages.size() - 1)); // held here from now on
    Packed &last = m_pages.last();
    pack(last.bytes, item);
    ++last.count;
}

bool PageList::operator==(const PageList &o) const
{
    if (size() != o.size())
        return false;
    for (qsizetype i = 0; i < size(); ++i)
        if (itemCount(i) != o.itemCount(i) || at(i) != o.at(i))
            return false;
    return true;
}

QPaintDevice *layoutDevice()
{
    static QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        // 3780 dots per metre is 96 dots per inch.
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        return img;
    }();
    return &device;
}

void layoutParagraph(QTextLayout &layout, const QString &text, const ReportFont &font,
                     Qt::LayoutDirection direction, Qt::Alignment alignment, bool wrap,
                     double width)
{
    layoutParagraph(layout, text, QFont(font.toQFont(), layoutDevice()), direction, alignment, wrap,
                    width);
}

void layoutParagraph(QTextLayout &layout, const QString &text, const QFont &font,
                     Qt::LayoutDirection direction, Qt::Alignment alignment, bool wrap,
                     double width)
{
    QString t = text;
    if (t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r'))) {
        t.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
        t.replace(QLatin1Char('\n'), QChar::LineSeparator);
        t.replace(QLatin1Char('\r'), QChar::LineSeparator);
    }
    layout.setText(t);
    layout.setFont(font);

    QTextOption opt;
    opt.setTextDirection(direction);
    Qt::Alignment h = alignment & Qt::AlignHorizontal_Mask;
    if (h == 0)
        h = Qt::AlignLeft;
    h &= ~Qt::AlignAbsolute;
    opt.setAlignment(h | Qt::AlignAbsolute);
    const bool limited = width >= 0;
    opt.setWrapMode(wrap && limited ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                    : QTextOption::NoWrap);
    layout.setTextOption(opt);
    layout.setCacheEnabled(true);

    const double lineWidth = limited ? width : kUnlimitedWidth;
    layout.beginLayout();
    double y = 0;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(lineWidth);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
}

// ---------------------------------------------------------------- layout cache

namespace {

struct FontKeyHash {
    size_t operator()(const ReportFont &f) const
    {
        return qHashMulti(0, f.family, f.pointSize, f.bold, f.underline);
    }
};
struct FontKeyEq {
    bool operator()(const ReportFont &a, const ReportFont &b) const
    {
        return a.family == b.family && a.pointSize == b.pointSize && a.bold == b.bold &&
               a.underline == b.underline;
    }
};

// A paragraph of one font, found by its text, direction and width.
struct ParagraphKey {
    QString text;
    Qt::LayoutDirection direction;
    double width;
};
struct ParagraphKeyHash {
    size_t operator()(const ParagraphKey &k) const { return qHashMulti(0, k.text, int(k.direction), k.width); }
};
struct ParagraphKeyEq {
    bool operator()(const ParagraphKey &a, const ParagraphKey &b) const
    {
        return a.width == b.width && a.direction == b.direction && a.text == b.text;
    }
};

struct FontEntry {
    QFont font;
    double lineHeight = 0;
    std::unordered_map<ParagraphKey, std::unique_ptr<LaidParagraph>, ParagraphKeyHash, ParagraphKeyEq> paragraphs;
};

} // namespace

struct TextLayoutCache::Impl {
    std::unordered_map<ReportFont, std::unique_ptr<FontEntry>, FontKeyHash, FontKeyEq> fonts;
    // The font asked for last: a report asks for few fonts, in runs.
    ReportFont lastFont;
    FontEntry *last = nullptr;
    int paragraphCount = 0;

    FontEntry &entry(const ReportFont &f)
    {
        if (last && lastFont.pointSize == f.pointSize && lastFont.bold == f.bold &&
            lastFont.underline == f.underline && lastFont.family == f.family)
            return *last;
        auto &e = fonts[f];
        if (!e) {
            e = std::make_unique<FontEntry>();
            e->font = QFont(f.toQFont(), layoutDevice());
            e->lineHeight = QFontMetricsF(e->font).height();
        }
        lastFont = f;
        last = e.get();
        return *e;
    }
};

TextLayoutCache::TextLayoutCache() : d(std::make_unique<Impl>()) {}
TextLayoutCache::~TextLayoutCache() = default;

const QFont &TextLayoutCache::font(const ReportFont &f) { return d->entry(f).font; }

double TextLayoutCache::lineHeight(const ReportFont &f) { return d->entry(f).lineHeight; }

int TextLayoutCache::paragraphCount() const { return d->paragraphCount; }

const LaidParagraph &TextLayoutCache::paragraph(const QString &text, const ReportFont &font,
                                                Qt::LayoutDirection direction, double wrapWidth)
{
    const double width = wrapWidth < 0 ? -1.0 : wrapWidth;
    FontEntry &fe = d->entry(font);
    auto &slot = fe.paragraphs[ParagraphKey{text, direction, width}];
    if (slot)
        return *slot;
    ++d->paragraphCount;
    slot = std::make_unique<LaidParagraph>();
    QTextLayout layout;
    layoutParagraph(layout, text, fe.font, direction, Qt::AlignLeft, width >= 0, width);
    const QString &laid = layout.text();
    slot->lines.reserve(layout.lineCount());
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        LaidLine out;
        // A paragraph of one line keeps the caller's text itself.
        if (layout.lineCount() == 1 && laid == text)
            out.text = text;
        else
            out.text = laid.mid(line.textStart(), line.textLength());
        if (out.text.endsWith(QChar::LineSeparator))
            out.text.chop(1);
        out.y = line.y();
        out.height = line.height();
        out.naturalWidth = line.naturalTextWidth();
        slot->naturalWidth = std::max(slot->naturalWidth, out.naturalWidth);
        slot->lines.push_back(std::move(out));
    }
    return *slot;
}

namespace {

struct PaintKey {
    QString text;
    ReportFont font;
    Qt::LayoutDirection direction;
    Qt::Alignment alignment;
    double width;
    bool operator==(const PaintKey &o) const
    {
        return width == o.width && direction == o.direction && alignment == o.alignment && text == o.text &&
               FontKeyEq()(font, o.font);
    }
};
struct PaintKeyHash {
    size_t operator()(const PaintKey &k) const
    {
        return qHashMulti(FontKeyHash()(k.font), k.text, int(k.direction), int(k.alignment), k.width);
    }
};

// Layouts kept at most; a page of a booklet draws a few hundred texts.
constexpr size_t kMaxPaintLayouts = 2048;

} // namespace

struct PaintCache::Impl {
    TextLayoutCache fonts;
    std::unordered_map<PaintKey, std::unique_ptr<QTextLayout>, PaintKeyHash> layouts;
};

PaintCache::PaintCache() : d(std::make_unique<Impl>()) {}
PaintCache::~PaintCache() = default;

const QTextLayout &PaintCache::layout(const TextRun &run)
{
    PaintKey key{run.text, run.font, run.direction, run.alignment, run.rect.width()};
    auto it = d->layouts.find(key);
    if (it != d->layouts.end())
        return *it->second;
    if (d->layouts.size() >= kMaxPaintLayouts)
        d->layouts.clear();
    auto layout = std::make_unique<QTextLayout>();
    layoutParagraph(*layout, run.text, d->fonts.font(run.font), run.direction, run.alignment, false,
                    run.rect.width());
    return *d->layouts.emplace(std::move(key), std::move(layout)).first->second;
}

void paintPage(QPainter &painter, const Page &page, PaintCache *cache)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const DrawItem &item : page.items) {
        std::visit(Overloaded{
                       [&](const TextRun &run) {
                           if (run.text.isEmpty())
                               return;
                           painter.setPen(run.font.color);
                           if (cache) {
                               cache->layout(run).draw(&painter, run.rect.topLeft());
                               return;
                           }
                           QTextLayout layout;
                           layoutParagraph(layout, run.text, run.font, run.direction,
                                           run.alignment, false, run.rect.width());
                           layout.draw(&painter, run.rect.topLeft());
                       },
                       [&](const LineItem &line) {
                           if (line.width <= 0)
                               return;
                           QPen pen(line.color, line.width);
                           pen.setCapStyle(Qt::SquareCap);
                           painter.setPen(pen);
                           painter.drawLine(line.p1, line.p2);
                       },
                       [&](const RectItem &r) {
                           if (r.penWidth > 0) {
                               QPen pen(r.penColor, r.penWidth);
                               pen.setJoinStyle(Qt::MiterJoin);
                               painter.setPen(pen);
                           } else {
                               painter.setPen(Qt::NoPen);
                           }
                           if (r.fill.alpha() > 0)
                               painter.setBrush(r.fill);
                           else
                               painter.setBrush(Qt::NoBrush);
                           painter.drawRect(r.rect);
                           painter.setBrush(Qt::NoBrush);
                       },
                       [&](const ImageItem &img) {
                           if (!img.image.isNull())
                               painter.drawImage(img.rect, img.image);
                       },
                   },
                   item);
    }
    painter.restore();
}

bool printDocument(const Document &doc, QPrinter *printer)
{
    if (!printer)
        return false;
    const QSizeF size = doc.pageSizeMm;
    const bool landscape = size.width() > size.height();
    const QSizeF portrait = landscape ? size.transposed() : size;
    QPageLayout pageLayout(QPageSize(portrait, QPageSize::Millimeter),
                           landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    pageLayout.setMode(QPageLayout::FullPageMode);
    printer->setFullPage(true);
    printer->setPageLayout(pageLayout);

    const int count = int(doc.pages.size());
    int from = 1;
    int to = count;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        from = std::max(1, printer->fromPage());
        to = std::min(count, printer->toPage() > 0 ? printer->toPage() : count);
    }
    const int copies = printer->supportsMultipleCopies() ? 1 : std::max(1, printer->copyCount());

    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const double scale = printer->resolution() / kPixelsPerInch;
    PaintCache cache;
    bool first = true;
    for (int c = 0; c < copies; ++c) {
        for (int i = from; i <= to; ++i) {
            if (!first && !printer->newPage()) {
                painter.end();
                return false;
            }
            first = false;
            painter.save();
            painter.scale(scale, scale);
            paintPage(painter, doc.pages[i - 1], &cache);
            painter.restore();
        }
    }
    painter.end();
    return true;
}

} // namespace pf::report
