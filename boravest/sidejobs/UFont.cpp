#include "boravest/sidejobs/UFont.h"

#include "boravest/building/U10.h"
#include "boravest/building/U13.h"
#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U5.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/ProgramState.h"
#include "boravest/eqbook/U23.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"

TFormFont *FormFont = nullptr;

TFormFont::TFormFont(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFont"));
    setLayoutDirection(Qt::RightToLeft);
}

void TFormFont::EamalFont()
{
    if (ProgramFonts.ScreenFont.isEmpty())
        return;
    for (QWidget *form : {static_cast<QWidget *>(Form2), static_cast<QWidget *>(Form4), static_cast<QWidget *>(Form5),
                          static_cast<QWidget *>(Form8), static_cast<QWidget *>(Form9), static_cast<QWidget *>(Form10),
                          static_cast<QWidget *>(FormT1), static_cast<QWidget *>(FormT2), static_cast<QWidget *>(Form13),
                          static_cast<QWidget *>(Form23)}) {
        if (!form)
            continue;
        QFont f = form->font();
        f.setFamily(ProgramFonts.ScreenFont);
        form->setFont(f);
    }
}
