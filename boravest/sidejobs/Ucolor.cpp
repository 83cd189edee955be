#include "boravest/sidejobs/Ucolor.h"

#include "boravest/building/U10.h"
#include "boravest/building/U13.h"
#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/ProgramState.h"
#include "boravest/eqbook/U23.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/U15.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/Ureport2.h"
#include "platform/ui/Colors.h"

TFormColor *FormColor = nullptr;

TFormColor::TFormColor(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormColor"));
    setLayoutDirection(Qt::RightToLeft);
}

void TFormColor::EamalColor()
{
    // Each screen form belongs to one area; the form takes its window colour
    // and text colour.
    const struct {
        QWidget *form;
        int area;
    } forms[] = {{Form2, AreaV},  {Form4, AreaV},  {Form8, AreaV},  {Form9, AreaV},       {Form10, AreaV},
                 {FormT1, AreaT}, {FormT2, AreaT}, {Form13, AreaG}, {Form23, AreaG},      {Form16, AreaG},
                 {Form17, AreaJ}, {ProgramServices ? ProgramServices->DataFolderForm() : nullptr, AreaJ}, {Form15, AreaR}};
    for (const auto &f : forms) {
        if (!f.form)
            continue;
        pf::ui::setBackColor(f.form, pf::ui::winColor(AreaColors[f.area * 5 + RoleWin]));
        pf::ui::setTextColor(f.form, pf::ui::winColor(AreaColors[f.area * 5 + RoleText]));
    }
}
