#include "boravest/sizing/CirculationPump.h"

#include <gtest/gtest.h>

using namespace bv::sizing;

namespace {

// 432000 Btu/h, 20 °F, one pump at 60 %, welded pipe 100 %, drops 10 and
// 5 ft, 100 ft of supply pipe, 162 ft of fittings, 2.5 ft per 100 ft,
// altitude 500 ft, building 30 ft high.
CirculationPumpInputs worked()
{
    return CirculationPumpInputs{false, 432000, FittingsLength{162, {}, false}, 5, 10, 100, 1, 60, 2.5, 20, 100, 30, 500};
}

const QString kRevise = QStringLiteral("در طراحي سيستم لوله كشي تجديد نظر كنيد");

} // namespace

TEST(CirculationPump, WorkedCaseAndHeightCheck)
{
    const struct { bool report; int height; double fittings; bool stops, stores; QStringList messages; } cases[] = {
        {false, 30, 162, false, true, {}},
        {true, 30, 162, false, true, {}},
        {false, 24, 162, true, false, {kRevise}}, // head 24.05 above 24: the page stops
        {true, 24, 162, false, true, {kRevise}},  // the report goes on and stores the head
        {false, 24, 160, false, true, {}},        // head exactly 24 passes
    };
    for (const auto &c : cases) {
        CirculationPumpInputs in = worked();
        in.reportMode = c.report;
        in.ErtefaS = c.height;
        in.fittings.length = c.fittings;
        const CirculationPumpResults r = sizeCirculationPump(in);
        EXPECT_EQ(r.stopped, c.stops);
        EXPECT_EQ(r.storeHead, c.stores);
        EXPECT_EQ(r.messages, c.messages);
        EXPECT_NEAR(r.head, 15 + (200 + c.fittings) * 0.025, 1e-12);
        if (c.fittings == 162 && !c.stops) {
            EXPECT_NEAR(r.head, 24.05, 1e-12);
            EXPECT_NEAR(r.flowPerPump, 43.22, 0.005);
            EXPECT_NEAR(r.power, 0.437, 0.0005);
            EXPECT_TRUE(r.altitudeFactor == 1 && r.weldingFactor == 1 && r.efficiency == 60);
        }
    }
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
    const struct { void (*edit)(CirculationPumpInputs &); const char *message; } cases[] = {
        {[](CirculationPumpInputs &i) { i.Te_Sir = 0; }, "تعداد پمپ سيركولاتور سيستم را مشخص كنيد"},
        {[](CirculationPumpInputs &i) { i.Rand_sir = 0; }, "راندمان الكتروپمپ را مشخص كنيد"},
        // The flow would divide by zero.
        {[](CirculationPumpInputs &i) { i.EkhtDama = 0; }, "اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد"},
        {[](CirculationPumpInputs &i) { i.fittings = {0, {QStringLiteral("x")}, true}; }, "x"},
    };
    for (const auto &c : cases) {
        for (bool report : {false, true}) {
            CirculationPumpInputs in = worked();
            c.edit(in);
            in.reportMode = report;
            const CirculationPumpResults r = sizeCirculationPump(in);
            EXPECT_TRUE(r.stopped && !r.storeHead && r.head == 0);
            EXPECT_EQ(r.messages, QStringList{QString::fromUtf8(c.message)});
            EXPECT_EQ(r.efficiency, in.Rand_sir);
        }
    }
}
