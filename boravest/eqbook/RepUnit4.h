#pragma once
#include <QObject>

class TReport4 : public QObject {
    Q_OBJECT
public:
    explicit TReport4(QObject *parent = nullptr);
};

extern TReport4 *Report4;
