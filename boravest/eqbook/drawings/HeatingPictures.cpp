// The heating and ventilation drawings: the warm-air furnace, the steel
// radiator, the unit heater, the collectors and the extract fan.
#include "boravest/eqbook/drawings/Equipment.h"
#include "boravest/eqbook/drawings/Pictures.h"

#include <cmath>

namespace bv::eqbook::pictures {

using namespace kit;

namespace {

// Air moving along a short arrow.
void air(Sheet &g, QPointF from, QPointF to) { g.arrow(from, to, kPipe); }

} // namespace

void furnace(Sheet &g)
{
    // The furnace in oblique view, its front cut open: the heat exchanger
    // over the burner at the top, the centrifugal fan below it; the return
    // air through the filter in the side, the warm air out of the plenum on
    // top, the flue at the back; L wide, H high, D deep.
    const QRectF front(36, 50, 96, 132);
    const QPointF depth(24, -18);
    g.rect(front, kOutline);
    g.polyline({front.topLeft(), front.topLeft() + depth, front.topRight() + depth, front.topRight()}, kOutline);
    g.polyline({front.topRight() + depth, front.bottomRight() + depth, front.bottomRight()}, kOutline);
    // Plenum and warm air.
    g.polyline({{54, front.top()}, {60, 34}, {108, 34}, {114, front.top()}}, kOutline);
    air(g, {74, 32}, {74, 10});
    air(g, {94, 32}, {94, 10});
    // Flue at the back.
    g.rect(QRectF(138, 8, 10, 30), kOutline);
    // Heat exchanger with its fins, the burner under it.
    const QRectF hx(50, 62, 68, 38);
    g.roundedRect(hx, 6);
    for (double x = hx.left() + 8; x < hx.right() - 4; x += 7)
        g.line({x, hx.top() + 4}, {x, hx.bottom() - 4}, kThin);
    g.rect(QRectF(50, 104, 24, 12), kOutline);
    // Centrifugal fan: the scroll and the wheel.
    const QPointF fc(84, 150);
    g.arc(fc, 22, 22, -60, 300, kOutline);
    g.line({fc.x() + 11, fc.y() - 19}, {fc.x() + 11, 122}, kOutline);
    g.circle(fc, 13, kThin);
    for (int i = 0; i < 8; ++i) {
        const double a = i * 45.0 * 3.14159265 / 180.0;
        g.line(fc + QPointF(7 * std::cos(a), -7 * std::sin(a)), fc + QPointF(13 * std::cos(a), -13 * std::sin(a)),
               kThin);
    }
    // Return air through the filter in the side face.
    for (double k = 0.2; k < 0.95; k += 0.15) {
        const QPointF a = front.bottomRight() + QPointF(0, -46) + depth * k;
        g.line(a, a + QPointF(0, 40), kThin);
    }
    air(g, {196, 150}, {162, 150});
    air(g, {196, 164}, {162, 164});

    g.dimension(front.bottomLeft(), front.bottomRight(), Side::Down, 14, QStringLiteral("L"));
    g.dimension(front.topLeft(), front.bottomLeft(), Side::Left, 18, QStringLiteral("H"));
    g.dimensionAligned(front.bottomRight(), front.bottomRight() + depth, QPointF(10, 8), QStringLiteral("D"));
    g.text({68, 14}, fa("هواي گرم"), Qt::AlignRight, kSmallPx);
    label(g, {222, 16}, "دودكش", {148, 16}, Qt::AlignRight);
    label(g, {222, 70}, "مبدل حرارتي", {118, 70}, Qt::AlignRight);
    label(g, {222, 100}, "مشعل", {74, 110}, Qt::AlignRight);
    label(g, {222, 126}, "فن سانتريفيوژ", {106, 140}, Qt::AlignRight);
    g.text({222, 206}, fa("فيلتر و هواي برگشتي"), Qt::AlignRight, kSmallPx);
}

void radiator(Sheet &g)
{
    // Front view of a steel radiator under the window: its sections, the
    // radiator valve on the flow, the lockshield on the return, the air
    // vent; at the right one section from the side, 4 cm from the wall and
    // 45 mm over the finished floor.
    const double top = 64, bottom = 136, floorY = 152;
    const int n = 6;
    const double x0 = 20, pitch = 17;
    for (int i = 0; i < n; ++i)
        g.roundedRect(QRectF(x0 + i * pitch, top, pitch - 3, bottom - top), 5, kPipe);
    const double right = x0 + n * pitch - 3;
    g.line({x0 - 1, top + 6}, {right + 1, top + 6}, kOutline); // hubs
    g.line({x0 - 1, bottom - 6}, {right + 1, bottom - 6}, kOutline);
    g.line({2, floorY}, {208, floorY}, kOutline);
    g.line({2, 30}, {right + 14, 30}, kOutline); // window sill
    g.text({(x0 + right) / 2 + 8, 22}, fa("پنجره"), Qt::AlignHCenter, kSmallPx);
    // Flow through the radiator valve at the top left, return through the
    // lockshield at the bottom right, air vent at the top right.
    g.polyline({{x0 - 1, top + 6}, {9, top + 6}, {9, floorY}}, kPipe);
    gateValve(g, {9, 96}, true, 3.5);
    g.polyline({{right + 1, bottom - 6}, {124, bottom - 6}, {124, floorY}}, kPipe);
    gateValve(g, {124, 143}, true, 3);
    airVent(g, {right - 6, top}, 3);

    // One section from the side, against the wall.
    const double wall = 196, sx = 166, sw = 12;
    g.rect(QRectF(wall, 40, 8, floorY - 40), kOutline);
    g.hatch(QRectF(wall, 40, 8, floorY - 40), 5);
    g.roundedRect(QRectF(sx, top, sw, bottom - top), 4, kPipe);
    g.dimension({sx, top}, {sx + sw, top}, Side::Up, 12, fa("عمق"));
    g.dimension({sx + sw, 92}, {wall, 92}, Side::Up, 0, QString());
    g.dimension({sx + sw, bottom}, {sx + sw, floorY}, Side::Right, 6, QString());
    g.dimension({sx, top}, {sx, bottom}, Side::Left, 14, fa("ارتفاع"));
    g.label({214, 14}, fa("4 سانتيمتر"), {187, 92}, Qt::AlignRight, 8);
    g.label({160, 168}, fa("45 ميليمتر"), {sx + sw + 6, 146}, Qt::AlignRight, 8);

    g.dimension({x0, bottom}, {right, bottom}, Side::Down, 40, fa("طول"));
    label(g, {58, 198}, "پره", {x0 + pitch * 2 + 7, bottom - 12}, Qt::AlignHCenter);
    label(g, {40, 44}, "شير رادياتور", {11, 92}, Qt::AlignHCenter);
    label(g, {102, 48}, "شير هواگيري", {right - 6, top - 6}, Qt::AlignHCenter);
    label(g, {124, 198}, "شير قفلي", {126, 143}, Qt::AlignHCenter);
    label(g, {222, 200}, "كف تمام شده", {190, floorY}, Qt::AlignRight);
    g.text({202, 32}, fa("ديوار"), Qt::AlignHCenter, kSmallPx);
}

void unitHeater(Sheet &g)
{
    // A unit heater hung from the ceiling, from the side: the motor and the
    // propeller at the back, the finned coil, the adjustable louvres at the
    // front; the hot water flow and return through their valves.
    g.line({8, 16}, {220, 16}, kOutline);
    for (double x = 10; x < 216; x += 8)
        g.line({x + 5, 11}, {x, 16}, kThin);
    const QRectF box(54, 78, 112, 70);
    for (double x : {72.0, 148.0}) {
        g.line({x, 16}, {x, box.top()}, kPipe);
        g.line({x - 4, box.top()}, {x + 4, box.top()}, kOutline);
    }
    g.rect(box, kOutline);
    // Coil in the middle.
    const QRectF coil(100, box.top() + 6, 22, box.height() - 12);
    g.rect(coil, kThin);
    for (double y = coil.top() + 4; y < coil.bottom() - 2; y += 4)
        g.line({coil.left(), y}, {coil.right(), y}, kThin);
    // Propeller and motor at the back (right).
    g.line({142, box.top() + 10}, {142, box.bottom() - 10}, kOutline);
    g.ellipse({142, box.top() + 22}, 4, 12, kThin);
    g.ellipse({142, box.bottom() - 22}, 4, 12, kThin);
    motor(g, QRectF(166, 100, 30, 26), false);
    // Louvres at the front (left).
    for (double y = box.top() + 10; y < box.bottom() - 4; y += 12)
        g.line({box.left() - 6, y + 8}, {box.left() + 6, y}, kOutline);
    air(g, {44, 100}, {14, 116});
    air(g, {44, 124}, {14, 140});
    air(g, {214, 150}, {200, 140});
    // Flow and return into the coil's headers.
    g.polyline({{106, box.top()}, {106, 36}, {30, 36}}, kPipe);
    g.polyline({{116, box.bottom()}, {116, 176}, {30, 176}}, kPipe);
    gateValve(g, {62, 36}, false, 4);
    gateValve(g, {62, 176}, false, 4);
    unionJoint(g, {88, 36});
    unionJoint(g, {88, 176});
    g.arrowHead({104, 36}, {94, 36});
    g.arrowHead({30, 176}, {40, 176});

    g.text({24, 26}, fa("رفت"), Qt::AlignHCenter, kSmallPx);
    g.text({24, 190}, fa("برگشت"), Qt::AlignHCenter, kSmallPx);
    label(g, {190, 50}, "آويز", {148, 50}, Qt::AlignHCenter);
    label(g, {204, 84}, "الكتروموتور", {190, 100}, Qt::AlignHCenter);
    label(g, {150, 206}, "پروانه", {142, box.bottom() - 12}, Qt::AlignHCenter);
    label(g, {100, 206}, "كويل", {110, box.bottom() - 8}, Qt::AlignHCenter);
    label(g, {40, 64}, "پره هاي هدايت هوا", {box.left(), box.top() + 12}, Qt::AlignHCenter);
    g.text({20, 156}, fa("هواي گرم"), Qt::AlignHCenter, kSmallPx);
    g.text({206, 166}, fa("هواي ورودي"), Qt::AlignHCenter, kSmallPx);
}

void collectors(Sheet &g)
{
    // The flow and return collectors one above the other: the flow from the
    // boiler into the flow collector and out to the risers through their
    // valves; the risers' return into the return collector and back to the
    // boiler through the pump; gauges on each, a drain at each low end and
    // an air vent on the flow collector.
    const double fy = 86, ry = 156, l = 40, r = 186;
    for (double y : {fy, ry}) {
        g.fill(QRectF(l, y - 7, r - l, 14), Qt::white);
        g.capsule(QRectF(l, y - 7, r - l, 14));
    }
    // Branches up from the flow collector and up from the return collector,
    // the latter passing behind the flow collector.
    for (int i = 0; i < 3; ++i) {
        const double x = 84 + 34 * i;
        g.line({x, fy - 7}, {x, 24}, kPipe);
        gateValve(g, {x, 52}, true, 4);
        const double xr = x + 16;
        g.line({xr, ry - 7}, {xr, fy + 8}, kPipe);
        g.line({xr, fy - 8}, {xr, 24}, kPipe);
        gateValve(g, {xr, 124}, true, 4);
    }
    g.arrowHead({84, 18}, {84, 28});
    g.arrowHead({100, 30}, {100, 20});
    // From and to the boiler at the left ends.
    g.polyline({{l, fy}, {16, fy}, {16, 204}}, kPipe);
    g.polyline({{l, ry}, {28, ry}, {28, 204}}, kPipe);
    pump(g, {28, 182}, Side::Down, 6);
    gateValve(g, {16, 120}, true, 4);
    g.arrowHead({16, fy + 22}, {16, fy + 34});
    g.arrowHead({28, 208}, {28, 198});
    // Gauges, drains, air vent.
    thermometer(g, {160, fy - 7}, 3.5);
    pressureGauge(g, {172, fy - 7}, 3);
    thermometer(g, {160, ry - 7}, 3.5);
    pressureGauge(g, {172, ry - 7}, 3);
    for (double y : {fy, ry}) {
        nozzle(g, {r - 10, y + 7}, Side::Down, 6);
        gateValve(g, {r - 10, y + 17}, true, 3);
    }
    airVent(g, {r - 2, fy - 7}, 3);

    g.text({120, 14}, fa("به رايزرها و از رايزرها"), Qt::AlignHCenter, kSmallPx);
    g.text({60, 100}, fa("كلكتور رفت"), Qt::AlignHCenter, kSmallPx);
    g.text({60, 170}, fa("كلكتور برگشت"), Qt::AlignHCenter, kSmallPx);
    g.text({8, 214}, fa("از ديگ"), Qt::AlignLeft, kSmallPx);
    g.text({48, 214}, fa("به ديگ"), Qt::AlignLeft, kSmallPx);
    label(g, {206, 128}, "شير تخليه", {r - 7, ry + 17}, Qt::AlignHCenter);
    label(g, {210, 60}, "هواگيري", {r - 1, fy - 14}, Qt::AlignHCenter);
    label(g, {70, 196}, "پمپ سيركولاتور", {34, 182}, Qt::AlignLeft);
}

void extractFan(Sheet &g)
{
    // An extract fan on the roof over its duct: the stale air leaves the
    // room through the grille in the ceiling, rises in the duct and is
    // blown out under the fan's cowl by the impeller on its motor.
    const double roof = 96, ceiling = 176;
    g.rect(QRectF(8, roof, 70, 12), kOutline);
    g.hatch(QRectF(8, roof, 70, 12), 5);
    g.rect(QRectF(150, roof, 70, 12), kOutline);
    g.hatch(QRectF(150, roof, 70, 12), 5);
    g.line({8, ceiling}, {82, ceiling}, kOutline);
    g.line({146, ceiling}, {220, ceiling}, kOutline);
    // Duct from the ceiling grille to the roof.
    g.line({90, ceiling}, {90, 62}, kOutline);
    g.line({138, ceiling}, {138, 62}, kOutline);
    for (double x = 86; x <= 142; x += 6)
        g.line({x, ceiling}, {x + 4, ceiling + 6}, kThin); // grille
    // The fan: base, impeller, motor, cowl.
    g.rect(QRectF(84, 56, 60, 6), kOutline);
    g.rect(QRectF(98, 40, 32, 16), kThin);
    for (double x = 100; x < 130; x += 4)
        g.line({x, 42}, {x + 2, 54}, kThin);
    motor(g, QRectF(106, 20, 16, 20), false);
    g.polyline({{66, 50}, {84, 16}, {144, 16}, {162, 50}}, kOutline);
    air(g, {114, 196}, {114, 150});
    air(g, {114, 124}, {114, 70});
    air(g, {80, 40}, {58, 62});
    air(g, {148, 40}, {170, 62});

    label(g, {40, 20}, "هواكش", {80, 26}, Qt::AlignHCenter);
    label(g, {190, 28}, "الكتروموتور", {122, 28}, Qt::AlignHCenter);
    label(g, {190, 76}, "پروانه", {130, 48}, Qt::AlignHCenter);
    label(g, {40, 140}, "كانال", {90, 140}, Qt::AlignHCenter);
    label(g, {184, 206}, "دريچه مكش", {140, ceiling + 3}, Qt::AlignHCenter);
    g.text({36, 86}, fa("خروج هوا"), Qt::AlignHCenter, kSmallPx);
    g.text({44, 120}, fa("بام"), Qt::AlignHCenter, kSmallPx);
    g.text({44, 188}, fa("سقف"), Qt::AlignHCenter, kSmallPx);
    g.text({60, 210}, fa("هواي آلوده"), Qt::AlignHCenter, kSmallPx);
}

} // namespace bv::eqbook::pictures
