#pragma once
#include <QDialog>
#include <QFrame>

class TForm23 : public QDialog {
    Q_OBJECT
public:
    explicit TForm23(QWidget *parent = nullptr);
};

extern TForm23 *Form23;
