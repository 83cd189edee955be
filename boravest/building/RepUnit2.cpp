#include "boravest/building/RepUnit2.h"

TReport2 *Report2 = nullptr;

TReport2::TReport2(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report2"));
}
