#include "boravest/equipment/CirculationPump.h"

#include <gtest/gtest.h>

using namespace bv::equipment;

namespace {

// 432000 Btu/h, 20 °F, one pump at 60 %, welded pipe 100 %, drops 10 and
// 5 ft, 100 ft of supply pipe, three threaded 2 in globe valves, 2.5 ft per
// 100 ft, altitude 500 ft, building 30 ft high.
CirculationPumpInputs worked()
{
    CirculationPumpInputs in;
    in.totalLoad = 432000;
    FittingGrid grid;
    grid.at(13, 6) = QStringLiteral("3");
    in.fittings = fittingsLengthOfGrid(grid);
    in.Oft_F_D_K_Sir = 10;
    in.Oft_F_B_U_Sir = 5;
    in.K_B_L_Sir = 100;
    in.Te_Sir = 1;
    in.Rand_sir = 60;
    in.OfteFeshar = 2.5;
    in.EkhtDama = 20;
    in.TolRadiat = 100;
    in.ErtefaS = 30;
    in.Hi = 500;
    return in;
}

const QString kRevise = QStringLiteral("در طراحي سيستم لوله كشي تجديد نظر كنيد");

} // namespace

TEST(CirculationPump, WorkedCase)
{
    for (bool report : {false, true}) {
        CirculationPumpInputs in = worked();
        in.reportMode = report;
        const CirculationPumpResults r = sizeCirculationPump(in);
        ASSERT_FALSE(r.stopped);
        EXPECT_TRUE(r.messages.isEmpty());
        EXPECT_DOUBLE_EQ(r.fittingsLength, 162);
        EXPECT_DOUBLE_EQ(r.weldingFactor, 1);
        EXPECT_NEAR(r.head, 24.05, 1e-12);
        EXPECT_NEAR(r.flowPerPump, 43.22, 0.005);
        EXPECT_NEAR(r.power, 0.437, 0.0005);
        EXPECT_DOUBLE_EQ(r.altitudeFactor, 1);
        EXPECT_EQ(r.efficiency, 60);
        EXPECT_TRUE(r.storeHead);
    }
}

TEST(CirculationPump, HeightCheck)
{
    CirculationPumpInputs in = worked();
    in.ErtefaS = 24; // below the head of 24.05 ft
    CirculationPumpResults r = sizeCirculationPump(in);
    EXPECT_TRUE(r.stopped);
    EXPECT_FALSE(r.storeHead);
    EXPECT_EQ(r.messages, QStringList{kRevise});
    EXPECT_EQ(r.power, 0);

    in.reportMode = true; // the report goes on and stores the head
    r = sizeCirculationPump(in);
    EXPECT_FALSE(r.stopped);
    EXPECT_TRUE(r.storeHead);
    EXPECT_EQ(r.messages, QStringList{kRevise});
    EXPECT_NEAR(r.head, 24.05, 1e-12);
    EXPECT_NEAR(r.power, 0.437, 0.0005);

    in = worked();
    in.fittings.length = 160;
    in.ErtefaS = 24; // head exactly 24: passes
    EXPECT_FALSE(sizeCirculationPump(in).stopped);
}

TEST(CirculationPump, Factors)
{
    CirculationPumpInputs in = worked();
    in.K_B_L_Sir = 0;
    in.Te_Sir = 2;
    in.Hi = 5500;
    in.ErtefaS = 100;
    const CirculationPumpResults r = sizeCirculationPump(in);
    EXPECT_DOUBLE_EQ(r.weldingFactor, 2);
    EXPECT_NEAR(r.flowPerPump, 432000 / (20 * 499.8) * 0.875, 1e-9);
    EXPECT_DOUBLE_EQ(r.altitudeFactor, 1.5);
}

TEST(CirculationPump, ChecksStopWithTheirMessage)
{
    struct Case { const char *name; void (*edit)(CirculationPumpInputs &); QString message; };
    const Case cases[] = {
        {"no pumps", [](CirculationPumpInputs &i) { i.Te_Sir = 0; },
         QStringLiteral("تعداد پمپ سيركولاتور سيستم را مشخص كنيد")},
        {"no efficiency", [](CirculationPumpInputs &i) { i.Rand_sir = 0; },
         QStringLiteral("راندمان الكتروپمپ را مشخص كنيد")},
        // The flow would divide by zero.
        {"no temperature difference", [](CirculationPumpInputs &i) { i.EkhtDama = 0; },
         QStringLiteral("اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد")},
        {"fitting count not a number",
         [](CirculationPumpInputs &i) {
             FittingGrid grid;
             grid.at(1, 1) = QStringLiteral("x");
             i.fittings = fittingsLengthOfGrid(grid);
         },
         QStringLiteral("تعداد اتصالات وشيرها را تصحيح كنيد")},
    };
    for (const Case &c : cases) {
        for (bool report : {false, true}) {
            CirculationPumpInputs in = worked();
            c.edit(in);
            in.reportMode = report;
            const CirculationPumpResults r = sizeCirculationPump(in);
            EXPECT_TRUE(r.stopped) << c.name;
            EXPECT_FALSE(r.storeHead) << c.name;
            EXPECT_EQ(r.messages, QStringList{c.message}) << c.name;
            EXPECT_EQ(r.head, 0) << c.name;
            EXPECT_EQ(r.efficiency, in.Rand_sir) << c.name;
        }
    }
}
