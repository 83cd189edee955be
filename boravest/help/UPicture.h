#pragma once
// A picture of the user guide at its natural size: the form as large as the
// program shows it, in a window of its own that scrolls where the screen is
// smaller. Esc or a click on the picture closes it.
#include <QDialog>

#include <memory>

namespace Ui {
class TFormPicture;
}

class TFormPicture : public QDialog {
    Q_OBJECT
public:
    explicit TFormPicture(QWidget *parent = nullptr);
    ~TFormPicture() override;

    // Shows the picture modally under the caption.
    void showPicture(const QPixmap &picture, const QString &caption);

    std::unique_ptr<Ui::TFormPicture> ui;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
