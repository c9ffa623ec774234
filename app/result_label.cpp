// SPDX-License-Identifier: MIT
#include "result_label.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMenu>
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
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setContextMenuPolicy(Qt::DefaultContextMenu);
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
    menu.exec(event->globalPos());
}
