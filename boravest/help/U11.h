#pragma once
// The unit conversion table of the help tools: a value typed in one unit of
// a quantity is shown at once in every other unit of that quantity.
#include "boravest/help/UnitConversion.h"

#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class TForm11;
}

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget *parent = nullptr);
    ~TForm11() override;

    std::unique_ptr<Ui::TForm11> ui;

    // The unit (1-based) each quantity's input edit is read in.
    std::array<int, unitconv::QuantityCount> SourceUnit{};

    // The table's own rounding of every result.
    static double RoundX(double x) { return unitconv::RoundX(x); }

    void FormActivate();
    void selectorClick(int quantity);
    void unitClick(int quantity, int unit);
    void inputChange(int quantity);

    void p1Click() { selectorClick(0); }
    void p2Click() { selectorClick(1); }
    void p3Click() { selectorClick(2); }
    void p4Click() { selectorClick(3); }
    void P5Click() { selectorClick(4); }
    void P6Click() { selectorClick(5); }
    void P7Click() { selectorClick(6); }
    void P8Click() { selectorClick(7); }
    void P9Click() { selectorClick(8); }
    void P10Click() { selectorClick(9); }
    void P11Click() { selectorClick(10); }
    void EtChange() { inputChange(0); }
    void EsChange() { inputChange(1); }
    void Eh1Change() { inputChange(2); }
    void Ej1Change() { inputChange(3); }
    void Es1Change() { inputChange(4); }
    void Esh1Change() { inputChange(5); }
    void Edb1Change() { inputChange(6); }
    void Ef1Change() { inputChange(7); }
    void Ee1Change() { inputChange(8); }
    void Ehe1Change() { inputChange(9); }
    void Ed1Change() { inputChange(10); }
    void Pt1Click() { unitClick(0, 1); } void Pt2Click() { unitClick(0, 2); } void Pt3Click() { unitClick(0, 3); } void Pt4Click() { unitClick(0, 4); }
    void Pc1Click() { unitClick(1, 1); } void Pc2Click() { unitClick(1, 2); } void Pc3Click() { unitClick(1, 3); } void Pc4Click() { unitClick(1, 4); }
    void Ph1Click() { unitClick(2, 1); } void Ph2Click() { unitClick(2, 2); } void Ph3Click() { unitClick(2, 3); } void Ph4Click() { unitClick(2, 4); }
    void Pj1Click() { unitClick(3, 1); } void Pj2Click() { unitClick(3, 2); } void Pj3Click() { unitClick(3, 3); } void Pj4Click() { unitClick(3, 4); }
    void Ps1Click() { unitClick(4, 1); } void Ps2Click() { unitClick(4, 2); } void Ps3Click() { unitClick(4, 3); } void Ps4Click() { unitClick(4, 4); }
    void Psh1Click() { unitClick(5, 1); } void Psh2Click() { unitClick(5, 2); } void Psh3Click() { unitClick(5, 3); } void Psh4Click() { unitClick(5, 4); }
    void Pdb1Click() { unitClick(6, 1); } void Pdb2Click() { unitClick(6, 2); } void Pdb3Click() { unitClick(6, 3); } void Pdb4Click() { unitClick(6, 4); }
    void Pf1Click() { unitClick(7, 1); } void Pf2Click() { unitClick(7, 2); } void Pf3Click() { unitClick(7, 3); } void Pf4Click() { unitClick(7, 4); } void Pf5Click() { unitClick(7, 5); } void Pf6Click() { unitClick(7, 6); } void Pf7Click() { unitClick(7, 7); }
    void Pe1Click() { unitClick(8, 1); } void Pe2Click() { unitClick(8, 2); } void Pe3Click() { unitClick(8, 3); } void Pe4Click() { unitClick(8, 4); } void Pe5Click() { unitClick(8, 5); }
    void Phe1Click() { unitClick(9, 1); } void Phe2Click() { unitClick(9, 2); } void Phe3Click() { unitClick(9, 3); }
    void Pd1Click() { unitClick(10, 1); } void Pd2Click() { unitClick(10, 2); } void Pd3Click() { unitClick(10, 3); } void Pd4Click() { unitClick(10, 4); }

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    std::array<QString, unitconv::QuantityCount> m_designHeaders;
};

extern TForm11 *Form11;
