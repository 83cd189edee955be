#include "boravest/data/FurnaceStore.h"
#include "StoreFixture.h"

namespace {
class FurnaceStore : public StoreFixture {};
} // namespace

TEST_F(FurnaceStore, WritesWarmAirAndLoadOfEachSpace)
{
    const QString f = QStringLiteral("E_Kore,V_Kore,Q_room");
    const qint64 a = addSpace(1, f, {1, 0, 0});
    const qint64 b = addSpace(1, f, {0, 812, 4000});
    const qint64 c = addSpace(1, f, {0, 5, 5});
    bv::data::storeFurnaceResults(db, {{a, 791, 30000}, {b, 0, 20000}});
    EXPECT_DOUBLE_EQ(field(a, "V_Kore").toDouble(), 791);
    EXPECT_DOUBLE_EQ(field(a, "Q_room").toDouble(), 30000);
    EXPECT_DOUBLE_EQ(field(b, "V_Kore").toDouble(), 0);
    EXPECT_DOUBLE_EQ(field(b, "Q_room").toDouble(), 20000);
    EXPECT_DOUBLE_EQ(field(c, "V_Kore").toDouble(), 5);
}
