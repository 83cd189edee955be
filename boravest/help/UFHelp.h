#pragma once
#include <QDialog>
#include <QFrame>

class TFHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFHelp(QWidget *parent = nullptr);
};

extern TFHelp *FHelp;
