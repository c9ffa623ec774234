// SPDX-License-Identifier: MIT
#include "line_control.h"

#include <QPainter>

LineControl::LineControl(QWidget* parent, const QString& name, QPointF from, QPointF to)
    : QWidget(parent)
    , start(from)
    , end(to)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setMinimumSize(3, 3);
}

void LineControl::SetEnds(QPointF from, QPointF to)
{
    start = from;
    end = to;
    update();
}

void LineControl::SetWidth(qreal lineWidth)
{
    width = lineWidth;
    update();
}

void LineControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), width, Qt::SolidLine, Qt::RoundCap));
    // Keep the ends inside the widget so that the caps are not cut off.
    const qreal inset = width / 2 + 0.5;
    const QRectF area = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const auto place
        = [&](QPointF p) { return QPointF(area.left() + p.x() * area.width(), area.top() + p.y() * area.height()); };
    painter.drawLine(place(start), place(end));
}
