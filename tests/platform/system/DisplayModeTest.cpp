#include "platform/system/DisplayMode.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace pf::sys;

TEST(DisplayMode, FakeRecordsSwitchesAndReportsNewSize)
{
    FakeDisplayMode fake(QSize(1024, 768));
    DisplayMode *before = setDisplayMode(&fake);
    EXPECT_EQ(&displayMode(), &fake);
    EXPECT_EQ(displayMode().currentSize(), QSize(1024, 768));
    EXPECT_TRUE(displayMode().setMode(800, 600));
    EXPECT_EQ(displayMode().currentSize(), QSize(800, 600));
    ASSERT_EQ(fake.calls.size(), 1);
    EXPECT_EQ(fake.calls[0], QSize(800, 600));

    fake.acceptSwitch = false;
    EXPECT_FALSE(displayMode().setMode(1024, 768));
    EXPECT_EQ(displayMode().currentSize(), QSize(800, 600));
    EXPECT_EQ(fake.calls.size(), 2);

    EXPECT_EQ(setDisplayMode(nullptr), &fake);
    EXPECT_NE(&displayMode(), &fake);
    (void)before;
}

TEST(DisplayMode, RealDisplayWithoutX11NeverSwitches)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        GTEST_SKIP() << "runs only away from an X11 session";
    SystemDisplayMode real;
    const QSize size = real.currentSize();
    EXPECT_FALSE(real.setMode(800, 600));
    EXPECT_EQ(real.currentSize(), size);
}
