// SPDX-License-Identifier: MIT
#include "math_text.h"

#include "type_size.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

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
        , raw(QRawFont::fromFont(font))
    {
        // The glyphs of numbers, so that a matrix of long fractions is
        // measured and drawn without shaping each entry afresh.
        const QString numeric = QStringLiteral("0123456789.");
        const QList<quint32> glyphs = raw.isValid() ? raw.glyphIndexesForString(numeric) : QList<quint32>();
        if (glyphs.size() == numeric.size() && !glyphs.contains(0)) {
            const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
            for (qsizetype k = 0; k < numeric.size(); ++k)
                numberGlyphs[static_cast<std::size_t>(numeric[k].unicode())] = {glyphs[k], advances[k].x()};
        }
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
    QRawFont raw;
    struct Glyph {
        quint32 index = 0; // 0: none known
        double advance = 0;
    };
    std::array<Glyph, 128> numberGlyphs{}; // by ASCII code: digits and the point
    double digit;
    double gap;
    double stroke;
    double overline; // room above the digits for a root's bar
    double sign; // the advance of a sign
    double apart; // room on each side of a sign between terms
    double after; // room after a leading minus, so that it never touches a root
};

// The metrics of a font, worked out once: a layout asks for them at every
// node it measures.
const Metrics& MetricsOf(const QFont& font)
{
    // The few fonts of one drawing are asked for again and again: compared
    // as fonts first, which is cheaper than writing out their keys.
    thread_local std::array<std::pair<QFont, std::shared_ptr<const Metrics>>, 4> recent;
    thread_local std::size_t next = 0;
    for (const auto& [known, metrics] : recent)
        if (metrics && known == font)
            return *metrics;
    thread_local QHash<QString, std::shared_ptr<const Metrics>> known;
    const QString key = font.key();
    auto found = known.find(key);
    if (found == known.end())
        found = known.insert(key, std::make_shared<const Metrics>(font));
    recent[next] = {font, *found};
    next = (next + 1) % recent.size();
    return **found;
}

// A number's glyphs from the font's table, or nothing where one of its
// characters is not a digit or the point (or the font has no such glyph).
std::optional<QGlyphRun> NumberGlyphs(const Metrics& m, const std::string& text)
{
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    double x = 0;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= m.numberGlyphs.size() || m.numberGlyphs[code].index == 0)
            return std::nullopt;
        indexes.append(m.numberGlyphs[code].index);
        positions.append({x, 0});
        x += m.numberGlyphs[code].advance;
    }
    QGlyphRun run;
    run.setRawFont(m.raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    return run;
}

double NumberWidth(const Metrics& m, const std::string& text)
{
    double width = 0;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= m.numberGlyphs.size() || m.numberGlyphs[code].index == 0)
            return m.metrics.horizontalAdvance(QString::fromStdString(text));
        width += m.numberGlyphs[code].advance;
    }
    return width;
}

// Lines drawn with the stroke of the font's own strokes, square-ended.
void UseStroke(QPainter& painter, const Metrics& m)
{
    QPen pen = painter.pen();
    pen.setWidthF(m.stroke);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

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
    const Metrics& m = MetricsOf(font);
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
    const Metrics& m = MetricsOf(font);
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
    const Metrics& m = MetricsOf(font);
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
    const Metrics& m = MetricsOf(font);
    UseStroke(painter, m);

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
        DrawStacked(painter, {left, axis}, font);
    }
    painter.restore();
}

// The formula trees of the worked steps.

namespace {

using Kind = MathNode::Kind;
using Extent = MathText::Extent;

// An em of the font, from its cap height: the spaces around signs scale with
// the type whatever the font's own leading.
double Em(const Metrics& m)
{
    return m.digit / 0.72;
}

QString Unicode(const std::string& text)
{
    return QString::fromStdString(text);
}

bool IsOperator(const MathNode& node, const char* text)
{
    return node.kind == Kind::Operator && node.text == text;
}

bool IsRelation(const MathNode& node)
{
    static const std::vector<std::string> relations{"=", "≈", ">", "<", "≠", "≧", "≦", "≥", "≤", "→", "⇔"};
    return node.kind == Kind::Operator && std::find(relations.begin(), relations.end(), node.text) != relations.end();
}

// A sign is unary at the start of a row and after another operator: it
// belongs to what follows and has no room around it.
bool IsUnary(const std::vector<MathNode>& row, std::size_t i)
{
    const MathNode& node = row[i];
    if (node.kind != Kind::Operator || !(node.text == "-" || node.text == "+" || node.text == "±"))
        return false;
    return i == 0 || row[i - 1].kind == Kind::Operator;
}

// The room between item i - 1 and item i of a row.
double Gap(const std::vector<MathNode>& row, std::size_t i, const Metrics& m)
{
    if (i == 0)
        return 0;
    const double em = Em(m);
    const auto after = [&](std::size_t k) {
        const MathNode& node = row[k];
        if (node.kind == Kind::Operator) {
            if (node.text == ",")
                return 0.4 * em;
            if (IsUnary(row, k))
                return 0.0;
            return IsRelation(node) ? 0.3 * em : 0.22 * em;
        }
        // A full-width bracket carries its own room: "3（左の辺）, b".
        if (node.kind == Kind::Word)
            return node.text.ends_with("）") ? 0.0 : 0.25 * em;
        if (node.kind == Kind::Name || node.kind == Kind::Sigma || node.kind == Kind::Power)
            return 0.08 * em; // an italic letter leans into what follows
        return 0.0;
    };
    const auto before = [&](std::size_t k) {
        const MathNode& node = row[k];
        if (node.kind == Kind::Operator) {
            if (node.text == "," || IsUnary(row, k))
                return 0.0;
            return IsRelation(node) ? 0.3 * em : 0.22 * em;
        }
        if (node.kind == Kind::Word)
            return node.text.starts_with("（") ? 0.0 : 0.25 * em;
        return 0.0;
    };
    // Letters side by side are a product written tight: "4ac".
    if (row[i - 1].kind == Kind::Name && row[i].kind == Kind::Name)
        return 0;
    // After a root or a fraction a factor stands a little apart, so that
    // "√3 i" cannot be read as a root of 3i.
    const MathNode& left = row[i - 1];
    const bool tall = left.kind == Kind::Root || left.kind == Kind::Fraction
        || (left.kind == Kind::Value && left.text.find_first_of("/√") != std::string::npos);
    if (tall && row[i].kind != Kind::Operator && row[i].kind != Kind::Group && row[i].kind != Kind::Word)
        return 0.15 * em;
    return after(i - 1) + before(i);
}

QFont Italic(QFont font)
{
    font.setItalic(true);
    return font;
}

QFont Scaled(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * factor))));
    return font;
}

QString NameText(const MathNode& node)
{
    QString text = Unicode(node.text);
    text.replace(QLatin1Char('\''), QChar(0x2032));
    return text;
}

// Words and plain text: the ink of kanji reaches higher than the digits.
Extent TextExtent(const QString& text, const QFont& font)
{
    const Metrics& m = MetricsOf(font);
    return {m.metrics.horizontalAdvance(text), std::max(m.digit * 1.1, m.metrics.ascent() * 0.8),
        m.metrics.descent() * 0.6};
}

// The matrix of a determinant, a group with the brackets "||" around it.
const MathNode* DeterminantGrid(const MathNode& group)
{
    if (group.text != "||" || group.children.empty())
        return nullptr;
    const MathNode* inside = &group.children.front();
    if (inside->kind == Kind::Row && inside->children.size() == 1)
        inside = &inside->children.front();
    return inside->kind == Kind::Matrix ? inside : nullptr;
}

// A bracket drawn as tall as what it holds, from top to bottom.
void DrawBracket(QPainter& painter, QChar bracket, double x, double width, double top, double bottom)
{
    QPainterPath path;
    const double mid = (top + bottom) / 2;
    const double h = bottom - top;
    if (bracket == QLatin1Char('|')) {
        // A determinant's bar: straight, down the middle of its room.
        painter.drawLine(QPointF(x + width / 2, top), QPointF(x + width / 2, bottom));
        return;
    }
    const bool open = bracket == QLatin1Char('(') || bracket == QLatin1Char('{');
    // Kept clear of the box's edges, so that a neighbour never touches the
    // tip of a brace.
    const auto X = [&](double f) {
        const double inset = 0.12 + f * 0.76;
        return open ? x + width * inset : x + width * (1 - inset);
    };
    if (bracket == QLatin1Char('{') || bracket == QLatin1Char('}')) {
        path.moveTo(X(0.85), top);
        path.quadTo(X(0.45), top, X(0.45), top + h * 0.12);
        path.lineTo(X(0.45), mid - h * 0.08);
        path.quadTo(X(0.45), mid, X(0.1), mid);
        path.quadTo(X(0.45), mid, X(0.45), mid + h * 0.08);
        path.lineTo(X(0.45), bottom - h * 0.12);
        path.quadTo(X(0.45), bottom, X(0.85), bottom);
    } else {
        path.moveTo(X(0.85), top);
        path.cubicTo(X(0.1), top + h * 0.2, X(0.1), bottom - h * 0.2, X(0.85), bottom);
    }
    painter.drawPath(path);
}

// Room between a base and its exponent: more after an italic letter, whose
// top leans over to the right.
double PowerGap(const MathNode& power, const Metrics& m)
{
    return Em(m) * (power.children[0].kind == Kind::Name ? 0.06 : 0.03);
}

// Brackets of the font's own glyphs hold a line of text; anything taller
// gets drawn ones.
bool FitsGlyph(const Extent& inner, const Metrics& m)
{
    return inner.ascent <= m.digit * 1.35 && inner.descent <= m.metrics.descent();
}

double DrawnBracketWidth(const Extent& inner, const Metrics& m)
{
    return std::max(m.metrics.horizontalAdvance(QLatin1Char('(')), (inner.ascent + inner.descent) * 0.12 + m.stroke);
}

// The grid of a matrix or a table: each column as wide as its widest
// entry, each row as tall as its tallest.
struct Grid {
    std::vector<Extent> cells;
    std::vector<double> widths;
    std::vector<double> ascents;
    std::vector<double> descents;
    double columnGap = 0;
    double rowGap = 0;
    double width = 0;
    double height = 0;
};

Grid LayOutGrid(const MathNode& node, const QFont& font)
{
    const Metrics& m = MetricsOf(font);
    Grid grid;
    const int columns = std::max(1, node.columns);
    const int rows = int((node.children.size() + columns - 1) / columns);
    grid.widths.assign(columns, 0);
    grid.ascents.assign(rows, m.digit);
    grid.descents.assign(rows, 0);
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        const Extent e = MathText::MeasureNode(node.children[i], font);
        grid.cells.push_back(e);
        const int r = int(i) / columns, c = int(i) % columns;
        grid.widths[c] = std::max(grid.widths[c], e.width);
        grid.ascents[r] = std::max(grid.ascents[r], e.ascent);
        grid.descents[r] = std::max(grid.descents[r], e.descent);
    }
    grid.columnGap = Em(m) * (node.kind == Kind::Table ? 0.7 : 0.9);
    // Rows of fractions stand further apart, so that a denominator is not
    // read with the numerator under it.
    const bool tall = std::any_of(grid.descents.begin(), grid.descents.end(), [](double d) { return d > 0; });
    grid.rowGap = m.digit * (node.kind == Kind::Table ? 0.6 : tall ? 0.8 : 0.45);
    for (int c = 0; c < columns; ++c)
        grid.width += grid.widths[c] + (c > 0 ? grid.columnGap : 0);
    for (int r = 0; r < rows; ++r)
        grid.height += grid.ascents[r] + grid.descents[r] + (r > 0 ? grid.rowGap : 0);
    return grid;
}

// The ink of "Σ" in a font, measured once.
QRectF SigmaInk(const QFont& big)
{
    thread_local QHash<QString, QRectF> known;
    const QString key = big.key();
    auto found = known.find(key);
    if (found == known.end())
        found = known.insert(key, QFontMetricsF(big).tightBoundingRect(QStringLiteral("Σ")));
    return *found;
}

// Room inside a matrix's parentheses.
double MatrixPad(const Metrics& m)
{
    return Em(m) * 0.2;
}

} // namespace

QFont MathText::SmallFont(const QFont& font)
{
    QFont small = font;
    if (font.pointSizeF() > 0) {
        small.setPointSizeF(std::max(kSmallestPointSize, std::min(font.pointSizeF(), font.pointSizeF() * 0.72)));
    } else {
        // Pixel sizes stand for points at the usual 96 dots an inch.
        const double smallest = kSmallestPointSize * 96 / 72;
        small.setPixelSize(
            int(std::ceil(std::max(smallest, std::min<double>(font.pixelSize(), font.pixelSize() * 0.72)))));
    }
    return small;
}

MathText::Extent MathText::Measure(const QFont& font) const
{
    const Metrics& m = MetricsOf(font);
    if (!formula && line.empty())
        return {0, m.digit, 0};
    if (formula && !denominator.isEmpty()) {
        const QSizeF size = Size(font, Form::Stacked);
        const double above = m.digit + m.overline + m.gap + m.stroke / 2;
        return {size.width(), above - m.bar.centre, size.height() - above + m.bar.centre};
    }
    const Row& row = formula ? numerator : line;
    const bool root = std::any_of(row.begin(), row.end(), [](const Piece& p) { return p.kind == Piece::Root; });
    return {RowWidth(row, font), m.digit + (root ? m.overline : 0), 0};
}

// The minus in front, then numerator over bar over denominator, the bar
// centred on `axis` and starting at `start`'s x.
void MathText::DrawStacked(QPainter& painter, QPointF start, const QFont& font) const
{
    const Metrics& m = MetricsOf(font);
    const double axis = start.y();
    double x = start.x();
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
    painter.drawText(QPointF(x + (bar - under) / 2, axis + m.stroke / 2 + m.gap + m.digit), denominator);
}

void MathText::DrawOnBaseline(QPainter& painter, QPointF origin, const QFont& font) const
{
    const Metrics& m = MetricsOf(font);
    painter.save();
    painter.setFont(font);
    UseStroke(painter, m);
    if (formula && !denominator.isEmpty()) {
        DrawStacked(painter, {origin.x(), origin.y() + m.bar.centre}, font);
    } else {
        DrawRow(painter, formula ? numerator : line, origin, font);
    }
    painter.restore();
}

MathText::Extent MathText::MeasureNode(const MathNode& node, const QFont& font)
{
    const Metrics& m = MetricsOf(font);
    switch (node.kind) {
    case Kind::Number: return {NumberWidth(m, node.text), m.digit, 0};
    case Kind::Name: {
        const QFontMetricsF& italic = MetricsOf(Italic(font)).metrics;
        return {italic.horizontalAdvance(NameText(node)), m.digit * 1.05, italic.descent() * 0.6};
    }
    case Kind::Operator:
        if (node.text == "-")
            return {m.sign, m.digit, 0};
        return {
            m.metrics.horizontalAdvance(Unicode(node.text)), m.digit, node.text == "," ? m.metrics.descent() * 0.6 : 0};
    case Kind::Word: return TextExtent(Unicode(node.text), font);
    case Kind::Value: {
        const MathText value(Unicode(node.text));
        if (value.formula || !value.line.empty())
            return value.Measure(font);
        QString text = Unicode(node.text);
        text.replace(QLatin1Char('-'), QChar(0x2212));
        return {m.metrics.horizontalAdvance(text), m.digit, 0};
    }
    case Kind::Row: {
        Extent row{0, 0, 0};
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            const Extent e = MeasureNode(node.children[i], font);
            row.width += Gap(node.children, i, m) + e.width;
            row.ascent = std::max(row.ascent, e.ascent);
            row.descent = std::max(row.descent, e.descent);
        }
        return row;
    }
    case Kind::Fraction: {
        if (node.children.size() < 2)
            return {};
        const Extent top = MeasureNode(node.children[0], font);
        const Extent bottom = MeasureNode(node.children[1], font);
        const double pad = Em(m) * 0.1;
        return {std::max(top.width, bottom.width) + 2 * m.gap + 2 * pad,
            -m.bar.centre + m.stroke / 2 + m.gap + top.descent + top.ascent,
            m.bar.centre + m.stroke / 2 + m.gap + bottom.ascent + bottom.descent};
    }
    case Kind::Root: {
        if (node.children.empty())
            return {};
        const Extent inner = MeasureNode(node.children[0], font);
        return {RootLead(m) + inner.width + 2 * m.stroke, inner.ascent + m.overline + m.stroke / 2, inner.descent};
    }
    case Kind::Power: {
        if (node.children.size() < 2)
            return {};
        const Extent base = MeasureNode(node.children[0], font);
        const QFont small = SmallFont(font);
        const Extent raised = MeasureNode(node.children[1], small);
        const double raise = std::max(base.ascent - MetricsOf(small).digit * 0.6, m.digit * 0.45);
        return {base.width + PowerGap(node, m) + raised.width, std::max(base.ascent, raise + raised.ascent),
            std::max(base.descent, raised.descent - raise)};
    }
    case Kind::Group: {
        if (node.children.empty())
            return {};
        if (const MathNode* grid = DeterminantGrid(node))
            return MeasureNode(*grid, font); // bars in place of the parentheses
        const Extent inner = MeasureNode(node.children[0], font);
        const QString brackets = Unicode(node.text.empty() ? "()" : node.text);
        if (FitsGlyph(inner, m))
            return {m.metrics.horizontalAdvance(brackets.left(1)) + inner.width
                    + m.metrics.horizontalAdvance(brackets.mid(1)),
                std::max(inner.ascent, m.digit * 1.15), std::max(inner.descent, m.metrics.descent() * 0.8)};
        const double pad = m.gap;
        return {2 * DrawnBracketWidth(inner, m) + inner.width, inner.ascent + pad, inner.descent + pad};
    }
    case Kind::Sigma: {
        if (node.children.size() < 3)
            return {};
        const QFont big = Scaled(font, 1.6);
        const QRectF sign = SigmaInk(big);
        const QFont small = SmallFont(font);
        const Extent below = MeasureNode(node.children[0], small);
        const Extent above = MeasureNode(node.children[1], small);
        const Extent body = MeasureNode(node.children[2], font);
        const double half = sign.height() / 2;
        const double axis = -m.bar.centre;
        const double head = std::max({sign.width(), below.width, above.width});
        return {head + Em(m) * 0.12 + body.width,
            std::max(body.ascent, axis + half + m.gap + above.descent + above.ascent),
            std::max(body.descent, half - axis + m.gap + below.ascent + below.descent)};
    }
    case Kind::Matrix:
    case Kind::Table: {
        const Grid grid = LayOutGrid(node, font);
        double width = grid.width;
        double height = grid.height;
        if (node.kind == Kind::Matrix) {
            const Extent inner{grid.width, grid.height / 2, grid.height / 2};
            width += 2 * DrawnBracketWidth(inner, m) + 2 * MatrixPad(m);
            height += 2 * m.gap;
        }
        return {width, height / 2 - m.bar.centre, height / 2 + m.bar.centre};
    }
    }
    return {};
}

namespace {

// A matrix between the brackets given, '(' and ')' or '|' and '|' for a
// determinant, or a table; the painter set up by DrawNode.
void DrawGrid(QPainter& painter, const MathNode& node, QPointF origin, const QFont& font, QChar open, QChar close)
{
    const Metrics& m = MetricsOf(font);
    const double x = origin.x();
    const double y = origin.y();
    const QPen pen = painter.pen();
    const Grid grid = LayOutGrid(node, font);
    const Extent whole = MathText::MeasureNode(node, font);
    const int columns = std::max(1, node.columns);
    const bool matrix = node.kind == Kind::Matrix;
    double left = x;
    const double top = y - whole.ascent;
    const double bottom = y + whole.descent;
    double gridTop = top;
    if (matrix) {
        const Extent inner{grid.width, grid.height / 2, grid.height / 2};
        const double width = DrawnBracketWidth(inner, m);
        QPen bracket = pen;
        bracket.setWidthF(m.stroke * 1.2);
        bracket.setJoinStyle(Qt::RoundJoin);
        bracket.setCapStyle(Qt::RoundCap);
        painter.setPen(bracket);
        DrawBracket(painter, open, x, width, top, bottom);
        DrawBracket(painter, close, x + whole.width - width, width, top, bottom);
        painter.setPen(pen);
        left += width + MatrixPad(m);
        gridTop += m.gap;
    }
    std::vector<double> columnLeft(columns, left);
    for (int c = 1; c < columns; ++c)
        columnLeft[c] = columnLeft[c - 1] + grid.widths[c - 1] + grid.columnGap;
    double rowTop = gridTop;
    for (std::size_t r = 0; r < grid.ascents.size(); ++r) {
        if (!matrix && r + 1 == grid.ascents.size() && r > 0)
            FillSnapped(painter, QRectF(left, rowTop - grid.rowGap / 2 - m.stroke / 2, grid.width, m.stroke), m.stroke);
        const double baseline = rowTop + grid.ascents[r];
        for (int c = 0; c < columns; ++c) {
            const std::size_t i = r * columns + c;
            if (i >= node.children.size())
                break;
            const double free = grid.widths[c] - grid.cells[i].width;
            MathText::DrawNode(painter, node.children[i], {columnLeft[c] + (matrix ? free / 2 : free), baseline}, font);
        }
        rowTop = baseline + grid.descents[r] + grid.rowGap;
    }
    if (node.bar > 0 && node.bar < columns) {
        const double at = columnLeft[node.bar] - grid.columnGap / 2;
        painter.drawLine(QPointF(at, gridTop), QPointF(at, gridTop + grid.height));
    }
}

} // namespace

void MathText::DrawNode(QPainter& painter, const MathNode& node, QPointF origin, const QFont& font)
{
    const Metrics& m = MetricsOf(font);
    const double x = origin.x();
    const double y = origin.y();
    painter.save();
    painter.setFont(font);
    UseStroke(painter, m);
    const QPen pen = painter.pen();
    painter.setRenderHint(QPainter::Antialiasing);
    switch (node.kind) {
    case Kind::Number:
        if (const auto glyphs = NumberGlyphs(m, node.text))
            painter.drawGlyphRun(origin, *glyphs);
        else
            painter.drawText(origin, Unicode(node.text));
        break;
    case Kind::Name:
        painter.setFont(Italic(font));
        painter.drawText(origin, NameText(node));
        break;
    case Kind::Operator:
        if (node.text == "-")
            FillSnapped(painter,
                QRectF(x + m.bar.left, y + m.bar.centre - m.bar.thickness / 2, m.bar.width, m.bar.thickness),
                m.bar.thickness);
        else
            painter.drawText(origin, Unicode(node.text));
        break;
    case Kind::Word: painter.drawText(origin, Unicode(node.text)); break;
    case Kind::Value: {
        const MathText value(Unicode(node.text));
        if (value.formula || !value.line.empty()) {
            value.DrawOnBaseline(painter, origin, font);
        } else {
            QString text = Unicode(node.text);
            text.replace(QLatin1Char('-'), QChar(0x2212));
            painter.drawText(origin, text);
        }
        break;
    }
    case Kind::Row: {
        double at = x;
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            at += Gap(node.children, i, m);
            DrawNode(painter, node.children[i], {at, y}, font);
            at += MeasureNode(node.children[i], font).width;
        }
        break;
    }
    case Kind::Fraction: {
        if (node.children.size() < 2)
            break;
        const Extent whole = MeasureNode(node, font);
        const Extent top = MeasureNode(node.children[0], font);
        const Extent bottom = MeasureNode(node.children[1], font);
        const double pad = Em(m) * 0.1;
        const double axis = y + m.bar.centre;
        const double bar = whole.width - 2 * pad;
        DrawNode(painter, node.children[0],
            {x + pad + (bar - top.width) / 2, axis - m.stroke / 2 - m.gap - top.descent}, font);
        FillSnapped(painter, QRectF(x + pad, axis - m.stroke / 2, bar, m.stroke), m.stroke);
        DrawNode(painter, node.children[1],
            {x + pad + (bar - bottom.width) / 2, axis + m.stroke / 2 + m.gap + bottom.ascent}, font);
        break;
    }
    case Kind::Root: {
        if (node.children.empty())
            break;
        const Extent inner = MeasureNode(node.children[0], font);
        const double lead = RootLead(m);
        const double top = y - inner.ascent - m.overline + m.stroke / 2;
        const double low = y + inner.descent;
        QPainterPath sign;
        sign.moveTo(x, low - m.digit * 0.42);
        sign.lineTo(x + lead * 0.22, low - m.digit * 0.52);
        sign.lineTo(x + lead * 0.5, low);
        sign.lineTo(x + lead, top);
        sign.lineTo(x + lead + inner.width + m.stroke, top);
        painter.drawPath(sign);
        DrawNode(painter, node.children[0], {x + lead + m.stroke / 2, y}, font);
        break;
    }
    case Kind::Power: {
        if (node.children.size() < 2)
            break;
        const Extent base = MeasureNode(node.children[0], font);
        const QFont small = SmallFont(font);
        const double raise = std::max(base.ascent - MetricsOf(small).digit * 0.6, m.digit * 0.45);
        DrawNode(painter, node.children[0], origin, font);
        DrawNode(painter, node.children[1], {x + base.width + PowerGap(node, m), y - raise}, small);
        break;
    }
    case Kind::Group: {
        if (node.children.empty())
            break;
        if (const MathNode* grid = DeterminantGrid(node)) {
            DrawGrid(painter, *grid, origin, font, QLatin1Char('|'), QLatin1Char('|'));
            break;
        }
        const Extent inner = MeasureNode(node.children[0], font);
        const QString brackets = Unicode(node.text.empty() ? "()" : node.text);
        if (FitsGlyph(inner, m)) {
            painter.drawText(origin, brackets.left(1));
            const double open = m.metrics.horizontalAdvance(brackets.left(1));
            DrawNode(painter, node.children[0], {x + open, y}, font);
            painter.drawText(QPointF(x + open + inner.width, y), brackets.mid(1));
        } else {
            const double width = DrawnBracketWidth(inner, m);
            const double top = y - inner.ascent - m.gap;
            const double bottom = y + inner.descent + m.gap;
            QPen bracket = pen;
            bracket.setWidthF(m.stroke * 1.2);
            bracket.setJoinStyle(Qt::RoundJoin);
            bracket.setCapStyle(Qt::RoundCap);
            painter.setPen(bracket);
            DrawBracket(painter, brackets.isEmpty() ? QLatin1Char('(') : brackets[0], x, width, top, bottom);
            DrawBracket(painter, brackets.size() > 1 ? brackets[1] : QLatin1Char(')'), x + width + inner.width, width,
                top, bottom);
            painter.setPen(pen);
            DrawNode(painter, node.children[0], {x + width, y}, font);
        }
        break;
    }
    case Kind::Sigma: {
        if (node.children.size() < 3)
            break;
        const QFont big = Scaled(font, 1.6);
        const QRectF sign = SigmaInk(big);
        const QFont small = SmallFont(font);
        const Extent below = MeasureNode(node.children[0], small);
        const Extent above = MeasureNode(node.children[1], small);
        const double head = std::max({sign.width(), below.width, above.width});
        const double axis = y + m.bar.centre;
        const double signTop = axis - sign.height() / 2;
        painter.setFont(big);
        painter.drawText(
            QPointF(x + (head - sign.width()) / 2 - sign.left(), signTop - sign.top()), QStringLiteral("Σ"));
        DrawNode(painter, node.children[1], {x + (head - above.width) / 2, signTop - m.gap - above.descent}, small);
        DrawNode(painter, node.children[0],
            {x + (head - below.width) / 2, signTop + sign.height() + m.gap + below.ascent}, small);
        DrawNode(painter, node.children[2], {x + head + Em(m) * 0.12, y}, font);
        break;
    }
    case Kind::Matrix:
    case Kind::Table: {
        DrawGrid(painter, node, origin, font, QLatin1Char('('), QLatin1Char(')'));
        break;
    }
    }
    painter.restore();
}

// The worked steps, line by line.

namespace {

// What a line may start with when it breaks.
enum class Break {
    None,
    Equals, // a top-level "=": the next line starts with it, under the first one
    Sum, // a top-level "+" or "-" between terms
    Words, // words after the formula
};

struct Item {
    const MathNode* node = nullptr;
    QString text;
    QFont font;
    Extent extent;
    double gap = 0; // room before it, unless it starts a line
    Break brk = Break::None;
};

// One step's own line, before it is placed.
struct Entry {
    int step = 0; // the top-level step it belongs to
    int depth = 0;
    std::string rule;
    bool caption = false;
    std::vector<Item> items;
    int equals = -1; // the first top-level "=", if any
};

Item TextItem(const QString& text, const QFont& font, double gap, Break brk)
{
    Item item;
    item.text = text;
    item.font = font;
    item.extent = TextExtent(text, font);
    item.gap = gap;
    item.brk = brk;
    return item;
}

// The remark in pieces that may each start a line: Japanese breaks after
// its commas.
void AddWords(std::vector<Item>& items, const QString& words, const QFont& font, double gap)
{
    QString piece;
    for (const QChar c : words) {
        piece += c;
        if (c == QChar(0x3001) || c == QChar(0x3002) || c == QLatin1Char(' ')) {
            items.push_back(TextItem(piece, font, items.empty() ? 0 : gap, Break::Words));
            piece.clear();
            gap = 0;
        }
    }
    if (!piece.isEmpty())
        items.push_back(TextItem(piece, font, items.empty() ? 0 : gap, Break::Words));
}

Entry MakeEntry(const Step& step, int index, int depth, const QFont& font)
{
    const Metrics& m = MetricsOf(font);
    const double space = Em(m) * 0.4;
    Entry entry;
    entry.step = index;
    entry.depth = depth;
    entry.rule = step.rule;
    if (!step.caption.empty()) {
        entry.caption = true;
        AddWords(entry.items, Unicode(step.caption), font, 0);
        for (Item& item : entry.items)
            item.brk = Break::None;
    }
    const MathNode& math = step.math;
    if (math.kind == Kind::Row) {
        for (std::size_t i = 0; i < math.children.size(); ++i) {
            const MathNode& child = math.children[i];
            Item item;
            item.node = &child;
            item.font = font;
            item.extent = MathText::MeasureNode(child, font);
            item.gap = i == 0 ? (entry.items.empty() ? 0 : space) : Gap(math.children, i, m);
            if (i > 0 && IsRelation(child))
                item.brk = Break::Equals;
            else if (i > 0 && (IsOperator(child, "+") || IsOperator(child, "-")) && !IsUnary(math.children, i))
                item.brk = Break::Sum;
            if (entry.equals < 0 && IsOperator(child, "="))
                entry.equals = int(entry.items.size());
            entry.items.push_back(item);
        }
    } else {
        Item item;
        item.node = &math;
        item.font = font;
        item.extent = MathText::MeasureNode(math, font);
        item.gap = entry.items.empty() ? 0 : space;
        entry.items.push_back(item);
    }
    if (!step.remark.empty()) {
        // Japanese brackets and punctuation sit against what they follow.
        const QString remark = Unicode(step.remark);
        const bool against = !remark.isEmpty() && QStringLiteral("（、。）").contains(remark.front());
        AddWords(entry.items, remark, font, entry.items.empty() || against ? 0 : space);
    }
    return entry;
}

void AddEntries(std::vector<Entry>& entries, const Step& step, int index, int depth, const QFont& font)
{
    entries.push_back(MakeEntry(step, index, depth, font));
    for (const Step& sub : step.substeps)
        AddEntries(entries, sub, index, depth + 1, font);
}

// The smallest type a formula is drawn in.
void FindSmallest(const MathNode& node, const QFont& font, double& smallest)
{
    if (node.kind == Kind::Row && node.children.empty())
        return;
    smallest = std::min(smallest, QFontInfo(font).pointSizeF());
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        const bool small = (node.kind == Kind::Power && i == 1) || (node.kind == Kind::Sigma && i < 2);
        FindSmallest(node.children[i], small ? MathText::SmallFont(font) : font, smallest);
    }
}

void FindSmallest(const Step& step, const QFont& font, double& smallest)
{
    FindSmallest(step.math, font, smallest);
    for (const Step& sub : step.substeps)
        FindSmallest(sub, font, smallest);
}

// The x of each item laid out on one line from x, with no break.
std::vector<double> Positions(const Entry& entry, double x)
{
    std::vector<double> at;
    for (std::size_t i = 0; i < entry.items.size(); ++i) {
        x += i == 0 ? 0 : entry.items[i].gap;
        at.push_back(x);
        x += entry.items[i].extent.width;
    }
    return at;
}

} // namespace

QString StepsLayout::NoStepsText()
{
    return QStringLiteral("途中式を表示できません");
}

StepsLayout::StepsLayout(const WorkedSteps& worked, const QFont& font, double width)
    : steps(std::make_shared<const WorkedSteps>(worked))
    , font(font)
    , room(width)
{
    const Metrics& m = MetricsOf(font);
    const double em = Em(m);
    const double limit = width > 0 ? width : std::numeric_limits<double>::infinity();
    smallest = QFontInfo(font).pointSizeF();

    std::vector<Entry> entries;
    for (std::size_t i = 0; i < steps->steps.size(); ++i) {
        AddEntries(entries, steps->steps[i], int(i), 0, font);
        FindSmallest(steps->steps[i], font, smallest);
    }
    if (entries.empty()) {
        Entry entry;
        entry.step = -1;
        entry.items.push_back(TextItem(NoStepsText(), font, 0, Break::None));
        entries.push_back(entry);
    }

    // Where each entry starts: its indent, and for a run of equation chains
    // without captions, as far right as makes their first "=" line up.
    std::vector<double> start(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        start[i] = entries[i].depth * em * 1.5;
    // A run is the same rule applied again and again (the divisions of the
    // Euclidean algorithm), each an equation chain with no caption.
    const auto aligns = [](const Entry& e) {
        return !e.caption && e.equals > 0 && e.rule != StepRule::kProblem && e.rule != StepRule::kAnswer;
    };
    for (std::size_t i = 0; i < entries.size();) {
        std::size_t end = i;
        while (end < entries.size() && aligns(entries[end]) && entries[end].depth == entries[i].depth
            && entries[end].rule == entries[i].rule)
            ++end;
        if (end - i >= 2) {
            double lowest = std::numeric_limits<double>::infinity(), highest = 0;
            for (std::size_t k = i; k < end; ++k) {
                const double at = start[k] + Positions(entries[k], 0)[entries[k].equals];
                lowest = std::min(lowest, at);
                highest = std::max(highest, at);
            }
            // Aligned only while no chain is pushed far to the right.
            if (highest - lowest <= std::min(limit * 0.4, em * 12)) {
                for (std::size_t k = i; k < end; ++k)
                    start[k] += highest - (start[k] + Positions(entries[k], 0)[entries[k].equals]);
            }
        }
        i = std::max(end, i + 1);
    }

    double top = 0;
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const Entry& entry = entries[e];
        const std::vector<double> natural = Positions(entry, start[e]);
        const double indent = entry.depth * em * 1.5;
        const double equalsX = entry.equals >= 0 ? natural[entry.equals] : -1;
        const double afterEquals
            = entry.equals >= 0 && std::size_t(entry.equals + 1) < entry.items.size() ? natural[entry.equals + 1] : -1;
        if (e > 0)
            top += entries[e - 1].step == entry.step && entry.depth > 0 ? m.digit * 0.7 : m.digit * 1.1;

        std::size_t i = 0;
        double x0 = start[e];
        bool firstLine = true;
        while (i < entry.items.size()) {
            // The items that fit from i on.
            std::size_t j = i + 1;
            double x = x0 + entry.items[i].extent.width;
            while (j < entry.items.size() && x + entry.items[j].gap + entry.items[j].extent.width <= limit) {
                x += entry.items[j].gap + entry.items[j].extent.width;
                ++j;
            }
            std::size_t next = entry.items.size();
            if (j < entry.items.size()) {
                // Before the last "=" (or words) that fits, else before the
                // last "+" or "-", else at the first break past the edge.
                std::size_t best = 0, sum = 0;
                for (std::size_t k = i + 1; k <= j; ++k) {
                    if (entry.items[k].brk == Break::Equals || entry.items[k].brk == Break::Words)
                        best = k;
                    else if (entry.items[k].brk == Break::Sum)
                        sum = k;
                }
                next = best ? best : sum;
                if (!next) {
                    next = entry.items.size();
                    for (std::size_t k = j + 1; k < entry.items.size(); ++k) {
                        if (entry.items[k].brk != Break::None) {
                            next = k;
                            break;
                        }
                    }
                }
            }
            // The line [i, next).
            Line line;
            line.step = entry.step;
            line.left = x0;
            double ascent = m.digit, descent = 0;
            std::vector<Placed> pieces;
            double at = x0;
            for (std::size_t k = i; k < next; ++k) {
                if (k > i)
                    at += entry.items[k].gap;
                const Item& item = entry.items[k];
                pieces.push_back({item.node, item.text, item.font, at});
                at += item.extent.width;
                ascent = std::max(ascent, item.extent.ascent);
                descent = std::max(descent, item.extent.descent);
            }
            line.right = at;
            if (!firstLine)
                top += m.digit * 0.5;
            line.top = top;
            line.height = ascent + descent;
            top += line.height;
            lines.push_back(line);
            placed.push_back(std::move(pieces));
            baselines.push_back(ascent);
            firstLine = false;

            // Where the next line starts.
            if (next < entry.items.size()) {
                const Break brk = entry.items[next].brk;
                const double wrap = indent + em * 2;
                double rest = 0;
                for (std::size_t k = next; k < entry.items.size(); ++k)
                    rest += (k > next ? entry.items[k].gap : 0) + entry.items[k].extent.width;
                x0 = wrap;
                if (brk == Break::Equals && equalsX >= 0)
                    x0 = equalsX;
                else if (brk == Break::Sum && afterEquals >= 0)
                    x0 = afterEquals;
                else if (brk == Break::Words)
                    x0 = indent + em;
                // A continuation that would fit further left rather than
                // stand past the edge starts there.
                if (x0 + std::min(rest, entry.items[next].extent.width) > limit)
                    x0 = std::min(x0, wrap);
            }
            i = next;
        }
    }
}

QSizeF StepsLayout::Size() const
{
    double width = 0, height = 0;
    for (const Line& line : lines) {
        width = std::max(width, line.right);
        height = std::max(height, line.top + line.height);
    }
    return {std::ceil(width), std::ceil(height)};
}

void StepsLayout::Draw(QPainter& painter, QPointF origin, int first, int end) const
{
    if (end < 0 || end > int(lines.size()))
        end = int(lines.size());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int l = std::max(0, first); l < end; ++l) {
        const double baseline = origin.y() + lines[l].top + baselines[l];
        for (const Placed& piece : placed[l]) {
            const QPointF at(origin.x() + piece.x, baseline);
            if (piece.node) {
                MathText::DrawNode(painter, *piece.node, at, piece.font);
            } else {
                painter.setFont(piece.font);
                painter.drawText(at, piece.text);
            }
        }
    }
    painter.restore();
}
