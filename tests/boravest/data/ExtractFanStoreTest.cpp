#include "boravest/data/ExtractFanStore.h"
#include "StoreFixture.h"

using ExtractFanStore = StoreFixture;

// The four stored fan fields always; the two unrounded ones only where the
// space file carries them.
TEST_F(ExtractFanStore, WritesTheFanFieldsTheFileHas)
{
    const qint64 a = addSpace(1, QStringLiteral("Te_Hav,Gh_Hav,Coun_Hav"), {1, 0, 0});
    bv::data::storeExtractFanResults(db, {{a, 1.1, 100, 4, 1, 2.14, 1.0999}});
    EXPECT_DOUBLE_EQ(field(a, "K_Oft_F_Hav").toDouble(), 1.1);
    EXPECT_DOUBLE_EQ(field(a, "CFM_Hav").toDouble(), 100);
    EXPECT_EQ(field(a, "Gh_Hav").toInt() * 10 + field(a, "Coun_Hav").toInt(), 41);

    const QString t = db.attachTable(QStringLiteral("bankfz.DB"));
    db.exec(QStringLiteral("alter table %1 add column GhH_Hav FLOAT").arg(t));
    db.exec(QStringLiteral("alter table %1 add column Inw_Hav FLOAT").arg(t));
    bv::data::storeExtractFanResults(db, {{a, 1.1, 100, 4, 1, 2.14, 1.0999}});
    EXPECT_DOUBLE_EQ(field(a, "GhH_Hav").toDouble(), 2.14);
    EXPECT_DOUBLE_EQ(field(a, "Inw_Hav").toDouble(), 1.0999);
}
