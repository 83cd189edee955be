#include "boravest/equipment/U_15.h"

TFormT2 *FormT2 = nullptr;

TFormT2::TFormT2(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormT2"));
    setLayoutDirection(Qt::RightToLeft);
}
