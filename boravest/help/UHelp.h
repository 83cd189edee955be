#pragma once
// The user guide: eighteen fixed pages of help text, one per part of the
// program, with pictures of the forms they describe. Its callers choose the
// page, the caption and the scroll position; the user only reads and scrolls.
#include <QDialog>

#include <memory>

class QLabel;
class QScrollArea;

namespace Ui {
class TFormHelp;
}

// The new vertical position of the page's scroll box after the key, or -1
// when the key does nothing on that page.
int guideScrollPosition(int page, int key, int position);

// The form a picture of the guide shows, by the path its "form" property
// holds: the form's object name, then the names of its parts down to the one
// pictured ("FormT2/PDig"); nullptr when the program has no such form.
QWidget *guidePictureSource(const QString &path);

class TFormHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget *parent = nullptr);
    ~TFormHelp() override;

    static constexpr int PageCount = 18;

    // The scroll box holding the page's text, nullptr for the short pages.
    QScrollArea *pageScrollBox(int page) const;

    // The pictures of a page, each naming in its "form" property what it
    // shows. They are taken from the forms themselves whenever the page is
    // shown, so they show the forms as the program has them.
    QList<QLabel *> pagePictures(int page) const;
    void takePictures(int page);

    void FormKeyDown(int key);

    std::unique_ptr<Ui::TFormHelp> ui;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
};

extern TFormHelp *FormHelp;
