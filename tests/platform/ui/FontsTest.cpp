#include "platform/ui/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

using namespace pf::ui;

TEST(PersianFonts, MissingFacesFallToAnInstalledPersianFace)
{
    const QStringList families = QFontDatabase::families();
    if (!families.contains(QStringLiteral("Nazli")) && !families.contains(QStringLiteral("FreeFarsi"))
        && !families.contains(QStringLiteral("Homa")))
        GTEST_SKIP() << "no free Persian face installed (fonts-farsiweb, fonts-freefarsi)";

    const QString face = installPersianFonts();
    ASSERT_FALSE(face.isEmpty());
    EXPECT_EQ(installPersianFonts(), face); // harmless twice

    for (const char *name : {"Traffic", "mitra", "Mitra", "Zar", "Nazanin"}) {
        if (families.contains(QString::fromLatin1(name), Qt::CaseInsensitive))
            continue;
        EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(name))).family(), face) << name;
    }
    if (families.contains(QStringLiteral("Titr"))) {
        EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Titr"))).family(), QStringLiteral("Titr"));
        EXPECT_EQ(QFontInfo(QFont(QStringLiteral("B Titr"))).family(), QStringLiteral("Titr"));
    }
}
