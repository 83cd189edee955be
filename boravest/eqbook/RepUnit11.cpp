#include "boravest/eqbook/RepUnit11.h"

TReport11 *Report11 = nullptr;

TReport11::TReport11(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report11"));
}
