#include "platform/report/Report.h"

#include "platform/common/Numbers.h"
#include "platform/common/TextPlace.h"
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
#include <cstring>
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
    if (auto *t = dynamic_cast<TextElement *>(static_cast<Element *>(e))) {
        t->font = m_report->font;
        t->m_number = m_report->m_textElements++;
    }
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
    band->m_number = int(m_bands.size());
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

// A band laid out: its height and its items relative to the band's top
// left corner, with their texts, styles, colours and pictures numbered in
// the pages being made.
// The items of a band as it is laid out, their storage kept from band to
// band: each slot is cleared as it is taken.
class Items {
public:
    PageList::HeldItem &add()
    {
        if (m_size == m_items.size()) [[unlikely]]
            grow();
        PageList::HeldItem &slot = m_items[m_size++];
        slot = PageList::HeldItem{};
        return slot;
    }
    void clear() { m_size = 0; }
    size_t size() const { return m_size; }
    const PageList::HeldItem *data() const { return m_items.data(); }
    PageList::HeldItem &operator[](size_t i) { return m_items[i]; }

private:
    [[gnu::noinline]] void grow() { m_items.resize(std::max<size_t>(256, 2 * m_items.size())); }
    std::vector<PageList::HeldItem> m_items;
    size_t m_size = 0;
};

struct LaidOut {
    double height = 0;
    Items items;
    int band = 0; // the band's number
};

// Equal texts, found at once when they share their characters.
inline bool sameText(const QString &a, const QString &b)
{
    return pf::sameCharacters(a, b) || a == b;
}

inline bool sameFont(const ReportFont &a, const ReportFont &b)
{
    return a.pointSize == b.pointSize && a.bold == b.bold && a.underline == b.underline && a.color == b.color &&
           sameText(a.family, b.family);
}

using Held = PageList::HeldItem;

Qt::Alignment horizontal(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return Qt::AlignRight;
    if (a & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

void translate(Held &item, double dx, double dy)
{
    item.v[0] += dx;
    item.v[1] += dy;
    if (item.kind == Held::Line || item.kind == Held::Sides) {
        item.v[2] += dx;
        item.v[3] += dy;
    }
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

// What a run found when it laid an element's texts out: a text laid out
// again in the same font, direction and alignment (as a row of a table
// prints the few values of its columns again and again) takes what was
// found for it as it stands. Made afresh by every run, one per text element
// of the report.
struct TextsLaid {
    bool begun = false;
    ReportFont font;
    Qt::LayoutDirection given = Qt::RightToLeft; // the element's direction then
    Qt::Alignment alignment;
    struct Text {
        QString text; // kept, so that its characters stay where they lie
        Qt::LayoutDirection direction = Qt::RightToLeft; // the text's own
        const LaidParagraph *free = nullptr;
        // What the text prints with from its free layout, read once: the
        // layout lies elsewhere in memory, and a text printed again should
        // not have to fetch it. The lines only for a text of one or two.
        double natural = 0; // the free layout's natural width
        double height = 0;  // the bottom of its last line
        int lines = -1;     // how many lines it has, when one or two; else -1
        double lineY[2] = {}, lineHeight[2] = {};
        bool lineEmpty[2] = {};
        qint64 style = -1; // the style's number in the run's pages; -1 none yet
        // The numbers of its lines' texts in the run's pages, once placed (a
        // text of one or two lines).
        qint64 lineIds[2] = {-1, -1};
    };
    static constexpr int kTexts = 8;
    Text texts[kTexts];
    int nextText = 0;
    double emptyHeight = -1; // of an empty line in the font, once asked
    // Texts measured for the form code in the element's own direction, and
    // their widths.
    struct Measured {
        QString text;
        double width = 0;
    };
    Measured measured[kTexts];
    int nextMeasured = 0;
};

// The text layouts of a run and what it found for each text element.
struct RunTexts {
    explicit RunTexts(TextLayoutCache &texts) : texts(texts) {}
    TextLayoutCache &texts;
    std::vector<TextsLaid> laid;
    size_t laidCount = 0; // laid.size(), kept: a record of this size is not counted cheaply

    // What the run keeps for the element, for its font, direction and
    // alignment as they stand: started afresh when any of them changed.
    [[gnu::always_inline]] TextsLaid &of(const TextElement &el, Qt::Alignment align)
    {
        if (size_t(el.m_number) >= laidCount) [[unlikely]] {
            laid.resize(size_t(el.m_number) + 1);
            laidCount = laid.size();
        }
        TextsLaid &memo = laid[size_t(el.m_number)];
        if (!memo.begun || memo.given != el.direction || memo.alignment != align ||
            !sameFont(memo.font, el.font)) [[unlikely]]
            restart(memo, el, align);
        return memo;
    }
    [[gnu::noinline]] static void restart(TextsLaid &memo, const TextElement &el, Qt::Alignment align)
    {
        memo = TextsLaid();
        memo.begun = true;
        memo.given = el.direction;
        memo.alignment = align;
        memo.font = el.font;
    }
};

// Walks one report and lays its bands onto pages.
class Renderer {
public:
    Renderer(Report &report, Document &doc, int *pageNumber, TextLayoutCache &cache)
        : r(report), doc(doc), pages(doc.pages), pageNumber(pageNumber), m_cache(cache)
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
        // The report's walk over its datasets reads in one read transaction
        // of each database.
        std::vector<std::unique_ptr<pf::db::ReadScope>> walks;
        auto walkOn = [&](pf::db::Dataset *ds) {
            pf::db::Database *db = ds ? ds->database() : nullptr;
            if (db && std::none_of(m_walked.begin(), m_walked.end(), [&](pf::db::Database *d) { return d == db; })) {
                m_walked.push_back(db);
                walks.push_back(std::make_unique<pf::db::ReadScope>(db));
            }
        };
        walkOn(r.dataset);
        for (Band *b : r.bands())
            if (b->type() == BandType::SubDetail)
                walkOn(static_cast<SubDetailBand *>(b)->dataset);
        // Widths the form code asks for while it runs come from the run's
        // layouts.
        struct InRun {
            Report &r;
            RunTexts *before;
            InRun(Report &r, RunTexts *texts) : r(r), before(r.m_runTexts) { r.m_runTexts = texts; }
            ~InRun() { r.m_runTexts = before; }
        } inRun(r, &m_texts);
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
        const int records = !ds && r.records ? r.records.count() : -1;
        const bool empty = ds ? (!ds->active() || ds->eof()) : records == 0;
        if (!(empty && !r.printIfEmpty)) {
            openPage();
            resetGroups(nullptr);
            if (ds) {
                while (ds->active() && !ds->eof()) {
                    masterRecord();
                    ds->next();
                }
            } else if (records >= 0) {
                for (int i = 0; i < records; ++i) {
                    r.records.select(i);
                    masterRecord();
                }
            } else {
                masterRecord();
            }
            printBand(summary);
            finishPage(true);
        }
        if (r.afterPrint)
            r.afterPrint(r);
    }

private:
    struct Level {
        QVector<SubDetailBand *> children;
        QVector<GroupHeaderBand *> groups;
    };

    const Level &levelOf(const SubDetailBand *owner) const
    {
        static const Level none;
        const auto it = levels.constFind(owner);
        return it == levels.constEnd() ? none : it.value();
    }

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
        const Level &level = levelOf(nullptr);
        printGroups(nullptr, level);
        printBand(detail);
        for (SubDetailBand *sd : level.children)
            runSubDetail(sd);
    }

    void runSubDetail(SubDetailBand *sd)
    {
        pf::db::Dataset *ds = sd->dataset;
        const int records = !ds && sd->records ? sd->records.count() : -1;
        bool hasRows = true;
        if (ds) {
            if (ds->active())
                toFirst(ds);
            hasRows = ds->active() && !ds->eof();
        } else if (records >= 0) {
            hasRows = records > 0;
        }
        if (!hasRows && !sd->printIfEmpty)
            return;
        const Level &level = levelOf(sd);
        // The header stays with the first row; with no rows it stands alone.
        if (hasRows) {
            if (records > 0)
                sd->records.select(0);
            printBand(sd->header(), [&] { return followingHeight(sd, nullptr); });
        } else {
            printBand(sd->header());
        }
        resetGroups(sd);
        auto row = [&] {
            printGroups(sd, level);
            printBand(sd);
            for (SubDetailBand *child : level.children)
                runSubDetail(child);
        };
        if (ds) {
            while (ds->active() && !ds->eof()) {
                row();
                ds->next();
            }
        } else if (records >= 0) {
            for (int i = 0; i < records; ++i) {
                if (i > 0)
                    sd->records.select(i);
                row();
            }
        } else {
            row();
        }
        printBand(sd->footer());
    }

    void resetGroups(SubDetailBand *owner)
    {
        for (GroupHeaderBand *g : levelOf(owner).groups)
            g->lastKey.reset();
    }

    void printGroups(SubDetailBand *owner, const Level &level)
    {
        for (GroupHeaderBand *g : level.groups) {
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
        for (GroupHeaderBand *g : levelOf(owner).groups) {
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
            laid.band = b->m_number;
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
            fixed.band = b->m_number;
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
        pages.addPage();
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
        pages.addHeld(lo.items.data(), qsizetype(lo.items.size()), left, at, lo.band);
    }

    static bool showsPageNumber(const Band &b)
    {
        for (const auto &e : b.elements())
            if (e->enabled && e->kind() == ElementKind::SysData)
                return true;
        return false;
    }

    // ------------------------------------------------------------ elements

    [[gnu::always_inline]] quint32 colorId(const ReportColor &c) const
    {
        // The frames and shapes of a report are drawn in a few colours,
        // most often in the one met last.
        if (m_colorCount > 0 && c == m_colors[m_lastColor].color) [[likely]]
            return m_colors[m_lastColor].id;
        return otherColorId(c);
    }

    [[gnu::noinline]] quint32 otherColorId(const ReportColor &c) const
    {
        for (int i = 0; i < m_colorCount; ++i)
            if (c == m_colors[i].color) {
                m_lastColor = i;
                return m_colors[i].id;
            }
        const quint32 id = pages.colorId(c);
        m_lastColor = m_colorCount < kKnownColors ? m_colorCount++ : (m_nextColor++ % kKnownColors);
        m_colors[m_lastColor] = {c, id};
        return id;
    }

    void addFrame(Items &items, const Frame &f, const QRectF &r) const
    {
        if (f.any() && f.width > 0)
            addFrameLines(items, f, r);
    }

    [[gnu::noinline]] void addFrameLines(Items &items, const Frame &f, const QRectF &r) const
    {
        // One item for the sides; the pages hand them back as their lines.
        Held &h = items.add();
        h.kind = Held::Sides;
        h.ids[0] = colorId(f.color);
        h.ids[1] = (f.top ? Held::Top : 0) | (f.bottom ? Held::Bottom : 0) | (f.left ? Held::Left : 0) |
                   (f.right ? Held::Right : 0);
        h.v[0] = r.left();
        h.v[1] = r.top();
        h.v[2] = r.right();
        h.v[3] = r.bottom();
        h.v[4] = f.width;
    }

public:
    // The entry kept for a text among `entries` (each with a `text`), found
    // by where its characters lie (TextPlace.h), else by its characters; or
    // null.
    template <class Entry, size_t N> static Entry *kept(Entry (&entries)[N], const QString &text)
    {
        for (Entry &e : entries)
            if (!e.text.isNull() && pf::sameCharacters(e.text, text))
                return &e;
        for (Entry &e : entries)
            if (!e.text.isNull() && e.text == text)
                return &e;
        return nullptr;
    }

private:
    // Lays out one text element; returns the bottom of its box. Without
    // items the element is only measured.
    double layoutText(const TextElement &el, const QString &text, Items *items) const
    {
        const Qt::Alignment align = horizontal(el.alignment);
        TextsLaid &memo = m_texts.of(el, align);
        const QRectF g = el.geometry;
        double x = g.left();
        double w = g.width();
        double textHeight = 0;
        if (!text.isEmpty()) {
            TextsLaid::Text *t = kept(memo.texts, text);
            if (!t) {
                t = &memo.texts[memo.nextText++ % TextsLaid::kTexts];
                *t = TextsLaid::Text();
                t->text = text;
                // The element's direction stands for texts without letters;
                // the others are laid out in their own direction.
                t->direction = pf::ui::textDirection(text, el.direction);
                // The lines at the text's own breaks and its natural width.
                t->free = &m_cache.paragraph(text, el.font, t->direction, -1);
                const LaidParagraph &free = *t->free;
                t->natural = free.naturalWidth;
                if (!free.lines.isEmpty())
                    t->height = free.lines.back().y + free.lines.back().height;
                if (free.lines.size() <= 2) {
                    t->lines = int(free.lines.size());
                    for (int i = 0; i < t->lines; ++i) {
                        t->lineY[i] = free.lines[i].y;
                        t->lineHeight[i] = free.lines[i].height;
                        t->lineEmpty[i] = free.lines[i].text.isEmpty();
                    }
                }
            }
            const Qt::LayoutDirection direction = t->direction;
            const double natural = t->natural;
            // Only a text that must wrap is laid out again at its width.
            bool wrap = false;
            if (el.autoSize) {
                w = roundedUp(natural);
                if (el.wordWrap) {
                    double avail;
                    if (align == Qt::AlignRight)
                        avail = g.right();
                    else if (align == Qt::AlignHCenter)
                        avail = 2 * std::min(g.center().x(), width - g.center().x());
                    else
                        avail = width - g.left();
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
            if (!wrap && t->lines >= 0) {
                // As it was laid out, from what the text keeps of it; the
                // numbers of its lines' texts are kept with them.
                textHeight = t->height;
                if (items) {
                    if (t->style < 0)
                        t->style = pages.styleId(PageList::TextStyle{el.font, direction, align});
                    for (int i = 0; i < t->lines; ++i) {
                        if (t->lineEmpty[i])
                            continue;
                        if (t->lineIds[i] < 0)
                            t->lineIds[i] = pages.stringId(t->free->lines[i].text);
                        addTextLine(*items, quint32(t->lineIds[i]), quint32(t->style), x, g.top() + t->lineY[i], w,
                                    t->lineHeight[i]);
                    }
                }
            } else {
                // Wrapped at its width, or of many lines: from the layout.
                const LaidParagraph &laidText = wrap ? m_cache.paragraph(text, el.font, direction, w) : *t->free;
                if (!laidText.lines.isEmpty())
                    textHeight = laidText.lines.back().y + laidText.lines.back().height;
                if (items) {
                    if (t->style < 0)
                        t->style = pages.styleId(PageList::TextStyle{el.font, direction, align});
                    for (const LaidLine &line : laidText.lines)
                        if (!line.text.isEmpty())
                            addTextLine(*items, pages.stringId(line.text), quint32(t->style), x, g.top() + line.y, w,
                                        line.height);
                }
            }
        } else {
            if (el.autoSize)
                w = 0;
            if (memo.emptyHeight < 0)
                memo.emptyHeight = m_cache.lineHeight(el.font);
            textHeight = memo.emptyHeight;
        }
        const double h = el.autoSize ? textHeight : std::max(g.height(), textHeight);
        const QRectF box(x, g.top(), w, h);
        if (items)
            addFrame(*items, el.frame, box);
        return box.bottom();
    }

    // std::ceil, without a call for a width above 0 and below 2^52 (where
    // the whole part converts exactly).
    static double roundedUp(double v)
    {
        if (v > 0 && v < 0x1p52) {
            const double whole = double(qint64(v));
            return whole < v ? whole + 1 : whole;
        }
        return std::ceil(v);
    }

    static void addTextLine(Items &items, quint32 text, quint32 style, double x, double y, double w, double h)
    {
        Held &item = items.add();
        item.kind = Held::Text;
        item.ids[0] = text;
        item.ids[1] = style;
        item.v[0] = x;
        item.v[1] = y;
        item.v[2] = w;
        item.v[3] = h;
    }

    void addBox(Items &items, Held::Kind kind, const QRectF &box, double pen, quint32 id0, quint32 id1) const
    {
        Held &h = items.add();
        h.kind = kind;
        h.ids[0] = id0;
        h.ids[1] = id1;
        h.v[0] = box.x();
        h.v[1] = box.y();
        h.v[2] = box.width();
        h.v[3] = box.height();
        h.v[4] = pen;
    }

    double layoutImage(const Image &img, Items &items) const
    {
        const QRectF g = img.geometry;
        if (!img.picture.isNull() && g.width() > 0 && g.height() > 0) {
            if (img.stretch) {
                addBox(items, Held::Image, g, 0, pages.imageId(img.picture), 0);
            } else {
                const int w = std::min(img.picture.width(), int(std::floor(g.width())));
                const int h = std::min(img.picture.height(), int(std::floor(g.height())));
                if (w > 0 && h > 0) {
                    const QImage part = (w == img.picture.width() && h == img.picture.height())
                                            ? img.picture
                                            : img.picture.copy(0, 0, w, h);
                    addBox(items, Held::Image, QRectF(g.left(), g.top(), w, h), 0, pages.imageId(part), 0);
                }
            }
        }
        addFrame(items, img.frame, g);
        return g.bottom();
    }

    double layoutDrawing(const Drawing &d, Items &items) const
    {
        const QRectF g = d.geometry;
        for (const DrawItem &item : d.items) {
            Held h = pages.heldOf(item);
            translate(h, g.left(), g.top());
            items.add() = h;
        }
        addFrame(items, d.frame, g);
        return g.bottom();
    }

    double layoutShape(const Shape &s, Items &items) const
    {
        const QRectF g = s.geometry;
        switch (s.shape) {
        case ShapeKind::Rectangle:
            addBox(items, Held::Rect, g, s.penWidth, colorId(s.penColor), colorId(s.fill));
            break;
        case ShapeKind::HorizontalLine: {
            const double y = g.center().y();
            addBox(items, Held::Line, QRectF(g.left(), y, g.right(), y), s.penWidth, colorId(s.penColor), 0);
            break;
        }
        case ShapeKind::VerticalLine: {
            const double x = g.center().x();
            addBox(items, Held::Line, QRectF(x, g.top(), x, g.bottom()), s.penWidth, colorId(s.penColor), 0);
            break;
        }
        }
        addFrame(items, s.frame, g);
        return g.bottom();
    }

    // Lays a band out as it stands and returns its height; the drawn items,
    // relative to the band's top left corner, go to items, or nowhere when
    // the band is only measured.
    double layoutBand(const Band &b, Items *items) const
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
            items->add() = Held{}; // filled in when the height is known
        double h = b.height;
        for (const Element *e : order) {
            double bottomOf = 0;
            switch (e->kind()) {
            case ElementKind::Label:
                bottomOf = layoutText(*static_cast<const Label *>(e), static_cast<const Label *>(e)->text, items);
                break;
            case ElementKind::DBText: {
                auto *t = static_cast<const DBText *>(e);
                bottomOf = layoutText(*t, t->currentText(), items);
                break;
            }
            case ElementKind::SysData: {
                auto *s = static_cast<const SysData *>(e);
                bottomOf = layoutText(*s, s->prefix + QString::number(*pageNumber), items);
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
            if (background) {
                Held fill{};
                fill.kind = Held::Rect;
                fill.ids[0] = colorId(Qt::transparent);
                fill.ids[1] = colorId(b.color);
                fill.v[2] = box.width();
                fill.v[3] = box.height();
                (*items)[backgroundAt] = fill;
            }
            addFrame(*items, b.frame, box);
        }
        return h;
    }

    Report &r;
    Document &doc;
    PageList &pages;
    int *pageNumber;
    int pagesOfReport = 0;
    double left = 0, top = 0, bottom = 0, width = 0;
    double y = 0;
    double bodyTop = 0;
    Band *title = nullptr, *pageHeader = nullptr, *columnHeader = nullptr, *detail = nullptr,
         *summary = nullptr, *pageFooter = nullptr;
    QHash<const SubDetailBand *, Level> levels; // null: the report's detail level
    LaidOut laid;  // the band being printed; its storage is reused
    LaidOut fixed; // the same for a band at a fixed place
    TextLayoutCache &m_cache;
    mutable RunTexts m_texts{m_cache};
    mutable std::vector<const Element *> m_order;
    struct KnownColor {
        ReportColor color;
        quint32 id = 0;
    };
    static constexpr int kKnownColors = 4;
    mutable KnownColor m_colors[kKnownColors];
    mutable int m_colorCount = 0;
    mutable int m_lastColor = 0;
    mutable int m_nextColor = 0;
    std::vector<pf::db::Database *> m_walked;
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

double Report::textWidth(const QString &text, const ReportFont &font, Qt::LayoutDirection direction)
{
    TextLayoutCache *texts = m_runTexts ? &m_runTexts->texts : nullptr;
    if (!texts) {
        // Kept between runs, within bounds: a form measures the same few
        // captions and values again and again.
        if (!m_ownTexts || m_ownTexts->paragraphCount() > 20000)
            m_ownTexts = std::make_unique<TextLayoutCache>();
        texts = m_ownTexts.get();
    }
    return texts->paragraph(text, font, direction, -1).naturalWidth;
}

double Report::textWidth(const TextElement &element, const QString &text)
{
    if (!m_runTexts)
        return textWidth(text, element.font, element.direction);
    // An element measured again with a text it had, as its form code does
    // row after row, takes the width found before.
    TextsLaid &memo = m_runTexts->of(element, horizontal(element.alignment));
    if (const TextsLaid::Measured *m = Renderer::kept(memo.measured, text))
        return m->width;
    TextsLaid::Measured &m = memo.measured[memo.nextMeasured++ % TextsLaid::kTexts];
    m.text = text;
    m.width = m_runTexts->texts.paragraph(text, element.font, element.direction, -1).naturalWidth;
    return m.width;
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
