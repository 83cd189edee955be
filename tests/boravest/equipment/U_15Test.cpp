// The equipment window's frame driven by real clicks and key presses: the
// walk over the sixteen families and their second levels, the pages each
// item opens, Edit, Save, Cancel and Back, the keys of every state, the
// general-data view, the result panel and the next showing of another
// project.
#include "boravest/building/PageFixture.h"

#include "boravest/equipment/U_15.h"
#include "boravest/help/UHelp.h"
#include "boravest/data/ProgramState.h"
#include "boravest/sidejobs/SchemeApply.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>

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

TEST_F(U_15Test, EveryItemOpensByClickAndByArrowsAndEnter)
{
    const char *const page = "0111000";
    const struct {
        const char *label, *parent; // parent: the top item of a second-level item
        int downs;                  // from item 1 to the item (or to its parent)
        bool second;                // the second item of its group
        const char *shows, *commands;
    } cases[] = {
        {"Label18", nullptr, 0, false, nullptr, "0011010"},  {"Label19", nullptr, 1, false, "PMADoJ", page},
        {"Label20", nullptr, 2, false, "PTankTF", page},     {"Label5", nullptr, 3, false, "Label125", "1000111"},
        {"Label2", nullptr, 4, false, "Label71", "1000111"}, {"Label6", nullptr, 5, false, "PDig", page},
        {"Label7", nullptr, 6, false, "PKore", page},        {"Label8", nullptr, 7, false, "Label112", "1000111"},
        {"Label13", nullptr, 8, false, "PPSiS", page},       {"Label10", nullptr, 9, false, "PEMsh", page},
        {"Label11", nullptr, 10, false, "PGhRvK", page},     {"Label12", nullptr, 11, false, "PDodkesh", page},
        {"Label9", nullptr, 12, false, "PMEBaz", page},      {"Label14", nullptr, 13, false, "PSakhGir", page},
        {"Label15", nullptr, 14, false, "PHavPD", page},     {"Label16", nullptr, 15, false, "Pic_Menu", "0001000"},
        {"Label125", "Label5", 3, false, "PEsMo", page},     {"Label124", "Label5", 3, true, "PEsSir", page},
        {"Label71", "Label2", 4, false, "PJakoziMo", page},  {"Label69", "Label2", 4, true, "PJakoziSir", page},
        {"Label112", "Label8", 7, false, "PPGRad", page},    {"Label111", "Label8", 7, true, "PPGUH", page},
    };
    for (bool byKeys : {false, true}) {
        for (const auto &c : cases) {
            const QString label = QString::fromLatin1(c.label);
            SCOPED_TRACE(std::string(c.label) + (byKeys ? " keys" : " click"));
            FormT2->done(QDialog::Rejected);
            showPage(FormT2);
            ASSERT_EQ(commands(), QStringLiteral("1000111"));
            if (byKeys) {
                for (int i = 0; i < c.downs; ++i)
                    press(FormT2, Qt::Key_Down);
                if (c.parent)
                    keys({Qt::Key_Left});
                if (c.second)
                    keys({Qt::Key_Down});
                keys({Qt::Key_Return});
            } else {
                if (c.parent)
                    click(QString::fromLatin1(c.parent));
                click(label);
            }
            EXPECT_EQ(commands(), QString::fromLatin1(c.commands));
            if (c.shows) {
                EXPECT_TRUE(shown(QString::fromLatin1(c.shows)));
            }
            if (QString::fromLatin1(c.commands) == QLatin1String("1000111"))
                continue; // a group: no page to leave
            // The highlight is on the item and stays there when Esc leaves it.
            EXPECT_TRUE(lit(label));
            EXPECT_EQ(MenuLabels[CurrentMenuItem], w(label));
            press(FormT2, Qt::Key_Escape);
            if (label == QLatin1String("Label16")) {
                // Esc first only puts the pictures away; the next one cancels.
                EXPECT_FALSE(shown(QStringLiteral("Pic_Menu")) || shown(QStringLiteral("pic_show")));
                EXPECT_EQ(commands(), QStringLiteral("0001000"));
                press(FormT2, Qt::Key_Escape);
            }
            EXPECT_EQ(commands(), QStringLiteral("1000111"));
            if (c.shows) {
                EXPECT_FALSE(shown(QString::fromLatin1(c.shows)));
            }
            EXPECT_TRUE(lit(label));
            EXPECT_TRUE(modalsShown.isEmpty());
        }
    }
}

// A box takes the numbers its field holds: a point where the field may have
// decimals, only digits where it is whole.
TEST_F(U_15Test, BoxesTakeTheKindOfNumberOfTheirField)
{
    const QString whole = QStringLiteral(" عدد صحيح معتبر است");
    const struct {
        const char *box;
        bool decimal;
    } cases[] = {
        {"DBEdit2", true},   // pipe-work quality of the hot-water tank
        {"DBEdit4", false},  // its return pump's efficiency
        {"DBEdit23", true},  // air around the pool
        {"DBEdit80", false}, // air around the jacuzzi, a whole number
        {"Edit3", true},     // a pipe length of the expansion tank
        {"DBEdit101", true}, // water in the boilers
        {"DBEdit98", true},  // pipe-work quality of the circulation
        {"DBEdit97", false}, // its pump count
        {"DBEdit83", true},  // return air of the furnace
        {"DBEdit88", true},  // its fresh air
        {"DBEdit90", true},  // its duct insulation
        {"DBEdit89", false}, // its efficiency
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.box);
        QTest::keyClick(w<QLineEdit>(QString::fromLatin1(c.box)), Qt::Key_Period);
        EXPECT_EQ(testsupport::takeMessages(), c.decimal ? QStringList{} : QStringList{whole});
    }
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

namespace {

// The window over projects 7 and 8, each with its equipment record; the
// window shows project 7.
class U_15RecordTest : public U_15Test {
protected:
    void SetUp() override
    {
        U_15Test::SetUp();
        if (HasFatalFailure())
            return;
        ProjectData other;
        other.number = 8;
        other.name = QStringLiteral("برج");
        addProject(other);
        const char *sql = "INSERT INTO Tajhizat (Shproje, Masa_z, TySo, NSakh) VALUES (?, ?, ?, ?)";
        DM1->Database1->exec(QString::fromLatin1(sql), {7, 120, 1, 2});
        DM1->Database1->exec(QString::fromLatin1(sql), {8, 300, 0, 7});
        showProject(7);
        testsupport::takeMessages();
        modalsShown.clear();
    }
    // The project made current as the inputs page does, then a new showing.
    void showProject(double number)
    {
        FormT2->done(QDialog::Rejected);
        pf::db::Table *t = DM1->Table1;
        for (t->first(); !t->eof(); t->next())
            if (t->fieldByName(QStringLiteral("SHPROJE")).asFloat() == number)
                break;
        DM1->Table12->open();
        showPage(FormT2);
    }
    static QString text(const char *name) { return w<QLineEdit>(QString::fromLatin1(name))->text(); }
    static double stored(const char *field, double p = 7)
    {
        return rows(QStringLiteral("SELECT %1 FROM Tajhizat WHERE Shproje = ?").arg(QLatin1String(field)), {p})
            .rows.value(0)
            .value(0)
            .toDouble();
    }
    static void setField(const char *field, double v)
    {
        DM1->Table12->fieldByName(QString::fromLatin1(field)).setValue(v);
    }
    static bool editing() { return DM1->Table12->state() == pf::db::DatasetState::Edit; }
};

} // namespace

TEST_F(U_15RecordTest, EscAndCtrlCInEveryState)
{
    const struct {
        const char *name;
        std::initializer_list<const char *> clicks;
        bool generalData;
        const char *stays;           // still shown after the first key
        const char *first, *second;  // commands after the first and the second key
        bool asksFirst, asksSecond;  // the exit question
    } cases[] = {
        {"menu", {}, false, nullptr, "1000111", "1000111", true, true},
        {"page", {"Label20"}, false, nullptr, "1000111", "1000111", false, true},
        {"item 1", {"Label18"}, false, nullptr, "1000111", "1000111", false, true},
        {"general data", {}, true, nullptr, "1000111", "1000111", false, true},
        {"general data on a page", {"Label20"}, true, "PTankTF", "0111000", "1000111", false, false},
        {"pictures", {"Label16"}, false, nullptr, "0001000", "1000111", false, false},
    };
    for (const auto &c : cases) {
        for (bool ctrlC : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (ctrlC ? " Ctrl+C" : " Esc"));
            showProject(7);
            for (const char *l : c.clicks)
                click(QString::fromLatin1(l));
            if (c.generalData)
                keys({Qt::Key_F6});
            modalsShown.clear();
            auto key = [&] {
                ctrlC ? press(FormT2, Qt::Key_C, Qt::ControlModifier) : press(FormT2, Qt::Key_Escape);
            };
            key();
            EXPECT_FALSE(shown(QStringLiteral("ScrollBox2")) || shown(QStringLiteral("Pic_Menu")));
            if (c.stays) {
                EXPECT_TRUE(shown(QString::fromLatin1(c.stays)));
            }
            EXPECT_EQ(commands(), QString::fromLatin1(c.first));
            EXPECT_EQ(modalsShown, c.asksFirst ? QStringList{QStringLiteral("Form3")} : QStringList{});
            modalsShown.clear();
            key();
            EXPECT_EQ(commands(), QString::fromLatin1(c.second));
            EXPECT_EQ(modalsShown, c.asksSecond ? QStringList{QStringLiteral("Form3")} : QStringList{});
            EXPECT_FALSE(editing());
        }
    }
}

TEST_F(U_15RecordTest, HelpToolsAndCalculatorKeys)
{
    for (Qt::Key k : {Qt::Key_F1, Qt::Key_F10, Qt::Key_F11})
        press(FormT2, k);
    EXPECT_EQ(modalsShown, (QStringList{"FormHelp", "Form15", "Form11"}));
    EXPECT_EQ(FormHelp->windowTitle(), QStringLiteral("     راهنماي كاربران - انتخاب تجهيزات "));
    EXPECT_EQ(testsupport::part<QTabWidget>(FormHelp, "PageControl1")->currentIndex(), 3);
    // F12: the calculator of the data folder; a missing one is reported.
    press(FormT2, Qt::Key_F12);
    const QStringList said = testsupport::takeMessages();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("Failed to excecute program"))) << said[0].toStdString();
}

TEST_F(U_15RecordTest, GeneralDataViewShowsTheProjectAndCancelClosesItFirst)
{
    click(QStringLiteral("Label20"));
    press(FormT2, Qt::Key_F6);
    ASSERT_TRUE(shown(QStringLiteral("ScrollBox2")));
    EXPECT_EQ(text("De2"), QStringLiteral("120"));
    EXPECT_EQ(text("Nsokft"), QStringLiteral("گاز شهري"));
    EXPECT_EQ(text("NoeSakft"), QStringLiteral("هتل"));
    EXPECT_TRUE(w<QLineEdit>(QStringLiteral("De2"))->isReadOnly());
    // F6 again changes nothing while the view is open.
    setField("TySo", 0);
    press(FormT2, Qt::Key_F6);
    EXPECT_EQ(text("Nsokft"), QStringLiteral("گاز شهري"));
    // Cancel closes the view only; the next one leaves the page.
    click(QStringLiteral("Label41"));
    EXPECT_FALSE(shown(QStringLiteral("ScrollBox2")));
    EXPECT_TRUE(shown(QStringLiteral("PTankTF")));
    EXPECT_TRUE(editing());
    click(QStringLiteral("Label41"));
    EXPECT_FALSE(shown(QStringLiteral("PTankTF")));
    EXPECT_EQ(stored("TySo"), 1);
}

TEST_F(U_15RecordTest, EditSaveCancelAndBack)
{
    // Save posts what the page holds and goes back to the menu (the
    // expansion tank page has no range checks).
    click(QStringLiteral("Label9"));
    FormT2->MakeComp(4, 300, 300, 100, 1, 10, 100, 0, 0, 0, 0, QString(), QString());
    setField("Masa_z", 999);
    press(FormT2, Qt::Key_F2);
    EXPECT_EQ(stored("Masa_z"), 999);
    EXPECT_FALSE(editing());
    EXPECT_FALSE(shown(QStringLiteral("PMEBaz")));
    EXPECT_EQ(commands(), QStringLiteral("1000111"));
    EXPECT_EQ(ResultPanel, nullptr);
    EXPECT_FALSE(ResultPanelExists);
    // F2 after a successful Save does nothing.
    DM1->Table12->edit();
    setField("Masa_z", 5);
    press(FormT2, Qt::Key_F2);
    EXPECT_TRUE(editing());
    EXPECT_EQ(stored("Masa_z"), 999);
    DM1->Table12->cancel();

    // A record the table refuses to store keeps the page as typed.
    click(QStringLiteral("Label9"));
    setField("Masa_z", 42);
    {
        testsupport::RawFile lock(tableFile(QStringLiteral("Tajhizat.DB")));
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));
        DM1->Database1->setBusyTimeout(0);
        click(QStringLiteral("Label24"));
        EXPECT_EQ(testsupport::takeMessages().size(), 1);
        EXPECT_TRUE(editing());
        EXPECT_TRUE(shown(QStringLiteral("PMEBaz")));
        EXPECT_EQ(commands(), QStringLiteral("0111000"));
        lock.exec("ROLLBACK");
    }
    click(QStringLiteral("Label24"));
    EXPECT_EQ(stored("Masa_z"), 42);

    // Back closes the window.
    click(QStringLiteral("Label46"));
    EXPECT_FALSE(FormT2->isVisible());
}

TEST_F(U_15RecordTest, ALongProjectNameShowsCutWithAMarkAndWholeOnHover)
{
    const QString name = QStringLiteral("ساختمان مسكوني فرشته");
    DM1->Database1->exec(QStringLiteral("UPDATE Bank1 SET NAME = ? WHERE SHPROJE = 7"), {name});
    DM1->Table1->refresh();
    showProject(7);
    auto *shown = w<QLabel>(QStringLiteral("LProject"));
    EXPECT_TRUE(shown->text().endsWith(QChar(0x2026))) << shown->text().toStdString();
    // The words it keeps, joined to the mark as they were to the letters cut.
    EXPECT_TRUE(name.startsWith(shown->text().chopped(1).remove(QChar(0x200D))));
    EXPECT_LE(QFontMetrics(shown->font()).horizontalAdvance(shown->text()), shown->contentsRect().width());
    EXPECT_EQ(shown->toolTip(), name);
}

TEST_F(U_15RecordTest, AnotherProjectShowsNothingOfTheLastOne)
{
    click(QStringLiteral("Label20"));
    FormT2->MakeComp(4, 300, 300, 100, 1, 10, 100, 0, 0, 0, 0, QString(), QString());
    FormT2->showResultPanel();
    press(FormT2, Qt::Key_F6);
    EXPECT_EQ(text("De2"), QStringLiteral("120"));
    // The window is closed with the view and the page open.
    FormT2->done(QDialog::Rejected);
    EXPECT_FALSE(editing());

    showProject(8);
    EXPECT_EQ(ResultPanel, nullptr);
    EXPECT_FALSE(ResultPanelExists);
    EXPECT_FALSE(shown(QStringLiteral("ScrollBox2")));
    EXPECT_EQ(text("Nsokft"), QString());
    EXPECT_EQ(text("NoeSakft"), QString());
    EXPECT_EQ(w<QLabel>(QStringLiteral("LProject"))->text(), QStringLiteral("برج"));
    EXPECT_TRUE(w<QLabel>(QStringLiteral("LProject"))->toolTip().isEmpty());
    EXPECT_EQ(commands(), QStringLiteral("1000111"));
    press(FormT2, Qt::Key_F6);
    EXPECT_EQ(text("De2"), QStringLiteral("300"));
    EXPECT_EQ(text("Nsokft"), QStringLiteral("گازوئيل"));
    EXPECT_EQ(text("NoeSakft"), QStringLiteral("اداره"));
}

TEST_F(U_15Test, ResultPanelIsBuiltAfreshWithItsRows)
{
    // Five rows at a 23-pixel pitch from RowsTop + 33; a second group of
    // two beside them, from the same top.
    FormT2->MakeComp(10, 40, 400, 200, 5, 20, 150, 2, 260, 330, 12, QStringLiteral("نتايج"), QString());
    ASSERT_NE(ResultPanel, nullptr);
    EXPECT_TRUE(ResultPanelExists);
    EXPECT_EQ(ResultPanel->parent(), nullptr); // not shown before a run has results
    EXPECT_EQ(ResultPanel->geometry(), QRect(10, 40, 400, 200));
    for (int i = 1; i <= 7; ++i) {
        SCOPED_TRACE(i);
        const int row = i <= 5 ? i : i - 5;
        EXPECT_EQ(ResultCaptions[i]->pos(), QPoint(i <= 5 ? 150 : 330, 12 + 33 + 23 * (row - 1)));
        EXPECT_EQ(ResultValues[i]->y(), ResultCaptions[i]->y());
        EXPECT_EQ(ResultValues[i]->x(), i <= 5 ? 20 : 260);
        EXPECT_EQ(ResultCaptions[i]->font().pointSize() * 10 + ResultValues[i]->font().pointSize(), 100);
    }
    EXPECT_EQ(ResultCaptions[8], nullptr);
    EXPECT_EQ(ResultPanel->palette().color(QPalette::Window),
              pf::ui::winColor(AreaColors[AreaT * 5 + RoleWin]));
    auto *title = ResultPanel->findChild<QLabel *>(QStringLiteral("ResultTitle1"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x(), qRound(200 - title->width() / 2.0));

    // A value keeps its left edge on its column, whatever its length.
    FormT2->setResultRow(1, QStringLiteral(":قطر"), FormT2->roundText(1234.5));
    EXPECT_EQ(ResultValues[1]->text(), QStringLiteral("1234")); // halves to even
    EXPECT_EQ(ResultValues[1]->x(), 20);
    FormT2->setResultRow(1, QStringLiteral(":قطر"), FormT2->roundText(7));
    EXPECT_EQ(ResultValues[1]->x(), 20);
    EXPECT_EQ(ResultValues[1]->text(), QStringLiteral("7"));

    // A value too wide for the room before its caption moves the caption
    // on; with no room left in the panel it starts further left itself.
    const QString wide = QStringLiteral("123456789.5");
    FormT2->setResultRow(1, QStringLiteral(":قطر"), wide);
    const int needed = ResultValues[1]->width() - 21; // 5 + width + 4 - 30
    // Room in the panel beyond the caption: enough, or 3 short.
    for (int room : {needed + 50, needed - 3}) {
        SCOPED_TRACE(room);
        FormT2->MakeComp(0, 0, 100, 100, 1, 5, 30, 0, 0, 0, 0, QString(), QString());
        FormT2->setResultRow(1, QStringLiteral(":قطر"), QString());
        ResultPanel->resize(30 + ResultCaptions[1]->width() + 2 + room, 100);
        FormT2->setResultRow(1, QStringLiteral(":قطر"), wide);
        const QRect c = ResultCaptions[1]->geometry(), v = ResultValues[1]->geometry();
        EXPECT_EQ(c.left(), v.right() + 5);
        EXPECT_LE(c.right(), ResultPanel->width() - 2);
        EXPECT_EQ(v.left(), room >= needed ? 5 : 2);
    }

    // A grid placed on the panel goes with it: a new panel or Cancel leaves
    // nothing pointing at the old one.
    ResultGrid = new pf::ui::DBGrid(ResultPanel);
    QPointer<QWidget> grid = ResultGrid;
    FormT2->MakeComp(0, 0, 100, 100, 1, 0, 0, 0, 0, 0, 0, QString(), QString());
    EXPECT_TRUE(grid.isNull());
    EXPECT_EQ(ResultGrid, nullptr);
    EXPECT_EQ(ResultCaptions[2], nullptr);
    ResultGrid = new pf::ui::DBGrid(ResultPanel);
    FormT2->showResultPanel();
    EXPECT_EQ(ResultPanel->parent(), FormT2);
    click(QStringLiteral("Label18"));
    click(QStringLiteral("Label41"));
    EXPECT_EQ(ResultPanel, nullptr);
    EXPECT_EQ(ResultGrid, nullptr);
    EXPECT_FALSE(ResultPanelExists);
}

// Captions are stored as they read in a left-to-right paragraph, colon
// first, whatever letter follows the colon; sizes such as "1/4 1" as they
// read right to left ("1 1/4"). On the pages and on the result panel they
// are drawn so.
TEST_F(U_15Test, LabelsAreDrawnAsTheirTextsAreStored)
{
    FormT2->MakeComp(0, 0, 300, 100, 1, 5, 60, 0, 0, 0, 0, QString(), QString());
    FormT2->setResultRow(1, QStringLiteral(":ضريب عايق كاري"), QStringLiteral("1/4 1"));
    const struct {
        QLabel *label;
        int direction;
    } cases[] = {{ResultCaptions[1], Qt::TextForceLeftToRight},
                 {ResultValues[1], Qt::TextForceRightToLeft},
                 {w<QLabel>(QStringLiteral("LabelBoilerCount")), Qt::TextForceLeftToRight}, // ":تعداد ديگ"
                 {w<QLabel>(QStringLiteral("SizeLabel4")), Qt::TextForceRightToLeft}};      // "1/4 1"
    for (const auto &c : cases) {
        QLabel *label = c.label;
        SCOPED_TRACE(label->objectName().toStdString());
        const auto drawn = [label](int direction) {
            QImage image(label->size(), QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            p.setFont(label->font());
            const int align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
            p.drawText(label->contentsRect(), align | direction, label->text());
            return image;
        };
        QImage shown(label->size(), QImage::Format_ARGB32);
        shown.fill(Qt::white);
        label->render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);
        const int other = c.direction == Qt::TextForceLeftToRight ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight;
        ASSERT_NE(drawn(c.direction), drawn(other));
        EXPECT_EQ(shown, drawn(c.direction));
    }
}

TEST_F(U_15Test, HighlightedItemShowsItsOwnColourAndReadsWhileAPageIsOpen)
{
    // The default scheme: Win 192 grey, menu labels on the menu colour.
    const int role[5] = {12632256, 14872561, 0, 9737861, 0};
    for (int i = 0; i < 25; ++i)
        AreaColors[i] = role[i % 5];
    bv::sidejobs::paintForm(FormT2, AreaColors, bv::sidejobs::colorRulesFor(QStringLiteral("FormT2")));
    click(QStringLiteral("Label19")); // the hot-water tank page: the menu is disabled
    ASSERT_FALSE(w<QWidget>(QStringLiteral("Panel4"))->isEnabled());
    QLabel *item = MenuLabels[2];
    ASSERT_TRUE(item->autoFillBackground());
    QImage image(item->size(), QImage::Format_RGB32);
    item->render(&image);
    const QColor menu = pf::ui::winColor(AreaColors[AreaT * 5 + RoleMenu]);
    EXPECT_EQ(QColor(image.pixel(1, 1)), menu);
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    EXPECT_LT(darkest, qGray(menu.rgb()) * 2 / 3) << "the text stands out from the highlight";
}

TEST_F(U_15Test, CommandLabelsHoverAndPicturesFollowTheirButtons)
{
    auto *edit = w(QStringLiteral("Label1"));
    auto *back = w(QStringLiteral("Label46"));
    back->mouseMoved();
    edit->mouseMoved();
    EXPECT_EQ(pf::ui::textColor(edit), QColor(255, 0, 0));
    EXPECT_EQ(edit->y(), 7);
    EXPECT_EQ(back->y(), 6);
    EXPECT_EQ(pf::ui::textColor(back), pf::ui::winColor(AreaColors[AreaT * 5 + RoleText]));
    edit->mouseLeft();
    EXPECT_EQ(edit->y(), 6);

    click(QStringLiteral("Label16"));
    auto pictures = [] {
        QString s;
        for (const char *n : {"ImgEst", "ImgJkz1", "ImgJkz2"})
            s += shown(QString::fromLatin1(n)) && w<QWidget>(QString::fromLatin1(n))->isEnabled() ? QLatin1Char('1')
                                                                                                   : QLatin1Char('0');
        return s;
    };
    EXPECT_EQ(pictures(), QStringLiteral("100"));
    EXPECT_TRUE(w<QRadioButton>(QStringLiteral("RadioButton1"))->isChecked());
    // The same after the page was cancelled and opened again.
    click(QStringLiteral("Label41"));
    click(QStringLiteral("Label16"));
    EXPECT_EQ(pictures(), QStringLiteral("100"));
    for (const auto &[button, want] : {std::pair{"RadioButton3", "001"}, std::pair{"RadioButton2", "010"}}) {
        auto *b = w<QRadioButton>(QString::fromLatin1(button));
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() - 8, b->height() / 2));
        EXPECT_EQ(pictures(), QString::fromLatin1(want)) << button;
    }
    // Each picture is a drawing filling its frame's width.
    for (const char *n : {"ImgEst", "ImgJkz1", "ImgJkz2"}) {
        const QImage img = w<QLabel>(QString::fromLatin1(n))->pixmap().toImage();
        ASSERT_FALSE(img.isNull()) << n;
        const int mid = img.height() / 2;
        int ink = 0;
        for (int x = 0; x < img.width(); ++x)
            ink += qGray(img.pixel(x, mid)) < 128;
        EXPECT_GT(ink, 0) << n;
        EXPECT_EQ(img.deviceIndependentSize().toSize().width(), w<QLabel>(QString::fromLatin1(n))->contentsRect().width());
    }
}

// However wide the numbers of a page's results, up to the widest that can
// be shown, no two texts of its panel overlap, each stays inside the panel
// and the panel inside the window. Every page's panel is taken as its run
// leaves it (a run stopped on its inputs has set its captions already).
TEST_F(U_15Test, ResultPanelsHoldTheWidestNumbersWithoutOverlap)
{
    // A pool and a jacuzzi whose pumps are sized, so that their rows are set.
    DM1->Database1->exec(
        QStringLiteral("INSERT INTO Tajhizat (Shproje, Typ_M_Est, Mass_Est, G_Ab_Est, Oft_Fesh_K_Est, Oft_Fesh_F_Est, "
                       "Oft_Fesh_Sh_Est, Rand_m1E, Oft_Fesh_P_M_Est, Oft_Fesh_D_Est, Te_Pmp_D_Est, Rand_m2E, "
                       "T_filter_es, Te_Pmp_Est, Typ_M_Jak, Mass_Jak, G_Ab_Jak, Oft_fesh_K_Jak, Oft_Fesh_F_Jak, "
                       "Oft_Fesh_Sh_Jak, Rand_m1J, Oft_Fesh_P_M_Jak, Oft_Fesh_D_Jak, Te_Pmp_D_Jak, Rand_m2J, "
                       "T_filter_jk, Te_Pmp_Jak, EkhtDama, OfteFeshar, Randeman, Rand_Est, Rand_Jak, TySo) "
                       "VALUES (?, 0, 1, 6, 5, 10, 8, 60, 3, 4, 1, 60, 1, 2, 0, 1, 2, 5, 5, 4, 60, 3, 2, 1, 60, 1, 1, "
                       "20, 2.5, 80, 80, 80, 0)"),
        {project.number});
    DM1->Table12->open();
    const auto pumps = [this](const char *parent, const char *item, int type) {
        return [=] {
            DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET Typ_M_Est = ?, Typ_M_Jak = ?"), {type, type});
            DM1->Table12->refresh();
            click(QString::fromLatin1(parent));
            click(QString::fromLatin1(item));
            const bool pool = qstrcmp(item, "Label124") == 0;
            w<QLineEdit>(QString::fromLatin1(pool ? "Edit29" : "Edit32"))->setText(QStringLiteral("30000"));
            w<QLineEdit>(QString::fromLatin1(pool ? "Edit30" : "Edit33"))->setText(QStringLiteral("242484"));
            pool ? FormT2->EstakhPmpSir(1) : FormT2->JakoziPmpSir(1);
        };
    };
    const auto withList = [](const char *list, int index, std::function<void()> run) {
        return [=] {
            w<QComboBox>(QString::fromLatin1(list))->setCurrentIndex(index);
            run();
        };
    };
    const struct {
        const char *page;
        std::function<void()> run;
    } pages[] = {
        {"branch", [] { FormT2->SizeKontor(1); }},
        {"double-wall tank", [] { FormT2->MAbGMDJedar(1); }},
        {"hot-water coil tank", [] { FormT2->KAbDagh(1); }},
        {"steam coil tank", [] { FormT2->MAKB(1); }},
        {"pressure tank", [] { FormT2->TankTF(1); }},
        {"boiler", [] { FormT2->Dig(1); }},
        {"steam boiler", withList("ComboBox10", 1, [] { FormT2->Dig(1); })},
        {"burner", [] { FormT2->EntMashal(1); }},
        {"pool exchanger", withList("ComboBox6", 0, [] { FormT2->EstakhMobadel(1); })},
        {"pool steam exchanger", withList("ComboBox6", 1, [] { FormT2->EstakhMobadel(1); })},
        {"jacuzzi exchanger", withList("ComboBox9", 0, [] { FormT2->JakoziMobadel(1); })},
        {"jacuzzi steam exchanger", withList("ComboBox9", 1, [] { FormT2->JakoziMobadel(1); })},
        {"chimney", [] { FormT2->PrDodkesh(1); }},
        {"expansion tank", [] { FormT2->MEnBaz(1); }},
        {"collectors", [] { FormT2->GhKlvRz(1); }},
        {"softener", [] { FormT2->SakhGir(1); }},
        {"pool pumps", pumps("Label5", "Label124", 0)},
        {"pool pumps, steam", pumps("Label5", "Label124", 1)},
        {"jacuzzi pumps", pumps("Label2", "Label69", 0)},
        {"jacuzzi pumps, steam", pumps("Label2", "Label69", 1)},
        {"circulation pump", [] { FormT2->PmpSir(1); }},
        {"radiators", [] { FormT2->ESRad(1); }},
        {"furnaces", [] { FormT2->Kore(1); }},
    };
    const QString widest = TFormT2::roundText(-999999999999999.0);
    ASSERT_EQ(widest.size(), 16);
    for (const auto &p : pages) {
        SCOPED_TRACE(p.page);
        p.run();
        testsupport::takeMessages();
        ASSERT_NE(ResultPanel, nullptr);
        int rows = 0;
        for (int i = 1; i <= 21; ++i)
            if (ResultCaptions[i] && !ResultCaptions[i]->text().isEmpty())
                FormT2->setResultRow(i, ResultCaptions[i]->text(), widest), ++rows;
        EXPECT_GT(rows, 0);
        ASSERT_TRUE(FormT2->showResultPanel());
        QList<QLabel *> texts;
        for (QLabel *l : ResultPanel->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            if (!l->text().isEmpty())
                texts << l;
        for (qsizetype a = 0; a < texts.size(); ++a) {
            EXPECT_TRUE(ResultPanel->rect().contains(texts[a]->geometry())) << texts[a]->objectName().toStdString();
            for (qsizetype b = a + 1; b < texts.size(); ++b)
                EXPECT_FALSE(texts[a]->geometry().intersects(texts[b]->geometry()))
                    << texts[a]->objectName().toStdString() << " " << texts[b]->objectName().toStdString();
        }
        EXPECT_TRUE(FormT2->rect().contains(ResultPanel->geometry())) << ResultPanel->geometry().x() << " "
                                                                         << ResultPanel->geometry().width();
        click(QStringLiteral("Label41"));
    }
}
