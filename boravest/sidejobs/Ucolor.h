#pragma once
// The colour form (the colour table per program area, a preview, save and
// apply) and the applier of the colour table to every screen form.
#include <QColor>
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class TFormColor;
}

class TFormColor : public QDialog {
    Q_OBJECT
public:
    explicit TFormColor(QWidget *parent = nullptr);
    ~TFormColor() override;

    // Applies the 25 entries of AreaColors to every screen form by area.
    void EamalColor();

    void FormActivate();
    void RadioButtonClick(int n); // 1 ... 5
    void PickerClick(int role);   // the picker panel or swatch of a role
    void Button8Click();
    void Button9Click();
    void Button13Click();
    void FormKeyPress(int key);

    // The colour dialog; empty when cancelled. Tests replace it.
    static std::function<std::optional<QColor>(const QColor &initial, QWidget *parent)> PickColor;

    std::unique_ptr<Ui::TFormColor> ui;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    int checkedArea() const;
    void showArea(int area);
};

extern TFormColor *FormColor;
