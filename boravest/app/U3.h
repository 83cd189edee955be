#pragma once
// The confirmation form of every exit and delete question.
#include <QDialog>

class QLabel;
class QPushButton;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);

    // "Delete": a pure confirmation reported in Confirmed. Anything else: Yes
    // ends the program.
    QString Mode;
    bool Confirmed = false;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void FormKeyPress(int key);

    QLabel *Panel1;
    QLabel *Label2;
    QPushButton *Button1;
    QPushButton *Button2;

    static QString exitQuestion();

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

extern TForm3 *Form3;
