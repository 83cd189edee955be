#pragma once
#include <QObject>

class TReport8 : public QObject {
    Q_OBJECT
public:
    explicit TReport8(QObject *parent = nullptr);
};

extern TReport8 *Report8;
