#include "boravest/sizing/PlanRotation.h"
#include "boravest/data/CalcFields.h"

#include <gtest/gtest.h>

using namespace calcfields;

namespace {
const QString kWall = QStringLiteral("ديوار");
const QString kWindow = QStringLiteral("پنجره");
const QString kRoof = QStringLiteral("سقف");
const QString kFloor = QStringLiteral("كف");
} // namespace

TEST(CalcFieldsTest, FloorNames)
{
    EXPECT_EQ(floorName(-5), QStringLiteral("منهاي پنج"));
    EXPECT_EQ(floorName(-1), QStringLiteral("منهاي يك"));
    EXPECT_EQ(floorName(0), QStringLiteral("همكف"));
    EXPECT_EQ(floorName(1), QStringLiteral("اول"));
    EXPECT_EQ(floorName(20), QStringLiteral("بيستم"));
    EXPECT_EQ(floorName(21), QStringLiteral("بيست\u200Cويكم"));
    EXPECT_EQ(floorName(33), QStringLiteral("سي\u200Cوسوم"));
    EXPECT_EQ(floorName(49), QStringLiteral("چهل\u200Cونهم"));
    EXPECT_EQ(floorName(50), QStringLiteral("پنجاهم"));
    EXPECT_EQ(floorName(51), QStringLiteral("51"));
    EXPECT_EQ(floorName(-6), QStringLiteral("-6"));
    // Taken as a whole number, ties to even; outside the table the stored text.
    EXPECT_EQ(floorName(2.5), QStringLiteral("دوم"));
    EXPECT_EQ(floorName(50.5), QStringLiteral("پنجاهم"));
    EXPECT_EQ(floorName(50.7), QStringLiteral("50.7"));
    EXPECT_EQ(floorName(-5.5), QStringLiteral("-5.5"));
    // Every compound ordinal carries the non-joiner before "و", the others none.
    for (int n = -5; n <= 50; ++n) {
        const bool compound = n > 20 && n % 10 != 0;
        EXPECT_EQ(floorName(n).contains(QChar(0x200C)), compound) << n;
        if (compound) {
            EXPECT_EQ(floorName(n).count(QChar(0x200C)), 1) << n;
        }
    }
}

TEST(CalcFieldsTest, ExtractFanMark)
{
    EXPECT_EQ(extractFanMark(0), QStringLiteral(" "));
    EXPECT_EQ(extractFanMark(1), QStringLiteral("*"));
    EXPECT_EQ(extractFanMark(2), QStringLiteral("*"));
    EXPECT_EQ(extractFanMark(0.4), QStringLiteral(" "));
    EXPECT_EQ(extractFanMark(-1), QStringLiteral(" "));
    // A fan count alone marks the space too.
    EXPECT_EQ(extractFanMark(0, 2), QStringLiteral("*"));
    EXPECT_EQ(extractFanMark(0, 0), QStringLiteral(" "));
}

TEST(CalcFieldsTest, OrientationFactor)
{
    EXPECT_DOUBLE_EQ(orientationFactor(kWall, 1, 0), 1.10);
    EXPECT_DOUBLE_EQ(orientationFactor(kWall, 1, 2), 1.10);
    EXPECT_DOUBLE_EQ(orientationFactor(kWall, 1, 3), 1.05);
    EXPECT_DOUBLE_EQ(orientationFactor(kWall, 1, 1), 1.00);
    EXPECT_DOUBLE_EQ(orientationFactor(kWall, 1, 4), 1.00);
    EXPECT_DOUBLE_EQ(orientationFactor(kWall, 1, 9), 1.00);
    EXPECT_DOUBLE_EQ(orientationFactor(kWall, 0, 0), 1.00);
    EXPECT_DOUBLE_EQ(orientationFactor(kWindow, 1, 0), 1.00);
    EXPECT_DOUBLE_EQ(orientationFactor(kRoof, 1, 0), 1.00);
}

TEST(CalcFieldsTest, SurfaceFieldsOfRoofs)
{
    building::SurfaceRow roof;
    roof.Jedare = kRoof;
    roof.Id_jedar = 3;
    roof.Id_njedar = 1;
    roof.Masa1 = 120.4;
    roof.Masa2 = 99.5;
    roof.Z_1 = 0.2;
    roof.Z_2 = 0.35;

    roof.Id_gjedar = 1; // false ceiling
    SurfaceFields f = surfaceFields(roof);
    EXPECT_EQ(f.Ngjedar, QStringLiteral("كاذب"));
    EXPECT_EQ(f.Mmasa, 100);
    EXPECT_DOUBLE_EQ(f.Z_z, 0.35);
    EXPECT_EQ(f.Nnjedar, QStringLiteral("خارجي"));

    roof.Id_gjedar = 0;
    f = surfaceFields(roof);
    EXPECT_EQ(f.Ngjedar, QStringLiteral("معمولي"));
    EXPECT_EQ(f.Mmasa, 120);
    EXPECT_DOUBLE_EQ(f.Z_z, 0.2);

    roof.Id_gjedar = 2;
    f = surfaceFields(roof);
    EXPECT_TRUE(f.Ngjedar.isEmpty());
    EXPECT_EQ(f.Mmasa, 120);
    EXPECT_DOUBLE_EQ(f.Z_z, 0.2);
    EXPECT_DOUBLE_EQ(f.ZaribJ, 1.00);
}

TEST(CalcFieldsTest, SurfaceFieldsOfFloorsWallsAndWindows)
{
    building::SurfaceRow floor;
    floor.Jedare = kFloor;
    floor.Id_jedar = 4;
    floor.Id_gjedar = -1;
    floor.Id_njedar = 0;
    EXPECT_EQ(surfaceFields(floor).Nnjedar, QStringLiteral("متصل به زمين"));
    floor.Id_njedar = 1;
    EXPECT_EQ(surfaceFields(floor).Nnjedar, QStringLiteral("منفصل از زمين"));
    EXPECT_TRUE(surfaceFields(floor).Ngjedar.isEmpty());
    floor.Id_njedar = 2;
    EXPECT_TRUE(surfaceFields(floor).Nnjedar.isEmpty());

    building::SurfaceRow wall;
    wall.Jedare = kWall;
    wall.Id_jedar = 0;
    wall.Id_njedar = 0;
    wall.Id_gjedar = 3;
    wall.Masa1 = 2.5;
    SurfaceFields f = surfaceFields(wall);
    EXPECT_EQ(f.Nnjedar, QStringLiteral("داخلي"));
    EXPECT_EQ(f.Ngjedar, QStringLiteral("غربي"));
    EXPECT_EQ(f.Mmasa, 2);
    EXPECT_DOUBLE_EQ(f.ZaribJ, 1.00);
    wall.Id_njedar = 1;
    EXPECT_DOUBLE_EQ(surfaceFields(wall).ZaribJ, 1.05);
    wall.Id_njedar = 7;
    EXPECT_TRUE(surfaceFields(wall).Nnjedar.isEmpty());

    // The data module never turns the plan, whatever the booklet last chose.
    const building::PlanRotationTable saved = building::PlanRotation;
    building::PlanRotation = building::planRotationForChoice(2);
    building::SurfaceRow window;
    window.Jedare = kWindow;
    window.Id_jedar = 1;
    window.Id_njedar = 1;
    window.Id_gjedar = 5;
    f = surfaceFields(window);
    building::PlanRotation = saved;
    EXPECT_EQ(f.Dv_gJedar, 5);
    EXPECT_EQ(f.Ngjedar, QStringLiteral("شمال غربي"));
    EXPECT_DOUBLE_EQ(f.ZaribJ, 1.00);
}

TEST(CalcFieldsTest, DirectionWords)
{
    const char16_t *words[] = {u"شمالي", u"جنوبي", u"شرقي", u"غربي",
                               u"شمال شرقي", u"شمال غربي", u"جنوب شرقي", u"جنوب غربي"};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(directionWord(kWall, c), QString::fromUtf16(words[c])) << c;
    EXPECT_TRUE(directionWord(kWall, -1).isEmpty());
    EXPECT_TRUE(directionWord(kWall, 8).isEmpty());
}
