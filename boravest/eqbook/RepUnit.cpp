#include "boravest/eqbook/RepUnit.h"

TReport *Report = nullptr;

TReport::TReport(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report"));
}
