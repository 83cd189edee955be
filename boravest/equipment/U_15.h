#pragma once
#include <QDialog>
#include <QFrame>

class TFormT2 : public QDialog {
    Q_OBJECT
public:
    explicit TFormT2(QWidget *parent = nullptr);
};

extern TFormT2 *FormT2;
