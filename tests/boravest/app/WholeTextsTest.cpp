// The captions of the glossary, the side-jobs form and the font form fit
// their buttons and labels in each face the font form offers for Persian
// text, measured in that face.
#include "MainWindowFixture.h"

#include "boravest/help/U15.h"
#include "boravest/sidejobs/UFont.h"
#include "boravest/sidejobs/Ureport2.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontDatabase>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace {

class WholeTexts : public testsupport::MainWindowFixture {};

// The room the caption has in the widget and the width it takes in the face,
// as the widget draws it (without the "&" of a shortcut).
std::pair<int, int> roomAndWidth(QWidget *w, const QString &text, const QString &family)
{
    QFont f = w->font();
    f.setFamily(family);
    const QFontMetrics fm(f);
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
    for (QWidget *form : {static_cast<QWidget *>(Form15), static_cast<QWidget *>(Form17),
                          static_cast<QWidget *>(FormFont)}) {
        for (QWidget *w : form->findChildren<QWidget *>()) {
            auto *label = qobject_cast<QLabel *>(w);
            auto *button = qobject_cast<QAbstractButton *>(w);
            const QString text = label ? label->text() : button ? button->text() : QString();
            if (text.trimmed().isEmpty() || (label && (label->wordWrap() || !label->pixmap().isNull())) ||
                w->inherits("QToolButton") || !w->parentWidget())
                continue;
            for (const QString &face : faces) {
                const auto [room, width] = roomAndWidth(w, text, face);
                EXPECT_LE(width, room) << form->objectName().toStdString() << "." << w->objectName().toStdString()
                                       << " «" << text.toStdString() << "» in " << face.toStdString();
            }
        }
    }
}
