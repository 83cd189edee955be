#include "boravest/eqbook/U23.h"

TForm23 *Form23 = nullptr;

TForm23::TForm23(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form23"));
    setLayoutDirection(Qt::RightToLeft);
}
