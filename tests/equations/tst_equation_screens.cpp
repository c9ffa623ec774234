// SPDX-License-Identifier: MIT
// The quadratic, cubic and quartic screens, driven through the menu: their
// controls, the rows their examples show, refusals, faults and reset.

#include "calculators.h"
#include "driver.h"
#include "message_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>

using namespace Driver;

namespace {

// What tells the three screens apart for a test.
struct Screen {
    QString form;
    QString caption;
    const char* realBox;
    const char* imaginaryBox;
    const char* realResult;
    const char* imaginaryResult;
    int coefficients;
    int firstLineBoxes; // coefficients written on the first line
    QString message; // for a zero leading coefficient
    std::vector<std::pair<QString, QString>> labels; // every static label: name, caption
    std::vector<std::pair<QString, QString>> exponents; // exponent label, the caption it is raised in
    bool realPartsFirst; // tab order
};

const std::map<QString, Screen>& Screens()
{
    static const std::map<QString, Screen> screens{
        {"frm2ji",
            {"frm2ji", "２次方程式－Kalvora", "txtRP", "txtIP", "lblRAnswer", "lblIAnswer", 3, 2,
                "２次の項の係数を０にしないでください",
                {{"Label9", "係数を入力してください"}, {"Label10", "空白の場合は０と見なします"}, {"Label7", "("},
                    {"Label11", "+"}, {"Label1", "i ) x + ("}, {"Label4", "2"}, {"Label5", "+"}, {"Label2", "i ) x"},
                    {"Label14", "+ ("}, {"Label12", "+"}, {"Label3", "i ) = 0"}, {"Label6", "ｘ="}, {"Label13", "+"},
                    {"Label17", "i"}, {"Label8", "，"}, {"Label16", "+"}, {"Label18", "i"}},
                {{"Label4", "Label1"}}, true}},
        {"frm3ji",
            {"frm3ji", "３次方程式－Kalvora", "txtNumR", "txtNumI", "lblRAns", "lblIAns", 4, 2,
                "３次の項の係数を０にしないでください",
                {{"Label14", "係数を入力してください。"}, {"Label16", "空白の場合は０と見なします。"}, {"Label3", "("},
                    {"Label1", "+"}, {"Label2", "i ) x + ("}, {"Label4", "3"}, {"Label5", "+"}, {"Label6", "i ) x +"},
                    {"Label7", "2"}, {"Label8", "("}, {"Label9", "+"}, {"Label10", "i ) x + ("}, {"Label11", "+"},
                    {"Label12", "i ) = 0"}, {"Label13", "x="}, {"Label15", "+"}, {"Label17", "i"}, {"Label19", "+"},
                    {"Label21", "i"}, {"Label23", "+"}, {"Label25", "i"}},
                {{"Label4", "Label2"}, {"Label7", "Label6"}}, false}},
        {"frm4ji",
            {"frm4ji", "４次方程式－Kalvora", "txtRNum", "txtINum", "lblRNum", "lblINum", 5, 3,
                "４次の項の係数を０にしないでください",
                {{"Label13", "係数を入力してください"}, {"Label14", "空白の場合は０と見なします"}, {"Label1", "("},
                    {"Label2", "+"}, {"Label3", "i ) x + ( "}, {"Label15", "4"}, {"Label4", "+"},
                    {"Label5", "i ) x + ("}, {"Label16", "3"}, {"Label6", "+"}, {"Label7", "i ) x"}, {"Label17", "2"},
                    {"Label8", "+ ("}, {"Label9", "+"}, {"Label10", "i ) x + ("}, {"Label11", "+"},
                    {"Label12", "i ) = 0"}, {"Label18", "x ="}, {"Label21", "+"}, {"Label23", "+"}, {"Label26", "+"},
                    {"Label29", "+"}, {"Label31", "i  ,"}, {"Label32", "i  ,"}, {"Label33", "i  ,"}, {"Label34", "i"}},
                {{"Label15", "Label3"}, {"Label16", "Label5"}, {"Label17", "Label7"}}, false}},
    };
    return screens;
}

QString Indexed(const char* base, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(index);
}

const Screen& Open(const QString& form)
{
    const Screen& screen = Screens().at(form);
    OpenCalculator(form);
    return screen;
}

int Roots(const Screen& screen)
{
    return screen.coefficients - 1;
}

// Types the coefficients ("re|im", either part may be blank) and presses
// "計算！"; returns the message, if any.
std::optional<Message> Calculate(const Screen& screen, const QStringList& coefficients)
{
    for (int i = 0; i < screen.coefficients; ++i) {
        const QStringList parts = coefficients.value(i).split(QLatin1Char('|'));
        Type(screen.form, Indexed(screen.realBox, i), parts.value(0));
        Type(screen.form, Indexed(screen.imaginaryBox, i), parts.value(1));
    }
    return ClickForMessage(screen.form, QStringLiteral("Command3"));
}

// The result rows as "re|im".
QStringList Rows(const Screen& screen)
{
    QStringList rows;
    for (int k = 0; k < Roots(screen); ++k)
        rows.append(Text(screen.form, Indexed(screen.realResult, k)) + QLatin1Char('|')
            + Text(screen.form, Indexed(screen.imaginaryResult, k)));
    return rows;
}

QStringList Boxes(const Screen& screen)
{
    QStringList texts;
    for (int i = 0; i < screen.coefficients; ++i)
        texts << Text(screen.form, Indexed(screen.realBox, i)) << Text(screen.form, Indexed(screen.imaginaryBox, i));
    return texts;
}

} // namespace

class TestEquationScreens : public QObject {
    Q_OBJECT

private slots:
    void cleanupTestCase() { CloseAll(); }

    void controls_data();
    void controls();
    void layout_data() { controls_data(); }
    void layout();
    void keyboardOrder_data() { controls_data(); }
    void keyboardOrder();
    void examples_data();
    void examples();
    void pairsOfQuarticRows_data();
    void pairsOfQuarticRows();
    void refusals_data();
    void refusals();
    void longResult_data();
    void longResult();
};

void TestEquationScreens::controls_data()
{
    QTest::addColumn<QString>("form");
    for (const auto& [form, screen] : Screens())
        QTest::newRow(qPrintable(form)) << form;
}

void TestEquationScreens::controls()
{
    QFETCH(QString, form);
    const Screen& screen = Open(form);
    QCOMPARE(OpenWindows(), QStringList{form});
    QCOMPARE(Window(form)->windowTitle(), screen.caption);

    // Every caption, and no label beyond them and the result labels.
    for (const auto& [name, caption] : screen.labels)
        QCOMPARE(Text(form, name), caption);
    QCOMPARE(Window(form)->findChildren<QLabel*>().size(), qsizetype(screen.labels.size()) + 2 * Roots(screen));

    // Init: every box and every result empty; each says what it is.
    QStringList accessible;
    for (int i = 0; i < screen.coefficients; ++i) {
        for (const char* base : {screen.realBox, screen.imaginaryBox}) {
            auto* box = Control<QLineEdit>(form, Indexed(base, i));
            QVERIFY(box);
            QCOMPARE(box->text(), QString());
            accessible << box->accessibleName();
        }
    }
    for (int k = 0; k < Roots(screen); ++k) {
        for (const char* base : {screen.realResult, screen.imaginaryResult}) {
            auto* label = Control<QLabel>(form, Indexed(base, k));
            QVERIFY(label);
            QCOMPARE(label->text(), QString());
            QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
            accessible << label->accessibleName();
        }
    }
    QVERIFY(!accessible.contains(QString()));
    QCOMPARE(accessible.removeDuplicates(), 0);
    QCOMPARE(
        accessible.first(), QStringLiteral("x%1 の係数の実部").arg(QStringList{"", "", "²", "³", "⁴"}[Roots(screen)]));
    QCOMPARE(accessible[2 * screen.coefficients - 1], QStringLiteral("定数項の虚部"));
    QCOMPARE(accessible[2 * screen.coefficients + 1], QStringLiteral("解1 の虚部"));
}

void TestEquationScreens::layout()
{
    QFETCH(QString, form);
    const Screen& screen = Open(form);
    QWidget* window = Window(form);

    // Nothing clipped, nothing on top of anything else (an exponent is a
    // child of the caption it is raised in).
    const QList<QWidget*> widgets = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* widget : widgets) {
        QVERIFY2(window->rect().contains(widget->geometry()), qPrintable(widget->objectName()));
        if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        for (QWidget* other : widgets)
            QVERIFY2(widget == other || !widget->geometry().intersects(other->geometry()),
                qPrintable(widget->objectName() + QLatin1Char(' ') + other->objectName()));
    }

    // Two lines: the first coefficients on the first, the rest below them;
    // each coefficient's real part left of its imaginary part.
    const QRect first = InWindow(form, Indexed(screen.realBox, 0));
    const QRect second = InWindow(form, Indexed(screen.realBox, screen.coefficients - 1));
    for (int i = 0; i < screen.coefficients; ++i) {
        const QRect real = InWindow(form, Indexed(screen.realBox, i));
        const QRect imaginary = InWindow(form, Indexed(screen.imaginaryBox, i));
        QCOMPARE(real.center().y(), (i < screen.firstLineBoxes ? first : second).center().y());
        QCOMPARE(imaginary.center().y(), real.center().y());
        QVERIFY(real.right() < imaginary.left());
        if (i > 0 && i != screen.firstLineBoxes)
            QVERIFY(InWindow(form, Indexed(screen.imaginaryBox, i - 1)).right() < real.left());
    }
    QVERIFY(first.bottom() < second.top());

    // Exponents small and raised over the x of their caption.
    for (const auto& [exponent, caption] : screen.exponents) {
        const QRect power = InWindow(form, exponent);
        const QRect text = InWindow(form, caption);
        auto* label = Control<QLabel>(form, caption);
        QVERIFY(Control<QLabel>(form, exponent)->font().pointSizeF() < label->font().pointSizeF());
        QVERIFY(text.contains(power));
        QVERIFY(power.center().y() < text.center().y() - label->fontMetrics().xHeight() / 2);
        const int x = label->fontMetrics().horizontalAdvance(label->text().left(label->text().indexOf('x') + 1));
        QVERIFY(power.left() >= text.left() + x);
    }

    // One root per line, each below the last, real part then imaginary part.
    for (int k = 0; k < Roots(screen); ++k) {
        const QRect real = InWindow(form, Indexed(screen.realResult, k));
        QVERIFY(real.top() > second.bottom());
        QVERIFY(real.right() < InWindow(form, Indexed(screen.imaginaryResult, k)).left());
        if (k > 0)
            QVERIFY(real.top() > InWindow(form, Indexed(screen.realResult, k - 1)).bottom());
    }
}

void TestEquationScreens::keyboardOrder()
{
    QFETCH(QString, form);
    const Screen& screen = Open(form);
    QStringList expected{"Command1", "Command2", "Command3"};
    for (int i = 0; i < screen.coefficients; ++i) {
        if (screen.realPartsFirst) {
            expected.insert(3 + i, Indexed(screen.realBox, i));
            expected.append(Indexed(screen.imaginaryBox, i));
        } else {
            expected << Indexed(screen.realBox, i) << Indexed(screen.imaginaryBox, i);
        }
    }
    // The screen opens with the first control of that order focused.
    QCOMPARE(FocusedName(), expected.first());
    QCOMPARE(TabOrder(form, expected.first(), expected.size()), expected);
}

void TestEquationScreens::examples_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("coefficients"); // "re|im", highest power first
    QTest::addColumn<QStringList>("rows"); // "re|im", top row first; "*" for any text

    const auto quadratic = [](const char* name, QStringList in, QStringList out) {
        QTest::newRow(name) << QStringLiteral("frm2ji") << in << out;
    };
    quadratic("x² − 2x + 5", {"1", "-2", "5"}, {"1.000|2.000", "1.000|-2.000"});
    quadratic("x² − 3x + 2", {"1", "-3", "2"}, {"2.000|0.000", "1.000|0.000"});
    quadratic("−x² + 4", {"-1", "", "4"}, {"-2.000|0.000", "2.000|0.000"});
    quadratic("x² + 2x + 1", {"1", "2", "1"}, {"-1.000|0.000", "-1.000|0.000"});
    quadratic("(x − i)²", {"1", "|-2", "-1"}, {"0.000|1.000", "0.000|1.000"});
    quadratic("ix² + 1", {"|1", "", "1"}, {"0.707|0.707", "-0.707|-0.707"});
    quadratic("x² = 3 − 4i", {"1", "", "-3|4"}, {"-2.000|1.000", "2.000|-1.000"});
    quadratic("x² = 3 + 4i", {"1", "", "-3|-4"}, {"2.000|1.000", "-2.000|-1.000"});
    quadratic("discriminant just above the cut", {"1", "", "-1|0.001"}, {"-1.000|*", "1.000|*"});
    quadratic("discriminant just below the cut", {"1", "", "-1|-0.001"}, {"1.000|*", "-1.000|*"});
    quadratic("x² + 1", {"1", "", "1"}, {"0.000|1.000", "0.000|-1.000"});
    quadratic("2x²", {"2", "", ""}, {"0.000|0.000", "0.000|0.000"});
    quadratic("full-width input", {"１", "－３", "２"}, {"2.000|0.000", "1.000|0.000"});

    const auto cubic = [](const char* name, QStringList in, QStringList out) {
        QTest::newRow(name) << QStringLiteral("frm3ji") << in << out;
    };
    cubic("x³ − 1", {"1", "", "", "-1"}, {"1.000|0.000", "-0.500|0.866", "-0.500|-0.866"});
    cubic("x³ + 1", {"1", "", "", "1"}, {"0.500|0.866", "-1.000|0.000", "0.500|-0.866"});
    cubic("x³ − 8", {"1", "", "", "-8"}, {"2.000|0.000", "-1.000|1.732", "-1.000|-1.732"});
    cubic("ix³ − 8i", {"|1", "", "", "|-8"}, {"2.000|0.000", "-1.000|1.732", "-1.000|-1.732"});
    cubic("x³ − 6x² + 11x − 6", {"1", "-6", "11", "-6"}, {"3.000|0.000", "1.000|0.000", "2.000|0.000"});
    cubic("2x³ − 12x² + 22x − 12", {"2", "-12", "22", "-12"}, {"3.000|0.000", "1.000|0.000", "2.000|0.000"});
    cubic("x³ − x", {"1", "", "-1", ""}, {"0.000|0.000", "-1.000|0.000", "1.000|0.000"});
    cubic("triple root", {"1", "-3", "3", "-1"}, {"1.000|*", "1.000|*", "1.000|*"});
    cubic("2x³", {"2", "", "", ""}, {"0.000|0.000", "0.000|0.000", "0.000|0.000"});
    // q < 0, yet the cube of b in polar form leaves q a residue that puts
    // the real root in the second row.
    cubic("x³ − 2x² + 2x − 4", {"1", "-2", "2", "-4"}, {"0.000|1.414", "2.000|0.000", "0.000|-1.414"});
    // The radicand the real part of q picks cancels; the other one is taken.
    cubic("x³ − i", {"1", "", "", "|-1"}, {"0.866|0.500", "-0.866|0.500", "0.000|-1.000"});
    cubic("x³ + (−1 + i)", {"1", "", "", "-1|1"}, {"-0.291|1.084", "-0.794|-0.794", "1.084|-0.291"});
    cubic("x³ − 6x² + 12x − 9", {"1", "-6", "12", "-9"}, {"1.500|0.866", "1.500|-0.866", "3.000|0.000"});

    const auto quartic = [](const char* name, QStringList in, QStringList out) {
        QTest::newRow(name) << QStringLiteral("frm4ji") << in << out;
    };
    const QStringList zeros{"0.000|0.000", "0.000|0.000", "0.000|0.000", "0.000|0.000"};
    quartic("2x⁴", {"2", "", "", "", ""}, zeros);
    quartic("x⁴ − 3x³", {"1", "-3", "", "", ""}, {"3.000|0.000", zeros[1], zeros[2], zeros[3]});
    quartic("2x⁴ + 4ix³", {"2", "|4", "", "", ""}, {"0.000|-2.000", zeros[1], zeros[2], zeros[3]});
    quartic("x⁴ − 1", {"1", "", "", "", "-1"}, {"-1.000|0.000", "0.000|-1.000", "0.000|1.000", "1.000|0.000"});
    quartic("2x⁴ − 2", {"2", "", "", "", "-2"}, {"-1.000|0.000", "0.000|-1.000", "0.000|1.000", "1.000|0.000"});
    // Cardano's u is exactly zero in the resolvent cubic: (x − 1)³(x + 1).
    quartic("triple root", {"1", "-2", "", "2", "-1"}, {"1.000|0.000", "-1.000|0.000", "1.000|0.000", "1.000|0.000"});
    quartic("(x − 10)⁴", {"1", "-40", "600", "-4000", "10000"},
        {"10.000|0.000", "10.000|0.000", "10.000|0.000", "10.000|0.000"});
    quartic("x⁴ − 45.862065385001x² + 521.551634625025", {"1", "", "-45.862065385001", "", "521.551634625025"},
        {"-5.000|0.000", "-4.568|0.000", "5.000|0.000", "4.568|0.000"});
}

void TestEquationScreens::examples()
{
    QFETCH(QString, form);
    QFETCH(QStringList, coefficients);
    QFETCH(QStringList, rows);
    const Screen& screen = Open(form);

    QCOMPARE(Calculate(screen, coefficients), std::nullopt);
    const QStringList shown = Rows(screen);
    for (int k = 0; k < rows.size(); ++k) {
        const QStringList want = rows[k].split('|');
        const QStringList got = shown[k].split('|');
        for (int part = 0; part < 2; ++part) {
            if (want[part] != QLatin1String("*"))
                QCOMPARE(got[part], want[part]);
        }
    }
    // The boxes keep what was typed; a second press shows the same.
    QCOMPARE(ClickForMessage(form, QStringLiteral("Command3")), std::nullopt);
    QCOMPARE(Rows(screen), shown);
}

void TestEquationScreens::pairsOfQuarticRows_data()
{
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<QStringList>("firstPair"); // real parts of one factor's roots, sorted as text
    QTest::addColumn<QStringList>("secondPair");

    // Which pair comes first, and the order within a pair, turn on rounding
    // residues; the factors do not.
    QTest::newRow("x⁴ − 5x² + 4") << QStringList{"1", "", "-5", "", "4"} << QStringList{"-1.000", "-2.000"}
                                  << QStringList{"1.000", "2.000"};
    QTest::newRow("x⁴ − 10x³ + 35x² − 50x + 24")
        << QStringList{"1", "-10", "35", "-50", "24"} << QStringList{"1.000", "2.000"} << QStringList{"3.000", "4.000"};
}

void TestEquationScreens::pairsOfQuarticRows()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QStringList, firstPair);
    QFETCH(QStringList, secondPair);
    const Screen& screen = Open(QStringLiteral("frm4ji"));
    QCOMPARE(Calculate(screen, coefficients), std::nullopt);
    const QStringList rows = Rows(screen);
    QStringList pairs[2];
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(rows[k].section('|', 1), QStringLiteral("0.000"));
        pairs[k / 2].append(rows[k].section('|', 0, 0));
    }
    pairs[0].sort();
    pairs[1].sort();
    if (pairs[0] != firstPair)
        std::swap(pairs[0], pairs[1]);
    QCOMPARE(pairs[0], firstPair);
    QCOMPARE(pairs[1], secondPair);
}

void TestEquationScreens::refusals_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QStringList>("coefficients");
    QTest::addColumn<bool>("fault"); // the fault message rather than the screen's own

    for (const auto& [form, screen] : Screens()) {
        const QStringList blank(screen.coefficients, QStringLiteral("5|1"));
        QStringList zero = blank;
        zero[0] = QStringLiteral("|");
        QTest::addRow("%s, blank leading coefficient", qPrintable(form)) << form << zero << false;
        zero[0] = QStringLiteral("0|-0");
        QTest::addRow("%s, zero leading coefficient", qPrintable(form)) << form << zero << false;
        zero[0] = QStringLiteral("abc|0");
        QTest::addRow("%s, text as leading coefficient", qPrintable(form)) << form << zero << false;
        // |a|² underflows in the division by a.
        zero[0] = QStringLiteral("1e-170");
        QTest::addRow("%s, leading coefficient below 1e-162", qPrintable(form)) << form << zero << true;
        QTest::addRow("%s, coefficients of 1e200", qPrintable(form))
            << form << QStringList(screen.coefficients, QStringLiteral("1e200")) << true;
        zero[0] = QStringLiteral("1e400");
        QTest::addRow("%s, beyond the double range", qPrintable(form)) << form << zero << true;
    }
}

void TestEquationScreens::refusals()
{
    QFETCH(QString, form);
    QFETCH(QStringList, coefficients);
    QFETCH(bool, fault);
    const Screen& screen = Open(form);

    QStringList ones(screen.coefficients, QStringLiteral("1"));
    ones[1] = QStringLiteral("-3");
    QCOMPARE(Calculate(screen, ones), std::nullopt);
    const QStringList before = Rows(screen);
    QVERIFY(!before.first().startsWith('|'));

    KALVORA_EXPECT_MESSAGE(Calculate(screen, coefficients), fault ? FaultMessage() : screen.message);

    // Every result as it was, every box as typed, the screen still open.
    QCOMPARE(Rows(screen), before);
    QStringList typed;
    for (const QString& coefficient : coefficients)
        typed << coefficient.section('|', 0, 0) << coefficient.section('|', 1, 1);
    QCOMPARE(Boxes(screen), typed);
    QCOMPARE(OpenWindows(), QStringList{form});
}

void TestEquationScreens::longResult_data()
{
    QTest::addColumn<QString>("linear"); // the coefficient of x in x² + bx = 0
    QTest::addColumn<QString>("root"); // the second root's real part
    QTest::addColumn<bool>("fits");

    QTest::newRow("shown whole") << "123456.789"
                                 << "-123456.789" << true;
    QTest::newRow("wider than its label") << "1e20"
                                          << "-100000000000000000000.000" << false;
}

// A root too wide for its label keeps its whole text, and the tool tip shows
// it; a root that fits has no tip.
void TestEquationScreens::longResult()
{
    QFETCH(QString, linear);
    QFETCH(QString, root);
    QFETCH(bool, fits);
    const Screen& screen = Open(QStringLiteral("frm2ji"));
    QCOMPARE(Calculate(screen, {"1", linear, ""}), std::nullopt);
    QCOMPARE(Rows(screen), (QStringList{"0.000|0.000", root + "|0.000"}));
    auto* label = Control<QLabel>(screen.form, QStringLiteral("lblRAnswer_1"));
    QCOMPARE(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(), fits);
    QCOMPARE(ToolTipShown(label), fits ? QString() : root);
}

QTEST_MAIN(TestEquationScreens)
#include "tst_equation_screens.moc"
