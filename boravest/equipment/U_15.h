#pragma once
// The equipment window: a menu of sixteen equipment families on the right
// (pool, jacuzzi and heat distribution open a second level of items), the
// page of the chosen family on the left and the command bar below.
#include <QDialog>
#include <QFrame>

#include <memory>

class QKeyEvent;
class QLabel;

namespace Ui {
class TFormT2;
}
namespace pf::db {
class Table;
}

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
    void Label41Click(); // Cancel: leaves the open page
    void Button3Click(); // Back
    void Button2Click(); // Exit

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
};

extern TFormT2 *FormT2;
