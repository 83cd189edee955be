#include "boravest/help/U11.h"

#include "ui_U11.h"

#include "platform/ui/Dialogs.h"

#include <QKeyEvent>

TForm11 *Form11 = nullptr;

namespace {

// The widgets of one quantity, as members of the generated form.
struct QuantityWidgets {
    QPushButton *Ui::TForm11::*selector;
    QFrame *Ui::TForm11::*panel;
    QLineEdit *Ui::TForm11::*edit;
    QLabel *Ui::TForm11::*header;
    QPushButton *Ui::TForm11::*units[unitconv::MaxUnits];
    QLabel *Ui::TForm11::*results[unitconv::MaxUnits];
};

const QuantityWidgets kQuantities[unitconv::QuantityCount] = {
    {&Ui::TForm11::p1, &Ui::TForm11::tol, &Ui::TForm11::Et, &Ui::TForm11::Lt,
     {&Ui::TForm11::Pt1, &Ui::TForm11::Pt2, &Ui::TForm11::Pt3, &Ui::TForm11::Pt4},
     {&Ui::TForm11::Pt01, &Ui::TForm11::Pt02, &Ui::TForm11::Pt03, &Ui::TForm11::Pt04}},
    {&Ui::TForm11::p2, &Ui::TForm11::sath, &Ui::TForm11::Es, &Ui::TForm11::Lc1,
     {&Ui::TForm11::Pc1, &Ui::TForm11::Pc2, &Ui::TForm11::Pc3, &Ui::TForm11::Pc4},
     {&Ui::TForm11::Pc01, &Ui::TForm11::Pc02, &Ui::TForm11::Pc03, &Ui::TForm11::Pc04}},
    {&Ui::TForm11::p3, &Ui::TForm11::hajm, &Ui::TForm11::Eh1, &Ui::TForm11::Lh1,
     {&Ui::TForm11::Ph1, &Ui::TForm11::Ph2, &Ui::TForm11::Ph3, &Ui::TForm11::Ph4},
     {&Ui::TForm11::Ph01, &Ui::TForm11::Ph02, &Ui::TForm11::Ph03, &Ui::TForm11::Ph04}},
    {&Ui::TForm11::p4, &Ui::TForm11::jerm, &Ui::TForm11::Ej1, &Ui::TForm11::Lj1,
     {&Ui::TForm11::Pj1, &Ui::TForm11::Pj2, &Ui::TForm11::Pj3, &Ui::TForm11::Pj4},
     {&Ui::TForm11::Pj01, &Ui::TForm11::Pj02, &Ui::TForm11::Pj03, &Ui::TForm11::Pj04}},
    {&Ui::TForm11::P5, &Ui::TForm11::sorat, &Ui::TForm11::Es1, &Ui::TForm11::Ls1,
     {&Ui::TForm11::Ps1, &Ui::TForm11::Ps2, &Ui::TForm11::Ps3, &Ui::TForm11::Ps4},
     {&Ui::TForm11::Ps01, &Ui::TForm11::Ps02, &Ui::TForm11::Ps03, &Ui::TForm11::Ps04}},
    {&Ui::TForm11::P6, &Ui::TForm11::shegali, &Ui::TForm11::Esh1, &Ui::TForm11::Lsh1,
     {&Ui::TForm11::Psh1, &Ui::TForm11::Psh2, &Ui::TForm11::Psh3, &Ui::TForm11::Psh4},
     {&Ui::TForm11::Psh01, &Ui::TForm11::Psh02, &Ui::TForm11::Psh03, &Ui::TForm11::Psh04}},
    {&Ui::TForm11::P7, &Ui::TForm11::debe, &Ui::TForm11::Edb1, &Ui::TForm11::ldb1,
     {&Ui::TForm11::Pdb1, &Ui::TForm11::Pdb2, &Ui::TForm11::Pdb3, &Ui::TForm11::Pdb4},
     {&Ui::TForm11::Pdb01, &Ui::TForm11::Pdb02, &Ui::TForm11::Pdb03, &Ui::TForm11::Pdb04}},
    {&Ui::TForm11::P8, &Ui::TForm11::feshar, &Ui::TForm11::Ef1, &Ui::TForm11::Lbf1,
     {&Ui::TForm11::Pf1, &Ui::TForm11::Pf2, &Ui::TForm11::Pf3, &Ui::TForm11::Pf4, &Ui::TForm11::Pf5, &Ui::TForm11::Pf6, &Ui::TForm11::Pf7},
     {&Ui::TForm11::Pf01, &Ui::TForm11::Pf02, &Ui::TForm11::Pf03, &Ui::TForm11::Pf04, &Ui::TForm11::Pf05, &Ui::TForm11::Pf06, &Ui::TForm11::Pf07}},
    {&Ui::TForm11::P9, &Ui::TForm11::Enerje, &Ui::TForm11::Ee1, &Ui::TForm11::Lbe1,
     {&Ui::TForm11::Pe1, &Ui::TForm11::Pe2, &Ui::TForm11::Pe3, &Ui::TForm11::Pe4, &Ui::TForm11::Pe5},
     {&Ui::TForm11::Pe01, &Ui::TForm11::Pe02, &Ui::TForm11::Pe03, &Ui::TForm11::Pe04, &Ui::TForm11::Pe05}},
    {&Ui::TForm11::P10, &Ui::TForm11::hedayat, &Ui::TForm11::Ehe1, &Ui::TForm11::Lbh1,
     {&Ui::TForm11::Phe1, &Ui::TForm11::Phe2, &Ui::TForm11::Phe3},
     {&Ui::TForm11::Phe01, &Ui::TForm11::Phe02, &Ui::TForm11::Phe03}},
    {&Ui::TForm11::P11, &Ui::TForm11::dama, &Ui::TForm11::Ed1, &Ui::TForm11::Lbd1,
     {&Ui::TForm11::Pd1, &Ui::TForm11::Pd2, &Ui::TForm11::Pd3, &Ui::TForm11::Pd4},
     {&Ui::TForm11::Pd01, &Ui::TForm11::Pd02, &Ui::TForm11::Pd03, &Ui::TForm11::Pd04}},
};

// Colour numbers are blue-green-red, as the program stores them.
QColor colour(int number) { return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF); }
const QColor kSelected = colour(10066329);
const QColor kUnselected = colour(11909555);
const QColor kEdit = colour(13882832);
const QColor kWindow = colour(13158848);

void paint(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

TForm11::TForm11(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm11>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QString(18, QLatin1Char(' ')) + QStringLiteral("جدول تبديل آحاد "));
    setLayoutDirection(Qt::RightToLeft);
    paint(this, QPalette::Window, kWindow);
    SourceUnit.fill(1);
    for (int q = 0; q < unitconv::QuantityCount; ++q) {
        const QuantityWidgets &w = kQuantities[q];
        m_designHeaders[q] = ((*ui).*w.header)->text();
        paint((*ui).*w.panel, QPalette::Window, kUnselected);
        paint((*ui).*w.edit, QPalette::Base, kEdit);
        connect((*ui).*w.selector, &QPushButton::clicked, this, [this, q] { selectorClick(q); });
        connect((*ui).*w.edit, &QLineEdit::textChanged, this, [this, q] { inputChange(q); });
        for (int j = 1; j <= unitconv::unitCount(q); ++j)
            connect((*ui).*w.units[j - 1], &QPushButton::clicked, this, [this, q, j] { unitClick(q, j); });
        for (int j = 1; j <= unitconv::unitCount(q); ++j)
            paint((*ui).*w.units[j - 1], QPalette::Button, j == 1 ? kSelected : kUnselected);
    }
    selectorClick(unitconv::Length);
}

TForm11::~TForm11() = default;

void TForm11::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TForm11::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        pf::ui::endModal(this, 0);
        return;
    }
    e->accept();
}

// Every opening reads in the first unit again; its button and the header are
// brought back with it, so the header never names a unit other than the one
// the text is read in.
void TForm11::FormActivate()
{
    for (int q = 0; q < unitconv::QuantityCount; ++q) {
        unitClick(q, 1);
        ((*ui).*kQuantities[q].header)->setText(m_designHeaders[q]);
    }
}

void TForm11::selectorClick(int quantity)
{
    for (int q = 0; q < unitconv::QuantityCount; ++q) {
        paint((*ui).*kQuantities[q].selector, QPalette::Button, q == quantity ? kSelected : kUnselected);
        ((*ui).*kQuantities[q].panel)->setVisible(q == quantity);
    }
}

void TForm11::unitClick(int quantity, int unit)
{
    const QuantityWidgets &w = kQuantities[quantity];
    for (int j = 1; j <= unitconv::unitCount(quantity); ++j)
        paint((*ui).*w.units[j - 1], QPalette::Button, j == unit ? kSelected : kUnselected);
    QString caption = ((*ui).*w.units[unit - 1])->text();
    if (quantity == unitconv::Energy && unit == 5)
        caption = QStringLiteral("Kj");
    ((*ui).*w.header)->setText(caption);
    SourceUnit[quantity] = unit;
}

void TForm11::inputChange(int quantity)
{
    const QuantityWidgets &w = kQuantities[quantity];
    const unitconv::ConversionResults r =
        unitconv::convert({quantity, SourceUnit[quantity], ((*ui).*w.edit)->text()});
    for (int j = 0; j < unitconv::unitCount(quantity); ++j)
        if (r.captions[j])
            ((*ui).*w.results[j])->setText(*r.captions[j]);
    if (!r.error.isEmpty())
        pf::ui::showMessage(r.error, this);
}
