// SPDX-License-Identifier: MIT
#include "steps_samples.h"

#include <utility>

namespace Samples {

namespace {

MathNode Leaf(MathNode::Kind kind, const std::string& text)
{
    MathNode node;
    node.kind = kind;
    node.text = text;
    return node;
}

MathNode Of(MathNode::Kind kind, std::initializer_list<MathNode> children)
{
    MathNode node;
    node.kind = kind;
    node.children = children;
    return node;
}

} // namespace

MathNode Num(const std::string& digits)
{
    return Leaf(MathNode::Kind::Number, digits);
}

MathNode Name(const std::string& letter)
{
    return Leaf(MathNode::Kind::Name, letter);
}

MathNode Op(const std::string& sign)
{
    return Leaf(MathNode::Kind::Operator, sign);
}

MathNode Words(const std::string& text)
{
    return Leaf(MathNode::Kind::Word, text);
}

MathNode Value(const std::string& text)
{
    return Leaf(MathNode::Kind::Value, text);
}

MathNode Row(std::initializer_list<MathNode> items)
{
    return Of(MathNode::Kind::Row, items);
}

MathNode Frac(MathNode top, MathNode bottom)
{
    return Of(MathNode::Kind::Fraction, {std::move(top), std::move(bottom)});
}

MathNode Sqrt(MathNode inside)
{
    return Of(MathNode::Kind::Root, {std::move(inside)});
}

MathNode Pow(MathNode base, MathNode exponent)
{
    return Of(MathNode::Kind::Power, {std::move(base), std::move(exponent)});
}

MathNode Paren(MathNode inside, const std::string& brackets)
{
    MathNode node = Of(MathNode::Kind::Group, {std::move(inside)});
    node.text = brackets;
    return node;
}

MathNode Sigma(MathNode from, MathNode to, MathNode body)
{
    return Of(MathNode::Kind::Sigma, {std::move(from), std::move(to), std::move(body)});
}

MathNode Matrix(int columns, int bar, std::initializer_list<MathNode> entries)
{
    MathNode node = Of(MathNode::Kind::Matrix, entries);
    node.columns = columns;
    node.bar = bar;
    return node;
}

MathNode Table(int columns, int bar, std::initializer_list<MathNode> cells)
{
    MathNode node = Of(MathNode::Kind::Table, cells);
    node.columns = columns;
    node.bar = bar;
    return node;
}

Step MakeStep(const std::string& caption, MathNode math, const std::string& remark, const std::string& rule)
{
    Step step;
    step.rule = rule;
    step.caption = caption;
    step.math = std::move(math);
    step.remark = remark;
    return step;
}

WorkedSteps Gcd()
{
    WorkedSteps steps;
    steps.steps = {
        MakeStep("1071 と 462 の最大公約数をユークリッドの互除法で求める", Row({}), {}, StepRule::kProblem),
        MakeStep(
            {}, Row({Num("1071"), Op("="), Num("462"), Op("×"), Num("2"), Op("+"), Num("147")}), {}, "euclid.division"),
        MakeStep(
            {}, Row({Num("462"), Op("="), Num("147"), Op("×"), Num("3"), Op("+"), Num("21")}), {}, "euclid.division"),
        MakeStep({}, Row({Num("147"), Op("="), Num("21"), Op("×"), Num("7")}), {}, "euclid.division"),
        MakeStep("よって最大公約数は", Row({Num("21")})),
        MakeStep("答", Row({Value("21")}), {}, StepRule::kAnswer),
    };
    return steps;
}

WorkedSteps Quadratic()
{
    const MathNode x = Name("x");
    WorkedSteps steps;
    steps.steps = {
        MakeStep({}, Row({Num("2"), Pow(x, Num("2")), Op("-"), Num("3"), x, Op("-"), Num("1"), Op("="), Num("0")}), {},
            StepRule::kProblem),
        MakeStep({},
            Row({Name("a"), Op("="), Num("2"), Op(","), Name("b"), Op("="), Op("-"), Num("3"), Op(","), Name("c"),
                Op("="), Op("-"), Num("1")})),
        MakeStep("判別式",
            Row({Name("D"), Op("="), Pow(Name("b"), Num("2")), Op("-"), Num("4"), Name("a"), Name("c"), Op("="),
                Pow(Paren(Row({Op("-"), Num("3")})), Num("2")), Op("-"), Num("4"), Op("×"), Num("2"), Op("×"),
                Paren(Row({Op("-"), Num("1")})), Op("="), Num("17")})),
        MakeStep({}, Row({Name("D"), Op(">"), Num("0")}), "より、異なる2つの実数解をもつ"),
        MakeStep({},
            Row({x, Op("="), Frac(Row({Op("-"), Name("b"), Op("±"), Sqrt(Name("D"))}), Row({Num("2"), Name("a")})),
                Op("="), Frac(Row({Num("3"), Op("±"), Sqrt(Num("17"))}), Num("4"))})),
        MakeStep("答", Row({x, Op("="), Value("(3+√17)/4"), Op(","), Value("(3-√17)/4")}), {}, StepRule::kAnswer),
    };
    return steps;
}

WorkedSteps Sigma()
{
    const MathNode k = Name("K");
    const MathNode n = Name("n");
    const MathNode from = Row({k, Op("="), Num("1")});
    const MathNode sum = Sigma(from, Num("10"),
        Paren(Row({Pow(k, Num("3")), Op("+"), Num("2"), Pow(k, Num("2")), Op("+"), Num("0.5"), k, Op("-"), Num("3")})));
    const auto sigma = [&](MathNode body) { return Sigma(from, Num("10"), std::move(body)); };
    const MathNode half = Frac(Row({n, Paren(Row({n, Op("+"), Num("1")}))}), Num("2"));
    WorkedSteps steps;
    steps.steps = {
        MakeStep({}, sum, {}, StepRule::kProblem),
        MakeStep({},
            Row({sum, Op("="), sigma(Pow(k, Num("3"))), Op("+"), Num("2"), sigma(Pow(k, Num("2"))), Op("+"), Num("0.5"),
                sigma(k), Op("-"), sigma(Num("3"))})),
        MakeStep("公式", Row({Sigma(from, n, k), Op("="), half}), {}, StepRule::kIdentity),
        MakeStep({},
            Row({Sigma(from, n, Pow(k, Num("2"))), Op("="),
                Frac(Row({n, Paren(Row({n, Op("+"), Num("1")})), Paren(Row({Num("2"), n, Op("+"), Num("1")}))}),
                    Num("6"))}),
            {}, StepRule::kIdentity),
        MakeStep({}, Row({Sigma(from, n, Pow(k, Num("3"))), Op("="), Pow(Paren(half, "{}"), Num("2"))}), {},
            StepRule::kIdentity),
        MakeStep("よって",
            Row({Pow(Paren(Frac(Row({Num("10"), Op("×"), Num("11")}), Num("2")), "{}"), Num("2")), Op("+"), Num("2"),
                Op("×"), Frac(Row({Num("10"), Op("×"), Num("11"), Op("×"), Num("21")}), Num("6")), Op("+"), Num("0.5"),
                Op("×"), Frac(Row({Num("10"), Op("×"), Num("11")}), Num("2")), Op("-"), Num("3"), Op("×"), Num("10"),
                Op("="), Num("3025"), Op("+"), Num("770"), Op("+"), Frac(Num("55"), Num("2")), Op("-"), Num("30"),
                Op("="), Frac(Num("7585"), Num("2"))})),
        MakeStep("答", Row({Value("7585/2")}), {}, StepRule::kAnswer),
    };
    return steps;
}

WorkedSteps Shapes()
{
    // Coefficients, products, and the quotient's coefficients under the
    // rule, the remainder after the vertical one.
    Step division = MakeStep("組立除法", Row({}));
    division.math = Table(5, 4,
        {Num("1"), Row({Op("-"), Num("6")}), Num("11"), Row({Op("-"), Num("6")}), Num("1"), Num(""), Num("1"),
            Row({Op("-"), Num("5")}), Num("6"), Num(""), Num("1"), Row({Op("-"), Num("5")}), Num("6"), Num("0"),
            Num("")});
    Step matrix = MakeStep("拡大係数行列",
        Row({Matrix(3, 2, {Num("2"), Num("1"), Num("5"), Num("1"), Row({Op("-"), Num("1")}), Num("1")}), Op("→"),
            Matrix(3, 2, {Num("1"), Num("0"), Num("2"), Num("0"), Num("1"), Num("1")})}));
    matrix.substeps = {MakeStep({}, Row({Num("2"), Op("×"), Words("第2行"), Op("+"), Words("第1行")}), "を計算する"),
        MakeStep({}, Row({Name("x"), Op("="), Num("2"), Op(","), Name("y"), Op("="), Num("1")}))};
    WorkedSteps steps;
    steps.steps = {matrix, division,
        MakeStep("答", Row({Name("x"), Op("="), Value("≈1.260"), Op(","), Name("y"), Op("="), Value("-3/7")}), {},
            StepRule::kAnswer)};
    return steps;
}

WorkedSteps LongChain(int members, int terms)
{
    MathNode chain = Row({Name("S")});
    for (int m = 0; m < members; ++m) {
        chain.children.push_back(Op("="));
        for (int t = 0; t < terms; ++t) {
            if (t > 0)
                chain.children.push_back(Op(t % 2 ? "+" : "-"));
            chain.children.push_back(Frac(Num(std::to_string(100 + m * terms + t)), Num(std::to_string(7 + t))));
        }
    }
    WorkedSteps steps;
    steps.steps = {MakeStep("計算すると", chain, "となる")};
    return steps;
}

} // namespace Samples
