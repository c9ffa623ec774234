// SPDX-License-Identifier: MIT
// Draws the title banner: the program's name in large, embossed, dark green
// letters on a bright green ground, 540 x 148 pixels, saved as JPEG.
// Usage: QT_QPA_PLATFORM=offscreen make_banner assets/banner.jpg

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_banner OUTPUT.jpg\n");
        return 2;
    }

    QImage image(540, 148, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(0, 0, 0, image.height());
    ground.setColorAt(0.0, QColor(0x9a, 0xf5, 0x6e));
    ground.setColorAt(0.5, QColor(0x5c, 0xe0, 0x3c));
    ground.setColorAt(1.0, QColor(0x3c, 0xc4, 0x2a));
    painter.fillRect(image.rect(), ground);

    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(104);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);

    QPainterPath name;
    name.addText(0, 0, font, QStringLiteral("Kalvora"));
    const QRectF box = name.boundingRect();
    name.translate((image.width() - box.width()) / 2 - box.left(), (image.height() - box.height()) / 2 - box.top());

    // Light from the upper left: a pale rim above and to the left, a shadow
    // below and to the right, then the letters themselves.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xe8, 0xff, 0xd8, 230));
    painter.drawPath(name.translated(-3, -3));
    painter.setBrush(QColor(0x0a, 0x3a, 0x0a, 200));
    painter.drawPath(name.translated(3, 3));

    QLinearGradient face(0, box.top(), 0, box.bottom());
    face.setColorAt(0.0, QColor(0x2a, 0x8a, 0x2e));
    face.setColorAt(1.0, QColor(0x0c, 0x4a, 0x14));
    painter.setBrush(face);
    painter.drawPath(name);
    painter.end();

    if (!image.save(QString::fromLocal8Bit(argv[1]), "JPEG", 92)) {
        std::fprintf(stderr, "make_banner: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
