// SPDX-License-Identifier: MIT
// A result longer than its label keeps its whole text, says so, and is
// copied whole; it is drawn in an exponent form that means the same number,
// where the label places its text.

#include "driver.h"
#include "result_label.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

class TestResultLabel : public QObject {
    Q_OBJECT

private slots:
    void longResult_data();
    void longResult();
    void exponentForm_data();
    void exponentForm();
    void shortened_data();
    void shortened();
    void doubleClickSelectsTheNumber_data();
    void doubleClickSelectsTheNumber();
    void exactView_data();
    void exactView();
    void signApart_data();
    void signApart();
};

using Form = std::optional<ExponentForm>;
Q_DECLARE_METATYPE(Form)

namespace {

// The leftmost and rightmost columns where the label drew anything.
std::pair<int, int> InkColumns(QLabel* label)
{
    const QImage image = label->grab().toImage();
    const QRgb ground = image.pixel(0, 0);
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != ground) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const qreal ratio = image.devicePixelRatio();
    return {int(left / ratio), int(right / ratio)};
}

// What a plain label of the same size, type, alignment and text handling
// draws for `text`.
QImage PlainDrawing(const QLabel* label, const QString& text)
{
    QLabel plain(text);
    plain.setFont(label->font());
    plain.setAlignment(label->alignment());
    plain.setTextInteractionFlags(label->textInteractionFlags());
    plain.resize(label->size());
    return plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// For each column of a picture, whether anything is drawn in it; the top row
// with ink in the columns from `left` to `right`, or the height when none.
QList<bool> InkedColumns(const QImage& image, int left, int right, int* top = nullptr)
{
    const QRgb ground = image.pixel(0, 0);
    QList<bool> inked(right - left, false);
    int highest = image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = left; x < right; ++x)
            if (image.pixel(x, y) != ground) {
                inked[x - left] = true;
                highest = std::min(highest, y);
            }
    if (top)
        *top = highest;
    return inked;
}

} // namespace

void TestResultLabel::longResult_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");
    QTest::newRow("short") << "2.000" << true;
    QTest::newRow("fifteen digits and decimals") << "-1286742750677280.000" << false;
    QTest::newRow("two hundred digits") << QString(200, QLatin1Char('5')) + ".00" << false;
}

void TestResultLabel::longResult()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);

    QWidget window;
    auto* label = new ResultLabel(&window);
    label->setGeometry(0, 0, label->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")), 30);
    label->setText(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(label->text(), text);
    QCOMPARE(label->Fits(), fits);

    // What it draws. A text that fits: just what any label draws. One that
    // does not: "mantissa×10" where a label would write that, then the
    // exponent, raised, and all of it inside the label.
    const QImage drawn = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (fits) {
        QCOMPARE(drawn, PlainDrawing(label, text));
    } else {
        const QString shown = label->Shown();
        QVERIFY2(shown.contains(QStringLiteral("×10")) && shown != text, qPrintable(shown));
        const QString base = shown.left(shown.indexOf(QStringLiteral("×10")) + 3);
        const qreal ratio = drawn.devicePixelRatio();
        const int baseEnd = int(label->fontMetrics().horizontalAdvance(base) * ratio);
        const int end = int(label->contentsRect().right() * ratio);
        QVERIFY2(baseEnd < end, qPrintable(base));
        int baseTop = 0, exponentTop = 0;
        QCOMPARE(InkedColumns(drawn, 0, baseEnd, &baseTop), InkedColumns(PlainDrawing(label, base), 0, baseEnd));
        const QList<bool> exponent = InkedColumns(drawn, baseEnd, drawn.width(), &exponentTop);
        QVERIFY2(exponent.contains(true), "no exponent drawn");
        QVERIFY2(exponent.lastIndexOf(true) + baseEnd <= end, "the exponent runs out of the label");
        QVERIFY2(exponentTop < baseTop,
            qPrintable(QStringLiteral("exponent top %1, digits' top %2").arg(exponentTop).arg(baseTop)));
    }

    // The tool tip holds the whole result exactly when the label cannot.
    QCOMPARE(Driver::ToolTipShown(label), fits ? QString() : text);

    // Right click, "コピー": the whole result on the clipboard.
    QApplication::clipboard()->clear();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("コピー"));
        menu->actions().first()->trigger();
        menu->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), label->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(label, &menuEvent);
    QCOMPARE(QApplication::clipboard()->text(), text);
}

void TestResultLabel::exponentForm_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<Form>("form");
    QTest::newRow("a root of x² − 1e20x + 1") << "-100000000000000000000.000" << 3 << Form({"-1.000", 20});
    QTest::newRow("rounded up") << "123456789012345678.000" << 3 << Form({"1.235", 17});
    QTest::newRow("rounded down") << "123449999999999999.999" << 3 << Form({"1.234", 17});
    QTest::newRow("rounding carries into the exponent") << "-99999999999999999999.9996" << 3 << Form({"-1.000", 20});
    QTest::newRow("no decimals") << "15.5" << 0 << Form({"2", 1});
    QTest::newRow("from exponent form") << "1.23456789012346E+20" << 3 << Form({"1.235", 20});
    QTest::newRow("small, from exponent form") << "-4.5E-20" << 3 << Form({"-4.500", -20});
    QTest::newRow("below one") << "0.00012" << 2 << Form({"1.20", -4});
    QTest::newRow("more decimals than digits") << "7" << 3 << Form({"7.000", 0});
    QTest::newRow("zero") << "0.000" << 3 << Form();
    QTest::newRow("not a number") << "abc" << 3 << Form();
    QTest::newRow("a point alone") << "-." << 3 << Form();
}

void TestResultLabel::exponentForm()
{
    QFETCH(QString, number);
    QFETCH(int, decimals);
    QFETCH(Form, form);
    const Form made = ToExponentForm(number, decimals);
    QCOMPARE(made.has_value(), form.has_value());
    if (form) {
        QCOMPARE(made->mantissa, form->mantissa);
        QCOMPARE(made->exponent, form->exponent);
    }
}

void TestResultLabel::shortened_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("digits"); // the label's width in digits
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("shown"); // a regular expression
    const int right = Qt::AlignRight | Qt::AlignVCenter, left = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("fits") << "-123456.789" << 11 << right << "^-123456\\.789$";
    QTest::newRow("quadratic, a root of 1e20") << "100000000000000000000.000" << 11 << left << "^1\\.000×10²⁰$";
    QTest::newRow("right-aligned") << "-1286742750677280.000" << 12 << right << "^-1\\.287×10¹⁵$";
    QTest::newRow("fewer decimals when narrow") << "-1286742750677280.000" << 7 << right << "^-1(\\.3)?×10¹⁵$";
    QTest::newRow("exponent form too wide") << "-1.23456789012346E+300" << 10 << left << "^-1\\.2\\d*×10³⁰⁰$";
    QTest::newRow("two hundred digits") << QString(200, QLatin1Char('5')) + ".00" << 10 << left << "^5\\.56×10¹⁹⁹$";
}

void TestResultLabel::shortened()
{
    QFETCH(QString, text);
    QFETCH(int, digits);
    QFETCH(int, alignment);
    QFETCH(QString, shown);

    QWidget window;
    auto* label = new ResultLabel(&window);
    label->setAlignment(Qt::Alignment(alignment));
    label->setGeometry(0, 0, label->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 4, 30);
    label->setText(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(QRegularExpression(shown).match(label->Shown()).hasMatch(), qPrintable(label->Shown()));
    QCOMPARE(label->text(), text);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(label);
    QVERIFY(reader);
    QCOMPARE(reader->text(QAccessible::Value), text);

    // Drawn whole inside the label, at the side its alignment names.
    const auto [first, last] = InkColumns(label);
    const QRect inside = label->contentsRect();
    QVERIFY2(
        first >= inside.left() && last <= inside.right(), qPrintable(QStringLiteral("%1–%2").arg(first).arg(last)));
    if (alignment & Qt::AlignRight)
        QVERIFY2(last >= inside.right() - 3, qPrintable(QString::number(last)));
    else
        QVERIFY2(first <= inside.left() + 3, qPrintable(QString::number(first)));
}

void TestResultLabel::doubleClickSelectsTheNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("where"); // which character is clicked
    QTest::newRow("on the digits after the point") << "-0.405" << 4;
    QTest::newRow("on the minus sign") << "-0.405" << 0;
    QTest::newRow("exponent form") << "1.2345E+16" << 2;
    QTest::newRow("thousands") << "-123456.000000" << 9;
}

void TestResultLabel::doubleClickSelectsTheNumber()
{
    QFETCH(QString, text);
    QFETCH(int, where);

    QWidget window;
    auto* label = new ResultLabel(&window);
    label->setGeometry(0, 0, 300, 30);
    label->SetValue(text);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QFontMetrics metrics = label->fontMetrics();
    const QPoint at(metrics.horizontalAdvance(text.left(where)) + metrics.horizontalAdvance(text.at(where)) / 2,
        label->height() / 2);
    QTest::mouseDClick(label, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(label->selectedText(), text);
}

Q_DECLARE_METATYPE(ExactText)

namespace {

ExactText Valued(ExactText text, double value)
{
    text.value_as_double = value;
    text.drift = DecimalDrift::Pi;
    return text;
}

const QString kNarrow = QStringLiteral("欄に入りきらないため、およその値を表示しています");
const QString kPi = QStringLiteral("小数の表示は円周率を 3.1415926535 として計算しています");

} // namespace

// What the exact view draws in a cell of a given width, and what its tool tip
// says: the whole text where the cell shows less, and why it shows "≈".
void TestResultLabel::exactView_data()
{
    QTest::addColumn<int>("digits"); // the label's width in digits
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<ExactText>("source");
    QTest::addColumn<QString>("text"); // the label's text in the exact view
    QTest::addColumn<QString>("shown"); // a regular expression
    QTest::addColumn<QStringList>("tip"); // lines the tool tip holds

    const auto missing = [](ExactGap gap) { return ExactText::Missing(gap); };
    QTest::newRow("stacked where it fits") << 11 << "1.618" << ExactText("(1+√5)/2") << "(1+√5)/2"
                                           << "^\\(1\\+√5\\)/2$" << QStringList();
    QTest::newRow("a 24-character form too wide: ≈ and the decimal")
        << 11 << "-0.405" << ExactText("(-1234567+89√1234567)/98") << "(-1234567+89√1234567)/98"
        << "^≈-0\\.405$" << QStringList{"(-1234567+89√1234567)/98", kNarrow};
    QTest::newRow("an integer too wide is approximate")
        << 10 << "115241578751713595392000.000" << ExactText("115241578751713595060205") << "115241578751713595060205"
        << "^≈1\\.1\\d*×10²³$" << QStringList{"115241578751713595060205", kNarrow};
    QTest::newRow("an inverse entry too wide")
        << 9 << "6000000000000001.000" << ExactText("6000000000000001") << "6000000000000001"
        << "^≈6\\.0*×10¹⁵$" << QStringList{"6000000000000001", kNarrow};
    QTest::newRow("an integer that fits is exact") << 10 << "12.000" << ExactText("12") << "12"
                                                   << "^12$" << QStringList();
    QTest::newRow("no form with roots") << 11 << "1.260" << missing(ExactGap::NoForm) << "≈1.260"
                                        << "^≈1\\.260$"
                                        << QStringList{QStringLiteral("分数や平方根を使った形では表せません")};
    QTest::newRow("too long") << 11 << "1.260" << missing(ExactGap::TooLong) << "≈1.260"
                              << "^≈1\\.260$"
                              << QStringList{QStringLiteral(
                                     "分数や平方根を使うと24文字より長くなるため、およその値を表示しています")};
    QTest::newRow("stopped") << 11 << "1.260" << missing(ExactGap::Stopped) << "≈1.260"
                             << "^≈1\\.260$"
                             << QStringList{QStringLiteral("計算が大きくなりすぎるため、途中でやめました")};
    QTest::newRow("not found") << 11 << "1.260" << missing(ExactGap::NotFound) << "≈1.260"
                               << "^≈1\\.260$" << QStringList{QStringLiteral("正確な値は求められませんでした")};
    // The decimal area with π = 3.1415926535 against the true one.
    QTest::newRow("the true value, exactly")
        << 16 << "249999999993.52" << Valued("250000000000", 2.5e11) << "250000000000"
        << "^250000000000$" << QStringList{kPi};
    QTest::newRow("the true value, approximately")
        << 16 << "11.24" << Valued(missing(ExactGap::NoForm), 11.2468) << "≈11.25"
        << "^≈11\\.25$" << QStringList{QStringLiteral("分数や平方根を使った形では表せません"), kPi};
    QTest::newRow("a value that agrees says nothing of π")
        << 16 << "11.25" << Valued(missing(ExactGap::NoForm), 11.2468) << "≈11.25"
        << "^≈11\\.25$" << QStringList{QStringLiteral("分数や平方根を使った形では表せません")};
}

void TestResultLabel::exactView()
{
    QFETCH(int, digits);
    QFETCH(QString, decimal);
    QFETCH(ExactText, source);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QStringList, tip);

    QWidget window;
    auto* label = new ResultLabel(&window);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(0, 0, label->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 4,
        label->fontMetrics().height() + 4);
    label->SetValue(decimal);
    label->SetExact(QString::fromStdString(ExactLabelText(source, decimal.toStdString())), source);
    label->SetExactView(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The text, which is copied and read out, is whole; what is drawn may not be.
    QCOMPARE(label->text(), text);
    QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Value), text);
    QVERIFY2(QRegularExpression(shown).match(label->Shown()).hasMatch(), qPrintable(label->Shown()));
    const QString tipShown = Driver::ToolTipShown(label);
    QCOMPARE(tipShown.isEmpty() ? QStringList() : tipShown.split(QLatin1Char('\n')), tip);
    const auto [first, last] = InkColumns(label);
    QVERIFY2(first >= 0 && last < label->width(), qPrintable(QStringLiteral("%1–%2").arg(first).arg(last)));

    // The decimal view is what it always was.
    label->SetExactView(false);
    QCOMPARE(label->text(), decimal);
    QCOMPARE(Driver::ToolTipShown(label).contains(QChar(0x2248)), false);
}

// A negative imaginary part leaves its minus to the "+" before it in the
// exact view only; its text, copied and read out, keeps it.
void TestResultLabel::signApart_data()
{
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("exact");
    QTest::addColumn<bool>("apart");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a root over two") << "-0.866"
                                     << "-√3/2" << true << "√3/2";
    QTest::newRow("an approximate part") << "-1.091"
                                         << "≈-1.091" << true << "≈1.091";
    QTest::newRow("a negative integer") << "-2.000"
                                        << "-2" << true << "2";
    QTest::newRow("positive") << "0.866"
                              << "√3/2" << false << "√3/2";
    QTest::newRow("a minus inside the numerator stays") << "0.159"
                                                        << "(-1+√5)/4" << false << "(-1+√5)/4";
}

void TestResultLabel::signApart()
{
    QFETCH(QString, decimal);
    QFETCH(QString, exact);
    QFETCH(bool, apart);
    QFETCH(QString, shown);

    QWidget window;
    auto* label = new ResultLabel(&window);
    label->setGeometry(0, 0, 200, 40);
    label->SetSignApart(true);
    QList<bool> told;
    connect(label, &ResultLabel::SignApartChanged, label, [&told](bool minus) { told << minus; });
    label->SetValue(decimal);
    label->SetExact(exact);
    QVERIFY(!label->MinusApart());
    QCOMPARE(label->Shown(), decimal);
    label->SetExactView(true);
    QCOMPARE(label->MinusApart(), apart);
    QCOMPARE(label->text(), exact);
    QCOMPARE(label->Shown(), shown);
    label->SetExactView(false);
    QCOMPARE(label->Shown(), decimal);
    const QList<bool> expected = apart ? QList<bool>{true, false} : QList<bool>();
    QCOMPARE(told, expected);
}

QTEST_MAIN(TestResultLabel)
#include "tst_result_label.moc"
