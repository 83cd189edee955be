// The project general data page driven by real key presses: the command
// bar, the keys, the window and door choosers, the guide, the city input,
// the checks of Save in their order, the derived climate values and the
// move of a project's rows when its number changes.
#include "GeneralDataFixture.h"

#include "boravest/building/U8.h"
#include "boravest/app/U3.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "boravest/help/UHelp.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"

#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

namespace {

const QString kTemperature = QStringLiteral("دماي طرح داخل را تصحيح كنيد");
const QString kSafety = QStringLiteral("ضريب اطمينان را تصحيح كنيد");
const QString kUValue = QStringLiteral("ضريب هدايت هرارتي جداره ها را تصحيح كنيد");
const QString kCity = QStringLiteral("شهر و مشخصات مربوط به آن را وارد كنيد");
const QString kNumber = QStringLiteral("پس از وارد كردن شماره پروژه داده ها را ذخيره كنيد");
const QString kDuplicate = QStringLiteral("ركورد تكراري است");
const QString kNewCity = QStringLiteral("مختصات شهر جديد را وارد كنيد");
const QString kCityName = QStringLiteral("نام شهر را وارد كنيد");
const QString kOnlyNumber = QStringLiteral(" عدد معتبر است");
const QString kNumberAndSeparator = QStringLiteral(" عدد و مميز معتبر است");

class GeneralDataPage : public GeneralDataFixture {
protected:
    QStringList save()
    {
        testsupport::takeMessages();
        key(Form2->De2, Qt::Key_F2);
        return testsupport::takeMessages();
    }
    void selectProject(double number)
    {
        ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {number}));
    }
    double count(const QString &table, double project)
    {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Shproje = ?").arg(table), {project});
    }
    // A project's floor and unit row, space, surface, equipment record and
    // material layers.
    void addProjectRows(double p, bool layers = true)
    {
        auto *db = DM1->Database1;
        db->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed) VALUES (?, ?, 1, 1)"), {p, p});
        db->exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza) VALUES (?, ?, 1, 1, 3)"),
                 {p, p});
        db->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza) VALUES (?, ?, 1, 1, 3)"),
                 {p, p});
        db->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje) VALUES (?)"), {p});
        if (layers)
            db->exec(QStringLiteral("INSERT INTO TypMas (Shproje, Type, Typ1) VALUES (?, 1, 8)"), {p});
    }
};

} // namespace

TEST_F(GeneralDataPage, SaveChecksEachInputInOrderAndStopsAtTheFirst)
{
    addProject(7);
    openPage();
    const int before = DM1->Table1->recordCount();
    key(Form2->DBGrid1, Qt::Key_Insert);

    // Everything empty: the inputs count 0 and the inside temperature is
    // the first to fail.
    EXPECT_EQ(save(), QStringList{kTemperature});
    EXPECT_TRUE(Form2->entryState());
    EXPECT_TRUE(Form2->Panel3->isVisible());
    for (QLineEdit *e : {static_cast<QLineEdit *>(Form2->De3), Form2->de1, static_cast<QLineEdit *>(Form2->De5),
                         static_cast<QLineEdit *>(Form2->De12), static_cast<QLineEdit *>(Form2->De14), Form2->Edit2})
        EXPECT_EQ(e->text(), QStringLiteral("0")) << e->objectName().toStdString();
    EXPECT_EQ(Form2->de4->currentText(), QStringLiteral("0"));
    EXPECT_EQ(Form2->De2->text(), QString());

    type(Form2->De13, QStringLiteral("49"));
    EXPECT_EQ(save(), QStringList{kTemperature});
    type(Form2->De13, QStringLiteral("111"));
    EXPECT_EQ(save(), QStringList{kTemperature});
    type(Form2->De13, QStringLiteral("110")); // the bounds pass
    EXPECT_EQ(save(), QStringList{kCity});    // safety factor 0 and U-values 0 pass
    type(Form2->De13, QStringLiteral("50"));

    type(Form2->De14, QStringLiteral("101"));
    EXPECT_EQ(save(), QStringList{kSafety});
    type(Form2->De14, QStringLiteral("100"));

    // Each U-value in turn: above 2 fails, exactly 2 passes.
    for (pf::ui::DBEdit *e : {Form2->De5, Form2->De6, Form2->DE7, Form2->De8, Form2->De9, Form2->De10, Form2->De11,
                              Form2->De12}) {
        type(e, QStringLiteral("2.1"));
        EXPECT_EQ(save(), QStringList{kUValue}) << e->objectName().toStdString();
        type(e, QStringLiteral("2"));
    }
    EXPECT_EQ(save(), QStringList{kCity});

    type(Form2->de4, QStringLiteral("shiraz"));
    EXPECT_EQ(save(), QStringList{kNumber});
    type(Form2->de1, QStringLiteral("7"));
    EXPECT_EQ(save(), QStringList{kDuplicate});
    type(Form2->de1, QStringLiteral("007")); // the number 7, not the text
    EXPECT_EQ(save(), QStringList{kDuplicate});
    EXPECT_EQ(DM1->Table1->recordCount(), before);

    type(Form2->de1, QStringLiteral("008"));
    EXPECT_EQ(save(), QStringList());
    EXPECT_FALSE(Form2->entryState());
    EXPECT_FALSE(Form2->Panel3->isVisible());
    EXPECT_EQ(DM1->Table1->recordCount(), before + 1);
    const auto row = DM1->Database1->select(
        QStringLiteral("SELECT SHAHR, Ti1, Sf, VAL_K, Sakf_D, DATE1 FROM Bank1 WHERE SHPROJE = 8"));
    ASSERT_EQ(row.rows.size(), 1);
    EXPECT_EQ(row.rows[0][0].toString(), QStringLiteral("shiraz"));
    EXPECT_DOUBLE_EQ(row.rows[0][1].toDouble(), 50);
    EXPECT_EQ(row.rows[0][2].toString(), QStringLiteral("100"));
    EXPECT_DOUBLE_EQ(row.rows[0][3].toDouble(), 2);
    EXPECT_DOUBLE_EQ(row.rows[0][4].toDouble(), 2);
    EXPECT_EQ(row.rows[0][5].toString(), QStringLiteral("0"));
}

TEST_F(GeneralDataPage, ATextThatIsNoNumberGetsAMessageAndTheEntryStays)
{
    openPage();
    fillValidProject(QStringLiteral("5"));
    const int before = DM1->Table1->recordCount();
    // Pasted past the key filter.
    Form2->De6->setFocus();
    Form2->De6->insert(QStringLiteral("1.2.3"));
    EXPECT_EQ(save(), QStringList{QStringLiteral(" عدد معتبر است")});
    EXPECT_TRUE(Form2->entryState());
    type(Form2->De6, QStringLiteral("0.3"));
    Form2->de1->setText(QStringLiteral("1x"));
    EXPECT_EQ(save(), QStringList{QStringLiteral(" عدد معتبر است")});
    EXPECT_TRUE(Form2->entryState());
    EXPECT_EQ(DM1->Table1->recordCount(), before);
    type(Form2->de1, QStringLiteral("5"));
    EXPECT_EQ(save(), QStringList());
    EXPECT_EQ(DM1->Table1->recordCount(), before + 1);
}

TEST_F(GeneralDataPage, DerivedClimateOfTheCityAtTheTablesPoints)
{
    // The air density ratio and the ground temperature themselves.
    EXPECT_DOUBLE_EQ(TForm2::Chegali(0, 55), 1.01);
    EXPECT_DOUBLE_EQ(TForm2::Chegali(2000, 12), 1.07);
    EXPECT_DOUBLE_EQ(TForm2::Chegali(1500, 12), 1.065);
    EXPECT_DOUBLE_EQ(TForm2::Chegali(10000, 12), TForm2::Chegali(9000, 12));
    EXPECT_NEAR(TForm2::Chegali(2000, 31), 1.02, 1e-12);
    EXPECT_NEAR(TForm2::Chegali(1500, 31), 1.02, 1e-12);
    EXPECT_DOUBLE_EQ(TForm2::Damaz(-40), 35);
    EXPECT_DOUBLE_EQ(TForm2::Damaz(30), 70);
    EXPECT_DOUBLE_EQ(TForm2::Damaz(5), 57.5);

    // Saved with each city: altitude, outdoor temperature, Ga and Tg.
    openPage();
    const struct {
        const char *city;
        int number;
        double hi, to, ga, tg;
    } cases[] = {{"shiraz", 1, 1500, 31, 1.02, 70.5},
                 {"tabriz", 2, 2000, 12, 1.07, 61},
                 {"bandar", 3, 0, 55, 1.01, 82.5},
                 {"sardab", 4, 10000, -5, 0.80, 52.5}};
    for (const auto &c : cases) {
        fillValidProject(QString::number(c.number));
        type(Form2->de4, QString::fromLatin1(c.city));
        Form2->De5->setFocus();
        ASSERT_EQ(save(), QStringList()) << c.city;
        const auto r = DM1->Database1->select(QStringLiteral("SELECT Hi, To1, Ga, Tg FROM Bank1 WHERE SHPROJE = ?"),
                                              {c.number});
        ASSERT_EQ(r.rows.size(), 1);
        EXPECT_DOUBLE_EQ(r.rows[0][0].toDouble(), c.hi) << c.city;
        EXPECT_DOUBLE_EQ(r.rows[0][1].toDouble(), c.to) << c.city;
        EXPECT_NEAR(r.rows[0][2].toDouble(), c.ga, 1e-12) << c.city;
        EXPECT_DOUBLE_EQ(r.rows[0][3].toDouble(), c.tg) << c.city;
    }
}

TEST_F(GeneralDataPage, CommandBarFollowsTheKeys)
{
    addProject(7);
    openPage();
    auto browse = [] {
        return !Form2->entryState() && Form2->Panel4->isEnabled() && !Form2->Panel3->isVisible() &&
               Form2->Label1->isEnabled() && Form2->Label2->isEnabled() && Form2->Label7->isEnabled() &&
               Form2->Label8->isEnabled() && Form2->Label9->isEnabled() && !Form2->Label3->isEnabled() &&
               !Form2->Label6->isEnabled();
    };
    auto entry = [] {
        return Form2->entryState() && !Form2->Panel4->isEnabled() && Form2->Panel3->isVisible() &&
               !Form2->Label1->isEnabled() && !Form2->Label2->isEnabled() && !Form2->Label7->isEnabled() &&
               !Form2->Label8->isEnabled() && !Form2->Label9->isEnabled() && Form2->Label3->isEnabled() &&
               Form2->Label6->isEnabled();
    };
    EXPECT_TRUE(browse());
    const int before = DM1->Table1->recordCount();

    // Insert: New, with the unbound inputs at 0 and the focus on the date.
    key(Form2->DBGrid1, Qt::Key_Insert);
    EXPECT_TRUE(entry());
    EXPECT_EQ(Form2->focusWidget(), Form2->De3);
    EXPECT_EQ(Form2->de1->text(), QStringLiteral("0"));
    EXPECT_EQ(Form2->Edit1->text(), QStringLiteral("0"));
    // Enter walks the inputs and comes back to the first after the last.
    key(Form2->De3, Qt::Key_Return);
    EXPECT_EQ(Form2->focusWidget(), Form2->de1);
    Form2->De12->setFocus();
    key(Form2->De12, Qt::Key_Return);
    EXPECT_EQ(Form2->focusWidget(), Form2->De3);
    // Insert and F3 do nothing while entering.
    key(Form2->De3, Qt::Key_F3);
    EXPECT_TRUE(modalsShown.isEmpty());
    // Esc: Cancel.
    key(Form2->De3, Qt::Key_Escape);
    EXPECT_TRUE(browse());
    EXPECT_EQ(DM1->Table1->recordCount(), before);
    // F2 does nothing in browse.
    key(Form2->DBGrid1, Qt::Key_F2);
    EXPECT_TRUE(browse());

    // Enter on the grid: Edit, with the number, city and its climate.
    key(Form2->DBGrid1, Qt::Key_Return);
    EXPECT_TRUE(entry());
    EXPECT_EQ(Form2->de1->text(), QStringLiteral("7"));
    EXPECT_EQ(Form2->de4->currentText(), QStringLiteral("shiraz"));
    EXPECT_EQ(Form2->Edit1->text(), QStringLiteral("1500"));
    EXPECT_EQ(Form2->Edit2->text(), QStringLiteral("31"));
    EXPECT_EQ(Form2->De13->text(), QStringLiteral("70"));
    key(Form2->De3, Qt::Key_Escape);
    EXPECT_TRUE(browse());

    // F3: the floors and units page, over bankvh.DB by IDXVH.
    key(Form2->DBGrid1, Qt::Key_F3);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form8")});
    EXPECT_TRUE(DM1->Table3->active());
    EXPECT_EQ(DM1->Table3->indexName().toLower(), QStringLiteral("idxvh"));
    // Esc in browse: the exit question.
    modalsShown.clear();
    Form3->Mode = QStringLiteral("Delete");
    key(Form2->DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form3")});
    EXPECT_EQ(Form3->Mode, QString());
    EXPECT_EQ(testsupport::part<QLabel>(Form3, "Label2")->text(), TForm3::exitQuestion());
    // Help forms.
    modalsShown.clear();
    key(Form2->DBGrid1, Qt::Key_F1);
    key(Form2->DBGrid1, Qt::Key_F10);
    key(Form2->DBGrid1, Qt::Key_F11);
    EXPECT_EQ(modalsShown, (QStringList{QStringLiteral("FormHelp"), QStringLiteral("Form15"), QStringLiteral("Form11")}));
    EXPECT_EQ(FormHelp->windowTitle(), QStringLiteral("     راهنماي كاربران - ايجاد و ويرايش"));
    // F12: the calculator of the data folder; a missing one is reported.
    testsupport::takeMessages();
    key(Form2->DBGrid1, Qt::Key_F12);
    for (const QString &m : testsupport::takeMessages())
        EXPECT_TRUE(m.startsWith(QStringLiteral("Failed to excecute program"))) << m.toStdString();
    // F4: the page closes with its tables.
    key(Form2->DBGrid1, Qt::Key_F4);
    EXPECT_FALSE(Form2->isVisible());
    EXPECT_FALSE(DM1->Table1->active());
    EXPECT_FALSE(DM1->Table7->active());
}

TEST_F(GeneralDataPage, CommandLabelsHoverRed)
{
    openPage();
    Form2->Label1->mouseMoved();
    EXPECT_EQ(pf::ui::textColor(Form2->Label1), QColor(255, 0, 0));
    EXPECT_EQ(Form2->Label1->y(), 6);
    Form2->Label3->mouseMoved();
    EXPECT_EQ(Form2->Label1->y(), 5);
    EXPECT_EQ(pf::ui::textColor(Form2->Label1), pf::ui::winColor(AreaColors[AreaV * 5 + RoleText]));
    EXPECT_EQ(Form2->Label3->y(), 6);
    Form2->Label3->mouseLeft();
    EXPECT_EQ(Form2->Label3->y(), 5);
}

TEST_F(GeneralDataPage, WindowAndDoorChoosersApplyTheirPresets)
{
    openPage();
    fillValidProject(QStringLiteral("9"));

    // F5 in the external window: the chooser, its first button focused.
    key(Form2->DE7, Qt::Key_F5);
    ASSERT_TRUE(Form2->Panel1->isVisible());
    EXPECT_FALSE(Form2->Panel3->isEnabled());
    EXPECT_FALSE(Form2->Panel5->isEnabled());
    EXPECT_EQ(Form2->focusWidget(), Form2->kindButton(1));
    key(Form2->kindButton(1), Qt::Key_Down); // checks double glazing
    EXPECT_TRUE(Form2->kindButton(2)->isChecked());
    EXPECT_EQ(Form2->focusWidget(), Form2->kindButton(2));
    EXPECT_EQ(Form2->DE7->text(), QStringLiteral("0.65"));
    key(Form2->kindButton(2), Qt::Key_Return);
    EXPECT_FALSE(Form2->Panel1->isVisible());
    EXPECT_TRUE(Form2->Panel3->isEnabled());
    EXPECT_EQ(Form2->focusWidget(), Form2->DE7);

    // Reopened by its label: the stored type is checked and focused; Esc
    // closes it without applying anything.
    Form2->Label36->click();
    EXPECT_TRUE(Form2->kindButton(2)->isChecked());
    EXPECT_EQ(Form2->focusWidget(), Form2->kindButton(2));
    key(Form2->kindButton(2), Qt::Key_Escape);
    EXPECT_FALSE(Form2->Panel1->isVisible());
    EXPECT_EQ(Form2->DE7->text(), QStringLiteral("0.65"));
    // The internal window has no type yet: nothing is checked.
    key(Form2->De8, Qt::Key_F5);
    for (int c = 1; c <= 3; ++c)
        EXPECT_FALSE(Form2->kindButton(c)->isChecked()) << c;
    Form2->Label75->click(); // "X"
    EXPECT_FALSE(Form2->Panel1->isVisible());

    // Doors: a click applies, a double click applies and closes.
    key(Form2->De10, Qt::Key_F5);
    ASSERT_TRUE(Form2->Panel2->isVisible());
    // On the button's indicator, which stands at its right.
    QTest::mouseClick(Form2->kindButton(11), Qt::LeftButton, {},
                      QPoint(Form2->kindButton(11)->width() - 8, Form2->kindButton(11)->height() / 2));
    EXPECT_EQ(Form2->De10->text(), QStringLiteral("0.3"));
    EXPECT_TRUE(Form2->Panel2->isVisible());
    QTest::mouseDClick(Form2->kindButton(13), Qt::LeftButton);
    EXPECT_EQ(Form2->De10->text(), QStringLiteral("0.6"));
    EXPECT_FALSE(Form2->Panel2->isVisible());
    key(Form2->De9, Qt::Key_F5);
    key(Form2->kindButton(4), Qt::Key_Up); // round the end to the last
    EXPECT_EQ(Form2->De9->text(), QStringLiteral("0.6"));
    key(Form2->kindButton(13), Qt::Key_Up);
    key(Form2->kindButton(12), Qt::Key_Return);
    EXPECT_EQ(Form2->De9->text(), QStringLiteral("0.45"));

    EXPECT_EQ(save(), QStringList());
    const auto r = DM1->Database1->select(
        QStringLiteral("SELECT W_K, W_D, D_K, D_D, Win_K, DOR_D, DOR_K FROM Bank1 WHERE SHPROJE = 9"));
    ASSERT_EQ(r.rows.size(), 1);
    EXPECT_DOUBLE_EQ(r.rows[0][0].toDouble(), 2);
    EXPECT_DOUBLE_EQ(r.rows[0][1].toDouble(), 0);
    EXPECT_DOUBLE_EQ(r.rows[0][2].toDouble(), 12);
    EXPECT_DOUBLE_EQ(r.rows[0][3].toDouble(), 13);
    EXPECT_DOUBLE_EQ(r.rows[0][4].toDouble(), 0.65);
    EXPECT_DOUBLE_EQ(r.rows[0][5].toDouble(), 0.6);
    EXPECT_DOUBLE_EQ(r.rows[0][6].toDouble(), 0.45);
    EXPECT_EQ(TForm2::KindCaption(12), QStringLiteral("درب ورودي راهرو(نيمه شيشه اي)"));

    // Editing again: the chooser marks the stored type.
    selectProject(9);
    key(Form2->DBGrid1, Qt::Key_Return);
    key(Form2->DE7, Qt::Key_F5);
    EXPECT_TRUE(Form2->kindButton(2)->isChecked());
    EXPECT_EQ(Form2->focusWidget(), Form2->kindButton(1));
}

TEST_F(GeneralDataPage, TemperatureGuideOpensBesideTheInsideTemperature)
{
    openPage();
    key(Form2->DBGrid1, Qt::Key_Insert);
    key(Form2->De13, Qt::Key_F6);
    EXPECT_TRUE(Form2->Panel8->isVisible());
    EXPECT_EQ(Form2->focusWidget(), Form2->De13);
    EXPECT_EQ(Form2->Grid8->rowCount(), 29);
    EXPECT_EQ(Form2->Grid8->item(0, 0)->text(), QStringLiteral("مسكوني- هتل"));
    EXPECT_EQ(Form2->Grid8->item(21, 0)->text(), QStringLiteral("محيط آموزشي"));
    EXPECT_EQ(Form2->Grid8->item(28, 1)->text(), QStringLiteral("ناهارخوري"));
    EXPECT_EQ(Form2->Grid8->item(28, 2)->text(), QStringLiteral("70-65"));
    // Esc hides the guide first and leaves the entry open.
    key(Form2->De13, Qt::Key_Escape);
    EXPECT_FALSE(Form2->Panel8->isVisible());
    EXPECT_TRUE(Form2->entryState());
    Form2->Label73->click();
    EXPECT_TRUE(Form2->Panel8->isVisible());
    Form2->Label43->click();
    EXPECT_FALSE(Form2->Panel8->isVisible());
    EXPECT_EQ(Form2->focusWidget(), Form2->De13);
}

TEST_F(GeneralDataPage, CityInputLooksTheCityUp)
{
    openPage();
    key(Form2->DBGrid1, Qt::Key_Insert);
    // F5 with an unknown city does nothing; with a known one it fills the
    // displays, a minus sign after the digits.
    type(Form2->de4, QStringLiteral("qom"));
    key(Form2->de4, Qt::Key_F5);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_TRUE(modalsShown.isEmpty());
    type(Form2->de4, QStringLiteral("sardab"));
    key(Form2->de4, Qt::Key_F5);
    EXPECT_EQ(Form2->Edit1->text(), QStringLiteral("10000"));
    EXPECT_EQ(Form2->Edit2->text(), QStringLiteral("5-"));
    // Choosing from the list looks up too.
    Form2->de4->setCurrentIndex(Form2->de4->findText(QStringLiteral("tabriz")));
    Q_EMIT Form2->de4->textActivated(QStringLiteral("tabriz"));
    EXPECT_EQ(Form2->Edit1->text(), QStringLiteral("2000"));

    // Leaving it with an unknown city leads to the city form.
    type(Form2->de4, QStringLiteral("qom"));
    key(Form2->de4, Qt::Key_Return);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kNewCity});
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form5")});
    EXPECT_EQ(Form2->focusWidget(), Form2->De2);

    // The button beside the city needs a name.
    modalsShown.clear();
    Form2->de4->setEditText(QString());
    Form2->Label42->click();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kCityName});
    EXPECT_TRUE(modalsShown.isEmpty());
    Form2->de4->setEditText(QStringLiteral("qom"));
    Form2->Label42->click();
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form5")});
}

TEST_F(GeneralDataPage, InputsTakeOnlyWhatTheirFieldsHold)
{
    openPage();
    key(Form2->DBGrid1, Qt::Key_Insert);
    type(Form2->de4, QStringLiteral("SHAHRE-KHEILI-DERAZ"));
    EXPECT_EQ(Form2->de4->currentText(), QStringLiteral("shahre-kheili-d")); // 15, lower case
    type(Form2->De3, QStringLiteral("1380/01/01/99"));
    EXPECT_EQ(Form2->De3->text(), QStringLiteral("1380/01/01"));
    type(Form2->De14, QStringLiteral("1234567"));
    EXPECT_EQ(Form2->De14->text(), QStringLiteral("12345"));
    type(Form2->De2, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(Form2->De2->text(), QStringLiteral("abcdefghijklmnopqrst"));
    testsupport::takeMessages();

    // Filters: numbers only, the date also "/", the U-values also ".".
    type(Form2->De13, QStringLiteral("7a0"));
    EXPECT_EQ(Form2->De13->text(), QStringLiteral("70"));
    type(Form2->de1, QStringLiteral("1.2"));
    EXPECT_EQ(Form2->de1->text(), QStringLiteral("12"));
    type(Form2->De5, QStringLiteral("-0.5"));
    EXPECT_EQ(Form2->De5->text(), QStringLiteral("0.5"));
    type(Form2->De3, QStringLiteral("1380.1"));
    EXPECT_EQ(Form2->De3->text(), QStringLiteral("13801"));
    EXPECT_EQ(testsupport::takeMessages(), (QStringList{kOnlyNumber, kOnlyNumber, kOnlyNumber, kNumberAndSeparator}));
}

TEST_F(GeneralDataPage, ChangingTheNumberWorksWithEveryTableAlreadyAttached)
{
    addProject(12);
    addProjectRows(12);
    openPage();
    selectProject(12);
    // As after a while in the program: every table file has been reached.
    for (const auto &t : schema::dataFolderTables())
        DM1->Database1->attachTable(t.fileName);
    key(Form2->DBGrid1, Qt::Key_Return);
    type(Form2->de1, QStringLiteral("15"));
    EXPECT_EQ(save(), QStringList());
    for (const char *t : {"bankvh", "bankfz", "bankjd", "Tajhizat", "TypMas"})
        EXPECT_EQ(count(QString::fromLatin1(t), 15), 1) << t;
}

TEST_F(GeneralDataPage, ChangingTheNumberMovesEveryRowOfTheProject)
{
    addProject(12);
    addProject(14);
    addProjectRows(12);
    addProjectRows(14);
    openPage();
    selectProject(12);
    key(Form2->DBGrid1, Qt::Key_Return);
    type(Form2->de1, QStringLiteral("20"));
    EXPECT_EQ(save(), QStringList());
    for (const char *t : {"bankvh", "bankfz", "bankjd", "Tajhizat", "TypMas"}) {
        const QString table = QString::fromLatin1(t);
        EXPECT_EQ(count(table, 20), 1) << t;
        EXPECT_EQ(count(table, 12), 0) << t;
        EXPECT_EQ(count(table, 14), 1) << t;
    }
    for (const char *t : {"bankvh", "bankfz", "bankjd"})
        EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Shsk = 20").arg(QLatin1String(t))), 1) << t;
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Bank1 WHERE SHPROJE = 20")), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Bank1 WHERE SHPROJE = 12")), 0);

    // Another project's number is refused and nothing moves.
    selectProject(20);
    key(Form2->DBGrid1, Qt::Key_Return);
    type(Form2->de1, QStringLiteral("14"));
    EXPECT_EQ(save(), QStringList{kDuplicate});
    key(Form2->de1, Qt::Key_Escape);
    EXPECT_EQ(count(QStringLiteral("bankvh"), 20), 1);

    // The same number written differently is no change.
    selectProject(20);
    key(Form2->DBGrid1, Qt::Key_Return);
    type(Form2->de1, QStringLiteral("020"));
    EXPECT_EQ(save(), QStringList());
    EXPECT_EQ(count(QStringLiteral("bankfz"), 20), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Bank1")), 2);
}

TEST_F(GeneralDataPage, ANumberChangeThatCannotCompleteChangesNothing)
{
    addProject(12);
    addProjectRows(12, false);
    // The material layers' table has gone: the move fails half way.
    ASSERT_TRUE(QFile::remove(QDir(dataFolder()).filePath(QStringLiteral("TypMas.DB"))));
    openPage();
    selectProject(12);
    key(Form2->DBGrid1, Qt::Key_Return);
    type(Form2->de1, QStringLiteral("20"));
    const QStringList messages = save();
    EXPECT_EQ(messages.size(), 1);
    EXPECT_TRUE(Form2->entryState());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Bank1 WHERE SHPROJE = 12")), 1);
    for (const char *t : {"bankvh", "bankfz", "bankjd", "Tajhizat"}) {
        EXPECT_EQ(count(QString::fromLatin1(t), 12), 1) << t;
        EXPECT_EQ(count(QString::fromLatin1(t), 20), 0) << t;
    }
}
