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
// the bottom.
void sandFilterTank(Sheet &g, const QRectF &r)
{
    g.dishedTank(r, 8);
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
}

// A hair-and-lint strainer: the pot with its basket (dashed), inlet and
// outlet at the sides, the lid on top; its centre at `c`.
void hairStrainer(Sheet &g, QPointF c, double w = 26, double h = 30)
{
    const QRectF pot(c.x() - w / 2, c.y() - h / 2, w, h);
    g.roundedRect(pot, 5);
    g.rect(QRectF(pot.left() - 3, pot.top() - 5, w + 6, 5), kOutline); // lid
    g.dashed({pot.left() + 5, pot.top() + 4}, {pot.left() + 5, pot.bottom() - 6}, kThin, 2, 1.5);
    g.dashed({pot.right() - 5, pot.top() + 4}, {pot.right() - 5, pot.bottom() - 6}, kThin, 2, 1.5);
    g.dashed({pot.left() + 5, pot.bottom() - 6}, {pot.right() - 5, pot.bottom() - 6}, kThin, 2, 1.5);
}

// A lying shell-and-coil exchanger in `r`, its coil entering and leaving
// through the left end; returns a point on the coil's lowest tube.
QPointF coilExchanger(Sheet &g, const QRectF &r)
{
    g.capsule(r);
    const QRectF coil(r.left() + 2, r.top() + 8, r.width() - 20, r.height() - 16);
    coilInBox(g, coil, 4, false, kThin * 1.4);
    return {coil.center().x(), coil.bottom() - coil.height() / 8};
}

// The basin of a pool or jacuzzi in section, its water surface dashed
// `depth` below the rim.
void basin(Sheet &g, const QRectF &r, double depth)
{
    g.polyline({r.topLeft(), r.bottomLeft(), r.bottomRight(), r.topRight()}, kOutline);
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
    const QRectF skimmer(pool.right() - 10, pool.top() + 4, 10, 12);
    g.rect(skimmer, kOutline);
    g.rect(QRectF(150, pool.bottom() - 2, 14, 2), kOutline);
    const double suctionX = 200, lineY = 106;
    g.polyline({{pool.right(), skimmer.bottom() - 3}, {suctionX, skimmer.bottom() - 3}, {suctionX, lineY}}, kPipe);
    g.polyline({{157, pool.bottom()}, {157, 72}, {suctionX, 72}}, kPipe);
    tee(g, {suctionX, 72});
    // Make-up water into the skimmer.
    g.line({pool.right() + 14, skimmer.top() + 2}, {pool.right(), skimmer.top() + 2}, kThin * 1.6);
    g.arrowHead({pool.right() + 1, skimmer.top() + 2}, {pool.right() + 10, skimmer.top() + 2}, 4, 1.6);

    // The plant from right to left.
    g.line({suctionX, lineY}, {24, lineY}, kPipe);
    g.line({194, lineY}, {194, 120}, kPipe);
    gateValve(g, {194, 124}, true, 4);
    hairStrainer(g, {172, lineY + 2}, 18, 20);
    pump(g, {146, lineY}, Side::Left, 6.5);
    sandFilterTank(g, QRectF(110, 84, 18, 40));
    coilExchanger(g, QRectF(64, lineY - 8, 32, 16));
    g.circle({46, lineY - 14}, 5, kOutline); // chlorinator
    g.line({46, lineY - 9}, {46, lineY}, kThin * 1.6);
    // Back through the collector to the inlets behind the far wall.
    g.polyline({{24, lineY}, {24, 80}, {8, 80}, {8, inletY}, {16, inletY}}, kPipe);
    g.dashed({16, inletY}, {148, inletY}, kPipe * 0.8, 3, 2);
    g.rect(QRectF(18, 76, 12, 8), kOutline); // collector
    flowArrow(g, {36, lineY}, Side::Left);
    flowArrow(g, {suctionX, 90}, Side::Down);

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{170, 46}, {skimmer.left(), skimmer.center().y() + 2}}},
        {2, {{138, 74}, {152, pool.bottom() - 1}}},
        {3, {{210, 128}, {197, 124}}},
        {4, {{176, 132}, {172, lineY + 12}}},
        {5, {{146, 128}, {146, lineY + 6}}},
        {6, {{119, 136}, {119, 124}}},
        {7, {{80, 128}, {80, lineY + 8}}},
        {8, {{42, 76}, {30, 80}}},
        {9, {{60, 84}, {50, lineY - 17}}},
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
    // and goes back through the circulation pump; the basin's water crosses
    // the shell.
    const QRectF shell(56, 52, 140, 52);
    const QPointF tube = coilExchanger(g, shell);
    const double flowY = 62, returnY = 94;
    g.polyline({{shell.left() + 2, flowY}, {22, flowY}, {22, 24}}, kPipe);
    g.polyline({{shell.left() + 2, returnY}, {22, returnY}, {22, 146}}, kPipe);
    g.arrowHead({22, 40}, {22, 26});
    g.arrowHead({22, 144}, {22, 130});
    gateValve(g, {22, 48}, true, 4);
    pump(g, {22, 116}, Side::Down, 6);
    gateValve(g, {22, 100 + 28}, true, 4);
    g.line({shell.left() - 6, flowY}, {shell.left() - 6, returnY}, kOutline); // flange
    // The basin's water in below, out above.
    const QPointF in = nozzle(g, {170, shell.bottom()}, Side::Down, 22);
    const QPointF out = nozzle(g, {90, shell.top()}, Side::Up, 22);
    g.arrowHead({170, shell.bottom() + 3}, in);
    g.arrowHead(out + QPointF(0, -8), out);
    thermometer(g, {128, shell.top()}, 4);

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{150, 30}, {150, shell.top()}}},
        {2, {{110, 128}, {110, tube.y()}}},
        {3, {{42, 22}, {23, 30}}},
        {4, {{42, 146}, {23, 140}}},
        {5, {{196, 136}, {171, 126}}},
        {6, {{66, 18}, {89, 30}}},
        {7, {{44, 118}, {28, 116}}},
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
    const QRectF shell(64, 50, 132, 50);
    const QPointF tube = coilExchanger(g, shell);
    const double steamY = 59, condY = 91;
    // Steam from above through its valve, strainer and the motorised valve;
    // condensate down through the trap.
    g.polyline({{shell.left() + 2, steamY}, {30, steamY}, {30, 14}}, kPipe);
    g.polyline({{shell.left() + 2, condY}, {30, condY}, {30, 134}}, kPipe);
    g.line({shell.left() - 6, steamY}, {shell.left() - 6, condY}, kOutline);
    gateValve(g, {30, 22}, true, 4);
    strainer(g, {30, 38}, true, 4);
    motorValve(g, {46, steamY}, false, 4);
    trap(g, {30, 112}, 5);
    g.arrowHead({30, 52}, {30, 44});
    g.arrowHead({30, 132}, {30, 122});
    const QPointF in = nozzle(g, {174, shell.bottom()}, Side::Down, 20);
    const QPointF out = nozzle(g, {100, shell.top()}, Side::Up, 20);
    g.arrowHead({174, shell.bottom() + 3}, in);
    g.arrowHead(out + QPointF(0, -8), out);

    const std::vector<std::pair<int, std::pair<QPointF, QPointF>>> balloons = {
        {1, {{150, 28}, {150, shell.top()}}},
        {2, {{120, 124}, {120, tube.y()}}},
        {3, {{50, 12}, {31, 14}}},
        {4, {{12, 40}, {26, 38}}},
        {5, {{58, 36}, {46, steamY - 12}}},
        {6, {{12, 112}, {25, 112}}},
        {7, {{50, 128}, {31, 128}}},
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
    g.line({tank.right(), topY}, {rx, topY}, kPipe);
    g.line({tank.right(), botY}, {rx, botY}, kPipe);
    g.line({rx, topY}, {rx, botY}, kPipe);
    tee(g, {tx, topY});
    tee(g, {tx, botY});
    tee(g, {rx, inY});
    gateValve(g, {112, topY}, false, 4);  // inlet to the top
    gateValve(g, {112, botY}, false, 4);  // inlet to the bottom (backwash)
    g.line({tx, topY}, {tx, 16}, kPipe);  // to the drain
    gateValve(g, {tx, 29}, true, 4);
    g.line({tx, botY}, {tx, 126}, kPipe); // filtered water out
    gateValve(g, {tx, 116}, true, 4);
    g.arrowHead({tx, 10}, {tx, 20});
    g.arrowHead({tx, 132}, {tx, 122});

    // The hair-and-lint strainer before the pump, at the right.
    const QPointF s(184, inY);
    hairStrainer(g, s, 30, 36);
    g.line({rx, inY}, {s.x() - 15, inY}, kPipe);
    g.line({s.x() + 15, inY}, {216, inY}, kPipe);
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
    // The jacuzzi in section. Filtration: from the skimmer and the floor
    // suction through the pump, the sand filter and the exchanger back in
    // through the floor. Jets: from the wall suction through the jets pump
    // to the nozzles in the wall.
    const QRectF tub(40, 34, 148, 62);
    const double r = 16;
    g.line({16, tub.top()}, tub.topLeft(), kOutline);
    g.line(tub.topRight(), {218, tub.top()}, kOutline);
    g.line(tub.topLeft(), {tub.left(), tub.bottom() - r}, kOutline);
    g.arc({tub.left() + r, tub.bottom() - r}, r, r, 180, 90, kOutline);
    g.line({tub.left() + r, tub.bottom()}, {tub.right() - r, tub.bottom()}, kOutline);
    g.arc({tub.right() - r, tub.bottom() - r}, r, r, 270, 90, kOutline);
    g.line({tub.right(), tub.bottom() - r}, tub.topRight(), kOutline);
    g.dashed({tub.left(), tub.top() + 8}, {tub.right(), tub.top() + 8}, kThin, 5, 2.5);
    g.text({100, 60}, fa("جكوزي"), Qt::AlignHCenter, 10.5);

    // Filtration.
    const QRectF skimmer(tub.left(), tub.top() + 4, 9, 10);
    g.rect(skimmer, kOutline);
    const double y = 128;
    g.rect(QRectF(64, tub.bottom() - 2, 14, 2), kOutline);  // floor suction
    g.rect(QRectF(140, tub.bottom() - 2, 14, 2), kOutline); // floor inlet
    g.polyline({{tub.left(), skimmer.bottom() - 3}, {22, skimmer.bottom() - 3}, {22, y}, {86, y}}, kPipe);
    g.line({71, tub.bottom()}, {71, y}, kPipe);
    tee(g, {71, y});
    pump(g, {92, y}, Side::Right, 6.5);
    g.line({98, y}, {110, y}, kPipe);
    sandFilterTank(g, QRectF(110, 110, 18, 36));
    g.line({128, y}, {140, y}, kPipe);
    coilExchanger(g, QRectF(140, y - 8, 26, 16));
    g.polyline({{166, y}, {172, y}, {172, 108}, {147, 108}, {147, tub.bottom()}}, kPipe);
    flowArrow(g, {34, y}, Side::Right);
    flowArrow(g, {160, 108}, Side::Left);

    // Jets.
    for (double jy : {52.0, 66.0}) {
        g.circle({tub.right() - 3, jy}, 2.5, kPipe);
        g.line({tub.right(), jy}, {214, jy}, kPipe);
    }
    g.line({214, 52}, {214, 170}, kPipe);
    g.polyline({{tub.right() - 3, 84}, {200, 84}, {200, 176}, {206, 176}}, kPipe); // wall suction
    pump(g, {214, 176}, Side::Up, 6.5);
    flowArrow(g, {214, 110}, Side::Up);
    flowArrow(g, {200, 120}, Side::Down);

    g.label({34, 16}, fa("اسكيمر"), {tub.left() + 4, skimmer.top()}, Qt::AlignHCenter);
    g.label({200, 16}, fa("جت ها"), {tub.right() - 2, 50}, Qt::AlignHCenter);
    g.label({66, 80}, fa("مكش كف"), {70, 94}, Qt::AlignHCenter);
    g.label({126, 80}, fa("ورودي آب گرم"), {146, 94}, Qt::AlignHCenter);
    g.label({70, 152}, fa("پمپ تصفيه"), {90, y + 6}, Qt::AlignHCenter);
    g.label({112, 166}, fa("فيلتر شني"), {116, 146}, Qt::AlignHCenter);
    g.label({158, 152}, fa("مبدل حرارتي"), {154, y + 8}, Qt::AlignHCenter);
    g.label({190, 198}, fa("پمپ جت"), {210, 182}, Qt::AlignRight);
    g.label({150, 196}, fa("مكش جت"), {200, 150}, Qt::AlignRight);
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
    // Water in from the right, air from above.
    g.polyline({{body.right(), jy}, {206, jy}, {206, 196}}, kPipe);
    const double ax = wall.left() + 6;
    g.polyline({{ax, jy - 9}, {ax, 14}, {186, 14}}, kPipe);
    g.rect(QRectF(186, 8, 14, 12), kOutline); // air control
    g.arrowHead({ax, jy - 12}, {ax, jy - 22});
    g.arrow({wall.left() - 14, jy}, {34, jy}, kPipe);
    // The floor suction and the jets pump.
    g.rect(QRectF(62, 167, 16, 3), kOutline);
    g.polyline({{70, 170}, {70, 196}, {188, 196}}, kPipe);
    pump(g, {196, 196}, Side::Right, 8);
    g.line({204, 196}, {206, 196}, kPipe);
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
