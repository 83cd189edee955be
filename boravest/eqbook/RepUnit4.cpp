#include "boravest/eqbook/RepUnit4.h"

TReport4 *Report4 = nullptr;

TReport4::TReport4(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report4"));
}
