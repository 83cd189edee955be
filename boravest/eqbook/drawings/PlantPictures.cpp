// The plant-room drawings: the boilers and their site, the expansion tanks,
// the burners and the fuel store, the circulation pumps and the softener.
#include "boravest/eqbook/drawings/Equipment.h"
#include "boravest/eqbook/drawings/Pictures.h"

#include <algorithm>
#include <cmath>

namespace bv::eqbook::pictures {

using namespace kit;

namespace {

// A flexible connector in a pipe: a short run of waves.
void flexible(Sheet &g, QPointF c, bool vertical)
{
    const QPointF u = vertical ? QPointF(0, 1) : QPointF(1, 0), v(u.y(), u.x());
    g.fill(QRectF(c - u * 6 - v * 4, c + u * 6 + v * 4).normalized(), Qt::white);
    for (int i = -2; i <= 2; ++i)
        g.line(c + u * (i * 2.4) - v * 4, c + u * (i * 2.4) + v * 4, kThin);
    g.line(c - u * 6 - v * 4, c + u * 6 - v * 4, kThin);
    g.line(c - u * 6 + v * 4, c + u * 6 + v * 4, kThin);
}

// The hatched ground under a concrete foundation.
void foundation(Sheet &g, const QRectF &r)
{
    g.rect(r, kOutline);
    g.hatch(r, 5);
}

} // namespace

// ---------------------------------------------------------------- boilers

namespace {

// The boiler body with its base, burner, flue and the fittings both kinds
// share, its front door `doorTop` below the top; returns the body.
QRectF boilerCommon(Sheet &g, double doorTop)
{
    const QRectF body(52, 78, 132, 66); // L by D (the base makes H)
    // The base stands behind the drain, which leaves the shell's lowest
    // point near the front.
    const double drainX = body.left() + 10;
    boilerBody(g, body, doorTop, 20);
    // The burner on the front door, level with the furnace.
    const QRectF burner(16, 104, 30, 26);
    g.roundedRect(burner, 4);
    g.line({burner.right(), 112}, {body.left() - 5, 112}, kOutline);
    g.line({burner.right(), 122}, {body.left() - 5, 122}, kOutline);
    // The flue at the back, rising to the chimney well above the fittings.
    const QRectF flue(152, 24, 14, body.top() - 24);
    g.rect(flue, kOutline);
    // Drain from the bottom of the shell.
    g.pipe({{drainX, body.bottom()}, {drainX, body.bottom() + 24}});
    gateValve(g, {drainX, body.bottom() + 18}, true, 3.5);
    g.dimension({body.left(), body.bottom() + 7}, {body.right(), body.bottom() + 7}, Side::Down, 44,
                QStringLiteral("L"));
    g.dimension(body.topRight(), body.bottomRight(), Side::Right, 14, QStringLiteral("D"));
    g.dimension(body.topRight(), {body.right(), body.bottom() + 7}, Side::Right, 32, QStringLiteral("H"));
    label(g, {30, 150}, "مشعل", {30, burner.bottom()});
    label(g, {198, 22}, "دودكش", {flue.right(), 30});
    label(g, {74, body.bottom() + 28}, "شير تخليه", {drainX + 3, body.bottom() + 18}, Qt::AlignLeft);
    return body;
}

} // namespace

void hotWaterBoiler(Sheet &g)
{
    const QRectF body = boilerCommon(g, 6);
    // The gauges at the front, the flow, the safety valve and the return on
    // top.
    thermometer(g, {58, body.top()}, 4);
    pressureGauge(g, {70, body.top()}, 3.5);
    const QPointF flow = nozzle(g, {88, body.top()}, Side::Up, 22);
    safetyValve(g, {110, body.top()}, 4);
    const QPointF ret = nozzle(g, {130, body.top()}, Side::Up, 22);
    g.arrowHead(flow + QPointF(0, -8), flow);
    g.arrowHead({130, body.top() - 4}, ret + QPointF(0, 4));
    g.text({88, flow.y() - 14}, fa("رفت"), Qt::AlignHCenter, kSmallPx);
    g.text({130, ret.y() - 14}, fa("برگشت"), Qt::AlignHCenter, kSmallPx);
    label(g, {110, 12}, "شير اطمينان", {110, 60});
    label(g, {26, 46}, "دماسنج", {58, 63.5}, Qt::AlignHCenter);
    label(g, {58, 22}, "فشارسنج", {70, 67.5}, Qt::AlignHCenter);
    g.text({body.center().x() + 4, body.bottom() - 14}, fa("ديگ آبگرم"), Qt::AlignHCenter, 10);
}

void steamBoiler(Sheet &g)
{
    // The front door below the steam space, where the gauge glass stands
    // off the front plate on its two connections, one to the steam space
    // and one below the water level.
    const QRectF body = boilerCommon(g, 22);
    const double level = body.top() + 14;
    g.dashed({body.left() + 4, level}, {body.right() - 4, level}, kThin, 8, 2.5);
    const QRectF glass(34, level - 11, 5, 20);
    g.part(glass);
    const double steamSide = level - 7, waterSide = level + 5;
    g.pipe({{glass.right(), steamSide}, {body.left(), steamSide}});
    g.pipe({{glass.right(), waterSide}, {body.left(), waterSide}});
    g.fill(glass, Qt::white);
    g.rect(glass, kThin * 1.5);
    g.line({glass.center().x(), level}, {glass.center().x(), glass.bottom()}, kThin * 1.5);
    g.line({glass.left() - 2, level}, {glass.left(), level}, kThin);
    // Steam out through its main valve, feed water in through its check
    // valve, the gauge and the safety valve.
    pressureGauge(g, {64, body.top()}, 3.5);
    const QPointF steam = nozzle(g, {80, body.top()}, Side::Up, 26);
    gateValve(g, {80, body.top() - 13}, true, 4);
    g.arrowHead(steam + QPointF(0, -8), steam);
    safetyValve(g, {104, body.top()}, 4);
    const QPointF feed = nozzle(g, {128, body.top()}, Side::Up, 24);
    checkValve(g, {128, body.top() - 13}, Side::Down, 4);
    g.arrowHead({128, body.top() - 3}, feed + QPointF(0, 6));
    g.text({80, steam.y() - 18}, fa("خروجي بخار"), Qt::AlignHCenter, kSmallPx);
    g.text({128, feed.y() - 8}, fa("آب تغذيه"), Qt::AlignHCenter, kSmallPx);
    label(g, {104, 12}, "شير اطمينان", {104, 60});
    label(g, {26, 34}, "فشارسنج", {61, 68}, Qt::AlignHCenter);
    label(g, {28, 62}, "شيشه آب نما", {glass.center().x(), glass.top()}, Qt::AlignHCenter);
    g.text({150, level - 6}, fa("سطح آب"), Qt::AlignHCenter, kSmallPx);
    g.text({body.center().x() + 4, body.bottom() - 14}, fa("ديگ بخار"), Qt::AlignHCenter, 10);
}

void boilerRoom(Sheet &g)
{
    // The boiler on its foundation in the plant room: the foundation 8 to
    // 15 cm high and 15 to 20 cm larger than the boiler on every side, 50
    // to 70 cm from the wall, the flue to the chimney behind the wall, the
    // air inlet low in the opposite wall.
    const double floorY = 292;
    g.line({8, floorY}, {408, floorY}, kOutline);
    for (double x = 10; x < 404; x += 8)
        g.line({x + 5, floorY}, {x, floorY + 5}, kThin);
    // The walls.
    const QRectF leftWall(8, 14, 16, floorY - 14), rightWall(372, 14, 16, floorY - 14);
    for (const QRectF &w : {leftWall, rightWall}) {
        g.rect(w, kOutline);
        g.hatch(w, 6);
    }
    // The air inlet in the left wall.
    const QRectF louvre(leftWall.left(), 222, leftWall.width(), 40);
    g.fill(louvre, Qt::white);
    g.rect(louvre, kOutline);
    for (double y = louvre.top() + 5; y < louvre.bottom(); y += 6)
        g.line({louvre.left(), y + 3}, {louvre.right(), y - 3}, kThin);
    g.arrow({30, 236}, {58, 236}, kFlow);
    g.arrow({30, 250}, {58, 250}, kFlow);
    // Foundation and boiler.
    const QRectF base(108, floorY - 10, 216, 10);
    g.rect(base, kOutline);
    g.hatch(base, 4);
    const QRectF body(124, 186, 184, 88);
    boilerBody(g, body);
    const QRectF burner(92, 212, 30, 30);
    g.roundedRect(burner, 4);
    // Flue to the chimney behind the right wall.
    const QRectF chimney(388, 14, 22, floorY - 14);
    g.rect(chimney, kOutline);
    g.polyline({{280, body.top()}, {280, 120}, {chimney.left(), 120}}, kOutline);
    g.polyline({{296, body.top()}, {296, 134}, {rightWall.left(), 134}}, kOutline);
    g.line({rightWall.left(), 120}, {chimney.left(), 120}, kOutline);
    g.line({rightWall.left(), 134}, {chimney.left(), 134}, kOutline);
    g.fill(QRectF(rightWall.left() + 0.8, 120.8, rightWall.width() - 1.6, 12.4), Qt::white);
    g.arrow({399, 100}, {399, 40}, kFlow);

    g.dimension({base.left(), base.top()}, base.bottomLeft(), Side::Left, 8, QString());
    g.text({base.left() - 14, base.center().y() - 2}, fa("8 تا 15 سانتيمتر"), Qt::AlignRight, kSmallPx);
    g.dimension({base.left(), floorY}, {body.left(), body.bottom() + 7}, Side::Down, 14, QString());
    g.text({body.left() + 4, floorY + 22}, fa("15 تا 20 سانتيمتر"), Qt::AlignLeft, kSmallPx);
    g.dimension({base.right(), floorY}, {rightWall.left(), floorY}, Side::Down, 14, QString());
    g.text({(base.right() + rightWall.left()) / 2, floorY + 26}, fa("50 تا 70 سانتيمتر"), Qt::AlignHCenter,
           kSmallPx);

    g.text({body.center().x(), body.bottom() - 18}, fa("ديگ"), Qt::AlignHCenter, 11);
    label(g, {84, 186}, "مشعل", {100, 212});
    label(g, {240, 332}, "فونداسيون", {240, floorY - 4});
    label(g, {60, 170}, "دريچه ورود هوا", {leftWall.right(), 230}, Qt::AlignHCenter);
    label(g, {330, 60}, "دودكش", {388, 60}, Qt::AlignHCenter);
    label(g, {56, 322}, "كف موتورخانه", {70, floorY}, Qt::AlignHCenter);
    label(g, {342, 246}, "ديوار", {372, 246});
}

// ---------------------------------------------------------------- expansion tanks

void openExpansionTank(Sheet &g)
{
    // An open tank in oblique view: L1 wide, L2 deep, H high, its sheet T;
    // the expansion pipe d1 below, the make-up water d2 down through the lid
    // to its float valve, the overflow d4 out of the side near the top and
    // down to the drain, the vent on the lid.
    const QRectF front(46, 70, 96, 78);
    const QPointF depth(30, -24);
    g.rect(front, kOutline);
    g.part(front); // pipes stand on the lid and the side in front of them
    g.polyline({front.topLeft(), front.topLeft() + depth, front.topRight() + depth, front.topRight()}, kOutline);
    g.polyline({front.topRight() + depth, front.bottomRight() + depth, front.bottomRight()}, kOutline);
    const double water = front.top() + 20;
    g.dashed({front.left(), water}, {front.right(), water}, kThin, 5, 2.5);
    // Vent on the lid.
    g.pipe({{100, 58}, {100, 32}, {112, 26}, {124, 32}, {124, 40}});
    // Make-up water through the lid (half way back) to the float valve and
    // its float, hidden inside the tank.
    const double mx = 66, lid = front.top() + depth.y() / 2;
    g.pipe({{mx, 22}, {mx, lid}});
    g.dashed({mx, lid}, {mx, water - 8}, kThin * 1.4, 3, 2);
    g.dashed({mx, water - 8}, {mx + 16, water - 1}, kThin, 3, 2);
    g.circle({mx + 20, water}, 4.5, kThin);
    g.letter({mx, 14}, QStringLiteral("d2"));
    // Overflow from the side just under the lid, clear of the edges, down
    // to the drain.
    const QPointF side = front.topRight() + depth * 0.5 + QPointF(0, 12);
    int overflow = 0;
    const QPointF e = nozzle(g, side, Side::Right, 36, &overflow);
    g.join(overflow, g.pipe({e, {e.x(), e.y() + 30}}));
    g.arrowHead({e.x(), e.y() + 36}, {e.x(), e.y() + 26});
    g.letter({e.x() + 12, e.y() - 8}, QStringLiteral("d4"));
    // Expansion pipe below.
    const QPointF d1 = nozzle(g, {front.center().x(), front.bottom()}, Side::Down, 12);
    g.letter(d1 + QPointF(12, 2), QStringLiteral("d1"));

    g.dimension(front.topLeft(), front.bottomLeft(), Side::Left, 20, QStringLiteral("H"));
    g.dimension(front.bottomLeft(), front.bottomRight(), Side::Down, 24, QStringLiteral("L1"));
    g.dimensionAligned(front.bottomRight(), front.bottomRight() + depth, QPointF(10, 8), QStringLiteral("L2"));
    g.label({206, 132}, QStringLiteral("T"), front.bottomRight() + depth + QPointF(0.75, -14), Qt::AlignHCenter,
            kLetterPx);
    label(g, {160, 20}, "لوله هواكش", {124, 38}, Qt::AlignLeft);
    keyedLegend(g, QRectF(6, 180, 214, 42),
                {{QStringLiteral("d1"), fa("لوله انبساط")},
                 {QStringLiteral("d2"), fa("ورودي آب تغذيه با شير شناور")},
                 {QStringLiteral("d4"), fa("سرريز")}},
                1);
}

void diaphragmExpansionTank(Sheet &g)
{
    // A closed vessel A high and B across, the diaphragm between the gas
    // charge above and the system water below, the charging valve on top
    // and the connection D down to the system.
    const QRectF v(72, 36, 82, 108);
    g.roundedRect(v, 30);
    g.part(v, 30);
    g.arc({v.center().x(), v.center().y() + 30}, v.width() / 2 - 1, 30, 0, 180, kPipe); // diaphragm
    nozzle(g, {v.center().x(), v.top()}, Side::Up, 8);
    g.rect(QRectF(v.center().x() - 3, v.top() - 14, 6, 6), kThin);
    int connection = 0;
    const QPointF e = nozzle(g, {v.center().x(), v.bottom()}, Side::Down, 14, &connection);
    g.letter(e + QPointF(12, 0), QStringLiteral("D"));
    g.join(connection, g.pipe({e, {e.x(), 190}}));
    g.text({e.x(), 200}, fa("اتصال به سيستم"));
    g.text({v.center().x(), v.top() + 22}, fa("هوا يا ازت"), Qt::AlignHCenter, kSmallPx);
    g.text({v.center().x(), v.bottom() - 18}, fa("آب سيستم"), Qt::AlignHCenter, kSmallPx);

    g.dimension(v.topLeft(), v.bottomLeft(), Side::Left, 22, QStringLiteral("A"));
    g.dimension({v.left(), 78}, {v.right(), 78}, Side::Down, 0, QStringLiteral("B"));
    label(g, {190, 26}, "شير شارژ هوا", {v.center().x() + 3, v.top() - 11}, Qt::AlignHCenter);
    label(g, {188, 90}, "ديافراگم", {v.right() - 8, 103}, Qt::AlignHCenter);
}

void hydropneumaticExpansionTank(Sheet &g)
{
    // A lying tank L long and D across, shell T thick, on saddles; the
    // system water at D8, the compressed air at d6, the pressure switch
    // and gauge at d7, the gauge glass on the front.
    const QRectF t(30, 66, 164, 62);
    g.dishedTank(t, 12);
    saddle(g, 64, t.bottom(), 14);
    saddle(g, 160, t.bottom(), 14);
    g.dashed({t.left() + 10, t.top() + 26}, {t.right() - 10, t.top() + 26}, kThin, 5, 2.5);
    const QRectF glass(100, t.top() + 14, 5, 26);
    g.rect(glass, kThin);
    QPointF e = nozzle(g, {112, t.bottom()}, Side::Down, 10);
    g.letter(e + QPointF(14, 1), QStringLiteral("D8"));
    e = nozzle(g, {70, t.top()}, Side::Up, 10);
    g.letter(e + QPointF(0, -9), QStringLiteral("d6"));
    e = nozzle(g, {150, t.top()}, Side::Up, 10);
    g.letter(e + QPointF(0, -9), QStringLiteral("d7"));
    safetyValve(g, {120, t.top()}, 4);

    // The length under the saddles, so that the safety valve is named from
    // above; the gauge glass is named from inside the tank's front.
    g.dimension({t.left(), t.center().y()}, {t.right(), t.center().y()}, Side::Down, 56, QStringLiteral("L"));
    g.dimension({t.right() - 12, t.top()}, {t.right() - 12, t.bottom()}, Side::Right, 20, QStringLiteral("D"));
    g.label({16, 44}, QStringLiteral("T"), {t.left() + 14, t.top() + 1}, Qt::AlignHCenter, kLetterPx);
    label(g, {120, 24}, "شير اطمينان", {120, t.top() - 17});
    label(g, {152, 112}, "شيشه آب نما", {glass.right(), glass.bottom() - 6});
    keyedLegend(g, QRectF(6, 174, 214, 48),
                {{QStringLiteral("D8"), fa("اتصال به آب سيستم")},
                 {QStringLiteral("d6"), fa("ورودي هواي فشرده")},
                 {QStringLiteral("d7"), fa("كليد فشار و فشارسنج")}},
                1);
}

// ---------------------------------------------------------------- burners

namespace {

// The burner housing with its motor and fan behind and the blast tube in
// front; returns the housing.
QRectF burnerBody(Sheet &g)
{
    const QRectF housing(80, 56, 80, 74);
    g.roundedRect(housing, 8);
    g.part(housing, 8);
    motor(g, QRectF(160, 74, 44, 34), false);
    g.circle({120, 93}, 20, kThin); // the fan inside
    for (int i = 0; i < 6; ++i) {
        const double a = i * 60.0 * 3.14159265 / 180.0;
        g.line({120, 93}, {120 + 18 * std::cos(a), 93 - 18 * std::sin(a)}, kThin);
    }
    // Mounting flange and blast tube.
    g.rect(QRectF(70, 70, 10, 46), kOutline);
    g.rect(QRectF(20, 80, 50, 26), kOutline);
    g.dashed({24, 93}, {66, 93}, kThin, 3, 2);
    g.triangle({22, 88}, {22, 98}, {30, 93}, kThin); // nozzle head
    label(g, {40, 64}, "شعله پوش", {40, 80});
    label(g, {188, 62}, "الكتروموتور", {188, 74});
    label(g, {50, 142}, "فلنج اتصال به ديگ", {75, 116}, Qt::AlignHCenter);
    return housing;
}

} // namespace

void oilBurner(Sheet &g)
{
    const QRectF h = burnerBody(g);
    // Ignition transformer on top, photocell, fuel pump below with the
    // supply (through its filter) and return lines.
    g.rect(QRectF(96, 40, 42, 16), kOutline);
    const QPointF photocell(h.left() + 10, h.top() + 12);
    g.circle(photocell, 3.5, kThin);
    const QRectF fuelPump(96, h.bottom(), 30, 16);
    g.rect(fuelPump, kOutline);
    g.part(fuelPump);
    // The supply through its filter, the return straight back.
    const QRectF filter(99, 168, 10, 14);
    g.pipe({{104, fuelPump.bottom()}, {104, filter.top()}});
    g.pipe({{104, filter.bottom()}, {104, 206}});
    g.pipe({{118, fuelPump.bottom()}, {118, 206}});
    g.rect(filter, kOutline);
    g.part(filter);
    g.arrowHead({104, fuelPump.bottom() + 2}, {104, fuelPump.bottom() + 12});
    g.arrowHead({118, 204}, {118, 194});
    label(g, {176, 30}, "ترانس جرقه", {138, 46}, Qt::AlignHCenter);
    label(g, {62, 40}, "فتوسل", photocell + QPointF(-2.5, -2.5), Qt::AlignHCenter);
    label(g, {172, 160}, "پمپ سوخت", {126, h.bottom() + 8}, Qt::AlignHCenter);
    label(g, {60, 176}, "فيلتر سوخت", {99, 175}, Qt::AlignHCenter);
    g.text({88, 214}, fa("رفت سوخت"), Qt::AlignHCenter, kSmallPx);
    g.text({150, 214}, fa("برگشت سوخت"), Qt::AlignHCenter, kSmallPx);
}

void gasBurner(Sheet &g)
{
    const QRectF h = burnerBody(g);
    // The air pressure switch on the housing, its tube to the fan.
    const QRectF airSwitch(128, 36, 18, 11);
    g.rect(airSwitch, kOutline);
    g.line({airSwitch.left() + 4, airSwitch.center().y()}, {airSwitch.right() - 4, airSwitch.center().y() - 3},
           kThin);
    g.line({airSwitch.center().x(), airSwitch.bottom()}, {airSwitch.center().x(), h.top()}, kThin * 1.4);
    label(g, {188, 26}, "كليد فشار هوا", {airSwitch.right(), airSwitch.top() + 3}, Qt::AlignHCenter);
    // The gas train from the inlet at the right: the hand valve (1), the
    // filter (2), the regulator (3), the gauge (4) and the two solenoid
    // valves (5, 6), up into the burner.
    const double y = 166;
    g.pipe({{214, y}, {110, y}, {110, h.bottom()}});
    gateValve(g, {200, y}, false, 4);
    const QRectF filter(174, y - 6, 12, 12);
    g.fill(filter, Qt::white);
    g.rect(filter, kOutline);
    g.line(filter.bottomLeft(), filter.topRight(), kThin);
    const QRectF regulator(148, y - 8, 16, 16);
    g.fill(regulator, Qt::white);
    g.roundedRect(regulator, 3);
    g.arc({156, y - 8}, 8, 6, 0, 180, kThin);
    pressureGauge(g, {136, y}, 3);
    motorValve(g, {122, y}, false, 4);
    motorValve(g, {110, 146}, true, 4);
    g.arrowHead({206, y}, {214, y});
    g.text({214, 150}, fa("ورودي گاز"), Qt::AlignRight, kSmallPx);
    g.balloon({200, 182}, 1, {200, y + 3.5});
    g.balloon({180, 182}, 2, {180, y + 6.5});
    g.balloon({156, 182}, 3, {156, y + 8.5});
    g.balloon({138, 182}, 4, {136.5, y + 1});
    g.balloon({120, 182}, 5, {121, y + 3.5});
    g.balloon({94, 162}, 6, {106.5, 148});
    numberedLegend(g, QRectF(6, 194, 214, 28),
                   {fa("شير قطع دستي"), fa("فيلتر گاز"), fa("رگولاتور"), fa("فشارسنج گاز"), fa("شير برقي اول"),
                    fa("شير برقي دوم")},
                   3);
}

void fuelTank(Sheet &g)
{
    // The gas-oil store: a lying tank L1 long in its shell and L2 over the
    // heads, D across, sheet T; the fill pipe d4, the vent d5, the suction
    // and return d3, the manhole and the level gauge on top, on saddles.
    const QRectF t(26, 58, 172, 56);
    g.dishedTank(t, 12);
    saddle(g, 62, t.bottom(), 12);
    saddle(g, 162, t.bottom(), 12);
    g.rect(QRectF(92, t.top() - 6, 24, 6), kOutline); // manhole
    QPointF e = nozzle(g, {44, t.top()}, Side::Up, 12);
    g.letter(e + QPointF(0, -9), QStringLiteral("d4"));
    g.pipe({{142, t.top()}, {142, 38}, {150, 32}, {158, 38}});
    g.letter({142, 26}, QStringLiteral("d5"));
    e = nozzle(g, {176, t.top()}, Side::Up, 12);
    g.letter(e + QPointF(0, -9), QStringLiteral("d3"));
    g.dashed({176, t.top()}, {176, t.bottom() - 6}, kThin, 3, 2); // suction tube
    g.rect(QRectF(67, t.top() - 12, 6, 12), kThin); // level gauge

    g.dimension({t.left() + 12, t.bottom()}, {t.right() - 12, t.bottom()}, Side::Down, 24, QStringLiteral("L1"));
    g.dimension({t.left(), t.center().y()}, {t.right(), t.center().y()}, Side::Down, 68, QStringLiteral("L2"));
    g.dimension({t.right() - 12, t.top()}, {t.right() - 12, t.bottom()}, Side::Right, 18, QStringLiteral("D"));
    g.label({14, 40}, QStringLiteral("T"), {t.left() + 4, t.top() + 10}, Qt::AlignHCenter, kLetterPx);
    label(g, {104, 38}, "دريچه آدم رو", {104, t.top() - 6});
    label(g, {62, 12}, "نشان دهنده سطح", {70, t.top() - 12}, Qt::AlignHCenter);
    keyedLegend(g, QRectF(6, 158, 214, 28),
                {{QStringLiteral("d3"), fa("مكش و برگشت سوخت")},
                 {QStringLiteral("d4"), fa("لوله پر كن")},
                 {QStringLiteral("d5"), fa("لوله هواكش")}},
                2);
}

// ---------------------------------------------------------------- pumps

void floorPump(Sheet &g)
{
    // An end-suction pump on its base frame: the motor, the coupling under
    // its guard, the pump with the suction in line and the delivery
    // rising; flexible connectors, valves, the gauge; the concrete
    // foundation on isolation pads.
    const QRectF base(22, 140, 168, 8);
    g.rect(base, kOutline);
    foundation(g, QRectF(16, 156, 180, 22));
    for (double x : {36.0, 172.0})
        g.rect(QRectF(x - 6, 148, 12, 8), kThin); // pads
    motor(g, QRectF(28, 96, 76, 44));
    g.rect(QRectF(110, 108, 14, 20), kThin); // coupling guard
    const QPointF c(146, 118);
    g.circle(c, 20, kOutline);
    g.part(ellipseOutline(c, 20, 20));
    g.rect(QRectF(136, 136, 20, 4), kOutline);
    // Suction in line from the right, delivery up.
    g.pipe({{c.x() + 20, c.y()}, {216, c.y()}});
    flexible(g, {178, c.y()}, false);
    gateValve(g, {202, c.y()}, false, 4);
    g.pipe({{c.x(), c.y() - 20}, {c.x(), 14}});
    flexible(g, {c.x(), 90}, true);
    checkValve(g, {c.x(), 56}, Side::Up, 4);
    gateValve(g, {c.x(), 38}, true, 4);
    pressureGauge(g, {c.x() + 10, 76}, 3);
    g.line({c.x(), 76}, {c.x() + 10, 76}, kThin);
    g.arrowHead({c.x(), 16}, {c.x(), 26});
    g.arrowHead({c.x() + 24, c.y()}, {c.x() + 34, c.y()});

    label(g, {66, 80}, "الكتروموتور", {66, 96});
    label(g, {104, 196}, "شاسي", {100, 148});
    label(g, {160, 196}, "فونداسيون بتني", {150, 170});
    label(g, {40, 196}, "لرزه گير", {36, 156});
    label(g, {118, 88}, "كوپلينگ", {117, 108});
    label(g, {206, 102}, "مكش", {208, c.y() - 1}, Qt::AlignHCenter);
    label(g, {186, 20}, "رانش", {c.x() + 2, 24}, Qt::AlignHCenter);
    label(g, {188, 56}, "شير يكطرفه", {c.x() + 4, 56}, Qt::AlignHCenter);
    label(g, {186, 86}, "اتصال قابل انعطاف", {c.x() + 4, 89}, Qt::AlignHCenter);
}

void inLinePump(Sheet &g)
{
    // A pump in the pipe itself, its motor standing above it; a valve and a
    // strainer before it, a check valve and a valve after it, flexible
    // connectors on both sides, the pipe held on supports.
    const double y = 150;
    const QRectF casing(96, y - 16, 36, 32);
    const QRectF inlet(casing.left() - 6, y - 10, 6, 20), outlet(casing.right(), y - 10, 6, 20);
    g.pipe({{8, y}, {inlet.left(), y}});
    g.pipe({{outlet.right(), y}, {216, y}});
    g.roundedRect(casing, 8);
    g.part(casing, 8);
    for (const QRectF &flange : {inlet, outlet}) {
        g.rect(flange, kOutline);
        g.part(flange);
    }
    g.rect(QRectF(104, 116, 20, 18), kOutline); // lantern
    const QRectF m(96, 50, 36, 66);
    g.rect(m, kOutline);
    for (double x = m.left() + 4; x < m.right() - 2; x += 4)
        g.line({x, m.top() + 10}, {x, m.bottom() - 4}, kThin);
    g.rect(QRectF(100, 40, 28, 10), kOutline); // fan cowl
    gateValve(g, {28, y}, false, 4.5);
    strainer(g, {52, y}, false, 4.5);
    flexible(g, {78, y}, false);
    flexible(g, {150, y}, false);
    checkValve(g, {172, y}, Side::Right, 4.5);
    gateValve(g, {196, y}, false, 4.5);
    // The supports: a shoe under the pipe on a post.
    const double shoe = y + kPipe / 2 + kOutline / 2;
    for (double x : {16.0, 208.0}) {
        g.line({x - 4, shoe}, {x + 4, shoe}, kOutline);
        g.line({x, shoe}, {x, 186}, kOutline);
        g.line({x - 6, 186}, {x + 6, 186}, kOutline);
    }
    flowArrow(g, {64, y - 12}, Side::Right);
    g.line({56, y - 12}, {70, y - 12}, kThin);

    label(g, {60, 64}, "الكتروموتور", {96, 80}, Qt::AlignHCenter);
    label(g, {172, 116}, "پمپ خطي", {128, 140}, Qt::AlignHCenter);
    label(g, {28, 204}, "شير قطع", {28, y + 4});
    label(g, {64, 186}, "صافي", {54, y + 6});
    label(g, {118, 204}, "اتصال قابل انعطاف", {150, y + 5});
    label(g, {180, 210}, "شير يكطرفه", {172, y + 4});
    g.text({60, y - 24}, fa("جهت جريان"), Qt::AlignHCenter, kSmallPx);
}

// ---------------------------------------------------------------- softener

void softener(Sheet &g)
{
    // The resin tank with its multiport valve on top, its lever on the
    // positions 1 to 3 of the working notes; the hard water in, the soft
    // water out, the drain, and the brine tank with its valve.
    const QRectF tank(66, 74, 56, 124);
    g.dishedTank(tank, 10);
    for (double yy = tank.top() + 40; yy < tank.bottom() - 14; yy += 6)
        for (double x = tank.left() + 6 + std::fmod(yy, 5.0); x < tank.right() - 4; x += 7)
            g.disc({x, yy}, 0.7);
    g.dashed({tank.center().x(), tank.top() + 4}, {tank.center().x(), tank.bottom() - 8}, kThin, 3, 2);
    const QRectF valve(72, 52, 44, 22);
    g.rect(valve, kOutline);
    g.part(valve);
    // The lever and its three positions.
    const QPointF pivot(valve.center().x(), valve.top());
    g.arc(pivot, 22, 22, 30, 120, kThin);
    for (int i = 0; i < 3; ++i) {
        const double a = (150 - 45 * i) * 3.14159265 / 180.0;
        g.letter({pivot.x() + 29 * std::cos(a), pivot.y() - 29 * std::sin(a)}, QString::number(i + 1));
    }
    g.line(pivot, {pivot.x() + 16, pivot.y() - 14}, kOutline);
    g.disc({pivot.x() + 16, pivot.y() - 14}, 2);
    // Hard water in, soft water out, drain.
    g.pipe({{8, 64}, {valve.left(), 64}});
    g.arrowHead({valve.left() - 1, 64}, {14, 64});
    g.pipe({{valve.right(), 58}, {150, 58}});
    g.arrowHead({154, 58}, {142, 58});
    const double drainX = 132;
    g.pipe({{valve.right(), 70}, {drainX, 70}, {drainX, 204}});
    g.arrowHead({drainX, 210}, {drainX, 200});
    // Brine tank with salt and its valve.
    const QRectF brine(158, 120, 58, 78);
    g.rect(brine, kOutline);
    const int brinePart = g.part(brine);
    g.hatch(QRectF(brine.left(), brine.top() + 44, brine.width(), brine.height() - 44), 5);
    g.dashed({brine.left(), brine.top() + 30}, {brine.right(), brine.top() + 30}, kThin, 4, 2);
    // The brine line down into the tank, and its pick-up tube inside.
    const int brineLine = g.pipe({{valve.right(), 64}, {140, 64}, {140, 102}, {182, 102}, {182, brine.top()}});
    const int pickUp = g.pipe({{182, brine.top()}, {182, brine.bottom() - 6}});
    g.join(brineLine, pickUp);
    g.within(pickUp, brinePart);
    gateValve(g, {162, 102}, false, 4);

    g.text({6, 52}, fa("ورودي آب سخت"), Qt::AlignLeft, kSmallPx);
    g.text({158, 58}, fa("خروجي آب نرم"), Qt::AlignLeft, kSmallPx);
    g.text({128, 208}, fa("به فاضلاب"), Qt::AlignRight, kSmallPx);
    label(g, {170, 24}, "شير چندراهه", {valve.right() - 2, valve.top() + 2}, Qt::AlignHCenter);
    label(g, {36, 190}, "مخزن رزين", {tank.left() + 5, tank.bottom() - 10}, Qt::AlignHCenter);
    label(g, {190, 214}, "مخزن نمك", {190, brine.bottom()}, Qt::AlignHCenter);
    label(g, {216, 86}, "شير منبع نمك", {164, 99}, Qt::AlignRight);
    g.text({200, brine.top() + 16}, fa("آب نمك"), Qt::AlignHCenter, kSmallPx);
}

} // namespace bv::eqbook::pictures
