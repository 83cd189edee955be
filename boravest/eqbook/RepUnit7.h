#pragma once
#include <QObject>

class TReport7 : public QObject {
    Q_OBJECT
public:
    explicit TReport7(QObject *parent = nullptr);
};

extern TReport7 *Report7;
