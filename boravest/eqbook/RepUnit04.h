#pragma once
#include <QObject>

class TReport04 : public QObject {
    Q_OBJECT
public:
    explicit TReport04(QObject *parent = nullptr);
};

extern TReport04 *Report04;
