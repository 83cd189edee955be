#include "boravest/data/RadiatorStore.h"
#include "StoreFixture.h"

using bv::data::storeRadiatorResults;

namespace {
class RadiatorStore : public StoreFixture {};
} // namespace

// A marked space that gets no sections keeps nothing of an earlier run; an
// unmarked space and other projects are left alone.
TEST_F(RadiatorStore, WritesRowsAndClearsStaleMarkedSpaces)
{
    const QString f = QStringLiteral("E_Rad,Q_room,Radiat,Modelradiat");
    const qint64 sized = addSpace(1, f, {1, 0, 0, ""});
    const qint64 stale = addSpace(1, f, {1, 999, 1.5, "8"});
    const qint64 unmarked = addSpace(1, f, {0, 777, 1.2, "4"});
    const qint64 other = addSpace(2, f, {1, 555, 1.1, "2"});

    storeRadiatorResults(db, 1, {{sized, 2554, 1, QStringLiteral("6")}});

    EXPECT_DOUBLE_EQ(field(sized, "Q_room").toDouble(), 2554);
    EXPECT_DOUBLE_EQ(field(sized, "Radiat").toDouble(), 1);
    EXPECT_EQ(field(sized, "Modelradiat").toString(), QStringLiteral("6"));
    EXPECT_TRUE(field(stale, "Q_room").isNull());
    EXPECT_TRUE(field(stale, "Radiat").isNull());
    EXPECT_TRUE(field(stale, "Modelradiat").isNull());
    EXPECT_DOUBLE_EQ(field(unmarked, "Q_room").toDouble(), 777);
    EXPECT_EQ(field(other, "Modelradiat").toString(), QStringLiteral("2"));
}

TEST_F(RadiatorStore, FailedWriteTakesEverythingBack)
{
    const qint64 a = addSpace(1, QStringLiteral("E_Rad,Q_room"), {1, 999});
    db.exec(QStringLiteral("create temp trigger refuse before update of Modelradiat on %1 "
                           "when new.Modelradiat = 'x' begin select raise(abort, 'refused'); end")
                .arg(db.attachTable(QStringLiteral("bankfz.DB"))));
    EXPECT_THROW(storeRadiatorResults(db, 1, {{a, 1, 1, QStringLiteral("x")}}), pf::db::DbError);
    EXPECT_DOUBLE_EQ(field(a, "Q_room").toDouble(), 999);
}
