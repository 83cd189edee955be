#include "boravest/sidejobs/U16.h"

TForm16 *Form16 = nullptr;

TForm16::TForm16(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form16"));
    setLayoutDirection(Qt::RightToLeft);
}
