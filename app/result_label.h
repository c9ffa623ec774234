// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A label that shows a result. Its text is always the whole result; when the
// result is wider than the label it is drawn in smaller type, and if that is
// still not enough, with "…" in the middle so that both ends stay visible and
// nobody mistakes a cut-off number for a shorter one. The whole result is in
// the tool tip and is what "コピー" (right click) copies; inside a calculator
// the same menu copies every result of the screen. A double click selects the
// whole number. Screen readers read its name and its value.
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget* parent);

    // Shows a new result (empty for none) and tells assistive technology.
    void SetValue(const QString& value);

    // True when the whole text fits at the label's own type size.
    bool Fits() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
