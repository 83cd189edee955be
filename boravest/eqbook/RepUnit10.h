#pragma once
#include <QObject>

class TReport10 : public QObject {
    Q_OBJECT
public:
    explicit TReport10(QObject *parent = nullptr);
};

extern TReport10 *Report10;
