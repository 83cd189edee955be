#pragma once
// The user guide: eighteen fixed pages of help text, one per part of the
// program. Its callers choose the page, the caption and the scroll position;
// the user only reads and scrolls.
#include <QDialog>

#include <memory>

class QScrollArea;

namespace Ui {
class TFormHelp;
}

// The new vertical position of the page's scroll box after the key, or -1
// when the key does nothing on that page.
int guideScrollPosition(int page, int key, int position);

class TFormHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFormHelp(QWidget *parent = nullptr);
    ~TFormHelp() override;

    static constexpr int PageCount = 18;

    // The scroll box holding the page's text, nullptr for the short pages.
    QScrollArea *pageScrollBox(int page) const;

    void FormKeyDown(int key);

    std::unique_ptr<Ui::TFormHelp> ui;

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

extern TFormHelp *FormHelp;
