// SPDX-License-Identifier: MIT
#include "equation_screen.h"

#include "conversions.h"
#include "exact_library.h"
#include "math_text.h"
#include "result_label.h"
#include "widgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <string>

namespace {

// Room for a coefficient such as "-12.5" in each box, and for a root such as
// "-123456.789" in each result label.
constexpr int kBoxDigits = 6;
constexpr int kResultDigits = 11;

// A caption like "i ) x + (" drawn with a gap after its x, in which a small
// exponent label sits raised, so that the line reads "x² + (". The caption
// stays one label with its whole text; the exponent is a label of its own.
class PoweredText final : public QLabel {
public:
    PoweredText(QWidget* parent, const EquationItem& item)
        : QLabel(item.caption, parent)
    {
        setObjectName(item.name);
        power = MakeExponent(this, item.exponentName, item.exponent);
        const int x = item.caption.indexOf(QLatin1Char('x'));
        head = item.caption.left(x + 1);
        tail = item.caption.mid(x + 1);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    }

    QSize sizeHint() const override
    {
        const QFontMetrics metrics = fontMetrics();
        return {metrics.horizontalAdvance(head) + Gap() + metrics.horizontalAdvance(tail) + 1,
            metrics.height() + 2 * Raise()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        const int baseline = Baseline();
        painter.drawText(0, baseline, head);
        painter.drawText(fontMetrics().horizontalAdvance(head) + Gap(), baseline, tail);
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        // The exponent's baseline sits about an x-height above the line's.
        const int top = Baseline() - fontMetrics().xHeight() - power->fontMetrics().ascent();
        power->setGeometry(
            fontMetrics().horizontalAdvance(head) + 1, top, power->sizeHint().width(), power->fontMetrics().height());
    }

private:
    int Gap() const { return power->sizeHint().width() + 2; }
    // Room above the text for the exponent, mirrored below so that the text
    // stays level with its neighbours in the line.
    int Raise() const
    {
        return std::max(0, fontMetrics().xHeight() + power->fontMetrics().ascent() - fontMetrics().ascent()) + 1;
    }
    int Baseline() const { return (height() - fontMetrics().height()) / 2 + fontMetrics().ascent(); }

    QLabel* power;
    QString head;
    QString tail;
};

// The sign between a root's real and imaginary parts: "+", or in the exact
// view "−" where the imaginary part is negative and its label leaves its
// minus to this one ("− √3/2 i"). The minus is drawn as long and as thick
// as the bar of "+", and the label keeps the width of "+", so that the
// row does not move when the sign changes.
class SignText final : public QLabel {
public:
    SignText(QWidget* parent, const char* name)
        : QLabel(QStringLiteral("+"), parent)
    {
        setObjectName(QLatin1String(name));
    }

    void ShowMinus(bool minus)
    {
        if (minus && text() == QLatin1String("+"))
            plus = QLabel::sizeHint();
        setText(minus ? QStringLiteral("−") : QStringLiteral("+"));
    }

    QSize sizeHint() const override { return IsMinus() ? plus : QLabel::sizeHint(); }
    QSize minimumSizeHint() const override { return IsMinus() ? plus : QLabel::minimumSizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (!IsMinus()) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        MathText(QStringLiteral("-")).Draw(painter, contentsRect(), font(), alignment(), MathText::Form::Line);
    }

private:
    bool IsMinus() const { return text() == QStringLiteral("−"); }
    QSize plus;
};

// What a coefficient box is for, read out by a screen reader: "x³ の係数",
// "定数項".
QString TermName(int power)
{
    static const QString powers[]
        = {QString(), QString(), QStringLiteral("²"), QStringLiteral("³"), QStringLiteral("⁴")};
    if (power == 0)
        return QStringLiteral("定数項");
    return QStringLiteral("x%1 の係数").arg(powers[power]);
}

} // namespace

EquationScreen::EquationScreen(const EquationForm& form, int degree)
    : CalculatorScreen(form.caption, {"Command1", "Command2", "Command3"})
{
    CreateControls(form, degree);
    LayOut(form);
    SetKeyboardOrder(form.realPartsFirst);
    cmdBack->setFocus();
}

// The two boxes of each coefficient and the two labels of each root; they keep
// a fixed width, so that the window keeps its size whatever the numbers (a
// longer result is drawn smaller or shortened, and shown whole in its tool
// tip).
void EquationScreen::CreateControls(const EquationForm& form, int degree)
{
    Q_ASSERT(form.rows.size() == static_cast<std::size_t>(degree));
    for (int i = 0; i <= degree; ++i) {
        const QString term = TermName(degree - i);
        txtRe.push_back(MakeBox(this, Indexed(form.realBox, i), term + QStringLiteral("の実部"), kBoxDigits));
        txtIm.push_back(MakeBox(this, Indexed(form.imaginaryBox, i), term + QStringLiteral("の虚部"), kBoxDigits));
        FixWidth(txtRe.back());
        FixWidth(txtIm.back());
    }
    for (int k = 0; k < degree; ++k) {
        const QString number = QString::number(k + 1);
        lblRe.push_back(
            MakeResult(this, Indexed(form.realResult, k), QStringLiteral("解%1 の実部").arg(number), kResultDigits));
        lblIm.push_back(MakeResult(
            this, Indexed(form.imaginaryResult, k), QStringLiteral("解%1 の虚部").arg(number), kResultDigits));
        FixWidth(lblRe.back());
        FixWidth(lblIm.back());
        // In the exact view the rows grow to hold stacked fractions at the
        // size of the decimals.
        for (QLabel* label : {lblRe.back(), lblIm.back()})
            if (auto* result = qobject_cast<ResultLabel*>(label))
                result->SetRoomForFractions(true);
    }
}

void EquationScreen::LayOut(const EquationForm& form)
{
    auto* body = new QVBoxLayout;
    body->setSpacing(6);
    body->addWidget(MakeText(this, QLatin1String(form.instruction.first), QString::fromUtf8(form.instruction.second)),
        0, Qt::AlignHCenter);
    body->addWidget(
        MakeText(this, QLatin1String(form.note.first), QString::fromUtf8(form.note.second)), 0, Qt::AlignHCenter);
    body->addSpacing(10);

    // The second line starts under an item of the first, as it would be
    // written by hand: the first line's items keep their natural widths, so
    // that item's left edge is the sum of the widths before it.
    QHBoxLayout* first = BuildLine(form.firstLine);
    QHBoxLayout* second = BuildLine(form.secondLine);
    int indent = 0;
    for (int i = 0; i < form.secondLineUnder; ++i)
        indent += first->itemAt(i)->sizeHint().width() + first->spacing();
    second->insertSpacing(0, indent);
    body->addLayout(first);
    body->addLayout(second);
    if (form.steps && !form.headingAbove)
        PlaceSteps(first, second);
    body->addSpacing(10);

    // The roots, one per line: real part "+" imaginary part "i".
    auto* results = new QGridLayout;
    results->setHorizontalSpacing(6);
    results->setVerticalSpacing(4);
    const int top = form.headingAbove ? 1 : 0;
    QLabel* heading = MakeText(this, QLatin1String(form.heading.first), QString::fromUtf8(form.heading.second));
    results->addWidget(heading, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    for (int k = 0; k < static_cast<int>(form.rows.size()); ++k) {
        const ResultRow& row = form.rows[k];
        results->addWidget(lblRe[k], top + k, 1);
        auto* sign = new SignText(this, row.plusName);
        if (auto* imaginary = qobject_cast<ResultLabel*>(lblIm[k])) {
            imaginary->SetSignApart(true);
            connect(imaginary, &ResultLabel::SignApartChanged, sign, &SignText::ShowMinus);
        }
        results->addWidget(sign, top + k, 2);
        results->addWidget(lblIm[k], top + k, 3);
        int column = 4;
        for (const auto& [name, caption] : row.closing)
            results->addWidget(MakeText(this, QLatin1String(name), QString::fromUtf8(caption)), top + k, column++);
    }
    // The switch to exact forms at the right of the last two roots, in the
    // room their lines leave, so that no line grows.
    const int end = results->columnCount();
    results->addWidget(
        MakeExactSwitch(), top + static_cast<int>(form.rows.size()) - 2, end, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    results->setColumnStretch(end, 1);
    body->addLayout(results);
    if (form.steps && form.headingAbove)
        PlaceStepsBesideHeading(heading, lblRe.front());
    SetBody(body);
}

// The buttons first, then the boxes: every real part and then every imaginary
// part, or each coefficient's two parts in turn.
void EquationScreen::SetKeyboardOrder(bool realPartsFirst)
{
    std::vector<QWidget*> order{cmdBack, cmdReset, cmdCalculate};
    if (realPartsFirst) {
        order.insert(order.end(), txtRe.begin(), txtRe.end());
        order.insert(order.end(), txtIm.begin(), txtIm.end());
    } else {
        for (std::size_t i = 0; i < txtRe.size(); ++i) {
            order.push_back(txtRe[i]);
            order.push_back(txtIm[i]);
        }
    }
    order.push_back(chkExact);
    if (cmdSteps)
        order.push_back(cmdSteps);
    SetTabOrder(order);
}

// 「途中式」 in the indent at the left of the equation's second line, level
// with its boxes and clear of what starts it; it reaches no further up or down
// than the room between the lines.
void EquationScreen::PlaceSteps(QHBoxLayout* first, QHBoxLayout* second)
{
    QPushButton* steps = MakeStepsButton();
    QWidget* opening = first->itemAt(0)->widget(); // the first line's "("
    QWidget* start = second->itemAt(1)->widget(); // the second line's "+ ("
    QWidget* box = second->itemAt(2)->widget();
    PlaceOver(steps,
        [steps, opening, start, box] {
            const QSize size = steps->sizeHint();
            const int height = size.height();
            const int right = start->geometry().left() - 12;
            const int width = std::min(size.width(), right - opening->geometry().left());
            return QRect(right - width, box->geometry().center().y() - height / 2, width, height);
        },
        {opening, start, box});
}

// Where the heading "x=" has a line of its own: 「途中式」 on that line at the
// right, its right edge with the switch's, centred on the heading and no
// taller than the room between the equation and the first root.
void EquationScreen::PlaceStepsBesideHeading(QWidget* heading, QWidget* firstRoot)
{
    QPushButton* steps = MakeStepsButton();
    QWidget* exactSwitch = chkExact;
    PlaceOver(steps,
        [steps, heading, firstRoot, exactSwitch] {
            const QSize size = steps->sizeHint();
            const int room = 2 * (firstRoot->geometry().top() - heading->geometry().center().y()) - 2;
            const int height = std::min(size.height(), room);
            return QRect(exactSwitch->geometry().right() - size.width() + 1,
                heading->geometry().center().y() - height / 2, size.width(), height);
        },
        {heading, firstRoot, exactSwitch});
}

QHBoxLayout* EquationScreen::BuildLine(const std::vector<EquationItem>& items)
{
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    for (const EquationItem& item : items) {
        switch (item.kind) {
        case EquationItem::Kind::Text:
            if (item.exponent.isEmpty())
                line->addWidget(MakeText(this, item.name, item.caption));
            else
                line->addWidget(new PoweredText(this, item));
            break;
        case EquationItem::Kind::Real:
        case EquationItem::Kind::Imaginary:
            Q_ASSERT(item.index >= 0 && static_cast<std::size_t>(item.index) < txtRe.size());
            line->addWidget(item.kind == EquationItem::Kind::Real ? txtRe[item.index] : txtIm[item.index]);
            break;
        }
    }
    line->addStretch(1);
    return line;
}

// "x1 = 0.960 + 0.148i", one root a line.
QString EquationScreen::ResultsText() const
{
    static const QString approx = QString::fromUtf8(kApproxMark);
    QStringList lines;
    for (std::size_t k = 0; k < lblRe.size(); ++k) {
        const QString re = lblRe[k]->text();
        QString im = lblIm[k]->text();
        if (re.isEmpty() && im.isEmpty())
            return {};
        // The sign of the imaginary part joins the two parts, also before an
        // approximate one: "- ≈1.091i", never "+ ≈-1.091i".
        bool minus = false;
        if (im.startsWith(QLatin1Char('-'))) {
            minus = true;
            im.remove(0, 1);
        } else if (im.startsWith(approx + QLatin1Char('-'))) {
            minus = true;
            im.remove(approx.size(), 1);
        }
        // An exact part with a root or a bar stands apart from its i, so that
        // "√2/2 i" cannot be read as √2 over 2i.
        const bool apart = im.contains(QStringLiteral("√")) || im.contains(QLatin1Char('/'));
        lines.append(QStringLiteral("x%1 = %2 %3 %4%5i")
                         .arg(k + 1)
                         .arg(re, minus ? QStringLiteral("-") : QStringLiteral("+"), im,
                             apart ? QStringLiteral(" ") : QString()));
    }
    return lines.join(QLatin1Char('\n'));
}

Complex EquationScreen::Coefficient(std::size_t i) const
{
    return {Read(txtRe.at(i)), Read(txtIm.at(i))};
}

void EquationScreen::Init()
{
    for (std::size_t i = 0; i < txtRe.size(); ++i) {
        txtRe[i]->clear();
        txtIm[i]->clear();
    }
    for (std::size_t k = 0; k < lblRe.size(); ++k) {
        SetResult(lblRe[k], {});
        SetResult(lblIm[k], {});
    }
}

void EquationScreen::Show(const Complex* Kai, std::size_t count)
{
    // Every text is made before the first label changes.
    std::vector<std::string> texts;
    for (std::size_t k = 0; k < count; ++k) {
        texts.push_back(FormatFixed(Kai[k].re, "0.000"));
        texts.push_back(FormatFixed(Kai[k].im, "0.000"));
    }
    for (std::size_t k = 0; k < count && k < lblRe.size(); ++k) {
        SetResult(lblRe[k], texts[2 * k]);
        SetResult(lblIm[k], texts[2 * k + 1]);
    }

    // The exact roots of the equation as typed, each in the row of the
    // decimal root it is.
    std::vector<CoefficientBoxes> boxes;
    for (std::size_t i = 0; i < txtRe.size(); ++i)
        boxes.push_back({TextOf(txtRe[i]), TextOf(txtIm[i])});
    const std::vector<Complex> shown(Kai, Kai + count);
    OfferSteps([boxes, shown] { return Exact::RootSteps(boxes, shown); });
    OfferExact([boxes, shown] { return Exact::Roots(boxes, shown); },
        [this, texts](const std::vector<ExactRoot>& roots) {
            for (std::size_t k = 0; k < roots.size() && k < lblRe.size(); ++k) {
                SetExactResult(lblRe[k], roots[k].re, texts[2 * k]);
                SetExactResult(lblIm[k], roots[k].im, texts[2 * k + 1]);
            }
        });
}
