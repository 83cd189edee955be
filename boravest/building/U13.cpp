#include "boravest/building/U13.h"

TForm13 *Form13 = nullptr;

TForm13::TForm13(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form13"));
    setLayoutDirection(Qt::RightToLeft);
}
