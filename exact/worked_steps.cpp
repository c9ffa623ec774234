// SPDX-License-Identifier: MIT
#include "worked_steps.h"

#include "conversions.h"
#include "surd_form.h"

#include <utility>

namespace Formula {

namespace {

MathNode Leaf(MathNode::Kind kind, std::string text)
{
    MathNode node;
    node.kind = kind;
    node.text = std::move(text);
    return node;
}

MathNode Parent(MathNode::Kind kind, std::vector<MathNode> children, std::string text = {})
{
    MathNode node;
    node.kind = kind;
    node.children = std::move(children);
    node.text = std::move(text);
    return node;
}

} // namespace

MathNode Number(std::string digits)
{
    return Leaf(MathNode::Kind::Number, std::move(digits));
}

MathNode Number(long n)
{
    if (n >= 0)
        return Number(std::to_string(n));
    return Row({Op("-"), Number(std::to_string(-static_cast<unsigned long>(n)))});
}

MathNode Name(std::string name)
{
    return Leaf(MathNode::Kind::Name, std::move(name));
}

MathNode Op(std::string op)
{
    return Leaf(MathNode::Kind::Operator, std::move(op));
}

MathNode Word(std::string words)
{
    return Leaf(MathNode::Kind::Word, std::move(words));
}

MathNode Value(std::string text)
{
    return Leaf(MathNode::Kind::Value, std::move(text));
}

MathNode Row(std::vector<MathNode> items)
{
    std::vector<MathNode> flat;
    for (MathNode& item : items)
        Append(flat, std::move(item));
    return Parent(MathNode::Kind::Row, std::move(flat));
}

void Append(std::vector<MathNode>& row, MathNode node)
{
    if (node.kind == MathNode::Kind::Row) {
        for (MathNode& item : node.children)
            row.push_back(std::move(item));
    } else {
        row.push_back(std::move(node));
    }
}

MathNode Fraction(MathNode numerator, MathNode denominator)
{
    return Parent(MathNode::Kind::Fraction, {std::move(numerator), std::move(denominator)});
}

MathNode Root(MathNode radicand)
{
    return Parent(MathNode::Kind::Root, {std::move(radicand)});
}

MathNode Power(MathNode base, MathNode exponent)
{
    return Parent(MathNode::Kind::Power, {std::move(base), std::move(exponent)});
}

MathNode Power(MathNode base, long exponent)
{
    return Power(std::move(base), Number(exponent));
}

MathNode Group(MathNode inside, const char* brackets)
{
    return Parent(MathNode::Kind::Group, {std::move(inside)}, brackets);
}

MathNode Sigma(MathNode lower, MathNode upper, MathNode summand)
{
    return Parent(MathNode::Kind::Sigma, {std::move(lower), std::move(upper), std::move(summand)});
}

MathNode Of(const Integer& n)
{
    std::string digits = n.text();
    if (!digits.empty() && digits.front() == '-')
        return Row({Op("-"), Number(digits.substr(1))});
    return Number(std::move(digits));
}

MathNode Of(const Rational& q)
{
    Integer numerator, denominator;
    fmpz_abs(numerator.get(), fmpq_numref(q.get()));
    fmpz_set(denominator.get(), fmpq_denref(q.get()));
    MathNode magnitude
        = q.isInteger() ? Number(numerator.text()) : Fraction(Number(numerator.text()), Number(denominator.text()));
    if (q.sign() < 0)
        return Row({Op("-"), std::move(magnitude)});
    return magnitude;
}

MathNode Substituted(const Rational& q)
{
    if (q.sign() < 0 || !q.isInteger())
        return Group(Of(q));
    return Of(q);
}

MathNode ValueOf(const Algebraic& x)
{
    const ExactText text = ExactTextOf(x);
    if (text)
        return Value(*text);
    const auto near = Nearest(x);
    if (!near)
        return Value(kApproxMark);
    std::string decimal = FormatFixed(near->re, "0.000");
    return Value(kApproxMark + decimal);
}

} // namespace Formula

Step MakeStep(std::string rule, std::string caption, MathNode math, std::string remark)
{
    Step step;
    step.rule = std::move(rule);
    step.caption = std::move(caption);
    step.math = std::move(math);
    step.remark = std::move(remark);
    return step;
}
