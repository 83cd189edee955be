#include "boravest/eqbook/RepUnit10.h"

TReport10 *Report10 = nullptr;

TReport10::TReport10(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report10"));
}
