#pragma once
// Pieces of equipment more than one drawing shows, and the labels of the
// equipment drawings.
#include "boravest/eqbook/drawings/Kit.h"

#include <initializer_list>

namespace bv::eqbook::pictures {

using kit::Sheet;
using kit::Side;

// The size of the labels of the equipment drawings, and a label of them
// with its leader to the part at `to`.
constexpr double kSmallPx = kit::kLabelPx;
QRectF label(Sheet &g, QPointF at, const char *t, QPointF to, Qt::Alignment a = Qt::AlignHCenter);

// A connection nozzle from the wall point `from` outwards by `len`, ending
// in a flange, one of the drawing's pipes; returns its end, and its run in
// `run` when given.
QPointF nozzle(Sheet &g, QPointF from, Side out, double len = 10, int *run = nullptr);
// A saddle under a lying tank whose bottom is at y.
void saddle(Sheet &g, double x, double y, double h, double w = 16);
// Legs from y1 down to y2 at the given x, each on a foot plate.
void legs(Sheet &g, std::initializer_list<double> xs, double y1, double y2);
// An electric motor lying in `r`: its body with cooling fins, the end
// shields and the shaft towards the right or the left.
void motor(Sheet &g, const QRectF &r, bool shaftRight = true);
// A cylindrical fire-tube boiler from the side, its tubes hidden, its front
// door at the left, `doorTop` below the top, and its base below, from
// `baseFront` behind the front to just short of the back; returns its part.
int boilerBody(Sheet &g, const QRectF &body, double doorTop = 6, double baseFront = 4);

} // namespace bv::eqbook::pictures
