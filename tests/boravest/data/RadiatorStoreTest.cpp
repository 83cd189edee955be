#include "boravest/data/RadiatorStore.h"
#include "StoreFixture.h"

using RadiatorStore = StoreFixture;

// A marked space that gets no sections keeps nothing of an earlier run;
// unmarked spaces and other projects are left alone.
TEST_F(RadiatorStore, WritesRowsAndClearsStaleMarkedSpaces)
{
    const QString f = QStringLiteral("E_Rad,Q_room,Modelradiat");
    const qint64 sized = addSpace(1, f, {1, 0, ""});
    const qint64 stale = addSpace(1, f, {1, 999, "8"});
    const qint64 unmarked = addSpace(1, f, {0, 777, "4"});
    const qint64 other = addSpace(2, f, {1, 555, "2"});
    // A row is written whatever the space's mark.
    const qint64 given = addSpace(1, f, {0, 111, "1"});
    bv::data::storeRadiatorResults(db, 1, {{sized, 2554, 1, QStringLiteral("6")}, {given, 300, 2, QStringLiteral("3")}});
    EXPECT_DOUBLE_EQ(field(given, "Q_room").toDouble(), 300);
    EXPECT_DOUBLE_EQ(field(sized, "Q_room").toDouble(), 2554);
    EXPECT_EQ(field(sized, "Modelradiat").toString(), QStringLiteral("6"));
    EXPECT_TRUE(field(stale, "Q_room").isNull() && field(stale, "Radiat").isNull() &&
                field(stale, "Modelradiat").isNull());
    EXPECT_DOUBLE_EQ(field(unmarked, "Q_room").toDouble(), 777);
    EXPECT_EQ(field(other, "Modelradiat").toString(), QStringLiteral("2"));
}
