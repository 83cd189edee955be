#include "boravest/sidejobs/Ureport2.h"

#include "boravest/data/ProgramState.h"
#include "platform/ui/DbControls.h"

#include <QLabel>

TForm17 *Form17 = nullptr;

TForm17::TForm17(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form17"));
    setLayoutDirection(Qt::RightToLeft);
    Label13 = new QLabel(this);
    Label13->setObjectName(QStringLiteral("Label13"));
    DBGrid2 = new pf::ui::DBGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    // However the form goes (its buttons, Esc, the window's close box), it
    // ends through done(), which reports finished.
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
}

// The panels themselves belong to the form's own work.
void TForm17::Label2Click() {}
void TForm17::Label4Click() {}
void TForm17::Label5Click() {}

void TForm17::FormClose()
{
    if (ProgramServices)
        ProgramServices->bazsazidade();
}
