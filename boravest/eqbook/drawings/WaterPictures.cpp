// The water supply and domestic hot-water drawings: the water-meter branch,
// the pressure tanks, the hot-water tanks and their piping.
#include "boravest/eqbook/drawings/Equipment.h"
#include "boravest/eqbook/drawings/Pictures.h"

namespace bv::eqbook::pictures {

using namespace kit;

namespace {

// The legend of the pressure tanks' connections; the vertical tank names
// its pressure-switch socket d5, the horizontal one d2.
std::vector<std::pair<QString, QString>> pressureTankLegend(const char *switchKey)
{
    return {{QString::fromLatin1(switchKey), fa("كليد فشار و فشارسنج")},
            {QStringLiteral("d6"), fa("ورودي آب از پمپ")},
            {QStringLiteral("d7"), fa("شير اطمينان")},
            {QStringLiteral("d8"), fa("خروجي آب به شبكه")}};
}

} // namespace

// ---------------------------------------------------------------- main branch

void mainBranch(Sheet &g)
{
    // The street main in section, the branch rising from it and running to
    // the building through the stop valve, the meter, the check valve and
    // the building's valve.
    const double y = 52;
    const QPointF main(18, 84);
    g.circle(main, 9, kOutline);
    g.part(ellipseOutline(main, 9, 9));
    g.hatch(QRectF(main.x() - 6, main.y() - 6, 12, 12), 3);
    g.pipe({{main.x(), main.y() - 9}, {main.x(), y}, {184, y}}, kOutline);
    g.arrowHead({192, y}, {176, y}, 8, 3);
    gateValve(g, {44, y}, false, 5);
    const QRectF meter(72, y - 9, 28, 18);
    g.fill(meter, Qt::white);
    g.rect(meter, kOutline);
    g.circle(meter.center(), 5.5, kThin);
    g.line(meter.center(), meter.center() + QPointF(3.5, -3), kThin);
    checkValve(g, {124, y}, Side::Right, 5);
    gateValve(g, {152, y}, false, 5);
    flowArrow(g, {172, y}, Side::Right);

    g.text({44, 22}, fa("شير قطع و وصل"));
    g.line({44, 28}, {44, y - 6}, kThin);
    g.text({124, 22}, fa("شير يكطرفه"));
    g.line({124, 28}, {124, y - 6}, kThin);
    g.text({86, 80}, fa("كنتور"));
    g.line({86, 74}, {86, y + 10}, kThin);
    g.text({152, 80}, fa("شير قطع"));
    g.line({152, 74}, {152, y + 6}, kThin);
    g.text({192, 36}, fa("به ساختمان"), Qt::AlignRight);
    g.text({48, 101}, fa("لوله آب شهر"));
}

// ---------------------------------------------------------------- pressure tanks

void verticalPressureTank(Sheet &g)
{
    const QRectF tank(64, 22, 58, 122); // D by H1 (cm 50 by 115)
    g.dishedTank(tank, 9);
    legs(g, {70, 116}, tank.bottom() - 3, 160);

    const double r = tank.right();
    QPointF e = nozzle(g, {93, tank.top()}, Side::Up, 10);
    g.letter(e + QPointF(13, 1), QStringLiteral("d7"));
    e = nozzle(g, {r, 46}, Side::Right);
    g.letter(e + QPointF(11, 0), QStringLiteral("d5"));
    e = nozzle(g, {r, 108}, Side::Right);
    g.letter(e + QPointF(11, 0), QStringLiteral("d8"));
    e = nozzle(g, {r, 128}, Side::Right);
    g.letter(e + QPointF(11, 0), QStringLiteral("d6"));

    g.dimension({tank.left(), tank.top()}, {tank.left(), tank.bottom()}, Side::Left, 18, QStringLiteral("H1"));
    g.dimension({tank.left(), 72}, {tank.right(), 72}, Side::Down, 0, QStringLiteral("D"));
    keyedLegend(g, QRectF(4, 168, 182, 56), pressureTankLegend("d5"));
}

void horizontalPressureTank(Sheet &g)
{
    const QRectF tank(22, 72, 146, 54); // L1 by D (cm 220 by 80)
    g.dishedTank(tank, 10);
    saddle(g, 46, tank.bottom(), 18);
    saddle(g, 144, tank.bottom(), 18);

    QPointF e = nozzle(g, {70, tank.top()}, Side::Up);
    g.letter(e + QPointF(0, -9), QStringLiteral("d7"));
    e = nozzle(g, {118, tank.top()}, Side::Up);
    g.letter(e + QPointF(0, -9), QStringLiteral("d2"));
    e = nozzle(g, {80, tank.bottom()}, Side::Down, 9);
    g.letter(e + QPointF(-12, 0), QStringLiteral("d6"));
    e = nozzle(g, {110, tank.bottom()}, Side::Down, 9);
    g.letter(e + QPointF(12, 0), QStringLiteral("d8"));

    g.dimension({tank.left(), tank.center().y()}, {tank.right(), tank.center().y()}, Side::Up, 62, QStringLiteral("L1"));
    g.dimension({tank.right() - 10, tank.top()}, {tank.right() - 10, tank.bottom()}, Side::Right, 22,
                QStringLiteral("D"));
    keyedLegend(g, QRectF(4, 168, 182, 56), pressureTankLegend("d2"));
}

// ---------------------------------------------------------------- hot-water tanks

void doubleWallTank(Sheet &g)
{
    // The domestic water tank (D2 by L2) inside the boiler-water jacket (D1
    // by L1), on two saddles. The boiler water enters the jacket at d2 and
    // leaves it below, back to the boiler; the domestic connections stand on
    // the inner tank where it leaves the jacket, as the piping diagram shows
    // them: the outlet d3 and the spare and return d6 on top, the city water
    // d4 below, the return d1 in the head.
    const QRectF inner(24, 62, 176, 44);
    const QRectF jacket(38, 52, 90, 64);
    g.dishedTank(inner, 12);
    g.part(jacket);
    g.line(jacket.topLeft(), jacket.topRight(), kOutline);
    g.line(jacket.bottomLeft(), jacket.bottomRight(), kOutline);
    for (double x : {jacket.left(), jacket.right()}) {
        g.line({x, jacket.top()}, {x, inner.top()}, kOutline);
        g.line({x, inner.bottom()}, {x, jacket.bottom()}, kOutline);
    }
    saddle(g, 74, jacket.bottom(), 9);
    saddle(g, 180, inner.bottom(), 19);

    QPointF e = nozzle(g, {56, jacket.top()}, Side::Up, 10);
    g.letter(e + QPointF(0, -9), QStringLiteral("d2"));
    e = nozzle(g, {112, jacket.bottom()}, Side::Down, 10);
    g.text(e + QPointF(0, 9), fa("به ديگ"));
    e = nozzle(g, {150, inner.top()}, Side::Up, 18);
    g.letter(e + QPointF(0, -9), QStringLiteral("d3"));
    e = nozzle(g, {176, inner.top()}, Side::Up, 18);
    g.letter(e + QPointF(0, -9), QStringLiteral("d6"));
    e = nozzle(g, {154, inner.bottom()}, Side::Down, 14);
    g.letter(e + QPointF(0, 9), QStringLiteral("d4"));
    e = nozzle(g, {inner.right(), inner.center().y()}, Side::Right, 10);
    g.letter(e + QPointF(0, -12), QStringLiteral("d1"));

    g.dimension(jacket.topLeft(), jacket.topRight(), Side::Up, 36, QStringLiteral("L1"));
    g.dimension({inner.left(), inner.center().y()}, {inner.right(), inner.center().y()}, Side::Down, 64,
                QStringLiteral("L2"));
    g.dimension(jacket.topLeft(), jacket.bottomLeft(), Side::Left, 26, QStringLiteral("D1"));
    g.dimension({138, inner.top()}, {138, inner.bottom()}, Side::Right, 0, QStringLiteral("D2"));
    // The sheets: t1 the jacket's, t2 the inner tank's.
    g.label({40, 134}, QStringLiteral("t1"), {50, jacket.bottom() + 0.5}, Qt::AlignHCenter, kLetterPx);
    g.label({204, 46}, QStringLiteral("t2"), {185, inner.top() + 0.5}, Qt::AlignHCenter, kLetterPx);

    keyedLegend(g, QRectF(6, 176, 214, 44),
                {{QStringLiteral("d1"), fa("برگشت آبگرم مصرفي")},
                 {QStringLiteral("d2"), fa("ورودي آبگرم از ديگ")},
                 {QStringLiteral("d3"), fa("خروجي آبگرم مصرفي")},
                 {QStringLiteral("d4"), fa("ورودي آب شهر")},
                 {QStringLiteral("d6"), fa("يدكي و برگشت آبگرم")}},
                2);
}

void coilTank(Sheet &g)
{
    // The vertical coil tank on its legs, D across, L its shell, H over the
    // legs; its eight parts numbered.
    const QRectF tank(92, 30, 58, 100); // D by L (cm 90 by 150); the legs make H
    const double legBottom = 146;
    const int shell = g.dishedTank(tank, 8);
    legs(g, {tank.left() + 6, tank.right() - 6}, tank.bottom() - 4, legBottom);

    // 1 safety valve and 2 hot-water outlet on top, 5 the manhole on the
    // front, 6 the cold-water inlet low on the left, 8 the drain below.
    safetyValve(g, {tank.left() + 14, tank.top()}, 4);
    nozzle(g, {tank.right() - 14, tank.top() + 1}, Side::Up, 12);
    const QPointF manhole = QPointF(121, 72);
    g.circle(manhole, 9, kOutline);
    g.circle(manhole, 6, kThin);
    nozzle(g, {tank.left(), tank.bottom() - 14}, Side::Left, 12);
    nozzle(g, {tank.center().x(), tank.bottom()}, Side::Down, 10);
    // 3 thermostat and 7 return on the right, 4 the coil with its flow and
    // return leaving on the right.
    thermostat(g, {tank.right() + 5, 58}, 4);
    nozzle(g, {tank.right(), 80}, Side::Right, 12);
    // The coil's bends kept off the shell, its two ends through it.
    const QRectF coil(tank.left() + 10, 92, tank.width() - 18, 26);
    const int tube = coilInBox(g, coil, 4, true, kPipe, tank.right() - coil.right());
    g.within(tube, shell);
    for (double y : {coil.top() + coil.height() / 8, coil.bottom() - coil.height() / 8})
        g.join(tube, g.pipe({{tank.right(), y}, {tank.right() + 12, y}}));

    g.dimension(tank.topLeft() + QPointF(0, 16), tank.topRight() + QPointF(0, 16), Side::Down, 0,
                QStringLiteral("D"));
    g.dimension(tank.topLeft(), tank.bottomLeft(), Side::Left, 26, QStringLiteral("L"));
    g.dimension(tank.topLeft(), {tank.left(), legBottom}, Side::Left, 46, QStringLiteral("H"));

    g.balloon(QPointF(80, 13), 1, {tank.left() + 14, tank.top() - 12});
    g.balloon(QPointF(164, 13), 2, {tank.right() - 14, tank.top() - 10});
    g.balloon(QPointF(184, 44), 3, {tank.right() + 9, 58});
    g.balloon(QPointF(200, 105), 4, {coil.right() - 10, coil.top() + coil.height() * 3 / 8});
    g.balloon(QPointF(79, 56), 5, manhole + QPointF(-9, 0));
    g.balloon(QPointF(79, 100), 6, {tank.left() - 12, tank.bottom() - 14});
    g.balloon(QPointF(196, 80), 7, {tank.right() + 12, 80});
    g.balloon(QPointF(140, 158), 8, {tank.center().x(), tank.bottom() + 10});
    numberedLegend(g, QRectF(6, 166, 214, 56),
                   {fa("شير اطمينان"), fa("خروجي آبگرم (d2)"), fa("ترموستات"), fa("كويل"), fa("دريچه بازديد"),
                    fa("ورودي آب سرد (d6)"), fa("برگشت آبگرم (d7)"), fa("تخليه (d8)")},
                   2);
}

void steamCoilTank(Sheet &g)
{
    // The vertical tank of the steam coil tank cut open, as the piping
    // diagram below shows it: the steam heater's U-tube bundle enters the
    // tank low on the left through its tube plate, the steam coming into
    // the channel above the divider, the condensate leaving below it; the
    // tank's shell with the water outlet, gauge, safety valve and air vent
    // on top, the cold-water inlet low on the right and the drain below, on
    // its legs.
    const QRectF tank(100, 28, 64, 92);
    const double cy = 86;
    const int shell = g.dishedTank(tank, 8);
    legs(g, {tank.left() + 8, tank.right() - 8}, tank.bottom() - 4, 126);

    // The channel with its divider, the tube plate, and the bundle through
    // the opening in the shell.
    const QRectF channel(66, cy - 12, 24, 24);
    const double bundle = 61, plateH = tubePlateLength(bundle), sleeve = 14;
    g.rect(channel, kOutline);
    g.part(channel);
    g.line({channel.left() + 2, cy}, {channel.right(), cy}, kOutline);
    g.fill(QRectF(channel.right(), cy - plateH / 2, 4, plateH));
    g.fill(QRectF(tank.left() - 1, cy - sleeve + 0.6, 2, 2 * sleeve - 1.2), Qt::white);
    g.line({channel.right() + 4, cy - sleeve}, {tank.left(), cy - sleeve}, kOutline);
    g.line({channel.right() + 4, cy + sleeve}, {tank.left(), cy + sleeve}, kOutline);
    const int upper = g.chamber(QRectF(channel.left(), channel.top(), channel.width(), cy - 0.75 - channel.top()));
    const int lower = g.chamber(QRectF(channel.left(), cy + 0.75, channel.width(), channel.bottom() - cy - 0.75));
    for (int tube : uTubeBundle(g, {channel.right(), cy}, bundle)) {
        g.join(tube, upper);
        g.join(tube, lower);
        g.within(tube, shell);
    }
    int steamRun = 0, condRun = 0, outRun = 0, inRun = 0, drainRun = 0;
    const QPointF steam = nozzle(g, {78, channel.top()}, Side::Up, 16, &steamRun);
    const QPointF cond = nozzle(g, {78, channel.bottom()}, Side::Down, 14, &condRun);
    g.join(steamRun, upper);
    g.join(condRun, lower);
    g.arrowHead({78, channel.top() - 3}, {78, steam.y()});
    g.arrowHead({78, cond.y() + 7}, {78, cond.y() - 2});

    // On the shell: the safety valve, the outlet and the air vent on top,
    // the gauge on its socket at the side, the cold water low on the right,
    // the drain below.
    safetyValve(g, {112, 29.8}, 4);
    const QPointF out = nozzle(g, {132, tank.top()}, Side::Up, 12, &outRun);
    airVent(g, {158, 31.3}, 4);
    g.pipe({{tank.right(), 44}, {172, 44}});
    pressureGauge(g, {172, 44}, 4);
    const QPointF in = nozzle(g, {tank.right(), 104}, Side::Right, 12, &inRun);
    const QPointF drain = nozzle(g, {tank.center().x(), tank.bottom()}, Side::Down, 6, &drainRun);

    g.balloon({52, 46}, 1, steam);
    g.balloon({150, 11}, 2, out + QPointF(3.5, 0));
    g.balloon({204, 38}, 3, {176, 36});
    g.balloon({90, 13}, 4, {112, 13.5});
    g.balloon({186, 22}, 5, {161, 24});
    g.balloon({204, 82}, 6, {128, cy - 9});
    g.balloon({204, 104}, 7, in + QPointF(0.5, 0));
    g.balloon({204, 60}, 8, {tank.right(), 62});
    g.balloon({144, 130}, 9, drain + QPointF(3.5, 0));
    g.balloon({96, 128}, 10, {channel.right() + 2, cy + 16});
    g.balloon({56, 122}, 11, cond);
    g.balloon({44, 86}, 12, {channel.left() + 4, cy});

    numberedLegend(g, QRectF(6, 138, 214, 84),
                   {fa("ورودي بخار"), fa("خروجي آبگرم"), fa("فشارسنج"), fa("شير اطمينان"), fa("شير هواگيري"),
                    fa("كويل بخار"), fa("ورودي آب سرد"), fa("پوسته منبع"), fa("تخليه"), fa("صفحه لوله"),
                    fa("خروجي كندانس"), fa("جداكننده")},
                   2);
}

// ---------------------------------------------------------------- piping

namespace {

// The symbols the piping diagrams name in their legends.
LegendSymbol legendPump() { return {[](Sheet &g, QPointF c) { pump(g, c, Side::Right, 5); }, fa("پمپ خطي")}; }
LegendSymbol legendThermostat() { return {[](Sheet &g, QPointF c) { thermostat(g, c); }, fa("ترموستات"), false}; }
LegendSymbol legendSafety()
{
    return {[](Sheet &g, QPointF c) { safetyValve(g, c + QPointF(-3, 6), 3); }, fa("شير اطمينان"), false};
}
LegendSymbol legendTee() { return {[](Sheet &g, QPointF c) { tee(g, c); }, fa("سه راه")}; }
LegendSymbol legendUnion() { return {[](Sheet &g, QPointF c) { unionJoint(g, c); }, fa("مهره ماسوره")}; }
LegendSymbol legendGate() { return {[](Sheet &g, QPointF c) { gateValve(g, c); }, fa("شير كشويي")}; }
LegendSymbol legendCheck() { return {[](Sheet &g, QPointF c) { checkValve(g, c, Side::Right); }, fa("شير يكطرفه")}; }
LegendSymbol legendStrainer() { return {[](Sheet &g, QPointF c) { strainer(g, c); }, fa("صافي")}; }
LegendSymbol legendThermometer()
{
    return {[](Sheet &g, QPointF c) { thermometer(g, c + QPointF(0, 6), 2.5); }, fa("دماسنج"), false};
}

// The domestic side common to the three diagrams: the hot-water outlet
// rising from `out` to the consumers; the return coming down at retX to the
// tank at `retTo` through its thermostat, a gate valve, a strainer, the pump
// and a second valve, beside them the by-pass with its check valve, and the
// central control that runs the pump; the cold water from the city main
// along `cold` (from the right edge to the tank) through a gate valve and a
// check valve.
void domesticSide(Sheet &g, QPointF out, double retX, QPointF retTo, const std::vector<QPointF> &cold)
{
    const double top = 26;
    g.pipe({out, {out.x(), top}});
    g.arrowHead({out.x(), top - 10}, {out.x(), top});
    g.text({out.x() - 4, top - 14}, fa("به مصرف كننده ها"), Qt::AlignRight);

    const int ret = g.pipe({{retX, top - 10}, {retX, retTo.y()}, retTo});
    g.arrowHead({retX, top + 4}, {retX, top - 4});
    g.text({retX + 4, top - 14}, fa("برگشت آبگرم"), Qt::AlignLeft);
    flowArrow(g, {(retX + retTo.x()) / 2, retTo.y()}, retTo.x() < retX ? Side::Left : Side::Right);

    // The thermostat's signal reaches the control from the right, the
    // control's command goes down to the pump.
    thermostat(g, {retX + 7, 44}, 4);
    const QRectF control(retX + 28, 70, 28, 16);
    const double sx = control.right() + 5;
    g.dashed({retX + 11, 44}, {sx, 44}, kThin, 2.5, 1.8);
    g.dashed({sx, 44}, {sx, control.center().y()}, kThin, 2.5, 1.8);
    g.dashed({sx, control.center().y()}, {control.right(), control.center().y()}, kThin, 2.5, 1.8);
    g.dashed({control.center().x(), control.bottom()}, {control.center().x(), 120}, kThin, 2.5, 1.8);
    g.dashed({control.center().x(), 120}, {retX + 7, 120}, kThin, 2.5, 1.8);
    controller(g, control, control.center());
    g.text({control.right(), control.top() - 9}, fa("كنترل مركزي"), Qt::AlignRight);

    const double bx = retX - 30, by1 = 58, by2 = retTo.y() - 10;
    gateValve(g, {retX, 72}, true);
    strainer(g, {retX, 94}, true);
    pump(g, {retX, 120}, Side::Down);
    unionJoint(g, {retX, 138}, true);
    gateValve(g, {retX, 150}, true);
    const int bypass = g.pipe({{retX, by1}, {bx, by1}, {bx, by2}, {retX, by2}});
    g.join(ret, bypass);
    tee(g, {retX, by1});
    tee(g, {retX, by2});
    checkValve(g, {bx, (by1 + by2) / 2}, Side::Down);
    g.text({bx - 7, 76}, fa("كنار گذر"), Qt::AlignRight);

    g.pipe(cold);
    const QPointF a = cold[0], b = cold[1];
    gateValve(g, {a.x() - 24, a.y()});
    checkValve(g, {a.x() - 52, a.y()}, Side::Left);
    flowArrow(g, {(b.x() + a.x() - 64) / 2, a.y()}, Side::Left);
    g.text({a.x(), a.y() - 13}, fa("ورودي آب سرد"), Qt::AlignRight);
}

// The boiler of the diagrams at the left, its flow leaving the top and its
// return entering the side.
QRectF boilerBox(Sheet &g)
{
    const QRectF b(16, 150, 64, 90);
    g.rect(b, kOutline);
    g.part(b);
    g.text(b.center(), fa("ديگ"), Qt::AlignHCenter, 11);
    return b;
}

// The vertical coil tank of the coil diagrams, on its legs, with its coil
// low on the left: for boiler water a serpentine, its flow entering at
// y 184 and its return leaving at y 208 (run `coil`); for steam the steam
// coil tank's U-tube bundle through its tube plate from the channel
// outside the tank, the steam coming into the channel's upper half from
// above (chamber `upper`), the condensate leaving the lower half below.
struct DiagramTank {
    QRectF tank, channel;
    int coil = -1, upper = -1, lower = -1;
};

DiagramTank coilTankOfDiagram(Sheet &g, bool steam)
{
    DiagramTank d;
    d.tank = QRectF(190, 60, 60, 162);
    const QRectF &tank = d.tank;
    const int shell = g.dishedTank(tank, 9);
    legs(g, {198, 242}, tank.bottom() - 4, 246);
    if (steam) {
        const double cy = 196, bundle = 58, plateH = tubePlateLength(bundle), sleeve = 13.7;
        d.channel = QRectF(156, cy - 12, 20, 24);
        const QRectF &ch = d.channel;
        const double plateLeft = tank.left() - 10;
        g.rect(QRectF(ch.left(), ch.top(), plateLeft - ch.left(), ch.height()), kOutline);
        g.line({ch.left() + 2, cy}, {plateLeft, cy}, kOutline);
        g.part(QRectF(ch.left(), ch.top(), plateLeft - ch.left(), ch.height()));
        g.fill(QRectF(plateLeft, cy - plateH / 2, 4, plateH));
        g.fill(QRectF(tank.left() - 1, cy - sleeve + 0.6, 2, 2 * sleeve - 1.2), Qt::white);
        g.line({plateLeft + 4, cy - sleeve}, {tank.left(), cy - sleeve}, kOutline);
        g.line({plateLeft + 4, cy + sleeve}, {tank.left(), cy + sleeve}, kOutline);
        d.upper = g.chamber(QRectF(ch.left(), ch.top(), plateLeft - ch.left(), cy - 0.75 - ch.top()));
        d.lower = g.chamber(QRectF(ch.left(), cy + 0.75, plateLeft - ch.left(), ch.bottom() - cy - 0.75));
        for (int tube : uTubeBundle(g, {plateLeft, cy}, bundle)) {
            g.join(tube, d.upper);
            g.join(tube, d.lower);
            g.within(tube, shell);
        }
    } else {
        // The bends kept off the shell, the two ends through it.
        d.coil = coilInBox(g, QRectF(tank.left() + 8, 180, 40, 32), 4, false, kPipe, 8);
        g.within(d.coil, shell);
    }
    g.text({tank.center().x(), 118}, fa("منبع كويلي"));
    safetyValve(g, {204, tank.top() + 1}, 4.5);
    // The drain.
    int drain = 0;
    nozzle(g, {220, tank.bottom()}, Side::Down, 16, &drain);
    g.join(drain, g.pipe({{220, tank.bottom() + 16}, {220, 268}}));
    gateValve(g, {220, 256}, true);
    g.text({212, 272}, fa("تخليه 3/4 اينچ"), Qt::AlignRight);
    return d;
}

const std::vector<QPointF> kColdIntoCoilTank = {{432, 262}, {262, 262}, {262, 212}, {250, 212}};

} // namespace

void doubleWallPiping(Sheet &g)
{
    const QRectF boiler = boilerBox(g);
    const QRectF inner(120, 140, 182, 52);
    const QRectF jacket(140, 132, 110, 68);
    g.dishedTank(inner, 14);
    g.part(jacket);
    g.line(jacket.topLeft(), jacket.topRight(), kOutline);
    g.line(jacket.bottomLeft(), jacket.bottomRight(), kOutline);
    for (double x : {jacket.left(), jacket.right()}) {
        g.line({x, jacket.top()}, {x, inner.top()}, kOutline);
        g.line({x, inner.bottom()}, {x, jacket.bottom()}, kOutline);
    }
    g.text({jacket.center().x(), inner.center().y()}, fa("منبع دوجداره"));

    // Boiler water through the jacket.
    g.pipe({{40, boiler.top()}, {40, 104}, {160, 104}, {160, jacket.top()}});
    gateValve(g, {72, 104});
    unionJoint(g, {108, 104});
    flowArrow(g, {136, 104}, Side::Right);
    g.text({56, 92}, fa("رفت"));
    g.pipe({{230, jacket.bottom()}, {230, 226}, {boiler.right(), 226}});
    gateValve(g, {160, 226});
    unionJoint(g, {196, 226});
    flowArrow(g, {116, 226}, Side::Left);
    g.text({120, 240}, fa("برگشت"));
    airVent(g, {205, jacket.top()});
    g.text({205, 112}, fa("شير هواگيري"));
    safetyValve(g, {266, inner.top()}, 4.5);
    g.text({256, 108}, fa("شير اطمينان"));

    domesticSide(g, {286, inner.top()}, 372, {inner.right(), inner.center().y()},
                 {{432, 262}, {280, 262}, {280, inner.bottom()}});

    symbolLegend(g, QRectF(8, 292, 424, 44),
                 {legendPump(), legendThermostat(), legendSafety(), legendTee(), legendUnion(), legendGate(),
                  legendCheck(), legendStrainer()},
                 4);
}

void coilPiping(Sheet &g)
{
    const QRectF boiler = boilerBox(g);
    const DiagramTank d = coilTankOfDiagram(g, false);
    const QRectF &tank = d.tank;

    // Boiler water to the coil through the three-way valve, which sends it
    // past the coil when the tank's thermostat is satisfied.
    const double flowY = 112, returnY = 208;
    const int flow = g.pipe({{40, boiler.top()}, {40, flowY}, {166, flowY}, {166, 184}, {tank.left(), 184}});
    const int ret = g.pipe({{tank.left(), returnY}, {boiler.right(), returnY}});
    const int bypass = g.pipe({{130, flowY}, {130, returnY}});
    g.join(d.coil, flow);
    g.join(d.coil, ret);
    g.join(bypass, flow);
    g.join(bypass, ret);
    tee(g, {130, returnY});
    threeWayValve(g, {130, flowY}, Side::Down);
    thermometer(g, {150, flowY}, 4);
    thermometer(g, {152, returnY}, 4);
    gateValve(g, {64, flowY});
    gateValve(g, {104, returnY});
    flowArrow(g, {90, flowY}, Side::Right);
    flowArrow(g, {176, returnY}, Side::Left);
    thermostat(g, {tank.left() - 6, 150}, 4);
    g.dashed({tank.left() - 6, 146}, {tank.left() - 6, 88}, kThin, 2.5, 1.8);
    g.dashed({tank.left() - 6, 88}, {130, 88}, kThin, 2.5, 1.8);
    g.dashed({130, 88}, {130, flowY - 14}, kThin, 2.5, 1.8);
    g.text({130, 68}, fa("شير سه راهه موتوري"));
    g.text({40, 100}, fa("رفت"), Qt::AlignLeft);
    g.text({112, 222}, fa("برگشت"));

    domesticSide(g, {236, tank.top() + 2}, 330, {tank.right(), 168}, kColdIntoCoilTank);
    symbolLegend(g, QRectF(8, 292, 424, 44),
                 {legendPump(), legendThermostat(), legendSafety(), legendThermometer(), legendUnion(), legendGate(),
                  legendCheck(), legendStrainer()},
                 4);
}

void steamCoilPiping(Sheet &g)
{
    const DiagramTank d = coilTankOfDiagram(g, true);
    const QRectF &tank = d.tank;

    // Steam through the strainer and the controlled valve down into the
    // channel of the bundle; the condensate from the channel through the
    // float-and-thermostatic trap.
    const double steamY = 112, condY = 226, sx = d.channel.left() + 8;
    g.join(d.upper, g.pipe({{12, steamY}, {sx, steamY}, {sx, d.channel.top()}}));
    g.join(d.lower, g.pipe({{sx, d.channel.bottom()}, {sx, condY}, {12, condY}}));
    gateValve(g, {36, steamY});
    strainer(g, {66, steamY});
    motorValve(g, {108, steamY});
    gateValve(g, {140, condY});
    trap(g, {108, condY});
    gateValve(g, {72, condY});
    flowArrow(g, {140, steamY}, Side::Right);
    flowArrow(g, {40, condY}, Side::Left);
    g.text({12, steamY - 14}, fa("ورودي بخار"), Qt::AlignLeft);
    g.text({12, condY + 14}, fa("خروجي كندانس"), Qt::AlignLeft);
    g.text({108, condY - 16}, fa("تراپ"));
    const QRectF control(92, 70, 32, 16);
    g.dashed({108, control.bottom()}, {108, steamY - 13}, kThin, 2.5, 1.8);
    g.dashed({control.right(), control.center().y()}, {tank.left() - 6, control.center().y()}, kThin, 2.5, 1.8);
    g.dashed({tank.left() - 6, control.center().y()}, {tank.left() - 6, 146}, kThin, 2.5, 1.8);
    controller(g, control, control.center());
    thermostat(g, {tank.left() - 6, 150}, 4);
    g.text({control.center().x(), control.top() - 10}, fa("كنترل دما"));

    domesticSide(g, {236, tank.top() + 2}, 330, {tank.right(), 168}, kColdIntoCoilTank);
    symbolLegend(g, QRectF(8, 284, 424, 48),
                 {legendPump(), {[](Sheet &s, QPointF c) { trap(s, c); }, fa("تراپ شناوري ترموستاتيك")},
                  {[](Sheet &s, QPointF c) { motorValve(s, c + QPointF(0, 3), false, 3); }, fa("شير كنترل موتوري")},
                  legendThermostat(), legendSafety(), legendGate(), legendCheck(), legendStrainer()},
                 3);
}

} // namespace bv::eqbook::pictures
