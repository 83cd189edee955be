#include "boravest/help/U15.h"

TForm15 *Form15 = nullptr;

TForm15::TForm15(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form15"));
    setLayoutDirection(Qt::RightToLeft);
}
