#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace pf::ui;

namespace {

void moveOver(QWidget *w)
{
    const QPointF local(3, 3);
    QMouseEvent ev(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &ev);
}

void leave(QWidget *w)
{
    QEvent ev(QEvent::Leave);
    QApplication::sendEvent(w, &ev);
}

} // namespace

TEST(ClickLabel, ClicksOnReleaseOverTheLabel)
{
    QWidget form;
    ClickLabel label(QStringLiteral("ثبت"), &form);
    label.setGeometry(10, 10, 60, 20);
    form.show();
    int clicks = 0;
    QObject::connect(&label, &ClickLabel::clicked, [&] { ++clicks; });

    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    // Released outside: no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_EQ(clicks, 1);
    // A disabled label does not click.
    label.setEnabled(false);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    label.setHandCursor(true);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST(HoverGroup, HoveredLabelTurnsRedAndDropsOnePixel)
{
    QWidget form;
    ClickLabel save(&form), cancel(&form), next(&form);
    save.setGeometry(10, 10, 50, 20);
    cancel.setGeometry(10, 40, 50, 20);
    next.setGeometry(10, 70, 50, 20);
    qint32 areaText = 0x00804020; // stored colour: red 0x20, green 0x40, blue 0x80
    HoverGroup group({&save, &cancel, &next}, [&] { return winColor(areaText); });

    moveOver(&cancel);
    moveOver(&cancel);
    moveOver(&cancel);
    EXPECT_EQ(textColor(&cancel), QColor(255, 0, 0));
    EXPECT_EQ(cancel.y(), 41); // one pixel, however often the pointer moves
    EXPECT_EQ(textColor(&save), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(save.y(), 10);

    // Moving to another label puts the first back.
    moveOver(&next);
    EXPECT_EQ(cancel.y(), 40);
    EXPECT_EQ(textColor(&cancel), QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(next.y(), 71);

    // Leaving restores the colour of the area as it is now.
    areaText = 0x00FF0000;
    leave(&next);
    EXPECT_EQ(next.y(), 70);
    EXPECT_EQ(textColor(&next), QColor(0, 0, 255));
    areaText = 0;
    group.restoreAll();
    EXPECT_EQ(textColor(&next), QColor(0, 0, 0));
}

TEST(Colors, StoredColoursHaveRedInTheLowByte)
{
    EXPECT_EQ(winColor(0xE2EFF1), QColor(241, 239, 226));
    EXPECT_EQ(winColor(9737861), QColor(133, 150, 148));
    EXPECT_EQ(toWinColor(QColor(192, 192, 192)), 12632256);
    EXPECT_EQ(toWinColor(QColor(255, 0, 128)), 0x8000FF);
}
