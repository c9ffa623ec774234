// SPDX-License-Identifier: MIT
#pragma once

#include <QPointF>
#include <QWidget>

// A straight line drawn inside the widget's own rectangle, from one point to
// another given as fractions of its width and height: (0, 0) is the top left
// corner, (1, 1) the bottom right. A line stretches with its widget, so rules,
// bars, brackets and the strokes of a figure can sit in a layout (or at a fixed
// place) and keep their shape at any scale. Plain painting, no OpenGL.
class LineControl : public QWidget {
    Q_OBJECT

public:
    LineControl(QWidget* parent, const QString& name, QPointF from, QPointF to);

    void SetEnds(QPointF from, QPointF to);
    QPointF from() const { return start; }
    QPointF to() const { return end; }

    // The line's thickness in logical pixels (1.5 unless set).
    void SetWidth(qreal width);

    // A line from one point of `parent` to another, in the parent's own
    // coordinates: the control is placed just around the two points. For
    // figures drawn at fixed places.
    static LineControl* Between(QWidget* parent, const QString& name, QPointF from, QPointF to);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // How far the ends stay inside the rectangle, so that the caps show.
    qreal Inset() const { return width / 2 + 0.5; }

    QPointF start;
    QPointF end;
    qreal width = 1.5;
};
