#include "boravest/data/FurnaceStore.h"
#include "StoreFixture.h"

using FurnaceStore = StoreFixture;

TEST_F(FurnaceStore, WritesWarmAirAndLoadOfEachSpace)
{
    const qint64 a = addSpace(1, QStringLiteral("E_Kore,V_Kore,Q_room"), {1, 0, 0});
    const qint64 b = addSpace(1, QStringLiteral("E_Kore,V_Kore,Q_room"), {0, 812, 4000});
    bv::data::storeFurnaceResults(db, {{a, 791, 30000}, {b, 0, 20000}});
    EXPECT_DOUBLE_EQ(field(a, "V_Kore").toDouble(), 791);
    EXPECT_DOUBLE_EQ(field(a, "Q_room").toDouble(), 30000);
    EXPECT_DOUBLE_EQ(field(b, "V_Kore").toDouble(), 0);
}
