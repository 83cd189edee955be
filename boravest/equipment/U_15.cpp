#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"
#include "ui_U_15PMADoJ.h"
#include "ui_U_15PTankTF.h"
#include "ui_U_15PDig.h"
#include "ui_U_15PEMsh.h"
#include "ui_U_15PEsMo.h"
#include "ui_U_15PJakoziMo.h"
#include "ui_U_15PDodkesh.h"
#include "ui_U_15PMEBaz.h"
#include "ui_U_15PGhRvK.h"
#include "ui_U_15PSakhGir.h"
#include "ui_U_15PEsSir.h"
#include "ui_U_15PJakoziSir.h"
#include "ui_U_15PPSiS.h"
#include "ui_U_15PPGRad.h"
#include "ui_U_15PPGUH.h"
#include "ui_U_15PKore.h"
#include "ui_U_15PHavPD.h"

#include "boravest/sizing/SpaceSizing.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/help/UHelp.h"

#include "boravest/building/EntryPage.h"
#include "boravest/eqbook/Drawings.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/db/Table.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

TFormT2 *FormT2 = nullptr;

QLabel *MenuLabels[51] = {};
short MenuFirstChild[17] = {};
short MenuParent[30] = {};
short MenuPrev[30] = {};
short MenuNext[30] = {};
short MenuSubChild[30] = {};
short MenuLabelIndex[30] = {};
short MenuGroupSize[30] = {};
QFrame *MenuShapes[30] = {};

short MenuLevel = 0;
short CurrentMenuItem = 0;
short MenuSubItem = 0;
bool FormT2Activated = false;

QFrame *ResultPanel = nullptr;
bool ResultPanelExists = false;
QLabel *ResultCaptions[22] = {};
QLabel *ResultValues[22] = {};
pf::ui::DBGrid *ResultGrid = nullptr;

const char *const kMsgNotANumber = "مقدار «%1» عدد معتبر نيست";
const char *const kMsgListTooLong = "داده هاي «%1» از %2 نويسه بيشتر است و ثبت نمي شود";
const char *const kMsgResultTooLarge = "مقدار «%1» بزرگتر از آن است كه نشان داده شود؛ داده ها را بررسي كنيد";
const char *const kMsgResultNoNumber = "مقدار «%1» عدد نيست؛ داده ها را بررسي كنيد";

namespace {

constexpr short kTopItems = 16;

QColor restColor() { return pf::ui::winColor(AreaColors[AreaT * 5 + RoleText]); }

void clickLabel(short entry)
{
    if (auto *label = qobject_cast<pf::ui::ClickLabel *>(entry > 0 && entry <= 50 ? MenuLabels[entry] : nullptr))
        label->click();
}

// F1: the user guide at its equipment-selection page, scrolled to the top.
void showUserGuide()
{
    if (!FormHelp)
        return;
    constexpr int kEquipmentPage = 3;
    if (auto *pages = FormHelp->findChild<QTabWidget *>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(kEquipmentPage);
    FormHelp->setWindowTitle(QStringLiteral("     راهنماي كاربران - انتخاب تجهيزات "));
    if (QScrollArea *box = FormHelp->pageScrollBox(kEquipmentPage))
        box->verticalScrollBar()->setValue(0);
    pf::ui::showModal(FormHelp);
}

// The records of a project's equipment inputs that the general-data view
// shows, in its order.
constexpr const char *kGeneralFields[] = {
    "Bar_Col", "Masa_z",  "Masa_Ar", "Masa_Aa", "ErtefaS",  "TeaSak",   "OfteFeshar", "TolSevic", "TolRadiat",
    "EkhtDama", "DAbgarm", "SakhAb", "Van",     "Dosh",     "WCKh",     "WCOm",       "SinkAb",   "SinkZar",
    "MashZar",  "SinkRakh", "MashRakh", "LaganPa", "DamAbSh", "DamAbBeh", "DamAbMa"};

} // namespace

TFormT2::TFormT2(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormT2>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormT2"));
    setUpWaterPages();
    setUpBoilerPages();
    setUpPlantPages();
    setUpPumpPages();
    setUpSpacePages();
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(size());
    FormCreate();

    const struct {
        pf::db::Table **table;
        const char *name, *file;
    } own[] = {{&Table1, "Table1", "bankfz.DB"}, {&Table2, "Table2", "bankvh.DB"}, {&Table3, "Table3", "bankfz.DB"}};
    for (const auto &o : own) {
        auto *t = new pf::db::Table(this);
        t->setObjectName(QString::fromLatin1(o.name));
        t->setTableName(QString::fromLatin1(o.file));
        if (DM1) {
            t->setDatabase(DM1->Database1);
            t->setMasterSource(DM1->DataSource1);
        }
        *o.table = t;
    }
    Table1->setIndexFieldNames(QStringLiteral("Shproje"));
    Table3->setIndexFieldNames(QStringLiteral("Shproje"));
    Table2->setIndexName(QStringLiteral("ISHP"));
    for (pf::db::Table *t : {Table1, Table2, Table3})
        t->setMasterFields(QStringLiteral("SHPROJE"));

    using Handler = void (TFormT2::*)();
    const struct {
        pf::ui::ClickLabel *label;
        Handler handler;
    } clicks[] = {
        {ui->Label18, &TFormT2::Label18Click},   {ui->Label19, &TFormT2::Label19Click},
        {ui->Label20, &TFormT2::Label20Click},   {ui->Label5, &TFormT2::Label5Click},
        {ui->Label2, &TFormT2::Label2Click},     {ui->Label6, &TFormT2::Label6Click},
        {ui->Label7, &TFormT2::Label7Click},     {ui->Label8, &TFormT2::Label8Click},
        {ui->Label13, &TFormT2::Label13Click},   {ui->Label10, &TFormT2::Label10Click},
        {ui->Label11, &TFormT2::Label11Click},   {ui->Label12, &TFormT2::Label12Click},
        {ui->Label9, &TFormT2::Label9Click},     {ui->Label14, &TFormT2::Label14Click},
        {ui->Label15, &TFormT2::Label15Click},   {ui->Label16, &TFormT2::Label16Click},
        {ui->Label125, &TFormT2::Label125Click}, {ui->Label124, &TFormT2::Label124Click},
        {ui->Label71, &TFormT2::Label71Click},   {ui->Label69, &TFormT2::Label69Click},
        {ui->Label112, &TFormT2::Label112Click}, {ui->Label111, &TFormT2::Label111Click},
        // The header's page number, title and project caption open item 1.
        {ui->Label52, &TFormT2::Label18Click},   {ui->Label253, &TFormT2::Label18Click},
        {ui->Label17, &TFormT2::Label18Click},   {ui->Label1, &TFormT2::Label1Click},
        {ui->Label24, &TFormT2::Label24Click},   {ui->Label39, &TFormT2::Label39Click},
        {ui->Label41, &TFormT2::Label41Click},   {ui->Label46, &TFormT2::Button3Click},
        {ui->Label47, &TFormT2::Button2Click},
    };
    for (const auto &c : clicks)
        connect(c.label, &pf::ui::ClickLabel::clicked, this, [this, h = c.handler] { (this->*h)(); });
    new pf::ui::HoverGroup({ui->Label1, ui->Label24, ui->Label39, ui->Label41, ui->Label46, ui->Label47},
                           &restColor, this);
    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });

    // The general-data view: the project's inputs, read only.
    int box = 0;
    for (const char *field : kGeneralFields) {
        auto *edit = ui->Main->findChild<pf::ui::DBEdit *>(QStringLiteral("De%1").arg(++box));
        if (edit && DM1)
            edit->bind(DM1->DataSource9, QString::fromLatin1(field));
    }
    connect(ui->RadioButton1, &QRadioButton::clicked, this, &TFormT2::RadioButton1Click);
    connect(ui->RadioButton2, &QRadioButton::clicked, this, &TFormT2::RadioButton2Click);
    connect(ui->RadioButton3, &QRadioButton::clicked, this, &TFormT2::RadioButton3Click);
    // The picture page shows the installation drawings of the booklet's pool
    // and jacuzzi pages, drawn for the screen at its pixel density.
    using bv::eqbook::Picture;
    for (const auto &[label, picture] : {std::pair{ui->ImgEst, Picture::PoolCircuit},
                                         std::pair{ui->ImgJkz1, Picture::JacuzziCircuit},
                                         std::pair{ui->ImgJkz2, Picture::JacuzziJets}})
        label->setPixmap(QPixmap::fromImage(
            bv::eqbook::pictureImage(picture, label->contentsRect().size(), devicePixelRatioF())));

    ui->EditFocus->lower();
    setMenuCommands();
}

TFormT2::~TFormT2()
{
    freeResultPanel();
    // The tables point into this window's labels.
    if (MenuLabels[1] == ui->Label18) {
        std::fill(std::begin(MenuLabels), std::end(MenuLabels), nullptr);
        std::fill(std::begin(MenuShapes), std::end(MenuShapes), nullptr);
    }
}

// Fills the menu tree.
void TFormT2::FormCreate()
{
    QLabel *const top[kTopItems] = {ui->Label18, ui->Label19, ui->Label20, ui->Label5,  ui->Label2,  ui->Label6,
                                    ui->Label7,  ui->Label8,  ui->Label13, ui->Label10, ui->Label11, ui->Label12,
                                    ui->Label9,  ui->Label14, ui->Label15, ui->Label16};
    std::fill(std::begin(MenuLabels), std::end(MenuLabels), nullptr);
    for (int i = 0; i < kTopItems; ++i)
        MenuLabels[i + 1] = top[i];
    std::fill(std::begin(MenuFirstChild), std::end(MenuFirstChild), short(0));
    MenuFirstChild[4] = 3;  // pool: coil exchanger, circulation pumps
    MenuFirstChild[5] = 5;  // jacuzzi: coil exchanger, circulation pumps
    MenuFirstChild[8] = 10; // heat distribution: radiators, unit heaters

    const struct {
        short item, parent, other, entry;
        QLabel *label;
        QFrame *shape;
    } sub[] = {{3, 4, 4, 21, ui->Label125, ui->Shape1}, {4, 4, 3, 22, ui->Label124, ui->Shape2},
               {5, 5, 6, 23, ui->Label71, ui->Shape3},  {6, 5, 5, 24, ui->Label69, ui->Shape4},
               {10, 8, 11, 31, ui->Label112, ui->Shape5}, {11, 8, 10, 32, ui->Label111, ui->Shape6}};
    for (short *t : {MenuParent, MenuPrev, MenuNext, MenuSubChild, MenuLabelIndex, MenuGroupSize})
        std::fill(t, t + 30, short(0));
    std::fill(std::begin(MenuShapes), std::end(MenuShapes), nullptr);
    for (const auto &s : sub) {
        MenuParent[s.item] = s.parent;
        MenuPrev[s.item] = s.other;
        MenuNext[s.item] = s.other;
        MenuLabelIndex[s.item] = s.entry;
        MenuGroupSize[s.item] = 2;
        MenuShapes[s.item] = s.shape;
        MenuLabels[s.entry] = s.label;
    }
    for (QLabel *l : MenuLabels)
        if (l)
            l->setAutoFillBackground(false);
}

// ---------------------------------------------------------------- life

void TFormT2::showEvent(QShowEvent *e)
{
    FormActivate();
    QDialog::showEvent(e);
}

void TFormT2::changeEvent(QEvent *e)
{
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
    QDialog::changeEvent(e);
}

void TFormT2::FormActivate()
{
    if (FormT2Activated)
        return;
    FormT2Activated = true;
    // A new showing may be of another project: nothing of the last one stays.
    clearPages();
    ui->ScrollBox2->hide();
    ui->Nsokft->clear();
    ui->NoeSakft->clear();
    for (QWidget *w : {static_cast<QWidget *>(ui->Pic_Menu), static_cast<QWidget *>(ui->pic_show)})
        w->hide();
    MenuLevel = 1;
    CurrentMenuItem = 1;
    MenuSubItem = 0;
    highlight(CurrentMenuItem, true);
    ui->EditFocus->setFocus();
    ui->EditFocus->lower();
    QString name;
    if (DM1 && DM1->Table1->active() && !DM1->Table1->isEmpty())
        name = DM1->Table1->fieldByName(QStringLiteral("NAME")).asString();
    pf::ui::setFittedText(ui->LProject, name);
}

void TFormT2::done(int r)
{
    // A page left open is cancelled, so the next showing starts in the menu
    // (the general-data view first, or Cancel would only close that).
    ui->ScrollBox2->hide();
    if (!ui->Panel4->isEnabled())
        Label41Click();
    FormT2Activated = false;
    CloseForm(1);
    QDialog::done(r);
}

// ---------------------------------------------------------------- menu

void TFormT2::highlight(short entry, bool on)
{
    if (entry <= 0 || entry > 50 || !MenuLabels[entry])
        return;
    // The label's own colour (the menu colour of the scheme) shows behind
    // it; its text stays legible while a page is open and the menu is
    // disabled.
    MenuLabels[entry]->setAutoFillBackground(on);
}

void TFormT2::CloseForm(short mode)
{
    highlight(CurrentMenuItem, false);
    if (mode != 1)
        return;
    if (MenuLevel == 2) {
        MenuLevel = 1;
        CurrentMenuItem = MenuParent[MenuSubItem];
        VisibleF(MenuSubItem);
        VisibleFArr();
        MenuSubItem = 0;
    }
    if (MenuLevel == 1) {
        MenuLevel = 0;
        CurrentMenuItem = 0;
    }
}

void TFormT2::VisibleT(short item)
{
    short i = item;
    for (short n = 0; n < MenuGroupSize[item] && i > 0; ++n, i = MenuNext[i]) {
        if (QLabel *l = MenuLabels[MenuLabelIndex[i]]) {
            l->setAutoFillBackground(false);
            l->show();
        }
        if (MenuShapes[i])
            MenuShapes[i]->show();
    }
}

void TFormT2::VisibleF(short item)
{
    short i = item;
    for (short n = 0; n < MenuGroupSize[item] && i > 0; ++n, i = MenuNext[i]) {
        if (QLabel *l = MenuLabels[MenuLabelIndex[i]])
            l->hide();
        if (MenuShapes[i])
            MenuShapes[i]->hide();
    }
}

void TFormT2::openSecondLevel(short item)
{
    CloseForm(1);
    CurrentMenuItem = item;
    MenuLevel = 2;
    MenuSubItem = MenuFirstChild[item];
    VisibleTArr(item);
    CurrentMenuItem = MenuLabelIndex[MenuSubItem];
    VisibleT(MenuSubItem);
    highlight(CurrentMenuItem, true);
}

// ---------------------------------------------------------------- pages

void TFormT2::editRecord()
{
    if (DM1 && DM1->Table12->active() && !DM1->Table12->isEmpty())
        DM1->Table12->edit();
}

void TFormT2::showPanel(QFrame *panel)
{
    panel->show();
    panel->raise();
    panel->setFocus();
}

void TFormT2::setPageCommands()
{
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label24, ui->Label39, ui->Label41})
        w->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label46, ui->Label47, ui->Panel4})
        w->setEnabled(false);
}

void TFormT2::setMenuCommands()
{
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label24, ui->Label39, ui->Label41})
        w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label46, ui->Label47, ui->Panel4})
        w->setEnabled(true);
}

void TFormT2::openPage(short item, QFrame *panel, pf::db::Table *afterwards)
{
    CloseForm(1);
    CurrentMenuItem = item;
    MenuLevel = 1;
    highlight(item, true);
    editRecord();
    showPanel(panel);
    setPageCommands();
    if (afterwards && !afterwards->active())
        createedit::openTable(this, afterwards);
}

void TFormT2::openSubPage(short item, QFrame *panel)
{
    CloseForm(2);
    MenuLevel = 2;
    MenuSubItem = item;
    CurrentMenuItem = MenuLabelIndex[item];
    highlight(CurrentMenuItem, true);
    editRecord();
    showPanel(panel);
    setPageCommands();
}

void TFormT2::Label18Click()
{
    // The main branch has no page of inputs: only Calculate and Cancel.
    CloseForm(1);
    CurrentMenuItem = 1;
    MenuLevel = 1;
    highlight(1, true);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label39, ui->Label41, ui->Label47})
        w->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label24, ui->Label46, ui->Panel4})
        w->setEnabled(false);
}

void TFormT2::Label5Click() { openSecondLevel(4); }
void TFormT2::Label2Click() { openSecondLevel(5); }
void TFormT2::Label8Click() { openSecondLevel(8); }

void TFormT2::Label16Click()
{
    CloseForm(1);
    CurrentMenuItem = 16;
    MenuLevel = 1;
    highlight(16, true);
    for (QWidget *w : {static_cast<QWidget *>(ui->pic_show), static_cast<QWidget *>(ui->Pic_Menu)}) {
        w->show();
        w->raise();
    }
    // Cancel leaves the view disabled; shown again, its pictures are not
    // drawn greyed.
    ui->pic_show->setEnabled(true);
    ui->Label41->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label46, ui->Label47, ui->Panel4})
        w->setEnabled(false);
    ui->RadioButton1->setChecked(true);
    ui->RadioButton1->setFocus();
    RadioButton1Click();
}

void TFormT2::RadioButton1Click()
{
    const std::pair<QRadioButton *, QLabel *> pictures[] = {
        {ui->RadioButton1, ui->ImgEst}, {ui->RadioButton2, ui->ImgJkz1}, {ui->RadioButton3, ui->ImgJkz2}};
    for (const auto &[button, picture] : pictures) {
        const bool chosen = button->isChecked();
        picture->setVisible(chosen);
        picture->setEnabled(chosen);
        if (chosen)
            picture->raise();
    }
}

void TFormT2::RadioButton2Click() { RadioButton1Click(); }
void TFormT2::RadioButton3Click() { RadioButton1Click(); }


// ---------------------------------------------------------------- commands

void TFormT2::Label1Click() { clickLabel(CurrentMenuItem); }

QList<QFrame *> TFormT2::pagePanels() const
{
    return {ui->PMADoJ, ui->PTankTF, ui->PDodkesh, ui->PMEBaz, ui->PPGRad, ui->PPGUH,  ui->PGhRvK,  ui->PSakhGir, ui->PEsMo,
            ui->PEsSir, ui->PJakoziMo, ui->PJakoziSir, ui->PDig, ui->PKore, ui->PEMsh, ui->PPSiS, ui->PHavPD};
}

void TFormT2::Label41Click()
{
    if (QWidget *f = focusWidget())
        f->clearFocus();
    if (ui->ScrollBox2->isVisibleTo(this) && ui->ScrollBox2->isEnabled()) {
        ui->ScrollBox2->hide();
        return;
    }
    if (ui->Pic_Menu->isVisibleTo(this)) {
        for (QWidget *w : {static_cast<QWidget *>(ui->Pic_Menu), static_cast<QWidget *>(ui->pic_show)}) {
            w->hide();
            w->lower();
        }
        ui->Label41->setEnabled(false);
        for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label46, ui->Label47, ui->Panel4})
            w->setEnabled(true);
        ui->pic_show->setEnabled(false);
    } else {
        freeResultPanel();
        if (DM1 && DM1->Table12->active()) {
            try {
                DM1->Table12->cancel();
            } catch (const pf::db::DbError &e) {
                pf::ui::showMessage(e.message(), this);
            }
        }
        setMenuCommands();
        for (QFrame *p : pagePanels()) {
            p->lower();
            p->hide();
        }
    }
    ui->EditFocus->setFocus();
}

void TFormT2::Button3Click() { pf::ui::endModal(this, QDialog::Rejected); }

void TFormT2::Button2Click() { createedit::askExit(); }

// ---------------------------------------------------------------- keys

void TFormT2::Action1Execute()
{
    if (ui->ScrollBox2->isVisibleTo(this) && ui->ScrollBox2->isEnabled()) {
        ui->ScrollBox2->hide();
    } else if (ui->Pic_Menu->isVisibleTo(this)) {
        for (QWidget *w : {static_cast<QWidget *>(ui->Pic_Menu), static_cast<QWidget *>(ui->pic_show)}) {
            w->hide();
            w->lower();
        }
    } else if (ui->Panel4->isEnabled()) {
        Button2Click();
    } else {
        Label41Click();
    }
}

void TFormT2::Action2Execute()
{
    if (!ui->Panel4->isEnabled())
        Label24Click();
}

void TFormT2::Action3Execute() { createedit::showGlossary(); }

void TFormT2::Action4Execute() { createedit::showUnitTable(); }

void TFormT2::Action5Execute()
{
    if (ui->ScrollBox2->isVisibleTo(this))
        return;
    ui->ScrollBox2->raise();
    ui->ScrollBox2->show();
    ui->ScrollBox2->verticalScrollBar()->setValue(0);
    // The fuel and the building type as the inputs page names them; nothing
    // when the project has no equipment record.
    QString fuel, type;
    if (DM1 && DM1->Table12->active() && !DM1->Table12->isEmpty()) {
        fuel = recordValue(QStringLiteral("TySo")) != 0 ? QStringLiteral("گاز شهري") : QStringLiteral("گازوئيل");
        const int n = int(recordValue(QStringLiteral("NSakh")));
        if (auto *types = FormT1 ? FormT1->findChild<QComboBox *>(QStringLiteral("ComboBox1")) : nullptr)
            if (n >= 0 && n < types->count())
                type = types->itemText(n);
    }
    ui->Nsokft->setText(fuel);
    ui->NoeSakft->setText(type);
    ui->ScrollBox2->setEnabled(true);
}

void TFormT2::Action7Execute() { createedit::runCalculator(this); }

bool TFormT2::FormKeyDown(QKeyEvent *key)
{
    const int k = key->key();
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (k == Qt::Key_Escape || (k == Qt::Key_C && mods == Qt::ControlModifier)) {
        Action1Execute();
        return true;
    }
    switch (k) {
    case Qt::Key_F1:
        showUserGuide();
        return true;
    case Qt::Key_F2:
        Action2Execute();
        return true;
    case Qt::Key_F6:
        Action5Execute();
        return true;
    case Qt::Key_F8:
        if (ui->Label39->isEnabled())
            Label39Click();
        return true;
    case Qt::Key_F10:
        Action3Execute();
        return true;
    case Qt::Key_F11:
        Action4Execute();
        return true;
    case Qt::Key_F12:
        Action7Execute();
        return true;
    default:
        break;
    }
    if (!ui->Panel4->isEnabled())
        return false;
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        clickLabel(CurrentMenuItem);
        return true;
    }
    if (k == Qt::Key_F4) {
        Button3Click();
        return true;
    }
    if (k != Qt::Key_Up && k != Qt::Key_Down && k != Qt::Key_Left && k != Qt::Key_Right)
        return false;
    if (MenuLevel == 0)
        return true;
    highlight(CurrentMenuItem, false);
    if (MenuLevel == 1) {
        if (k == Qt::Key_Up)
            CurrentMenuItem = CurrentMenuItem == 1 ? kTopItems : CurrentMenuItem - 1;
        else if (k == Qt::Key_Down)
            CurrentMenuItem = CurrentMenuItem == kTopItems ? 1 : CurrentMenuItem + 1;
        else if (k == Qt::Key_Left && MenuFirstChild[CurrentMenuItem] != 0) {
            MenuLevel = 2;
            MenuSubItem = MenuFirstChild[CurrentMenuItem];
            VisibleTArr(CurrentMenuItem);
            CurrentMenuItem = MenuLabelIndex[MenuSubItem];
            VisibleT(MenuSubItem);
        }
    } else if (MenuLevel == 2) {
        if (k == Qt::Key_Up || k == Qt::Key_Down) {
            MenuSubItem = k == Qt::Key_Up ? MenuPrev[MenuSubItem] : MenuNext[MenuSubItem];
            CurrentMenuItem = MenuLabelIndex[MenuSubItem];
        } else if (k == Qt::Key_Right) {
            MenuLevel = 1;
            CurrentMenuItem = MenuParent[MenuSubItem];
            VisibleF(MenuSubItem);
            VisibleFArr();
            MenuSubItem = 0;
        }
    }
    highlight(CurrentMenuItem, true);
    return true;
}

// ---------------------------------------------------------------- results

double TFormT2::RoundX(double x) { return ::RoundX(x); }

QString TFormT2::roundText(double x) { return bv::sizing::perspace::roundXText(x); }

bool TFormT2::showable(double x) { return bv::sizing::perspace::showable(x); }

namespace {

// Properties of a result panel: the first row given a number it cannot
// show, with that number, and that the run has been refused.
const char *const kRefusedRow = "refusedRow";
const char *const kRefusedValue = "refusedValue";
const char *const kRefused = "refused";

constexpr int kTextGap = 4;     // between two texts on a line of the panel
constexpr int kFrameMargin = 2; // between a text and the panel's frame

// A caption as the panel holds it (for a left-to-right line, ":(gal)حجم آب")
// in reading order, as a message names it: "حجم آب (gal)".
QString captionInReadingOrder(const QString &caption)
{
    QString t = caption.trimmed();
    while (t.startsWith(QLatin1Char(':')) || t.endsWith(QLatin1Char(':'))) {
        t.remove(t.startsWith(QLatin1Char(':')) ? 0 : t.size() - 1, 1);
        t = t.trimmed();
    }
    const qsizetype close = t.indexOf(QLatin1Char(')'));
    if (t.startsWith(QLatin1Char('(')) && close > 0 && close + 1 < t.size())
        t = t.mid(close + 1).trimmed() + QLatin1Char(' ') + t.left(close + 1);
    return t;
}

// What takes room on a line of the panel: a text, the divider between its
// groups, a grid shown on it.
bool takesRoom(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return !label->text().isEmpty();
    if (qobject_cast<const QAbstractItemView *>(w))
        return !w->isHidden();
    auto *frame = qobject_cast<const QFrame *>(w);
    return frame && frame->frameShape() == QFrame::VLine;
}

bool onOneLine(const QRect &a, const QRect &b) { return a.top() <= b.bottom() && b.top() <= a.bottom(); }

QList<QWidget *> panelParts(const QWidget *panel)
{
    return panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
}

// The nearest thing to the right of `w` on its line (its left edge right of
// w's), or none.
QWidget *nextOnLine(const QWidget *w)
{
    QWidget *next = nullptr;
    for (QWidget *o : panelParts(w->parentWidget()))
        if (o != w && takesRoom(o) && onOneLine(o->geometry(), w->geometry()) && o->x() > w->x()
            && (!next || o->x() < next->x()))
            next = o;
    return next;
}

// Room free to the right of `w`: up to the next thing on its line, or to
// the frame.
int roomRightOf(const QWidget *w)
{
    const QWidget *next = nextOnLine(w);
    const int edge = next ? next->x() - kTextGap : w->parentWidget()->width() - kFrameMargin;
    return edge - (w->x() + w->width());
}

// Room free to the left of `w`: back to the end of what stands before it on
// its line, or to the frame.
int roomLeftOf(const QWidget *w)
{
    int edge = kFrameMargin;
    for (QWidget *o : panelParts(w->parentWidget()))
        if (o != w && takesRoom(o) && onOneLine(o->geometry(), w->geometry()) && o->x() < w->x())
            edge = std::max(edge, o->x() + o->width() + kTextGap);
    return w->x() - edge;
}

// Widens the panel by `by` at `cut`: everything from there rightwards moves
// on, the frame (and a grid) across the cut grows, and the panel keeps its
// right edge as far as the window has room on its left.
void widenPanel(QWidget *panel, int cut, int by)
{
    for (QWidget *o : panelParts(panel)) {
        if (o->x() >= cut)
            o->move(o->x() + by, o->y());
        else if (o->x() + o->width() > cut && !qobject_cast<QLabel *>(o))
            o->resize(o->width() + by, o->height());
    }
    const int left = std::clamp(panel->x(), 0, by);
    panel->setGeometry(panel->x() - left, panel->y(), panel->width() + by, panel->height());
}

// Makes a text of the panel clear of the next thing on its line: a text
// there moves on into the room it has, then `w` starts further left, and
// what is still missing widens the panel from that thing on.
void clearOfNext(QWidget *w)
{
    if (!takesRoom(w))
        return;
    QWidget *panel = w->parentWidget();
    QWidget *next = nextOnLine(w);
    int missing = w->x() + w->width() - (next ? next->x() - kTextGap : panel->width() - kFrameMargin);
    if (missing <= 0)
        return;
    if (next && qobject_cast<QLabel *>(next)) {
        const int push = std::clamp(roomRightOf(next), 0, missing);
        next->move(next->x() + push, next->y());
        missing -= push;
    }
    const int pull = std::clamp(roomLeftOf(w), 0, missing);
    w->move(w->x() - pull, w->y());
    missing -= pull;
    if (missing > 0)
        widenPanel(panel, next ? next->x() : panel->width(), missing);
}

} // namespace

void TFormT2::freeResultPanel()
{
    delete ResultPanel;
    ResultPanel = nullptr;
    ResultGrid = nullptr;
    std::fill(std::begin(ResultCaptions), std::end(ResultCaptions), nullptr);
    std::fill(std::begin(ResultValues), std::end(ResultValues), nullptr);
    ResultPanelExists = false;
}

void TFormT2::MakeComp(short Left, short Top, short Width, short Height, short Rows1, short ValueX1,
                       short CaptionX1, short Rows2, short ValueX2, short CaptionX2, short RowsTop,
                       const QString &Title1, const QString &Title2)
{
    // The grid and the labels of an earlier panel die with it: everything
    // is built afresh.
    freeResultPanel();
    ResultPanelExists = true;

    const QColor window = pf::ui::winColor(AreaColors[AreaT * 5 + RoleWin]);
    const QColor text = pf::ui::winColor(AreaColors[AreaT * 5 + RoleText]);
    auto *panel = new QFrame; // unattached until a run has results
    panel->setObjectName(QStringLiteral("ResultPanel"));
    panel->setLayoutDirection(Qt::LeftToRight); // positions are given from the left
    panel->setGeometry(Left, Top, Width, Height);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, window);
    pal.setColor(QPalette::WindowText, text);
    panel->setPalette(pal);
    ResultPanel = panel;
    // However the panel goes, nothing keeps pointing at it or its rows.
    connect(panel, &QObject::destroyed, this, [panel] {
        if (ResultPanel != panel)
            return;
        ResultPanel = nullptr;
        ResultGrid = nullptr;
        std::fill(std::begin(ResultCaptions), std::end(ResultCaptions), nullptr);
        std::fill(std::begin(ResultValues), std::end(ResultValues), nullptr);
        ResultPanelExists = false;
    });

    auto *shape = new QFrame(panel);
    shape->setFrameShape(QFrame::Box);
    shape->setGeometry(0, 1, Width, Height - 1);
    shape->lower();

    const QString face = ProgramFonts.ScreenFont;
    auto makeLabel = [&](int size, const QString &name) {
        auto *l = new QLabel(panel);
        l->setObjectName(name);
        QFont f(face, size);
        f.setBold(true);
        l->setFont(f);
        l->setPalette(pal);
        // Placed from the left, read as the window reads (a value without
        // letters, "1/4 1", right to left).
        l->setLayoutDirection(Qt::RightToLeft);
        return l;
    };
    if (!Title1.isEmpty()) {
        QLabel *t1 = makeLabel(10, QStringLiteral("ResultTitle1"));
        t1->setText(Title1);
        t1->adjustSize();
        if (!Title2.isEmpty()) {
            QLabel *t2 = makeLabel(10, QStringLiteral("ResultTitle2"));
            t2->setText(Title2);
            t2->adjustSize();
            t1->move(CaptionX1, 2);
            t2->move(CaptionX2, 2);
        } else {
            t1->move(qRound(Width / 2.0 - t1->width() / 2.0), 2);
        }
    }
    const int y0 = RowsTop + 10;
    auto makeRow = [&](int i, int captionX, int valueX, int row) {
        if (i < 1 || i > 21)
            return; // the tables hold 21 rows
        ResultCaptions[i] = makeLabel(9, QStringLiteral("ResultCaption%1").arg(i));
        ResultCaptions[i]->move(captionX, y0 + 23 * row);
        ResultValues[i] = makeLabel(10, QStringLiteral("ResultValue%1").arg(i));
        ResultValues[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ResultValues[i]->move(valueX, y0 + 23 * row);
    };
    for (int i = 1; i <= Rows1; ++i)
        makeRow(i, CaptionX1, ValueX1, i);
    if (Rows2 > 0) {
        auto *divider = new QFrame(panel);
        divider->setFrameShape(QFrame::VLine);
        divider->setGeometry(ValueX2 - 5, RowsTop + 1, 1, Height - 1);
        for (int i = Rows1 + 1; i <= Rows1 + Rows2; ++i)
            makeRow(i, CaptionX2, ValueX2, i - Rows1);
    }
}

void TFormT2::setResultRow(int i, const QString &caption, const QString &value)
{
    if (i < 1 || i > 21 || !ResultCaptions[i])
        return;
    QLabel *c = ResultCaptions[i], *v = ResultValues[i];
    c->setText(caption);
    c->adjustSize();
    // An autosized label of a right-to-left panel keeps its left edge: a
    // value starts at its column and grows to the right, towards its caption.
    v->setText(value);
    v->adjustSize();
    clearOfNext(v);
    clearOfNext(c);
}

void TFormT2::setResultRow(int i, const QString &caption, double value)
{
    if (showable(value))
        return setResultRow(i, caption, roundText(value));
    setResultRow(i, caption, QString());
    if (i < 1 || i > 21 || !ResultCaptions[i] || !ResultPanel || ResultPanel->property(kRefusedRow).isValid())
        return;
    ResultPanel->setProperty(kRefusedRow, i);
    ResultPanel->setProperty(kRefusedValue, value);
    if (ResultPanel->parentWidget())
        resultsShowable();
}

bool TFormT2::resultsShowable()
{
    if (!ResultPanel)
        return true;
    if (ResultPanel->property(kRefused).toBool())
        return false;
    const QVariant row = ResultPanel->property(kRefusedRow);
    if (!row.isValid())
        return true;
    const QLabel *caption = ResultCaptions[row.toInt()];
    refuseResult(caption ? caption->text() : QString(), ResultPanel->property(kRefusedValue).toDouble());
    return false;
}

void TFormT2::refuseResult(const QString &caption, double value)
{
    if (ResultPanel) {
        if (ResultPanel->property(kRefused).toBool())
            return;
        ResultPanel->setProperty(kRefused, true);
        // Nothing of the run stays on the window; the panel waits, off it,
        // for the next run or Cancel.
        ResultPanel->hide();
        ResultPanel->setParent(nullptr);
    }
    const char *message = std::isnan(value) ? kMsgResultNoNumber : kMsgResultTooLarge;
    pf::ui::showMessage(QString::fromUtf8(message).arg(captionInReadingOrder(caption)));
}

bool TFormT2::showResultPanel()
{
    if (!resultsShowable() || !ResultPanel)
        return false;
    ResultPanel->setParent(this);
    ResultPanel->show();
    ResultPanel->raise();
    return true;
}

// ---------------------------------------------------------------- calculate

void TFormT2::Label39Click()
{
    if (CurrentMenuItem == 1)
        SizeKontor(1);
    if (ui->PMADoJ->isVisibleTo(this)) {
        switch (uiComboBox8Index()) {
        case 0: MAbGMDJedar(1); break;
        case 1: KAbDagh(1); break;
        case 2: MAKB(1); break;
        default: break;
        }
    }
    if (ui->PTankTF->isVisibleTo(this))
        TankTF(1);
    if (poolPresent()) {
        if (ui->PEsMo->isVisibleTo(this))
            EstakhMobadel(1);
        if (ui->PEsSir->isVisibleTo(this))
            EstakhPmpSir(1);
    }
    if (jacuzziPresent()) {
        if (ui->PJakoziMo->isVisibleTo(this))
            JakoziMobadel(1);
        if (ui->PJakoziSir->isVisibleTo(this))
            JakoziPmpSir(1);
    }
    if (ui->PDig->isVisibleTo(this))
        Dig(1);
    if (ui->PKore->isVisibleTo(this))
        Kore(1);
    if (ui->PDodkesh->isVisibleTo(this))
        PrDodkesh(1);
    if (ui->PMEBaz->isVisibleTo(this))
        MEnBaz(1);
    if (ui->PPGRad->isVisibleTo(this))
        ESRad(1);
    if (ui->PPGUH->isVisibleTo(this))
        EUHAbDagh(1);
    if (ui->PGhRvK->isVisibleTo(this))
        GhKlvRz(1);
    if (ui->PSakhGir->isVisibleTo(this))
        SakhGir(1);
    if (ui->PEMsh->isVisibleTo(this))
        EntMashal(1);
    if (ui->PPSiS->isVisibleTo(this))
        PmpSir(1);
    if (ui->PHavPD->isVisibleTo(this))
        HavaKesh(1);
}

// ---------------------------------------------------------------- save

void TFormT2::hidePage(QFrame *panel)
{
    if (panel->isVisibleTo(this)) {
        panel->lower();
        panel->hide();
    }
}

void TFormT2::Label24Click()
{
    QList<QFrame *> shownPages;
    for (QFrame *p : pagePanels())
        if (p->isVisibleTo(this))
            shownPages.append(p);
    freeResultPanel();
    // What a box shows is what is stored: a box whose text is no number
    // (its field still holding an older value) stops Save with its own
    // message before anything is checked or written.
    for (QFrame *p : shownPages)
        if (!pf::ui::boxesHoldTheirNumbers(p))
            return;
    // Each block runs only while its page is shown; the first failed check
    // ends Save with its message and leaves the page as typed.
    if (ui->PDodkesh->isVisibleTo(this) && !saveChimneyPage())
        return;
    if (ui->PTankTF->isVisibleTo(this) && !savePressureTankPage())
        return;
    if (ui->PMEBaz->isVisibleTo(this) && !saveExpansionTankPage())
        return;
    if (ui->PMADoJ->isVisibleTo(this) && !saveHotWaterTankPage())
        return;
    if (ui->PEsMo->isVisibleTo(this) && !savePoolExchangerPage())
        return;
    if (ui->PJakoziMo->isVisibleTo(this) && !saveJacuzziExchangerPage())
        return;
    if (ui->PDig->isVisibleTo(this) && !saveBoilerPage())
        return;
    hidePage(ui->PJakoziMo);
    if (ui->PJakoziSir->isVisibleTo(this)) {
        if (!saveJacuzziPumpsPage())
            return;
        hidePage(ui->PJakoziSir);
    }
    hidePage(ui->PDig);
    if (ui->PEMsh->isVisibleTo(this) && !saveBurnerPage())
        return;
    if (ui->PPSiS->isVisibleTo(this) && !saveCirculationPumpPage())
        return;
    for (QFrame *p : {ui->PMADoJ, ui->PTankTF, ui->PDodkesh, ui->PMEBaz})
        hidePage(p);
    if (ui->PPGRad->isVisibleTo(this)) {
        if (!saveRadiatorPage())
            return;
        hidePage(ui->PPGRad);
    }
    if (ui->PPGUH->isVisibleTo(this)) {
        if (!saveUnitHeaterPage())
            return;
        hidePage(ui->PPGUH);
    }
    hidePage(ui->PGhRvK);
    if (ui->PSakhGir->isVisibleTo(this)) {
        if (!saveSoftenerPage())
            return;
        hidePage(ui->PSakhGir);
    }
    hidePage(ui->PEsMo);
    if (ui->PKore->isVisibleTo(this)) {
        if (!saveFurnacePage())
            return;
        hidePage(ui->PKore);
    }
    hidePage(ui->PEMsh);
    hidePage(ui->PPSiS);
    if (ui->PEsSir->isVisibleTo(this)) {
        if (!savePoolPumpsPage())
            return;
        hidePage(ui->PEsSir);
    }
    for (QFrame *p : {ui->PJakoziSir, ui->PDig, ui->PHavPD})
        hidePage(p);
    if (DM1) {
        DM1->Table4->close();
        DM1->Table3->close();
        try {
            if (DM1->Table12->state() == pf::db::DatasetState::Edit)
                DM1->Table12->post();
            if (DM1->Table12->active())
                DM1->Table12->refresh();
        } catch (const pf::db::DbError &e) {
            // Not stored: the page comes back as typed.
            pf::ui::showMessage(e.message(), this);
            for (QFrame *p : shownPages)
                showPanel(p);
            return;
        }
    }
    setMenuCommands();
    ui->EditFocus->setFocus();
}

// ---------------------------------------------------------------- projects

void TFormT2::clearPages()
{
    freeResultPanel();
    clearWaterPages();
    clearBoilerPages();
    clearPlantPages();
    clearPumpPages();
    clearSpacePages();
}

// ---------------------------------------------------------------- reading

bool TFormT2::readBox(const QLineEdit *box, const QString &caption, bool whole, double &value)
{
    const QString typed = pf::ui::numberText(box).trimmed();
    const QString text = QStringLiteral("0") + typed;
    bool ok = false;
    double v = 0;
    if (!typed.isEmpty() && std::none_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); })) {
        // A point or a sign alone, which the "0" in front would make a number.
    } else if (whole) {
        int64_t n = 0;
        ok = pf::strToInt(text, &n);
        v = double(n);
    } else {
        ok = pf::strToFloat(text, &v);
    }
    // A number too large to be shown without an exponent is no number a
    // page can work with.
    if (ok && pf::showsAsTyped(v)) {
        value = v;
        return true;
    }
    const QString refusal = pf::ui::boxRefusal(box);
    pf::ui::showMessage(refusal.isEmpty() ? QString::fromUtf8(kMsgNotANumber).arg(caption) : refusal);
    return false;
}

double TFormT2::boxValue(const QLineEdit *box)
{
    double v = 0;
    return pf::strToFloat(QStringLiteral("0") + box->text().trimmed(), &v) ? v : 0;
}

double TFormT2::recordValue(const QString &field)
{
    if (!DM1 || !DM1->Table12->active() || DM1->Table12->isEmpty())
        return 0;
    return DM1->Table12->fieldByName(field).asFloat();
}

QString TFormT2::recordText(const QString &field)
{
    if (!DM1 || !DM1->Table12->active() || DM1->Table12->isEmpty())
        return {};
    return DM1->Table12->fieldByName(field).asString();
}

bool TFormT2::writeListField(const QString &field, const QString &list, const QString &caption)
{
    if (!DM1 || !DM1->Table12->active())
        return false;
    pf::db::Field &f = DM1->Table12->fieldByName(field);
    if (f.size() > 0 && list.size() > f.size()) {
        pf::ui::showMessage(QString::fromUtf8(kMsgListTooLong).arg(caption).arg(f.size()));
        return false;
    }
    f.setAsString(list);
    return true;
}

bv::sizing::FixtureCounts TFormT2::recordFixtures()
{
    auto whole = [](const char *f) { return int(pf::roundToInt(recordValue(QString::fromLatin1(f)))); };
    bv::sizing::FixtureCounts f;
    f.WCKh = whole("WCKh");
    f.WCOm = whole("WCOm");
    f.Van = whole("Van");
    f.Dosh = whole("Dosh");
    f.SinkAb = whole("SinkAb");
    f.SinkZar = whole("SinkZar");
    f.MashZar = whole("MashZar");
    f.SinkRakh = whole("SinkRakh");
    f.MashRakh = whole("MashRakh");
    f.LaganPa = whole("LaganPa");
    return f;
}
