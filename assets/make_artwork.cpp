// SPDX-License-Identifier: MIT
// Draws Kalvora's artwork: the title banner (the program's name in large,
// embossed, dark green letters on a bright green ground) for its 384 x 80
// frame, as PNG at that size and at twice it for dense screens, and the
// application icon in the same manner (a "K" on a green tile), as SVG and as
// PNG in the usual icon sizes.
// Usage: QT_QPA_PLATFORM=offscreen make_artwork assets

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace {

const QColor kGroundTop(0x9a, 0xf5, 0x6e);
const QColor kGroundMiddle(0x5c, 0xe0, 0x3c);
const QColor kGroundBottom(0x3c, 0xc4, 0x2a);
const QColor kRim(0xe8, 0xff, 0xd8, 230);
const QColor kShadow(0x0a, 0x3a, 0x0a, 200);
const QColor kFaceTop(0x2a, 0x8a, 0x2e);
const QColor kFaceBottom(0x0c, 0x4a, 0x14);

QPainterPath Lettering(const QString& text, int pixelSize, const QRectF& frame)
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF box = path.boundingRect();
    path.translate(frame.center() - box.center());
    return path;
}

// Light from the upper left: a pale rim above and to the left, a shadow below
// and to the right, then the letters themselves.
void Emboss(QPainter& painter, const QPainterPath& letters, qreal depth)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(kRim);
    painter.drawPath(letters.translated(-depth, -depth));
    painter.setBrush(kShadow);
    painter.drawPath(letters.translated(depth, depth));
    const QRectF box = letters.boundingRect();
    QLinearGradient face(0, box.top(), 0, box.bottom());
    face.setColorAt(0.0, kFaceTop);
    face.setColorAt(1.0, kFaceBottom);
    painter.setBrush(face);
    painter.drawPath(letters);
}

QLinearGradient Ground(qreal height)
{
    QLinearGradient ground(0, 0, 0, height);
    ground.setColorAt(0.0, kGroundTop);
    ground.setColorAt(0.5, kGroundMiddle);
    ground.setColorAt(1.0, kGroundBottom);
    return ground;
}

// The banner's frame on the menu and version screens, in pixels at scale 1.
const QRectF kBannerFrame(0, 0, 384, 80);

// Drawn afresh at each scale rather than resized, so that the letters' edges
// fall on the pixels of each image; PNG keeps them free of JPEG's blur.
bool MakeBanner(const QString& file, int scale)
{
    QImage image((kBannerFrame.size() * scale).toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.fillRect(kBannerFrame, Ground(kBannerFrame.height()));
    Emboss(painter, Lettering(QStringLiteral("Kalvora"), 70, kBannerFrame), 2);
    painter.end();
    return image.save(file, "PNG", 0);
}

// The icon is drawn on a 256-unit tile.
constexpr qreal kTile = 256;
const QRectF kTileRect(8, 8, 240, 240);
constexpr qreal kCorner = 44;

QPainterPath IconLetter()
{
    return Lettering(QStringLiteral("K"), 190, kTileRect.translated(0, 4));
}

void PaintIcon(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kFaceBottom, 4));
    painter.setBrush(Ground(kTile));
    painter.drawRoundedRect(kTileRect, kCorner, kCorner);
    Emboss(painter, IconLetter(), 5);
}

QString SvgPath(const QPainterPath& path)
{
    QString data;
    QTextStream out(&data);
    out.setRealNumberPrecision(2);
    out.setRealNumberNotation(QTextStream::FixedNotation);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo())
            out << 'M' << e.x << ' ' << e.y;
        else if (e.isLineTo())
            out << 'L' << e.x << ' ' << e.y;
        else if (e.isCurveTo()) {
            const auto c1 = path.elementAt(i + 1);
            const auto c2 = path.elementAt(i + 2);
            out << 'C' << e.x << ' ' << e.y << ' ' << c1.x << ' ' << c1.y << ' ' << c2.x << ' ' << c2.y;
            i += 2;
        }
    }
    return data;
}

bool MakeSvgIcon(const QString& file)
{
    const QPainterPath letter = IconLetter();
    const QRectF box = letter.boundingRect();
    QFile svg(file);
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"ground\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"256\" gradientUnits=\"userSpaceOnUse\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << kGroundTop.name() << "\"/>\n"
        << "      <stop offset=\"0.5\" stop-color=\"" << kGroundMiddle.name() << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << kGroundBottom.name() << "\"/>\n"
        << "    </linearGradient>\n"
        << "    <linearGradient id=\"face\" x1=\"0\" y1=\"" << box.top() << "\" x2=\"0\" y2=\"" << box.bottom()
        << "\" gradientUnits=\"userSpaceOnUse\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << kFaceTop.name() << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << kFaceBottom.name() << "\"/>\n"
        << "    </linearGradient>\n"
        << "  </defs>\n"
        << "  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"44\" ry=\"44\" fill=\"url(#ground)\" stroke=\""
        << kFaceBottom.name() << "\" stroke-width=\"4\"/>\n"
        << "  <path d=\"" << SvgPath(letter.translated(-5, -5)) << "\" fill=\"" << kRim.name()
        << "\" fill-opacity=\"0.9\"/>\n"
        << "  <path d=\"" << SvgPath(letter.translated(5, 5)) << "\" fill=\"" << kShadow.name()
        << "\" fill-opacity=\"0.78\"/>\n"
        << "  <path d=\"" << SvgPath(letter) << "\" fill=\"url(#face)\"/>\n"
        << "</svg>\n";
    return out.status() == QTextStream::Ok;
}

bool MakePngIcon(const QString& file, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(size / kTile, size / kTile);
    PaintIcon(painter);
    painter.end();
    return image.save(file, "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork ASSETS_DIRECTORY\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("icons"));
    bool ok = MakeBanner(out.filePath(QStringLiteral("banner.png")), 1)
        && MakeBanner(out.filePath(QStringLiteral("banner@2x.png")), 2)
        && MakeSvgIcon(out.filePath(QStringLiteral("icons/kalvora.svg")));
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        ok = ok && MakePngIcon(out.filePath(QStringLiteral("icons/kalvora-%1.png").arg(size)), size);
    if (!ok) {
        std::fprintf(stderr, "make_artwork: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
