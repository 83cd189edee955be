// The unit conversion window: typing converts at once, a unit button moves
// the reading unit without recomputing, an opening brings every quantity back
// to its first unit, and a number half typed raises no message.
#include "boravest/help/U11.h"

#include "boravest/ProgramGlobals.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

using testsupport::part;

namespace {

class U11Test : public testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetProgramGlobals();
        form = std::make_unique<TForm11>();
    }

    QString shown(const char *name) const { return part<QLabel>(form.get(), name)->text(); }
    QLineEdit *edit(const char *name) const { return part<QLineEdit>(form.get(), name); }
    QColor colourOf(const char *name) const { return part(form.get(), name)->palette().color(QPalette::Button); }
    void click(const char *name) const { part<QPushButton>(form.get(), name)->click(); }

    std::unique_ptr<TForm11> form;
};

const QColor kSelected(0x99, 0x99, 0x99);

} // namespace

TEST_F(U11Test, UnitButtonMovesTheReadingUnitWithoutRecomputing)
{
    edit("Et")->setText(QStringLiteral("1"));
    EXPECT_EQ(shown("Pt02"), QStringLiteral("100"));
    click("Pt4");
    EXPECT_EQ(part<QLabel>(form.get(), "Lt")->text(), QStringLiteral("(In)"));
    EXPECT_EQ(colourOf("Pt4"), kSelected);
    EXPECT_NE(colourOf("Pt1"), kSelected);
    EXPECT_EQ(shown("Pt02"), QStringLiteral("100"));
    // The next keystroke reads the whole text in inches.
    edit("Et")->setText(QStringLiteral("12"));
    EXPECT_EQ(shown("Pt01"), QStringLiteral("0.3"));
    EXPECT_EQ(shown("Pt04"), QStringLiteral("12"));
    // Emptying the edit leaves every result as it was.
    edit("Et")->clear();
    EXPECT_EQ(shown("Pt01"), QStringLiteral("0.3"));
    EXPECT_EQ(shown("Pt04"), QStringLiteral("12"));
    // Kilojoules are headed "Kj".
    click("Pe5");
    EXPECT_EQ(part<QLabel>(form.get(), "Lbe1")->text(), QStringLiteral("Kj"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
}

TEST_F(U11Test, OpeningAgainReadsEveryQuantityInItsFirstUnit)
{
    click("Pt3");
    click("Pd2");
    form->show();
    for (int q = 0; q < unitconv::QuantityCount; ++q)
        EXPECT_EQ(form->SourceUnit[q], 1);
    EXPECT_EQ(part<QLabel>(form.get(), "Lt")->text(), QStringLiteral(" (m)"));
    EXPECT_EQ(part<QLabel>(form.get(), "Lbd1")->text(), QStringLiteral("C"));
    EXPECT_EQ(colourOf("Pt1"), kSelected);
    EXPECT_NE(colourOf("Pt3"), kSelected);
    EXPECT_NE(colourOf("Pd2"), kSelected);
    edit("Ed1")->setText(QStringLiteral("25"));
    EXPECT_EQ(shown("Pd02"), QStringLiteral("77"));
    form->hide();
}

TEST_F(U11Test, SelectorShowsOnlyItsQuantity)
{
    form->show();
    click("P8");
    EXPECT_EQ(colourOf("P8"), kSelected);
    EXPECT_NE(colourOf("p1"), kSelected);
    EXPECT_TRUE(part(form.get(), "feshar")->isVisible());
    EXPECT_FALSE(part(form.get(), "tol")->isVisible());
    edit("Ef1")->setText(QStringLiteral("1"));
    EXPECT_EQ(shown("Pf05"), QStringLiteral("14.7"));
    form->hide();
}

TEST_F(U11Test, HalfTypedNumberIsQuietButNonsenseIsReported)
{
    edit("Et")->setText(QStringLiteral("2"));
    for (const char *t : {"-", "-.", "."}) {
        edit("Et")->setText(QLatin1String(t));
        EXPECT_EQ(shown("Pt01"), QLatin1String(t));
        EXPECT_EQ(shown("Pt02"), QStringLiteral("200"));
    }
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    edit("Et")->setText(QStringLiteral("-.5"));
    EXPECT_EQ(shown("Pt02"), QStringLiteral("-50"));
    edit("Et")->setText(QStringLiteral("x"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("'x' is not a valid floating point value")});
}

TEST_F(U11Test, OnlyEscapeClosesTheWindow)
{
    form->show();
    QTest::keyClick(form.get(), Qt::Key_F11);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}
