#pragma once
#include <QDialog>
#include <QFrame>

class TFormHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget *parent = nullptr);
};

extern TFormHelp *FormHelp;
