#pragma once
#include <QObject>

class TReportEst : public QObject {
    Q_OBJECT
public:
    explicit TReportEst(QObject *parent = nullptr);
};

extern TReportEst *ReportEst;
