#pragma once
// The delete form: removes a project, floor, unit, space or wall chosen in
// its grids, at the level the main menu set in DeleteLevel. Shown without
// waiting.
#include <QDialog>
#include <QFrame>

namespace pf::ui {
class DBGrid;
}

class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget *parent = nullptr);

    // Projects, floor and unit rows, spaces, walls; the menu enables them by
    // level.
    pf::ui::DBGrid *DBGrid1 = nullptr;
    pf::ui::DBGrid *DBGrid2 = nullptr;
    pf::ui::DBGrid *DBGrid3 = nullptr;
    pf::ui::DBGrid *DBGrid4 = nullptr;

    // Delete the chosen record at DeleteLevel.
    void Label4Click();
    // Leave: rebuild the indexes quietly, give the confirmation form its
    // exit question back and close.
    void Label6Click();
};

extern TForm16 *Form16;
