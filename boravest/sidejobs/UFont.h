#pragma once
// The font form and the applier of the program's font names.
#include <QDialog>

class TFormFont : public QDialog {
    Q_OBJECT
public:
    explicit TFormFont(QWidget *parent = nullptr);
    // Applies the screen font name to the screen forms; only the name changes.
    void EamalFont();
};

extern TFormFont *FormFont;
