#include "boravest/eqbook/RepUnit6.h"

TReport6 *Report6 = nullptr;

TReport6::TReport6(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report6"));
}
