#pragma once
#include <QObject>

class TReport5 : public QObject {
    Q_OBJECT
public:
    explicit TReport5(QObject *parent = nullptr);
};

extern TReport5 *Report5;
