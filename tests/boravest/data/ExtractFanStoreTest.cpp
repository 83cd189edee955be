#include "boravest/data/ExtractFanStore.h"
#include "StoreFixture.h"

namespace {
class ExtractFanStore : public StoreFixture {};
} // namespace

// Spaces without fans keep their stored fan fields.
TEST_F(ExtractFanStore, WritesTheFanFieldsOfTheSpacesGiven)
{
    const QString f = QStringLiteral("Te_Hav,K_Oft_F_Hav,CFM_Hav,Gh_Hav,Coun_Hav");
    const qint64 a = addSpace(1, f, {1, 0, 0, 0, 0});
    const qint64 b = addSpace(1, f, {0, 9, 9, 9, 9});
    bv::data::storeExtractFanResults(db, {{a, 1.1, 100, 4, 1, 2.14, 1.1}});
    EXPECT_DOUBLE_EQ(field(a, "K_Oft_F_Hav").toDouble(), 1.1);
    EXPECT_DOUBLE_EQ(field(a, "CFM_Hav").toDouble(), 100);
    EXPECT_EQ(field(a, "Gh_Hav").toInt(), 4);
    EXPECT_EQ(field(a, "Coun_Hav").toInt(), 1);
    EXPECT_EQ(field(b, "Coun_Hav").toInt(), 9);
}

// Where the space file carries the two unrounded fields they are written too.
TEST_F(ExtractFanStore, WritesUnroundedFieldsWhereTheFileHasThem)
{
    const QString t = db.attachTable(QStringLiteral("bankfz.DB"));
    db.exec(QStringLiteral("alter table %1 add column GhH_Hav FLOAT").arg(t));
    db.exec(QStringLiteral("alter table %1 add column Inw_Hav FLOAT").arg(t));
    const qint64 a = addSpace(1, QStringLiteral("Te_Hav"), {2});
    bv::data::storeExtractFanResults(db, {{a, 1.1, 100, 4, 1, 2.14, 1.0999}});
    EXPECT_DOUBLE_EQ(field(a, "GhH_Hav").toDouble(), 2.14);
    EXPECT_DOUBLE_EQ(field(a, "Inw_Hav").toDouble(), 1.0999);
}
