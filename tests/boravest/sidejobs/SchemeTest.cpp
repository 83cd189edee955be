#include "../app/MainWindowFixture.h"

#include "boravest/building/U13.h"
#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/SchemeStore.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/help/U15.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ucolor.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Fonts.h"

#include <QLineEdit>
#include <QRadioButton>

#include <QKeyEvent>
#include <QLabel>

namespace {

template <class W>
W *child(QWidget *form, const char *name)
{
    return form->findChild<W *>(QLatin1String(name));
}

class SchemeTest : public testsupport::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        m_pickColor = TFormColor::PickColor;
        m_pickFont = TFormFont::PickFont;
    }
    void TearDown() override
    {
        TFormColor::PickColor = m_pickColor;
        TFormFont::PickFont = m_pickFont;
        MainWindowFixture::TearDown();
    }
    // A fresh main window over the same data folder.
    void restart()
    {
        DestroyAllForms();
        std::fill(AreaColors, AreaColors + 25, 0);
        ProgramFonts = recordFont();
        CreateAllForms();
        Form1->FormShow();
        Form1->FormActivate();
        ASSERT_TRUE(Form1->startupDone());
    }
    static QWidget *part(QWidget *form, const char *name)
    {
        QWidget *w = form->objectName() == QLatin1String(name) ? form : form->findChild<QWidget *>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QColor color(int area, int role) { return pf::ui::winColor(AreaColors[area * 5 + role]); }

    // Components the rules name, with the colour each must show.
    struct Painted {
        QWidget *form;
        const char *name;
        QPalette::ColorRole paletteRole;
        int area, role;
    };
    void expectPainted()
    {
        const Painted cases[] = {
            {Form2, "DBGrid1", QPalette::Base, AreaV, RoleWin},
            {Form2, "Edit1", QPalette::Base, AreaV, RoleBktext},
            {Form2, "Edit1", QPalette::Text, AreaV, RoleText},
            {Form2, "RadioButton1", QPalette::Window, AreaV, RoleMenu},
            {Form4, "Form4", QPalette::Window, AreaV, RoleMenu},
            {Form8, "DBGrid1", QPalette::Base, AreaV, RoleWin},
            {Form13, "Panel2", QPalette::Window, AreaG, RoleMenu},
            {Form13, "DBGrid1", QPalette::Base, AreaG, RoleWin},
            {Form15, "Form15", QPalette::Window, AreaR, RoleWin},
            {Form16, "DBGrid1", QPalette::Base, AreaG, RoleWin},
            {FormT1, "Panel7", QPalette::Window, AreaT, RoleMenu},
            {FormT1, "DBGrid1", QPalette::Base, AreaT, RoleWin},
        };
        for (const Painted &c : cases) {
            QWidget *w = part(c.form, c.name);
            if (w) {
                EXPECT_EQ(w->palette().color(QPalette::Active, c.paletteRole), color(c.area, c.role))
                    << c.form->objectName().toStdString() << "." << c.name;
            }
        }
    }

private:
    decltype(TFormColor::PickColor) m_pickColor;
    decltype(TFormFont::PickFont) m_pickFont;
};

} // namespace

TEST_F(SchemeTest, SavedSchemeIsShownAfterARestart)
{
    // Picks through the colour form: one per role of each area.
    FormColor->FormActivate();
    int next = 0x101010;
    TFormColor::PickColor = [&](const QColor &, QWidget *) -> std::optional<QColor> {
        next += 0x030507;
        return pf::ui::winColor(next);
    };
    QRadioButton *radios[] = {child<QRadioButton>(FormColor, "RadioButton1"), child<QRadioButton>(FormColor, "RadioButton2"),
                              child<QRadioButton>(FormColor, "RadioButton3"), child<QRadioButton>(FormColor, "RadioButton4"),
                              child<QRadioButton>(FormColor, "RadioButton5")};
    for (int a = 0; a < 5; ++a) {
        radios[a]->setChecked(true);
        FormColor->RadioButtonClick(a + 1);
        for (int r = 0; r < 5; ++r)
            FormColor->PickerClick(r);
    }
    EXPECT_EQ(child<QLabel>(FormColor, "Label10")->text(), radios[4]->text());
    EXPECT_EQ(child<QWidget>(FormColor, "Panel1")->palette().color(QPalette::Window), color(AreaR, RoleWin));
    int saved[25];
    std::copy(AreaColors, AreaColors + 25, saved);
    FormColor->Button13Click();

    QString pick = QStringLiteral("Homa");
    TFormFont::PickFont = [&](const QFont &, QWidget *) -> std::optional<QFont> { return QFont(pick); };
    FormFont->Button1Click();
    pick = QStringLiteral("Nazli");
    FormFont->Button6Click();
    FormFont->Button5Click();

    // Activating again shows area V.
    FormColor->FormActivate();
    EXPECT_TRUE(child<QRadioButton>(FormColor, "RadioButton1")->isChecked());
    EXPECT_EQ(child<QLabel>(FormColor, "Label10")->text(), QStringLiteral("ايجاد و ويرايش"));

    restart();
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(AreaColors[i], saved[i]) << i;
    EXPECT_EQ(ProgramFonts.ScreenFont, QStringLiteral("Homa"));
    EXPECT_EQ(ProgramFonts.TitleFont, QStringLiteral("Nazli"));
    EXPECT_EQ(ProgramFonts.ReportFont, QStringLiteral("Traffic")); // its box was empty
    expectPainted();
    // Kept as designed: the heading panel of Form13.
    EXPECT_NE(part(Form13, "Panel1")->palette().color(QPalette::Window), color(AreaG, RoleWin));
    EXPECT_EQ(part(Form8, "Edit1")->font().family(), QStringLiteral("Homa"));
    EXPECT_EQ(part(Form2, "DBGrid1")->font().family(), QStringLiteral("Homa"));
    // Title labels take the title name.
    EXPECT_EQ(part(Form2, "Label54")->font().family(), QStringLiteral("Nazli"));
    EXPECT_EQ(part(Form9, "Label26")->font().family(), QStringLiteral("Nazli"));
    EXPECT_EQ(part(Form13, "Label3")->font().family(), QStringLiteral("Nazli"));
}

TEST_F(SchemeTest, ApplyShowsTheStoredSchemeAndDefaultsRestoreTheDesignedLook)
{
    // A pick not saved is dropped by apply.
    FormColor->FormActivate();
    const int stored = AreaColors[RoleWin];
    TFormColor::PickColor = [](const QColor &, QWidget *) -> std::optional<QColor> { return QColor(1, 2, 3); };
    FormColor->PickerClick(RoleWin);
    EXPECT_EQ(AreaColors[RoleWin], pf::ui::toWinColor(QColor(1, 2, 3)));
    FormColor->Button9Click();
    EXPECT_EQ(AreaColors[RoleWin], stored);
    expectPainted();

    // A cancelled dialog changes nothing.
    TFormColor::PickColor = [](const QColor &, QWidget *) -> std::optional<QColor> { return std::nullopt; };
    FormColor->PickerClick(RoleText);
    EXPECT_EQ(AreaColors[RoleText], bv::data::stores::defaultColorScheme()[RoleText]);

    // A stored scheme of its own, then the default-colours item.
    for (int i = 0; i < 25; ++i)
        AreaColors[i] = 0x204060 + i;
    FormColor->Button13Click();
    FormColor->Button9Click();
    expectPainted();
    choose("N6");
    EXPECT_EQ(part(Form2, "DBGrid1")->palette().color(QPalette::Base), QColor(192, 192, 192));
    EXPECT_EQ(part(Form2, "Edit1")->palette().color(QPalette::Base), QColor(241, 239, 226));
    expectPainted();
}

TEST_F(SchemeTest, FontNamesAppliedWithTitlesKeptAndMissingFacesFallingBack)
{
    const QString face = pf::ui::installPersianFonts();
    QWidget *title = part(Form13, "Label3");
    QWidget *edit = part(Form13, "Edit1");
    const QString titleBefore = title->font().family();
    const int sizeBefore = edit->font().pointSize();

    // No title name: the title keeps its face; sizes never change.
    ProgramFonts = {QStringLiteral("mitra"), QStringLiteral("Traffic"), QString()};
    FormFont->Button3Click();
    EXPECT_EQ(title->font().family(), titleBefore);
    EXPECT_EQ(edit->font().family(), QStringLiteral("mitra"));
    EXPECT_EQ(edit->font().pointSize(), sizeBefore);

    // A "." empties a name box; a save with that box empty keeps the name.
    child<QLineEdit>(FormFont, "Edit2")->setText(QStringLiteral("Homa"));
    QKeyEvent dot(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
    QCoreApplication::sendEvent(child<QLineEdit>(FormFont, "Edit2"), &dot);
    EXPECT_TRUE(child<QLineEdit>(FormFont, "Edit2")->text().isEmpty());
    child<QLineEdit>(FormFont, "Edit1")->clear();
    child<QLineEdit>(FormFont, "Edit3")->clear();
    FormFont->Button5Click();
    EXPECT_EQ(bv::data::stores::loadFontScheme(*DM1->Database1).ReportFont, QStringLiteral("Traffic"));

    if (face.isEmpty())
        GTEST_SKIP() << "no Persian face installed";
    // "mitra" is not installed: the name the form carries stands for the
    // installed Persian face.
    EXPECT_TRUE(QFont::substitutes(edit->font().family()).contains(face, Qt::CaseInsensitive));
}

TEST_F(SchemeTest, DefaultItemsAndSaveCreateTheSettingsRowsWhenMissing)
{
    pf::db::Database &db = *DM1->Database1;
    db.exec(QStringLiteral("DELETE FROM BankColors"));
    db.exec(QStringLiteral("DELETE FROM BankFont"));
    choose("N6");
    choose("N10");
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(bv::data::stores::loadColorScheme(db), bv::data::stores::defaultColorScheme());
    EXPECT_EQ(db.select(QStringLiteral("SELECT FldPrintF FROM BankFont")).rows.value(0).value(0).toString(),
              QStringLiteral("Traffic"));

    db.exec(QStringLiteral("DELETE FROM BankColors"));
    AreaColors[7] = 0x123456;
    FormColor->Button13Click();
    EXPECT_EQ(bv::data::stores::loadColorScheme(db)[7], 0x123456);
}
