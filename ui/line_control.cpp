// SPDX-License-Identifier: MIT
#include "line_control.h"

#include "accessibility.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

LineControl::LineControl(QWidget* parent, const QString& name, QPointF from, QPointF to)
    : QWidget(parent)
    , start(from)
    , end(to)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // A stroke is seen, not read.
    MarkAsDecoration(this);
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
    const qreal inset = Inset();
    const QRectF area = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const auto place
        = [&](QPointF p) { return QPointF(area.left() + p.x() * area.width(), area.top() + p.y() * area.height()); };
    painter.drawLine(place(start), place(end));
}

LineControl* LineControl::Between(QWidget* parent, const QString& name, QPointF from, QPointF to)
{
    auto* line = new LineControl(parent, name, {0, 0}, {1, 1});
    const qreal inset = line->Inset();
    const int left = static_cast<int>(std::floor(std::min(from.x(), to.x()) - inset));
    const int top = static_cast<int>(std::floor(std::min(from.y(), to.y()) - inset));
    const int right = static_cast<int>(std::ceil(std::max(from.x(), to.x()) + inset));
    const int bottom = static_cast<int>(std::ceil(std::max(from.y(), to.y()) + inset));
    line->setGeometry(left, top, std::max(right - left, 3), std::max(bottom - top, 3));
    // The ends as fractions of the drawing area inside the inset.
    const QRectF area = QRectF(line->geometry()).adjusted(inset, inset, -inset, -inset);
    const auto fraction = [&](QPointF p) {
        return QPointF((p.x() - area.left()) / area.width(), (p.y() - area.top()) / area.height());
    };
    line->SetEnds(fraction(from), fraction(to));
    return line;
}
