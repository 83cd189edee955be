#pragma once
// The font form (three font names: screen pages, report pages, titles) and
// the applier of the program's font names.
#include <QDialog>
#include <QFont>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class TFormFont;
}

class TFormFont : public QDialog {
    Q_OBJECT
public:
    explicit TFormFont(QWidget *parent = nullptr);
    ~TFormFont() override;

    // Sets the font names of the screen forms' text components from
    // ProgramFonts; only the name changes.
    void EamalFont();

    void Button1Click();
    void Button2Click();
    void Button6Click();
    void Button5Click();
    void Button3Click();
    void Button4Click();

    // The font dialog; empty when cancelled. Tests replace it.
    static std::function<std::optional<QFont>(const QFont &initial, QWidget *parent)> PickFont;

    std::unique_ptr<Ui::TFormFont> ui;

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    // An empty name box shows the name in force, in its own face.
    void showEvent(QShowEvent *e) override;

private:
    void pickInto(class QLineEdit *edit);
};

extern TFormFont *FormFont;
