#include "boravest/help/UHelp.h"

TFormHelp *FormHelp = nullptr;

TFormHelp::TFormHelp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormHelp"));
    setLayoutDirection(Qt::RightToLeft);
}
