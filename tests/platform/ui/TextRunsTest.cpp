// File filters and paths with Persian names, as a right-to-left page paints
// them: each Latin run and each name whole, in the order it reads.
#include "platform/ui/Dialogs.h"
#include "platform/ui/ShortcutUnderline.h"
#include "platform/ui/TextDirection.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// The widget that shows the text: a closed combo box, its open list, a label.
QWidget *combo(std::unique_ptr<QWidget> &owner, const QString &text)
{
    auto *box = new QComboBox;
    owner.reset(box);
    box->addItem(text);
    return box;
}

QWidget *listed(std::unique_ptr<QWidget> &owner, const QString &text)
{
    auto *box = static_cast<QComboBox *>(combo(owner, text));
    box->setLayoutDirection(Qt::RightToLeft);
    box->resize(420, 30);
    box->showPopup();
    return box->view();
}

QWidget *label(std::unique_ptr<QWidget> &owner, const QString &text)
{
    owner = std::make_unique<QLabel>(text);
    return owner.get();
}

QWidget *message(std::unique_ptr<QWidget> &owner, const QString &text)
{
    owner = pf::ui::messageBox(text);
    return owner->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
}

// The characters as they stand from the left: each run in its own
// direction, the runs by where they were painted; the marks that only steer
// the order left out.
QString shownFromLeft(QList<pf::ui::PaintedText> runs)
{
    std::sort(runs.begin(), runs.end(), [](const auto &a, const auto &b) {
        return a.transform.map(a.origin).x() < b.transform.map(b.origin).x();
    });
    QString out;
    for (const pf::ui::PaintedText &r : runs) {
        QString t = r.text;
        if (r.rightToLeft)
            std::reverse(t.begin(), t.end());
        out += t;
    }
    out.remove(QRegularExpression(QStringLiteral("[\\x{200E}\\x{2066}-\\x{2069}]")));
    return out;
}

// A part as it stands from the left: Persian letters right to left.
QString shownFromLeft(const QString &part)
{
    const bool persian = std::any_of(part.begin(), part.end(), [](QChar c) { return c.direction() == QChar::DirAL; });
    pf::ui::PaintedText run;
    run.text = part;
    run.rightToLeft = persian;
    return shownFromLeft({run});
}

} // namespace

TEST(TextRuns, FiltersAndPathsShowTheirRunsWholeAndInOrder)
{
    pf::ui::installTextStyle();
    const struct {
        std::function<QWidget *(std::unique_ptr<QWidget> &, const QString &)> show;
        const char *text;
        std::vector<const char *> leftToRight; // each painted whole, in this order from the left
    } cases[] = {
        {combo, "تصاوير (*.bmp *.cur *.xpm)", {"*.bmp *.cur *.xpm", "تصاوير"}},
        {listed, "تصاوير (*.bmp *.cur *.xpm)", {"*.bmp *.cur *.xpm", "تصاوير"}},
        {combo, "پرونده هاي گزارش (*.QRP *.qrp)", {"*.QRP *.qrp", "پرونده هاي گزارش"}},
        {label, "براي پرونده .pdf بنويسيد", {"بنويسيد", ".pdf", "براي پرونده"}},
        {label, "/tmp/آرم شركت.png", {"/tmp/", "آرم شركت", ".png"}},
        {label, "/home/پروژه ها/دفترچه.pdf", {"/home/", "پروژه ها", "دفترچه", ".pdf"}},
        {combo, "/home/پروژه ها/", {"/home/", "پروژه ها"}},
        {message, "پرونده ~brvlink.tmp در پوشه", {"در پوشه", "~brvlink.tmp", "پرونده"}},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(c.text);
        std::unique_ptr<QWidget> owner;
        QWidget *w = c.show(owner, text);
        w->setLayoutDirection(Qt::RightToLeft);
        w->resize(420, 30);
        const QString seen = shownFromLeft(pf::ui::paintedTexts(w));
        qsizetype at = 0;
        for (const char *part : c.leftToRight) {
            const qsizetype found = seen.indexOf(shownFromLeft(QString::fromUtf8(part)), at);
            EXPECT_GE(found, at) << part << " in " << seen.toStdString();
            at = std::max(at, found);
        }
    }
}
