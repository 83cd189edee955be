#include "boravest/sizing/HeatLoad.h"

#include <gtest/gtest.h>

using namespace building;

namespace {

const QString kWallWord = QStringLiteral("ديوار");
const QString kWindowWord = QStringLiteral("پنجره");
const QString kDoorWord = QStringLiteral("درب");
const QString kRoofWord = QStringLiteral("سقف");
const QString kFloorWord = QStringLiteral("كف");

SurfaceRow surface(const QString &word, double kind, int state, int direction, double area,
                   double u, double to)
{
    SurfaceRow r;
    r.Jedare = word;
    r.Id_jedar = kind;
    r.Id_njedar = state;
    r.Id_gjedar = direction;
    r.Masa1 = area;
    r.Z_1 = u;
    r.To_ = to;
    return r;
}

SurfaceRow wall(int state, int direction, double area, double u, double to)
{
    return surface(kWallWord, KindWall, state, direction, area, u, to);
}

SurfaceRow groundFloor(double area, double perimeter, double to)
{
    SurfaceRow r = surface(kFloorWord, KindFloor, 0, -1, area, 0.9, to);
    r.Masa2 = perimeter;
    r.Z_2 = 0.7;
    return r;
}

SurfaceRow falseCeiling(int state, double roofArea, double roofU, double ceilingArea,
                        double ceilingU, double ti, double to)
{
    SurfaceRow r = surface(kRoofWord, KindRoof, state, 1, roofArea, roofU, to);
    r.Masa2 = ceilingArea;
    r.Z_2 = ceilingU;
    r.Ti_ = ti;
    return r;
}

SpaceRow spaceAt(double ti)
{
    SpaceRow s;
    s.Ti_ = ti;
    return s;
}

double lossOf(const SurfaceRow &row, const SpaceRow &space, const SiteData &site = {},
              const LoadOptions &opt = buildingTotalOptions())
{
    return surfaceLoss(row, space, site, opt).loss;
}

} // namespace

// Walls, windows, doors and roofs: area x U x difference x orientation factor.
TEST(SurfaceLossTest, OrientationFactorOnlyForExternalWalls)
{
    const SpaceRow space = spaceAt(70);
    EXPECT_DOUBLE_EQ(lossOf(wall(1, 0, 100, 0.3, 0), space), 2310);  // north
    EXPECT_DOUBLE_EQ(lossOf(wall(1, 2, 100, 0.3, 0), space), 2310);  // east
    EXPECT_DOUBLE_EQ(lossOf(wall(1, 3, 100, 0.3, 0), space), 2205);  // west
    EXPECT_DOUBLE_EQ(lossOf(wall(1, 1, 100, 0.3, 0), space), 2100);  // south
    EXPECT_DOUBLE_EQ(lossOf(wall(1, 4, 100, 0.3, 0), space), 2100);  // north-east
    EXPECT_DOUBLE_EQ(lossOf(wall(0, 0, 100, 0.3, 0), space), 2100);  // internal, north
    EXPECT_DOUBLE_EQ(lossOf(surface(kWindowWord, KindWindow, 1, 0, 100, 0.3, 0), space), 2100);
    EXPECT_DOUBLE_EQ(lossOf(surface(kDoorWord, KindDoor, 1, 2, 100, 0.3, 0), space), 2100);
    EXPECT_DOUBLE_EQ(lossOf(surface(kRoofWord, KindRoof, 1, 0, 100, 0.3, 0), space), 2100);
}

TEST(SurfaceLossTest, RowTemperaturesAreWholeDegreesSpaceTemperatureIsNot)
{
    const SpaceRow space = spaceAt(68.5);
    SurfaceRow w = surface(kWindowWord, KindWindow, 1, 0, 10, 1, 12.5);
    EXPECT_DOUBLE_EQ(lossOf(w, space), 10 * (68.5 - 12));
    w.To_ = 13.5;
    EXPECT_DOUBLE_EQ(lossOf(w, space), 10 * (68.5 - 14));
}

TEST(SurfaceLossTest, WarmerFarSideGivesNegativeLoss)
{
    const double l = lossOf(wall(0, 1, 50, 0.4, 80), spaceAt(70));
    EXPECT_DOUBLE_EQ(l, -200);
    EXPECT_EQ(loadText(l), QStringLiteral("200-"));
}

TEST(SurfaceLossTest, FloorOnTheGroundUsesPerimeterAndSpaceArea)
{
    SpaceRow space = spaceAt(70);
    space.A_ = 200;
    const SiteData site{1.0, 50};
    // Its own area and U play no part.
    EXPECT_DOUBLE_EQ(lossOf(groundFloor(123, 40, 0), space, site), 1880);
    EXPECT_DOUBLE_EQ(lossOf(groundFloor(0, 40, 0), space, site), 1880);
    // The booklet drops a row whose printed area is 0, whatever its perimeter.
    const LoadOptions booklet = bookletOptions(identityRotation());
    const SurfaceLoss dropped = surfaceLoss(groundFloor(0, 40, 0), space, site, booklet);
    EXPECT_TRUE(dropped.dropped);
    EXPECT_DOUBLE_EQ(dropped.loss, 0);
    EXPECT_DOUBLE_EQ(lossOf(groundFloor(1, 40, 0), space, site, booklet), 1880);
    EXPECT_FALSE(printsU(groundFloor(1, 40, 0)));
}

TEST(SurfaceLossTest, FloorOffTheGroundHasNoOrientationFactor)
{
    SurfaceRow f = surface(kFloorWord, KindFloor, 1, 0, 50, 0.4, 30);
    EXPECT_DOUBLE_EQ(lossOf(f, spaceAt(70)), 800);
    EXPECT_TRUE(printsU(f));
}

TEST(SurfaceLossTest, FalseCeilingWorksThroughTheAtticTemperature)
{
    const SpaceRow space = spaceAt(99); // the row's own Ti_ counts, not the space's
    // c1 = 50, c2 = 30: Ta = (70 x 50 + 30 x 30) / 80 = 55, L = 50 x 15.
    const SurfaceRow roof = falseCeiling(1, 100, 0.5, 100, 0.3, 70, 30);
    const SurfaceLoss l = surfaceLoss(roof, space, {}, buildingTotalOptions());
    EXPECT_TRUE(l.falseCeiling);
    EXPECT_DOUBLE_EQ(l.atticTemp, 55);
    EXPECT_DOUBLE_EQ(l.loss, 750);
    EXPECT_EQ(printedTemperatureDifference(roof, space, l), 15);
    EXPECT_DOUBLE_EQ(printedArea(roof, l.Dv_gJedar), 100);
    EXPECT_DOUBLE_EQ(printedU(roof, l.Dv_gJedar), 0.3);

    // Row temperatures in whole degrees: 70.4 -> 70, 29.5 -> 30.
    const SurfaceRow halves = falseCeiling(1, 100, 0.5, 100, 0.3, 70.4, 29.5);
    EXPECT_DOUBLE_EQ(lossOf(halves, space), 750);
}

TEST(SurfaceLossTest, FalseCeilingWithoutHeatPathLosesNothing)
{
    const SpaceRow space = spaceAt(70);
    // c2 = 0: the attic is at the inside temperature.
    const SurfaceLoss noCeiling = surfaceLoss(falseCeiling(1, 100, 0.5, 0, 0.3, 70, 0), space, {},
                                              buildingTotalOptions());
    EXPECT_DOUBLE_EQ(noCeiling.atticTemp, 70);
    EXPECT_DOUBLE_EQ(noCeiling.loss, 0);
    // c1 + c2 = 0 would divide by zero: a loss of 0, attic at the inside temperature.
    const SurfaceRow empty = falseCeiling(1, 0, 0.5, 0, 0.3, 70, 0);
    const SurfaceLoss none = surfaceLoss(empty, space, {}, buildingTotalOptions());
    EXPECT_DOUBLE_EQ(none.loss, 0);
    EXPECT_DOUBLE_EQ(none.atticTemp, 70);
    EXPECT_EQ(printedTemperatureDifference(empty, space, none), 0);
    // The booklet also drops it: its printed area (the false ceiling's) is 0.
    EXPECT_TRUE(surfaceLoss(empty, space, {}, bookletOptions(identityRotation())).dropped);
}

TEST(SurfaceLossTest, SizingsTakeFalseCeilingAreasAsWholeNumbers)
{
    // 100.5 -> 100 and 99.5 -> 100 (ties to even): c1 = 50, c2 = 30, L = 750.
    const SurfaceRow roof = falseCeiling(1, 100.5, 0.5, 99.5, 0.3, 70, 30);
    EXPECT_DOUBLE_EQ(lossOf(roof, spaceAt(70), {}, spaceSizingOptions()), 750);
    EXPECT_NE(lossOf(roof, spaceAt(70), {}, buildingTotalOptions()), 750);
}

TEST(SurfaceLossTest, PrintedValuesOfOrdinaryRows)
{
    SpaceRow space = spaceAt(68.5);
    const SurfaceRow w = wall(1, 0, 12.5, 0.35, 12.5);
    const SurfaceLoss l = surfaceLoss(w, space, {}, bookletOptions(identityRotation()));
    EXPECT_DOUBLE_EQ(printedArea(w, l.Dv_gJedar), 12.5);
    EXPECT_DOUBLE_EQ(printedU(w, l.Dv_gJedar), 0.35);
    EXPECT_EQ(printedTemperatureDifference(w, space, l), 68 - 12);
    // An internal roof over a false ceiling prints its own area and the plain difference.
    const SurfaceRow internal = falseCeiling(0, 100, 0.5, 80, 0.3, 70, 30);
    const SurfaceLoss li = surfaceLoss(internal, space, {}, buildingTotalOptions());
    EXPECT_DOUBLE_EQ(printedArea(internal, li.Dv_gJedar), 100);
    EXPECT_EQ(printedTemperatureDifference(internal, space, li), 68 - 30);
}

// A turned plan changes the direction of walls, windows and doors only.
TEST(PlanRotationTest, NinetyDegreesTurnsNorthWallToEast)
{
    const LoadOptions opt = bookletOptions(planRotationForChoice(2));
    const SpaceRow space = spaceAt(70);
    SurfaceLoss n = surfaceLoss(wall(1, 0, 100, 0.3, 0), space, {}, opt);
    EXPECT_EQ(n.Dv_gJedar, 2);
    EXPECT_DOUBLE_EQ(n.ZaribJ, 1.10);
    SurfaceLoss w = surfaceLoss(wall(1, 3, 100, 0.3, 0), space, {}, opt);
    EXPECT_EQ(w.Dv_gJedar, 0);
    EXPECT_DOUBLE_EQ(w.ZaribJ, 1.10);
    SurfaceLoss e = surfaceLoss(wall(1, 2, 100, 0.3, 0), space, {}, opt);
    EXPECT_EQ(e.Dv_gJedar, 1);
    EXPECT_DOUBLE_EQ(e.ZaribJ, 1.00);
    EXPECT_DOUBLE_EQ(e.loss, 2100);
    EXPECT_EQ(surfaceLoss(surface(kWindowWord, KindWindow, 1, 5, 1, 1, 0), space, {}, opt).Dv_gJedar, 4);

    // A false ceiling stays a false ceiling; a floor keeps -1.
    EXPECT_TRUE(surfaceLoss(falseCeiling(1, 100, 0.5, 100, 0.3, 70, 30), space, {}, opt).falseCeiling);
    EXPECT_EQ(surfaceLoss(groundFloor(1, 1, 0), space, {}, opt).Dv_gJedar, -1);

    // The equipment page's total uses the stored code.
    EXPECT_EQ(surfaceLoss(wall(1, 2, 100, 0.3, 0), space, {}, buildingTotalOptions()).Dv_gJedar, 2);
}

TEST(PlanRotationTest, TableIsAClockwiseTurnInStepsOf45Degrees)
{
    // Turning twice by one step equals one turn by two steps, and every row
    // maps the eight codes onto themselves.
    for (int a = 0; a < 8; ++a) {
        const PlanRotationTable ta = planRotationForChoice(a);
        bool seen[8] = {};
        for (int c = 0; c < 8; ++c)
            seen[ta[c]] = true;
        for (bool s : seen)
            EXPECT_TRUE(s) << "choice " << a;
        for (int b = 0; b < 8; ++b) {
            const PlanRotationTable tb = planRotationForChoice(b);
            const PlanRotationTable tab = planRotationForChoice((a + b) % 8);
            for (int c = 0; c < 8; ++c)
                EXPECT_EQ(tb[ta[c]], tab[c]) << a << "+" << b << " code " << c;
        }
    }
    EXPECT_EQ(planRotationForChoice(1)[0], 4); // north turned 45 degrees faces north-east
    EXPECT_EQ(RotateDirection(-1, planRotationForChoice(2)), -1);
    EXPECT_EQ(RotateDirection(8, planRotationForChoice(2)), 8);
    EXPECT_EQ(planRotationForChoice(9), identityRotation());
}

TEST(SpaceLoadTest, InfiltrationAndFactors)
{
    SpaceRow s = spaceAt(70);
    s.To_ = 0;
    s.Air_ = 1;
    s.V_ = 1000;
    EXPECT_DOUBLE_EQ(infiltrationLoad(s, 1.0, buildingTotalOptions()), 1263.5);
    // The booklet and the sizings round the air factor to ten decimals.
    const double ga = 1.0123456789;
    EXPECT_DOUBLE_EQ(airFactor(ga, true), 0.0182728395);
    EXPECT_DOUBLE_EQ(infiltrationLoad(s, ga, bookletOptions(identityRotation())),
                     0.0182728395 * 1000 * 70);
    EXPECT_DOUBLE_EQ(infiltrationLoad(s, ga, buildingTotalOptions()), ga * 0.01805 * 1000 * 70);
    EXPECT_DOUBLE_EQ(printedAirFactor(1.0), 0.018);
    EXPECT_DOUBLE_EQ(printedAirFactor(1.1), 0.02);

    // Safety 10 % then height 5 %, then the appliance gain.
    EXPECT_EQ(loadText(spaceLoad(1000, 10, 5, 0)), QStringLiteral("1155"));
    EXPECT_NEAR(spaceLoad(1000, 10, 5, 0), 1155, 1e-9);
    EXPECT_NEAR(spaceLoad(1000, 10, 5, 2000), -845, 1e-9);
}

TEST(SpaceLoadTest, SpaceWithoutSurfacesLosesItsInfiltration)
{
    SpaceRow s = spaceAt(70);
    s.Air_ = 0.5;
    s.V_ = 800;
    const SpaceLoad l = evaluateSpace(s, 0, 0, {1.0, 50}, buildingTotalOptions());
    EXPECT_TRUE(l.surfaces.empty());
    EXPECT_DOUBLE_EQ(l.H, l.Qi);
    EXPECT_DOUBLE_EQ(l.Qi, 0.5 * 0.01805 * 800 * 70);
}

TEST(LoadTextTest, RoundedHalfToEvenSignAfterDigits)
{
    EXPECT_EQ(loadText(1155.0000000000002), QStringLiteral("1155"));
    EXPECT_EQ(loadText(2.5), QStringLiteral("2"));
    EXPECT_EQ(loadText(3.5), QStringLiteral("4"));
    EXPECT_EQ(loadText(-2.5), QStringLiteral("2-"));
    EXPECT_EQ(loadText(-230.4), QStringLiteral("230-"));
    EXPECT_EQ(loadText(-0.3), QStringLiteral("0"));
    EXPECT_EQ(loadText(0), QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(roundedLoad(10585.5), 10586);
    EXPECT_DOUBLE_EQ(roundedLoad(10584.5), 10584);
}

namespace {

// A project worked by hand:
// floor 0, unit 1 (safety 10 %, height 5 %), one living room at 70 F:
//   external wall N 100 x 0.3 x 70 x 1.10          = 2310
//   external window N 20 x 1.23 x 70               = 1722
//   internal wall W 80 x 0.4 x (70 - 50)           =  640
//   external door E 21 x 0.7 x 70                  = 1029
//   external roof 200 x 0.2 x 70                   = 2800
//   floor on the ground 40 x 0.6 x 70 + 200 x 0.05 x (70 - 50) = 1880
//   surfaces 10381; infiltration 1 x 0.01805 x 1600 x 70 = 2021.6; H = 12402.6
//   Qs = 1.1 x 1.05 x 12402.6 - 500 = 13825.003
// floor 0, unit 2 (no factors): external wall S 50 x 0.5 x 68 = 1700
// floor -1, unit 3 (safety 20 %): internal wall 10 x 0.5 x (65 - 55) = 50,
//   appliances 5000: Qs = 1.2 x 50 - 5000 = -4940
// floors: 0 -> 15525.003, -1 -> -4940; building 10585.003
std::vector<UnitRow> workedProject()
{
    UnitRow u1;
    u1.Tabage = 0;
    u1.Shvahed = 1;
    u1.Sf = 10;
    u1.Z_ertefa = 5;
    SpaceRow living = spaceAt(70);
    living.To_ = 0;
    living.A_ = 200;
    living.V_ = 1600;
    living.Air_ = 1;
    living.V_varm = 500;
    living.surfaces = {
        wall(1, 0, 100, 0.3, 0),
        surface(kWindowWord, KindWindow, 1, 0, 20, 1.23, 0),
        wall(0, 3, 80, 0.4, 50),
        surface(kDoorWord, KindDoor, 1, 2, 21, 0.7, 0),
        surface(kRoofWord, KindRoof, 1, 0, 200, 0.2, 0),
        groundFloor(200, 40, 0),
    };
    u1.spaces = {living};

    UnitRow u3;
    u3.Tabage = -1;
    u3.Shvahed = 3;
    u3.Sf = 20;
    SpaceRow store = spaceAt(65);
    store.V_varm = 5000;
    store.surfaces = {wall(0, 1, 10, 0.5, 55)};
    u3.spaces = {store};

    UnitRow u2;
    u2.Tabage = 0;
    u2.Shvahed = 2;
    SpaceRow hall = spaceAt(68);
    hall.surfaces = {wall(1, 1, 50, 0.5, 0)};
    u2.spaces = {hall};

    return {u1, u3, u2};
}

} // namespace

TEST(BuildingLoadTest, WorkedProjectByHand)
{
    const std::vector<UnitRow> project = workedProject();
    const SiteData site{1.0, 50};
    const BuildingLoad b = evaluateBuilding(project, site, buildingTotalOptions());

    ASSERT_EQ(b.floors.size(), 2u);
    EXPECT_EQ(b.floors[0].Tabage, -1);
    EXPECT_EQ(b.floors[1].Tabage, 0);

    const FloorLoad &ground = b.floors[1];
    ASSERT_EQ(ground.units.size(), 2u);
    EXPECT_EQ(ground.units[0].Shvahed, 1);
    EXPECT_EQ(ground.units[0].sourceIndex, 0);
    EXPECT_EQ(ground.units[1].Shvahed, 2);
    EXPECT_EQ(ground.units[1].sourceIndex, 2);

    const SpaceLoad &living = ground.units[0].spaces[0];
    const double expected[] = {2310, 1722, 640, 1029, 2800, 1880};
    ASSERT_EQ(living.surfaces.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(living.surfaces[i].loss, expected[i], 1e-9) << "surface " << i;
    EXPECT_NEAR(living.surfacesSum, 10381, 1e-9);
    EXPECT_NEAR(living.Qi, 2021.6, 1e-9);
    EXPECT_NEAR(living.H, 12402.6, 1e-9);
    EXPECT_NEAR(living.Qs, 13825.003, 1e-6);

    EXPECT_NEAR(ground.units[0].load, 13825.003, 1e-6);
    EXPECT_NEAR(ground.units[1].load, 1700, 1e-9);
    EXPECT_NEAR(ground.load, 15525.003, 1e-6);
    EXPECT_NEAR(b.floors[0].load, -4940, 1e-9);
    EXPECT_EQ(loadText(b.floors[0].load), QStringLiteral("4940-"));
    EXPECT_NEAR(b.load, 10585.003, 1e-6);
    EXPECT_EQ(loadText(b.load), QStringLiteral("10585"));

    EXPECT_DOUBLE_EQ(buildingHeatLoad(project, site), 10585);
}

TEST(BuildingLoadTest, BookletTurnsThePlanAndDropsZeroAreaRows)
{
    std::vector<UnitRow> project = workedProject();
    const SiteData site{1.0, 50};
    // Turned 180 degrees: the north wall faces south (2310 -> 2100), the
    // internal wall and the other surfaces keep their loss.
    const BuildingLoad turned = evaluateBuilding(project, site, bookletOptions(planRotationForChoice(4)));
    EXPECT_NEAR(turned.floors[1].units[0].spaces[0].surfacesSum, 10381 - 210, 1e-9);

    // A floor on the ground whose area is 0 counts for the equipment page's
    // total but not in the booklet.
    project[0].spaces[0].surfaces[5].Masa1 = 0;
    const double withFloor = evaluateBuilding(project, site, buildingTotalOptions()).load;
    const double booklet = evaluateBuilding(project, site, bookletOptions(identityRotation())).load;
    EXPECT_NEAR(withFloor - booklet, 1.1 * 1.05 * 1880, 1e-6);
}

TEST(BuildingLoadTest, EmptyProjectHasZeroLoad)
{
    const BuildingLoad b = evaluateBuilding({}, {1.0, 50}, bookletOptions(identityRotation()));
    EXPECT_TRUE(b.floors.empty());
    EXPECT_EQ(loadText(b.load), QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(buildingHeatLoad({}, {1.0, 50}), 0);
}
