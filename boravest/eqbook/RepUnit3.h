#pragma once
#include <QObject>

class TReport3 : public QObject {
    Q_OBJECT
public:
    explicit TReport3(QObject *parent = nullptr);
};

extern TReport3 *Report3;
