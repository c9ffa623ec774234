// SPDX-License-Identifier: MIT
#include "result_label.h"

#include "accessibility.h"
#include "conversions.h"
#include "math_text.h"
#include "type_size.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// A result: its name says what it is ("解1 の実部"), its text and description
// what it holds. The text is what a screen reader reads when it reads the
// label, and what it can be asked for.
class Result : public AccessibleText {
public:
    explicit Result(ResultLabel* label)
        : AccessibleText(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        switch (kind) {
        case QAccessible::Description: return Value().isEmpty() ? QString::fromUtf8(kEmptyResult) : Value();
        case QAccessible::Value: return Value();
        default: return QAccessibleWidget::text(kind);
        }
    }

    // The text interface: the value, read-only; its selection is the label's.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && Label()->hasSelectedText()) {
            *start = Label()->selectionStart();
            *end = *start + static_cast<int>(Label()->selectedText().size());
        }
    }
    int selectionCount() const override { return Label()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { Label()->setSelection(0, 0); }
    void setSelection(int, int start, int end) override { Label()->setSelection(start, end - start); }

protected:
    QString Value() const override { return Label()->text(); }

private:
    ResultLabel* Label() const { return static_cast<ResultLabel*>(widget()); }
};

QAccessibleInterface* ResultFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("ResultLabel"))
        return new Result(static_cast<ResultLabel*>(object));
    return nullptr;
}

const QString kTimesTen = QStringLiteral("×10");

// The parts of a number as FormatFixed and FormatGeneral write it, in the
// exact view perhaps after "≈".
const QRegularExpression kNumber(QStringLiteral("^(?:≈)?([-+]?)(\\d*)(?:\\.(\\d*))?(?:[Ee]([-+]?\\d+))?$"));

// What stands before an approximate result's number.
QString Prefix(const QString& text)
{
    return text.startsWith(QChar(0x2248)) ? QString(QChar(0x2248)) : QString();
}

QString Superscript(int exponent)
{
    static const QString digits = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString raised = exponent < 0 ? QStringLiteral("⁻") : QString();
    for (QChar digit : QString::number(std::abs(exponent)))
        raised += digits[digit.digitValue()];
    return raised;
}

// Decimals shown after the point of a number in fixed form; for a number in
// exponent form or without a point, all its significant digits but the first.
int ShownDecimals(const QRegularExpressionMatch& parts)
{
    if (parts.capturedLength(4) == 0 && parts.capturedLength(3) > 0)
        return int(parts.capturedLength(3));
    QString digits = parts.captured(2) + parts.captured(3);
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    while (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return std::max(0, int(digits.size()) - 1);
}

} // namespace

std::optional<ExponentForm> ToExponentForm(const QString& number, int decimals)
{
    const QRegularExpressionMatch parts = kNumber.match(number);
    if (!parts.hasMatch() || parts.capturedLength(2) + parts.capturedLength(3) == 0)
        return std::nullopt;
    const QString digits = parts.captured(2) + parts.captured(3);
    const qsizetype first = digits.indexOf(QRegularExpression(QStringLiteral("[1-9]")));
    if (first < 0)
        return std::nullopt;
    bool exponentRead = true;
    const int written = parts.capturedLength(4) ? parts.captured(4).toInt(&exponentRead) : 0;
    if (!exponentRead)
        return std::nullopt;
    int exponent = int(parts.capturedLength(2) - first - 1) + written;

    // Keep decimals + 1 significant digits, rounding half up on the digits
    // themselves so that no binary rounding creeps in.
    QString kept = digits.mid(first, decimals + 1).leftJustified(decimals + 1, QLatin1Char('0'));
    if (first + decimals + 1 < digits.size() && digits[first + decimals + 1] >= QLatin1Char('5')) {
        qsizetype i = kept.size() - 1;
        for (; i >= 0 && kept[i] == QLatin1Char('9'); --i)
            kept[i] = QLatin1Char('0');
        if (i >= 0)
            kept[i] = QChar(kept[i].unicode() + 1);
        else {
            kept = QLatin1Char('1') + kept.left(decimals);
            ++exponent;
        }
    }
    QString mantissa = parts.captured(1) == QLatin1String("-") ? QStringLiteral("-") : QString();
    mantissa += kept.left(1);
    if (decimals > 0)
        mantissa += QLatin1Char('.') + kept.mid(1);
    return ExponentForm{mantissa, exponent};
}

ResultLabel::ResultLabel(QWidget* parent)
    : QLabel(parent)
{
    InstallAccessibility();
    static const bool installed = [] {
        QAccessible::installFactory(&ResultFactory);
        return true;
    }();
    (void)installed;
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void ResultLabel::SetValue(const QString& value)
{
    decimal = value;
    exact.clear();
    exactSource = {};
    exactKnown = false;
    Display(decimal);
}

void ResultLabel::SetExact(const QString& exactText, const ExactText& source)
{
    exactSource = source;
    exact = exactText;
    // Without an exact text the exact view shows the true value rounded like
    // the decimals, where the decimal calculation's own rounding moved them.
    if (!source && exactText.startsWith(QChar(0x2248)))
        exact = QString(QChar(0x2248)) + TrueDecimal();
    exactKnown = true;
    if (exactView)
        Display(exact);
}

void ResultLabel::SetExactView(bool on)
{
    exactView = on;
    UpdateHeight();
    Display(on && HasExact() ? exact : decimal);
}

void ResultLabel::SetSignApart(bool apart)
{
    signApart = apart;
    UpdateSign();
    update();
}

void ResultLabel::SetRoomForFractions(bool room)
{
    roomForFractions = room;
    UpdateHeight();
}

void ResultLabel::UpdateHeight()
{
    if (!roomForFractions)
        return;
    if (decimalMinimumHeight < 0) {
        decimalMinimumHeight = minimumHeight();
        decimalMaximumHeight = maximumHeight();
    }
    // Room for any fraction's two lines of digits, a pixel clear of the
    // cell's edges, and a pixel more above and below so that the fractions
    // of neighbouring rows never touch.
    const QMargins margins = contentsMargins();
    const int stacked
        = int(std::ceil(MathText(QStringLiteral("1/2")).Size(font()).height())) + margins.top() + margins.bottom() + 4;
    const int tall = std::max(decimalMinimumHeight, stacked);
    setMinimumHeight(exactView ? tall : decimalMinimumHeight);
    setMaximumHeight(exactView ? std::max(tall, decimalMaximumHeight) : decimalMaximumHeight);
}

void ResultLabel::Display(const QString& shown)
{
    const QString old = text();
    if (shown == old) {
        UpdateSign();
        return;
    }
    setText(shown);
    UpdateSign();
    emit Displayed(shown);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent update(this, 0, old, shown);
        QAccessible::updateAccessibility(&update);
        QAccessibleEvent description(this, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&description);
    }
}

void ResultLabel::UpdateSign()
{
    const QString shown = text();
    const bool minus
        = signApart && ExactShown() && (shown.startsWith(QLatin1Char('-')) || shown.startsWith(QStringLiteral("≈-")));
    if (minus == minusApart)
        return;
    minusApart = minus;
    emit SignApartChanged(minus);
}

QString ResultLabel::Drawn() const
{
    QString shown = text();
    if (minusApart)
        shown.remove(shown.startsWith(QLatin1Char('-')) ? 0 : 1, 1);
    return shown;
}

QString ResultLabel::TrueDecimal() const
{
    static const QRegularExpression fixed(QStringLiteral("^-?\\d+(?:\\.(\\d+))?$"));
    const QRegularExpressionMatch parts = fixed.match(decimal);
    if (!parts.hasMatch() || !std::isfinite(exactSource.value_as_double))
        return decimal;
    const int decimals = int(parts.capturedLength(1));
    const std::string pattern = decimals > 0 ? "0." + std::string(decimals, '0') : "0";
    return QString::fromStdString(FormatFixed(exactSource.value_as_double, pattern));
}

QRect ResultLabel::MathArea() const
{
    // A pixel clear of the cell's edges, so that a fraction's bar never
    // touches what stands beside the cell (a parenthesis, the next cell).
    return contentsRect().adjusted(1, 1, -1, -1);
}

bool ResultLabel::PlainFits(const QString& text) const
{
    return fontMetrics().horizontalAdvance(text) <= contentsRect().width();
}

QFont ResultLabel::ExponentFont() const
{
    QFont raised = font();
    raised.setPointSizeF(std::max(kSmallestPointSize, font().pointSizeF() * 0.75));
    return raised;
}

int ResultLabel::Width(const QString& prefix, const ExponentForm& form) const
{
    return fontMetrics().horizontalAdvance(prefix + form.mantissa + kTimesTen)
        + QFontMetrics(ExponentFont()).horizontalAdvance(QString::number(form.exponent)) + 1;
}

std::optional<ExponentForm> ResultLabel::ShortForm(const QString& number, const QString& prefix, int decimals) const
{
    std::optional<ExponentForm> form;
    for (; decimals >= 0; --decimals) {
        form = ToExponentForm(number, decimals);
        if (!form || Width(prefix, *form) <= contentsRect().width())
            break;
    }
    return form;
}

ResultLabel::Plan ResultLabel::Approximate(const QString& number) const
{
    const QString approx(QChar(0x2248));
    QString value = number.startsWith(approx) ? number.mid(1) : number;
    if (minusApart && value.startsWith(QLatin1Char('-')))
        value.remove(0, 1);
    if (PlainFits(approx + value))
        return Plan::Of(Plan::Plain, approx + value, false);
    const QRegularExpressionMatch parts = kNumber.match(value);
    if (!parts.hasMatch())
        return Plan::Of(Plan::Plain, approx + value, false);
    // As many decimals as the decimal text has, fewer where they do not fit.
    const QRegularExpressionMatch shown = kNumber.match(decimal);
    const int decimals
        = shown.hasMatch() && shown.capturedLength(4) == 0 ? int(shown.capturedLength(3)) : ShownDecimals(parts);
    const std::optional<ExponentForm> form = ShortForm(value, approx, decimals);
    if (!form)
        return Plan::Of(Plan::Plain, approx + value, false);
    return Plan::Of(Plan::Exponent, approx, false, 0, form);
}

ResultLabel::Plan ResultLabel::MakePlan() const
{
    const QString shown = Drawn();
    if (ExactShown()) {
        if (const MathText math(shown); math.IsFormula()) {
            if (const auto form = math.FormFor(MathArea().size(), font()))
                return Plan::Of(Plan::Math, shown, true, int(*form));
            return Approximate(TrueDecimal());
        }
        // A number too wide is no longer drawn exactly: it says so with "≈".
        if (!PlainFits(shown) && kNumber.match(shown).hasMatch())
            return Approximate(shown);
        return Plan::Of(Plan::Plain, shown, PlainFits(shown));
    }
    if (PlainFits(shown))
        return Plan::Of(Plan::Plain, shown, true);
    const QRegularExpressionMatch parts = kNumber.match(shown);
    if (!parts.hasMatch())
        return Plan::Of(Plan::Plain, shown, false);
    const std::optional<ExponentForm> form = ShortForm(shown, Prefix(shown), ShownDecimals(parts));
    if (!form)
        return Plan::Of(Plan::Plain, shown, false);
    return Plan::Of(Plan::Exponent, Prefix(shown), false, 0, form);
}

bool ResultLabel::Fits() const
{
    return MakePlan().whole;
}

QString ResultLabel::Shown() const
{
    const Plan plan = MakePlan();
    if (plan.kind != Plan::Exponent)
        return plan.text;
    return plan.text + plan.exponent->mantissa + kTimesTen + Superscript(plan.exponent->exponent);
}

QString ResultLabel::Reasons() const
{
    if (!ExactShown())
        return {};
    QStringList reasons;
    if (Shown().startsWith(QChar(0x2248))) {
        if (exactSource)
            reasons << QStringLiteral("欄に入りきらないため、およその値を表示しています");
        else if (text().startsWith(QChar(0x2248))) {
            switch (exactSource.gap()) {
            case ExactGap::NoForm: reasons << QStringLiteral("分数や平方根を使った形では表せません"); break;
            case ExactGap::TooLong:
                reasons << QStringLiteral("分数や平方根を使うと24文字より長くなるため、およその値を表示しています");
                break;
            case ExactGap::Stopped: reasons << QStringLiteral("計算が大きくなりすぎるため、途中でやめました"); break;
            case ExactGap::NotFound: reasons << QStringLiteral("正確な値は求められませんでした"); break;
            }
        } else {
            reasons << QStringLiteral("欄に入りきらないため、およその値を表示しています");
        }
    }
    if (std::isfinite(exactSource.value_as_double) && TrueDecimal() != decimal)
        reasons << (exactSource.drift == DecimalDrift::Pi
                ? QStringLiteral("小数の表示は円周率を 3.1415926535 として計算しています")
                : QStringLiteral("小数の表示は、小数で計算したときの誤差を含んでいます"));
    return reasons.join(QLatin1Char('\n'));
}

bool ResultLabel::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QStringList lines;
        if (!Fits())
            lines << text();
        if (const QString reasons = Reasons(); !reasons.isEmpty())
            lines << reasons;
        if (lines.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), lines.join(QLatin1Char('\n')), this);
        return true;
    }
    return QLabel::event(event);
}

void ResultLabel::paintEvent(QPaintEvent* event)
{
    const Plan plan = MakePlan();
    if (plan.kind == Plan::Plain && plan.text == text()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Active, foregroundRole()));
    if (plan.kind == Plan::Math) {
        MathText(plan.text).Draw(painter, MathArea(), font(), alignment(), MathText::Form(plan.form));
        return;
    }
    if (plan.kind == Plan::Plain) {
        style()->drawItemText(
            &painter, contentsRect(), int(alignment()), palette(), isEnabled(), plan.text, foregroundRole());
        return;
    }
    // "mantissa×10" on the line, the exponent raised in smaller type, the
    // whole placed as the label places its text.
    const ExponentForm& form = *plan.exponent;
    const QString base = plan.text + form.mantissa + kTimesTen;
    const QString exponent = QString::number(form.exponent);
    const QFont raisedFont = ExponentFont();
    const QSize size(Width(plan.text, form), fontMetrics().height());
    const QRect area = QStyle::alignedRect(layoutDirection(), alignment(), size, contentsRect());
    // On the baseline a whole number beside it would have; the exponent's
    // digits rise by about half a digit's height, never above the label.
    const int baseline = area.top() + fontMetrics().ascent();
    const int headroom = baseline - contentsRect().top() - QFontMetrics(raisedFont).capHeight() - 1;
    const int raise = std::clamp(int(fontMetrics().capHeight() * 0.45), 0, std::max(0, headroom));

    painter.drawText(area.left(), baseline, base);
    painter.setFont(raisedFont);
    painter.drawText(area.left() + fontMetrics().horizontalAdvance(base), baseline - raise, exponent);
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event)
{
    if (text().isEmpty())
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("コピー"), this,
        // A selection made in a shortened result covers characters nobody
        // saw: the whole result is copied then.
        [this] { QGuiApplication::clipboard()->setText(hasSelectedText() && Fits() ? selectedText() : text()); });
    // A window that gathers its results (a calculator) offers to copy them
    // all; the label asks it by name and knows nothing more of it.
    QWidget* screen = window();
    if (screen->metaObject()->indexOfMethod(kCopyResultsMethod) >= 0)
        menu.addAction(QStringLiteral("結果をすべてコピー"), screen,
            [screen] { QMetaObject::invokeMethod(screen, "CopyResults"); });
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
