// The captions of every form fit their buttons and labels in each face the
// font form offers for Persian text, given as the screen and title faces
// through the program's own path and measured in the font each widget then
// has (a widget or form that keeps its own font is measured in it).
#include "MainWindowFixture.h"

#include "boravest/help/UFHelp.h"
#include "boravest/sidejobs/UFont.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QCheckBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace {

class WholeTexts : public testsupport::MainWindowFixture {};

// The room the caption has in the widget and the width it takes in the
// widget's font, as the widget draws it (without the "&" of a shortcut).
std::pair<int, int> roomAndWidth(QWidget *w, const QString &text)
{
    const QFontMetrics fm(w->font());
    int width = 0;
    for (const QString &line : QString(text).remove(QLatin1Char('&')).split(QLatin1Char('\n')))
        width = std::max(width, fm.horizontalAdvance(line));
    const QStyle *s = w->style();
    int room = w->contentsRect().width();
    if (qobject_cast<QCheckBox *>(w))
        room -= s->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) +
                s->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    else if (qobject_cast<QRadioButton *>(w))
        room -= s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
    else if (qobject_cast<QPushButton *>(w))
        room -= 2 * s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
    else if (auto *l = qobject_cast<QLabel *>(w))
        room -= 2 * std::max(l->margin(), 0) + std::max(l->indent(), 0);
    return {room, width};
}

} // namespace

TEST_F(WholeTexts, EveryCaptionFitsInEachOfferedFace)
{
    const QStringList faces = QFontDatabase::families(QFontDatabase::Arabic);
    ASSERT_FALSE(faces.isEmpty());
    // Where every caption stands, and in what size, in the faces in force.
    const recordFont inForce = ProgramFonts;
    auto placing = [] {
        QStringList out;
        for (QWidget *form : CreatedForms())
            for (QWidget *w : form->findChildren<QWidget *>())
                if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w))
                    out << QStringLiteral("%1.%2 %3,%4 %5x%6 %7")
                               .arg(form->objectName(), w->objectName())
                               .arg(w->x())
                               .arg(w->y())
                               .arg(w->width())
                               .arg(w->height())
                               .arg(w->font().pointSizeF());
        return out;
    };
    const QStringList designed = placing();
    FHelp->FormActivate(); // the guide's menu writes its captions as it comes up
    for (const QString &face : faces) {
        ProgramFonts.ScreenFont = ProgramFonts.TitleFont = face;
        FormFont->EamalFont();
        for (QWidget *form : CreatedForms()) {
            form->ensurePolished();
            for (QWidget *w : form->findChildren<QWidget *>()) {
                auto *label = qobject_cast<QLabel *>(w);
                auto *button = qobject_cast<QAbstractButton *>(w);
                const QString text = label ? label->text() : button ? button->text() : QString();
                // Captions a layout places (the guide's pages) take the
                // width their text asks for.
                const QLayout *laid = w->parentWidget() ? w->parentWidget()->layout() : nullptr;
                if (text.trimmed().isEmpty() || (label && (label->wordWrap() || !label->pixmap().isNull())) ||
                    w->inherits("QToolButton") || !w->parentWidget() || (laid && laid->count() > 0))
                    continue;
                const auto [room, width] = roomAndWidth(w, text);
                EXPECT_LE(width, room) << form->objectName().toStdString() << "." << w->objectName().toStdString()
                                       << " «" << text.toStdString() << "» in " << face.toStdString() << " as "
                                       << w->font().family().toStdString() << " " << w->font().pointSizeF();
            }
        }
    }
    // The faces in force again: every widget back where it was, however
    // many faces came between.
    ProgramFonts = inForce;
    FormFont->EamalFont();
    const QStringList again = placing();
    ASSERT_EQ(again.size(), designed.size());
    for (qsizetype i = 0; i < again.size(); ++i)
        EXPECT_EQ(again[i].toStdString(), designed[i].toStdString());
}
