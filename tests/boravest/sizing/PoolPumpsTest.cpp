#include "boravest/sizing/PoolPumps.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

// 30000 gal turned over in 6 h by two pumps through one filter; drops 5, 10,
// 8 ft; hot-water exchanger of 242484.375 Btu/h with one pump, shell 3 ft,
// boiler 4 ft; both pumps 60 %; 20 °F; friction 2.5 ft per 100 ft.
PumpsInputs pool()
{
    return PumpsInputs{false, 30000, 242484.375, 5, 10, 8, 60, 3, 4, 1, 60, 1, 2, 6, ExchangerHotWater, 20, 2.5, 0};
}

const QString kPressureDrop = QStringLiteral("افت فشار را تصحيح كنيد");
const QString kRevise = QStringLiteral("در افتهاي فشار تجديد نظركنيد");
const QString kNoSize = QStringLiteral("داده هاي مربوط به استخر را تصحيح كنيد");
const QString kNoFilter = QStringLiteral("براي امكان انتخاب فيلتر شني از كاتالوگ تعداد فيلترها را افزايش دهيد");

} // namespace

TEST(PoolPumps, WorkedCase)
{
    const PumpsResults r = sizePoolPumps(pool());
    EXPECT_TRUE(!r.stopped && r.messages.isEmpty());
    EXPECT_DOUBLE_EQ(r.circulation, 5000);
    EXPECT_NEAR(r.circulationGpm, 83.333333, 1e-6);
    EXPECT_DOUBLE_EQ(r.flowPerPump, 4250);
    EXPECT_DOUBLE_EQ(r.chlorine, 0.020825);
    EXPECT_DOUBLE_EQ(r.pumpPower, 4250 * 33 / (237600 * 0.6));
    // 3 in (105 gpm) at friction row 4, stored as 8 and 5.
    EXPECT_TRUE(r.pipe.size == 8 && r.pipe.velocityRow() == 5 && r.pipe.sizeName == QStringLiteral("3"));
    EXPECT_TRUE(r.pipe.capacity == 105 && r.pipe.velocity == 4.5);
    EXPECT_EQ(r.filterRow, 9); // 99 gpm

    const double flow = 242484.375 / (20 * 499.8);
    EXPECT_DOUBLE_EQ(r.flowPerExchangerPump, flow);
    EXPECT_DOUBLE_EQ(r.exchangerPumpPower, flow * 15 / (3960 * 0.6));
    EXPECT_EQ(r.exchangerPipe.size, 6); // 2 in, 36 gpm

    PumpsInputs in = pool();
    in.pumps = 1;
    in.Hi = 2500;
    in.waterVolume = 105 * 60 * 6; // exactly the 3 in capacity: passed over
    const PumpsResults one = sizePoolPumps(in);
    EXPECT_DOUBLE_EQ(one.flowPerPump, 105 * 60);
    EXPECT_DOUBLE_EQ(one.altitudeFactor, 1.2);
    EXPECT_EQ(one.pipe.size, 9);
}

TEST(PoolPumps, WarningsGoOn)
{
    const struct { bool report; double friction, gpm, shell; QStringList messages; } cases[] = {
        {false, 1.75, 83, 3, {kNoSize, QStringLiteral("داده هاي استخر را تصحيح كنيد")}}, // no friction row
        {false, 2.5, 313, 3, {kNoFilter}},
        // Warnings about the pressure drops on the page only.
        {false, 4, 5801, 19, {kPressureDrop, kNoSize, kNoFilter, kRevise}},
        {true, 4, 5801, 19, {kNoSize, kNoFilter}},
    };
    for (const auto &c : cases) {
        PumpsInputs in = pool();
        in.reportMode = c.report;
        in.OfteFeshar = c.friction;
        in.pumps = 1;
        in.waterVolume = c.gpm * 60 * 6;
        in.shellDrop = c.shell;
        const PumpsResults r = sizePoolPumps(in);
        EXPECT_FALSE(r.stopped);
        EXPECT_EQ(r.messages, c.messages) << c.gpm;
        EXPECT_GT(r.exchangerPumpPower, 0);
    }
}

TEST(PoolPumps, ChecksStopWithTheirMessage)
{
    const struct { bool jacuzzi; void (*edit)(PumpsInputs &); const char *message; } cases[] = {
        {false, [](PumpsInputs &i) { i.pumps = 0; }, "تعداد پمپ استخر را مشخص نماييد"},
        {true, [](PumpsInputs &i) { i.pumps = 0; }, "تعداد پمپ جكوزي را مشخص نماييد"},
        {false, [](PumpsInputs &i) { i.pumpEfficiency = 0; }, "راندمان الكتروپمپ گردش آب استخر را مشخص نماييد"},
        {true, [](PumpsInputs &i) { i.turnoverTime = 0; }, "مدت زمان گردش آب جكوزي را مشخص نماييد"},
        {false, [](PumpsInputs &i) { i.filters = 0; }, "تعداد فيلترهاي شني را مشخص نماييد"},
        {false, [](PumpsInputs &i) { i.exchangerPumpEfficiency = 0; }, "راندمان الكتروپمپ آبگرم گردشي را مشخص نماييد"},
        {false, [](PumpsInputs &i) { i.exchangerPumps = 0; }, "تعداد پمپ مبدل آب گرم استخر را مشخص نماييد"},
        {true, [](PumpsInputs &i) { i.exchangerPumps = 0; }, "تعداد پمپ مبدل آب گرم جكوزي را مشخص نماييد"},
        // The exchanger's flow would divide by zero.
        {false, [](PumpsInputs &i) { i.EkhtDama = 0; }, "اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد"},
        // A steam exchanger has no exchanger pumps to check or size.
        {true, [](PumpsInputs &i) { i.exchangerType = ExchangerSteam, i.exchangerPumps = i.exchangerPumpEfficiency = 0; },
         nullptr},
    };
    for (const auto &c : cases) {
        PumpsInputs in = pool();
        c.edit(in);
        const PumpsResults r = c.jacuzzi ? sizeJacuzziPumps(in) : sizePoolPumps(in);
        EXPECT_EQ(r.stopped, c.message != nullptr);
        EXPECT_EQ(r.messages, c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        EXPECT_EQ(r.exchangerPumpPower, 0);
    }
}
