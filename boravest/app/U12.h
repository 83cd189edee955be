#pragma once
// The second, smaller exit dialog. Its answer is kept in Lb1's hint flag.
#include <QDialog>

#include <memory>

namespace Ui {
class TForm12;
}

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget *parent = nullptr);
    ~TForm12() override;

    void FormActivate();
    void Lb1Click();
    void Lb2Click();
    void Lb1MouseMove();
    void Lb1MouseLeave();
    void Lb2MouseMove();
    void Lb2MouseLeave();

    bool answerYes() const { return Lb1ShowHint; }

    std::unique_ptr<Ui::TForm12> ui;
    bool Lb1ShowHint = false;

protected:
    void showEvent(QShowEvent *e) override;
};

extern TForm12 *Form12;
