#include "boravest/eqbook/drawings/Kit.h"

#include "boravest/eqbook/PageLayout.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace pf::report;

namespace bv::eqbook::kit {

namespace {

constexpr double kPi = std::numbers::pi;

double rad(double deg) { return deg * kPi / 180.0; }

QPointF onEllipse(QPointF c, double rx, double ry, double deg)
{
    return {c.x() + rx * std::cos(rad(deg)), c.y() - ry * std::sin(rad(deg))};
}

double length(QPointF v) { return std::hypot(v.x(), v.y()); }

QPointF unit(QPointF v)
{
    const double l = length(v);
    return l > 0 ? v / l : QPointF(1, 0);
}

bool isArabic(const QString &t)
{
    return std::any_of(t.begin(), t.end(), [](QChar c) { return c.unicode() >= 0x0600 && c.unicode() <= 0x06FF; });
}

ReportFont fontOf(double px, bool bold) { return ReportFont::fromPixels(kReportFamily, px, bold); }

struct Measured {
    double width = 0;
    double height = 0;
};

Measured measure(const QString &t, double px, bool bold)
{
    QTextLayout layout;
    layoutParagraph(layout, t, fontOf(px, bold), isArabic(t) ? Qt::RightToLeft : Qt::LeftToRight, Qt::AlignLeft,
                    false, -1);
    Measured m;
    for (int i = 0; i < layout.lineCount(); ++i) {
        m.width = std::max(m.width, layout.lineAt(i).naturalTextWidth());
        m.height += layout.lineAt(i).height();
    }
    return m;
}

// Where a symbol is drawn: its origin, the direction along its pipe and the
// one across it (the along direction turned a quarter anticlockwise).
struct Local {
    QPointF o, u, v;
    QPointF at(double a, double b) const { return o + u * a + v * b; }
};

Local along(QPointF c, bool vertical) { return vertical ? Local{c, {0, 1}, {1, 0}} : Local{c, {1, 0}, {0, -1}}; }

Local towards(QPointF c, Side s)
{
    switch (s) {
    case Side::Right:
        return {c, {1, 0}, {0, -1}};
    case Side::Left:
        return {c, {-1, 0}, {0, 1}};
    case Side::Up:
        return {c, {0, -1}, {-1, 0}};
    case Side::Down:
        return {c, {0, 1}, {1, 0}};
    }
    return {c, {1, 0}, {0, -1}};
}

// Clears the box of a symbol, so the pipe it sits on ends at its outline.
void clear(Sheet &g, QPointF a, QPointF b)
{
    g.fill(QRectF(a, b).normalized(), Qt::white);
}

// A balloon's radius, round its number with a margin.
double balloonRadius(int n) { return n >= 10 ? 7.8 : 6.4; }

void bowTie(Sheet &g, const Local &l, double s)
{
    const double h = 0.75 * s;
    clear(g, l.at(-s, -h), l.at(s, h));
    g.triangle(l.at(-s, h), l.at(-s, -h), l.at(0, 0), kPipe * 0.8);
    g.triangle(l.at(s, h), l.at(s, -h), l.at(0, 0), kPipe * 0.8);
}

} // namespace

std::vector<QPointF> arcPoints(QPointF c, double rx, double ry, double fromDeg, double spanDeg)
{
    // Short chords: about 2.5 pixels each, at least one per 30 degrees.
    const double arcLength = std::abs(rad(spanDeg)) * std::max(rx, ry);
    const int n = std::max({2, int(std::ceil(arcLength / 2.5)), int(std::ceil(std::abs(spanDeg) / 30.0))});
    std::vector<QPointF> pts;
    for (int i = 0; i <= n; ++i)
        pts.push_back(onEllipse(c, rx, ry, fromDeg + spanDeg * i / n));
    return pts;
}

// ---------------------------------------------------------------- sheet

void Sheet::line(QPointF a, QPointF b, double w)
{
    m_items.push_back(LineItem{a, b, w, Qt::black});
}

void Sheet::polyline(const std::vector<QPointF> &pts, double w, bool closed)
{
    for (std::size_t i = 1; i < pts.size(); ++i)
        line(pts[i - 1], pts[i], w);
    if (closed && pts.size() > 2)
        line(pts.back(), pts.front(), w);
}

void Sheet::dashed(QPointF a, QPointF b, double w, double dash, double gap)
{
    const double l = length(b - a);
    const QPointF d = unit(b - a);
    for (double s = 0; s < l; s += dash + gap)
        line(a + d * s, a + d * std::min(l, s + dash), w);
}

void Sheet::rect(const QRectF &r, double w)
{
    m_items.push_back(RectItem{r, w, Qt::black, Qt::transparent});
}

void Sheet::fill(const QRectF &r, const QColor &c)
{
    m_items.push_back(RectItem{r, 0, Qt::transparent, c});
}

void Sheet::roundedRect(const QRectF &r, double radius, double w)
{
    const double k = std::min({radius, r.width() / 2, r.height() / 2});
    if (r.width() - 2 * k > 0.01) {
        line({r.left() + k, r.top()}, {r.right() - k, r.top()}, w);
        line({r.left() + k, r.bottom()}, {r.right() - k, r.bottom()}, w);
    }
    if (r.height() - 2 * k > 0.01) {
        line({r.left(), r.top() + k}, {r.left(), r.bottom() - k}, w);
        line({r.right(), r.top() + k}, {r.right(), r.bottom() - k}, w);
    }
    arc({r.right() - k, r.top() + k}, k, k, 0, 90, w);
    arc({r.left() + k, r.top() + k}, k, k, 90, 90, w);
    arc({r.left() + k, r.bottom() - k}, k, k, 180, 90, w);
    arc({r.right() - k, r.bottom() - k}, k, k, 270, 90, w);
}

int Sheet::capsule(const QRectF &r, double w)
{
    const double radius = std::min(r.width(), r.height()) / 2;
    roundedRect(r, radius, w);
    return part(r, radius);
}

int Sheet::dishedTank(const QRectF &r, double head, double w)
{
    std::vector<QPointF> outline;
    auto add = [&](const std::vector<QPointF> &pts) { outline.insert(outline.end(), pts.begin(), pts.end()); };
    if (r.width() >= r.height()) { // lying: the heads left and right
        add(arcPoints({r.right() - head, r.center().y()}, head, r.height() / 2, 90, -180));
        add(arcPoints({r.left() + head, r.center().y()}, head, r.height() / 2, 270, -180));
    } else {
        add(arcPoints({r.center().x(), r.top() + head}, r.width() / 2, head, 0, 180));
        add(arcPoints({r.center().x(), r.bottom() - head}, r.width() / 2, head, 180, 180));
    }
    if (r.width() >= r.height()) {
        line(r.topLeft() + QPointF(head, 0), r.topRight() - QPointF(head, 0), w);
        line(r.bottomLeft() + QPointF(head, 0), r.bottomRight() - QPointF(head, 0), w);
        arc({r.left() + head, r.center().y()}, head, r.height() / 2, 90, 180, w);
        arc({r.right() - head, r.center().y()}, head, r.height() / 2, -90, 180, w);
        line(r.topLeft() + QPointF(head, 0), r.bottomLeft() + QPointF(head, 0), kThin);
        line(r.topRight() - QPointF(head, 0), r.bottomRight() - QPointF(head, 0), kThin);
    } else { // standing: the heads above and below
        line(r.topLeft() + QPointF(0, head), r.bottomLeft() - QPointF(0, head), w);
        line(r.topRight() + QPointF(0, head), r.bottomRight() - QPointF(0, head), w);
        arc({r.center().x(), r.top() + head}, r.width() / 2, head, 0, 180, w);
        arc({r.center().x(), r.bottom() - head}, r.width() / 2, head, 180, 180, w);
        line(r.topLeft() + QPointF(0, head), r.topRight() + QPointF(0, head), kThin);
        line(r.bottomLeft() - QPointF(0, head), r.bottomRight() - QPointF(0, head), kThin);
    }
    return part(outline);
}

void Sheet::circle(QPointF c, double r, double w) { ellipse(c, r, r, w); }

void Sheet::ellipse(QPointF c, double rx, double ry, double w) { arc(c, rx, ry, 0, 360, w); }

void Sheet::arc(QPointF c, double rx, double ry, double fromDeg, double spanDeg, double w)
{
    polyline(arcPoints(c, rx, ry, fromDeg, spanDeg), w);
}

void Sheet::disc(QPointF c, double r)
{
    // Spokes close enough to cover the disc.
    const int n = std::max(8, int(std::ceil(2 * kPi * r / 0.8)));
    for (int i = 0; i < n; ++i)
        line(c, onEllipse(c, r - 0.3, r - 0.3, 360.0 * i / n), 0.9);
    circle(c, r - 0.3, 0.6);
}

void Sheet::triangle(QPointF a, QPointF b, QPointF c, double w, bool filled)
{
    if (filled) {
        // A fan of lines from the apex `c` across the base a..b.
        const int n = std::max(3, int(std::ceil(length(b - a) / 0.6)));
        for (int i = 0; i <= n; ++i)
            line(c, a + (b - a) * (double(i) / n), 0.7);
    }
    polyline({a, b, c}, w, true);
}

void Sheet::arrowHead(QPointF tip, QPointF from, double len, double halfWidth)
{
    const QPointF d = unit(tip - from);
    const QPointF n(-d.y(), d.x());
    const QPointF base = tip - d * len;
    triangle(base + n * halfWidth, base - n * halfWidth, tip, 0.5, true);
}

void Sheet::arrow(QPointF from, QPointF to, double w)
{
    line(from, to - unit(to - from) * 4, w);
    arrowHead(to, from);
}

void Sheet::hatch(const QRectF &r, double spacing, double w)
{
    // Lines x + y = k crossing the rectangle.
    for (double k = r.left() + r.top() + spacing; k < r.right() + r.bottom(); k += spacing) {
        QPointF a(k - r.bottom(), r.bottom()), b(k - r.top(), r.top());
        if (a.x() < r.left())
            a = QPointF(r.left(), k - r.left());
        if (b.x() > r.right())
            b = QPointF(r.right(), k - r.right());
        line(a, b, w);
    }
}

void Sheet::zigzag(QPointF a, QPointF b, int teeth, double amplitude, double w)
{
    const QPointF d = b - a;
    const QPointF n = QPointF(-d.y(), d.x()) / std::max(1e-9, length(d)) * amplitude;
    std::vector<QPointF> pts{a};
    for (int i = 0; i < teeth; ++i) {
        pts.push_back(a + d * ((i + 0.25) / teeth) + n);
        pts.push_back(a + d * ((i + 0.75) / teeth) - n);
    }
    pts.push_back(b);
    polyline(pts, w);
}

QRectF Sheet::text(QPointF anchor, const QString &t, Qt::Alignment align, double px, bool bold, bool mask)
{
    const Measured m = measure(t, px, bold);
    const double w = std::ceil(m.width) + 1;
    double left = anchor.x() - w / 2;
    if (align & Qt::AlignLeft)
        left = anchor.x();
    else if (align & Qt::AlignRight)
        left = anchor.x() - w;
    const QRectF box(left, anchor.y() - m.height / 2, w, m.height);
    if (mask)
        fill(box.adjusted(-1, 1, 1, -1), Qt::white);
    m_items.push_back(TextRun{t, fontOf(px, bold), isArabic(t) ? Qt::RightToLeft : Qt::LeftToRight,
                              Qt::AlignRight, box});
    return box;
}

double Sheet::textWidth(const QString &t, double px, bool bold) { return std::ceil(measure(t, px, bold).width) + 1; }

QRectF Sheet::inkBox(const QString &t, const QRectF &box, double px, bool bold)
{
    // Laid out as the page paints it: in the box's width, against its right.
    QTextLayout layout;
    layoutParagraph(layout, t, fontOf(px, bold), isArabic(t) ? Qt::RightToLeft : Qt::LeftToRight, Qt::AlignRight,
                    false, box.width());
    QRectF ink;
    for (const QGlyphRun &run : layout.glyphRuns())
        ink |= run.boundingRect();
    return ink.translated(box.topLeft());
}

double Sheet::textHeight(double px, bool bold) { return measure(QStringLiteral("0"), px, bold).height; }

QRectF Sheet::letter(QPointF at, const QString &t, bool mask, double px)
{
    // The glyphs themselves centred on the point.
    const double w = textWidth(t, px), h = measure(t, px, true).height;
    const QRectF ink = inkBox(t, QRectF(at.x() - w / 2, at.y() - h / 2, w, h), px);
    return text(at + (at - ink.center()), t, Qt::AlignHCenter, px, true, mask);
}

void Sheet::dimension(QPointF a, QPointF b, Side side, double offset, const QString &label)
{
    const double gap = 1.5, over = 2.5;
    const double lw = textWidth(label, kLetterPx), lh = textHeight(kLetterPx) * 0.75;
    if (side == Side::Up || side == Side::Down) {
        const double y = side == Side::Up ? std::min(a.y(), b.y()) - offset : std::max(a.y(), b.y()) + offset;
        const double s = side == Side::Up ? -1 : 1;
        if (offset > 0) { // no extension lines for a measure across a part
            line({a.x(), a.y() + s * gap}, {a.x(), y + s * over}, kThin);
            line({b.x(), b.y() + s * gap}, {b.x(), y + s * over}, kThin);
        }
        const double l = std::min(a.x(), b.x()), r = std::max(a.x(), b.x());
        const double mid = (l + r) / 2;
        if (label.isEmpty()) {
            line({l, y}, {r, y}, kThin);
        } else if (r - l > lw + 14) { // the letter in a break of the line
            line({l, y}, {mid - lw / 2 - 1.5, y}, kThin);
            line({mid + lw / 2 + 1.5, y}, {r, y}, kThin);
            letter({mid, y}, label, false);
        } else { // the letter above or below the line
            line({l, y}, {r, y}, kThin);
            letter({mid, y + s * (lh / 2 + 2.5)}, label, false);
        }
        arrowHead({l, y}, {r, y});
        arrowHead({r, y}, {l, y});
    } else {
        const double x = side == Side::Left ? std::min(a.x(), b.x()) - offset : std::max(a.x(), b.x()) + offset;
        const double s = side == Side::Left ? -1 : 1;
        if (offset > 0) {
            line({a.x() + s * gap, a.y()}, {x + s * over, a.y()}, kThin);
            line({b.x() + s * gap, b.y()}, {x + s * over, b.y()}, kThin);
        }
        const double t = std::min(a.y(), b.y()), bt = std::max(a.y(), b.y());
        const double mid = (t + bt) / 2;
        if (label.isEmpty()) {
            line({x, t}, {x, bt}, kThin);
        } else if (bt - t > lh + 16) { // the letter in a break of the line
            line({x, t}, {x, mid - lh / 2 - 2}, kThin);
            line({x, mid + lh / 2 + 2}, {x, bt}, kThin);
            letter({x, mid}, label, false);
        } else { // the letter beside the line
            line({x, t}, {x, bt}, kThin);
            letter({x + s * (lw / 2 + 2.5), mid}, label, false);
        }
        arrowHead({x, t}, {x, bt});
        arrowHead({x, bt}, {x, t});
    }
}

int Sheet::pipe(const std::vector<QPointF> &path, double w, bool coil)
{
    polyline(path, w);
    m_piping.runs.push_back({path, QRectF(), w, coil});
    return int(m_piping.runs.size()) - 1;
}

int Sheet::chamber(const QRectF &box)
{
    m_piping.runs.push_back({{}, box, 0, false});
    return int(m_piping.runs.size()) - 1;
}

void Sheet::join(int a, int b) { m_piping.joints.emplace_back(a, b); }

int Sheet::part(const std::vector<QPointF> &outline)
{
    m_piping.parts.push_back({outline});
    return int(m_piping.parts.size()) - 1;
}

int Sheet::part(const QRectF &r, double radius) { return part(roundedOutline(r, radius)); }

void Sheet::within(int run, int part) { m_piping.runs[std::size_t(run)].within = part; }

std::vector<QPointF> roundedOutline(const QRectF &r, double radius)
{
    const double k = std::min({radius, r.width() / 2, r.height() / 2});
    if (k <= 0)
        return {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
    std::vector<QPointF> out;
    for (const auto &[c, from] : {std::pair{QPointF(r.right() - k, r.top() + k), 0.0},
                                  {QPointF(r.left() + k, r.top() + k), 90.0},
                                  {QPointF(r.left() + k, r.bottom() - k), 180.0},
                                  {QPointF(r.right() - k, r.bottom() - k), 270.0}}) {
        const std::vector<QPointF> a = arcPoints(c, k, k, from, 90);
        out.insert(out.end(), a.begin(), a.end());
    }
    return out;
}

std::vector<QPointF> ellipseOutline(QPointF c, double rx, double ry)
{
    std::vector<QPointF> out = arcPoints(c, rx, ry, 0, 360);
    out.pop_back();
    return out;
}

void Sheet::place(const Sheet &part, QPointF at, double scale)
{
    auto map = [&](QPointF p) { return at + p * scale; };
    const int first = int(m_piping.runs.size()), firstPart = int(m_piping.parts.size());
    for (Piping::Part p : part.piping().parts) {
        for (QPointF &q : p.outline)
            q = map(q);
        m_piping.parts.push_back(std::move(p));
    }
    for (Piping::Run run : part.piping().runs) {
        for (QPointF &p : run.path)
            p = map(p);
        run.chamber = QRectF(map(run.chamber.topLeft()), run.chamber.size() * scale);
        run.width *= scale;
        if (run.within >= 0)
            run.within += firstPart;
        m_piping.runs.push_back(std::move(run));
    }
    for (const auto &[a, b] : part.piping().joints)
        m_piping.joints.emplace_back(first + a, first + b);
    for (DrawItem item : part.items()) {
        if (auto *l = std::get_if<LineItem>(&item)) {
            l->p1 = map(l->p1);
            l->p2 = map(l->p2);
            l->width *= scale;
        } else if (auto *r = std::get_if<RectItem>(&item)) {
            r->rect = QRectF(map(r->rect.topLeft()), r->rect.size() * scale);
            r->penWidth *= scale;
        } else if (auto *t = std::get_if<TextRun>(&item)) {
            t->rect = QRectF(map(t->rect.topLeft()), t->rect.size() * scale);
            t->font.pointSize *= scale;
        } else if (auto *i = std::get_if<ImageItem>(&item)) {
            i->rect = QRectF(map(i->rect.topLeft()), i->rect.size() * scale);
        }
        m_items.push_back(std::move(item));
    }
}

void Sheet::dimensionAligned(QPointF a, QPointF b, QPointF off, const QString &label)
{
    const QPointF n = unit(off);
    line(a + n * 1.5, a + off + n * 2.5, kThin);
    line(b + n * 1.5, b + off + n * 2.5, kThin);
    line(a + off, b + off, kThin);
    arrowHead(a + off, b + off);
    arrowHead(b + off, a + off);
    const QPointF mid = (a + b) / 2 + off;
    letter(mid + n * (textHeight(kLetterPx) * 0.45 + 2) + QPointF(n.x() * textWidth(label, kLetterPx) * 0.4, 0),
           label, false);
}

void Sheet::balloon(QPointF at, int n)
{
    const double r = balloonRadius(n);
    fill(QRectF(at - QPointF(r, r), at + QPointF(r, r)), Qt::white);
    circle(at, r, kThin);
    letter(at, QString::number(n), false, kBalloonPx);
}

void Sheet::balloon(QPointF at, int n, QPointF to)
{
    const double r = balloonRadius(n);
    line(at + unit(to - at) * r, to, kThin);
    disc(to, 1.3);
    balloon(at, n);
}

void Sheet::leader(QPointF from, QPointF to)
{
    line(from, to, kThin);
    disc(to, 1.3);
}

QRectF Sheet::label(QPointF at, const QString &t, QPointF to, Qt::Alignment align, double px)
{
    const QRectF box = text(at, t, align, px);
    // The leader starts just off the glyphs.
    const QRectF ink = inkBox(t, box, px).adjusted(-1.5, -1.5, 1.5, 1.5);
    QPointF from;
    if (to.x() > ink.right())
        from = QPointF(ink.right(), std::clamp(to.y(), ink.top(), ink.bottom()));
    else if (to.x() < ink.left())
        from = QPointF(ink.left(), std::clamp(to.y(), ink.top(), ink.bottom()));
    else
        from = QPointF(to.x(), to.y() < ink.top() ? ink.top() : ink.bottom());
    leader(from, to);
    return box;
}

// ---------------------------------------------------------------- symbols

void gateValve(Sheet &g, QPointF c, bool vertical, double s) { bowTie(g, along(c, vertical), s); }

void checkValve(Sheet &g, QPointF c, Side flow, double s)
{
    const Local l = towards(c, flow);
    const double h = 0.75 * s;
    clear(g, l.at(-s, -h), l.at(s, h));
    g.triangle(l.at(-s, h), l.at(-s, -h), l.at(s * 0.6, 0), kThin, true);
    g.line(l.at(s * 0.6, h), l.at(s * 0.6, -h), kPipe);
}

void motorValve(Sheet &g, QPointF c, bool vertical, double s)
{
    const Local l = along(c, vertical);
    bowTie(g, l, s);
    g.line(l.at(0, 0), l.at(0, 1.7 * s), kThin);
    const QRectF box = QRectF(l.at(-0.7 * s, 1.7 * s), l.at(0.7 * s, 3.1 * s)).normalized();
    g.fill(box, Qt::white);
    g.rect(box, kThin);
    g.line(box.topLeft(), box.bottomRight(), kThin);
}

void threeWayValve(Sheet &g, QPointF c, Side branch, double s)
{
    const bool vertical = branch == Side::Left || branch == Side::Right;
    const Local l = along(c, vertical);
    bowTie(g, l, s);
    const Local b = towards(c, branch);
    const double h = 0.75 * s;
    clear(g, b.at(0, -h), b.at(s, h));
    g.triangle(b.at(s, h), b.at(s, -h), b.at(0, 0), kPipe * 0.8);
    // The actuator opposite the branch.
    g.line(c, b.at(-1.7 * s, 0), kThin);
    const QRectF box = QRectF(b.at(-1.7 * s, -0.7 * s), b.at(-3.1 * s, 0.7 * s)).normalized();
    g.fill(box, Qt::white);
    g.rect(box, kThin);
    g.line(box.topLeft(), box.bottomRight(), kThin);
}

void safetyValve(Sheet &g, QPointF base, double s)
{
    const QPointF c = base - QPointF(0, 2 * s);
    g.line(base, c + QPointF(0, s), kPipe);
    const double h = 0.75 * s;
    clear(g, c + QPointF(-h, 0), c + QPointF(s + 2, s));
    g.triangle(c + QPointF(-h, s), c + QPointF(h, s), c, kPipe * 0.8); // inlet from below
    g.triangle(c + QPointF(s, -h), c + QPointF(s, h), c, kPipe * 0.8); // outlet to the right
    g.line(c + QPointF(s, 0), c + QPointF(2 * s, 0), kPipe);
    g.zigzag(c, c - QPointF(0, 2.2 * s), 3, 0.55 * s, kThin); // the spring
    g.line(c - QPointF(0.6 * s, 2.2 * s), c - QPointF(-0.6 * s, 2.2 * s), kThin);
}

void strainer(Sheet &g, QPointF c, bool vertical, double s)
{
    const Local l = along(c, vertical);
    // The body along the pipe and the screen leg slanting down from it.
    clear(g, l.at(-s, -0.6 * s), l.at(s, 0.6 * s));
    g.rect(QRectF(l.at(-s, -0.6 * s), l.at(s, 0.6 * s)).normalized(), kPipe * 0.8);
    const QPointF a = l.at(-0.3 * s, -0.6 * s), b = l.at(0.5 * s, -0.6 * s);
    const QPointF d = l.at(0.9 * s, -2.0 * s) - l.at(0.1 * s, -0.6 * s);
    g.polyline({a, a + d, b + d, b}, kPipe * 0.8);
    g.dashed((a + b) / 2, (a + b) / 2 + d, kThin, 1.5, 1.2);
}

void unionJoint(Sheet &g, QPointF c, bool vertical, double s)
{
    const Local l = along(c, vertical);
    g.line(l.at(-0.8, -s), l.at(-0.8, s), kPipe);
    g.line(l.at(0.8, -s), l.at(0.8, s), kPipe);
    g.line(l.at(-0.8 - 2, -0.55 * s), l.at(-0.8 - 2, 0.55 * s), kThin);
    g.line(l.at(0.8 + 2, -0.55 * s), l.at(0.8 + 2, 0.55 * s), kThin);
}

void pump(Sheet &g, QPointF c, Side flow, double r)
{
    const Local l = towards(c, flow);
    g.fill(QRectF(c - QPointF(r, r), c + QPointF(r, r)), Qt::white);
    g.circle(c, r, kPipe);
    g.triangle(l.at(-0.5 * r, 0.62 * r), l.at(-0.5 * r, -0.62 * r), l.at(0.8 * r, 0), kThin);
}

void thermometer(Sheet &g, QPointF base, double s)
{
    g.line(base, base - QPointF(0, s), kThin);
    g.disc(base - QPointF(0, s + 1.4), 1.7);
    g.roundedRect(QRectF(base.x() - 1.2, base.y() - s - 2.2 * s - 1.5, 2.4, 2.2 * s), 1.2, kThin);
}

void pressureGauge(Sheet &g, QPointF base, double s)
{
    g.line(base, base - QPointF(0, s), kThin);
    const QPointF c = base - QPointF(0, 2 * s);
    g.fill(QRectF(c - QPointF(s, s), c + QPointF(s, s)), Qt::white);
    g.circle(c, s, kThin);
    g.line(c, c + QPointF(0.6 * s, -0.6 * s), kThin);
}

void airVent(Sheet &g, QPointF base, double s)
{
    g.line(base, base - QPointF(0, s), kPipe);
    const QRectF body(base.x() - s * 0.7, base.y() - 2.4 * s, 1.4 * s, 1.4 * s);
    g.fill(body, Qt::white);
    g.rect(body, kThin);
    g.triangle(body.topLeft(), body.topRight(), QPointF(body.center().x(), body.top() - 0.8 * s), kThin);
}

void thermostat(Sheet &g, QPointF c, double s)
{
    const QRectF box(c - QPointF(s, s), c + QPointF(s, s));
    g.fill(box, Qt::white);
    g.rect(box, kThin);
    g.zigzag(c - QPointF(0.7 * s, -0.3 * s), c + QPointF(0.7 * s, -0.3 * s), 2, 0.45 * s, kThin);
}

void trap(Sheet &g, QPointF c, double s)
{
    const QRectF box(c - QPointF(s, s), c + QPointF(s, s));
    g.fill(box, Qt::white);
    g.rect(box, kPipe * 0.8);
    g.circle(c + QPointF(0, 0.15 * s), 0.55 * s, kThin);
}

void tee(Sheet &g, QPointF c) { g.disc(c, 1.6); }

void flowArrow(Sheet &g, QPointF c, Side to)
{
    const Local l = towards(c, to);
    g.arrowHead(l.at(3, 0), l.at(-3, 0), 6, 2.3);
}

void controller(Sheet &g, const QRectF &box, QPointF to)
{
    QPointF from = box.center();
    if (to.y() > box.bottom())
        from.setY(box.bottom());
    else if (to.y() < box.top())
        from.setY(box.top());
    else
        from = QPointF(to.x() < box.left() ? box.left() : box.right(), to.y());
    g.dashed(from, to, kThin, 2.5, 1.8);
    g.fill(box, Qt::white);
    g.rect(box, kThin);
    g.fill(QRectF(box.center() - QPointF(box.width() * 0.2, box.height() * 0.2),
                  box.center() + QPointF(box.width() * 0.2, box.height() * 0.2)));
}

int coilInBox(Sheet &g, const QRectF &box, int turns, bool outletsRight, double w, double lead)
{
    // A serpentine of straight runs joined by half loops, alternately at the
    // far side and the outlet side; an even count brings the tube back to
    // the outlet side, where the first and the last run leave the box.
    turns = std::max(2, turns + turns % 2);
    const double step = box.height() / turns, r = step / 2;
    const double edge = outletsRight ? box.right() + lead : box.left() - lead;
    const double nearX = outletsRight ? box.right() - r : box.left() + r;
    const double farX = outletsRight ? box.left() + r : box.right() - r;
    std::vector<QPointF> path;
    for (int i = 0; i < turns; ++i) {
        const double y = box.top() + step * (i + 0.5);
        const double outletX = i == 0 || i == turns - 1 ? edge : nearX;
        if (i % 2 == 0) {
            path.push_back({outletX, y});
            path.push_back({farX, y});
        } else {
            path.push_back({outletX, y});
        }
        if (i + 1 < turns) {
            // The half loop down to the next run, round the side it ends at.
            const bool right = (i % 2 == 0) != outletsRight;
            const std::vector<QPointF> loop = right ? arcPoints({box.right() - r, y + r}, r, r, 90, -180)
                                                    : arcPoints({box.left() + r, y + r}, r, r, 90, 180);
            path.insert(path.end(), loop.begin() + 1, loop.end());
        }
    }
    return g.pipe(path, w, true);
}

int serpentineCoil(Sheet &g, const QRectF &box, int passes, double lead, double w)
{
    passes = std::max(1, passes);
    const double step = box.width() / passes, r = step / 2;
    std::vector<QPointF> path{{box.left() + r, box.top() - lead}};
    for (int i = 0; i < passes; ++i) {
        const double x = box.left() + step * (i + 0.5);
        const bool down = i % 2 == 0;
        if (i + 1 == passes) {
            path.push_back({x, down ? box.bottom() + lead : box.top() - lead});
            break;
        }
        // Along the run, then the half bend to the next one.
        const std::vector<QPointF> bend = down ? arcPoints({x + r, box.bottom() - r}, r, r, 180, 180)
                                               : arcPoints({x + r, box.top() + r}, r, r, 180, -180);
        path.insert(path.end(), bend.begin(), bend.end());
    }
    return g.pipe(path, w, true);
}

namespace {

// The bundle's tubes: U's bent round one centre, the outermost this far
// from the axis for each pixel of the bundle's length, the inner ones
// evenly within.
constexpr double kBundleSpread = 0.15;
constexpr int kBundleTubes = 2;

} // namespace

double tubePlateLength(double bundleLength) { return 2 * (kBundleSpread * bundleLength + 7); }

std::vector<int> uTubeBundle(Sheet &g, QPointF face, double length, double w)
{
    std::vector<int> tubes;
    const double spread = kBundleSpread * length;
    for (int i = 0; i < kBundleTubes; ++i) {
        const double r = spread * (kBundleTubes - i) / kBundleTubes;
        const double bend = face.x() + length - spread;
        std::vector<QPointF> path{{face.x(), face.y() - r}, {bend, face.y() - r}};
        const std::vector<QPointF> u = arcPoints({bend, face.y()}, r, r, 90, -180);
        path.insert(path.end(), u.begin() + 1, u.end());
        path.push_back({face.x(), face.y() + r});
        tubes.push_back(g.pipe(path, w, true));
    }
    return tubes;
}

QRectF keyedLegend(Sheet &g, const QRectF &box, const std::vector<std::pair<QString, QString>> &entries, int columns,
                   double px)
{
    // Rows closer than the font's own line height: the legends' short
    // lines have no marks reaching into the next.
    const int rows = int(entries.size() + columns - 1) / columns;
    const double lh = std::ceil(px * 1.4);
    const double cw = box.width() / columns;
    QRectF used;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int col = int(i) / rows, row = int(i) % rows;
        const QPointF at(box.right() - col * cw, box.top() + lh * (row + 0.5));
        used |= g.text(at, entries[i].first + QStringLiteral("- ") + entries[i].second, Qt::AlignRight, px);
    }
    return used;
}

QRectF numberedLegend(Sheet &g, const QRectF &box, const std::vector<QString> &entries, int columns, double px,
                      int first)
{
    std::vector<std::pair<QString, QString>> keyed;
    for (std::size_t i = 0; i < entries.size(); ++i)
        keyed.emplace_back(QString::number(first + int(i)), entries[i]);
    return keyedLegend(g, box, keyed, columns, px);
}

QRectF symbolLegend(Sheet &g, const QRectF &box, const std::vector<LegendSymbol> &entries, int columns, double px)
{
    const int rows = int(entries.size() + columns - 1) / columns;
    const double lh = std::max(std::ceil(px * 1.6), 15.0);
    const double cw = box.width() / columns;
    QRectF used;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int col = int(i) / rows, row = int(i) % rows;
        const double right = box.right() - col * cw, y = box.top() + lh * (row + 0.5);
        const QPointF c(right - 9, y);
        if (entries[i].onPipe)
            g.pipe({c - QPointF(8, 0), c + QPointF(8, 0)});
        entries[i].draw(g, c);
        used |= QRectF(right - 18, y - lh / 2, 18, lh);
        used |= g.text({right - 21, y}, entries[i].name, Qt::AlignRight, px);
    }
    return used;
}

} // namespace bv::eqbook::kit
