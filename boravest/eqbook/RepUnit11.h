#pragma once
#include <QObject>

class TReport11 : public QObject {
    Q_OBJECT
public:
    explicit TReport11(QObject *parent = nullptr);
};

extern TReport11 *Report11;
