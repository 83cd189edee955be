#pragma once
// The main window of the report printer: one clickable caption that opens
// the standard report preview with the instruction page; from the preview
// the user loads a saved report file and prints it.
#include <QWidget>

#include <memory>

namespace Ui {
class TForm1;
}

namespace pf::ui {
class ClickLabel;
}

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    pf::ui::ClickLabel *Label1() const;

    // Event handlers of the window.
    void FormActivate();
    void Label1Click();
    void Label1MouseMove();
    void Label1MouseLeave();

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    std::unique_ptr<Ui::TForm1> ui;
};

extern TForm1 *Form1;
