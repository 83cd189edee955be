#include "boravest/data/UnitHeaterStore.h"
#include "StoreFixture.h"

using UnitHeaterStore = StoreFixture;

TEST_F(UnitHeaterStore, WritesOnlyTheSpacesGiven)
{
    const qint64 a = addSpace(1, QStringLiteral("T_UH,Radiat,Modelradiat"), {2, 0, ""});
    const qint64 b = addSpace(1, QStringLiteral("T_UH,Radiat,Modelradiat"), {0, 0.9, "3"});
    bv::data::storeUnitHeaterResults(db, {{a, 30000, 1.1, QStringLiteral("0")}});
    EXPECT_DOUBLE_EQ(field(a, "Q_room").toDouble(), 30000);
    EXPECT_DOUBLE_EQ(field(a, "Radiat").toDouble(), 1.1);
    EXPECT_EQ(field(a, "Modelradiat").toString(), QStringLiteral("0"));
    EXPECT_EQ(field(b, "Modelradiat").toString(), QStringLiteral("3"));
}
