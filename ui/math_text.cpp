// SPDX-License-Identifier: MIT
#include "math_text.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

const QChar kRoot(0x221A);

// Where the bar of "+" lies in a font, relative to the baseline: a minus sign
// drawn as that bar matches the "+" beside it, whatever the font's own minus
// glyph looks like.
struct PlusBar {
    double left = 0; // from the start of the glyph's advance
    double width = 0;
    double centre = 0; // above the baseline: negative
    double thickness = 1;
};

PlusBar MeasurePlusBar(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const QRectF tight = metrics.tightBoundingRect(QStringLiteral("+"));
    PlusBar bar{tight.left(), tight.width(), -metrics.strikeOutPos(), std::max(1.0, metrics.lineWidth())};
    // Drawn eight times larger, the bar is the ink in a column near the
    // left end of the glyph, where the upright stroke is not.
    constexpr int k = 8;
    QImage image(int(std::ceil(tight.width() + 4)) * k, int(std::ceil(tight.height() + 4)) * k, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(k, k);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(2 - tight.left(), 2 - tight.top()), QStringLiteral("+"));
    }
    const int column = int((2 + tight.width() * 0.15) * k);
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (qGray(image.pixel(column, y)) < 128) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    if (first >= 0) {
        bar.thickness = double(last - first + 1) / k;
        bar.centre = (first + last + 1) / 2.0 / k - 2 + tight.top();
    }
    return bar;
}

const PlusBar& PlusBarOf(const QFont& font)
{
    static QHash<QString, PlusBar> bars;
    const QString key = font.key();
    auto found = bars.find(key);
    if (found == bars.end())
        found = bars.insert(key, MeasurePlusBar(font));
    return *found;
}

// The heights the layout is built from: digits have no descenders, so a
// number's ink is one cap height tall.
struct Metrics {
    explicit Metrics(const QFont& font)
        : metrics(font)
        , bar(PlusBarOf(font))
    {
        digit = metrics.tightBoundingRect(QStringLiteral("0123456789")).height();
        gap = std::max(1.5, digit * 0.18);
        stroke = std::max(1.0, digit / 11);
        overline = stroke + gap;
        sign = metrics.horizontalAdvance(QLatin1Char('+'));
        apart = digit * 0.3;
        after = std::max(1.0, digit * 0.15);
    }
    QFontMetricsF metrics;
    PlusBar bar;
    double digit;
    double gap;
    double stroke;
    double overline; // room above the digits for a root's bar
    double sign; // the advance of a sign
    double apart; // room on each side of a sign between terms
    double after; // room after a leading minus, so that it never touches a root
};

double RootLead(const Metrics& m)
{
    return m.digit * 0.6 + m.stroke;
}

// Fills a thin rectangle on whole device pixels, so that a bar one pixel
// thick is one crisp row rather than two grey ones.
void FillSnapped(QPainter& painter, const QRectF& rect, double thickness)
{
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QRectF device = painter.worldTransform().mapRect(rect);
    const double rows = std::max(1.0, std::round(thickness * ratio));
    const double top = std::round(device.center().y() * ratio - rows / 2);
    device.setTop(top / ratio);
    device.setHeight(rows / ratio);
    painter.save();
    painter.resetTransform();
    painter.fillRect(device, painter.pen().color());
    painter.restore();
}

// Where a label puts the baseline of its one line of text in an area.
double LabelBaseline(const QRectF& area, const QFont& font)
{
    const QFontMetrics metrics(font);
    return area.top() + int(area.height() - metrics.height()) / 2 + metrics.ascent();
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
            minus = true;
            top.remove(0, 1);
        }
        if (denominator.isEmpty() || top.isEmpty())
            return;
    }
    numerator = ParseRow(top);
    line = ParseRow(text);
    const bool root
        = std::any_of(numerator.begin(), numerator.end(), [](const Piece& p) { return p.kind == Piece::Root; });
    formula = !denominator.isEmpty() || root;
}

MathText::Row MathText::ParseRow(const QString& text)
{
    Row row;
    QString run;
    const auto flush = [&] {
        if (!run.isEmpty())
            row.push_back({Piece::Text, run});
        run.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('-') || c == QLatin1Char('+')) {
            // A sign that joins two terms stands apart; one that opens the
            // row or a parenthesis belongs to its term.
            const bool apart = i > 0 && text[i - 1] != QLatin1Char('(');
            flush();
            row.push_back({c == QLatin1Char('-') ? Piece::Minus : Piece::Text, QString(c), apart});
        } else if (c == kRoot) {
            flush();
            QString radicand;
            while (i + 1 < text.size() && text[i + 1].isDigit())
                radicand += text[++i];
            row.push_back({Piece::Root, radicand});
        } else {
            run += c;
        }
    }
    flush();
    return row;
}

QString MathText::Structure() const
{
    QString row;
    for (const Piece& piece : numerator)
        row += piece.kind == Piece::Root ? QStringLiteral("sqrt(%1)").arg(piece.text) : piece.text;
    const QString head = minus ? QStringLiteral("-") : QString();
    return denominator.isEmpty() ? head + row : head + QStringLiteral("frac(%1,%2)").arg(row, denominator);
}

double MathText::RowWidth(const Row& row, const QFont& font)
{
    const Metrics m(font);
    double width = 0;
    for (const Piece& piece : row) {
        switch (piece.kind) {
        case Piece::Text: width += m.metrics.horizontalAdvance(piece.text); break;
        case Piece::Root: width += RootLead(m) + m.metrics.horizontalAdvance(piece.text) + m.stroke; break;
        case Piece::Minus: width += m.sign; break;
        }
        width += piece.apart ? 2 * m.apart : (piece.kind == Piece::Minus ? m.after : 0);
    }
    return width;
}

QSizeF MathText::Size(const QFont& font, Form form) const
{
    const Metrics m(font);
    if (form == Form::Line) {
        const QFontMetrics metrics(font);
        const double above = std::max(double(metrics.ascent()), m.digit + m.overline);
        return {RowWidth(line, font), above + metrics.descent()};
    }
    const double row = RowWidth(numerator, font);
    if (denominator.isEmpty())
        return {row, m.digit + m.overline};
    const double bar = std::max(row, m.metrics.horizontalAdvance(denominator)) + 2 * m.gap;
    const double head = minus ? m.sign + m.after : 0;
    return {head + bar, m.digit + m.overline + 2 * m.gap + m.stroke + m.digit};
}

std::optional<MathText::Form> MathText::FormFor(const QSizeF& area, const QFont& font) const
{
    for (const Form form : {Form::Stacked, Form::Line}) {
        const QSizeF size = Size(font, form);
        if (size.width() <= area.width() && size.height() <= area.height())
            return form;
    }
    return std::nullopt;
}

void MathText::DrawRow(QPainter& painter, const Row& row, QPointF baseline, const QFont& font)
{
    const Metrics m(font);
    double x = baseline.x();
    const double y = baseline.y();
    for (const Piece& piece : row) {
        if (piece.apart)
            x += m.apart;
        switch (piece.kind) {
        case Piece::Minus:
            FillSnapped(painter,
                QRectF(x + m.bar.left, y + m.bar.centre - m.bar.thickness / 2, m.bar.width, m.bar.thickness),
                m.bar.thickness);
            x += m.sign + (piece.apart ? 0 : m.after);
            break;
        case Piece::Root: {
            // A short rise, a long fall to the baseline, a climb to the bar,
            // and the bar over the radicand.
            const double width = m.metrics.horizontalAdvance(piece.text);
            const double lead = RootLead(m);
            const double top = y - m.digit - m.overline + m.stroke / 2;
            QPainterPath sign;
            sign.moveTo(x, y - m.digit * 0.42);
            sign.lineTo(x + lead * 0.22, y - m.digit * 0.52);
            sign.lineTo(x + lead * 0.5, y);
            sign.lineTo(x + lead, top);
            sign.lineTo(x + lead + width + m.stroke, top);
            painter.drawPath(sign);
            painter.drawText(QPointF(x + lead, y), piece.text);
            x += lead + width + m.stroke;
            break;
        }
        case Piece::Text:
            painter.drawText(QPointF(x, y), piece.text);
            x += m.metrics.horizontalAdvance(piece.text);
            break;
        }
        if (piece.apart)
            x += m.apart;
    }
}

void MathText::Draw(QPainter& painter, const QRectF& area, const QFont& font, Qt::Alignment alignment, Form form) const
{
    const QSizeF size = Size(font, form);
    double left = area.left();
    if (alignment & Qt::AlignRight)
        left = area.right() - size.width();
    else if (alignment & Qt::AlignHCenter)
        left = area.center().x() - size.width() / 2;
    left = std::round(left);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    const Metrics m(font);
    QPen pen = painter.pen();
    pen.setWidthF(m.stroke);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    // On the line where a label beside it writes its text; a stacked
    // fraction has its bar where "+" has its bar, moved only as far as it
    // must be to stay inside the area.
    const double baseline = LabelBaseline(area, font);
    if (form == Form::Line || denominator.isEmpty()) {
        double y = baseline;
        if (form == Form::Stacked)
            y = std::clamp(
                y, area.top() + m.digit + m.overline, std::max(area.top() + m.digit + m.overline, area.bottom()));
        DrawRow(painter, form == Form::Line ? line : numerator, {left, y}, font);
    } else {
        const double above = m.digit + m.overline + m.gap + m.stroke / 2;
        const double below = m.stroke / 2 + m.gap + m.digit;
        double axis = baseline + m.bar.centre;
        axis = std::min(axis, area.bottom() - below);
        axis = std::max(axis, area.top() + above);
        double x = left;
        if (minus) {
            FillSnapped(painter, QRectF(x + m.bar.left, axis - m.bar.thickness / 2, m.bar.width, m.bar.thickness),
                m.bar.thickness);
            x += m.sign + m.after;
        }
        const double row = RowWidth(numerator, font);
        const double under = m.metrics.horizontalAdvance(denominator);
        const double bar = std::max(row, under) + 2 * m.gap;
        DrawRow(painter, numerator, {x + (bar - row) / 2, axis - m.stroke / 2 - m.gap}, font);
        FillSnapped(painter, QRectF(x, axis - m.stroke / 2, bar, m.stroke), m.stroke);
        painter.drawText(QPointF(x + (bar - under) / 2, axis + below), denominator);
    }
    painter.restore();
}
