#include "boravest/eqbook/RepUnitEst.h"

TReportEst *ReportEst = nullptr;

TReportEst::TReportEst(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ReportEst"));
}
