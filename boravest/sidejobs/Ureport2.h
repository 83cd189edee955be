#pragma once
// The copy-plan, backup and restore form; one panel of it is shown at a
// time under the title label.
#include <QDialog>
#include <QFrame>

class QLabel;
namespace pf::ui {
class DBGrid;
}

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget *parent = nullptr);

    QLabel *Label13 = nullptr;         // title
    pf::ui::DBGrid *DBGrid2 = nullptr; // floor and unit rows to copy

    void Label2Click(); // copy-plan panel
    void Label4Click(); // backup panel
    void Label5Click(); // restore panel
    // Closing the form rebuilds the indexes quietly.
    void FormClose();
};

extern TForm17 *Form17;
