#pragma once
// Rendered reports: the pages a report produces when it is laid out, as a
// list of drawn items per page. The preview paints them, the printer prints
// them and the report file stores them, so a page looks the same on screen,
// on paper and after it has been saved and loaded again.
//
// Coordinates are pixels at 96 per inch measured from the top left corner of
// the paper; the page size itself is kept in millimetres.
#include "platform/common/TextPlace.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QHash>
#include <QVector>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>
#include <variant>

class QPainter;
class QPaintDevice;
class QPrinter;
class QTextLayout;

namespace pf::report {

// Layout units: 96 pixels to the inch.
constexpr double kPixelsPerInch = 96.0;
constexpr double kMmPerInch = 25.4;
inline double mmToPx(double mm) { return mm * kPixelsPerInch / kMmPerInch; }
inline double pxToMm(double px) { return px * kMmPerInch / kPixelsPerInch; }

// A colour of a report's texts, frames and shapes: the colour as given (its
// kind included), with its plain value read once, so that the layout, which
// compares the colours of every text and frame it places with the last ones,
// compares two numbers. Colours of another kind than plain RGB are compared
// as QColor compares them.
class ReportColor {
public:
    ReportColor() : ReportColor(QColor(Qt::black)) {}
    ReportColor(const QColor &c) : m_color(c), m_plain(c.spec() == QColor::Rgb)
    {
        if (m_plain) {
            const QRgba64 v = c.rgba64();
            m_value = quint64(v);
        }
    }
    ReportColor(Qt::GlobalColor c) : ReportColor(QColor(c)) {}
    operator const QColor &() const { return m_color; }
    const QColor &color() const { return m_color; }
    QRgb rgba() const { return m_color.rgba(); }
    int alpha() const { return m_color.alpha(); }
    QColor::Spec spec() const { return m_color.spec(); }
    bool operator==(const ReportColor &o) const
    {
        return m_plain == o.m_plain && m_value == o.m_value && (m_plain || m_color == o.m_color);
    }

private:
    QColor m_color;
    quint64 m_value = 0; // the plain colour's 16-bit channels; 0 for another kind
    bool m_plain = false;
};

// A font as reports describe it. The size is in points; the designers of the
// report pages give most sizes in pixels at 96 per inch (13 pixels = 9.75
// points), for which fromPixels converts.
struct ReportFont {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    bool underline = false;
    ReportColor color = Qt::black;

    static ReportFont fromPixels(const QString &family, double pixels, bool bold = false,
                                 bool underline = false);
    double pixelSize() const { return pointSize * kPixelsPerInch / 72.0; }
    QFont toQFont() const;
    bool operator==(const ReportFont &o) const = default;
};

// One line of text. The text is kept in logical (typing) order; its base
// direction says how the line is ordered when drawn, so "1/4 1" laid right to
// left reads one and a quarter and "30-" reads minus thirty. The alignment is
// absolute: Qt::AlignRight puts the text against the right edge of the box
// whatever the direction.
struct TextRun {
    QString text;
    ReportFont font;
    Qt::LayoutDirection direction = Qt::RightToLeft;
    Qt::Alignment alignment = Qt::AlignLeft; // one of AlignLeft, AlignRight, AlignHCenter
    QRectF rect;
    bool operator==(const TextRun &o) const = default;
};

// The line breaks a text holds ("\n" and "\r" alike), each a line of its own
// in the box.
int lineBreaksOf(const QString &text);

struct LineItem {
    QPointF p1;
    QPointF p2;
    double width = 1.0;
    QColor color = Qt::black;
    bool operator==(const LineItem &o) const = default;
};

// A rectangle outlined with the pen (no outline when the width is 0) and
// filled with the fill colour (no fill when it is transparent).
struct RectItem {
    QRectF rect;
    double penWidth = 1.0;
    QColor penColor = Qt::black;
    QColor fill = Qt::transparent;
    bool operator==(const RectItem &o) const = default;
};

// A picture drawn into its rectangle (scaled to fit it exactly).
struct ImageItem {
    QRectF rect;
    QImage image;
    // Pictures compare by their pixels, whatever their storage format.
    bool operator==(const ImageItem &o) const;
};

using DrawItem = std::variant<TextRun, LineItem, RectItem, ImageItem>;

struct Page {
    QVector<DrawItem> items;
    bool operator==(const Page &o) const = default;
};

// The pages of a document, held compactly: each distinct text, text style,
// colour and picture once, and per page a packed record of its items (a
// booklet of many hundred pages takes a fraction of what its items would).
// A band's items are kept by what changed since the same band was placed
// before on the page (on a page's first placing of a band, since the band
// was first placed in the list): an item that did not change takes a
// count, a coordinate that did not change takes no room, one that did is
// kept as its step from the one before, in a byte or two when the step is a
// multiple of 1/64 pixel, else as it is; every value comes back exactly as
// it was put in. A page is unpacked when it is asked for: the list hands
// out copies, so a page is changed by replacing it. A page may also come
// from elsewhere (a page of a report file, kept as the file holds it) and
// is then unpacked from there when it is asked for.
class PageList {
public:
    qsizetype size() const { return m_pages.size(); }
    qsizetype count() const { return m_pages.size(); }
    bool isEmpty() const { return m_pages.isEmpty(); }
    Page at(qsizetype i) const;
    const Page operator[](qsizetype i) const { return at(i); }
    int itemCount(qsizetype i) const
    {
        return m_open.active && i == m_pages.size() - 1 ? m_open.count : m_pages[i].count;
    }

    void push_back(const Page &page);
    void append(const Page &page) { push_back(page); }
    void replace(qsizetype i, const Page &page);
    void reserve(qsizetype n) { m_pages.reserve(n); }
    void clear();

    // Builds the list item by item: a new empty page, then items added to
    // the last page.
    void addPage();
    void addItem(const DrawItem &item);

    // Gives the pages of a list whose pages are kept elsewhere.
    class PageSource {
    public:
        virtual ~PageSource() = default;
        virtual Page page(qsizetype index) const = 0;
    };
    // Adds the page `index` of `source`, a page of `itemCount` items.
    void addPageFrom(std::shared_ptr<const PageSource> source, qsizetype index, int itemCount);

    // The list as it holds its pages, for a writer that stores each text,
    // style, colour and picture once and the items by their numbers.
    struct TextStyle {
        ReportFont font;
        Qt::LayoutDirection direction;
        Qt::Alignment alignment;
        bool operator==(const TextStyle &o) const = default;
    };
    struct HeldItem {
        // Sides: the lines drawn on some sides of a box, as a writer gives
        // them; the list keeps them as one item and hands them back as their
        // lines (top, bottom, left, right), so that a held page never holds
        // one.
        enum Kind : quint8 { Text = 1, Line, Rect, Image, Sides };
        enum Side : quint8 { Top = 1, Bottom = 2, Left = 4, Right = 8 };
        Kind kind;
        // Text: string and style; line: colour; rect: pen colour and fill;
        // image: picture; sides: colour and the sides drawn.
        quint32 ids[2];
        // Text, rect and image: x, y, w, h; line: x1, y1, x2, y2; sides:
        // left, top, right, bottom; then the line's, the rect's or the
        // sides' pen width.
        double v[5];
    };
    // Whether page i is held here (not kept elsewhere).
    bool isHeld(qsizetype i) const { return !m_pages[i].source; }
    // The items of a page held here, in order.
    void heldItems(qsizetype i, QVector<HeldItem> &out) const;
    const QVector<QString> &strings() const { return m_strings; }
    // The number of a text among strings(), or -1.
    qint64 stringIdOf(const QString &s) const
    {
        const auto it = m_stringIds.constFind(s);
        return it == m_stringIds.constEnd() ? -1 : qint64(it.value());
    }
    const QVector<TextStyle> &styles() const { return m_styles; }
    const QVector<QColor> &colors() const { return m_colors; }
    const QVector<QImage> &images() const { return m_images; }

    // For a writer that places many items: the numbers of a text, style,
    // colour or picture in this list (each found once and kept), and an
    // item given by those numbers added to the last page.
    quint32 stringId(const QString &s);
    quint32 styleId(const TextStyle &s);
    quint32 colorId(const QColor &c);
    quint32 imageId(const QImage &img);
    void addHeld(const HeldItem &item);
    // The items of a band, each moved by (dx, dy), added to the last page.
    // `band` names the band among those of its report (any number: bands
    // with numbers apart by a multiple of kBandSlots share their record of
    // what was placed, which costs room, never a value).
    void addHeld(const HeldItem *items, qsizetype count, double dx, double dy, int band = 0);
    static constexpr int kBandSlots = 64;
    // An item as this list holds it, its texts, styles, colours and
    // pictures numbered.
    HeldItem heldOf(const DrawItem &item) { return held(item); }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Page;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = Page;
        const_iterator(const PageList *list, qsizetype i) : m_list(list), m_i(i) {}
        Page operator*() const { return m_list->at(m_i); }
        const_iterator &operator++() { ++m_i; return *this; }
        bool operator==(const const_iterator &o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator &o) const { return m_i != o.m_i; }

    private:
        const PageList *m_list;
        qsizetype m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    bool operator==(const PageList &o) const;

private:
    using Style = TextStyle;
    struct Packed {
        std::shared_ptr<const char> bytes; // as many as the page takes
        int count = 0;
        std::shared_ptr<const PageSource> source; // set: the page is kept there
        qsizetype sourceIndex = 0;
    };
    static size_t hashStyle(const Style &s);
    HeldItem held(const DrawItem &item);
    // The bytes of page i: the last page while it is written lies in m_open.
    const char *pageBytes(qsizetype i) const
    {
        return m_open.active && i == m_pages.size() - 1 ? m_open.bytes.get() : m_pages[i].bytes.get();
    }
    // The last page as it is written: its bytes, its items and what its
    // items step from. Ended when another page starts or the list changes
    // otherwise: the bytes written are then the page's, and the next page
    // is written in the same buffer.
    // An item of a band as it was last placed (before its move): the same
    // item of the band placed again steps from it, as the rows of a table
    // repeat the cells of the row before.
    struct Placed {
        quint8 kind = 0;
        quint32 ids[2] = {}; // as the page's records give them
        double v[5] = {};
    };
    struct BandSlot {
        // The band's items as it was placed last (those before `size`), and
        // as it is being placed now.
        std::vector<Placed> placed[2];
        int last = 0; // which of the two
        size_t size = 0;
    };
    // What the writing of a page steps from; the reading of the page keeps
    // the same.
    struct Steps {
        double last[3][5] = {}; // the last box, line and sides
        double lastMove[2] = {}; // the last band's move
        int band = -1;           // the slot of the band being given, or -1
        size_t at = 0;           // the next item's place in it
        const Placed *before = nullptr; // the placing its items step from
        size_t placedBefore = 0;        // and how many items it has
        size_t from = 0;         // the next item of that placing an item may stand for
        std::vector<BandSlot> bands; // by band number, kBandSlots of them once one is given
        void reset()
        {
            for (double *l : last)
                std::fill(l, l + 5, 0.0);
            lastMove[0] = lastMove[1] = 0;
            band = -1;
            at = from = placedBefore = 0;
            before = nullptr;
            for (BandSlot &b : bands)
                b.size = 0;
        }
        // Starts band `number`, its items stepping from `first` (the
        // band's first placing in the list) when given, else from its last
        // placing on the page; the one given before is ended.
        BandSlot &startBand(int number, const std::vector<Placed> *first = nullptr)
        {
            endBand();
            if (bands.empty())
                bands.resize(kBandSlots);
            band = int(size_t(number) % kBandSlots);
            at = from = 0;
            BandSlot &b = bands[size_t(band)];
            before = first ? first->data() : b.placed[b.last].data();
            placedBefore = first ? first->size() : b.size;
            return b;
        }
        void endBand()
        {
            if (band >= 0) {
                BandSlot &b = bands[size_t(band)];
                b.size = at;
                b.last = 1 - b.last;
            }
            band = -1;
        }
        // The place for the band's item `at` as it is placed now.
        Placed &placing()
        {
            std::vector<Placed> &now = bands[size_t(band)].placed[1 - bands[size_t(band)].last];
            if (now.size() <= at)
                now.resize(std::max<size_t>(2 * now.size(), at + 1));
            return now[at];
        }
    };
    struct OpenPage {
        bool active = false;
        std::shared_ptr<char> bytes; // shared by copies of the list until one writes
        size_t size = 0;
        size_t capacity = 0; // of the buffer, or of the last one when none
        int count = 0;
        Steps steps;
    };
    template <bool band>
    char *putItems(char *out, const HeldItem *items, qsizetype count, double dx, double dy, int bandNumber);
    void endOpenPage();
    void startOpenPage();
    // Where the last page's next bytes go, with room for `bytes` more.
    char *roomFor(size_t bytes);
    void openLastPage();

    QVector<Packed> m_pages;
    OpenPage m_open;
    // Each band's first placing in the list, by band number: the first
    // placing of a band on a page steps from it, as a page's first rows
    // repeat the cells of the rows before it on the page before.
    std::vector<std::vector<Placed>> m_firstPlacings;
    QVector<QString> m_strings;
    QHash<QString, quint32> m_stringIds;
    // The same texts by where their characters lie (TextPlace.h): a text
    // handed in again shares the characters of the one kept.
    QHash<pf::TextPlace, quint32> m_sharedIds;
    QVector<Style> m_styles;
    QMultiHash<size_t, quint32> m_styleIds; // by hash, compared in full
    qint32 m_lastStyle = -1;
    QVector<QColor> m_colors;
    QHash<QRgb, quint32> m_colorIds; // plain colours; others searched
    QVector<QImage> m_images;
    QHash<qint64, quint32> m_imageIds;
    // The texts met last, by a few bits of where they lie: most items
    // repeat what an item before them had.
    struct RecentText {
        pf::TextPlace place;
        quint32 id = 0;
    };
    std::vector<RecentText> m_recentTexts;
    QRgb m_lastRgb = 0;
    qint32 m_lastColor = -1;
};

struct Document {
    QSizeF pageSizeMm{210.0, 297.0};
    PageList pages;

    QSizeF pageSizePx() const
    {
        return {mmToPx(pageSizeMm.width()), mmToPx(pageSizeMm.height())};
    }
    bool operator==(const Document &o) const = default;
};

// The paint device every report text is measured on: 96 pixels to the inch,
// whatever the screen, so a layout does not change from one machine to the
// next and matches what is painted later.
QPaintDevice *layoutDevice();

// Lays out one paragraph for the report: the base direction is set
// explicitly and the alignment is taken as absolute. width < 0 lays the text
// out as one line without limit; otherwise lines break at width when wrap is
// set. Line separators (\n) break lines. The layout is finished on return.
void layoutParagraph(QTextLayout &layout, const QString &text, const ReportFont &font,
                     Qt::LayoutDirection direction, Qt::Alignment alignment, bool wrap,
                     double width);

// The same with the font already resolved on the layout device.
void layoutParagraph(QTextLayout &layout, const QString &text, const QFont &font,
                     Qt::LayoutDirection direction, Qt::Alignment alignment, bool wrap,
                     double width);

// One line of a laid-out paragraph: its text (line separators removed), its
// top and height within the paragraph and the width its glyphs take.
struct LaidLine {
    QString text;
    double y = 0;
    double height = 0;
    double naturalWidth = 0;
};

struct LaidParagraph {
    QVector<LaidLine> lines;
    double naturalWidth = 0; // of the widest line
};

// Text layouts of one run of the report engine: each distinct paragraph is
// laid out once, and each font resolved once, however often they print.
// The alignment moves lines within their box but changes neither where they
// break nor how wide they are, so a paragraph is kept by its text, font,
// direction and wrapping width alone.
class TextLayoutCache {
public:
    TextLayoutCache();
    ~TextLayoutCache();
    TextLayoutCache(const TextLayoutCache &) = delete;
    TextLayoutCache &operator=(const TextLayoutCache &) = delete;

    // The font on the layout device.
    const QFont &font(const ReportFont &f);
    // The height of an empty line in the font.
    double lineHeight(const ReportFont &f);
    // The paragraph as one unlimited line per line separator (wrapWidth < 0)
    // or wrapped at wrapWidth. The reference stays valid as long as the cache.
    const LaidParagraph &paragraph(const QString &text, const ReportFont &font,
                                   Qt::LayoutDirection direction, double wrapWidth);
    int paragraphCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Text layouts kept for painting: a text painted again with the same font,
// direction, alignment and width is drawn from its first layout. Holds a
// bounded number of layouts of a bounded number of characters together
// (a layout takes some 35 bytes a character): past either it starts anew.
class PaintCache {
public:
    PaintCache();
    ~PaintCache();
    PaintCache(const PaintCache &) = delete;
    PaintCache &operator=(const PaintCache &) = delete;

    static constexpr int kMaxLayouts = 2048;
    static constexpr qint64 kMaxCharacters = 1000000;

    // The layout of a text run, laid out on first use. The reference stays
    // valid until the next call.
    const QTextLayout &layout(const TextRun &run);
    // The layouts kept and their characters together.
    int layoutCount() const;
    qint64 characterCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// What painting a page costs, told from its items before any is drawn. The
// page is cut into a grid of parts (kCells by kCells, each at least kMinCell
// pixels a side), and each part adds up what drawing the items costs within
// it, in layers: filling the whole part once with a see-through colour (the
// dearest fill) is a layer. A filled rectangle costs kFill a pixel of its
// area, a picture kPicture (it is smoothed as it is scaled), a text kText a
// pixel of where its glyphs reach (its box, widened by about what its
// characters take where they run out of it; large type at a high zoom is
// drawn as outlines), and a line, or each side of a frame, what filling its
// stroke does and kStroke pixels more for each pixel of its length (a thin
// line costs by its length, not by its area). Items that draw nothing and
// what lies off the page count for nothing. Whatever the zoom and however
// little of the page is shown, painting what is shown then costs at most
// about what filling it as often as the deepest part's layers does: a page
// of the booklets counts up to some 25 layers, a page of 250,000 rectangles
// over the whole of it millions.
class PaintCover {
public:
    static constexpr int kCells = 64;
    static constexpr double kMinCell = 8.0;
    static constexpr double kFill = 1.0;
    static constexpr double kText = 4.0;
    static constexpr double kPicture = 5.0;
    static constexpr double kStroke = 25.0;

    explicit PaintCover(QSizeF pageSizePx = QSizeF(793.7, 1122.5));
    void clear(); // for the next page

    // Coordinates as the items give them; a text by its box, its characters
    // and line breaks, its font's size in pixels and its alignment.
    void addText(const QRectF &box, qsizetype characters, int lineBreaks, double pixelSize, Qt::Alignment alignment);
    void addLine(double x1, double y1, double x2, double y2, double width);
    void addRect(const QRectF &rect, double penWidth, bool filled);
    void addImage(const QRectF &rect);
    void add(const DrawItem &item);

    // The layers of the deepest part.
    double layers() const;

private:
    // A box whose every pixel costs `density`.
    void addBox(double x0, double y0, double x1, double y1, double density);

    double m_width, m_height, m_cellWidth, m_cellHeight;
    int m_columns, m_rows;
    std::vector<double> m_steps; // (m_columns + 1) x (m_rows + 1): the costs as steps
};

// Paints one page. The painter must be set up so that one unit is one pixel
// at 96 per inch with the origin at the top left of the paper. With a cache,
// texts laid out for earlier pages are not laid out again.
//
// Painting costs what is shown: an item that does not reach what the painter
// shows (its device, within its clip) is passed over, a text without being
// laid out; a line, frame or picture that reaches beyond the page (the page
// size given), or beyond what is shown when none is given, is cut to it
// before it is drawn, a margin beyond, so that what is shown is drawn as the
// whole item would draw it.
void paintPage(QPainter &painter, const Page &page, const QSizeF &pageSizePx, PaintCache *cache = nullptr);
void paintPage(QPainter &painter, const Page &page, PaintCache *cache = nullptr);

// Prints the pages of the document on the printer (a printer set to PDF
// output writes a PDF file). The paper takes the document's page size and no
// margins, as the page items already stand inside the report's margins. The
// printer's page range is honoured (0 to 0 prints every page); pages are
// numbered from 1. Returns false when the printer could not be started.
bool printDocument(const Document &doc, QPrinter *printer);

} // namespace pf::report
