#include "boravest/eqbook/RepUnit8.h"

TReport8 *Report8 = nullptr;

TReport8::TReport8(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report8"));
}
