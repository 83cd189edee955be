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

struct ParagraphKey {
    QString text;
    ReportFont font;
    Qt::LayoutDirection direction;
    double width;
};
struct ParagraphKeyHash {
    size_t operator()(const ParagraphKey &k) const
    {
        return qHashMulti(FontKeyHash()(k.font), k.text, int(k.direction), k.width);
    }
};
struct ParagraphKeyEq {
    bool operator()(const ParagraphKey &a, const ParagraphKey &b) const
    {
        return a.width == b.width && a.direction == b.direction && a.text == b.text &&
               FontKeyEq()(a.font, b.font);
    }
};

struct FontEntry {
    QFont font;
    double lineHeight = 0;
};

} // namespace

struct TextLayoutCache::Impl {
    std::unordered_map<ReportFont, std::unique_ptr<FontEntry>, FontKeyHash, FontKeyEq> fonts;
    std::unordered_map<ParagraphKey, std::unique_ptr<LaidParagraph>, ParagraphKeyHash, ParagraphKeyEq>
        paragraphs;

    FontEntry &entry(const ReportFont &f)
    {
        auto &e = fonts[f];
        if (!e) {
            e = std::make_unique<FontEntry>();
            e->font = QFont(f.toQFont(), layoutDevice());
            e->lineHeight = QFontMetricsF(e->font).height();
        }
        return *e;
    }
};

TextLayoutCache::TextLayoutCache() : d(std::make_unique<Impl>()) {}
TextLayoutCache::~TextLayoutCache() = default;

const QFont &TextLayoutCache::font(const ReportFont &f) { return d->entry(f).font; }

double TextLayoutCache::lineHeight(const ReportFont &f) { return d->entry(f).lineHeight; }

int TextLayoutCache::paragraphCount() const { return int(d->paragraphs.size()); }

const LaidParagraph &TextLayoutCache::paragraph(const QString &text, const ReportFont &font,
                                                Qt::LayoutDirection direction, double wrapWidth)
{
    const double width = wrapWidth < 0 ? -1.0 : wrapWidth;
    auto &slot = d->paragraphs[ParagraphKey{text, font, direction, width}];
    if (slot)
        return *slot;
    slot = std::make_unique<LaidParagraph>();
    QTextLayout layout;
    layoutParagraph(layout, text, d->entry(font).font, direction, Qt::AlignLeft, width >= 0, width);
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

void paintPage(QPainter &painter, const Page &page)
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
                           QTextLayout layout;
                           layoutParagraph(layout, run.text, run.font, run.direction,
                                           run.alignment, false, run.rect.width());
                           painter.setPen(run.font.color);
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
            paintPage(painter, doc.pages[i - 1]);
            painter.restore();
        }
    }
    painter.end();
    return true;
}

} // namespace pf::report
