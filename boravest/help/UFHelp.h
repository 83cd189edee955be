#pragma once
// The help menu: one button per topic of the user guide, each opening the
// guide at its page.
#include <QDialog>

#include <memory>

namespace Ui {
class TFHelp;
}

class TFHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFHelp(QWidget *parent = nullptr);
    ~TFHelp() override;

    void FormActivate();
    void FormKeyPress(int key);
    void abcPicBtn1Click();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void Button13Click();
    void Button14Click();
    void Button15Click();
    void Button16Click();
    void Button17Click();

    std::unique_ptr<Ui::TFHelp> ui;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    // Opens the guide at the page under the caption, its scroll box (if the
    // page has one) back at the top.
    void openGuidePage(int page, const QString &caption);

    int m_designedWidth = 0; // the width the content is laid out for
    int m_shifted = 0;       // how far the content stands right of its design
};

extern TFHelp *FHelp;
