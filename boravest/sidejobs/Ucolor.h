#pragma once
// The colour form and the applier of the colour table to every screen form.
#include <QDialog>

class TFormColor : public QDialog {
    Q_OBJECT
public:
    explicit TFormColor(QWidget *parent = nullptr);
    // Applies the 25 entries of AreaColors to every screen form by area.
    void EamalColor();
};

extern TFormColor *FormColor;
