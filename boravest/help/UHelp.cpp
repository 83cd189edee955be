#include "boravest/help/UHelp.h"

#include "ui_UHelp.h"

#include "boravest/help/UPicture.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TextDirection.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>

TFormHelp *FormHelp = nullptr;

// The resources of a static library are registered by hand.
static void registerGuidePictures() { Q_INIT_RESOURCE(GuidePictures); }

namespace {

// How far each long page scrolls: its bottom position, one page step, and
// the last position from which Page Down still takes a whole step (beyond
// it, Page Down lands on the bottom).
struct ScrollSteps {
    int page;
    int bottom;
    int pageStep;
    int lastWholeStep;
};

constexpr ScrollSteps kScrollSteps[] = {{0, 195, 100, 99}, {1, 425, 300, 110}, {3, 2700, 330, 2369}, {13, 588, 300, 288}};

const ScrollSteps *stepsOf(int page)
{
    for (const ScrollSteps &s : kScrollSteps)
        if (s.page == page)
            return &s;
    return nullptr;
}

// The messages the prose quotes (‹...›) as the message boxes show them: one
// stored for a left-to-right paragraph in its reading order, so that in the
// right-to-left prose it reads as one sentence with its mark last.
QString quotesInReadingOrder(const QString &prose)
{
    const QChar open(0x2039), close(0x203A);
    QString out;
    qsizetype from = 0;
    for (qsizetype at = prose.indexOf(open); at >= 0; at = prose.indexOf(open, from)) {
        const qsizetype end = prose.indexOf(close, at + 1);
        if (end < 0)
            break;
        const QString quote = prose.mid(at + 1, end - at - 1);
        out += prose.mid(from, at + 1 - from);
        out += pf::ui::textDirection(quote) == Qt::LeftToRight ? pf::ui::inReadingOrder(quote) : quote;
        from = end;
    }
    return out + prose.mid(from);
}

} // namespace

QWidget *guidePictureSource(const QString &path)
{
    const QStringList names = path.split(QLatin1Char('/'));
    QWidget *w = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == names.first()) {
            w = top;
            break;
        }
    for (int i = 1; w && i < names.size(); ++i)
        w = w->findChild<QWidget *>(names[i]);
    return w;
}

QPixmap guideExamplePicture(const QString &path)
{
    registerGuidePictures();
    QString name = path;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString file = QStringLiteral(":/boravest/guide/%1.png").arg(name);
    return QFile::exists(file) ? QPixmap(file) : QPixmap();
}

int guideScrollPosition(int page, int key, int p)
{
    const ScrollSteps *s = stepsOf(page);
    if (!s)
        return -1;
    switch (key) {
    case Qt::Key_PageUp:
        return p > s->pageStep ? p - s->pageStep : 0;
    case Qt::Key_PageDown:
        return p <= s->lastWholeStep ? p + s->pageStep : s->bottom;
    case Qt::Key_End:
        return s->bottom;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_Up:
        return p > 10 ? p - 10 : 0;
    case Qt::Key_Down:
        return p <= s->bottom - 10 ? p + 10 : s->bottom;
    default:
        return -1;
    }
}

TFormHelp::TFormHelp(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormHelp>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormHelp"));
    setWindowFlags(Qt::Tool);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(751, 394);
    pf::ui::setBackColor(this, pf::ui::winColor(13158848));
    // The pages are chosen by the callers only: no tab row to click.
    ui->PageControl1->tabBar()->hide();
    for (QLabel *text : ui->PageControl1->findChildren<QLabel *>())
        if (text->text().contains(QChar(0x2039)))
            text->setText(quotesInReadingOrder(text->text()));
    for (int page = 0; page < PageCount; ++page)
        if (QScrollArea *box = pageScrollBox(page))
            box->verticalScrollBar()->setRange(0, box->widget()->height() - box->height());
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (isVisible())
            takePictures(page);
    });
    for (int page = 0; page < PageCount; ++page)
        for (QLabel *picture : pagePictures(page)) {
            picture->installEventFilter(this);
            picture->setCursor(Qt::PointingHandCursor);
            picture->setToolTip(QStringLiteral("براي ديدن در اندازه اصلي كليك كنيد"));
        }
}

TFormHelp::~TFormHelp() = default;

QScrollArea *TFormHelp::pageScrollBox(int page) const
{
    switch (page) {
    case 0:
        return ui->ScrollBox1;
    case 1:
        return ui->ScrollBox2;
    case 3:
        return ui->ScrollBox3;
    case 13:
        return ui->ScrollBox4;
    default:
        return nullptr;
    }
}

QList<QLabel *> TFormHelp::pagePictures(int page) const
{
    QList<QLabel *> pictures;
    if (QWidget *sheet = ui->PageControl1->widget(page))
        for (QLabel *l : sheet->findChildren<QLabel *>())
            if (!l->property("form").toString().isEmpty())
                pictures << l;
    return pictures;
}

void TFormHelp::takePictures(int page)
{
    for (QLabel *picture : pagePictures(page)) {
        const QString path = picture->property("form").toString();
        QWidget *form = guidePictureSource(path);
        if (!form || form == this) {
            picture->clear();
            m_pictures.remove(picture);
            continue;
        }
        // The example kept for the form, or the form as it is now; made
        // smaller to fit the frame, never larger.
        QPixmap shot = guideExamplePicture(path);
        if (shot.isNull())
            shot = form->grab();
        m_pictures.insert(picture, shot);
        const int frame = 2 * picture->frameWidth();
        const QSize room = picture->minimumSize() - QSize(frame, frame);
        const QSize size = shot.deviceIndependentSize().toSize();
        picture->setPixmap(size.width() <= room.width() && size.height() <= room.height()
                               ? shot
                               : shot.scaled(size.scaled(room, Qt::KeepAspectRatio) * shot.devicePixelRatio(),
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}

void TFormHelp::openPicture(const QLabel *picture)
{
    const QPixmap shot = m_pictures.value(picture);
    if (shot.isNull())
        return;
    if (!m_pictureView)
        m_pictureView = new TFormPicture(this);
    m_pictureView->showPicture(shot, windowTitle());
}

bool TFormHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        if (auto *picture = qobject_cast<QLabel *>(watched); picture && m_pictures.contains(picture)) {
            openPicture(picture);
            return true;
        }
    return QDialog::eventFilter(watched, event);
}

void TFormHelp::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    takePictures(ui->PageControl1->currentIndex());
}

void TFormHelp::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        pf::ui::endModal(this, 0);
        return;
    }
    const int page = ui->PageControl1->currentIndex();
    QScrollArea *box = pageScrollBox(page);
    if (!box)
        return;
    QScrollBar *bar = box->verticalScrollBar();
    const int next = guideScrollPosition(page, key, bar->value());
    if (next >= 0)
        bar->setValue(next);
}

void TFormHelp::keyPressEvent(QKeyEvent *e)
{
    FormKeyDown(e->key());
    e->accept();
}
