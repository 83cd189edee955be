#include "boravest/eqbook/drawings/Equipment.h"

#include <algorithm>

namespace bv::eqbook::pictures {

using namespace kit;

QRectF label(Sheet &g, QPointF at, const char *t, QPointF to, Qt::Alignment a)
{
    return g.label(at, fa(t), to, a, kSmallPx);
}

QPointF nozzle(Sheet &g, QPointF from, Side out, double len, int *run)
{
    QPointF d;
    switch (out) {
    case Side::Left: d = {-1, 0}; break;
    case Side::Right: d = {1, 0}; break;
    case Side::Up: d = {0, -1}; break;
    case Side::Down: d = {0, 1}; break;
    }
    const QPointF end = from + d * len;
    const int r = g.pipe({from, end});
    if (run)
        *run = r;
    const QPointF n(-d.y(), d.x());
    g.line(end - n * 3.2, end + n * 3.2, kOutline);
    return end;
}

void saddle(Sheet &g, double x, double y, double h, double w)
{
    g.polyline({{x - w / 2 + 3, y}, {x - w / 2, y + h}, {x + w / 2, y + h}, {x + w / 2 - 3, y}}, kOutline);
}

void legs(Sheet &g, std::initializer_list<double> xs, double y1, double y2)
{
    for (double x : xs) {
        g.line({x, y1}, {x, y2}, kOutline);
        g.line({x - 4, y2}, {x + 4, y2}, kOutline);
    }
}

void motor(Sheet &g, const QRectF &r, bool shaftRight)
{
    const double end = std::min(6.0, r.width() / 6);
    const QRectF body = r.adjusted(end, 0, -end, 0);
    g.rect(body, kOutline);
    for (double y = body.top() + 4; y < body.bottom() - 2; y += 4)
        g.line({body.left() + 3, y}, {body.right() - 3, y}, kThin);
    g.rect(QRectF(r.left(), r.top() + 3, end, r.height() - 6), kOutline);
    g.rect(QRectF(r.right() - end, r.top() + 3, end, r.height() - 6), kOutline);
    const double y = r.center().y();
    if (shaftRight)
        g.line({r.right(), y}, {r.right() + 6, y}, kOutline);
    else
        g.line({r.left() - 6, y}, {r.left(), y}, kOutline);
}

int boilerBody(Sheet &g, const QRectF &body, double doorTop, double baseFront)
{
    g.roundedRect(body, 6);
    const int part = g.part(body, 6);
    // The furnace tube and the return tubes, hidden.
    const double cy = body.center().y();
    g.dashed({body.left() + 6, cy + 12}, {body.right() - 10, cy + 12}, kThin, 4, 2.5);
    g.dashed({body.left() + 6, cy - 2}, {body.right() - 10, cy - 2}, kThin, 4, 2.5);
    g.dashed({body.left() + 6, cy - 8}, {body.right() - 10, cy - 8}, kThin, 4, 2.5);
    // Front door, base.
    g.rect(QRectF(body.left() - 5, body.top() + doorTop, 5, body.height() - doorTop - 6), kOutline);
    g.rect(QRectF(body.left() + baseFront, body.bottom(), body.width() - baseFront - 4, 7), kOutline);
    return part;
}

} // namespace bv::eqbook::pictures
