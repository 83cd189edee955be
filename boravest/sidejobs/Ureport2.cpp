#include "boravest/sidejobs/Ureport2.h"

TForm17 *Form17 = nullptr;

TForm17::TForm17(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form17"));
    setLayoutDirection(Qt::RightToLeft);
}
