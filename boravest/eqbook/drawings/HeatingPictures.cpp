// The heating and ventilation drawings: the warm-air furnace, the steel
// radiator, the unit heater, the collectors and the extract fan.
#include "boravest/eqbook/drawings/Equipment.h"
#include "boravest/eqbook/drawings/Pictures.h"

#include <cmath>

namespace bv::eqbook::pictures {

using namespace kit;

namespace {

// Air moving along a short arrow.
void air(Sheet &g, QPointF from, QPointF to) { g.arrow(from, to, kFlow); }

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
    // The flue rising from the top at the back, in front of the edges
    // behind it.
    const QRectF flue(124, 8, 10, 32);
    g.fill(flue, Qt::white);
    g.rect(flue, kOutline);
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
    label(g, {222, 16}, "دودكش", {flue.right(), 16}, Qt::AlignRight);
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
        g.roundedRect(QRectF(x0 + i * pitch, top, pitch - 3, bottom - top), 5, kOutline);
    const double right = x0 + n * pitch - 3;
    g.part(QRectF(x0, top, right - x0, bottom - top));
    g.line({x0 - 1, top + 6}, {right + 1, top + 6}, kOutline); // hubs
    g.line({x0 - 1, bottom - 6}, {right + 1, bottom - 6}, kOutline);
    g.line({6, floorY}, {208, floorY}, kOutline);
    g.line({6, 30}, {right + 14, 30}, kOutline); // window sill
    g.text({(x0 + right) / 2 + 8, 22}, fa("پنجره"), Qt::AlignHCenter, kSmallPx);
    // Flow through the radiator valve at the top left, return through the
    // lockshield at the bottom right, air vent at the top right.
    g.pipe({{x0 - 1, top + 6}, {9, top + 6}, {9, floorY}});
    gateValve(g, {9, 96}, true, 3.5);
    g.pipe({{right + 1, bottom - 6}, {124, bottom - 6}, {124, floorY}});
    gateValve(g, {124, 143}, true, 3);
    airVent(g, {right - 6, top}, 3);

    // One section from the side, against the wall.
    const double wall = 196, sx = 166, sw = 12;
    g.rect(QRectF(wall, 40, 8, floorY - 40), kOutline);
    g.hatch(QRectF(wall, 40, 8, floorY - 40), 5);
    g.roundedRect(QRectF(sx, top, sw, bottom - top), 4, kOutline);
    g.dimension({sx, top}, {sx + sw, top}, Side::Up, 12, fa("عمق"));
    g.dimension({sx + sw, 92}, {wall, 92}, Side::Up, 0, QString());
    g.dimension({sx + sw, bottom}, {sx + sw, floorY}, Side::Right, 6, QString());
    g.dimension({sx, top}, {sx, bottom}, Side::Left, 14, fa("ارتفاع"));
    g.label({214, 14}, fa("4 سانتيمتر"), {187, 92}, Qt::AlignRight);
    g.label({172, 172}, fa("45 ميليمتر"), {sx + sw + 6, 146}, Qt::AlignRight);

    g.dimension({x0, bottom}, {right, bottom}, Side::Down, 40, fa("طول"));
    label(g, {80, 44}, "پره", {x0 + pitch * 3 + 7, top + 3}, Qt::AlignHCenter);
    label(g, {40, 44}, "شير رادياتور", {11, 92}, Qt::AlignHCenter);
    label(g, {122, 44}, "شير هواگيري", {right - 8, top - 7}, Qt::AlignHCenter);
    label(g, {124, 198}, "شير قفلي", {126, 143}, Qt::AlignHCenter);
    label(g, {218, 200}, "كف تمام شده", {190, floorY}, Qt::AlignRight);
    g.text({202, 32}, fa("ديوار"), Qt::AlignHCenter, kSmallPx);
}

void unitHeater(Sheet &g)
{
    // A unit heater hung from the ceiling, from the side: the motor and the
    // propeller at the back, the finned coil, the adjustable louvres at the
    // front; the hot water comes down from above through its valve and
    // union into the coil's tube at the top, and leaves it at the bottom
    // through theirs.
    g.line({8, 16}, {220, 16}, kOutline);
    for (double x = 10; x < 216; x += 8)
        g.line({x + 5, 11}, {x, 16}, kThin);
    const QRectF box(54, 78, 112, 70);
    for (double x : {84.0, 150.0}) {
        g.line({x, 16}, {x, box.top()}, kOutline);
        g.line({x - 4, box.top()}, {x + 4, box.top()}, kOutline);
    }
    g.rect(box, kOutline);
    const int casing = g.part(box);
    // The finned coil in the middle: its tube up and down through the fins,
    // its ends through the casing's top and bottom.
    const QRectF coil(100, box.top() + 6, 24, box.height() - 12);
    g.rect(coil, kThin);
    for (double y = coil.top() + 7; y < coil.bottom() - 5; y += 4)
        g.line({coil.left(), y}, {coil.right(), y}, kThin);
    const int tube = serpentineCoil(g, coil, 3, coil.top() - box.top(), kThin * 1.6);
    g.within(tube, casing);
    const double flowX = coil.left() + 4, returnX = coil.right() - 4;
    // Propeller and motor at the back (right).
    g.line({142, box.top() + 10}, {142, box.bottom() - 10}, kOutline);
    g.ellipse({142, box.top() + 22}, 4, 12, kThin);
    g.ellipse({142, box.bottom() - 22}, 4, 12, kThin);
    motor(g, QRectF(166, 100, 30, 26), false);
    // Louvres at the front (left).
    for (double y = box.top() + 10; y < box.bottom() - 4; y += 12)
        g.line({box.left() - 6, y + 8}, {box.left() + 6, y}, kOutline);
    air(g, {44, 110}, {16, 124});
    air(g, {44, 132}, {16, 146});
    air(g, {214, 160}, {200, 150});
    // Flow down to the coil's top, return from its bottom.
    g.join(tube, g.pipe({{flowX, 20}, {flowX, box.top()}}));
    g.join(tube, g.pipe({{returnX, box.bottom()}, {returnX, 180}, {30, 180}}));
    gateValve(g, {flowX, 38}, true, 4);
    unionJoint(g, {flowX, 58}, true);
    gateValve(g, {62, 180}, false, 4);
    unionJoint(g, {88, 180});
    g.arrowHead({flowX, 72}, {flowX, 62});
    g.arrowHead({30, 180}, {40, 180});

    g.text({122, 28}, fa("رفت"), Qt::AlignLeft, kSmallPx);
    g.text({24, 194}, fa("برگشت"), Qt::AlignHCenter, kSmallPx);
    label(g, {196, 50}, "آويز", {150, 50}, Qt::AlignHCenter);
    label(g, {198, 84}, "الكتروموتور", {186, 100}, Qt::AlignHCenter);
    label(g, {176, 200}, "پروانه", {142, box.bottom() - 12}, Qt::AlignHCenter);
    label(g, {134, 200}, "كويل", {coil.right(), coil.bottom() - 12}, Qt::AlignHCenter);
    label(g, {44, 58}, "پره هاي هدايت هوا", {49.5, box.top() + 16}, Qt::AlignHCenter);
    g.text({28, 160}, fa("هواي گرم"), Qt::AlignHCenter, kSmallPx);
    g.text({194, 176}, fa("هواي ورودي"), Qt::AlignHCenter, kSmallPx);
}

void collectors(Sheet &g)
{
    // The flow and return collectors one above the other: the flow from the
    // boiler into the flow collector and out to the risers through their
    // valves; the risers' return down into the return collector, passing
    // behind the flow collector without joining it (each broken clear of
    // it), and back to the boiler through the pump; gauges on each, a drain
    // at each low end and an air vent on the flow collector.
    const double fy = 82, ry = 150, l = 48, r = 192, top = 30;
    for (double y : {fy, ry}) {
        g.fill(QRectF(l, y - 7, r - l, 14), Qt::white);
        g.capsule(QRectF(l, y - 7, r - l, 14));
    }
    const double gap = 4.5; // the break of a return riser either side of the flow collector
    for (int i = 0; i < 3; ++i) {
        const double x = 88 + 34 * i;
        g.pipe({{x, fy - 7}, {x, top}});
        gateValve(g, {x, 52}, true, 4);
        const double xr = x + 16;
        g.pipe({{xr, ry - 7}, {xr, fy + 7 + gap}});
        g.pipe({{xr, fy - 7 - gap}, {xr, top}});
        gateValve(g, {xr, 120}, true, 4);
    }
    g.arrowHead({88, top - 6}, {88, top + 4});
    g.arrowHead({104, top + 8}, {104, top - 2});
    // From the boiler into the flow collector's end, from the return
    // collector through the pump to the boiler.
    const double fromX = 20, toX = 64, end = 198;
    g.pipe({{l, fy}, {fromX, fy}, {fromX, end}});
    gateValve(g, {fromX, 124}, true, 4);
    g.arrowHead({fromX, fy + 22}, {fromX, fy + 34});
    g.pipe({{toX, ry + 7}, {toX, end}});
    gateValve(g, {toX, 166}, true, 4);
    pump(g, {toX, 184}, Side::Down, 6);
    g.arrowHead({toX, end + 4}, {toX, end - 6});
    // Gauges, drains, air vent.
    for (double y : {fy, ry}) {
        thermometer(g, {62, y - 7}, 3.5);
        pressureGauge(g, {74, y - 7}, 3);
        nozzle(g, {r - 12, y + 7}, Side::Down, 6);
        gateValve(g, {r - 12, y + 17}, true, 3);
    }
    airVent(g, {r - 4, fy - 7}, 3);

    g.text({120, 14}, fa("به رايزرها و از رايزرها"), Qt::AlignHCenter, kSmallPx);
    g.text({70, fy + 17}, fa("كلكتور رفت"), Qt::AlignHCenter, kSmallPx);
    g.text({116, ry + 17}, fa("كلكتور برگشت"), Qt::AlignHCenter, kSmallPx);
    g.text({fromX, 212}, fa("از ديگ"), Qt::AlignHCenter, kSmallPx);
    g.text({toX, 212}, fa("به ديگ"), Qt::AlignHCenter, kSmallPx);
    label(g, {202, 188}, "شير تخليه", {r - 11, ry + 20}, Qt::AlignHCenter);
    label(g, {200, 48}, "هواگيري", {r - 2, fy - 13}, Qt::AlignHCenter);
    label(g, {124, 194}, "پمپ سيركولاتور", {toX + 6, 184}, Qt::AlignHCenter);
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
    // The air blown out under the cowl's edges.
    air(g, {76, 48}, {56, 68});
    air(g, {152, 48}, {172, 68});

    label(g, {40, 20}, "هواكش", {80, 26}, Qt::AlignHCenter);
    label(g, {190, 28}, "الكتروموتور", {122, 28}, Qt::AlignHCenter);
    label(g, {194, 46}, "پروانه", {130, 47}, Qt::AlignHCenter);
    label(g, {40, 140}, "كانال", {90, 140}, Qt::AlignHCenter);
    label(g, {184, 206}, "دريچه مكش", {140, ceiling + 3}, Qt::AlignHCenter);
    g.text({36, 86}, fa("خروج هوا"), Qt::AlignHCenter, kSmallPx);
    g.text({44, 120}, fa("بام"), Qt::AlignHCenter, kSmallPx);
    g.text({44, 188}, fa("سقف"), Qt::AlignHCenter, kSmallPx);
    g.text({60, 210}, fa("هواي آلوده"), Qt::AlignHCenter, kSmallPx);
}

} // namespace bv::eqbook::pictures
