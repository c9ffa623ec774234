// SPDX-License-Identifier: MIT
// The readings of a step's formula (plain text, LaTeX) and the checker that
// marks every formula of the worked steps: it must pass true working and
// catch each kind of false line.
#include "steps_check.h"
#include "steps_text.h"
#include "worked_steps.h"

#include <QTest>

Q_DECLARE_METATYPE(MathNode)
Q_DECLARE_METATYPE(WorkedSteps)

using namespace Formula;

namespace {

// "a = 2, b = -3, c = -1"
MathNode Given(long a, long b, long c)
{
    return Row({Name("a"), Op("="), Number(a), Op(","), Name("b"), Op("="), Number(b), Op(","), Name("c"), Op("="),
        Number(c)});
}

// D = b² - 4ac = (-3)² - 4×2×(-1) = 17, with the last member given.
MathNode Discriminant(MathNode value)
{
    return Row({Name("D"), Op("="), Power(Name("b"), 2), Op("-"), Number(4), Name("a"), Name("c"), Op("="),
        Power(Group(Number(-3)), 2), Op("-"), Number(4), Op("×"), Number(2), Op("×"), Group(Number(-1)), Op("="),
        std::move(value)});
}

// x = (-b ± √D)/(2a) = (3 ± √17)/4
MathNode TheFormula()
{
    return Row(
        {Name("x"), Op("="), Fraction(Row({Op("-"), Name("b"), Op("±"), Root(Name("D"))}), Row({Number(2), Name("a")})),
            Op("="), Fraction(Row({Number(3), Op("±"), Root(Number(17))}), Number(4))});
}

MathNode Answer(const char* first, const char* second)
{
    return Row({Name("x"), Op("="), Value(first), Op(","), Value(second)});
}

WorkedSteps Quadratic(MathNode discriminant, MathNode answer)
{
    WorkedSteps steps;
    steps.steps.push_back(MakeStep(StepRule::kProblem, "",
        Row({Number(2), Power(Name("x"), 2), Op("-"), Number(3), Name("x"), Op("-"), Number(1), Op("="), Number(0)})));
    steps.steps.push_back(MakeStep("quadratic.coefficients", "", Given(2, -3, -1)));
    steps.steps.push_back(MakeStep("quadratic.discriminant", "判別式", std::move(discriminant)));
    steps.steps.push_back(
        MakeStep("quadratic.kind", "", Row({Name("D"), Op(">"), Number(0)}), "より、異なる2つの実数解をもつ"));
    steps.steps.push_back(MakeStep("quadratic.formula", "", TheFormula()));
    steps.steps.push_back(MakeStep(StepRule::kAnswer, "答", std::move(answer)));
    return steps;
}

} // namespace

class TestStepsCheck : public QObject {
    Q_OBJECT

private slots:
    // The textbook's one-line forms: spaced relations and signs, tight ×,
    // brackets only where a one-line fraction, root or power needs them.
    void plainFormula_data()
    {
        QTest::addColumn<MathNode>("node");
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("latex");
        QTest::newRow("discriminant") << Discriminant(Number(17)) << "D = b² - 4ac = (-3)² - 4×2×(-1) = 17"
                                      << "D = {b}^{2} - 4 a c = {\\left(- 3\\right)}^{2} - 4 \\times 2 \\times "
                                         "\\left(- 1\\right) = 17";
        QTest::newRow("formula") << TheFormula() << "x = (-b ± √D)/(2a) = (3 ± √17)/4"
                                 << "x = \\frac{- b \\pm \\sqrt{D}}{2 a} = \\frac{3 \\pm \\sqrt{17}}{4}";
        QTest::newRow("canonical values") << Answer("(3+√17)/4", "-√3/2") << "x = (3+√17)/4, -√3/2"
                                          << "x = \\frac{3+\\sqrt{17}}{4} ,\\  -\\frac{\\sqrt{3}}{2}";
        QTest::newRow("root apart from i")
            << Row({Root(Group(Number(-3))), Op("="), Root(Number(3)), Name("i")}) << "√(-3) = √3 i"
            << "\\sqrt{\\left(- 3\\right)} = \\sqrt{3} i";
        QTest::newRow("sum of cubes")
            << Row({Sigma(Row({Name("K"), Op("="), Number(1)}), Name("n"), Power(Name("K"), 3)), Op("="),
                   Power(
                       Group(Fraction(Row({Name("n"), Group(Row({Name("n"), Op("+"), Number(1)}))}), Number(2)), "{}"),
                       2)})
            << "Σ_{K=1}^{n} K³ = {n(n + 1)/2}²"
            << "\\sum_{K = 1}^{n} {K}^{3} = {\\left\\{\\frac{n \\left(n + 1\\right)}{2}\\right\\}}^{2}";
        QTest::newRow("inverse") << Row({Power(Name("A"), Row({Op("-"), Number(1)})), Op("="), Name("E")}) << "A⁻¹ = E"
                                 << "{A}^{- 1} = E";
        QTest::newRow("negative fraction") << Of(Rational(-2, 3)) << "-2/3"
                                           << "- \\frac{2}{3}";
        QTest::newRow("fraction before a name") << Row({Of(Rational(1, 2)), Power(Name("x"), 2)}) << "1/2 x²"
                                                << "\\frac{1}{2} {x}^{2}";
        MathNode augmented;
        augmented.kind = MathNode::Kind::Matrix;
        augmented.columns = 3;
        augmented.bar = 2;
        augmented.children = {Number(1), Number(2), Number(5), Number(3), Number(4), Number(6)};
        QTest::newRow("augmented matrix")
            << augmented << "((1, 2 | 5), (3, 4 | 6))"
            << "\\left(\\begin{array}{cc|c} 1 & 2 & 5 \\\\ 3 & 4 & 6 \\end{array}\\right)";
        MathNode table;
        table.kind = MathNode::Kind::Table;
        table.columns = 3;
        table.bar = 1;
        table.children
            = {Number(2), Number(1), Number(-12), Name(""), Name(""), Number(2), Name(""), Number(1), Number(-10)};
        QTest::newRow("table")
            << table << "2 | 1  -12\n  |      2\n  | 1  -10"
            << "\\begin{array}{r|rr} 2 & 1 & - 12 \\\\  &  & 2 \\\\ \\hline  & 1 & - 10 \\end{array}";
    }
    void plainFormula()
    {
        QFETCH(MathNode, node);
        QFETCH(QString, plain);
        QFETCH(QString, latex);
        QCOMPARE(QString::fromStdString(PlainText(node)), plain);
        QCOMPARE(QString::fromStdString(LatexText(node)), latex);
    }

    // Lines are "caption formula remark"; substeps are indented; LaTeX is one
    // align* with the words in \text{}.
    void plainSteps()
    {
        WorkedSteps steps = Quadratic(Discriminant(Number(17)), Answer("(3+√17)/4", "(3-√17)/4"));
        steps.steps[4].substeps.push_back(MakeStep("note", "分母を", Row({}), "有理化する"));
        QCOMPARE(QString::fromStdString(PlainText(steps)),
            QStringLiteral("2x² - 3x - 1 = 0\n"
                           "a = 2, b = -3, c = -1\n"
                           "判別式 D = b² - 4ac = (-3)² - 4×2×(-1) = 17\n"
                           "D > 0 より、異なる2つの実数解をもつ\n"
                           "x = (-b ± √D)/(2a) = (3 ± √17)/4\n"
                           "  分母を 有理化する\n"
                           "答 x = (3+√17)/4, (3-√17)/4"));
        const QString latex = QString::fromStdString(LatexText(steps));
        QVERIFY(latex.startsWith(QStringLiteral("\\begin{align*}\n&2 {x}^{2}")));
        QVERIFY(latex.endsWith(QStringLiteral("\\\\\n&\\text{答}\\ x = \\frac{3+\\sqrt{17}}{4} ,\\  "
                                              "\\frac{3-\\sqrt{17}}{4}\n\\end{align*}")));
        QVERIFY(latex.contains(QStringLiteral("&\\quad \\text{分母を}\\ \\text{有理化する}")));
        QCOMPARE(
            QString::fromStdString(PlainLine(MakeStep("", "答", Row({Name("x"), Op("="), Number(2)}), "（重解）"))),
            QStringLiteral("答 x = 2（重解）"));
    }

    void textEscapedInLatex_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("latex");
        QTest::newRow("specials") << "100% & {}_#"
                                  << "100\\% \\& \\{\\}\\_\\#";
        QTest::newRow("bar") << "(A | E) を"
                             << "(A \\textbar{} E) を";
        QTest::newRow("raised") << "A A⁻¹ = E, x⁴ の係数, x²"
                                << "A A\\textsuperscript{-1} = E, x\\textsuperscript{4} の係数, x\\textsuperscript{2}";
        QTest::newRow("raised together") << "10¹²³"
                                         << "10\\textsuperscript{123}";
    }
    void textEscapedInLatex()
    {
        QFETCH(QString, words);
        QFETCH(QString, latex);
        WorkedSteps steps;
        steps.steps.push_back(MakeStep("", words.toStdString(), Row({})));
        QCOMPARE(QString::fromStdString(LatexText(steps)),
            QStringLiteral("\\begin{align*}\n&\\text{") + latex + QStringLiteral("}\n\\end{align*}"));
    }

    // True working passes; each false line is caught and named.
    void checker_data()
    {
        QTest::addColumn<WorkedSteps>("steps");
        QTest::addColumn<QStringList>("failures");
        QTest::newRow("true") << Quadratic(Discriminant(Number(17)), Answer("(3+√17)/4", "(3-√17)/4")) << QStringList{};
        QTest::newRow("wrong discriminant")
            << Quadratic(Discriminant(Number(18)), Answer("(3+√17)/4", "(3-√17)/4"))
            << QStringList{"= does not hold: 判別式 D = b² - 4ac = (-3)² - 4×2×(-1) = 18"};
        QTest::newRow("one root wrong") << Quadratic(Discriminant(Number(17)), Answer("(3+√17)/4", "(3-√17)/2"))
                                        << QStringList{"= does not hold: 答 x = (3+√17)/4, (3-√17)/2"};
        QTest::newRow("a root missing") << Quadratic(
            Discriminant(Number(17)), Row({Name("x"), Op("="), Value("(3+√17)/4")}))
                                        << QStringList{"= does not hold: 答 x = (3+√17)/4"};
        WorkedSteps sign = Quadratic(Discriminant(Number(17)), Answer("(3+√17)/4", "(3-√17)/4"));
        sign.steps[3].math = Row({Name("D"), Op("<"), Number(0)});
        QTest::newRow("wrong sign") << sign << QStringList{"< does not hold: D < 0 より、異なる2つの実数解をもつ"};

        // Σ is summed term by term, so the closed form is checked against the
        // sum itself, in its free n as an identity.
        const auto cubes = [](MathNode closed) {
            WorkedSteps steps;
            steps.steps.push_back(MakeStep(StepRule::kIdentity, "",
                Row({Sigma(Row({Name("K"), Op("="), Number(1)}), Name("n"), Power(Name("K"), 3)), Op("="),
                    std::move(closed)})));
            return steps;
        };
        const MathNode half = Fraction(Row({Name("n"), Group(Row({Name("n"), Op("+"), Number(1)}))}), Number(2));
        QTest::newRow("sum of cubes") << cubes(Power(Group(half, "{}"), 2)) << QStringList{};
        QTest::newRow("sum of cubes wrong")
            << cubes(half) << QStringList{"= does not hold: Σ_{K=1}^{n} K³ = n(n + 1)/2"};

        // A decimal shown for a value with no exact form: within half a unit
        // of its last place.
        const auto near = [](const char* decimal) {
            WorkedSteps steps;
            steps.steps.push_back(MakeStep("", "", Row({Root(Number(2)), Op("≈"), Number(decimal)})));
            return steps;
        };
        QTest::newRow("approximately") << near("1.414") << QStringList{};
        QTest::newRow("approximately wrong") << near("1.415") << QStringList{"≈ does not hold: √2 ≈ 1.415"};

        WorkedSteps euclid;
        euclid.steps.push_back(
            MakeStep("", "", Row({Number(1071), Op("="), Number(462), Op("×"), Number(2), Op("+"), Number(147)})));
        euclid.steps.push_back(MakeStep("", "", Row({Number(147), Op("="), Number(21), Op("×"), Number(6)})));
        QTest::newRow("division") << euclid << QStringList{"= does not hold: 147 = 21×6"};

        // "D/4 = …" defines D through its quarter.
        WorkedSteps quarter;
        quarter.steps.push_back(MakeStep("", "", Row({Fraction(Name("D"), Number(4)), Op("="), Number(5)})));
        quarter.steps.push_back(MakeStep("", "", Row({Name("D"), Op("="), Number(20)})));
        quarter.steps.push_back(MakeStep("", "", Row({Name("D"), Op("="), Number(21)})));
        QTest::newRow("quarter") << quarter << QStringList{"= does not hold: D = 21"};

        // A factor solved in substeps has names of its own, and its equation
        // holds at its own roots; the whole equation at all of them.
        const auto factor = [](const char* root) {
            WorkedSteps steps;
            steps.steps.push_back(MakeStep(StepRule::kProblem, "",
                Row({Group(Row({Name("x"), Op("-"), Number(2)})), Group(Row({Power(Name("x"), 2), Op("-"), Number(1)})),
                    Op("="), Number(0)})));
            Step solve = MakeStep("factor", "", Row({}));
            solve.substeps.push_back(
                MakeStep(StepRule::kProblem, "", Row({Power(Name("x"), 2), Op("-"), Number(1), Op("="), Number(0)})));
            solve.substeps.push_back(MakeStep("", "", Row({Name("x"), Op("="), Number(1), Op(","), Number(-1)})));
            steps.steps.push_back(solve);
            steps.steps.push_back(MakeStep(StepRule::kAnswer, "答",
                Row({Name("x"), Op("="), Number(2), Op(","), Number(1), Op(","), Value(root)})));
            return steps;
        };
        QTest::newRow("substeps have their own names") << factor("-1") << QStringList{};
        QTest::newRow("substeps have their own names, wrong root")
            << factor("-2") << QStringList{"= does not hold: (x - 2)(x² - 1) = 0"};

        // P(x) = … names a function: its trials are its values, and a
        // factorization of it holds for every x.
        const auto theorem = [](long trial, long factor) {
            const auto p = [](MathNode argument) { return Row({Name("P"), Group(std::move(argument))}); };
            WorkedSteps steps;
            steps.steps.push_back(MakeStep(
                "factor.define", "", Row({p(Name("x")), Op("="), Power(Name("x"), 2), Op("-"), Number(4)}), "とおく"));
            steps.steps.push_back(MakeStep("factor.trial", "",
                Row({p(Number(trial)), Op("="), Number(4), Op("-"), Number(4), Op("="), Number(0)})));
            steps.steps.push_back(MakeStep(StepRule::kIdentity, "",
                Row({p(Name("x")), Op("="), Group(Row({Name("x"), Op("-"), Number(2)})),
                    Group(Row({Name("x"), Op("+"), Number(factor)}))})));
            steps.steps.push_back(
                MakeStep(StepRule::kAnswer, "答", Row({Name("x"), Op("="), Number(2), Word("（重解）")})));
            return steps;
        };
        QTest::newRow("function") << theorem(2, 2) << QStringList{};
        QTest::newRow("function, wrong trial") << theorem(3, 2) << QStringList{"= does not hold: P(3) = 4 - 4 = 0"};
        QTest::newRow("function, wrong factor")
            << theorem(2, 3) << QStringList{"= does not hold: P(x) = (x - 2)(x + 3)"};

        WorkedSteps unknown;
        unknown.steps.push_back(MakeStep("", "", Row({Number(2), Name("y"), Op("="), Name("z")})));
        QTest::newRow("free names") << unknown << QStringList{"cannot evaluate: 2y = z"};
    }
    void checker()
    {
        QFETCH(WorkedSteps, steps);
        QFETCH(QStringList, failures);
        QStringList found = CheckSteps(steps);
        found.removeDuplicates(); // an identity fails once for each trial value
        QCOMPARE(found, failures);
    }

    void bindingsAreReturned()
    {
        Bindings names;
        QVERIFY(CheckSteps(Quadratic(Discriminant(Number(17)), Answer("(3+√17)/4", "(3-√17)/4")), names).isEmpty());
        QCOMPARE(names.at("D").size(), std::size_t(1));
        QVERIFY(names.at("D").front() == Algebraic(Rational(17)));
        QCOMPARE(names.at("x").size(), std::size_t(2));
    }
};

QTEST_GUILESS_MAIN(TestStepsCheck)
#include "tst_steps_check.moc"
