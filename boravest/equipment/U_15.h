#pragma once
// The equipment window: a menu of sixteen equipment families on the right
// (pool, jacuzzi and heat distribution open a second level of items), the
// page of the chosen family on the left and the command bar below.
#include "boravest/sizing/Boiler.h"
#include "boravest/sizing/Burner.h"
#include "boravest/sizing/Chimney.h"
#include "boravest/sizing/CirculationPump.h"
#include "boravest/sizing/Collectors.h"
#include "boravest/sizing/ExpansionTank.h"
#include "boravest/sizing/ExtractFans.h"
#include "boravest/sizing/Fittings.h"
#include "boravest/sizing/Furnaces.h"
#include "boravest/sizing/HotWaterTank.h"
#include "boravest/sizing/PoolExchanger.h"
#include "boravest/sizing/PoolPumps.h"
#include "boravest/sizing/PressureTank.h"
#include "boravest/sizing/Radiators.h"
#include "boravest/sizing/Softener.h"
#include "boravest/sizing/UnitHeaters.h"
#include "boravest/sizing/WaterMeter.h"

#include <QDialog>
#include <QFrame>

#include <memory>
#include <variant>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace Ui {
class TFormT2;
// One layout per page, set up on the page's panel of the window.
class PMADoJPage;
class PTankTFPage;
class PDigPage;
class PEMshPage;
class PEsMoPage;
class PJakoziMoPage;
class PDodkeshPage;
class PMEBazPage;
class PGhRvKPage;
class PSakhGirPage;
class PEsSirPage;
class PJakoziSirPage;
class PPSiSPage;
class PPGRadPage;
class PPGUHPage;
class PKorePage;
class PHavPDPage;
} // namespace Ui
namespace pf::db {
class Table;
}
namespace pf::ui {
class DBGrid;
}

// Result panel of the calculations, built anew by each one (MakeComp);
// rows are numbered 1..21, entry 0 is unused.
extern QFrame *ResultPanel;
extern bool ResultPanelExists;
extern QLabel *ResultCaptions[22];
extern QLabel *ResultValues[22];
extern pf::ui::DBGrid *ResultGrid;

// "The value of <caption> is not a valid number."
extern const char *const kMsgNotANumber;
// "The entries of <caption> are longer than <n> characters and are not saved."
extern const char *const kMsgListTooLong;
// "The value of <caption> is too large to be shown; check the data." and
// "The value of <caption> is no number; check the data."
extern const char *const kMsgResultTooLarge;
extern const char *const kMsgResultNoNumber;

// Menu tree, filled once when the window is created; index 0 is unused.
// Labels: 1..16 the top items, 21..24 and 31..32 the second-level items.
extern QLabel *MenuLabels[51];
// First second-level item of a top item, 0 when it has none.
extern short MenuFirstChild[17];
// Second-level items, numbered 1..29 in a space of their own.
extern short MenuParent[30];
extern short MenuPrev[30];
extern short MenuNext[30];
extern short MenuSubChild[30];
extern short MenuLabelIndex[30];
extern short MenuGroupSize[30];
extern QFrame *MenuShapes[30];

// Menu state: level 0 none, 1 a top item, 2 a second-level item current.
extern short MenuLevel;
extern short CurrentMenuItem; // entry of MenuLabels highlighted, 0 none
extern short MenuSubItem;     // the second-level item while MenuLevel is 2
extern bool FormT2Activated;

class TFormT2 : public QDialog {
    Q_OBJECT
public:
    explicit TFormT2(QWidget *parent = nullptr);
    ~TFormT2() override;

    // Mode 1 collapses every level; mode 2 only removes the highlight.
    void CloseForm(short mode);
    // Show / hide the labels and shapes of a second-level item's group.
    void VisibleT(short item);
    void VisibleF(short item);
    void VisibleTArr(short item) { (void)item; }
    void VisibleFArr() {}

    // Top items.
    void Label18Click(); // 1 main water branch
    void Label19Click(); // 2 hot-water tank
    void Label20Click(); // 3 pressure tank
    void Label5Click();  // 4 indoor pool (second level)
    void Label2Click();  // 5 jacuzzi (second level)
    void Label6Click();  // 6 boiler
    void Label7Click();  // 7 warm-air furnace
    void Label8Click();  // 8 heat distribution (second level)
    void Label13Click(); // 9 circulation pump
    void Label10Click(); // 10 burner
    void Label11Click(); // 11 collectors and risers
    void Label12Click(); // 12 chimney
    void Label9Click();  // 13 expansion tank
    void Label14Click(); // 14 softener
    void Label15Click(); // 15 extract fans
    void Label16Click(); // 16 pictures
    // Second-level items.
    void Label125Click(); // pool coil exchanger
    void Label124Click(); // pool circulation pumps
    void Label71Click();  // jacuzzi coil exchanger
    void Label69Click();  // jacuzzi circulation pumps
    void Label112Click(); // steel radiators
    void Label111Click(); // unit heaters

    // Commands.
    void Label1Click();  // Edit: reopens the current item
    void Label24Click(); // Save: checks the open page and posts the record
    void Label39Click(); // Calculate: sizes what the open page holds
    void Label41Click(); // Cancel: leaves the open page
    void Button3Click(); // Back
    void Button2Click(); // Exit

    // The window's actions (also reached by their keys).
    // Esc, Ctrl+C: closes the general-data view or the pictures, else asks
    // the exit question from the menu, else cancels the open page.
    void Action1Execute();
    void Action2Execute(); // F2: Save while a page is open
    void Action3Execute(); // F10: glossary
    void Action4Execute(); // F11: unit conversion table
    void Action5Execute(); // F6: the general-data view of the project
    void Action7Execute(); // F12: the external calculator
    // The picture page's buttons: pool, jacuzzi 1, jacuzzi 2.
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();

    // Result panel: frees the previous one and builds a new, unattached
    // panel with Rows1 + Rows2 empty caption / value rows.
    void MakeComp(short Left, short Top, short Width, short Height, short Rows1, short ValueX1, short CaptionX1,
                  short Rows2, short ValueX2, short CaptionX2, short RowsTop, const QString &Title1,
                  const QString &Title2);
    // Attaches the panel built by MakeComp to the window and shows it,
    // unless resultsShowable refuses its numbers: false then.
    bool showResultPanel();
    // Frees the result panel when one exists.
    void freeResultPanel();
    // Display rounding of every shown result.
    static double RoundX(double x);
    // RoundX as the result panel writes it, never with an exponent.
    static QString roundText(double x);
    // Whether a result can be shown as the pages show their numbers:
    // display-rounded, finite and less than 1E15 in size.
    static bool showable(double x);
    // Caption / value row i of the result panel (1-based). The value starts
    // at its column and grows towards its caption. One that does not fit
    // moves the caption on into the room free on its line (up to the divider,
    // the next group's texts or the frame), then starts further left itself
    // (up to what stands before it); what is still missing widens the panel
    // there: the caption and everything from it rightwards move on, and the
    // panel keeps its right edge while the window has room on its left. No
    // two texts of the panel overlap.
    void setResultRow(int i, const QString &caption, const QString &value);
    // The same with a computed number, written as roundText writes it. A
    // number that cannot be shown is never written: the run is refused (see
    // resultsShowable), at once when the panel is already shown.
    void setResultRow(int i, const QString &caption, double value);
    // A row's value as a page gives it: a computed number (the overload
    // above) or a text shown as it is.
    using ResultValue = std::variant<double, QString>;
    void setResultRow(int i, const QString &caption, const ResultValue &value)
    {
        std::visit([&](const auto &v) { setResultRow(i, caption, v); }, value);
    }
    // Whether every number given to the panel's rows can be shown. The first
    // that cannot stops the run with one message naming its caption
    // (refuseResult); the panel is taken off the window and stays so, and
    // false is given from then on. A run asks before it stores anything.
    bool resultsShowable();
    // Refuses the run over a result shown elsewhere than in a row (a column
    // of the result grid): kMsgResultTooLarge (kMsgResultNoNumber for a value
    // that is no number) naming `caption` in reading order, once per run;
    // the panel, when there is one, is taken off the window.
    void refuseResult(const QString &caption, double value);

    // Reading the pages and the record. A box reads as its text with "0"
    // put in front, so an empty box is 0. A text that is no number (or, for
    // `whole`, no whole number), or a number of 1E15 or more, which no page
    // shows without an exponent, shows the box's own refusal (its number
    // filter's; kMsgNotANumber naming the caption for a box without one)
    // and gives false; nothing is read then.
    static bool readBox(const QLineEdit *box, const QString &caption, bool whole, double &value);
    // The same without a message: 0 for a text that is no number.
    static double boxValue(const QLineEdit *box);
    // A field of the project's equipment record (the edit buffer while the
    // record is being edited); 0 / "" when there is no record.
    static double recordValue(const QString &field);
    static QString recordText(const QString &field);
    // The fixture counts of the stored record.
    static bv::sizing::FixtureCounts recordFixtures();
    // Writes a comma list into a text field of the record (in edit state).
    // A list longer than the field holds is refused with kMsgListTooLong
    // naming `caption` (nothing written, false): it is never cut short.
    static bool writeListField(const QString &field, const QString &list, const QString &caption);

    // Empties every page of values that belong to a project (called
    // before a project is shown), so that none leaks into the next one.
    void clearPages();

    // ---- main water branch, hot-water tanks, pressure tank
    bv::sizing::WaterMeterResults SizeKontor(short mode);
    bv::sizing::HotWaterDemand MaxMAbGVBeh();
    bv::sizing::HotWaterTankResults MAbGMDJedar(short mode);
    bv::sizing::HotWaterTankResults KAbDagh(short mode);
    bv::sizing::HotWaterTankResults MAKB(short mode);
    // Mode 3: Save's run, no panel and no messages of its own.
    bv::sizing::PressureTankResults TankTF(short mode);
    void ComboBox8Change();
    bool saveHotWaterTankPage();
    bool savePressureTankPage();
    void clearWaterPages();

    // ---- boilers, burner, pool and jacuzzi exchangers
    bv::sizing::BoilerResults Dig(short mode);
    bv::sizing::BurnerResults EntMashal(short mode);
    bv::sizing::ExchangerResults EstakhMobadel(short mode);
    bv::sizing::ExchangerResults JakoziMobadel(short mode);
    bool saveBoilerPage();
    bool saveBurnerPage();
    bool savePoolExchangerPage();
    bool saveJacuzziExchangerPage();
    void clearBoilerPages();

    // ---- chimney, expansion tank, collectors and risers, softener
    bv::sizing::ChimneyResults PrDodkesh(short mode);
    bv::sizing::ExpansionTankResults MEnBaz(short mode);
    bv::sizing::CollectorsResults GhKlvRz(short mode);
    bv::sizing::SoftenerResults SakhGir(short mode);
    static QString convert_sk(int floor);
    bool saveChimneyPage();
    bool saveExpansionTankPage();
    bool saveSoftenerPage();
    void clearPlantPages();

    // ---- pool and jacuzzi pumps, circulation pump and its fittings
    bv::sizing::PumpsResults EstakhPmpSir(short mode);
    bv::sizing::PumpsResults JakoziPmpSir(short mode);
    bv::sizing::CirculationPumpResults PmpSir(short mode);
    // Mode 1 reads the grid, 2 loads the stored lists into it, 3 reads
    // the stored lists.
    bv::sizing::FittingsLength MoTMEtvSh(short mode);
    bool savePoolPumpsPage();
    bool saveJacuzziPumpsPage();
    bool saveCirculationPumpPage();
    void clearPumpPages();

    // ---- radiators, unit heaters, furnaces, extract fans
    bv::sizing::RadiatorResults ESRad(short mode);
    bv::sizing::UnitHeaterResults EUHAbDagh(short mode);
    bv::sizing::FurnaceResults Kore(short mode);
    bv::sizing::ExtractFanResults HavaKesh(short mode);
    bool saveRadiatorPage();
    bool saveUnitHeaterPage();
    bool saveFurnacePage();
    void clearSpacePages();

    // ---- equipment booklet
    // Builds the equipment booklet of the current project from the ticked
    // sections of the booklet form and shows its preview.
    void Label45Click();
    // Add-pages event of the booklet's composite report: lists the pages of
    // the sections still set, in the booklet's order.
    void QRCompositeReport1AddReports();

    void FormActivate();
    void done(int r) override;

    // The window's own datasets over the current project: its spaces
    // (bankfz.DB, for the furnace and the extract-fan pages) and its unit
    // rows (bankvh.DB, for the collectors page).
    pf::db::Table *Table1 = nullptr;
    pf::db::Table *Table2 = nullptr;
    pf::db::Table *Table3 = nullptr;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void FormCreate();
    bool FormKeyDown(QKeyEvent *key);
    void highlight(short entry, bool on);
    void openSecondLevel(short item);
    void openPage(short item, QFrame *panel, pf::db::Table *afterwards = nullptr);
    void openSubPage(short item, QFrame *panel);
    void showPanel(QFrame *panel);
    void setPageCommands();
    void setMenuCommands();
    void editRecord();

    std::unique_ptr<Ui::TFormT2> ui;
    // The pages' layouts, each set up on its panel of `ui`.
    std::unique_ptr<Ui::PMADoJPage> uiMADoJ;
    std::unique_ptr<Ui::PTankTFPage> uiTankTF;
    std::unique_ptr<Ui::PDigPage> uiDig;
    std::unique_ptr<Ui::PEMshPage> uiEMsh;
    std::unique_ptr<Ui::PEsMoPage> uiEsMo;
    std::unique_ptr<Ui::PJakoziMoPage> uiJakoziMo;
    std::unique_ptr<Ui::PDodkeshPage> uiDodkesh;
    std::unique_ptr<Ui::PMEBazPage> uiMEBaz;
    std::unique_ptr<Ui::PGhRvKPage> uiGhRvK;
    std::unique_ptr<Ui::PSakhGirPage> uiSakhGir;
    std::unique_ptr<Ui::PEsSirPage> uiEsSir;
    std::unique_ptr<Ui::PJakoziSirPage> uiJakoziSir;
    std::unique_ptr<Ui::PPSiSPage> uiPSiS;
    std::unique_ptr<Ui::PPGRadPage> uiPGRad;
    std::unique_ptr<Ui::PPGUHPage> uiPGUH;
    std::unique_ptr<Ui::PKorePage> uiKore;
    std::unique_ptr<Ui::PHavPDPage> uiHavPD;

    // Set-up of each group of pages, run once by the constructor.
    void setUpWaterPages();
    void setUpBoilerPages();
    void setUpPlantPages();
    void setUpPumpPages();
    void setUpSpacePages();

    // Position of the hot-water tank kind list, -1 when nothing is chosen.
    int uiComboBox8Index() const;
    // A pool / jacuzzi to size: the area typed on its exchanger page or the
    // stored one is above 0.
    bool poolPresent() const;
    bool jacuzziPresent() const;
    void hidePage(QFrame *panel);
    // Every page panel of the window.
    QList<QFrame *> pagePanels() const;
};

extern TFormT2 *FormT2;
