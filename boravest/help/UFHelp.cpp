#include "boravest/help/UFHelp.h"

TFHelp *FHelp = nullptr;

TFHelp::TFHelp(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FHelp"));
    setLayoutDirection(Qt::RightToLeft);
}
