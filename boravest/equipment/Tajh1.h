#pragma once
#include <QDialog>
#include <QFrame>

class TFormT1 : public QDialog {
    Q_OBJECT
public:
    explicit TFormT1(QWidget *parent = nullptr);
};

extern TFormT1 *FormT1;
