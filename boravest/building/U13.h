#pragma once
#include <QDialog>
#include <QFrame>

class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(QWidget *parent = nullptr);
};

extern TForm13 *Form13;
