#include "boravest/eqbook/RepUnit7.h"

TReport7 *Report7 = nullptr;

TReport7::TReport7(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report7"));
}
