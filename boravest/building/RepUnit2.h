#pragma once
#include <QObject>

class TReport2 : public QObject {
    Q_OBJECT
public:
    explicit TReport2(QObject *parent = nullptr);
};

extern TReport2 *Report2;
