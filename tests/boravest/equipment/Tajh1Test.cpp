// The equipment inputs page driven by real key presses: the building heat
// load shown on Edit, the checks of Save with their messages, one equipment
// record per project, the lists loaded back, the city-gas value across a
// return to the page, and the way on to the equipment window.
#include "boravest/building/PageFixture.h"

#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/UHelp.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"

#include <QComboBox>
#include <QFrame>
#include <QRadioButton>

using namespace pagetest;

namespace {

const QString kNoRecord = QStringLiteral("داده هاي اوليه مربوط به تجهيزات وارد نشده است");
const QString kWholeOnly = QStringLiteral(" عدد صحيح معتبر است");

class Tajh1Test : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Project 7: one space behind an external north wall,
        // 100 x 0.3 x 70 x 1.10 = 2310 Btu/h.
        addRows(7, 100);
        showPage(FormT1);
        testsupport::takeMessages();
    }
    void TearDown() override
    {
        if (FormT1)
            FormT1->hide();
        PageFixture::TearDown();
    }

    static void addRows(double p, double wallArea)
    {
        auto *db = DM1->Database1;
        db->exec(QStringLiteral("UPDATE Bank1 SET Ga = 1, Tg = 50 WHERE SHPROJE = ?"), {p});
        db->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa) "
                                "VALUES (?, ?, 1, 1, 0, 0)"),
                 {p, p});
        db->exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Ti_, To_, A_, V_, Air_) "
                                "VALUES (?, ?, 1, 1, 3, 70, 0, 100, 800, 0)"),
                 {p, p});
        db->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                                "Id_njedar, Id_gjedar, Masa1, Z_1, To_) VALUES (?, ?, 1, 1, 3, ?, 0, 1, 0, ?, 0.3, 0)"),
                 {p, p, QStringLiteral("ديوار"), wallArea});
    }

    template <class T = pf::ui::DBEdit> static T *w(const char *name)
    {
        T *c = FormT1->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static QComboBox *buildingType() { return w<QComboBox>("ComboBox1"); }
    static QComboBox *pressureDrop() { return w<QComboBox>("ComboBox2"); }
    static QComboBox *fuel() { return w<QComboBox>("ComboBox3"); }
    static QRadioButton *region(int i) { return w<QRadioButton>(QStringLiteral("RadioButton%1").arg(i).toLatin1()); }

    // Edit from the grid with Enter.
    void edit()
    {
        w<pf::ui::DBGrid>("DBGrid1")->setFocus();
        press(FormT1, Qt::Key_Return);
        ASSERT_TRUE(FormT1->editState());
    }
    QStringList save()
    {
        testsupport::takeMessages();
        press(FormT1, Qt::Key_F2);
        return testsupport::takeMessages();
    }

    // Valid inputs typed along the Enter chain from the heat-load box.
    void fillValid()
    {
        const char *typed[] = {"1000", "500", "800", "30", "4", "2", "100", "120", "20", "180", "300", nullptr,
                               "1",    "2",   "2",   "0",  "1", "1", "0",   "0",   "1",  "0",   "50",  "140", "110"};
        w("DBEdit1")->setFocus();
        for (const char *t : typed) {
            press(FormT1, Qt::Key_Return);
            if (t)
                retype(FormT1, QString::fromLatin1(t));
        }
        buildingType()->setCurrentIndex(2);
        fuel()->setCurrentIndex(0);
    }

    static QVector<QVariant> stored(const char *fields, double p = 7)
    {
        const auto r =
            rows(QStringLiteral("SELECT %1 FROM Tajhizat WHERE Shproje = ?").arg(QLatin1String(fields)), {p}).rows;
        return r.size() == 1 ? r[0] : QVector<QVariant>{};
    }
    static int records(double p = 7)
    {
        return rows(QStringLiteral("SELECT count(*) FROM Tajhizat WHERE Shproje = ?"), {p}).rows[0][0].toInt();
    }
};

} // namespace

TEST_F(Tajh1Test, EditShowsTheBuildingHeatLoadOfTheCurrentProjectOnly)
{
    // Project 8 has the same floor, unit and space codes.
    ProjectData other;
    other.number = 8;
    addProject(other);
    addRows(8, 1000);
    ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {7.0}));

    edit();
    EXPECT_EQ(w("DBEdit1")->text(), QStringLiteral("2310"));
    EXPECT_TRUE(w("DBEdit1")->hasFocus());
    EXPECT_TRUE(w<QFrame>("Panel2")->isVisible());
    EXPECT_FALSE(w<QFrame>("Panel1")->isEnabled());
    double load = 0;
    FormT1->Q_Sakh(load);
    EXPECT_EQ(load, 2310);

    // Esc cancels; the record was never posted.
    press(FormT1, Qt::Key_Escape);
    EXPECT_FALSE(FormT1->editState());
    EXPECT_FALSE(w<QFrame>("Panel2")->isVisible());
    EXPECT_EQ(records(), 0);
}

TEST_F(Tajh1Test, SaveChecksInOrderWithTheirMessages)
{
    struct Case {
        const char *box; // a DBEdit, or the pressure-drop list
        QString text;
        QStringList messages;
    };
    const Case cases[] = {
        {"DBEdit2", "199", {"مساحت زمين را تصحيح كنيد"}},
        {"DBEdit3", "10000000", {"مساحت عرصه را تصحيح كنيد"}},
        {"DBEdit4", "", {"مساحت اعيان را تصحيح كنيد"}}, // an empty box counts 0
        {"DBEdit5", "2001", {"ارتفاع ساختمان را تصحيح كنيد"}},
        {"DBEdit13", "0", {"طبق استاندارد هر ساختمان حد اقل بايد داراي يك توالت ودستشويي ويك دوش باشد"}},
        {"DBEdit14", "0", {"طبق استاندارد هر ساختمان حد اقل بايد داراي يك توالت ودستشويي ويك دوش باشد"}},
        {"DBEdit16", "801", {"تعداد سرويس هاي بهداشتي را تصحيح كنيد"}},
        {"DBEdit22", "76", {"دماي آب شهر را تصحيح كنيد"}},
        {"DBEdit23", "97", {"دماي آب گرم مصرفي را تصحيح كنيد"}},
        {"DBEdit24", "161", {"دماي آب مخلوط را تصحيح كنيد"}},
        {"DBEdit24", "140", {"دماي آب مخلوط  و آبگرم مصرفي و دماي آب شهر را مجددا تصحيح كنيد"}},
        {"DBEdit7", "9", {"مسير رفت لوله كشي تا بالاترين سرويس بهداشتي را تصحيح كنيد"}},
        {"DBEdit8", "3001", {"مسير رفت لوله كشي تا بالاترين مبدل را تصحيح كنيد"}},
        {"DBEdit9", "36", {"اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد"}},
        // Against the use temperature (140) before its own range.
        {"DBEdit10", "99", {"دماي آبگرم گردشي سيستم نمي تواند كمتر از دماي آبگرم مصرفي باشد"}},
        {"DBEdit10", "301", {"دماي آبگرم گردشي در سيستم را تصحيح كنيد"}},
        {"DBEdit11", "1", {"سختي آب ناچيز و قابل صرف نظر كردن است"}},
        {"ComboBox2", "", {"افت فشار در سيستم را تعيين كنيد"}},
        // Texts that are no whole number (a stored fraction) or no number.
        {"DBEdit2", "1.5", {"مساحت زمين را به صورت عدد صحيح وارد كنيد"}},
        {"DBEdit21", "2.5", {"لگن پاشويي را به صورت عدد صحيح وارد كنيد"}},
        {"ComboBox2", "abc", {"افت فشار در لوله ها در هر صد فوت طول لوله را به صورت عدد وارد كنيد"}},
    };
    edit();
    fillValid();
    // The heat load, the building type and the fuel come first.
    DM1->Table12->fieldByName(QStringLiteral("Bar_Col")).setAsFloat(99);
    EXPECT_EQ(save(), QStringList{QStringLiteral("بار حرارتي كل ساختمان قابل قبول نيست")});
    DM1->Table12->fieldByName(QStringLiteral("Bar_Col")).setAsFloat(2310);
    buildingType()->setCurrentIndex(-1);
    EXPECT_EQ(save(), QStringList{QStringLiteral("نوع ساختمان")});
    buildingType()->setCurrentIndex(2);
    fuel()->setCurrentIndex(-1);
    EXPECT_EQ(save(), QStringList{QStringLiteral("نوع سوخت را مشخص كنيد")});
    fuel()->setCurrentIndex(0);
    for (const Case &c : cases) {
        QLineEdit *box = QByteArray(c.box).startsWith("ComboBox") ? pressureDrop()->lineEdit() : w(c.box);
        const QString was = box->text();
        box->setText(c.text);
        EXPECT_EQ(save(), c.messages) << c.box << " " << c.text.toStdString();
        EXPECT_TRUE(FormT1->editState());
        EXPECT_EQ(records(), 0) << c.box;
        box->setText(was);
    }
    // Mixed water just below the hot-water use temperature passes.
    w("DBEdit24")->setText(QStringLiteral("139"));
    EXPECT_EQ(save(), QStringList{});
    EXPECT_FALSE(FormT1->editState());
    EXPECT_EQ(stored("Masa_z, DamAbMa, OfteFeshar, NSakh, NameS, TySo, HU"),
              (QVector<QVariant>{1000.0, 139.0, 2.0, 2.0, QStringLiteral("هتل"), 0.0, QVariant()}));
}

TEST_F(Tajh1Test, OneRecordPerProjectAndTheListsLoadBack)
{
    ProjectData other;
    other.number = 9;
    addProject(other);
    addRows(9, 100);
    ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {7.0}));

    edit();
    fillValid();
    pressureDrop()->setCurrentIndex(3); // 2.5
    buildingType()->setCurrentIndex(9);
    fuel()->setCurrentIndex(1);
    EXPECT_TRUE(w<QFrame>("Panel7")->isVisible());
    region(4)->click(); // Ahvaz
    EXPECT_EQ(save(), QStringList{});
    for (int i = 0; i < 3; ++i) {
        edit();
        EXPECT_EQ(save(), QStringList{});
    }
    EXPECT_EQ(records(7), 1);
    EXPECT_EQ(stored("OfteFeshar, NSakh, NameS, TySo, HU"),
              (QVector<QVariant>{2.5, 9.0, QStringLiteral("خوابگاه"), 1.0, 1057}));

    // Another project gets a record of its own; the lists show its values.
    ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {9.0}));
    edit();
    fillValid();
    EXPECT_EQ(save(), QStringList{});
    EXPECT_EQ(records(7), 1);
    EXPECT_EQ(records(9), 1);

    // Back to project 7: everything as it was saved.
    ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {7.0}));
    edit();
    EXPECT_EQ(buildingType()->currentIndex(), 9);
    EXPECT_EQ(pressureDrop()->currentIndex(), 3);
    EXPECT_EQ(pressureDrop()->currentText(), QStringLiteral("2.5"));
    EXPECT_EQ(fuel()->currentIndex(), 1);
    EXPECT_TRUE(region(4)->isChecked());
    EXPECT_FALSE(region(3)->isChecked());
    EXPECT_TRUE(w<QFrame>("Panel7")->isVisible());
    EXPECT_EQ(w("DBEdit2")->text(), QStringLiteral("1000"));
    press(FormT1, Qt::Key_Escape);

    // Free values: a pressure drop of 1.75 and a heating value of 950 show
    // no list position and no region, and are saved back as they are,
    // without a word.
    DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET OfteFeshar = 1.75, HU = 950 WHERE Shproje = 7"));
    DM1->Table12->refresh();
    edit();
    EXPECT_EQ(pressureDrop()->currentIndex(), -1);
    EXPECT_EQ(pressureDrop()->currentText(), QStringLiteral("1.75"));
    for (int i : {3, 4, 5})
        EXPECT_FALSE(region(i)->isChecked()) << i;
    EXPECT_TRUE(save().isEmpty());
    EXPECT_EQ(stored("OfteFeshar, HU"), (QVector<QVariant>{1.75, 950}));
}

TEST_F(Tajh1Test, GasHeatingValueFollowsTheCheckedRegion)
{
    // A new record on city gas starts on the first region, shown checked.
    edit();
    fillValid();
    fuel()->setCurrentIndex(1);
    EXPECT_TRUE(region(3)->isChecked());
    EXPECT_EQ(save(), QStringList{});
    EXPECT_EQ(stored("HU"), QVector<QVariant>{912});

    // A region chosen during Edit survives the page becoming active again
    // on the way back from the glossary (F10).
    bool wasActive = false, activeAgain = false;
    onModal = [&](QWidget *form) {
        wasActive = FormT1->isActiveWindow();
        form->show();
        form->activateWindow();
        QApplication::processEvents();
        form->hide();
        FormT1->activateWindow();
        QApplication::processEvents();
        activeAgain = FormT1->isActiveWindow();
        return 0;
    };
    edit();
    EXPECT_TRUE(region(3)->isChecked());
    region(5)->click();
    press(FormT1, Qt::Key_F10);
    onModal = nullptr;
    EXPECT_EQ(modalsShown.last(), QStringLiteral("Form15"));
    EXPECT_TRUE(wasActive);
    EXPECT_TRUE(activeAgain);
    EXPECT_TRUE(region(5)->isChecked());
    EXPECT_EQ(save(), QStringList{});
    EXPECT_EQ(stored("HU"), QVector<QVariant>{1055});

    // Gas oil leaves the stored value alone.
    edit();
    fuel()->setCurrentIndex(0);
    EXPECT_FALSE(w<QFrame>("Panel7")->isVisible());
    region(4)->click();
    EXPECT_EQ(save(), QStringList{});
    EXPECT_EQ(stored("TySo, HU"), (QVector<QVariant>{0.0, 1055}));
}

TEST_F(Tajh1Test, KeysFiltersAndTheEnterChain)
{
    edit();
    // Digits only in the data boxes.
    w("DBEdit2")->setFocus();
    retype(FormT1, QStringLiteral("12a"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kWholeOnly});
    EXPECT_EQ(w("DBEdit2")->text(), QStringLiteral("12"));

    // Enter from the mixed water goes to the fuel list; on gas oil then
    // back to the heat-load box; on city gas to the checked region.
    w("DBEdit24")->setFocus();
    press(FormT1, Qt::Key_Return);
    EXPECT_TRUE(fuel()->hasFocus());
    fuel()->setCurrentIndex(0);
    press(FormT1, Qt::Key_Return);
    EXPECT_TRUE(w("DBEdit1")->hasFocus());
    fuel()->setCurrentIndex(1);
    region(4)->click();
    fuel()->setFocus();
    press(FormT1, Qt::Key_Return);
    EXPECT_TRUE(region(4)->hasFocus());
    press(FormT1, Qt::Key_Return);
    EXPECT_TRUE(w("DBEdit1")->hasFocus());

    // While editing F4 does nothing; Esc cancels.
    press(FormT1, Qt::Key_F4);
    EXPECT_TRUE(FormT1->isVisible());
    press(FormT1, Qt::Key_Escape);
    EXPECT_FALSE(FormT1->editState());
    modalsShown.clear();

    // Browsing: the help and tool keys, Esc asks the exit question, F4
    // closes the page.
    for (Qt::Key k : {Qt::Key_F1, Qt::Key_F10, Qt::Key_F11, Qt::Key_Escape})
        press(FormT1, k);
    EXPECT_EQ(modalsShown, (QStringList{"FormHelp", "Form15", "Form11", "Form3"}));
    EXPECT_EQ(FormHelp->windowTitle(), QStringLiteral("     راهنماي كاربران - انتخاب تجهيزات "));
    press(FormT1, Qt::Key_F4);
    EXPECT_FALSE(FormT1->isVisible());
    EXPECT_FALSE(DM1->Table12->active());
}

TEST_F(Tajh1Test, NextPageAndF3CheckTheRecordAndOpenTheWindowModally)
{
    for (bool saved : {false, true}) {
        if (saved) {
            edit();
            fillValid();
            ASSERT_EQ(save(), QStringList{});
        }
        for (bool byKey : {false, true}) {
            modalsShown.clear();
            byKey ? press(FormT1, Qt::Key_F3) : w<pf::ui::ClickLabel>("Label45")->click();
            EXPECT_EQ(testsupport::takeMessages(), saved ? QStringList{} : QStringList{kNoRecord}) << byKey;
            EXPECT_EQ(modalsShown, saved ? QStringList{QStringLiteral("FormT2")} : QStringList{}) << byKey;
        }
    }
}

TEST_F(Tajh1Test, MainMenuOpensThePageModally)
{
    FormT1->hide();
    modalsShown.clear();
    choose("N17");
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("FormT1")});
}

TEST_F(Tajh1Test, TabFollowsTheEnterChain)
{
    edit();
    const QStringList chain = {"DBEdit2",  "DBEdit3",  "DBEdit4",  "DBEdit5",  "DBEdit6",  "ComboBox2", "DBEdit7",
                               "DBEdit8",  "DBEdit9",  "DBEdit10", "DBEdit11", "ComboBox1", "DBEdit12", "DBEdit13",
                               "DBEdit14", "DBEdit15", "DBEdit16", "DBEdit17", "DBEdit18",  "DBEdit19", "DBEdit20",
                               "DBEdit21", "DBEdit22", "DBEdit23", "DBEdit24", "ComboBox3", "DBEdit1"};
    for (bool tab : {false, true}) {
        w("DBEdit1")->setFocus();
        QStringList walked;
        for (int i = 0; i < chain.size(); ++i) {
            press(FormT1, tab ? Qt::Key_Tab : Qt::Key_Return);
            QWidget *f = QApplication::focusWidget();
            // An editable list has the focus in its line.
            if (f && qobject_cast<QComboBox *>(f->parentWidget()))
                f = f->parentWidget();
            walked << (f ? f->objectName() : QString());
        }
        EXPECT_EQ(walked, chain) << (tab ? "Tab" : "Enter");
    }
}
