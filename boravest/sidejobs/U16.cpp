#include "boravest/sidejobs/U16.h"

#include "boravest/data/ProgramState.h"
#include "platform/ui/DbControls.h"

#include <QLabel>

TForm16 *Form16 = nullptr;

TForm16::TForm16(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form16"));
    setLayoutDirection(Qt::RightToLeft);
    pf::ui::DBGrid **grids[] = {&DBGrid1, &DBGrid2, &DBGrid3, &DBGrid4};
    for (int i = 0; i < 4; ++i) {
        *grids[i] = new pf::ui::DBGrid(this);
        (*grids[i])->setObjectName(QStringLiteral("DBGrid%1").arg(i + 1));
    }
}

void TForm16::Label4Click()
{
    // The deletion itself belongs to the delete form's own work.
}

void TForm16::Label6Click()
{
    if (ProgramServices) {
        ProgramServices->bazsazidade();
        ProgramServices->ResetExitQuestion();
    }
    close();
}
