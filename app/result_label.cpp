// SPDX-License-Identifier: MIT
#include "result_label.h"

#include "accessibility.h"
#include "calculator_screen.h"

#include <QAccessible>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

// Type is never made smaller than this share of the label's own size.
constexpr double kSmallestType = 0.7;

} // namespace

ResultLabel::ResultLabel(QWidget* parent)
    : QLabel(parent)
{
    InstallAccessibility();
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void ResultLabel::SetValue(const QString& value)
{
    const QString old = text();
    if (value == old)
        return;
    setText(value);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent update(this, 0, old, value);
        QAccessible::updateAccessibility(&update);
        QAccessibleEvent description(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&description);
    }
}

bool ResultLabel::Fits() const
{
    return fontMetrics().horizontalAdvance(text()) <= contentsRect().width();
}

bool ResultLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (Fits())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

void ResultLabel::paintEvent(QPaintEvent* event)
{
    if (Fits()) {
        QLabel::paintEvent(event);
        return;
    }
    const QRect area = contentsRect();
    QFont smaller = font();
    const double needed = fontMetrics().horizontalAdvance(text());
    smaller.setPointSizeF(font().pointSizeF() * std::max(kSmallestType, area.width() / needed * 0.98));
    const QString shown = QFontMetrics(smaller).elidedText(text(), Qt::ElideMiddle, area.width());

    QPainter painter(this);
    painter.setFont(smaller);
    painter.setPen(palette().color(QPalette::Active, foregroundRole()));
    const Qt::Alignment vertical = alignment() & Qt::AlignVertical_Mask;
    painter.drawText(area, int(Qt::AlignLeft | (vertical ? vertical : Qt::AlignVCenter)), shown);
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event)
{
    if (text().isEmpty())
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("コピー"), this,
        [this] { QGuiApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text()); });
    if (auto* screen = qobject_cast<CalculatorScreen*>(window()))
        menu.addAction(QStringLiteral("結果をすべてコピー"), screen, &CalculatorScreen::CopyResults);
    menu.exec(event->globalPos());
}

void ResultLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A number is one word: sign, digits, point and all.
    if (event->button() == Qt::LeftButton && !text().isEmpty()) {
        setSelection(0, static_cast<int>(text().size()));
        event->accept();
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}
