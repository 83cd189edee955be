#include "platform/report/Report.h"

#include "platform/common/Numbers.h"
#include "platform/db/Db.h"
#include "platform/ui/TextDirection.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImageReader>
#include <QPointer>
#include <QSet>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace pf::report {

namespace {

// A band with no data of its own: title, headers, footers, detail, summary.
class PlainBand : public Band {
public:
    PlainBand(BandType type, Report *report, const QString &name, double height)
        : Band(type, report, name, height)
    {
    }
};

// A group header: printed before the first record of its level and whenever
// its key changes. The owner is the sub-detail whose records it groups, or
// null for the report's detail level.
class GroupHeaderBand : public Band {
public:
    GroupHeaderBand(Report *report, const QString &name, double height, SubDetailBand *owner,
                    std::function<QString()> key)
        : Band(BandType::GroupHeader, report, name, height), owner(owner), key(std::move(key))
    {
    }
    SubDetailBand *owner;
    std::function<QString()> key;
    std::optional<QString> lastKey;
};

} // namespace

// ---------------------------------------------------------------- elements

Element::Element(ElementKind kind, Band *band, const QString &name)
    : m_kind(kind), m_band(band), m_name(name)
{
}

void Element::bringToFront()
{
    int top = z;
    for (const auto &e : m_band->elements())
        if (e.get() != this)
            top = std::max(top, e->z + 1);
    z = top;
}

void Element::sendToBack()
{
    int bottom = z;
    for (const auto &e : m_band->elements())
        if (e.get() != this)
            bottom = std::min(bottom, e->z - 1);
    z = bottom;
}

QString DBText::currentText() const
{
    if (!dataset || !dataset->active() || dataset->isEmpty() || fieldName.isEmpty())
        return QString();
    const pf::db::Field &f = dataset->fieldByName(fieldName);
    // A number prints as the pages write theirs, never with an exponent; one
    // too large to be written so prints blank.
    if (f.dataType() == pf::db::FieldType::Float && !f.isNull()) {
        const double v = f.asFloat();
        return pf::showsAsTyped(v) ? pf::plainNumberText(v) : QString();
    }
    return f.asString();
}

bool Image::loadFromFile(const QString &path, QString *error)
{
    QImageReader reader(path);
    QImage img = reader.read();
    if (img.isNull()) {
        if (error)
            *error = QStringLiteral("تصوير خوانده نشد: %1 (%2)").arg(path, reader.errorString());
        return false;
    }
    picture = img;
    return true;
}

// ---------------------------------------------------------------- bands

Band::Band(BandType type, Report *report, const QString &name, double height)
    : height(height), m_type(type), m_report(report), m_name(name)
{
}

Band::~Band() = default;

template <class T> T *Band::adopt(T *e)
{
    if (auto *t = dynamic_cast<TextElement *>(static_cast<Element *>(e)))
        t->font = m_report->font;
    m_elements.emplace_back(e);
    return e;
}

Label *Band::addLabel(const QString &name, double left, double top, const QString &text)
{
    auto *l = adopt(new Label(ElementKind::Label, this, name));
    l->geometry = QRectF(left, top, 0, 0);
    l->text = text;
    return l;
}

DBText *Band::addDBText(const QString &name, double left, double top, pf::db::Dataset *dataset,
                        const QString &fieldName)
{
    auto *t = adopt(new DBText(ElementKind::DBText, this, name));
    t->geometry = QRectF(left, top, 0, 0);
    t->dataset = dataset;
    t->fieldName = fieldName;
    return t;
}

SysData *Band::addPageNumber(const QString &name, double left, double top, const QString &prefix)
{
    auto *s = adopt(new SysData(ElementKind::SysData, this, name));
    s->geometry = QRectF(left, top, 0, 0);
    s->prefix = prefix;
    return s;
}

Image *Band::addImage(const QString &name, const QRectF &geometry)
{
    auto *i = adopt(new Image(ElementKind::Image, this, name));
    i->geometry = geometry;
    return i;
}

Drawing *Band::addDrawing(const QString &name, const QRectF &geometry)
{
    auto *d = adopt(new Drawing(ElementKind::Drawing, this, name));
    d->geometry = geometry;
    return d;
}

Shape *Band::addShape(const QString &name, ShapeKind shape, const QRectF &geometry)
{
    auto *s = adopt(new Shape(ElementKind::Shape, this, name));
    s->shape = shape;
    s->geometry = geometry;
    return s;
}

Element *Band::findElement(const QString &name) const
{
    for (const auto &e : m_elements)
        if (e->name().compare(name, Qt::CaseInsensitive) == 0)
            return e.get();
    return nullptr;
}

SubDetailBand::SubDetailBand(Report *report, const QString &name, double height,
                             SubDetailBand *master, pf::db::Dataset *dataset)
    : Band(BandType::SubDetail, report, name, height), dataset(dataset), m_master(master)
{
}

Band *SubDetailBand::addHeader(const QString &name, double height)
{
    if (m_header)
        throw ReportError(QStringLiteral("Band %1 already has a header").arg(this->name()));
    m_header = report()->adoptBand(
        std::make_unique<PlainBand>(BandType::GroupHeader, report(), name, height));
    return m_header;
}

Band *SubDetailBand::addFooter(const QString &name, double height)
{
    if (m_footer)
        throw ReportError(QStringLiteral("Band %1 already has a footer").arg(this->name()));
    m_footer = report()->adoptBand(
        std::make_unique<PlainBand>(BandType::GroupFooter, report(), name, height));
    return m_footer;
}

Band *SubDetailBand::addGroupHeader(const QString &name, double height, std::function<QString()> key)
{
    return report()->adoptBand(
        std::make_unique<GroupHeaderBand>(report(), name, height, this, std::move(key)));
}

// ---------------------------------------------------------------- report

Report::Report(const QString &name) : m_name(name) {}

Report::~Report() = default;

Band *Report::adoptBand(std::unique_ptr<Band> band)
{
    if (findBand(band->name()))
        throw ReportError(QStringLiteral("Report %1 already has a band named %2").arg(m_name, band->name()));
    m_bands.push_back(std::move(band));
    return m_bands.back().get();
}

Band *Report::addBand(BandType type, const QString &name, double height)
{
    switch (type) {
    case BandType::SubDetail:
    case BandType::GroupHeader:
    case BandType::GroupFooter:
        throw ReportError(QStringLiteral("Band %1: sub-details and group bands have their own calls").arg(name));
    default:
        break;
    }
    if (band(type))
        throw ReportError(QStringLiteral("Report %1 already has a band of that kind (%2)").arg(m_name, name));
    return adoptBand(std::make_unique<PlainBand>(type, this, name, height));
}

SubDetailBand *Report::addSubDetail(const QString &name, double height, SubDetailBand *master,
                                    pf::db::Dataset *ds)
{
    if (master && master->report() != this)
        throw ReportError(QStringLiteral("Band %1: the master belongs to another report").arg(name));
    auto *sd = new SubDetailBand(this, name, height, master, ds);
    adoptBand(std::unique_ptr<Band>(sd));
    return sd;
}

Band *Report::addGroupHeader(const QString &name, double height, std::function<QString()> key)
{
    return adoptBand(std::make_unique<GroupHeaderBand>(this, name, height, nullptr, std::move(key)));
}

Band *Report::band(BandType type) const
{
    for (const auto &b : m_bands)
        if (b->type() == type)
            return b.get();
    return nullptr;
}

QVector<Band *> Report::bands() const
{
    QVector<Band *> out;
    out.reserve(int(m_bands.size()));
    for (const auto &b : m_bands)
        out.push_back(b.get());
    return out;
}

Band *Report::findBand(const QString &name) const
{
    for (const auto &b : m_bands)
        if (b->name().compare(name, Qt::CaseInsensitive) == 0)
            return b.get();
    return nullptr;
}

Element *Report::findElement(const QString &name) const
{
    for (const auto &b : m_bands)
        if (Element *e = b->findElement(name))
            return e;
    return nullptr;
}

QVector<Element *> Report::elements(ElementKind kind) const
{
    QVector<Element *> out;
    for (const auto &b : m_bands)
        for (const auto &e : b->elements())
            if (e->kind() == kind)
                out.push_back(e.get());
    return out;
}

// ---------------------------------------------------------------- layout

namespace {

struct LaidOut {
    double height = 0;
    QVector<DrawItem> items; // relative to the band's top left corner
};

void addFrame(QVector<DrawItem> &items, const Frame &f, const QRectF &r)
{
    if (!f.any() || f.width <= 0)
        return;
    if (f.top)
        items.push_back(LineItem{r.topLeft(), r.topRight(), f.width, f.color});
    if (f.bottom)
        items.push_back(LineItem{r.bottomLeft(), r.bottomRight(), f.width, f.color});
    if (f.left)
        items.push_back(LineItem{r.topLeft(), r.bottomLeft(), f.width, f.color});
    if (f.right)
        items.push_back(LineItem{r.topRight(), r.bottomRight(), f.width, f.color});
}

Qt::Alignment horizontal(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return Qt::AlignRight;
    if (a & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

// Lays out one text element; returns the bottom of its box. Without items
// the element is only measured.
double layoutText(TextLayoutCache &cache, const TextElement &el, const QString &text,
                  double bandWidth, QVector<DrawItem> *items)
{
    // The element's direction stands for texts without letters; the others
    // are laid out in their own direction.
    const Qt::LayoutDirection direction = pf::ui::textDirection(text, el.direction);
    const QRectF g = el.geometry;
    const Qt::Alignment align = horizontal(el.alignment);
    double x = g.left();
    double w = g.width();
    double textHeight = 0;
    if (!text.isEmpty()) {
        // The lines at the text's own breaks and its natural width; only a
        // text that must wrap is laid out again at its width.
        const LaidParagraph &free = cache.paragraph(text, el.font, direction, -1);
        const double natural = free.naturalWidth;
        bool wrap = false;
        if (el.autoSize) {
            w = std::ceil(natural);
            if (el.wordWrap) {
                double avail;
                if (align == Qt::AlignRight)
                    avail = g.right();
                else if (align == Qt::AlignHCenter)
                    avail = 2 * std::min(g.center().x(), bandWidth - g.center().x());
                else
                    avail = bandWidth - g.left();
                if (w > avail) {
                    w = std::max(avail, 1.0);
                    wrap = true;
                }
            }
            if (align == Qt::AlignRight)
                x = g.right() - w;
            else if (align == Qt::AlignHCenter)
                x = g.center().x() - w / 2;
        } else {
            wrap = el.wordWrap && natural > w;
        }
        const LaidParagraph &laid = wrap ? cache.paragraph(text, el.font, direction, w) : free;
        if (!laid.lines.isEmpty())
            textHeight = laid.lines.back().y + laid.lines.back().height;
        if (items)
            for (const LaidLine &line : laid.lines)
                if (!line.text.isEmpty())
                    items->push_back(
                        TextRun{line.text, el.font, direction, align, QRectF(x, g.top() + line.y, w, line.height)});
    } else {
        if (el.autoSize)
            w = 0;
        textHeight = cache.lineHeight(el.font);
    }
    const double h = el.autoSize ? textHeight : std::max(g.height(), textHeight);
    const QRectF box(x, g.top(), w, h);
    if (items)
        addFrame(*items, el.frame, box);
    return box.bottom();
}

double layoutImage(const Image &img, QVector<DrawItem> &items)
{
    const QRectF g = img.geometry;
    if (!img.picture.isNull() && g.width() > 0 && g.height() > 0) {
        if (img.stretch) {
            items.push_back(ImageItem{g, img.picture});
        } else {
            const int w = std::min(img.picture.width(), int(std::floor(g.width())));
            const int h = std::min(img.picture.height(), int(std::floor(g.height())));
            if (w > 0 && h > 0) {
                const QImage part = (w == img.picture.width() && h == img.picture.height())
                                        ? img.picture
                                        : img.picture.copy(0, 0, w, h);
                items.push_back(ImageItem{QRectF(g.left(), g.top(), w, h), part});
            }
        }
    }
    addFrame(items, img.frame, g);
    return g.bottom();
}

void translate(DrawItem &item, double dx, double dy);

double layoutDrawing(const Drawing &d, QVector<DrawItem> &items)
{
    const QRectF g = d.geometry;
    for (DrawItem item : d.items) {
        translate(item, g.left(), g.top());
        items.push_back(std::move(item));
    }
    addFrame(items, d.frame, g);
    return g.bottom();
}

double layoutShape(const Shape &s, QVector<DrawItem> &items)
{
    const QRectF g = s.geometry;
    switch (s.shape) {
    case ShapeKind::Rectangle:
        items.push_back(RectItem{g, s.penWidth, s.penColor, s.fill});
        break;
    case ShapeKind::HorizontalLine: {
        const double y = g.center().y();
        items.push_back(LineItem{QPointF(g.left(), y), QPointF(g.right(), y), s.penWidth, s.penColor});
        break;
    }
    case ShapeKind::VerticalLine: {
        const double x = g.center().x();
        items.push_back(LineItem{QPointF(x, g.top()), QPointF(x, g.bottom()), s.penWidth, s.penColor});
        break;
    }
    }
    addFrame(items, s.frame, g);
    return g.bottom();
}

void translate(DrawItem &item, double dx, double dy)
{
    std::visit(
        [&](auto &it) {
            using T = std::decay_t<decltype(it)>;
            if constexpr (std::is_same_v<T, LineItem>) {
                it.p1 += QPointF(dx, dy);
                it.p2 += QPointF(dx, dy);
            } else {
                it.rect.translate(dx, dy);
            }
        },
        item);
}

// Keeps the cursors of the datasets a report walks: the report's records and
// those of its sub-details are often the shared datasets that open forms
// show. Their positions are taken before the report runs and restored after
// it, masters before their details; while the report runs, the data-aware
// controls of those datasets are suspended, except on a dataset whose
// movements must reach a printed detail (a suspended dataset does not move
// its details).
class CursorKeeper {
public:
    explicit CursorKeeper(const Report &r)
    {
        QVector<pf::db::Dataset *> sets;
        if (r.dataset)
            sets.push_back(r.dataset);
        for (Band *b : r.bands())
            if (b->type() == BandType::SubDetail)
                if (auto *ds = static_cast<SubDetailBand *>(b)->dataset; ds && !sets.contains(ds))
                    sets.push_back(ds);
        QSet<pf::db::Dataset *> masters;
        for (pf::db::Dataset *ds : std::as_const(sets))
            if (pf::db::Dataset *m = masterOf(ds); m && sets.contains(m))
                masters.insert(m);
        for (pf::db::Dataset *ds : std::as_const(sets)) {
            Kept k;
            k.dataset = ds;
            k.depth = 0;
            for (pf::db::Dataset *m = masterOf(ds); m && k.depth < 64; m = masterOf(m))
                ++k.depth;
            if (ds->active() && !ds->isEmpty() && ds->recNo() > 0) {
                k.bookmark = ds->bookmark();
                k.eof = ds->eof();
            }
            k.suspended = !masters.contains(ds);
            if (k.suspended)
                ds->disableControls();
            m_kept.push_back(k);
        }
        std::stable_sort(m_kept.begin(), m_kept.end(),
                         [](const Kept &a, const Kept &b) { return a.depth < b.depth; });
    }

    ~CursorKeeper()
    {
        for (const Kept &k : std::as_const(m_kept)) {
            if (!k.dataset)
                continue;
            try {
                if (k.bookmark && k.dataset->active() && k.dataset->gotoBookmark(k.bookmark) && k.eof)
                    k.dataset->next(); // on the last record: only marks the end again
            } catch (...) {
                // A dataset that cannot move back stays where the report left it.
            }
        }
        for (const Kept &k : std::as_const(m_kept))
            if (k.dataset && k.suspended) {
                try {
                    k.dataset->enableControls();
                } catch (...) {
                }
            }
    }

    CursorKeeper(const CursorKeeper &) = delete;
    CursorKeeper &operator=(const CursorKeeper &) = delete;

private:
    static pf::db::Dataset *masterOf(pf::db::Dataset *ds)
    {
        auto *t = qobject_cast<pf::db::Table *>(ds);
        if (!t || !t->masterSource())
            return nullptr;
        return t->masterSource()->dataSet();
    }

    struct Kept {
        QPointer<pf::db::Dataset> dataset;
        qint64 bookmark = 0;
        bool eof = false;
        bool suspended = false;
        int depth = 0;
    };
    QVector<Kept> m_kept;
};

} // namespace

// Walks one report and lays its bands onto pages.
class Renderer {
public:
    Renderer(Report &report, Document &doc, int *pageNumber, TextLayoutCache &cache)
        : r(report), doc(doc), pageNumber(pageNumber), m_cache(cache)
    {
        left = mmToPx(r.page.leftMarginMm);
        top = mmToPx(r.page.topMarginMm);
        bottom = mmToPx(r.page.heightMm - r.page.bottomMarginMm);
        width = r.contentWidthPx();
        for (Band *b : r.bands()) {
            switch (b->type()) {
            case BandType::Title: title = b; break;
            case BandType::PageHeader: pageHeader = b; break;
            case BandType::ColumnHeader: columnHeader = b; break;
            case BandType::Detail: detail = b; break;
            case BandType::Summary: summary = b; break;
            case BandType::PageFooter: pageFooter = b; break;
            default: break;
            }
        }
    }

    void run()
    {
        const CursorKeeper keeper(r);
        bool print = true;
        if (r.beforePrint)
            r.beforePrint(r, print);
        if (!print)
            return;
        // The sub-details and group headers of each level, in the order added.
        for (Band *b : r.bands()) {
            if (b->type() == BandType::SubDetail) {
                auto *sd = static_cast<SubDetailBand *>(b);
                levels[sd->master()].children.push_back(sd);
            } else if (auto *g = dynamic_cast<GroupHeaderBand *>(b)) {
                levels[g->owner].groups.push_back(g);
            }
        }

        pf::db::Dataset *ds = r.dataset;
        if (ds && ds->active())
            toFirst(ds);
        const bool empty = ds && (!ds->active() || ds->eof());
        if (!(empty && !r.printIfEmpty)) {
            openPage();
            if (ds) {
                resetGroups(nullptr);
                while (ds->active() && !ds->eof()) {
                    masterRecord();
                    ds->next();
                }
            } else {
                resetGroups(nullptr);
                masterRecord();
            }
            printBand(summary);
            finishPage(true);
        }
        if (r.afterPrint)
            r.afterPrint(r);
    }

private:
    // Moves to the first record. A detail that has just followed its master
    // stands there already: moving it again would only make its own details
    // read their rows once more.
    static void toFirst(pf::db::Dataset *ds)
    {
        if (ds->recNo() == 1 && ds->bof() && !ds->eof())
            return;
        ds->first();
    }

    void masterRecord()
    {
        printGroups(nullptr);
        printBand(detail);
        for (SubDetailBand *sd : levels.value(nullptr).children)
            runSubDetail(sd);
    }

    void runSubDetail(SubDetailBand *sd)
    {
        pf::db::Dataset *ds = sd->dataset;
        bool hasRows = true;
        if (ds) {
            if (ds->active())
                toFirst(ds);
            hasRows = ds->active() && !ds->eof();
        }
        if (!hasRows && !sd->printIfEmpty)
            return;
        // The header stays with the first row; with no rows it stands alone.
        if (hasRows)
            printBand(sd->header(), [&] { return followingHeight(sd, nullptr); });
        else
            printBand(sd->header());
        resetGroups(sd);
        auto row = [&] {
            printGroups(sd);
            printBand(sd);
            for (SubDetailBand *child : levels.value(sd).children)
                runSubDetail(child);
        };
        if (ds) {
            while (ds->active() && !ds->eof()) {
                row();
                ds->next();
            }
        } else {
            row();
        }
        printBand(sd->footer());
    }

    void resetGroups(SubDetailBand *owner)
    {
        for (GroupHeaderBand *g : levels.value(owner).groups)
            g->lastKey.reset();
    }

    void printGroups(SubDetailBand *owner)
    {
        for (GroupHeaderBand *g : levels.value(owner).groups) {
            const QString key = g->key ? g->key() : QString();
            if (g->lastKey && *g->lastKey == key)
                continue;
            g->lastKey = key;
            printBand(g, [&] { return followingHeight(owner, g); });
        }
    }

    // The height of what prints right after a header of the level `owner`
    // (null: the report's detail level) for the current record: the group
    // headers of that level after `after` that will print (every one of them
    // after the level's own header, when `after` is null), then the level's
    // data band. The bands are measured as they stand, without running their
    // events: data fields show the current record, labels their last text.
    double followingHeight(SubDetailBand *owner, const Band *after) const
    {
        double h = 0;
        bool past = after == nullptr;
        for (GroupHeaderBand *g : levels.value(owner).groups) {
            if (g == after) {
                past = true;
                continue;
            }
            if (!past || !g->enabled)
                continue;
            if (after && g->lastKey && *g->lastKey == (g->key ? g->key() : QString()))
                continue;
            h += layoutBand(*g, nullptr);
        }
        Band *data = owner ? owner : detail;
        if (data && data->enabled)
            h += layoutBand(*data, nullptr);
        return h;
    }

    // Prints a band in the flow of the page, breaking the page first when
    // the band does not fit above the page footer. A header passes
    // keepWith, the height of what must follow it on the same page: when the
    // header fits but not together with that, the page breaks before the
    // header too, unless the two would not fit on a fresh page either (taken
    // as tall as this page's body) and the break would only waste a page.
    void printBand(Band *b, const std::function<double()> &keepWith = nullptr)
    {
        if (!b || !b->enabled)
            return;
        bool print = true;
        if (b->beforePrint)
            b->beforePrint(*b, print);
        print = print && b->enabled;
        if (print) {
            laid.items.clear();
            laid.height = layoutBand(*b, &laid.items);
            bool breakPage = y + laid.height > flowBottom();
            if (!breakPage && keepWith && y > bodyTop) {
                const double next = keepWith();
                breakPage = next > 0 && y + laid.height + next > flowBottom() &&
                            laid.height + next <= flowBottom() - bodyTop;
            }
            if (breakPage && y > bodyTop) {
                newPage();
                // Only the page number changes on the new page.
                if (showsPageNumber(*b)) {
                    laid.items.clear();
                    laid.height = layoutBand(*b, &laid.items);
                }
            }
            place(laid, y);
            y += laid.height;
        }
        if (b->afterPrint)
            b->afterPrint(*b, print);
    }

    // Prints a band at a fixed place, outside the flow (page header, column
    // header, page footer).
    double printFixed(Band *b, double at)
    {
        if (!b || !b->enabled)
            return 0;
        bool print = true;
        if (b->beforePrint)
            b->beforePrint(*b, print);
        print = print && b->enabled;
        double h = 0;
        if (print) {
            fixed.items.clear();
            fixed.height = layoutBand(*b, &fixed.items);
            place(fixed, at);
            h = fixed.height;
        }
        if (b->afterPrint)
            b->afterPrint(*b, print);
        return h;
    }

    double flowBottom() const
    {
        const double reserve = (pageFooter && pageFooter->enabled) ? pageFooter->height : 0;
        return bottom - reserve;
    }

    void openPage()
    {
        doc.pages.addPage();
        ++*pageNumber;
        ++pagesOfReport;
        r.m_pageNumber = *pageNumber;
        y = top;
        bodyTop = top;
        if (pagesOfReport > 1 || r.firstPageHeader)
            y += printFixed(pageHeader, y);
        if (pagesOfReport == 1 && title) {
            bodyTop = y; // a title taller than the page still goes on page 1
            printBand(title);
        }
        y += printFixed(columnHeader, y);
        bodyTop = y;
    }

    void finishPage(bool last)
    {
        if (pageFooter && pageFooter->enabled && (!last || r.lastPageFooter))
            printFixed(pageFooter, bottom - pageFooter->height);
    }

    void newPage()
    {
        finishPage(false);
        openPage();
    }

    void place(LaidOut &lo, double at)
    {
        for (DrawItem &item : lo.items) {
            translate(item, left, at);
            doc.pages.addItem(item);
        }
    }

    static bool showsPageNumber(const Band &b)
    {
        for (const auto &e : b.elements())
            if (e->enabled && e->kind() == ElementKind::SysData)
                return true;
        return false;
    }

    // Lays a band out as it stands and returns its height; the drawn items,
    // relative to the band's top left corner, go to items, or nowhere when
    // the band is only measured.
    double layoutBand(const Band &b, QVector<DrawItem> *items) const
    {
        std::vector<const Element *> &order = m_order;
        order.clear();
        bool sorted = true;
        for (const auto &e : b.elements())
            if (e->enabled) {
                if (!order.empty() && order.back()->z > e->z)
                    sorted = false;
                order.push_back(e.get());
            }
        if (!sorted)
            std::stable_sort(order.begin(), order.end(),
                             [](const Element *a, const Element *c) { return a->z < c->z; });
        const bool background = b.color.alpha() > 0 && b.color != QColor(Qt::white);
        const qsizetype backgroundAt = items ? items->size() : 0;
        if (items && background)
            items->push_back(RectItem{}); // filled in when the height is known
        double h = b.height;
        for (const Element *e : order) {
            double bottomOf = 0;
            switch (e->kind()) {
            case ElementKind::Label:
                bottomOf = layoutText(m_cache, *static_cast<const Label *>(e), static_cast<const Label *>(e)->text,
                                      width, items);
                break;
            case ElementKind::DBText: {
                auto *t = static_cast<const DBText *>(e);
                bottomOf = layoutText(m_cache, *t, t->currentText(), width, items);
                break;
            }
            case ElementKind::SysData: {
                auto *s = static_cast<const SysData *>(e);
                bottomOf = layoutText(m_cache, *s, s->prefix + QString::number(*pageNumber), width, items);
                break;
            }
            case ElementKind::Image:
                bottomOf = items ? layoutImage(*static_cast<const Image *>(e), *items) : e->geometry.bottom();
                break;
            case ElementKind::Shape:
                bottomOf = items ? layoutShape(*static_cast<const Shape *>(e), *items) : e->geometry.bottom();
                break;
            case ElementKind::Drawing:
                bottomOf = items ? layoutDrawing(*static_cast<const Drawing *>(e), *items) : e->geometry.bottom();
                break;
            }
            h = std::max(h, bottomOf);
        }
        if (items) {
            const QRectF box(0, 0, width, h);
            if (background)
                (*items)[backgroundAt] = RectItem{box, 0, Qt::transparent, b.color};
            addFrame(*items, b.frame, box);
        }
        return h;
    }

    Report &r;
    Document &doc;
    int *pageNumber;
    int pagesOfReport = 0;
    double left = 0, top = 0, bottom = 0, width = 0;
    double y = 0;
    double bodyTop = 0;
    Band *title = nullptr, *pageHeader = nullptr, *columnHeader = nullptr, *detail = nullptr,
         *summary = nullptr, *pageFooter = nullptr;
    struct Level {
        QVector<SubDetailBand *> children;
        QVector<GroupHeaderBand *> groups;
    };
    QHash<const SubDetailBand *, Level> levels; // null: the report's detail level
    LaidOut laid;  // the band being printed; its storage is reused
    LaidOut fixed; // the same for a band at a fixed place
    TextLayoutCache &m_cache;
    mutable std::vector<const Element *> m_order;
};

void Report::renderInto(Document &doc, int *pageNumber, TextLayoutCache &texts)
{
    Renderer(*this, doc, pageNumber, texts).run();
}

Document Report::render()
{
    Document doc;
    doc.pageSizeMm = pageSizeMm();
    int n = 0;
    TextLayoutCache texts;
    renderInto(doc, &n, texts);
    return doc;
}

// ---------------------------------------------------------------- composite

void CompositeReport::add(Report *report)
{
    if (report)
        m_reports.push_back(report);
}

Document CompositeReport::render()
{
    m_reports.clear();
    if (onAddReports)
        onAddReports(*this);
    Document doc;
    doc.pageSizeMm = m_reports.isEmpty() ? QSizeF(page.widthMm, page.heightMm)
                                         : m_reports.first()->pageSizeMm();
    int n = 0;
    // The reports share their text layouts: a text that several of them
    // print is laid out once.
    TextLayoutCache texts;
    for (Report *rep : std::as_const(m_reports))
        rep->renderInto(doc, &n, texts);
    return doc;
}

} // namespace pf::report
