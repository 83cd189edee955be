#pragma once
// The authors' message to the user: one tall picture read by scrolling.
#include <QDialog>
#include <QImage>
#include <QStringList>

#include <memory>

namespace Ui {
class TSokhan;
}

// The new vertical position of the message after the key is released, or
// -1 when the key does nothing.
int messageScrollPosition(int key, int position);

// The authors' words to the user, paragraph by paragraph.
QStringList userMessageParagraphs();

// The message picture: userMessageParagraphs() drawn on a 700 x 1800 page.
QImage drawUserMessage();

class TSokhan : public QDialog {
    Q_OBJECT
public:
    explicit TSokhan(QWidget *parent = nullptr);
    ~TSokhan() override;

    static constexpr int Bottom = 1216;

    void FormActivate();
    void FormKeyUp(int key);

    std::unique_ptr<Ui::TSokhan> ui;

protected:
    void showEvent(QShowEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
};

extern TSokhan *Sokhan;
