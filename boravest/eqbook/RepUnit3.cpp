#include "boravest/eqbook/RepUnit3.h"

TReport3 *Report3 = nullptr;

TReport3::TReport3(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report3"));
}
