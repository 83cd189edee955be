// The main window's menu: its items and captions, what each one opens, the
// delete levels, and the default colours and fonts.
#include "MainWindowFixture.h"

#include "boravest/building/U2.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/Ureport2.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/MainMenu.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace {

using MainMenuTest = testsupport::MainWindowFixture;

QStringList namesOf(const QList<QAction *> &actions)
{
    QStringList n;
    for (QAction *a : actions)
        n << a->objectName();
    return n;
}

QStringList comboItems(const QComboBox *c)
{
    QStringList items;
    for (int i = 0; i < c->count(); ++i)
        items << c->itemText(i);
    return items;
}

} // namespace

TEST_F(MainMenuTest, TreeOfCaptionsRightToLeft)
{
    QMenuBar *bar = Form1->MainMenu1;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), QStringLiteral("MainMenu1"));
    EXPECT_EQ(Form1->menuBar(), bar);
    EXPECT_EQ(bar->layoutDirection(), Qt::RightToLeft);
    EXPECT_NE(dynamic_cast<pf::ui::OwnerDrawMenuStyle *>(bar->style()), nullptr);

    const QList<QAction *> top = bar->actions();
    EXPECT_EQ(namesOf(top), (QStringList{"N1", "N2", "N20", "N21"}));
    EXPECT_EQ(top[3]->menu(), nullptr); // "a word with the user" is on the bar itself
    ASSERT_NE(top[0]->menu(), nullptr);
    EXPECT_EQ(namesOf(top[0]->menu()->actions()), (QStringList{"N3", "N15", "N17", "dsad1", "N7"}));
    EXPECT_EQ(namesOf(top[1]->menu()->actions()), (QStringList{"N4", "N11", "N19", "N8", "N9", "N25", "N5"}));
    EXPECT_EQ(namesOf(top[2]->menu()->actions()), (QStringList{"N24", "N22", "N23"}));
    EXPECT_EQ(namesOf(Form1->menuItem("N11")->menu()->actions()), (QStringList{"N12", "N13", "N14", "N16", "N18"}));
    EXPECT_EQ(namesOf(Form1->menuItem("N5")->menu()->actions()), (QStringList{"N6", "N10", "N26", "N27"}));

    const struct {
        const char *name;
        QString caption;
    } captions[] = {
        {"N1", QStringLiteral("منوي اصلي")},
        {"N3", QStringLiteral("ايجاد و ويرايش")},
        {"N15", QStringLiteral("چاپ دفترچه محاسبات")},
        {"N17", QStringLiteral("انتخاب تجهيزات")},
        {"dsad1", QStringLiteral("چاپ دفترچه تجهيزات")},
        {"N7", QStringLiteral("خروج")},
        {"N2", QStringLiteral("كارهاي جانبي")},
        {"N4", QStringLiteral("كپي پلان")},
        {"N11", QStringLiteral("حذف پلان")},
        {"N12", QStringLiteral("حذف پروژه")},
        {"N13", QStringLiteral("حذف طبقه")},
        {"N14", QStringLiteral("حذف واحد")},
        {"N16", QStringLiteral("حذف فضا")},
        {"N18", QStringLiteral("حذف جدار")},
        {"N19", QStringLiteral("بازسازي داده ها")},
        {"N8", QStringLiteral("تهيه پشتيبان")},
        {"N9", QStringLiteral("بازيابي داده ها")},
        {"N25", QStringLiteral(" تغيير مسير پرونده هاي داده")},
        {"N5", QStringLiteral("تغيير رنگ و قلم")},
        {"N6", QStringLiteral("انتخاب رنگ پيش فرض")},
        {"N10", QStringLiteral("انتخاب قلم پيش فرض")},
        {"N26", QStringLiteral("تغيير رنگ پنجره ها")},
        {"N27", QStringLiteral("تغيير قلم")},
        {"N20", QStringLiteral("راهنما")},
        {"N24", QStringLiteral("راهنماي كار با نرم افزار")},
        {"N22", QStringLiteral("فرهنگ اصطلاحات تاسيساتي")},
        {"N23", QStringLiteral("جدول تبديل واحدهاي اندازي گيري")},
        {"N21", QStringLiteral("سخني با كاربر")},
    };
    for (const auto &c : captions) {
        QAction *a = Form1->menuItem(QString::fromLatin1(c.name));
        ASSERT_NE(a, nullptr) << c.name;
        EXPECT_EQ(a->text(), c.caption) << c.name;
        EXPECT_TRUE(a->shortcut().isEmpty()) << c.name;
        EXPECT_FALSE(a->isCheckable()) << c.name;
        if (QMenu *m = a->menu()) {
            EXPECT_EQ(m->layoutDirection(), Qt::RightToLeft) << c.name;
            EXPECT_EQ(m->style(), bar->style()) << c.name;
            for (QAction *child : m->actions())
                EXPECT_FALSE(child->isSeparator()) << c.name;
        }
    }

    // From the right: main menu, side jobs, help, the word to the user.
    Form1->resize(790, 546);
    Form1->show();
    QCoreApplication::processEvents();
    for (int i = 0; i + 1 < top.size(); ++i)
        EXPECT_GT(bar->actionGeometry(top[i]).x(), bar->actionGeometry(top[i + 1]).x()) << i;
}

TEST_F(MainMenuTest, ItemsOpenTheirForms)
{
    const struct {
        const char *item;
        const char *form;
    } items[] = {{"N15", "Form13"},     {"N17", "FormT1"},     {"dsad1", "Form23"}, {"N25", "ModifyAliaz"},
                 {"N26", "FormColor"},  {"N27", "FormFont"},   {"N24", "FHelp"},    {"N22", "Form15"},
                 {"N23", "Form11"},     {"N21", "Sokhan"}};
    for (const auto &it : items) {
        modalsShown.clear();
        // Each modal form returns to the main window, whose activation
        // reopens the database.
        DM1->Database1->close();
        choose(it.item);
        EXPECT_EQ(modalsShown, QStringList{QString::fromLatin1(it.form)}) << it.item;
        EXPECT_TRUE(DM1->Database1->connected()) << it.item;
    }
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_FALSE(Form1->isClosing());
}

TEST_F(MainMenuTest, CreateAndEditRefillsTheCityListEachTime)
{
    DM1->Database1->exec(QStringLiteral("insert into shahrg (Name_shahr) values ('تهران'), ('اراك')"));
    Form2->de4->addItem(QStringLiteral("left over"));
    bool projectsOpen = false;
    onModal = [&](QWidget *) {
        projectsOpen = DM1->Table1->active();
        return 0;
    };
    choose("N3");
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form2")});
    EXPECT_TRUE(projectsOpen); // the page opens on the projects table
    const QStringList first = comboItems(Form2->de4);
    EXPECT_EQ(first.size(), 2);
    EXPECT_TRUE(first.contains(QStringLiteral("تهران")));
    EXPECT_TRUE(first.contains(QStringLiteral("اراك")));
    // A city added in between is listed; none is listed twice.
    DM1->Database1->exec(QStringLiteral("insert into shahrg (Name_shahr) values ('يزد')"));
    choose("N3");
    QStringList second = comboItems(Form2->de4);
    EXPECT_EQ(second.size(), 3);
    EXPECT_EQ(QStringList(second).removeDuplicates(), 0);
    EXPECT_TRUE(second.contains(QStringLiteral("يزد")));
    // The list is in the cities table's own order.
    DM1->Table7->open();
    QStringList tableOrder;
    for (DM1->Table7->first(); !DM1->Table7->eof(); DM1->Table7->next())
        tableOrder << DM1->Table7->fieldByName(QStringLiteral("Name_shahr")).asString();
    EXPECT_EQ(second, tableOrder);
}

TEST_F(MainMenuTest, SideJobItemsSetTheTitleAndTheGrid)
{
    onModal = [](QWidget *w) {
        EXPECT_EQ(w, Form17);
        return 0;
    };
    choose("N4");
    EXPECT_EQ(Form17->ui->Label13->text(), QStringLiteral("كپي طبقات"));
    EXPECT_FALSE(Form17->ui->DBGrid2->isHidden());
    choose("N8");
    EXPECT_EQ(Form17->ui->Label13->text(), QStringLiteral("تهيه پشتيبان از داده ها"));
    EXPECT_TRUE(Form17->ui->DBGrid2->isHidden());
    choose("N4");
    EXPECT_FALSE(Form17->ui->DBGrid2->isHidden());
    choose("N9");
    EXPECT_EQ(Form17->ui->Label13->text(), QStringLiteral("بازيابي داده ها"));
    EXPECT_TRUE(Form17->ui->DBGrid2->isHidden());
    EXPECT_EQ(modalsShown.size(), 4);
    // The form's side menu names its panels too.
    emit Form17->ui->Label4->clicked();
    EXPECT_EQ(Form17->ui->Label13->text(), QStringLiteral("تهيه پشتيبان از داده ها"));
    emit Form17->ui->Label2->clicked();
    EXPECT_EQ(Form17->ui->Label13->text(), QStringLiteral("كپي طبقات"));
    EXPECT_FALSE(Form17->ui->DBGrid2->isHidden());
    emit Form17->ui->Label5->clicked();
    EXPECT_EQ(Form17->ui->Label13->text(), QStringLiteral("بازيابي داده ها"));
}

TEST_F(MainMenuTest, DeleteItemsSetTheLevelAndEnableGridsWithoutWaiting)
{
    const struct {
        const char *item;
        int level;
        bool grids[4];
    } cases[] = {{"N12", 1, {true, false, false, false}}, {"N13", 2, {true, true, false, false}},
                 {"N14", 3, {true, true, false, false}}, {"N16", 4, {true, true, true, false}},
                 {"N18", 5, {true, true, true, true}},    {"N12", 1, {true, false, false, false}}};
    for (const auto &c : cases) {
        choose(c.item);
        EXPECT_EQ(DeleteLevel, c.level) << c.item;
        const pf::ui::DBGrid *grids[] = {Form16->ui->DBGrid1, Form16->ui->DBGrid2, Form16->ui->DBGrid3, Form16->ui->DBGrid4};
        for (int g = 0; g < 4; ++g)
            EXPECT_EQ(grids[g]->isEnabled(), c.grids[g]) << c.item << " DBGrid" << g + 1;
        // Shown without waiting, not through the modal path.
        EXPECT_TRUE(Form16->isVisible()) << c.item;
        EXPECT_FALSE(Form16->isModal()) << c.item;
    }
    EXPECT_TRUE(modalsShown.isEmpty());
    // The level stays until the next delete item.
    choose("N15");
    EXPECT_EQ(DeleteLevel, 1);

    // When the delete form goes, the main window's activation runs again.
    DM1->Database1->close();
    Form16->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(DM1->Database1->connected());
}

TEST_F(MainMenuTest, ExitEndsWithoutAQuestion)
{
    choose("N7");
    EXPECT_TRUE(Form1->isClosing());
    EXPECT_TRUE(modalsShown.isEmpty());
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    // The program ends through the exit hook; a local event loop (a modal
    // form) run afterwards in the same process still waits for its end.
    EXPECT_EQ(testsupport::takeExits(), QList<int>{0});
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), 7);
}

TEST_F(MainMenuTest, DefaultColoursAndFontsAreStoredAndApplied)
{
    // A chosen scheme in force and stored.
    for (int i = 0; i < 25; ++i)
        AreaColors[i] = 0x102030 + i;
    DM1->Table16->open();
    DM1->Table16->edit();
    for (int i = 0; i < 25; ++i)
        DM1->Table16->fieldByName(QString::fromLatin1(schema::kColorFields[i])).setAsInteger(AreaColors[i]);
    DM1->Table16->post();
    DM1->Table16->close();
    ProgramFonts = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    DM1->Table17->open();
    DM1->Table17->edit();
    DM1->Table17->fieldByName(QStringLiteral("FldScreenF")).setAsString(QStringLiteral("A"));
    DM1->Table17->fieldByName(QStringLiteral("FldPrintF")).setAsString(QStringLiteral("B"));
    DM1->Table17->fieldByName(QStringLiteral("FldPrintFst")).setAsString(QStringLiteral("C"));
    DM1->Table17->post();
    DM1->Table17->close();

    // The item registers the password itself.
    pf::db::Session::clearPasswords();
    choose("N6");
    const int expected[5] = {12632256, 14872561, 0, 9737861, 0};
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(AreaColors[i], expected[i % 5]) << i;
    EXPECT_FALSE(DM1->Table16->active());
    // Applied: the delete form's grids (reports area) take the default window colour.
    EXPECT_EQ(Form16->ui->DBGrid1->palette().color(QPalette::Base), QColor(192, 192, 192));

    pf::db::Session::clearPasswords();
    choose("N10");
    EXPECT_EQ(ProgramFonts.ScreenFont, QStringLiteral("mitra"));
    EXPECT_EQ(ProgramFonts.ReportFont, QStringLiteral("Traffic"));
    EXPECT_EQ(ProgramFonts.TitleFont, QStringLiteral("Titr"));
    EXPECT_FALSE(DM1->Table17->active());
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // Stored: what the next start reads.
    pf::db::Table colors, fonts;
    colors.setDatabase(DM1->Database1);
    colors.setTableName(QStringLiteral("BankColors.DB"));
    colors.open();
    ASSERT_EQ(colors.recordCount(), 1);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(colors.fieldByName(QString::fromLatin1(schema::kColorFields[i])).asInteger(), expected[i % 5]) << i;
    fonts.setDatabase(DM1->Database1);
    fonts.setTableName(QStringLiteral("BankFont.DB"));
    fonts.open();
    ASSERT_EQ(fonts.recordCount(), 1);
    EXPECT_EQ(fonts.fieldByName(QStringLiteral("FldScreenF")).asString(), QStringLiteral("mitra"));
    EXPECT_EQ(fonts.fieldByName(QStringLiteral("FldPrintF")).asString(), QStringLiteral("Traffic"));
    EXPECT_EQ(fonts.fieldByName(QStringLiteral("FldPrintFst")).asString(), QStringLiteral("Titr"));
}
