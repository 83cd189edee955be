// The pool and jacuzzi drawings: their circuits, the coil exchangers heated
// by boiler water or steam, the sand filter with the hair strainer, and the
// jets of the jacuzzi.
#include "boravest/eqbook/drawings/Equipment.h"
#include "boravest/eqbook/drawings/Pictures.h"

#include <algorithm>
#include <cmath>

namespace bv::eqbook::pictures {

using namespace kit;

namespace {

// A vertical sand filter in `r`: dished ends, the sand bed (dotted) over a
// layer of gravel, the distributor at the top and the collector laterals at
// the bottom; returns its part.
int sandFilterTank(Sheet &g, const QRectF &r)
{
    const int part = g.dishedTank(r, 8);
    const double bedTop = r.top() + r.height() * 0.38, gravel = r.bottom() - 14;
    g.dashed({r.left() + 2, bedTop}, {r.right() - 2, bedTop}, kThin, 2, 1.5);
    for (double y = bedTop + 5; y < gravel - 2; y += 5)
        for (double x = r.left() + 5 + std::fmod(y, 4.0); x < r.right() - 3; x += 6)
            g.disc({x, y}, 0.7);
    g.line({r.left() + 1, gravel}, {r.right() - 1, gravel}, kThin);
    for (double x = r.left() + 5; x < r.right() - 3; x += 5)
        g.circle({x, gravel + 5}, 1.6, kThin);
    // The distributor under the inlet.
    g.line({r.center().x(), r.top() + 2}, {r.center().x(), r.top() + 12}, kThin);
    g.line({r.center().x() - 8, r.top() + 12}, {r.center().x() + 8, r.top() + 12}, kThin);
    return part;
}

// A hair-and-lint strainer: the pot with its basket (dashed), inlet and
// outlet at the sides, the lid on top; its centre at `c`.
void hairStrainer(Sheet &g, QPointF c, double w = 26, double h = 30)
{
    const QRectF pot(c.x() - w / 2, c.y() - h / 2, w, h);
    g.roundedRect(pot, 5);
    g.part(pot, 5);
    g.rect(QRectF(pot.left() - 3, pot.top() - 5, w + 6, 5), kOutline); // lid
    g.dashed({pot.left() + 5, pot.top() + 4}, {pot.left() + 5, pot.bottom() - 6}, kThin, 2, 1.5);
    g.dashed({pot.right() - 5, pot.top() + 4}, {pot.right() - 5, pot.bottom() - 6}, kThin, 2, 1.5);
    g.dashed({pot.left() + 5, pot.bottom() - 6}, {pot.right() - 5, pot.bottom() - 6}, kThin, 2, 1.5);
}

// A lying shell-and-coil exchanger: its coil's run, the ends of the coil
// on the outer face of its tube plate (the first run the upper), and a
// point on the coil's lowest tube.
struct Exchanger {
    int coil;
    QPointF first, last, lowTube;
};

// The exchanger with its shell in `r`: a dished head at the right, a flange
// at the left, where the coil's tube plate is bolted to it; the coil's two
// ends through the plate. Its part is the shell with the flange and the
// plate; the coil is its own.
Exchanger coilExchanger(Sheet &g, const QRectF &r)
{
    const double h = r.height(), head = std::min(12.0, h * 0.3), cy = r.center().y();
    g.line(r.topLeft(), {r.right() - head, r.top()}, kOutline);
    g.line(r.bottomLeft(), {r.right() - head, r.bottom()}, kOutline);
    g.arc({r.right() - head, cy}, head, h / 2, -90, 180, kOutline);
    // The shell's flange and the tube plate outside it, both past the shell.
    const double over = std::max(2.0, h * 0.08), plate = std::max(2.0, h * 0.08);
    g.rect(QRectF(r.left() - over, r.top() - over, over, h + 2 * over), kThin);
    const QRectF tubePlate(r.left() - over - plate, r.top() - over, plate, h + 2 * over);
    g.fill(tubePlate);
    const double margin = std::max(2.5, h * 0.15);
    const QRectF coil(r.left() + 2, r.top() + margin, r.width() - head - 8, h - 2 * margin);
    const int run = coilInBox(g, coil, 4, false, kThin * 1.4, coil.left() - tubePlate.left());
    std::vector<QPointF> outline = {tubePlate.topLeft(), {r.left(), tubePlate.top()}, r.topLeft()};
    const std::vector<QPointF> dome = arcPoints({r.right() - head, cy}, head, h / 2, 90, -180);
    outline.insert(outline.end(), dome.begin(), dome.end());
    outline.insert(outline.end(), {r.bottomLeft(), {r.left(), tubePlate.bottom()}, tubePlate.bottomLeft()});
    g.within(run, g.part(outline));
    const double step = coil.height() / 4;
    return {run,
            {tubePlate.left(), coil.top() + step / 2},
            {tubePlate.left(), coil.bottom() - step / 2},
            {coil.center().x(), coil.bottom() - step / 2}};
}

// The basin of a pool or jacuzzi in section, its water surface dashed
// `depth` below the rim.
void basin(Sheet &g, const QRectF &r, double depth)
{
    g.polyline({r.topLeft(), r.bottomLeft(), r.bottomRight(), r.topRight()}, kOutline);
    g.part(r);
    g.line(r.topLeft() - QPointF(8, 0), r.topLeft(), kOutline);
    g.line(r.topRight(), r.topRight() + QPointF(8, 0), kOutline);
    g.dashed({r.left(), r.top() + depth}, {r.right(), r.top() + depth}, kThin, 5, 2.5);
    // The water-level mark.
    const QPointF m(r.right() - 14, r.top() + depth);
    g.triangle(m + QPointF(-3, -4), m + QPointF(3, -4), m, kThin);
    g.line(m + QPointF(-2, 2), m + QPointF(2, 2), kThin);
}

const std::vector<QString> &poolLegend()
{
    static const std::vector<QString> parts = {
        fa("اسكيمر"),      fa("كفشوي"),       fa("شير تخليه"), fa("موگير"),  fa("پمپ تصفيه"),
        fa("فيلتر شني"),   fa("مبدل حرارتي"), fa("كلكتور"),    fa("كلرزني"), fa("آب جبراني"),
    };
    return parts;
}

} // namespace

// ---------------------------------------------------------------- pool

void poolCircuit(Sheet &g)
{
    // The pool in section: the skimmer at the water line, the main drain
    // in the floor, the three inlets D1 to D3 in the far wall 30 cm below
    // the water; below it the plant: suction to the drain valve, the hair
    // strainer, the pump, the sand filter, the exchanger and the
    // chlorination, and back through the collector to the inlets.
    const QRectF pool(16, 12, 176, 48);
    basin(g, pool, 8);
    const double waterY = pool.top() + 8, inletY = 38;
    for (int i = 0; i < 3; ++i) {
        const QPointF c(88 + 30 * i, inletY);
        g.circle(c, 3, kPipe);
        g.letter(c + QPointF(0, 11), QStringLiteral("D%1").arg(i + 1), false);
    }
    g.dimension({26, waterY}, {26, inletY}, Side::Right, 0, QString());
    g.text({30, (waterY + inletY) / 2}, fa("30 سانتيمتر"), Qt::AlignLeft);

    // Skimmer at the right wall, main drain in the floor.
    const QRectF skimmer(pool.right() - 10, pool.top() + 4, 10, 12), drain(150, pool.bottom() - 2, 14, 2);
    for (const QRectF &b : {skimmer, drain}) {
        g.rect(b, kOutline);
        g.part(b);
    }
    // Make-up water into the skimmer.
    g.pipe({{pool.right() + 14, skimmer.top() + 2}, {pool.right(), skimmer.top() + 2}}, kThin * 1.6);
    g.arrowHead({pool.right() + 1, skimmer.top() + 2}, {pool.right() + 10, skimmer.top() + 2}, 4, 1.6);

    // The plant: the suction down past the drain valve into the hair
    // strainer's pot, out of it through the pump into the sand filter at
    // its top, out at its bottom into the exchanger's shell below and out
    // above, through the chlorinator and the collector, and up to the
    // inlets behind the far wall.
    const double suctionX = 200, lineY = 106;
    const QPointF pot(172, lineY + 2);
    const int suction = g.pipe({{pool.right(), skimmer.bottom() - 3},
                                {suctionX, skimmer.bottom() - 3},
                                {suctionX, lineY},
                                {pot.x() + 9, lineY}});
    g.join(suction, g.pipe({{157, pool.bottom()}, {157, 72}, {suctionX, 72}}));
    tee(g, {suctionX, 72});
    g.join(suction, g.pipe({{194, lineY}, {194, 128}}));
    tee(g, {194, lineY});
    gateValve(g, {194, 124}, true, 4);
    hairStrainer(g, pot, 18, 20);

    const QRectF filter(110, 84, 18, 40);
    const double fx = filter.center().x();
    g.pipe({{pot.x() - 9, lineY}, {134, lineY}, {134, 76}, {fx, 76}, {fx, filter.top()}});
    pump(g, {146, lineY}, Side::Left, 6.5);
    sandFilterTank(g, filter);

    const QRectF shell(64, lineY - 8, 32, 16);
    g.pipe({{fx, filter.bottom()}, {fx, 134}, {88, 134}, {88, shell.bottom()}});
    const Exchanger x = coilExchanger(g, shell);
    g.join(x.coil, g.pipe({x.first, x.first - QPointF(8, 0)}));
    g.join(x.coil, g.pipe({x.last, x.last - QPointF(8, 0)}));
    g.arrowHead(x.first, x.first - QPointF(8, 0), 4, 1.6);
    g.arrowHead(x.last - QPointF(8, 0), x.last, 4, 1.6);

    // The chlorinator in the return, its lid on top, the water in low and
    // out high; the collector after it.
    const QRectF chlorinator(38, 70, 12, 20), collector(14, 70, 14, 8);
    g.roundedRect(chlorinator, 3);
    g.part(chlorinator, 3);
    g.rect(QRectF(chlorinator.left() - 2, chlorinator.top() - 4, chlorinator.width() + 4, 4), kOutline);
    g.rect(collector, kOutline);
    g.part(collector);
    g.pipe({{78, shell.top()}, {78, 86}, {chlorinator.right(), 86}});
    g.pipe({{chlorinator.left(), 74}, {collector.right(), 74}});
    g.pipe({{collector.left(), 74}, {8, 74}, {8, inletY}, {pool.left(), inletY}});
    g.dashed({pool.left(), inletY}, {148, inletY}, kPipe * 0.8, 3, 2);
    flowArrow(g, {64, 86}, Side::Left);
    flowArrow(g, {suctionX, 90}, Side::Down);
    flowArrow(g, {8, 56}, Side::Up);

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{170, 46}, {skimmer.left(), skimmer.center().y() + 2}}},
        {2, {{144, 72}, {152, pool.bottom() - 1}}},
        {3, {{210, 128}, {197, 124}}},
        {4, {{176, 132}, {pot.x(), pot.y() + 10}}},
        {5, {{148, 126}, {146, lineY + 6.5}}},
        {6, {{136, 142}, {filter.right(), 112}}},
        {7, {{76, 130}, {76, shell.bottom()}}},
        {8, {{21, 96}, {21, collector.bottom()}}},
        {9, {{42, 104}, {44, chlorinator.bottom()}}},
        {10, {{212, 34}, {pool.right() + 12, skimmer.top() + 2}}},
    };
    for (const auto &[n, at] : balloons)
        g.balloon(at.first, n, at.second);
    numberedLegend(g, QRectF(6, 152, 214, 70), poolLegend(), 2);
}

// ---------------------------------------------------------------- exchangers

void hotWaterExchanger(Sheet &g, bool jacuzzi)
{
    // The shell with its coil; the boiler water enters the coil, leaves it
    // and goes back through the circulation pump, flow and return each its
    // own pipe from the tube plate; the basin's water crosses the shell.
    const QRectF shell(56, 52, 140, 52);
    const Exchanger x = coilExchanger(g, shell);
    const double px = 22;
    const int flow = g.pipe({x.first, {px, x.first.y()}, {px, 24}});
    const int ret = g.pipe({x.last, {px, x.last.y()}, {px, 146}});
    g.join(x.coil, flow);
    g.join(x.coil, ret);
    g.arrowHead({px, 40}, {px, 26});
    g.arrowHead({px, 144}, {px, 130});
    gateValve(g, {px, 48}, true, 4);
    pump(g, {px, 116}, Side::Down, 6);
    gateValve(g, {px, 128}, true, 4);
    // The basin's water in below, out above.
    int basinIn = 0, basinOut = 0;
    const QPointF in = nozzle(g, {170, shell.bottom()}, Side::Down, 22, &basinIn);
    const QPointF out = nozzle(g, {90, shell.top()}, Side::Up, 22, &basinOut);
    g.arrowHead({170, shell.bottom() + 3}, in);
    g.arrowHead(out + QPointF(0, -8), out);
    thermometer(g, {128, shell.top()}, 4);

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{150, 30}, {150, shell.top()}}},
        {2, {{110, 128}, {110, x.lowTube.y()}}},
        {3, {{42, 22}, {px + 1, 30}}},
        {4, {{42, 146}, {px + 1, 140}}},
        {5, {{196, 136}, {171, 126}}},
        {6, {{66, 18}, {89, 30}}},
        {7, {{44, 118}, {px + 6, 116}}},
        {8, {{128, 16}, {128, shell.top() - 12}}},
    };
    for (const auto &[n, at] : balloons)
        g.balloon(at.first, n, at.second);
    const QString basinWord = jacuzzi ? fa("جكوزي") : fa("استخر");
    numberedLegend(g, QRectF(6, 164, g.size().width() - 12, 60),
                   {fa("مبدل حرارتي"), fa("كويل"), fa("آبگرم از ديگ"), fa("برگشت به ديگ"),
                    fa("ورودي آب ") + basinWord, fa("آب گرم به ") + basinWord, fa("پمپ سيركولاتور"),
                    fa("دماسنج")},
                   2);
}

void steamExchanger(Sheet &g, bool jacuzzi)
{
    // Steam from above through its valve, strainer and the motorised valve
    // into the coil; the condensate from the coil down through the trap;
    // each its own pipe from the tube plate.
    const QRectF shell(64, 50, 132, 50);
    const Exchanger x = coilExchanger(g, shell);
    const double px = 30;
    const int steam = g.pipe({x.first, {px, x.first.y()}, {px, 14}});
    const int cond = g.pipe({x.last, {px, x.last.y()}, {px, 134}});
    g.join(x.coil, steam);
    g.join(x.coil, cond);
    gateValve(g, {px, 22}, true, 4);
    strainer(g, {px, 38}, true, 4);
    motorValve(g, {46, x.first.y()}, false, 4);
    trap(g, {px, 112}, 5);
    g.arrowHead({px, 52}, {px, 44});
    g.arrowHead({px, 132}, {px, 122});
    int basinIn = 0, basinOut = 0;
    const QPointF in = nozzle(g, {174, shell.bottom()}, Side::Down, 20, &basinIn);
    const QPointF out = nozzle(g, {100, shell.top()}, Side::Up, 20, &basinOut);
    g.arrowHead({174, shell.bottom() + 3}, in);
    g.arrowHead(out + QPointF(0, -8), out);

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{150, 28}, {150, shell.top()}}},
        {2, {{120, 124}, {120, x.lowTube.y()}}},
        {3, {{50, 12}, {px + 1, 14}}},
        {4, {{12, 40}, {px - 4, 38}}},
        {5, {{58, 36}, {46, x.first.y() - 12}}},
        {6, {{12, 112}, {px - 5, 112}}},
        {7, {{50, 128}, {px + 1, 128}}},
        {8, {{200, 128}, {175, 116}}},
        {9, {{78, 20}, {99, 28}}},
    };
    for (const auto &[n, at] : balloons)
        g.balloon(at.first, n, at.second);
    const QString basinWord = jacuzzi ? fa("جكوزي") : fa("استخر");
    numberedLegend(g, QRectF(6, 146, g.size().width() - 12, 74),
                   {fa("مبدل حرارتي"), fa("كويل"), fa("ورودي بخار"), fa("صافي بخار"), fa("شير موتوري"),
                    fa("تراپ بخار"), fa("خط كندانس"), fa("ورودي آب ") + basinWord, fa("آب گرم به ") + basinWord},
                   2);
}

// ---------------------------------------------------------------- sand filter

void sandFilter(Sheet &g)
{
    // The filter with its four-valve manifold: filtering, the water from
    // the strainer goes in at the top and out at the bottom (the two
    // valves on the inlet riser's side open); backwashing, it goes in at
    // the bottom and out at the top to the drain (the other two open). The
    // filter's size as the catalogue gives it: L high, D across.
    const QRectF tank(26, 28, 48, 88);
    sandFilterTank(g, tank);
    g.rect(QRectF(tank.center().x() - 9, tank.top() - 8, 18, 5), kOutline); // inspection hatch
    pressureGauge(g, {tank.left() + 10, tank.top() + 3}, 4);
    airVent(g, {tank.right() - 10, tank.top() + 3}, 3.5);
    g.dimension(tank.topLeft(), tank.bottomLeft(), Side::Left, 12, QStringLiteral("L"));
    g.dimension({tank.left(), tank.top() + 22}, {tank.right(), tank.top() + 22}, Side::Down, 0, QStringLiteral("D"));
    const double topY = 44, botY = 104, tx = 96, rx = 128, inY = 74;
    const int top = g.pipe({{tank.right(), topY}, {rx, topY}});
    const int bottom = g.pipe({{tank.right(), botY}, {rx, botY}});
    const int riser = g.pipe({{rx, topY}, {rx, botY}});
    g.join(top, riser);
    g.join(bottom, riser);
    tee(g, {tx, topY});
    tee(g, {tx, botY});
    tee(g, {rx, inY});
    gateValve(g, {112, topY}, false, 4);  // inlet to the top
    gateValve(g, {112, botY}, false, 4);  // inlet to the bottom (backwash)
    g.join(top, g.pipe({{tx, topY}, {tx, 16}}));     // to the drain
    gateValve(g, {tx, 29}, true, 4);
    g.join(bottom, g.pipe({{tx, botY}, {tx, 126}})); // filtered water out
    gateValve(g, {tx, 116}, true, 4);
    g.arrowHead({tx, 10}, {tx, 20});
    g.arrowHead({tx, 132}, {tx, 122});

    // The hair-and-lint strainer before the pump, at the right.
    const QPointF s(184, inY);
    hairStrainer(g, s, 30, 36);
    g.join(riser, g.pipe({{rx, inY}, {s.x() - 15, inY}}));
    g.pipe({{s.x() + 15, inY}, {216, inY}});
    g.arrowHead({rx + 8, inY}, {rx + 20, inY});
    g.arrowHead({206, inY}, {216, inY});

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{50, 11}, {50, tank.top() - 8}}},
        {2, {{16, 14}, {tank.left() + 7, tank.top() - 6}}},
        {3, {{76, 12}, {tank.right() - 10, tank.top() - 6}}},
        {4, {{146, 98}, {140, inY}}},
        {5, {{116, 128}, {tx, 124}}},
        {6, {{116, 12}, {tx, 14}}},
        {7, {{146, 26}, {115, topY - 2}}},
        {8, {{210, 60}, {210, inY}}},
        {9, {{184, 112}, {184, inY + 10}}},
        {10, {{156, 52}, {160, inY}}},
        {11, {{208, 36}, {196, inY - 22}}},
    };
    for (const auto &[n, at] : balloons)
        g.balloon(at.first, n, at.second);
    numberedLegend(g, QRectF(6, 138, 214, 84),
                   {fa("دريچه بازديد"), fa("فشارسنج"), fa("شير هواگيري"), fa("ورودي آب به فيلتر"),
                    fa("خروجي آب تصفيه شده"), fa("تخليه شستشو"), fa("شيرهاي چهارگانه"), fa("ورودي موگير"),
                    fa("سبد صافي"), fa("خروجي موگير"), fa("درپوش بازديد")},
                   2);
}

// ---------------------------------------------------------------- jacuzzi

void jacuzziCircuit(Sheet &g)
{
    // The jacuzzi in section and its plant below, drawn as the pool's:
    // filtration from the skimmer and the floor suction through the valves,
    // the hair strainer, the pump, the sand filter and the exchanger, and
    // back past the chlorination through the floor inlet; jets from the
    // wall suction through the jets pump to the nozzles in the wall.
    const QRectF tub(36, 16, 114, 50);
    const double r = 12;
    g.line({28, tub.top()}, tub.topLeft(), kOutline);
    g.line(tub.topRight(), {158, tub.top()}, kOutline);
    g.line(tub.topLeft(), {tub.left(), tub.bottom() - r}, kOutline);
    g.arc({tub.left() + r, tub.bottom() - r}, r, r, 180, 90, kOutline);
    g.line({tub.left() + r, tub.bottom()}, {tub.right() - r, tub.bottom()}, kOutline);
    g.arc({tub.right() - r, tub.bottom() - r}, r, r, 270, 90, kOutline);
    g.line({tub.right(), tub.bottom() - r}, tub.topRight(), kOutline);
    std::vector<QPointF> inside{tub.topLeft()};
    for (const std::vector<QPointF> &a : {arcPoints({tub.left() + r, tub.bottom() - r}, r, r, 180, 90),
                                          arcPoints({tub.right() - r, tub.bottom() - r}, r, r, 270, 90)})
        inside.insert(inside.end(), a.begin(), a.end());
    inside.push_back(tub.topRight());
    g.part(inside);
    g.dashed({tub.left(), tub.top() + 7}, {tub.right(), tub.top() + 7}, kThin, 5, 2.5);
    g.text({96, 46}, fa("جكوزي"), Qt::AlignHCenter, 10.5);

    // Filtration.
    const double y = 112;
    const QRectF skimmer(tub.left(), tub.top() + 4, 9, 10);
    const QRectF floorSuctionBox(50, tub.bottom() - 2, 12, 2), floorInlet(121, tub.bottom() - 2, 14, 2);
    for (const QRectF &b : {skimmer, floorSuctionBox, floorInlet}) {
        g.rect(b, kOutline);
        g.part(b);
    }
    const QPointF pot(86, y + 2);
    const int suction = g.pipe({{tub.left(), skimmer.bottom() - 3}, {16, skimmer.bottom() - 3}, {16, y}, {77, y}});
    const int floorSuction = g.pipe({{56, tub.bottom()}, {56, y}});
    g.join(suction, floorSuction);
    tee(g, {56, y});
    gateValve(g, {68, y}, false, 4);
    gateValve(g, {56, 92}, true, 4);
    hairStrainer(g, pot, 18, 20);
    const QRectF filter(128, 92, 18, 40);
    g.pipe({{pot.x() + 9, y}, {filter.left(), y}});
    pump(g, {110, y}, Side::Right, 6.5);
    sandFilterTank(g, filter);
    const QRectF shell(168, 104, 28, 16);
    g.pipe({{filter.right(), y}, {150, y}, {150, 130}, {188, 130}, {188, shell.bottom()}});
    const Exchanger x = coilExchanger(g, shell);
    g.join(x.coil, g.pipe({x.first, x.first - QPointF(8, 0)}));
    g.join(x.coil, g.pipe({x.last, x.last - QPointF(8, 0)}));
    g.arrowHead(x.first, x.first - QPointF(8, 0), 4, 1.6);
    g.arrowHead(x.last - QPointF(8, 0), x.last, 4, 1.6);
    const int back = g.pipe({{176, shell.top()}, {176, 78}, {128, 78}, {128, tub.bottom()}});
    g.circle({160, 70}, 5, kOutline); // chlorinator
    g.part(ellipseOutline({160, 70}, 5, 5));
    g.join(back, g.pipe({{160, 75}, {160, 78}}, kThin * 1.6));
    flowArrow(g, {16, 70}, Side::Down);
    flowArrow(g, {123, y}, Side::Right);
    flowArrow(g, {142, 78}, Side::Left);

    // Jets.
    const QPointF jetsPump(214, 128);
    for (double jy : {30.0, 40.0})
        g.circle({tub.right() - 3, jy}, 2.5, kPipe);
    const QRectF wallSuction(tub.right() - 4, 47, 4, 6);
    g.rect(wallSuction, kOutline);
    g.part(wallSuction);
    const int jets = g.pipe({{tub.right(), 30}, {214, 30}, {214, jetsPump.y() - 6.5}});
    g.join(jets, g.pipe({{tub.right(), 40}, {214, 40}}));
    tee(g, {214, 40});
    // The jets pump's suction down between the exchanger's dome and the
    // pump's delivery, clear of both.
    const double jetsSuctionX = 203;
    g.pipe({{tub.right(), 50}, {jetsSuctionX, 50}, {jetsSuctionX, jetsPump.y()}, {jetsPump.x() - 6.5, jetsPump.y()}});
    pump(g, jetsPump, Side::Up, 6.5);
    flowArrow(g, {214, 84}, Side::Up);
    flowArrow(g, {jetsSuctionX, 90}, Side::Down);

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{60, 34}, {skimmer.right(), skimmer.center().y()}}},
        {2, {{36, 86}, {53, tub.bottom()}}},
        {3, {{64, 134}, {68, y + 4}}},
        {3, {{76, 86}, {59, 92}}},
        {4, {{86, 138}, {86, pot.y() + 10}}},
        {5, {{110, 134}, {110, y + 6.5}}},
        {6, {{137, 142}, {137, filter.bottom()}}},
        {7, {{186, 90}, {186, shell.top()}}},
        {8, {{176, 66}, {165, 70}}},
        {9, {{180, 14}, {180, 30}}},
        {10, {{214, 144}, {214, jetsPump.y() + 6.5}}},
        {11, {{112, 86}, {floorInlet.left() + 2, floorInlet.bottom()}}},
        {12, {{128, 50}, {wallSuction.left(), wallSuction.center().y()}}},
    };
    for (const auto &[n, at] : balloons)
        g.balloon(at.first, n, at.second);
    numberedLegend(g, QRectF(6, 156, 216, 56),
                   {fa("اسكيمر"), fa("مكش كف"), fa("شير قطع"), fa("موگير"), fa("پمپ تصفيه"),
                    fa("فيلتر شني"), fa("مبدل حرارتي"), fa("كلرزني"), fa("جت ها"), fa("پمپ جت"),
                    fa("ورودي كف"), fa("مكش جت")},
                   3);
}

void jacuzziJets(Sheet &g)
{
    // One jet in section through the jacuzzi wall: the water from the jets
    // pump and the air drawn in from above the rim meet in the nozzle's
    // venturi and leave into the jacuzzi; the jets pump draws from the
    // floor suction.
    const QRectF wall(140, 30, 16, 140);
    g.rect(wall, kOutline);
    g.hatch(wall, 5);
    g.line({20, 170}, {wall.left(), 170}, kOutline); // floor of the jacuzzi
    g.dashed({20, 48}, {wall.left(), 48}, kThin, 5, 2.5);
    // The nozzle through the wall, its venturi inside.
    const double jy = 104;
    const QRectF body(wall.left() - 12, jy - 9, wall.width() + 36, 18);
    g.fill(body, Qt::white);
    g.line(body.topLeft(), body.topRight(), kOutline);
    g.line(body.bottomLeft(), body.bottomRight(), kOutline);
    g.line(body.topLeft(), body.bottomLeft(), kOutline);
    g.polyline({{body.right(), jy - 4}, {wall.left() + 2, jy - 1.5}}, kThin);
    g.polyline({{body.right(), jy + 4}, {wall.left() + 2, jy + 1.5}}, kThin);
    g.part(body);
    // Water in from the right, air from above.
    const int water = g.pipe({{body.right(), jy}, {206, jy}, {206, 196}});
    const double ax = wall.left() + 6;
    g.pipe({{ax, jy - 9}, {ax, 14}, {186, 14}});
    g.rect(QRectF(186, 8, 14, 12), kOutline); // air control
    g.part(QRectF(186, 8, 14, 12));
    g.arrowHead({ax, jy - 12}, {ax, jy - 22});
    g.arrow({wall.left() - 14, jy}, {34, jy}, kFlow);
    // The floor suction and the jets pump.
    g.rect(QRectF(62, 167, 16, 3), kOutline);
    g.part(QRectF(62, 167, 16, 3));
    g.pipe({{70, 170}, {70, 196}, {188, 196}});
    pump(g, {196, 196}, Side::Right, 8);
    g.join(water, g.pipe({{204, 196}, {206, 196}}));
    flowArrow(g, {130, 196}, Side::Right);
    flowArrow(g, {206, 150}, Side::Up);

    g.text({40, 40}, fa("سطح آب"), Qt::AlignHCenter);
    g.text({72, jy - 12}, fa("آب و هوا"), Qt::AlignHCenter);
    g.label({96, 66}, fa("ورودي هوا"), {ax, 66}, Qt::AlignHCenter);
    g.label({96, 136}, fa("نازل جت"), {wall.left() - 6, jy + 9}, Qt::AlignHCenter);
    g.label({194, 36}, fa("تنظيم هوا"), {193, 20}, Qt::AlignHCenter);
    g.label({96, 156}, fa("ديواره جكوزي"), {wall.left(), 156}, Qt::AlignHCenter);
    g.label({110, 182}, fa("مكش"), {72, 182}, Qt::AlignHCenter);
    g.label({150, 212}, fa("پمپ جت"), {192, 203}, Qt::AlignHCenter);
    g.text({190, jy - 22}, fa("آب از پمپ"), Qt::AlignHCenter);
}

} // namespace bv::eqbook::pictures
