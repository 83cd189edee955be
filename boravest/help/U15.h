#pragma once
#include <QDialog>
#include <QFrame>

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget *parent = nullptr);
};

extern TForm15 *Form15;
