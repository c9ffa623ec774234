// SPDX-License-Identifier: MIT
#include "math_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

const QChar kRoot(0x221A);
const QChar kMinus(0x2212);
const QChar kThinSpace(0x2009);

// The heights the layout is built from: digits have no descenders, so a
// number's ink is one cap height tall, and a stacked fraction stays within a
// line of ordinary type.
struct Metrics {
    explicit Metrics(const QFont& font)
        : metrics(font)
    {
        digit = metrics.tightBoundingRect(QStringLiteral("0123456789")).height();
        gap = std::max(1.5, digit * 0.18);
        stroke = std::max(1.0, digit / 11);
        overline = stroke + gap;
    }
    QFontMetricsF metrics;
    double digit;
    double gap;
    double stroke;
    double overline; // room above the digits for a root's bar
};

// How a run of text is shown: a true minus sign, and thin spaces around the
// signs that join terms.
QString Shown(const QString& text, bool first)
{
    QString shown;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool sign = c == QLatin1Char('-') || c == QLatin1Char('+');
        const bool binary = sign && !(first && i == 0);
        if (binary)
            shown += kThinSpace;
        shown += c == QLatin1Char('-') ? kMinus : c;
        if (binary)
            shown += kThinSpace;
    }
    return shown;
}

double RootLead(const Metrics& m)
{
    return m.digit * 0.6 + m.stroke;
}

} // namespace

MathText::MathText(const QString& text)
{
    static const QString allowed = QStringLiteral("0123456789+-()/") + kRoot;
    if (text.isEmpty() || !std::all_of(text.begin(), text.end(), [](QChar c) { return allowed.contains(c); }))
        return;
    QString top = text;
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0) {
        top = text.left(slash);
        denominator = text.mid(slash + 1);
        if (top.startsWith(QLatin1Char('(')) && top.endsWith(QLatin1Char(')'))) {
            top = top.mid(1, top.size() - 2);
        } else if (top.startsWith(QLatin1Char('-'))) {
            sign = QString(kMinus);
            top.remove(0, 1);
        }
        if (denominator.isEmpty() || top.isEmpty())
            return;
    }
    numerator = ParseRow(top);
    const bool root = std::any_of(numerator.begin(), numerator.end(), [](const Piece& p) { return p.root; });
    formula = !denominator.isEmpty() || root;
}

MathText::Row MathText::ParseRow(const QString& text)
{
    Row row;
    QString run;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != kRoot) {
            run += text[i];
            continue;
        }
        if (!run.isEmpty())
            row.push_back({Shown(run, row.empty()), false});
        run.clear();
        QString radicand;
        while (i + 1 < text.size() && text[i + 1].isDigit())
            radicand += text[++i];
        row.push_back({radicand, true});
    }
    if (!run.isEmpty())
        row.push_back({Shown(run, row.empty()), false});
    return row;
}

QString MathText::Structure() const
{
    QString row;
    for (const Piece& piece : numerator)
        row += piece.root ? QStringLiteral("sqrt(%1)").arg(piece.text) : piece.text;
    row.remove(kThinSpace).replace(kMinus, QLatin1Char('-'));
    const QString head = QString(sign).replace(kMinus, QLatin1Char('-'));
    return denominator.isEmpty() ? head + row : head + QStringLiteral("frac(%1,%2)").arg(row, denominator);
}

double MathText::RowWidth(const Row& row, const QFont& font)
{
    const Metrics m(font);
    double width = 0;
    for (const Piece& piece : row)
        width += m.metrics.horizontalAdvance(piece.text) + (piece.root ? RootLead(m) + m.stroke : 0);
    return width;
}

QSizeF MathText::Size(const QFont& font) const
{
    const Metrics m(font);
    const double row = RowWidth(numerator, font);
    if (denominator.isEmpty())
        return {row, m.digit + m.overline};
    const double bar = std::max(row, m.metrics.horizontalAdvance(denominator)) + 2 * m.gap;
    const double head = sign.isEmpty() ? 0 : m.metrics.horizontalAdvance(sign) + m.gap;
    return {head + bar, m.digit + m.overline + 2 * m.gap + m.stroke + m.digit};
}

void MathText::DrawRow(QPainter& painter, const Row& row, QPointF baseline, const QFont& font)
{
    const Metrics m(font);
    double x = baseline.x();
    for (const Piece& piece : row) {
        const double width = m.metrics.horizontalAdvance(piece.text);
        if (piece.root) {
            // A short rise, a long fall to the baseline, a climb to the bar,
            // and the bar over the radicand.
            const double y = baseline.y();
            const double lead = RootLead(m);
            const double top = y - m.digit - m.overline + m.stroke / 2;
            QPainterPath sign;
            sign.moveTo(x, y - m.digit * 0.42);
            sign.lineTo(x + lead * 0.22, y - m.digit * 0.52);
            sign.lineTo(x + lead * 0.5, y);
            sign.lineTo(x + lead, top);
            sign.lineTo(x + lead + width + m.stroke, top);
            painter.drawPath(sign);
            x += lead;
        }
        painter.drawText(QPointF(x, baseline.y()), piece.text);
        x += width + (piece.root ? m.stroke : 0);
    }
}

void MathText::Draw(QPainter& painter, const QRectF& area, const QFont& font, Qt::Alignment alignment) const
{
    const QSizeF size = Size(font);
    const double scale = std::min({1.0, area.width() / size.width(), area.height() / size.height()});
    double left = area.left();
    if (alignment & Qt::AlignRight)
        left = area.right() - size.width() * scale;
    else if (alignment & Qt::AlignHCenter)
        left = area.center().x() - size.width() * scale / 2;
    const double top = area.center().y() - size.height() * scale / 2;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(left, top);
    painter.scale(scale, scale);
    painter.setFont(font);
    const Metrics m(font);
    QPen pen = painter.pen();
    pen.setWidthF(m.stroke);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    const double rowBaseline = m.digit + m.overline;
    if (denominator.isEmpty()) {
        DrawRow(painter, numerator, {0, rowBaseline}, font);
    } else {
        double x = 0;
        const double barY = rowBaseline + m.gap + m.stroke / 2;
        if (!sign.isEmpty()) {
            // The minus sign sits on the bar's height, as the sign of the
            // whole fraction.
            painter.drawText(QPointF(0, barY + m.metrics.strikeOutPos()), sign);
            x = m.metrics.horizontalAdvance(sign) + m.gap;
        }
        const double row = RowWidth(numerator, font);
        const double under = m.metrics.horizontalAdvance(denominator);
        const double bar = std::max(row, under) + 2 * m.gap;
        DrawRow(painter, numerator, {x + (bar - row) / 2, rowBaseline}, font);
        painter.drawLine(QPointF(x, barY), QPointF(x + bar, barY));
        painter.drawText(QPointF(x + (bar - under) / 2, barY + m.stroke / 2 + m.gap + m.digit), denominator);
    }
    painter.restore();
}
