#pragma once
#include <QObject>

class TReport6 : public QObject {
    Q_OBJECT
public:
    explicit TReport6(QObject *parent = nullptr);
};

extern TReport6 *Report6;
