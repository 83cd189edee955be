#include "platform/report/Document.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_map>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pf::report {

int lineBreaksOf(const QString &text) { return int(text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r'))); }

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

// Record fields: numbers of texts, styles, colours and pictures as unsigned
// numbers of 7 bits a byte, low bits first; coordinates as their step from
// the same coordinate of the item before (see putNumber).
class Unpacker {
public:
    explicit Unpacker(const char *b) : p(reinterpret_cast<const uchar *>(b)) {}
    quint8 byte() { return *p++; }
    quint64 var()
    {
        quint64 v = 0;
        int shift = 0;
        for (;;) {
            const uchar c = *p++;
            v |= quint64(c & 0x7f) << shift;
            if (!(c & 0x80))
                return v;
            shift += 7;
        }
    }
    double number(double base)
    {
        const quint64 u = var();
        if (u & 1) {
            double v;
            std::memcpy(&v, p, sizeof v);
            p += sizeof v;
            return v;
        }
        const quint64 z = u >> 1;
        const qint64 back = qint64(z >> 1) ^ -qint64(z & 1);
        // Steps back are taken away: none leaves -0.0 as it is (-0.0 + 0.0
        // would be +0.0), any other is the same as the sum.
        return base - double(back) * (1.0 / 64);
    }

private:
    const uchar *p;
};

[[gnu::noinline]] char *putLongVar(char *out, quint64 v)
{
    while (v >= 0x80) {
        *out++ = char((v & 0x7f) | 0x80);
        v >>= 7;
    }
    *out++ = char(v);
    return out;
}

[[gnu::always_inline]] inline char *putVar(char *out, quint64 v)
{
    // Most numbers and steps that take more than a byte take two or three.
    if (v < 0x4000) {
        out[0] = char((v & 0x7f) | 0x80);
        out[1] = char(v >> 7);
        return out + 2;
    }
    if (v < 0x200000) {
        out[0] = char((v & 0x7f) | 0x80);
        out[1] = char(((v >> 7) & 0x7f) | 0x80);
        out[2] = char(v >> 14);
        return out + 3;
    }
    return putLongVar(out, v);
}

[[gnu::always_inline]] inline char *putId(char *out, quint64 v)
{
    if (v < 0x80) {
        *out++ = char(v);
        return out;
    }
    return putVar(out, v);
}

// A coordinate that is not `base` as its steps back from `base` in 1/64
// pixels, when taking that whole number of steps away from `base` gives
// exactly the value, with the low bit clear; else a set bit and the value's
// 8 bytes.
[[gnu::always_inline]] inline char *putStep(char *out, double v, double base)
{
    const quint64 bits = std::bit_cast<quint64>(v);
    const double steps = (v - base) * 64.0;
    if (std::fabs(steps) < 0x1p40) { // not for a NaN
        const qint64 n = -qint64(steps);
        if (std::bit_cast<quint64>(base - double(n) * (1.0 / 64)) == bits) {
            const quint64 zigzag = ((quint64(n) << 1) ^ quint64(n >> 63)) << 1;
            if (zigzag < 0x80) {
                *out++ = char(zigzag);
                return out;
            }
            return putVar(out, zigzag);
        }
    }
    *out++ = 1;
    std::memcpy(out, &v, sizeof v);
    return out + sizeof v;
}

// A coordinate as its steps back from `base` (see putStep); taken away, no
// step is the very value of `base`, a -0.0 included.
[[gnu::always_inline]] inline char *putNumber(char *out, double v, double base)
{
    if (std::bit_cast<quint64>(v) == std::bit_cast<quint64>(base)) {
        *out++ = 0;
        return out;
    }
    return putStep(out, v, base);
}

// The lines of each set of sides (top, bottom, left, right bits).
constexpr int kSidesDrawn[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};

// The most one record takes: its kind, two numbers and five coordinates;
// and a band's record: its kind, number and move.
constexpr size_t kMaxRecord = 1 + 2 * 5 + 5 * 9;
constexpr size_t kMaxBandRecord = 2 + 2 * 9;

} // namespace

size_t PageList::hashStyle(const Style &s)
{
    return qHashMulti(0, s.font.family, s.font.pointSize, s.font.bold, s.font.underline, s.font.color.rgba(),
                      int(s.direction), int(s.alignment));
}

namespace {
constexpr size_t kRecentTexts = 1024;
} // namespace

quint32 PageList::stringId(const QString &s)
{
    // Places remembered are those of texts kept in m_strings.
    if (m_recentTexts.empty())
        m_recentTexts.resize(kRecentTexts);
    RecentText &recent = m_recentTexts[(quintptr(s.constData()) >> 4) % kRecentTexts];
    if (recent.place.holds(s))
        return recent.id;
    const pf::TextPlace where(s);
    if (const auto it = m_sharedIds.constFind(where); it != m_sharedIds.constEnd()) {
        recent = {where, it.value()};
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
    if (pf::sameCharacters(m_strings[id], s)) {
        m_sharedIds.insert(where, id);
        recent = {where, id};
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

PageList::HeldItem PageList::held(const DrawItem &item)
{
    HeldItem h{};
    auto box = [&](const QRectF &r) {
        h.v[0] = r.x();
        h.v[1] = r.y();
        h.v[2] = r.width();
        h.v[3] = r.height();
    };
    if (const auto *t = std::get_if<TextRun>(&item)) {
        h.kind = HeldItem::Text;
        h.ids[0] = stringId(t->text);
        h.ids[1] = styleId(Style{t->font, t->direction, t->alignment});
        box(t->rect);
    } else if (const auto *l = std::get_if<LineItem>(&item)) {
        h.kind = HeldItem::Line;
        h.v[0] = l->p1.x();
        h.v[1] = l->p1.y();
        h.v[2] = l->p2.x();
        h.v[3] = l->p2.y();
        h.v[4] = l->width;
        h.ids[0] = colorId(l->color);
    } else if (const auto *r = std::get_if<RectItem>(&item)) {
        h.kind = HeldItem::Rect;
        box(r->rect);
        h.v[4] = r->penWidth;
        h.ids[0] = colorId(r->penColor);
        h.ids[1] = colorId(r->fill);
    } else if (const auto *im = std::get_if<ImageItem>(&item)) {
        h.kind = HeldItem::Image;
        box(im->rect);
        h.ids[0] = imageId(im->image);
    }
    return h;
}

namespace {

// The records of a page. An item's record starts with a byte of its kind
// (the low three bits) and which of its coordinates changed (a bit each,
// above them), then its fields, each changed coordinate as its step; a
// band's items follow a record of the band (its number and its move, two
// coordinates), and items given as they are follow a record that ends the
// band. A band's item steps from the same item of the band placed before
// on the page under the same number, when that was of its kind, else from
// the last item of its kind (boxes, lines, sides); items of a band that are
// all they were then, their numbers too, are a record of how many follow
// so (the rows of a table repeat most of their cells). An item of the band
// placed before that the band now leaves out (a cell without its text) is
// passed over by a band record with a count.
constexpr quint8 kRepeatRecord = 0;
constexpr quint8 kBandRecord = 6;
constexpr quint8 kPageRecord = 7;
constexpr int kKindBits = 3;
constexpr unsigned kMaxRepeats = 31;
// In a band record's number: its items step from the band's first placing
// in the list.
constexpr quint8 kFromFirstPlacing = 0x80;

// Per kind, what its record holds: its coordinates (a bit each), the bits
// of its second number kept (a text's style, a box's fill, the sides drawn;
// none for a line or a picture), and which item before it a coordinate
// steps from (0 boxes, 1 lines, 2 sides).
struct KindRecord {
    unsigned coordinates;
    quint32 secondId;
    int stepSlot;
};
constexpr KindRecord kKindRecords[8] = {
    {0x1f, 0, 0},          {0xf, 0xffffffff, 0}, // -, text
    {0x1f, 0, 1},          {0x1f, 0xffffffff, 0}, // line, rect
    {0xf, 0, 0},           {0x1f, 0xf, 2},        // picture, sides
    {0x1f, 0, 0},          {0x1f, 0, 0},
};
inline int coordinatesOf(quint8 kind) { return kKindRecords[kind & 7].coordinates == 0xf ? 4 : 5; }
inline int slotOf(quint8 kind) { return kKindRecords[kind & 7].stepSlot; }

#if defined(__SSE2__)
// The coordinates changed, a bit each, of the halves of four that stayed
// the same, a bit each: a coordinate is the same when both its halves are.
constexpr auto kChangedOfHalves = [] {
    std::array<quint8, 256> t{};
    for (unsigned halves = 0; halves < 256; ++halves)
        for (unsigned k = 0; k < 4; ++k)
            if (((halves >> (2 * k)) & 3) != 3)
                t[halves] |= quint8(1u << k);
    return t;
}();
#endif

// Which of the five coordinates of `v` have other bits than those of
// `base`, a bit each.
[[gnu::always_inline]] inline unsigned changedOf(const double *v, const double *base)
{
#if defined(__SSE2__)
    // The first four by halves.
    const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(v));
    const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(v + 2));
    const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base));
    const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(base + 2));
    const unsigned halves = unsigned(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a0, b0)))) |
                            unsigned(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(a1, b1)))) << 4;
    const unsigned four = kChangedOfHalves[halves];
#else
    unsigned four = 0;
    for (int k = 0; k < 4; ++k)
        four |= unsigned(std::bit_cast<quint64>(v[k]) != std::bit_cast<quint64>(base[k])) << k;
#endif
    return four | unsigned(std::bit_cast<quint64>(v[4]) != std::bit_cast<quint64>(base[4])) << 4;
}

// Takes the first `n` (4 or 5) coordinates of `from`.
inline void take(double *to, const double *from, int n)
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
    to[3] = from[3];
    if (n == 5)
        to[4] = from[4];
}

} // namespace

// Writes `count` items of the open page into `out`, a band's (to be moved
// by dx and dy, the band numbered `bandNumber`) when `band`, else as they
// are, and counts the items the page gets (each side drawn is a line).
// Returns the end.
template <bool band>
char *PageList::putItems(char *out, const HeldItem *items, qsizetype count, double dx, double dy, int bandNumber)
{
    Steps &st = m_open.steps;
    const Placed *before = nullptr; // the items of the band placed before
    size_t placedBefore = 0;
    Placed *now = nullptr;
    std::vector<Placed> *first = nullptr; // the band's first placing, when this is it
    if constexpr (band) {
        const size_t number = size_t(bandNumber) % kBandSlots;
        if (m_firstPlacings.empty())
            m_firstPlacings.resize(kBandSlots);
        std::vector<Placed> &firstPlacing = m_firstPlacings[number];
        // The band's first placing on the page steps from its first in the
        // list.
        const bool fromFirst = !firstPlacing.empty() && (st.bands.empty() || st.bands[number].size == 0);
        if (firstPlacing.empty())
            first = &firstPlacing;
        BandSlot &slot = st.startBand(bandNumber, fromFirst ? &firstPlacing : nullptr);
        *out++ = char(kBandRecord);
        *out++ = char(number | (fromFirst ? kFromFirstPlacing : 0));
        out = putNumber(out, dx, st.lastMove[0]);
        out = putNumber(out, dy, st.lastMove[1]);
        st.lastMove[0] = dx;
        st.lastMove[1] = dy;
        std::vector<Placed> &placing = slot.placed[1 - slot.last];
        if (placing.size() < size_t(count))
            placing.resize(size_t(count));
        now = placing.data();
        before = st.before;
        placedBefore = st.placedBefore;
    } else if (st.band >= 0) {
        *out++ = char(kPageRecord);
        st.endBand();
    }
    int items_ = 0; // those the page gets: each side drawn is a line
    unsigned repeats = 0; // items all they were before, not written yet
    const auto putRepeats = [&] {
        if (repeats) {
            *out++ = char(kRepeatRecord | repeats << kKindBits);
            repeats = 0;
        }
    };
    // The numbers of an item as its record gives them.
    const auto putIds = [&out](quint8 kind, quint32 id0, quint32 id1) {
        if (kind == HeldItem::Text || kind == HeldItem::Rect) {
            out = putId(out, id0);
            out = putId(out, id1);
        } else if (kind == HeldItem::Sides) {
            *out++ = char(id1);
            out = putId(out, id0);
        } else {
            out = putId(out, id0);
        }
    };
    size_t from = 0; // the next item placed before that an item may stand for
    for (qsizetype i = 0; i < count; ++i) {
        const HeldItem &item = items[i];
        const quint8 kind = item.kind;
        const KindRecord &record = kKindRecords[kind & 7];
        // The numbers as the records keep them.
        const quint32 id0 = item.ids[0];
        const quint32 id1 = item.ids[1] & record.secondId;
        items_ += kind == HeldItem::Sides ? kSidesDrawn[id1] : 1;
        const Placed *was = nullptr; // the same item as placed before
        if constexpr (band) {
            // An item placed before and left out now is passed over, when
            // the one after it is this one where it stood.
            if (from + 1 < placedBefore && before[from].kind != kind && before[from + 1].kind == kind &&
                (changedOf(item.v, before[from + 1].v) & record.coordinates) == 0) {
                putRepeats();
                *out++ = char(kBandRecord | 1u << kKindBits);
                ++from;
            }
            if (from < placedBefore && before[from].kind == kind)
                was = &before[from++];
            // The rows of a table repeat most of their cells, and the
            // others stand where they stood.
            if (was && (changedOf(item.v, was->v) & record.coordinates) == 0) [[likely]] {
                Placed &p = now[i];
                p = *was;
                if (p.ids[0] == id0 && p.ids[1] == id1) {
                    if (++repeats == kMaxRepeats)
                        putRepeats();
                    continue;
                }
                putRepeats();
                p.ids[0] = id0;
                p.ids[1] = id1;
                *out++ = char(kind);
                putIds(kind, id0, id1);
                continue;
            }
            putRepeats();
        }
        // The item read whole before anything is written: the writes go
        // through a char pointer, which may stand for any of it.
        double v[5];
        std::memcpy(v, item.v, sizeof v);
        if (record.coordinates == 0xf)
            v[4] = 0;
        double *last = st.last[record.stepSlot];
        const double *base = was ? was->v : last;
        const unsigned changed = changedOf(v, base) & record.coordinates;
        *out++ = char(kind | changed << kKindBits);
        putIds(kind, id0, id1);
        if (!band && changed == 0)
            continue;
        for (unsigned c = changed; c; c &= c - 1) {
            const int k = std::countr_zero(c);
            out = putStep(out, v[k], base[k]);
        }
        if constexpr (band) {
            Placed &p = now[i];
            p.kind = kind;
            p.ids[0] = id0;
            p.ids[1] = id1;
            std::memcpy(p.v, v, sizeof v);
        }
        take(last, v, coordinatesOf(kind));
    }
    putRepeats();
    m_open.count += items_;
    if constexpr (band) {
        st.at = size_t(count);
        if (first)
            first->assign(now, now + count);
    }
    return out;
}

namespace {

std::shared_ptr<char> newPageBuffer(size_t capacity)
{
    char *p = static_cast<char *>(std::malloc(capacity));
    if (!p)
        throw std::bad_alloc();
    return std::shared_ptr<char>(p, std::free);
}

} // namespace

char *PageList::roomFor(size_t bytes)
{
    if (!m_open.active)
        openLastPage();
    OpenPage &open = m_open;
    if (!open.bytes || open.capacity - open.size < bytes || open.bytes.use_count() > 1) {
        // Room for the records, in a buffer of this list's own.
        const size_t capacity = std::max<size_t>({open.capacity, 2 * open.size, open.size + bytes, 4096});
        std::shared_ptr<char> grown = newPageBuffer(capacity);
        if (open.size > 0)
            std::memcpy(grown.get(), open.bytes.get(), open.size);
        open.bytes = std::move(grown);
        open.capacity = capacity;
    }
    return open.bytes.get() + open.size;
}

void PageList::addHeld(const HeldItem &item)
{
    char *const start = roomFor(1 + kMaxRecord);
    char *const end = putItems<false>(start, &item, 1, 0, 0, 0);
    m_open.size += size_t(end - start);
}

void PageList::addHeld(const HeldItem *items, qsizetype count, double dx, double dy, int band)
{
    if (count <= 0)
        return;
    char *const start = roomFor(kMaxBandRecord + size_t(count) * kMaxRecord);
    char *const end = putItems<true>(start, items, count, dx, dy, band);
    m_open.size += size_t(end - start);
}

void PageList::heldItems(qsizetype i, QVector<HeldItem> &out) const
{
    const Packed &packed = m_pages.at(i);
    if (packed.source) {
        out.clear();
        return;
    }
    out.resize(itemCount(i));
    Unpacker u(pageBytes(i));
    Steps st;
    double move[2] = {};
    HeldItem *at = out.data(), *const end = at + out.size();
    // Hands an item out: a band's moved as it was when placed, sides as
    // their lines, in the order they are drawn.
    const auto handOut = [&](quint8 kind, const quint32 *ids, const double *given, bool inBand) {
        double v[5];
        std::copy(given, given + 5, v);
        if (inBand) {
            v[0] += move[0];
            v[1] += move[1];
            if (kind == HeldItem::Line || kind == HeldItem::Sides) {
                v[2] += move[0];
                v[3] += move[1];
            }
        }
        if (kind != HeldItem::Sides) {
            *at++ = HeldItem{HeldItem::Kind(kind), {ids[0], ids[1]}, {v[0], v[1], v[2], v[3], v[4]}};
            return;
        }
        const quint8 sides = quint8(ids[1]);
        auto side = [&](quint8 s, double x1, double y1, double x2, double y2) {
            if ((sides & s) && at != end)
                *at++ = HeldItem{HeldItem::Line, {ids[0], 0}, {x1, y1, x2, y2, v[4]}};
        };
        side(HeldItem::Top, v[0], v[1], v[2], v[1]);
        side(HeldItem::Bottom, v[0], v[3], v[2], v[3]);
        side(HeldItem::Left, v[0], v[1], v[0], v[3]);
        side(HeldItem::Right, v[2], v[1], v[2], v[3]);
    };
    while (at != end) {
        const quint8 head = u.byte();
        const quint8 kind = head & ((1u << kKindBits) - 1);
        if (kind == kBandRecord) {
            if (head >> kKindBits) {
                // Items placed before, left out now.
                st.from += head >> kKindBits;
                continue;
            }
            const quint8 number = u.byte();
            st.startBand(number & ~kFromFirstPlacing,
                         number & kFromFirstPlacing ? &m_firstPlacings[number & ~kFromFirstPlacing] : nullptr);
            move[0] = st.lastMove[0] = u.number(st.lastMove[0]);
            move[1] = st.lastMove[1] = u.number(st.lastMove[1]);
            continue;
        }
        if (kind == kPageRecord) {
            st.endBand();
            continue;
        }
        const bool inBand = st.band >= 0;
        if (kind == kRepeatRecord) {
            // Items of the band as they were placed before.
            for (unsigned k = head >> kKindBits; k > 0 && at != end; --k) {
                const Placed p = st.before[st.from++];
                st.placing() = p;
                ++st.at;
                handOut(p.kind, p.ids, p.v, true);
            }
            continue;
        }
        double *last = st.last[slotOf(kind)];
        const double *base = last;
        bool matched = false;
        if (inBand && st.from < st.placedBefore && st.before[st.from].kind == kind) {
            matched = true;
            base = st.before[st.from++].v;
        }
        quint32 ids[2] = {};
        switch (kind) {
        case HeldItem::Text:
        case HeldItem::Rect:
            ids[0] = quint32(u.var());
            ids[1] = quint32(u.var());
            break;
        case HeldItem::Sides:
            ids[1] = u.byte();
            ids[0] = quint32(u.var());
            break;
        default:
            ids[0] = quint32(u.var());
            break;
        }
        const int n = coordinatesOf(kind);
        const unsigned changed = head >> kKindBits;
        double v[5] = {};
        for (int k = 0; k < n; ++k)
            v[k] = changed & (1u << k) ? u.number(base[k]) : base[k];
        if (inBand) {
            Placed &p = st.placing();
            ++st.at;
            p.kind = kind;
            std::copy(ids, ids + 2, p.ids);
            std::copy(v, v + 5, p.v);
        }
        // An item placed where it was before keeps the last of its kind.
        if (!matched || changed != 0)
            take(last, v, n);
        handOut(kind, ids, v, inBand);
    }
}

Page PageList::at(qsizetype i) const
{
    const Packed &packed = m_pages.at(i);
    if (packed.source)
        return packed.source->page(packed.sourceIndex);
    QVector<HeldItem> items;
    heldItems(i, items);
    Page page;
    page.items.reserve(items.size());
    for (const HeldItem &h : items) {
        const QRectF box(h.v[0], h.v[1], h.v[2], h.v[3]);
        switch (h.kind) {
        case HeldItem::Text: {
            const Style &st = m_styles[h.ids[1]];
            page.items.push_back(TextRun{m_strings[h.ids[0]], st.font, st.direction, st.alignment, box});
            break;
        }
        case HeldItem::Line:
            page.items.push_back(
                LineItem{QPointF(h.v[0], h.v[1]), QPointF(h.v[2], h.v[3]), h.v[4], m_colors[h.ids[0]]});
            break;
        case HeldItem::Rect:
            page.items.push_back(RectItem{box, h.v[4], m_colors[h.ids[0]], m_colors[h.ids[1]]});
            break;
        case HeldItem::Image:
            page.items.push_back(ImageItem{box, m_images[h.ids[0]]});
            break;
        case HeldItem::Sides: // handed out as lines
            break;
        }
    }
    return page;
}

void PageList::endOpenPage()
{
    if (!m_open.active)
        return;
    Packed &last = m_pages.last();
    OpenPage &open = m_open;
    // The page keeps its bytes in a block of their size, one after the
    // other's, and the buffer is written again by the next page: a page cut
    // from a buffer of its own would leave the rest of it free between the
    // pages, never taken again by a page.
    if (open.size == 0) {
        last.bytes.reset();
    } else {
        std::shared_ptr<char> bytes = newPageBuffer(open.size);
        std::memcpy(bytes.get(), open.bytes.get(), open.size);
        last.bytes = std::move(bytes);
    }
    // Shared with a copy of the list: the next page starts a buffer of its
    // own.
    if (open.bytes.use_count() > 1)
        open.bytes.reset();
    last.count = open.count;
    open.active = false;
}

void PageList::startOpenPage()
{
    m_open.active = true;
    m_open.size = 0;
    m_open.count = 0;
    m_open.steps.reset();
}

void PageList::openLastPage()
{
    if (m_pages.isEmpty()) {
        addPage();
        return;
    }
    // A finished page, or one kept elsewhere, is written again into the
    // open page's buffer, so that items can follow its own.
    const Page page = at(m_pages.size() - 1);
    m_pages.last() = Packed{};
    startOpenPage();
    for (const DrawItem &item : page.items)
        addHeld(held(item));
}

void PageList::push_back(const Page &page)
{
    addPage();
    for (const DrawItem &item : page.items)
        addItem(item);
}

void PageList::replace(qsizetype i, const Page &page)
{
    endOpenPage();
    // Written as a page of its own at the end, then moved into place.
    m_pages.push_back(Packed{});
    startOpenPage();
    for (const DrawItem &item : page.items)
        addHeld(held(item));
    endOpenPage();
    m_pages[i] = m_pages.takeLast();
}

void PageList::clear() { *this = PageList(); }

void PageList::addPage()
{
    endOpenPage();
    m_pages.push_back(Packed{});
    startOpenPage();
}

void PageList::addPageFrom(std::shared_ptr<const PageSource> source, qsizetype index, int itemCount)
{
    endOpenPage();
    Packed packed;
    packed.count = itemCount;
    packed.source = std::move(source);
    packed.sourceIndex = index;
    m_pages.push_back(std::move(packed));
}

void PageList::addItem(const DrawItem &item)
{
    addHeld(held(item));
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
    // Paragraphs met last, by where their text's characters lie.
    static constexpr size_t kRecent = 1024;
    struct Recent {
        pf::TextPlace place;
        const FontEntry *font = nullptr;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        double width = 0;
        const LaidParagraph *paragraph = nullptr;
    };
    std::vector<Recent> recent = std::vector<Recent>(kRecent);
    // The font asked for last: a report asks for few fonts, in runs.
    ReportFont lastFont;
    FontEntry *last = nullptr;
    int paragraphCount = 0;

    FontEntry &entry(const ReportFont &f)
    {
        if (last && lastFont.pointSize == f.pointSize && lastFont.bold == f.bold &&
            lastFont.underline == f.underline &&
            (pf::sameCharacters(lastFont.family, f.family) || lastFont.family == f.family))
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
    // A text handed in again mostly shares the characters of the one kept
    // with its layout: found by where they lie (TextPlace.h).
    Impl::Recent &recent =
        d->recent[((quintptr(text.constData()) >> 4) ^ (quintptr(&fe) >> 6)) % Impl::kRecent];
    if (recent.place.holds(text) && recent.font == &fe && recent.direction == direction && recent.width == width)
        return *recent.paragraph;
    auto [it, added] = fe.paragraphs.try_emplace(ParagraphKey{text, direction, width});
    std::unique_ptr<LaidParagraph> &slot = it->second;
    // The key's text lives as long as the cache: only its place is
    // remembered.
    auto remember = [&] {
        if (pf::sameCharacters(it->first.text, text))
            recent = {pf::TextPlace(text), &fe, direction, width, slot.get()};
    };
    if (!added) {
        remember();
        return *slot;
    }
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
    remember();
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

} // namespace

// Layouts kept at most: a page of a booklet draws a few hundred texts, and
// the preview keeps those of the pages it showed last; the characters
// bound what they hold (a page of a report file holds at most a fifth of
// them).
struct PaintCache::Impl {
    TextLayoutCache fonts;
    std::unordered_map<PaintKey, std::unique_ptr<QTextLayout>, PaintKeyHash> layouts;
    qint64 characters = 0;
};

PaintCache::PaintCache() : d(std::make_unique<Impl>()) {}
PaintCache::~PaintCache() = default;

int PaintCache::layoutCount() const { return int(d->layouts.size()); }

qint64 PaintCache::characterCount() const { return d->characters; }

const QTextLayout &PaintCache::layout(const TextRun &run)
{
    PaintKey key{run.text, run.font, run.direction, run.alignment, run.rect.width()};
    auto it = d->layouts.find(key);
    if (it != d->layouts.end())
        return *it->second;
    if (d->layouts.size() >= size_t(kMaxLayouts) || d->characters + run.text.size() > kMaxCharacters) {
        d->layouts.clear();
        d->characters = 0;
    }
    d->characters += run.text.size();
    auto layout = std::make_unique<QTextLayout>();
    layoutParagraph(*layout, run.text, d->fonts.font(run.font), run.direction, run.alignment, false,
                    run.rect.width());
    return *d->layouts.emplace(std::move(key), std::move(layout)).first->second;
}

namespace {

// Where the glyphs of a text may reach: its box, widened by its line's
// natural width (`perCharacter` of the font's size a character) on the side
// its alignment lets it run out of the box, as tall as its lines
// (`perLine` of the size each) and `margin` sizes more all round.
QRectF textReach(const QRectF &box, qsizetype characters, int lineBreaks, double em, Qt::Alignment alignment,
                 double perCharacter, double perLine, double margin)
{
    const double natural = double(characters) * em * perCharacter;
    double left = box.left(), right = box.right();
    if (natural > box.width()) {
        const double over = natural - box.width();
        if (alignment & Qt::AlignRight)
            left -= over;
        else if (alignment & Qt::AlignHCenter)
            left -= over / 2, right += over / 2;
        else
            right += over;
    }
    const double height = std::max(box.height(), double(lineBreaks + 1) * em * perLine);
    return QRectF(left - margin * em, box.top() - margin * em, right - left + 2 * margin * em,
                  height + 2 * margin * em);
}

// A generous reach, for passing over a text that is not shown: no glyph
// takes eight times its font's size, nor a line three times.
QRectF textOuterReach(const TextRun &run)
{
    return textReach(run.rect, run.text.size(), lineBreaksOf(run.text),
                     run.font.pixelSize(), run.alignment, 8.0, 3.0, 2.0);
}

// Cuts the segment to the rectangle (Liang and Barsky); false when none of it
// lies within.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &r)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF from = a;
    a = QPointF(from.x() + t0 * dx, from.y() + t0 * dy);
    b = QPointF(from.x() + t1 * dx, from.y() + t1 * dy);
    return true;
}

QRectF spanOf(const QPointF &a, const QPointF &b) { return QRectF(a, b).normalized(); }

// Beyond what is drawn: a line's square cap and a pen's corner reach half
// its width (times the diagonal), and smoothing a pixel more; a margin
// further keeps every pixel shown as the whole item draws it.
double reachOf(double penWidth) { return penWidth * 0.71 + 8.0; }

} // namespace

PaintCover::PaintCover(QSizeF pageSizePx)
    : m_width(std::max(1.0, pageSizePx.width())), m_height(std::max(1.0, pageSizePx.height()))
{
    m_columns = std::clamp(int(m_width / kMinCell), 1, kCells);
    m_rows = std::clamp(int(m_height / kMinCell), 1, kCells);
    m_cellWidth = m_width / m_columns;
    m_cellHeight = m_height / m_rows;
    m_steps.assign(size_t(m_columns + 1) * size_t(m_rows + 1), 0.0);
}

void PaintCover::clear() { std::fill(m_steps.begin(), m_steps.end(), 0.0); }

namespace {

// The parts of a row (or column) of parts that a span from a to b covers, as
// at most three runs of parts each covered alike: the first part, those
// wholly inside, the last part. Returns how many runs.
struct Run {
    int from, to;    // parts
    double covered;  // the share of each part covered
};
int runsOf(double a, double b, double cell, int cells, Run out[3])
{
    a = std::max(0.0, a);
    b = std::min(cell * cells, b);
    if (!(b > a))
        return 0;
    const double per = 1.0 / cell;
    const int first = std::min(int(a * per), cells - 1);
    const int last = std::min(int(b * per), cells - 1);
    if (first == last) {
        out[0] = {first, first, (b - a) * per};
        return 1;
    }
    int n = 0;
    out[n++] = {first, first, double(first + 1) - a * per};
    if (last > first + 1)
        out[n++] = {first + 1, last - 1, 1.0};
    out[n++] = {last, last, b * per - double(last)};
    return n;
}

} // namespace

void PaintCover::addBox(double x0, double y0, double x1, double y1, double density)
{
    // Off the page (or no number at all): nothing.
    if (!(x1 >= 0 && y1 >= 0 && x0 <= m_width && y0 <= m_height && x0 <= x1 && y0 <= y1 && density > 0))
        return;
    Run across[3], down[3];
    const int nx = runsOf(x0, x1, m_cellWidth, m_columns, across);
    const int ny = runsOf(y0, y1, m_cellHeight, m_rows, down);
    const size_t stride = size_t(m_columns + 1);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const double v = density * across[i].covered * down[j].covered;
            m_steps[size_t(down[j].from) * stride + size_t(across[i].from)] += v;
            m_steps[size_t(down[j].from) * stride + size_t(across[i].to + 1)] -= v;
            m_steps[size_t(down[j].to + 1) * stride + size_t(across[i].from)] -= v;
            m_steps[size_t(down[j].to + 1) * stride + size_t(across[i].to + 1)] += v;
        }
}

void PaintCover::addText(const QRectF &box, qsizetype characters, int lineBreaks, double pixelSize,
                         Qt::Alignment alignment)
{
    if (characters == 0)
        return;
    const QRectF r = textReach(box, characters, lineBreaks, pixelSize, alignment, 0.5, 1.5, 0.0);
    addBox(r.left(), r.top(), r.right(), r.bottom(), kText);
}

void PaintCover::addLine(double x1, double y1, double x2, double y2, double width)
{
    if (!(width > 0))
        return;
    const double h = width * 0.71 + 0.5;
    if (x1 == x2 || y1 == y2) {
        // Upright or level (the lines of a table): its stroke is its box,
        // whatever of it lies on the page.
        const double l = std::min(x1, x2) - h, t = std::min(y1, y2) - h, r = std::max(x1, x2) + h,
                     b = std::max(y1, y2) + h;
        addBox(l, t, r, b, (std::abs(x2 - x1) + std::abs(y2 - y1) + width) * (width + kStroke) / ((r - l) * (b - t)));
        return;
    }
    QPointF a(x1, y1), b(x2, y2);
    if (!clipSegment(a, b, QRectF(-h, -h, m_width + 2 * h, m_height + 2 * h)))
        return;
    // In pieces, each crossing at most about one part across the line's way,
    // so that a slanting line counts in the parts it passes through; each
    // piece's cost spread over its span.
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double across = std::abs(dx) / m_cellWidth >= std::abs(dy) / m_cellHeight ? std::abs(dy) / m_cellHeight
                                                                                   : std::abs(dx) / m_cellWidth;
    const int pieces = std::clamp(int(std::ceil(across)), 1, 2 * kCells);
    const double cost = (std::hypot(dx, dy) + width) * (width + kStroke) / pieces;
    for (int i = 0; i < pieces; ++i) {
        const double t0 = double(i) / pieces, t1 = double(i + 1) / pieces;
        const double xa = a.x() + t0 * dx, xb = a.x() + t1 * dx, ya = a.y() + t0 * dy, yb = a.y() + t1 * dy;
        const double l = std::min(xa, xb) - h, t = std::min(ya, yb) - h, r = std::max(xa, xb) + h,
                     bottom = std::max(ya, yb) + h;
        addBox(l, t, r, bottom, cost / ((r - l) * (bottom - t)));
    }
}

void PaintCover::addRect(const QRectF &rect, double penWidth, bool filled)
{
    const double l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    if (filled)
        addBox(l, t, r, b, kFill);
    if (penWidth > 0) {
        addLine(l, t, r, t, penWidth);
        addLine(l, b, r, b, penWidth);
        addLine(l, t, l, b, penWidth);
        addLine(r, t, r, b, penWidth);
    }
}

void PaintCover::addImage(const QRectF &rect) { addBox(rect.left(), rect.top(), rect.right(), rect.bottom(), kPicture); }

void PaintCover::add(const DrawItem &item)
{
    std::visit(Overloaded{
                   [&](const TextRun &t) {
                       addText(t.rect, t.text.size(),
                               lineBreaksOf(t.text),
                               t.font.pixelSize(), t.alignment);
                   },
                   [&](const LineItem &l) { addLine(l.p1.x(), l.p1.y(), l.p2.x(), l.p2.y(), l.width); },
                   [&](const RectItem &r) { addRect(r.rect, r.penWidth, r.fill.alpha() > 0); },
                   [&](const ImageItem &i) {
                       if (!i.image.isNull())
                           addImage(i.rect);
                   },
               },
               item);
}

double PaintCover::layers() const
{
    // The layers of a part are the sum of the steps above and to the left
    // of it.
    const size_t stride = size_t(m_columns + 1);
    std::vector<double> column(stride, 0.0);
    double most = 0;
    for (int r = 0; r < m_rows; ++r) {
        double run = 0;
        for (int c = 0; c < m_columns; ++c) {
            run += m_steps[size_t(r) * stride + size_t(c)];
            column[size_t(c)] += run;
            most = std::max(most, column[size_t(c)]);
        }
    }
    return most;
}

void paintPage(QPainter &painter, const Page &page, PaintCache *cache)
{
    paintPage(painter, page, QSizeF(), cache);
}

void paintPage(QPainter &painter, const Page &page, const QSizeF &pageSizePx, PaintCache *cache)
{
    // What is shown, in page pixels: what the device paints again (a window
    // repaints what was uncovered, say), within the painter's clip.
    bool invertible = false;
    const QTransform toPage = painter.combinedTransform().inverted(&invertible);
    if (!invertible || !painter.device())
        return;
    QRectF shown = toPage.mapRect(QRectF(0, 0, painter.device()->width(), painter.device()->height()));
    if (const QPaintEngine *engine = painter.paintEngine(); engine && !engine->systemClip().isEmpty()) {
        const QTransform fromDevice = painter.deviceTransform().inverted(&invertible);
        if (invertible)
            shown &= fromDevice.mapRect(QRectF(engine->systemClip().boundingRect()));
    }
    if (painter.hasClipping())
        shown &= painter.clipBoundingRect();
    if (shown.isEmpty())
        return;
    // What items are cut to: the page, or what is shown.
    const QRectF cut = pageSizePx.isEmpty() ? shown : QRectF(QPointF(0, 0), pageSizePx);
    auto within = [](const QRectF &r, const QRectF &in) {
        return r.left() >= in.left() && r.top() >= in.top() && r.right() <= in.right() && r.bottom() <= in.bottom();
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const DrawItem &item : page.items) {
        std::visit(Overloaded{
                       [&](const TextRun &run) {
                           if (run.text.isEmpty() || !textOuterReach(run).intersects(shown))
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
                           const double m = reachOf(line.width);
                           QPointF a = line.p1, b = line.p2;
                           if (!spanOf(a, b).adjusted(-m, -m, m, m).intersects(shown))
                               return;
                           const QRectF bound = cut.adjusted(-m, -m, m, m);
                           if (!within(spanOf(a, b), bound) && !clipSegment(a, b, bound))
                               return;
                           QPen pen(line.color, line.width);
                           pen.setCapStyle(Qt::SquareCap);
                           painter.setPen(pen);
                           painter.drawLine(a, b);
                       },
                       [&](const RectItem &r) {
                           const bool filled = r.fill.alpha() > 0;
                           if (r.penWidth <= 0 && !filled)
                               return;
                           const double m = reachOf(std::max(0.0, r.penWidth));
                           if (!r.rect.adjusted(-m, -m, m, m).intersects(shown))
                               return;
                           const QRectF bound = cut.adjusted(-m, -m, m, m);
                           const QRectF rect = within(r.rect, bound) ? r.rect : (r.rect & bound);
                           if (r.penWidth > 0) {
                               QPen pen(r.penColor, r.penWidth);
                               pen.setJoinStyle(Qt::MiterJoin);
                               painter.setPen(pen);
                           } else {
                               painter.setPen(Qt::NoPen);
                           }
                           if (filled)
                               painter.setBrush(r.fill);
                           else
                               painter.setBrush(Qt::NoBrush);
                           painter.drawRect(rect);
                           painter.setBrush(Qt::NoBrush);
                       },
                       [&](const ImageItem &img) {
                           if (img.image.isNull() || img.rect.isEmpty() || !img.rect.intersects(shown))
                               return;
                           const QRectF bound = cut.adjusted(-8, -8, 8, 8);
                           if (within(img.rect, bound)) {
                               painter.drawImage(img.rect, img.image);
                               return;
                           }
                           // The part of the picture within, two of its own
                           // pixels more on each side (what smoothing reads),
                           // drawn where it stands; a picture so magnified that
                           // those pixels reach far out is cut at the margin.
                           const QRectF part = img.rect & bound;
                           if (part.isEmpty())
                               return;
                           const double sx = img.image.width() / img.rect.width();
                           const double sy = img.image.height() / img.rect.height();
                           auto sourceOf = [&](const QRectF &r, double more) {
                               const double x0 = std::max(0.0, (r.left() - img.rect.left()) * sx - more);
                               const double y0 = std::max(0.0, (r.top() - img.rect.top()) * sy - more);
                               const double x1 = std::min<double>(img.image.width(), (r.right() - img.rect.left()) * sx + more);
                               const double y1 = std::min<double>(img.image.height(), (r.bottom() - img.rect.top()) * sy + more);
                               return QRectF(x0, y0, x1 - x0, y1 - y0);
                           };
                           auto targetOf = [&](const QRectF &source) {
                               return QRectF(img.rect.left() + source.left() / sx, img.rect.top() + source.top() / sy,
                                             source.width() / sx, source.height() / sy);
                           };
                           QRectF source = sourceOf(part, 2.0);
                           QRectF target = targetOf(source);
                           if (!within(target, bound.adjusted(-64, -64, 64, 64))) {
                               source = sourceOf(part, 0.0);
                               target = part;
                           }
                           painter.drawImage(target, img.image, source);
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
            paintPage(painter, doc.pages[i - 1], doc.pageSizePx(), &cache);
            painter.restore();
        }
    }
    painter.end();
    return true;
}

} // namespace pf::report
