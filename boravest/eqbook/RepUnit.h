#pragma once
#include <QObject>

class TReport : public QObject {
    Q_OBJECT
public:
    explicit TReport(QObject *parent = nullptr);
};

extern TReport *Report;
