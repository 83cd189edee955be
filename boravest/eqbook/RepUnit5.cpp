#include "boravest/eqbook/RepUnit5.h"

TReport5 *Report5 = nullptr;

TReport5::TReport5(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report5"));
}
