#include "../app/MainWindowFixture.h"

#include "boravest/app/UModifyAliaz.h"
#include "boravest/building/RepUnit2.h"
#include "boravest/building/U10.h"
#include "boravest/building/U13.h"
#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/SchemeStore.h"
#include "boravest/eqbook/U23.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/U15.h"
#include "boravest/sidejobs/SchemeApply.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/Ureport2.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ucolor.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Fonts.h"

#include <QComboBox>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>

#include <algorithm>
#include <cmath>

namespace {

template <class W>
W *child(QWidget *form, const char *name)
{
    return form->findChild<W *>(QLatin1String(name));
}

// The component of that name, or a stand-in of its kind where the form does
// not carry it yet (the booklet form and parts of the equipment window are
// finished elsewhere): the appliers find both by name alone.
template <class W>
void standIn(QWidget *form, const char *name, const char *parent = nullptr)
{
    if (form->findChild<QWidget *>(QLatin1String(name)))
        return;
    QWidget *p = parent ? form->findChild<QWidget *>(QLatin1String(parent)) : form;
    W *w = new W(p ? p : form);
    w->setObjectName(QLatin1String(name));
    if constexpr (std::is_same_v<W, QComboBox>)
        w->addItem(QStringLiteral("1"));
}

void addStandIns()
{
    standIn<QListWidget>(Form23, "ChkBL");
    standIn<QLabel>(Form23, "Label3");
    standIn<QComboBox>(FormT2, "ComboBox1");
    standIn<QLineEdit>(FormT2, "Nsokft");
    standIn<QLabel>(FormT2, "Label67", "Panel4");
    standIn<QTableView>(FormT2, "DBGrid1");
}

class SchemeTest : public testsupport::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        addStandIns();
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
        addStandIns();
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

    // Components the rules name, with the colour each must show: one or
    // more of every painted form.
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
            {Form4, "Panel2", QPalette::Window, AreaV, RoleMenu},
            {Form4, "ScrollBox1", QPalette::Window, AreaV, RoleMenu},
            {Form4, "Label25", QPalette::WindowText, AreaV, RoleTextMenu},
            {Form8, "DBGrid1", QPalette::Base, AreaV, RoleWin},
            {Form8, "Label1", QPalette::WindowText, AreaV, RoleText},
            {Form9, "Panel1", QPalette::Window, AreaV, RoleWin},
            {Form10, "ComboBox1", QPalette::Base, AreaV, RoleBktext},
            {Form10, "RadioButton4", QPalette::Window, AreaV, RoleMenu},
            {Form13, "Panel2", QPalette::Window, AreaG, RoleMenu},
            {Form13, "DBGrid1", QPalette::Base, AreaG, RoleWin},
            {Form13, "Label4", QPalette::WindowText, AreaG, RoleText},
            {Form15, "Form15", QPalette::Window, AreaR, RoleWin},
            {ModifyAliaz, "ModifyAliaz", QPalette::Window, AreaJ, RoleWin},
            {ModifyAliaz, "DriveComboBox1", QPalette::Base, AreaJ, RoleWin},
            {Form23, "ChkBL", QPalette::Base, AreaG, RoleMenu},
            {Form16, "DBGrid1", QPalette::Base, AreaG, RoleWin},
            {Form16, "Panel1", QPalette::Window, AreaJ, RoleWin},
            {Form16, "Label6", QPalette::WindowText, AreaJ, RoleText},
            {Form17, "DriveComboBox1", QPalette::Base, AreaJ, RoleMenu},
            {Form17, "Panel2", QPalette::Window, AreaJ, RoleWin},
            {FormT1, "Panel7", QPalette::Window, AreaT, RoleMenu},
            {FormT1, "DBGrid1", QPalette::Base, AreaT, RoleWin},
            {FormT2, "Pic_Menu", QPalette::Window, AreaT, RoleMenu},
            {FormT2, "Label5", QPalette::Window, AreaT, RoleMenu},
            {FormT2, "Label5", QPalette::WindowText, AreaT, RoleTextMenu},
            {FormT2, "Label67", QPalette::Window, AreaT, RoleMenu},
            {FormT2, "ComboBox1", QPalette::Base, AreaT, RoleBktext},
            {FormT2, "DBGrid1", QPalette::Base, AreaT, RoleWin},
        };
        for (const Painted &c : cases) {
            QWidget *w = part(c.form, c.name);
            if (w) {
                EXPECT_EQ(w->palette().color(QPalette::Active, c.paletteRole), color(c.area, c.role))
                    << c.form->objectName().toStdString() << "." << c.name;
            }
        }
    }
    // Left as designed, also where a painted parent would pass its colours
    // on: none shows a colour of its area (a scheme of colours of its own).
    void expectKept()
    {
        const struct {
            QWidget *form;
            const char *name;
            QPalette::ColorRole paletteRole;
            int area;
        } kept[] = {
            {Form2, "Label75", QPalette::WindowText, AreaV}, {Form2, "Panel8", QPalette::Window, AreaV},
            {Form4, "Panel1", QPalette::Window, AreaV},      {Form4, "Label22", QPalette::WindowText, AreaV},
            {Form8, "Panel4", QPalette::Window, AreaV},      {Form10, "Label15", QPalette::WindowText, AreaV},
            {Form13, "Panel1", QPalette::Window, AreaG},     {Form17, "Label15", QPalette::WindowText, AreaJ},
            {Form17, "Shape1", QPalette::Window, AreaJ},     {Form17, "Label2", QPalette::WindowText, AreaJ},
            {ModifyAliaz, "Button1", QPalette::Button, AreaJ},
            {FormT2, "ComboBox1", QPalette::Text, AreaT},
        };
        for (const auto &k : kept) {
            QWidget *w = part(k.form, k.name);
            for (int r = 0; w && r < 5; ++r)
                EXPECT_NE(w->palette().color(QPalette::Active, k.paletteRole), color(k.area, r))
                    << k.form->objectName().toStdString() << "." << k.name << " role " << r;
        }
    }

    // Font names: the screen name on text components, the title name on
    // title labels, the report name on report texts; kept ones keep theirs.
    void expectFonts(const QString &screen, const QString &report, const QString &title)
    {
        const struct {
            QWidget *form;
            const char *name;
        } screens[] = {{Form2, "DBGrid1"}, {Form4, "Edit1"},   {Form8, "Edit1"},    {Form8, "Panel1"},
                       {Form9, "DBEdit5"}, {Form10, "Label31"}, {Form13, "Label14"}, {Form16, "DBGrid1"},
                       {Form17, "Label17"}, {FormT1, "Label2"}, {FormT2, "Label5"},
                       {FormT2, "ComboBox1"}},
          titles[] = {{Form2, "Label54"},  {Form8, "Label1"},   {Form9, "Label26"},  {Form10, "Label7"},
                      {Form13, "Label3"},  {Form17, "Label13"}, {FormT1, "Label253"}, {FormT2, "Label253"},
                      {Form23, "Label3"}},
          kept[] = {{Form2, "Label34"}, {Form4, "Label22"}, {Form8, "Label38"}, {Form10, "Label15"},
                    {Form10, "Label5"}, {FormT1, "Label50"}, {FormT2, "Nsokft"}, {FormT2, "Label67"}};
        auto family = [](QWidget *form, const char *name) {
            QWidget *w = part(form, name);
            return w ? w->font().family() : QString();
        };
        for (const auto &c : screens)
            EXPECT_EQ(family(c.form, c.name), screen) << c.name;
        for (const auto &c : titles)
            EXPECT_EQ(family(c.form, c.name), title) << c.name;
        for (const auto &c : kept) {
            EXPECT_NE(family(c.form, c.name), screen) << c.name;
            EXPECT_NE(family(c.form, c.name), title) << c.name;
        }
        auto reportFont = [](const char *name) {
            auto *e = dynamic_cast<pf::report::TextElement *>(Report2->QuickRep1.findElement(QLatin1String(name)));
            EXPECT_NE(e, nullptr) << name;
            return e ? e->font.family : QString();
        };
        EXPECT_EQ(reportFont("QRLabel55"), title);
        EXPECT_EQ(reportFont("QRLabel93"), title);
        EXPECT_EQ(reportFont("QRDBText1"), report);
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
    pick = QStringLiteral("FreeFarsi");
    FormFont->Button2Click();
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
    expectPainted();
    expectKept();
    expectFonts(QStringLiteral("Homa"), QStringLiteral("FreeFarsi"), QStringLiteral("Nazli"));
}

TEST_F(SchemeTest, ColourFormHeadingReadsInEveryArea)
{
    auto luminance = [](const QColor &c) {
        auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    FormColor->FormActivate();
    auto *heading = child<QLabel>(FormColor, "Label10");
    for (int area = 1; area <= 5; ++area) {
        SCOPED_TRACE(area);
        child<QRadioButton>(FormColor, QStringLiteral("RadioButton%1").arg(area).toLatin1().constData())->setChecked(true);
        FormColor->RadioButtonClick(area);
        // What the heading paints: its yellow letters on its own ground.
        const QImage shot = heading->grab().toImage();
        const QColor ground = shot.pixelColor(1, 1);
        int yellow = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                yellow += c.red() > 200 && c.green() > 200 && c.blue() < 80;
            }
        EXPECT_GT(yellow, 30);
        const double l1 = luminance(Qt::yellow), l2 = luminance(ground);
        EXPECT_GE((std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05), 4.5);
    }
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

    // The default fonts after a scheme of its own.
    ProgramFonts = {QStringLiteral("Homa"), QStringLiteral("Homa"), QStringLiteral("Homa")};
    FormFont->Button3Click();
    choose("N10");
    expectFonts(QStringLiteral("mitra"), QStringLiteral("Traffic"), QStringLiteral("Titr"));
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

    // The booklet pages are found by their elements' names: a page laid out
    // like the boiler page takes the names as its rules say.
    {
        pf::report::Report page;
        pf::report::Band *band = page.addBand(pf::report::BandType::Title, QStringLiteral("TitleBand1"), 100);
        pf::report::Label *heading = band->addLabel(QStringLiteral("QRLabel1"), 0, 0);
        pf::report::Label *place = band->addLabel(QStringLiteral("QRLabel15"), 0, 20);
        pf::report::Label *text = band->addLabel(QStringLiteral("QRLabel2"), 0, 40);
        pf::report::SysData *number = band->addPageNumber(QStringLiteral("QRSysData1"), 0, 60);
        const QString designed = place->font.family;
        bv::sidejobs::applyReportFonts(&page, {QStringLiteral("mitra"), QStringLiteral("Homa"), QStringLiteral("Titr")},
                                       bv::sidejobs::reportFontRulesFor(QStringLiteral("Report04")));
        EXPECT_EQ(heading->font.family, QStringLiteral("Titr"));
        EXPECT_EQ(text->font.family, QStringLiteral("Homa"));
        EXPECT_EQ(place->font.family, designed);
        EXPECT_EQ(number->font.family, designed);
    }
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
    // Names not installed here ("mitra", or any other chosen on another
    // machine) are kept as stored and drawn in an installed Persian face;
    // the title name in the title face.
    EXPECT_EQ(QFontInfo(edit->font()).family(), face);
    ProgramFonts = {QStringLiteral("B Yekan Bv"), QStringLiteral("Traffic"), QStringLiteral("Kamran Bv")};
    FormFont->Button3Click();
    EXPECT_EQ(edit->font().family(), QStringLiteral("B Yekan Bv"));
    EXPECT_EQ(QFontInfo(edit->font()).family(), face);
    EXPECT_EQ(QFontInfo(title->font()).family(), QStringLiteral("Titr"));
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
    db.exec(QStringLiteral("DELETE FROM BankFont"));
    AreaColors[7] = 0x123456;
    FormColor->Button13Click();
    child<QLineEdit>(FormFont, "Edit1")->setText(QStringLiteral("Homa"));
    FormFont->Button5Click();
    EXPECT_EQ(bv::data::stores::loadColorScheme(db)[7], 0x123456);
    EXPECT_EQ(bv::data::stores::loadFontScheme(db).ScreenFont, QStringLiteral("Homa"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
}

TEST_F(SchemeTest, FontFormShowsTheNamesInForceInTheirFaces)
{
    ProgramFonts = {QStringLiteral("Homa"), QStringLiteral("Nazli"), QString()};
    child<QLineEdit>(FormFont, "Edit2")->setText(QStringLiteral("Titr"));
    FormFont->show();
    const struct {
        const char *box;
        const char *shown;
    } cases[] = {{"Edit1", "Homa"}, {"Edit2", "Titr"}, {"Edit3", ""}};
    for (const auto &c : cases) {
        QLineEdit *box = child<QLineEdit>(FormFont, c.box);
        EXPECT_EQ(box->text(), QLatin1String(c.shown)) << c.box;
        if (*c.shown) {
            EXPECT_EQ(box->font().family(), QLatin1String(c.shown)) << c.box;
        }
    }
    FormFont->hide();
}
