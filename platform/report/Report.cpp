#include "platform/report/Report.h"

#include "platform/db/Db.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImageReader>
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
    return dataset->fieldByName(fieldName).asString();
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

// Lays out one text element; returns the bottom of its box.
double layoutText(const TextElement &el, const QString &text, double bandWidth,
                  QVector<DrawItem> &items)
{
    const QRectF g = el.geometry;
    const Qt::Alignment align = horizontal(el.alignment);
    double x = g.left();
    double w = g.width();
    double textHeight = 0;
    if (!text.isEmpty()) {
        // Laid out once without limit: the lines at the text's own breaks and
        // its natural width. Only a text that must wrap is laid out again.
        QTextLayout free;
        layoutParagraph(free, text, el.font, el.direction, align, false, -1);
        double natural = 0;
        for (int i = 0; i < free.lineCount(); ++i)
            natural = std::max(natural, free.lineAt(i).naturalTextWidth());
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
        QTextLayout wrapped;
        if (wrap)
            layoutParagraph(wrapped, text, el.font, el.direction, align, true, w);
        const QTextLayout &layout = wrap ? wrapped : free;
        const QString &laid = layout.text();
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            QString part = laid.mid(line.textStart(), line.textLength());
            if (part.endsWith(QChar::LineSeparator))
                part.chop(1);
            const QRectF box(x, g.top() + line.y(), w, line.height());
            textHeight = line.y() + line.height();
            if (!part.isEmpty())
                items.push_back(TextRun{part, el.font, el.direction, align, box});
        }
    } else {
        if (el.autoSize)
            w = 0;
        textHeight = QFontMetricsF(QFont(el.font.toQFont(), layoutDevice())).height();
    }
    const double h = el.autoSize ? textHeight : std::max(g.height(), textHeight);
    const QRectF box(x, g.top(), w, h);
    addFrame(items, el.frame, box);
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

} // namespace

// Walks one report and lays its bands onto pages.
class Renderer {
public:
    Renderer(Report &report, Document &doc, int *pageNumber)
        : r(report), doc(doc), pageNumber(pageNumber)
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
        bool print = true;
        if (r.beforePrint)
            r.beforePrint(r, print);
        if (!print)
            return;

        pf::db::Dataset *ds = r.dataset;
        if (ds && ds->active())
            ds->first();
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
    void masterRecord()
    {
        printGroups(nullptr);
        printBand(detail);
        for (Band *b : r.bands())
            if (b->type() == BandType::SubDetail && static_cast<SubDetailBand *>(b)->master() == nullptr)
                runSubDetail(static_cast<SubDetailBand *>(b));
    }

    void runSubDetail(SubDetailBand *sd)
    {
        pf::db::Dataset *ds = sd->dataset;
        bool hasRows = true;
        if (ds) {
            if (ds->active())
                ds->first();
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
            for (Band *b : r.bands())
                if (b->type() == BandType::SubDetail && static_cast<SubDetailBand *>(b)->master() == sd)
                    runSubDetail(static_cast<SubDetailBand *>(b));
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
        for (Band *b : r.bands())
            if (auto *g = dynamic_cast<GroupHeaderBand *>(b); g && g->owner == owner)
                g->lastKey.reset();
    }

    void printGroups(SubDetailBand *owner)
    {
        for (Band *b : r.bands()) {
            auto *g = dynamic_cast<GroupHeaderBand *>(b);
            if (!g || g->owner != owner)
                continue;
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
        for (Band *b : r.bands()) {
            if (b == after) {
                past = true;
                continue;
            }
            auto *g = dynamic_cast<GroupHeaderBand *>(b);
            if (!past || !g || g->owner != owner || !g->enabled)
                continue;
            if (after && g->lastKey && *g->lastKey == (g->key ? g->key() : QString()))
                continue;
            h += layoutBand(*g).height;
        }
        Band *data = owner ? owner : detail;
        if (data && data->enabled)
            h += layoutBand(*data).height;
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
            LaidOut lo = layoutBand(*b);
            bool breakPage = y + lo.height > flowBottom();
            if (!breakPage && keepWith && y > bodyTop) {
                const double next = keepWith();
                breakPage = next > 0 && y + lo.height + next > flowBottom() &&
                            lo.height + next <= flowBottom() - bodyTop;
            }
            if (breakPage && y > bodyTop) {
                newPage();
                lo = layoutBand(*b);
            }
            place(lo, y);
            y += lo.height;
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
            const LaidOut lo = layoutBand(*b);
            place(lo, at);
            h = lo.height;
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
        doc.pages.push_back(Page{});
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

    void place(const LaidOut &lo, double at)
    {
        Page &page = doc.pages.back();
        for (DrawItem item : lo.items) {
            translate(item, left, at);
            page.items.push_back(std::move(item));
        }
    }

    LaidOut layoutBand(const Band &b) const
    {
        LaidOut lo;
        QVector<DrawItem> items;
        double h = b.height;
        std::vector<const Element *> order;
        order.reserve(b.elements().size());
        for (const auto &e : b.elements())
            if (e->enabled)
                order.push_back(e.get());
        std::stable_sort(order.begin(), order.end(),
                         [](const Element *a, const Element *c) { return a->z < c->z; });
        for (const Element *e : order) {
            double bottomOf = 0;
            switch (e->kind()) {
            case ElementKind::Label:
                bottomOf = layoutText(*static_cast<const Label *>(e), static_cast<const Label *>(e)->text,
                                      width, items);
                break;
            case ElementKind::DBText: {
                auto *t = static_cast<const DBText *>(e);
                bottomOf = layoutText(*t, t->currentText(), width, items);
                break;
            }
            case ElementKind::SysData: {
                auto *s = static_cast<const SysData *>(e);
                bottomOf = layoutText(*s, s->prefix + QString::number(*pageNumber), width, items);
                break;
            }
            case ElementKind::Image:
                bottomOf = layoutImage(*static_cast<const Image *>(e), items);
                break;
            case ElementKind::Shape:
                bottomOf = layoutShape(*static_cast<const Shape *>(e), items);
                break;
            }
            h = std::max(h, bottomOf);
        }
        lo.height = h;
        const QRectF box(0, 0, width, h);
        if (b.color.alpha() > 0 && b.color != QColor(Qt::white))
            lo.items.push_back(RectItem{box, 0, Qt::transparent, b.color});
        lo.items += items;
        addFrame(lo.items, b.frame, box);
        return lo;
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
};

void Report::renderInto(Document &doc, int *pageNumber)
{
    Renderer(*this, doc, pageNumber).run();
}

Document Report::render()
{
    Document doc;
    doc.pageSizeMm = pageSizeMm();
    int n = 0;
    renderInto(doc, &n);
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
    for (Report *rep : std::as_const(m_reports))
        rep->renderInto(doc, &n);
    return doc;
}

} // namespace pf::report
