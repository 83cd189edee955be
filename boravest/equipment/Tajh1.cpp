#include "boravest/equipment/Tajh1.h"

TFormT1 *FormT1 = nullptr;

TFormT1::TFormT1(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormT1"));
    setLayoutDirection(Qt::RightToLeft);
}
