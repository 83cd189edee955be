#include "boravest/eqbook/RepUnit04.h"

TReport04 *Report04 = nullptr;

TReport04::TReport04(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report04"));
}
