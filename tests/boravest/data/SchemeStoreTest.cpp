#include "StoreFixture.h"

#include "boravest/data/SchemeStore.h"

using namespace bv::data::stores;

// Saved and read back, both over the default row and over a table left
// without its row (the row is created, not silently skipped).
TEST_F(StoreFixture, SchemesSavedAndReadBackWithOrWithoutTheirRow)
{
    ColorScheme colors{};
    for (int i = 0; i < 25; ++i)
        colors[size_t(i)] = 0x010203 * (i + 1);
    colors[24] = int32_t(0xFFFFFFFF); // every bit kept
    const recordFont fonts{QStringLiteral("Nazli"), QStringLiteral("Homa"), QStringLiteral("Titr")};

    for (bool emptied : {false, true}) {
        SCOPED_TRACE(emptied);
        if (emptied) {
            db.exec(QStringLiteral("DELETE FROM BankColors"));
            db.exec(QStringLiteral("DELETE FROM BankFont"));
            EXPECT_EQ(loadColorScheme(db), defaultColorScheme());
            EXPECT_EQ(loadFontScheme(db).ScreenFont, QStringLiteral("mitra"));
        }
        saveColorScheme(db, colors);
        saveFontScheme(db, fonts);
        EXPECT_EQ(loadColorScheme(db), colors);
        const recordFont back = loadFontScheme(db);
        EXPECT_EQ(back.ScreenFont, fonts.ScreenFont);
        EXPECT_EQ(back.ReportFont, fonts.ReportFont);
        EXPECT_EQ(back.TitleFont, fonts.TitleFont);
        EXPECT_EQ(db.select(QStringLiteral("SELECT COUNT(*) FROM BankColors")).rows[0][0].toInt(), 1);
        EXPECT_EQ(db.select(QStringLiteral("SELECT COUNT(*) FROM BankFont")).rows[0][0].toInt(), 1);
    }
}
