// The equipment window's menu driven by real clicks and key presses: the
// walk over the sixteen families and their second levels, the pages each
// item opens, Edit on the current item, Cancel and the next showing.
#include "boravest/building/PageFixture.h"

#include "boravest/equipment/U_15.h"
#include "platform/ui/ClickLabel.h"

#include <QFrame>

using namespace pagetest;

namespace {

class U_15Test : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        if (HasFatalFailure())
            return;
        FormT2Activated = false;
        showPage(FormT2);
    }
    void TearDown() override
    {
        if (FormT2)
            FormT2->done(QDialog::Rejected);
        PageFixture::TearDown();
    }

    template <class T = pf::ui::ClickLabel> static T *w(const QString &name)
    {
        T *c = FormT2->findChild<T *>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static void click(const QString &name) { w(name)->click(); }
    static void keys(std::initializer_list<Qt::Key> ks)
    {
        for (Qt::Key k : ks)
            press(FormT2, k);
    }
    static bool lit(const QString &name) { return w(name)->autoFillBackground(); }
    static bool shown(const QString &name) { return w<QWidget>(name)->isVisible(); }
    // Commands enabled, in bar order: Edit, Save, Calculate, Cancel, Back, Exit, menu.
    static QString commands()
    {
        QString s;
        for (const char *n : {"Label1", "Label24", "Label39", "Label41", "Label46", "Label47", "Panel4"})
            s += w<QWidget>(QString::fromLatin1(n))->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    }
};

TEST_F(U_15Test, ArrowKeysWalkTheMenuAndItsSecondLevels)
{
    const struct {
        std::initializer_list<Qt::Key> keys;
        short level, current, sub;
    } cases[] = {
        {{Qt::Key_Up}, 1, 16, 0},                         // wraps from the top
        {{Qt::Key_Up, Qt::Key_Down}, 1, 1, 0},            // and from the bottom
        {{Qt::Key_Down, Qt::Key_Left}, 1, 2, 0},          // no second level: stays
        {{Qt::Key_Right}, 1, 1, 0},                       // top level: stays
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left}, 2, 21, 3},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Down}, 2, 22, 4},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up}, 2, 21, 3},
        {{Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up,
          Qt::Key_Left, Qt::Key_Down},
         2, 32, 11},
        {{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}, 1, 5, 0},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(n++);
        FormT2->done(QDialog::Rejected);
        showPage(FormT2);
        ASSERT_EQ(CurrentMenuItem, 1);
        keys(c.keys);
        EXPECT_EQ(MenuLevel, c.level);
        EXPECT_EQ(CurrentMenuItem, c.current);
        EXPECT_EQ(MenuSubItem, c.sub);
        int highlighted = 0;
        for (QLabel *l : MenuLabels)
            highlighted += l && l->autoFillBackground();
        EXPECT_EQ(highlighted, 1);
        EXPECT_TRUE(MenuLabels[c.current]->autoFillBackground());
    }
    // The jacuzzi group was left with Right: its labels are hidden again.
    EXPECT_FALSE(shown(QStringLiteral("Label71")));
}

TEST_F(U_15Test, EveryItemOpensItsPageAndCancelReturnsToTheMenu)
{
    const struct {
        const char *label, *panel;
        const char *commands; // while open
    } cases[] = {
        {"Label18", nullptr, "0011010"},   {"Label19", "PMADoJ", "0111000"},   {"Label20", "PTankTF", "0111000"},
        {"Label6", "PDig", "0111000"},     {"Label7", "PKore", "0111000"},     {"Label13", "PPSiS", "0111000"},
        {"Label10", "PEMsh", "0111000"},   {"Label11", "PGhRvK", "0111000"},   {"Label12", "PDodkesh", "0111000"},
        {"Label9", "PMEBaz", "0111000"},   {"Label14", "PSakhGir", "0111000"}, {"Label15", "PHavPD", "0111000"},
        {"Label16", "Pic_Menu", "0001000"}, {"Label125", "PEsMo", "0111000"},   {"Label124", "PEsSir", "0111000"},
        {"Label71", "PJakoziMo", "0111000"}, {"Label69", "PJakoziSir", "0111000"}, {"Label112", "PPGRad", "0111000"},
        {"Label111", "PPGUH", "0111000"},
    };
    for (const auto &c : cases) {
        const QString label = QString::fromLatin1(c.label);
        SCOPED_TRACE(c.label);
        ASSERT_EQ(commands(), QStringLiteral("1000111"));
        click(label);
        EXPECT_EQ(commands(), QString::fromLatin1(c.commands));
        EXPECT_TRUE(lit(label));
        EXPECT_EQ(MenuLabels[CurrentMenuItem], w(label));
        if (c.panel) {
            EXPECT_TRUE(shown(QString::fromLatin1(c.panel)));
            press(FormT2, Qt::Key_Escape);
            EXPECT_FALSE(shown(QString::fromLatin1(c.panel)));
        } else {
            click(QStringLiteral("Label41"));
        }
        EXPECT_TRUE(lit(label)); // the highlight stays where it was
    }
    // Enter opens the highlighted item as a click does.
    FormT2->done(QDialog::Rejected);
    showPage(FormT2);
    keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Return});
    EXPECT_TRUE(shown(QStringLiteral("PHavPD")));
}

TEST_F(U_15Test, EditReopensTheSecondLevelItemThatIsCurrent)
{
    click(QStringLiteral("Label5"));
    EXPECT_TRUE(shown(QStringLiteral("Label125")) && shown(QStringLiteral("Shape2")));
    EXPECT_EQ(commands(), QStringLiteral("1000111")); // a group opens no page
    keys({Qt::Key_Down, Qt::Key_Return});
    EXPECT_TRUE(shown(QStringLiteral("PEsSir")));
    click(QStringLiteral("Label41"));
    EXPECT_FALSE(shown(QStringLiteral("PEsSir")));
    EXPECT_TRUE(shown(QStringLiteral("Label124"))); // the group stays open
    click(QStringLiteral("Label1"));
    EXPECT_TRUE(shown(QStringLiteral("PEsSir")));
    EXPECT_FALSE(shown(QStringLiteral("PEsMo")));
    EXPECT_EQ(CurrentMenuItem, 22);
    EXPECT_EQ(MenuSubItem, 4);
}

TEST_F(U_15Test, AnotherPageClosesTheOpenGroup)
{
    click(QStringLiteral("Label5"));
    click(QStringLiteral("Label6"));
    for (const char *n : {"Label125", "Label124", "Shape1", "Shape2"})
        EXPECT_FALSE(shown(QString::fromLatin1(n))) << n;
    EXPECT_FALSE(lit(QStringLiteral("Label125")));
    EXPECT_EQ(MenuLevel, 1);
    EXPECT_EQ(CurrentMenuItem, 6);
    EXPECT_TRUE(shown(QStringLiteral("PDig")));
}

TEST_F(U_15Test, EachShowingStartsAtTheFirstItem)
{
    // F4 goes back only from the menu.
    click(QStringLiteral("Label8"));
    click(QStringLiteral("Label112"));
    press(FormT2, Qt::Key_F4);
    ASSERT_TRUE(FormT2->isVisible());
    // Closing with a page open leaves it; the next showing starts afresh.
    FormT2->done(QDialog::Rejected);
    EXPECT_FALSE(FormT2Activated);
    EXPECT_EQ(MenuLevel, 0);
    showPage(FormT2);
    EXPECT_EQ(CurrentMenuItem, 1);
    EXPECT_TRUE(lit(QStringLiteral("Label18")));
    EXPECT_FALSE(lit(QStringLiteral("Label112")) || shown(QStringLiteral("Label112")) || shown(QStringLiteral("PPGRad")));
    EXPECT_EQ(commands(), QStringLiteral("1000111"));
    press(FormT2, Qt::Key_F4);
    EXPECT_FALSE(FormT2->isVisible());
    EXPECT_FALSE(FormT2Activated);
}

} // namespace

namespace {

TEST_F(U_15Test, PagesEditTheEquipmentRecordAndCancelPutsItBack)
{
    DM1->Database1->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, Masa_z) VALUES (?, 120)"), {project.number});
    // One unit row and one space of this project, one of another.
    for (double p : {project.number, project.number + 1}) {
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed) VALUES (?, 1, 1, 1)"), {p});
        DM1->Database1->exec(
            QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza) VALUES (?, 1, 1, 1, 1)"), {p});
    }
    DM1->Table12->open();
    ASSERT_FALSE(DM1->Table12->isEmpty());
    const struct {
        const char *label;
        bool edits;
        pf::db::Table *opened;
    } cases[] = {{"Label20", true, nullptr},          {"Label18", false, nullptr},
                 {"Label16", false, nullptr},         {"Label7", true, FormT2->Table1},
                 {"Label11", true, FormT2->Table2},   {"Label15", true, FormT2->Table3},
                 {"Label112", true, nullptr}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        if (QString::fromLatin1(c.label) == QLatin1String("Label112"))
            click(QStringLiteral("Label8"));
        click(QString::fromLatin1(c.label));
        EXPECT_EQ(DM1->Table12->state() == pf::db::DatasetState::Edit, c.edits);
        if (c.edits)
            DM1->Table12->fieldByName(QStringLiteral("Masa_z")).setValue(999);
        if (c.opened) {
            EXPECT_TRUE(c.opened->active());
            EXPECT_EQ(c.opened->recordCount(), 1);
        }
        click(QStringLiteral("Label41"));
        EXPECT_EQ(DM1->Table12->state(), pf::db::DatasetState::Browse);
        EXPECT_EQ(rows(QStringLiteral("SELECT Masa_z FROM Tajhizat")).rows.value(0).value(0).toInt(), 120);
    }
}

} // namespace
