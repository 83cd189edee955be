#pragma once
// The delete form: removes a project, floor, unit, space or wall chosen in
// its grids, at the level the main menu set in DeleteLevel, with everything
// under it. Shown without waiting.
#include "ui_U16.h"

#include <QDialog>

#include <memory>
namespace pf::ui {
class HoverGroup;
}

class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget *parent = nullptr);
    ~TForm16() override;

    std::unique_ptr<Ui::TForm16> ui;

    // Shows the grids and opens the chain tables; a database that was
    // reopened meanwhile needs a fresh choice before the next delete.
    void FormActivate();
    // Delete the chosen record at DeleteLevel, after the confirmation.
    void Label4Click();
    // Leave: rebuild the indexes quietly, give the confirmation form its
    // exit question back and close.
    void Label6Click();
    // A click in grid 1..4: a choice at the current level allows a delete.
    void GridCellClick(int grid);
    void FormKeyPress(int key);

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool event(QEvent *e) override;

private:
    pf::ui::HoverGroup *m_hover = nullptr;
};

extern TForm16 *Form16;
