#include "boravest/equipment/PoolPumps.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// 30000 gal turned over in 6 h by two pumps through one filter, hot-water
// exchanger of 242484.375 Btu/h, friction 2.5 ft per 100 ft.
PumpsInputs pool()
{
    PumpsInputs in;
    in.waterVolume = 30000;
    in.heatEnergy = 242484.375;
    in.coilDrop = 5;
    in.filterDrop = 10;
    in.pipeDrop = 8;
    in.pumpEfficiency = 60;
    in.shellDrop = 3;
    in.boilerDrop = 4;
    in.exchangerPumps = 1;
    in.exchangerPumpEfficiency = 60;
    in.filters = 1;
    in.pumps = 2;
    in.turnoverTime = 6;
    in.EkhtDama = 20;
    in.OfteFeshar = 2.5;
    return in;
}

const QString kPressureDrop = QStringLiteral("افت فشار را تصحيح كنيد");

} // namespace

TEST(PoolPumps, WorkedCase)
{
    const PumpsResults r = sizePoolPumps(pool());
    ASSERT_FALSE(r.stopped);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_DOUBLE_EQ(r.circulation, 5000);
    EXPECT_NEAR(r.circulationGpm, 83.333333, 1e-6);
    EXPECT_DOUBLE_EQ(r.flowPerPump, 4250);
    EXPECT_DOUBLE_EQ(r.chlorine, 0.020825);
    EXPECT_DOUBLE_EQ(r.pumpHead, 33);
    EXPECT_DOUBLE_EQ(r.pumpPower, 4250 * 33 / (237600 * 0.6));
    EXPECT_EQ(r.pipe.size, 8); // 3 in, 105 gpm
    EXPECT_EQ(r.pipe.velocityRow(), 5);
    EXPECT_EQ(r.pipe.sizeName, QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(r.pipe.capacity, 105);
    EXPECT_DOUBLE_EQ(r.pipe.velocity, 4.5);
    EXPECT_EQ(r.filterRow, 9); // 99 gpm
    EXPECT_DOUBLE_EQ(r.heatEnergy, 242484.375);
    EXPECT_EQ(r.pumpEfficiency, 60);

    const double flow = 242484.375 / (20 * 499.8);
    EXPECT_DOUBLE_EQ(r.exchangerFlow, flow);
    EXPECT_DOUBLE_EQ(r.flowPerExchangerPump, flow);
    EXPECT_DOUBLE_EQ(r.exchangerPumpHead, 15);
    EXPECT_DOUBLE_EQ(r.exchangerPumpPower, flow * 15 / (3960 * 0.6));
    EXPECT_EQ(r.exchangerPipe.size, 6); // 2 in, 36 gpm
}

TEST(PoolPumps, FactorsAndEdges)
{
    PumpsInputs in = pool();
    in.pumps = 1;
    in.Hi = 2500;
    PumpsResults r = sizePoolPumps(in);
    EXPECT_DOUBLE_EQ(r.flowPerPump, 5000);
    EXPECT_DOUBLE_EQ(r.altitudeFactor, 1.2);
    in.Hi = 400;
    EXPECT_DOUBLE_EQ(sizePoolPumps(in).altitudeFactor, 1);

    in.waterVolume = 105 * 60 * 6; // exactly the 3 in capacity: passed over
    EXPECT_EQ(sizePoolPumps(in).pipe.size, 9);
}

TEST(PoolPumps, WarningsGoOn)
{
    PumpsInputs in = pool();
    in.OfteFeshar = 1.75; // no friction row
    PumpsResults r = sizePoolPumps(in);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.messages, (QStringList{QStringLiteral("داده هاي مربوط به استخر را تصحيح كنيد"),
                                       QStringLiteral("داده هاي استخر را تصحيح كنيد")}));
    EXPECT_FALSE(r.pipe.found());
    EXPECT_EQ(r.pipe.velocityRow(), 0);
    EXPECT_GT(r.exchangerPumpPower, 0);

    in = pool();
    in.filters = 1;
    in.waterVolume = 313 * 60 * 6; // more than the largest filter
    r = sizePoolPumps(in);
    EXPECT_EQ(r.filterRow, 0);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral("براي امكان انتخاب فيلتر شني از كاتالوگ تعداد فيلترها را افزايش دهيد")});

    // Pressure-drop warnings on the page only.
    in = pool();
    in.OfteFeshar = 1;
    in.pumps = 1;
    in.waterVolume = 2601 * 60 * 6;
    in.shellDrop = 19; // exchanger head 31 ft
    r = sizePoolPumps(in);
    EXPECT_EQ(r.messages.count(kPressureDrop), 1);
    EXPECT_TRUE(r.messages.contains(QStringLiteral("در افتهاي فشار تجديد نظركنيد")));
    in.reportMode = true;
    r = sizePoolPumps(in);
    EXPECT_FALSE(r.messages.contains(kPressureDrop));
    EXPECT_FALSE(r.messages.contains(QStringLiteral("در افتهاي فشار تجديد نظركنيد")));
}

TEST(PoolPumps, SteamExchangerHasNoExchangerPumps)
{
    PumpsInputs in = pool();
    in.exchangerType = ExchangerSteam;
    in.exchangerPumpEfficiency = 0;
    in.exchangerPumps = 0;
    const PumpsResults r = sizeJacuzziPumps(in);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.exchangerFlow, 0);
    EXPECT_EQ(r.exchangerPumpPower, 0);
    EXPECT_FALSE(r.exchangerPipe.found());
    EXPECT_DOUBLE_EQ(r.flowPerPump, 4250);
}

TEST(PoolPumps, ChecksStopWithTheirMessage)
{
    struct Case { const char *name; bool jacuzzi; void (*edit)(PumpsInputs &); const char *message; };
    const Case cases[] = {
        {"no pumps", false, [](PumpsInputs &i) { i.pumps = 0; }, "تعداد پمپ استخر را مشخص نماييد"},
        {"no jacuzzi pumps", true, [](PumpsInputs &i) { i.pumps = 0; }, "تعداد پمپ جكوزي را مشخص نماييد"},
        {"no pump efficiency", false, [](PumpsInputs &i) { i.pumpEfficiency = 0; },
         "راندمان الكتروپمپ گردش آب استخر را مشخص نماييد"},
        {"no jacuzzi turnover", true, [](PumpsInputs &i) { i.turnoverTime = 0; },
         "مدت زمان گردش آب جكوزي را مشخص نماييد"},
        {"no filters", false, [](PumpsInputs &i) { i.filters = 0; }, "تعداد فيلترهاي شني را مشخص نماييد"},
        {"no exchanger pump efficiency", false, [](PumpsInputs &i) { i.exchangerPumpEfficiency = 0; },
         "راندمان الكتروپمپ آبگرم گردشي را مشخص نماييد"},
        {"no exchanger pumps", false, [](PumpsInputs &i) { i.exchangerPumps = 0; },
         "تعداد پمپ مبدل آب گرم استخر را مشخص نماييد"},
        {"no jacuzzi exchanger pumps", true, [](PumpsInputs &i) { i.exchangerPumps = 0; },
         "تعداد پمپ مبدل آب گرم جكوزي را مشخص نماييد"},
        // The exchanger's flow would divide by zero.
        {"no temperature drop", false, [](PumpsInputs &i) { i.EkhtDama = 0; },
         "اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد"},
    };
    for (const Case &c : cases) {
        PumpsInputs in = pool();
        c.edit(in);
        const PumpsResults r = c.jacuzzi ? sizeJacuzziPumps(in) : sizePoolPumps(in);
        EXPECT_TRUE(r.stopped) << c.name;
        ASSERT_FALSE(r.messages.isEmpty()) << c.name;
        EXPECT_EQ(r.messages.last(), QString::fromUtf8(c.message)) << c.name;
        EXPECT_EQ(r.exchangerPumpPower, 0) << c.name;
    }
}
