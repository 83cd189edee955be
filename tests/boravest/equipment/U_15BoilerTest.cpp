// The boiler, burner, pool and jacuzzi exchanger pages of the equipment
// window driven by clicks and key presses: what their openers fill in,
// Calculate's result panel for the worked cases, stopped runs, Save's range
// checks and the boxes that must not carry one project's values into another.
#include "boravest/building/PageFixture.h"

#include "boravest/equipment/U_15.h"
#include "platform/ui/ClickLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>

using namespace pagetest;
using bv::sizing::BurnerResults;

namespace {

using Fields = std::vector<std::pair<const char *, QVariant>>;

// A pool and a jacuzzi of the worked cases, boilers and burner as valid inputs.
const Fields kRecord = {
    {"DAbgarm", 180},   {"DamAbSh", 50},       {"DamAbBeh", 140},   {"Randeman", 0},    {"NSakh", 0},
    {"Dosh", 1},        {"Rand_Dig", 80},      {"Te_Dig", 2},       {"K_A_Dig", 80},    {"Typ_Dig", 0},
    {"Rand_Mash", 80},  {"TySo", 0},           {"HU", 1055},        {"Mass_Est", 0},    {"Omgh_M_Est", 5},
    {"D_Ma_Est", 80},   {"Mz_G_Ab_Est", 48},   {"D_Mo_Est", 75},    {"Rand_Est", 80},   {"Te_Est", 1},
    {"Typ_M_Est", 0},   {"Mass_Jak", 40},      {"Omgh_M_Jak", 3},   {"D_Ma_Jak", 100},  {"D_Mo_Jak", 80},
    {"Mz_G_Ab_Jak", 1}, {"Te_Naz", 4},         {"Rand_Jak", 80},    {"Te_Jak", 1},      {"Typ_M_Jak", 0},
    {"OfteFeshar", 2}};

class U_15BoilerTest : public PageFixture {
protected:
    void SetUp() override
    {
        project.to = 10;
        PageFixture::SetUp();
        if (HasFatalFailure())
            return;
        addRecord(project.number, kRecord);
        DM1->Table1->edit();
        DM1->Table1->fieldByName(QStringLiteral("Hi")).setValue(3900);
        DM1->Table1->post();
        DM1->Table12->open();
        FormT2Activated = false;
        showPage(FormT2);
        testsupport::takeMessages();
    }
    void TearDown() override
    {
        if (FormT2)
            FormT2->done(QDialog::Rejected);
        PageFixture::TearDown();
    }

    static void addRecord(double p, Fields fields)
    {
        QStringList names{QStringLiteral("Shproje")}, marks{QStringLiteral("?")};
        QVariantList values{p};
        for (const auto &[name, value] : fields) {
            names << QString::fromLatin1(name);
            marks << QStringLiteral("?");
            values << value;
        }
        DM1->Database1->exec(
            QStringLiteral("INSERT INTO Tajhizat (%1) VALUES (%2)").arg(names.join(u','), marks.join(u',')), values);
    }

    template <class T = QLineEdit> static T *w(const char *name)
    {
        T *c = FormT2->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(const char *label) { w<pf::ui::ClickLabel>(label)->click(); }
    static void retypeBox(const char *box, const QString &text)
    {
        w(box)->setFocus();
        retype(FormT2, text);
    }
    static bool panelShown() { return ResultPanel && ResultPanel->isVisible(); }
    // The result panel's values, row 1 first ("" for an empty row).
    static QStringList values(int rows)
    {
        QStringList v;
        for (int i = 1; i <= rows; ++i)
            v << (ResultValues[i] ? ResultValues[i]->text() : QString());
        return v;
    }
    static QStringList calculate()
    {
        testsupport::takeMessages();
        click("Label39");
        return testsupport::takeMessages();
    }
};

TEST_F(U_15BoilerTest, BoilerPageOpensWithItsLoadsAndSizesTheWorkedCases)
{
    click("Label6");
    ASSERT_TRUE(w<QFrame>("PDig")->isVisible());
    // No exchanger efficiency: the hot-water load is 0, not left over.
    EXPECT_EQ(w("EditHotWaterLoad")->text(), QStringLiteral("0"));
    EXPECT_EQ(w<QComboBox>("ComboBox10")->currentIndex(), 0);
    EXPECT_TRUE(w<QComboBox>("ComboBox10")->hasFocus());
    // A jacuzzi but no pool: the jacuzzi row takes the pool row's place.
    EXPECT_FALSE(w("EditPoolLoad")->isVisible());
    EXPECT_TRUE(w("EditJacuzziLoad")->isVisible());
    EXPECT_EQ(w("EditJacuzziLoad")->y(), w("EditPoolLoad")->y());

    w("EditBuildingLoad")->setText(QStringLiteral("300000"));
    w("EditHotWaterLoad")->setText(QStringLiteral("60000"));
    w("EditJacuzziLoad")->setText(QStringLiteral("0"));
    EXPECT_TRUE(calculate().isEmpty());
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(values(3), (QStringList{QStringLiteral("1.2"), QStringLiteral("432000"), QString()}));
    EXPECT_EQ(ResultCaptions[2]->text(), QStringLiteral(":(Btu/h) قدرت حرارتي موردنياز"));

    // With the pick-up factor (inside 70, outside 10, boiler water 180).
    w<QCheckBox>("DBCheckBox2")->click();
    EXPECT_TRUE(calculate().isEmpty());
    EXPECT_EQ(values(3), (QStringList{QStringLiteral("1.2"), QStringLiteral("549818"), QStringLiteral("1.27")}));

    // Boiler water at the inside temperature: the pick-up factor has no value.
    DM1->Table12->fieldByName(QStringLiteral("DAbgarm")).setValue(70);
    EXPECT_EQ(calculate(), QStringList{QStringLiteral("دماي آبگرم گردشي در سيستم را تصحيح كنيد")});
    EXPECT_FALSE(panelShown());
    DM1->Table12->fieldByName(QStringLiteral("DAbgarm")).setValue(180);

    // A steam boiler adds the two lines of advice.
    w<QComboBox>("ComboBox10")->setCurrentIndex(1);
    calculate();
    EXPECT_EQ(ResultCaptions[5]->text(), QStringLiteral("كارشناسان دفتر فني كارخانه تماس حاصل فرماييد"));
}

TEST_F(U_15BoilerTest, StoppedRunsShowOnlyTheirMessage)
{
    const struct {
        const char *label, *box, *text;
        QString message;
    } cases[] = {
        {"Label6", "DBEdit84", "0", QStringLiteral("تعداد ديگ را مشخص كنيد")},
        {"Label6", "DBEdit85", "91", QStringLiteral("راندمان ديگ را اصلاح كنيد")},
        {"Label10", "DBEdit77", "98", QStringLiteral("راندمان مشعل را اصلاح كنيد")},
        {"Label71", "DBEdit43", "0", QStringLiteral("مدت زمان گرم شدن آب جكوزي را مشخص كنيد")},
        {"Label71", "DBEdit42", "50", QStringLiteral("دماي آب سرد ورودي وآبگرم جكوزي و آب گرم گردشي سيستم را كنترل نماييد")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        if (QByteArray(c.label) == "Label71")
            click("Label2");
        click(c.label);
        if (QByteArray(c.label) == "Label10")
            w("EditCapacity")->setText(QStringLiteral("432000"));
        calculate();
        ASSERT_TRUE(panelShown()); // a run with results first
        retypeBox(c.box, QString::fromLatin1(c.text));
        EXPECT_EQ(calculate(), QStringList{c.message});
        EXPECT_FALSE(panelShown());
        click("Label41");
    }
}

TEST_F(U_15BoilerTest, BurnerShowsLitresAndTheHeatingValueUsed)
{
    // The report without the boilers' capacity: their message, no store.
    const BurnerResults failed = FormT2->EntMashal(2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("راندمان مبدل  مشخص نشده")});
    EXPECT_TRUE(failed.stopped && failed.fuelStore == 0 && failed.row == 0);

    // Boilers from the report: a shower of an apartment, 90 F through an 80 %
    // exchanger, give 40999 Btu/h, so 49198.8 per boiler.
    DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET Randeman = 80, Mass_Jak = 0"));
    DM1->Table12->refresh();
    click("Label10");
    EXPECT_EQ(w("EditCapacity")->text(), QStringLiteral("49199"));
    EXPECT_TRUE(w("DBEdit76")->isReadOnly() && w("DBEdit76")->hasFocus());

    w("EditCapacity")->setText(QStringLiteral("432000"));
    EXPECT_TRUE(calculate().isEmpty());
    EXPECT_EQ(values(4), (QStringList{QStringLiteral("1.12"), QStringLiteral("604800"), QStringLiteral("5"),
                                      QStringLiteral("13230")}));
    EXPECT_EQ(ResultCaptions[4]->text(), QStringLiteral(":(lit)حجم سوخت منبع"));
    DM1->Table12->fieldByName(QStringLiteral("TySo")).setValue(1);
    calculate(); // 573.27 CFH, shown whole
    EXPECT_EQ(values(4).mid(2), (QStringList{QStringLiteral("573"), QStringLiteral("1055")}));
    DM1->Table12->fieldByName(QStringLiteral("HU")).setValue(0);
    calculate();
    EXPECT_EQ(values(4).value(3), QStringLiteral("950"));
}

TEST_F(U_15BoilerTest, PoolExchangerWorkedCaseAndItsLoadOnTheBoilerPage)
{
    // No air temperature yet: the project's inside temperature is taken.
    DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET D_Mo_Est = NULL"));
    DM1->Table12->refresh();
    click("Label5");
    click("Label125");
    ASSERT_TRUE(w("DBEdit57")->hasFocus());
    EXPECT_EQ(w("DBEdit23")->text(), QStringLiteral("70"));
    retypeBox("DBEdit23", QStringLiteral("75"));
    retypeBox("DBEdit59", QStringLiteral("800"));
    EXPECT_TRUE(calculate().isEmpty());
    EXPECT_EQ(values(6), (QStringList{QStringLiteral("115"), QStringLiteral("12.51"), QStringLiteral("30000"),
                                      QStringLiteral("156188"), QStringLiteral("37800"), QStringLiteral("242484")}));
    // Steam rebinds the medium box to the steam pressure.
    w<QComboBox>("ComboBox6")->setCurrentIndex(1);
    EXPECT_EQ(w<QLabel>("Label136")->text(), QStringLiteral(":(PSI)فشار ورودي بخاد به مبدل"));
    EXPECT_EQ(static_cast<pf::ui::DBEdit *>(w("DBEdit55"))->dataField(), QStringLiteral("Fesh_M_Est"));
    w<QComboBox>("ComboBox6")->setCurrentIndex(0);
    click("Label24");
    ASSERT_FALSE(w<QFrame>("PEsMo")->isVisible());

    click("Label6");
    EXPECT_TRUE(w("EditPoolLoad")->isVisible());
    EXPECT_EQ(w("EditPoolLoad")->text(), QStringLiteral("242484"));
    EXPECT_GT(w("EditJacuzziLoad")->y(), w("EditPoolLoad")->y());
}

// The medium box takes what its field holds: a steam pressure of 2.5 PSI,
// the boiler water temperature only as a whole number.
TEST_F(U_15BoilerTest, PoolMediumBoxTakesTheNumbersOfItsField)
{
    const QString whole = QStringLiteral(" عدد صحيح معتبر است");
    click("Label5");
    click("Label125");
    w<QComboBox>("ComboBox6")->setCurrentIndex(1);
    retypeBox("DBEdit55", QStringLiteral("2.5"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(w("DBEdit55")->text(), QStringLiteral("2.5"));
    EXPECT_EQ(DM1->Table12->fieldByName(QStringLiteral("Fesh_M_Est")).asFloat(), 2.5);
    w<QComboBox>("ComboBox6")->setCurrentIndex(0);
    retypeBox("DBEdit55", QStringLiteral("180.5"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{whole});
    EXPECT_EQ(w("DBEdit55")->text(), QStringLiteral("1805"));
}

TEST_F(U_15BoilerTest, SaveChecksEachPageWithItsMessages)
{
    const QString pool = QStringLiteral("چنانچه دماي مطلوب آب كوچكتر يا مساوي دماي محيط باشد و يا دماي محيط "
                                        "كوچكتر يا مساوي دماي آب آب شر ياشد داده ها ثبت نمي شود");
    const struct {
        const char *opener, *box, *text;
        QString message; // empty: saved
    } cases[] = {
        {"Label6", "DBEdit86", "96", QStringLiteral("كيفيت عايق كاري لوله ها و مبدل ها تصحيح كنيد")},
        {"Label6", "DBEdit86", "0", {}},
        {"Label6", "DBEdit85", "74", QStringLiteral("راندمان ديگ را تصحيح كنيد")},
        {"Label6", "DBEdit85", "90", {}},
        {"Label6", "DBEdit84", "21", QStringLiteral("تعداد ديگ را تصحيح كنيد")},
        {"Label6", "DBEdit84", "20", {}},
        {"Label10", "DBEdit77", "64", QStringLiteral("راندمان مشعل را تصحيح كنيد")},
        {"Label10", "DBEdit77", "95", {}},
        {"Label125", "DBEdit59", "10", QStringLiteral("!ابعاد استخر را تصحيح كنيد")},
        {"Label125", "DBEdit59", "16", {}}, // 600 gal
        {"Label125", "DBEdit57", "101", QStringLiteral("دماي مطلوب آب بين 80 و 100 مورد قبول است")},
        {"Label125", "DBEdit23", "69", QStringLiteral("دماي محيط بين 70 و 80  قابل قبول است")},
        {"Label125", "DBEdit23", "80", pool}, // the water no warmer than the air
        {"Label125", "DBEdit23", "72.5", {}},
        {"Label125", "DBEdit58", "3.5", QStringLiteral("مدت زمان گرم شدن آب استخر بين 4 تا 48 قابل قبول است")},
        {"Label125", "DBEdit63", "13", QStringLiteral("تعداد مبدل را تصحيح كنيد")},
        {"Label125", "DBEdit62", "96", QStringLiteral("راندمان مبدل بين 75 و 95 قابل قبول است")},
        {"Label125", "DBEdit62", "95", {}},
        {"Label71", "DBEdit45", "0.2", QStringLiteral("ابعاد جكوزي را تصحيح كنيد")}, // 60 gal
        {"Label71", "DBEdit42", "111", QStringLiteral("دماي مطلوب بين 80 و 110 قابل قبول است")},
        {"Label71", "DBEdit42", "79", QStringLiteral("دماي مطلوب بين 80 و 110 قابل قبول است")},
        {"Label71", "DBEdit80", "101", QStringLiteral("دماي مطلوب آب نبايد كمتر از دماي محيط باشد")},
        {"Label71", "DBEdit80", "86", QStringLiteral("دماي محيط بين 70 و 85 صحيح است")},
        {"Label71", "DBEdit43", "3.1", QStringLiteral("مدت زمان گرم شدن آب 0.2 تا 3 ساعت مورد قبول است")},
        {"Label71", "DBEdit96", "16", QStringLiteral("تعدا جت هاي جكوزي را تصحيح كنيد")},
        {"Label71", "DBEdit78", "74", QStringLiteral("راندمان مبدل بين 75 و 95 قابل قبول است")},
        {"Label71", "DBEdit79", "11", QStringLiteral("تعداد مبدل را تصحيح كنيد")},
        {"Label71", "DBEdit43", "0.2", {}},
        {"Label71", "DBEdit80", "85", {}},
    };
    DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET Mass_Est = 800"));
    DM1->Table12->refresh();
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.text);
        const QByteArray opener(c.opener);
        if (opener == "Label125")
            click("Label5");
        if (opener == "Label71")
            click("Label2");
        click(c.opener);
        retypeBox(c.box, QString::fromLatin1(c.text));
        testsupport::takeMessages();
        click("Label24");
        EXPECT_EQ(testsupport::takeMessages(), c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        EXPECT_EQ(w<pf::ui::ClickLabel>("Label24")->isEnabled(), !c.message.isEmpty());
        click("Label41");
    }
}

TEST_F(U_15BoilerTest, SavesWriteTheListsAndAcceptEqualJacuzziTemperatures)
{
    click("Label6");
    w<QComboBox>("ComboBox10")->setCurrentIndex(1);
    w<QCheckBox>("DBCheckBox2")->click();
    click("Label24");

    // No pool: nothing is checked, only the medium is written.
    click("Label5");
    click("Label125");
    retypeBox("DBEdit57", QStringLiteral("200"));
    w<QComboBox>("ComboBox6")->setCurrentIndex(1);
    testsupport::takeMessages();
    click("Label24");
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    // A jacuzzi as warm as its air is accepted.
    click("Label2");
    click("Label71");
    retypeBox("DBEdit42", QStringLiteral("80"));
    w<QComboBox>("ComboBox9")->setCurrentIndex(1);
    click("Label24");
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    const auto r =
        rows(QStringLiteral("SELECT Typ_M_Est, D_Ma_Est, Typ_M_Jak, D_Ma_Jak, Typ_Dig, Chk_Zp FROM Tajhizat")).rows.value(0);
    std::vector<double> stored;
    for (const QVariant &v : r)
        stored.push_back(v.toDouble());
    EXPECT_EQ(stored, (std::vector<double>{1, 200, 1, 80, 1, 1}));
}

TEST_F(U_15BoilerTest, KeysOfThePages)
{
    click("Label6");
    testsupport::takeMessages(); // the hot-water load sized on opening
    w("DBEdit84")->setFocus();
    type(FormT2, QStringLiteral("a"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد صحيح معتبر است")});
    press(FormT2, Qt::Key_Return);
    EXPECT_TRUE(w("DBEdit85")->hasFocus());
    click("Label41");

    click("Label5");
    click("Label125");
    const char *chain[] = {"DBEdit57", "DBEdit23", "DBEdit58", "DBEdit59", "DBEdit60"};
    for (const char *n : chain) {
        EXPECT_TRUE(w(n)->hasFocus()) << n;
        press(FormT2, Qt::Key_Return);
    }
    EXPECT_TRUE(w<QComboBox>("ComboBox6")->hasFocus());
    press(FormT2, Qt::Key_Return);
    EXPECT_TRUE(w("DBEdit55")->hasFocus());
    w("DBEdit60")->setFocus();
    retype(FormT2, QStringLiteral("4.5"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(w("DBEdit60")->text(), QStringLiteral("4.5"));
}

TEST_F(U_15BoilerTest, NoLoadIsCarriedIntoAnotherProject)
{
    // Loads left on the pages by this project.
    click("Label6");
    w("EditHotWaterLoad")->setText(QStringLiteral("60000"));
    click("Label41");
    click("Label10");
    w("EditCapacity")->setText(QStringLiteral("432000"));
    click("Label41");

    // Another project, whose exchanger efficiency is not given.
    ProjectData other;
    other.number = 8;
    addRecord(other.number, kRecord);
    addProject(other);
    FormT2->clearPages();
    for (const char *n : {"EditBuildingLoad", "EditHotWaterLoad", "EditPoolLoad", "EditJacuzziLoad", "EditCapacity"})
        EXPECT_TRUE(w(n)->text().isEmpty()) << n;
    EXPECT_EQ(w<QComboBox>("ComboBox10")->currentIndex(), -1);
    click("Label6");
    EXPECT_EQ(w("EditHotWaterLoad")->text(), QStringLiteral("0"));
}

} // namespace
