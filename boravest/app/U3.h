#pragma once
// The confirmation form of every exit and delete question.
#include <QDialog>

#include <memory>

namespace Ui {
class TForm3;
}

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

    // "Delete": a pure confirmation reported in Confirmed. Anything else: Yes
    // ends the program.
    QString Mode;
    bool Confirmed = false;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void FormKeyPress(int key);

    std::unique_ptr<Ui::TForm3> ui;

    static QString exitQuestion();
    // Back to the exit question (Mode empty).
    void SetExitQuestion();

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

extern TForm3 *Form3;
