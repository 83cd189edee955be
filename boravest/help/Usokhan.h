#pragma once
#include <QDialog>
#include <QFrame>

class TSokhan : public QDialog {
    Q_OBJECT
public:
    explicit TSokhan(QWidget *parent = nullptr);
};

extern TSokhan *Sokhan;
