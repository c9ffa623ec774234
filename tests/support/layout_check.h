// SPDX-License-Identifier: MIT
#pragma once

// Steps laid out as the window and the PDF draw them, checked line by line
// for ink where it does not belong.

#include "math_text.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

// The box of the pixels that are not (nearly) white.
inline QRect Ink(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 250)
                box |= QRect(x, y, 1, 1);
    return box;
}

// Each line drawn alone: a line for every one that leaves no ink, whose ink
// strays out of its own band (2 px of slack), whose band runs out of the
// layout's size, or that starts above the end of the line before it; so
// that no line runs into the next or out of the view. Empty when none does.
inline QStringList LayoutFaults(const StepsLayout& layout)
{
    QStringList faults;
    const QSizeF size = layout.Size();
    const auto& lines = layout.Lines();
    for (std::size_t l = 0; l < lines.size(); ++l) {
        QImage image(int(size.width()) + 40, int(size.height()) + 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setPen(Qt::black);
            layout.Draw(painter, QPointF(20, 20), int(l), int(l) + 1);
        }
        const QRect ink = Ink(image).translated(-20, -20);
        const QRectF band(lines[l].left, lines[l].top, lines[l].right - lines[l].left, lines[l].height);
        const QString where = QStringLiteral("line %1: ink %2,%3 %4x%5, band %6,%7 %8x%9")
                                  .arg(l)
                                  .arg(ink.x())
                                  .arg(ink.y())
                                  .arg(ink.width())
                                  .arg(ink.height())
                                  .arg(band.x())
                                  .arg(band.y())
                                  .arg(band.width())
                                  .arg(band.height());
        if (ink.isEmpty())
            faults << where + QStringLiteral(": nothing drawn");
        else if (!band.adjusted(-2, -2, 2, 2).contains(QRectF(ink)))
            faults << where + QStringLiteral(": ink outside its band");
        if (band.right() > size.width() + 0.5 || band.bottom() > size.height() + 0.5)
            faults << where + QStringLiteral(": band outside the layout");
        if (l > 0 && lines[l].top < lines[l - 1].top + lines[l - 1].height)
            faults << where + QStringLiteral(": above the end of the line before");
    }
    return faults;
}
