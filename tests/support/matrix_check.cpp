// SPDX-License-Identifier: MIT
#include "matrix_check.h"

#include "steps_check.h"
#include "steps_text.h"

#include <QRegularExpression>

namespace {

using Kind = MathNode::Kind;

// "3", "-2", "3/5", "-7/12".
std::optional<Rational> ReadRational(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^(-?)(\\d+)(?:/(\\d+))?$"));
    const auto match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const Integer numerator(match.captured(2).toStdString());
    const Integer denominator(match.hasCaptured(3) ? match.captured(3).toStdString() : std::string("1"));
    if (denominator == Integer(0))
        return std::nullopt;
    const Rational q(numerator, denominator);
    return match.captured(1).isEmpty() ? q : -q;
}

QString Line(const Step& step)
{
    return QString::fromStdString(PlainLine(step));
}

} // namespace

std::optional<RationalRows> MatrixValues(const MathNode& node)
{
    if (node.kind != Kind::Matrix || node.columns <= 0 || node.children.size() % node.columns != 0)
        return std::nullopt;
    RationalRows m;
    const std::size_t columns = static_cast<std::size_t>(node.columns);
    for (std::size_t k = 0; k < node.children.size(); ++k) {
        if (k % columns == 0)
            m.emplace_back();
        const auto values = Evaluate(node.children[k], {});
        if (!values || values->size() != 1)
            return std::nullopt;
        const auto q = values->front().rational();
        if (!q)
            return std::nullopt;
        m.back().push_back(*q);
    }
    return m;
}

const MathNode* LastMatrix(const MathNode& math)
{
    if (math.kind == Kind::Matrix)
        return &math;
    for (auto item = math.children.rbegin(); item != math.children.rend(); ++item)
        if (item->kind == Kind::Matrix)
            return &*item;
    return nullptr;
}

std::optional<RowOperation> ReadRowOperation(const QString& caption)
{
    static const QRegularExpression swap(QStringLiteral("^第(\\d)行と第(\\d)行を入れ替える$"));
    static const QRegularExpression divide(QStringLiteral("^第(\\d)行を (\\S+) で割る$"));
    static const QRegularExpression times(QStringLiteral("^第(\\d)行を (\\S+) 倍する$"));
    static const QRegularExpression subtract(QStringLiteral("^第(\\d)行から第(\\d)行(?:の (\\S+) 倍)?を引く$"));
    static const QRegularExpression add(QStringLiteral("^第(\\d)行に第(\\d)行(?:の (\\S+) 倍)?を加える$"));
    RowOperation op;
    if (const auto m = swap.match(caption); m.hasMatch()) {
        op.kind = RowOperation::Kind::Swap;
        op.target = m.captured(1).toInt();
        op.source = m.captured(2).toInt();
        return op;
    }
    if (const auto m = divide.match(caption); m.hasMatch()) {
        const auto d = ReadRational(m.captured(2));
        if (!d || d->isZero())
            return std::nullopt;
        op.kind = RowOperation::Kind::Scale;
        op.target = m.captured(1).toInt();
        op.factor = Rational(1) / *d;
        return op;
    }
    if (const auto m = times.match(caption); m.hasMatch()) {
        const auto k = ReadRational(m.captured(2));
        if (!k)
            return std::nullopt;
        op.kind = RowOperation::Kind::Scale;
        op.target = m.captured(1).toInt();
        op.factor = *k;
        return op;
    }
    for (const QRegularExpression* pattern : {&subtract, &add}) {
        const auto m = pattern->match(caption);
        if (!m.hasMatch())
            continue;
        const auto k = m.hasCaptured(3) ? ReadRational(m.captured(3)) : std::optional<Rational>(Rational(1));
        // The words carry the sign: a multiple written is a magnitude.
        if (!k || k->sign() <= 0)
            return std::nullopt;
        op.kind = RowOperation::Kind::Add;
        op.target = m.captured(1).toInt();
        op.source = m.captured(2).toInt();
        op.factor = pattern == &subtract ? -*k : *k;
        return op;
    }
    return std::nullopt;
}

bool Apply(const RowOperation& operation, RationalRows& m)
{
    const int rows = static_cast<int>(m.size());
    const auto valid = [rows](int row) { return row >= 1 && row <= rows; };
    if (!valid(operation.target))
        return false;
    std::vector<Rational>& target = m[static_cast<std::size_t>(operation.target - 1)];
    switch (operation.kind) {
    case RowOperation::Kind::Swap:
        if (!valid(operation.source) || operation.source == operation.target)
            return false;
        std::swap(target, m[static_cast<std::size_t>(operation.source - 1)]);
        return true;
    case RowOperation::Kind::Scale:
        if (operation.factor.isZero() || operation.factor == Rational(1))
            return false;
        for (Rational& entry : target)
            entry = entry * operation.factor;
        return true;
    case RowOperation::Kind::Add: {
        if (!valid(operation.source) || operation.source == operation.target || operation.factor.isZero())
            return false;
        const std::vector<Rational> source = m[static_cast<std::size_t>(operation.source - 1)];
        for (std::size_t j = 0; j < target.size(); ++j)
            target[j] = target[j] + operation.factor * source[j];
        return true;
    }
    }
    return false;
}

QStringList CheckSweep(const WorkedSteps& steps, const RationalRows& start, RationalRows& last, int& operations)
{
    QStringList failures;
    operations = 0;
    std::optional<RationalRows> current;
    for (const Step& step : steps.steps) {
        if (step.rule == "sweep.matrix") {
            const MathNode* shown = LastMatrix(step.math);
            const auto values = shown ? MatrixValues(*shown) : std::nullopt;
            if (!values || !SameMatrix(*values, start))
                failures.append(QStringLiteral("not the matrix of the boxes: %1").arg(Line(step)));
            current = start;
            continue;
        }
        const auto operation = ReadRowOperation(QString::fromStdString(step.caption));
        const bool named = step.rule == "sweep.swap" || step.rule == "sweep.scale" || step.rule == "sweep.add";
        if (!operation) {
            if (named)
                failures.append(QStringLiteral("no row operation in the words: %1").arg(Line(step)));
            continue;
        }
        ++operations;
        if (!current) {
            failures.append(QStringLiteral("an operation before the matrix: %1").arg(Line(step)));
            continue;
        }
        if (!Apply(*operation, *current)) {
            failures.append(QStringLiteral("an operation that does nothing or cannot be done: %1").arg(Line(step)));
            continue;
        }
        const MathNode* shown = LastMatrix(step.math);
        const auto values = shown ? MatrixValues(*shown) : std::nullopt;
        if (!values || !SameMatrix(*values, *current)) {
            failures.append(QStringLiteral("the matrix is not the operation's result: %1").arg(Line(step)));
            if (values)
                current = values; // go on from what was shown, one failure a step
        }
    }
    if (!current)
        failures.append(QStringLiteral("no matrix to sweep"));
    else
        last = *current;
    return failures;
}

RationalRows Multiply(const RationalRows& a, const RationalRows& b)
{
    RationalRows p(a.size(), std::vector<Rational>(b.empty() ? 0 : b.front().size()));
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < p[i].size(); ++j)
            for (std::size_t k = 0; k < b.size(); ++k)
                p[i][j] = p[i][j] + a[i][k] * b[k][j];
    return p;
}

RationalRows UnitMatrix(std::size_t n)
{
    RationalRows e(n, std::vector<Rational>(n));
    for (std::size_t i = 0; i < n; ++i)
        e[i][i] = Rational(1);
    return e;
}

bool SameMatrix(const RationalRows& a, const RationalRows& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size())
            return false;
        for (std::size_t j = 0; j < a[i].size(); ++j)
            if (!(a[i][j] == b[i][j]))
                return false;
    }
    return true;
}
