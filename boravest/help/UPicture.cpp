#include "boravest/help/UPicture.h"

#include "ui_UPicture.h"

#include "platform/ui/Dialogs.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

TFormPicture::TFormPicture(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormPicture>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormPicture"));
    setLayoutDirection(Qt::RightToLeft);
    ui->Picture->installEventFilter(this);
    ui->Picture->setCursor(Qt::PointingHandCursor);
}

TFormPicture::~TFormPicture() = default;

void TFormPicture::showPicture(const QPixmap &picture, const QString &caption)
{
    setWindowTitle(caption);
    ui->Picture->setPixmap(picture);
    const QSize natural = picture.deviceIndependentSize().toSize();
    ui->Picture->resize(natural);
    // As large as the picture, within the screen the guide is on.
    QSize room(1024, 768);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        room = screen->availableGeometry().size() * 0.95;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize size = natural;
    if (size.width() > room.width())
        size.rheight() += bar;
    if (size.height() > room.height())
        size.rwidth() += bar;
    resize(size.boundedTo(room));
    ui->ScrollBox1->horizontalScrollBar()->setValue(0);
    ui->ScrollBox1->verticalScrollBar()->setValue(0);
    pf::ui::showModal(this);
}

bool TFormPicture::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Picture && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        pf::ui::endModal(this, 0);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
