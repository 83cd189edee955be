#pragma once
#include <QDialog>
#include <QFrame>

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget *parent = nullptr);
};

extern TForm17 *Form17;
