#pragma once
#include <QObject>

class TReport9 : public QObject {
    Q_OBJECT
public:
    explicit TReport9(QObject *parent = nullptr);
};

extern TReport9 *Report9;
