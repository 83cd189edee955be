#include "boravest/equipment/U_15.h"

#include "ui_U_15.h"

#include "boravest/building/EntryPage.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "platform/db/Table.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QKeyEvent>

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

namespace {

constexpr short kTopItems = 16;

QColor restColor() { return pf::ui::winColor(AreaColors[AreaT * 5 + RoleText]); }

void clickLabel(short entry)
{
    if (auto *label = qobject_cast<pf::ui::ClickLabel *>(entry > 0 && entry <= 50 ? MenuLabels[entry] : nullptr))
        label->click();
}

} // namespace

TFormT2::TFormT2(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormT2>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormT2"));
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
        {ui->Label41, &TFormT2::Label41Click},   {ui->Label46, &TFormT2::Button3Click},
        {ui->Label47, &TFormT2::Button2Click},
    };
    for (const auto &c : clicks)
        connect(c.label, &pf::ui::ClickLabel::clicked, this, [this, h = c.handler] { (this->*h)(); });
    new pf::ui::HoverGroup({ui->Label1, ui->Label24, ui->Label39, ui->Label41, ui->Label46, ui->Label47},
                           &restColor, this);
    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });

    ui->EditFocus->lower();
    setMenuCommands();
}

TFormT2::~TFormT2()
{
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
    MenuLevel = 1;
    CurrentMenuItem = 1;
    MenuSubItem = 0;
    highlight(CurrentMenuItem, true);
    ui->EditFocus->setFocus();
    ui->EditFocus->lower();
    QString name;
    if (DM1 && DM1->Table1->active() && !DM1->Table1->isEmpty())
        name = DM1->Table1->fieldByName(QStringLiteral("NAME")).asString();
    ui->LProject->setText(name);
}

void TFormT2::done(int r)
{
    // A page left open is cancelled, so the next showing starts in the menu.
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
    QLabel *l = MenuLabels[entry];
    if (on) {
        QPalette p = l->palette();
        p.setColor(QPalette::Window, p.color(QPalette::Highlight));
        l->setPalette(p);
    }
    l->setAutoFillBackground(on);
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

void TFormT2::Label19Click() { openPage(2, ui->PMADoJ); }
void TFormT2::Label20Click() { openPage(3, ui->PTankTF); }
void TFormT2::Label5Click() { openSecondLevel(4); }
void TFormT2::Label2Click() { openSecondLevel(5); }
void TFormT2::Label6Click() { openPage(6, ui->PDig); }
void TFormT2::Label7Click() { openPage(7, ui->PKore, Table1); }
void TFormT2::Label8Click() { openSecondLevel(8); }
void TFormT2::Label13Click() { openPage(9, ui->PPSiS); }
void TFormT2::Label10Click() { openPage(10, ui->PEMsh); }
void TFormT2::Label11Click() { openPage(11, ui->PGhRvK, Table2); }
void TFormT2::Label12Click() { openPage(12, ui->PDodkesh); }
void TFormT2::Label9Click() { openPage(13, ui->PMEBaz); }
void TFormT2::Label14Click() { openPage(14, ui->PSakhGir); }
void TFormT2::Label15Click() { openPage(15, ui->PHavPD, Table3); }

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
    ui->Label41->setEnabled(true);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label46, ui->Label47, ui->Panel4})
        w->setEnabled(false);
    ui->RadioButton1->setChecked(true);
    ui->RadioButton1->setFocus();
}

void TFormT2::Label125Click() { openSubPage(3, ui->PEsMo); }
void TFormT2::Label124Click() { openSubPage(4, ui->PEsSir); }
void TFormT2::Label71Click() { openSubPage(5, ui->PJakoziMo); }
void TFormT2::Label69Click() { openSubPage(6, ui->PJakoziSir); }
void TFormT2::Label112Click() { openSubPage(10, ui->PPGRad); }
void TFormT2::Label111Click() { openSubPage(11, ui->PPGUH); }

// ---------------------------------------------------------------- commands

void TFormT2::Label1Click() { clickLabel(CurrentMenuItem); }

void TFormT2::Label41Click()
{
    if (QWidget *f = focusWidget())
        f->clearFocus();
    if (ui->Pic_Menu->isVisible()) {
        for (QWidget *w : {static_cast<QWidget *>(ui->Pic_Menu), static_cast<QWidget *>(ui->pic_show)}) {
            w->hide();
            w->lower();
        }
        ui->Label41->setEnabled(false);
        for (QWidget *w : std::initializer_list<QWidget *>{ui->Label1, ui->Label46, ui->Label47, ui->Panel4})
            w->setEnabled(true);
        ui->pic_show->setEnabled(false);
    } else {
        if (DM1 && DM1->Table12->active())
            DM1->Table12->cancel();
        setMenuCommands();
        for (QFrame *p : {ui->PMADoJ, ui->PTankTF, ui->PDodkesh, ui->PMEBaz, ui->PPGRad, ui->PPGUH, ui->PGhRvK,
                          ui->PSakhGir, ui->PEsMo, ui->PEsSir, ui->PJakoziMo, ui->PJakoziSir, ui->PDig, ui->PKore,
                          ui->PEMsh, ui->PPSiS, ui->PHavPD}) {
            p->lower();
            p->hide();
        }
    }
    ui->EditFocus->setFocus();
}

void TFormT2::Button3Click() { pf::ui::endModal(this, QDialog::Rejected); }

void TFormT2::Button2Click() { createedit::askExit(); }

// ---------------------------------------------------------------- keys

bool TFormT2::FormKeyDown(QKeyEvent *key)
{
    const int k = key->key();
    if (k == Qt::Key_Escape) {
        // Esc leaves the open page or asks the exit question; it never
        // closes the window on its own.
        ui->Panel4->isEnabled() ? Button2Click() : Label41Click();
        return true;
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
