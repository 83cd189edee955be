#pragma once
// The user guide: eighteen fixed pages of help text, one per part of the
// program, with pictures of the forms they describe. Its callers choose the
// page, the caption and the scroll position; the user only reads and scrolls.
#include <QDialog>
#include <QHash>
#include <QPixmap>

#include <memory>

class QLabel;
class QScrollArea;
class TFormPicture;

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

// The picture kept with the guide for a path: the equipment window and its
// inputs page, taken with an example project and a page open (drawn by
// scripts/make-guide-pictures); a null pixmap for a form pictured as it is.
QPixmap guideExamplePicture(const QString &path);

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
    // shown, so they show the forms as the program has them, but for those
    // kept with an example (guideExamplePicture). The page shows each made
    // smaller to fit its frame; a click opens it at its natural size.
    QList<QLabel *> pagePictures(int page) const;
    void takePictures(int page);
    // The picture as taken, at its natural size; null before it is taken.
    QPixmap fullPicture(const QLabel *picture) const { return m_pictures.value(picture); }

    void FormKeyDown(int key);

    std::unique_ptr<Ui::TFormHelp> ui;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openPicture(const QLabel *picture);

    QHash<const QLabel *, QPixmap> m_pictures;
    TFormPicture *m_pictureView = nullptr;
};

extern TFormHelp *FormHelp;
