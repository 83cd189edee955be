// Draws the two programs' icons (Boravest: a house with warm air over a
// blue ground; ReportPrinter: a printed sheet over a green ground) as PNG
// files. Run through scripts/make-icons; the PNGs are kept in the sources.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

void ground(QPainter &p, QColor top, QColor bottom)
{
    QLinearGradient g(0, 0, 0, 256);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 44, 44);
}

QImage boravest()
{
    QImage img(256, 256, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    ground(p, QColor(70, 120, 190), QColor(30, 60, 110));
    // The house.
    QPainterPath house;
    house.moveTo(128, 44);
    house.lineTo(216, 120);
    house.lineTo(196, 120);
    house.lineTo(196, 212);
    house.lineTo(60, 212);
    house.lineTo(60, 120);
    house.lineTo(40, 120);
    house.closeSubpath();
    p.setBrush(QColor(250, 248, 240));
    p.drawPath(house);
    // Warm air rising inside it.
    QPen warm(QColor(232, 96, 40), 12, Qt::SolidLine, Qt::RoundCap);
    p.setPen(warm);
    p.setBrush(Qt::NoBrush);
    for (int x : {96, 128, 160}) {
        QPainterPath wave;
        wave.moveTo(x, 196);
        wave.cubicTo(x - 14, 180, x + 14, 164, x, 148);
        wave.cubicTo(x - 10, 138, x + 6, 130, x, 124);
        p.drawPath(wave);
    }
    return img;
}

QImage reportPrinter()
{
    QImage img(256, 256, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    ground(p, QColor(60, 160, 110), QColor(25, 95, 60));
    // The sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(64, 36);
    sheet.lineTo(160, 36);
    sheet.lineTo(196, 72);
    sheet.lineTo(196, 220);
    sheet.lineTo(64, 220);
    sheet.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 246));
    p.drawPath(sheet);
    p.setBrush(QColor(200, 210, 205));
    p.drawPolygon(QPolygonF({QPointF(160, 36), QPointF(160, 72), QPointF(196, 72)}));
    // Lines of text, set from the right.
    p.setPen(QPen(QColor(40, 70, 60), 10, Qt::SolidLine, Qt::RoundCap));
    const int lengths[] = {70, 100, 84, 100, 56};
    for (int i = 0; i < 5; ++i)
        p.drawLine(176, 96 + i * 24, 176 - lengths[i], 96 + i * 24);
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: mkicons <boravest.png> <reportprinter.png>\n");
        return 2;
    }
    if (!boravest().save(QString::fromLocal8Bit(argv[1])) || !reportPrinter().save(QString::fromLocal8Bit(argv[2])))
        return 1;
    return 0;
}
