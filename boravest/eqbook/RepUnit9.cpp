#include "boravest/eqbook/RepUnit9.h"

TReport9 *Report9 = nullptr;

TReport9::TReport9(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report9"));
}
