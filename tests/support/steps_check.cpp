// SPDX-License-Identifier: MIT
#include "steps_check.h"

#include "exact_support.h"
#include "steps_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <random>
#include <set>
#include <string_view>

namespace {

using Kind = MathNode::Kind;
using Items = std::vector<const MathNode*>;

// A value: exact, or a decimal as shown, with how far off it may be.
struct Num {
    std::optional<Algebraic> exact;
    std::complex<double> near;
    double radius = 0;
};

std::complex<double> Near(const Algebraic& x)
{
    const auto c = Nearest(x);
    return c ? std::complex<double>(c->re, c->im) : std::complex<double>(NAN, NAN);
}

Num Exactly(Algebraic x)
{
    Num n;
    n.near = Near(x);
    n.exact = std::move(x);
    return n;
}

Num Approximately(std::complex<double> z, double radius)
{
    Num n;
    n.near = z;
    n.radius = radius;
    return n;
}

const Algebraic& ImaginaryUnit()
{
    static const Algebraic i = Sqrt(Algebraic(Rational(-1)));
    return i;
}

Num Add(const Num& a, const Num& b)
{
    if (a.exact && b.exact)
        return Exactly(*a.exact + *b.exact);
    // The sum's own rounding counts where terms cancel.
    return Approximately(a.near + b.near, a.radius + b.radius + 1e-15 * (std::abs(a.near) + std::abs(b.near)));
}

Num Negate(const Num& a)
{
    return a.exact ? Exactly(-*a.exact) : Approximately(-a.near, a.radius);
}

Num Multiply(const Num& a, const Num& b)
{
    if (a.exact && b.exact)
        return Exactly(*a.exact * *b.exact);
    return Approximately(a.near * b.near,
        std::abs(a.near) * b.radius + std::abs(b.near) * a.radius + a.radius * b.radius
            + 1e-15 * std::abs(a.near * b.near));
}

std::optional<Num> Divide(const Num& a, const Num& b)
{
    if (b.exact) {
        if (b.exact->isZero())
            return std::nullopt;
        if (a.exact)
            return Exactly(*a.exact / *b.exact);
    }
    const double m = std::abs(b.near);
    if (m <= b.radius)
        return std::nullopt;
    return Approximately(a.near / b.near, (std::abs(a.near) * b.radius + m * a.radius) / (m * (m - b.radius)));
}

std::optional<Num> SquareRoot(const Num& a)
{
    if (a.exact)
        return Exactly(Sqrt(*a.exact));
    const double m = std::abs(a.near);
    if (m <= a.radius)
        return Approximately(std::sqrt(a.near), std::sqrt(m + a.radius));
    return Approximately(std::sqrt(a.near), a.radius / std::sqrt(m - a.radius));
}

bool Same(const Num& a, const Num& b, double tolerance)
{
    if (a.exact && b.exact && tolerance == 0)
        return *a.exact == *b.exact;
    const double slack = a.radius + b.radius + 1e-12 * std::abs(a.near);
    if (tolerance > 0) {
        // A shown decimal rounds each part on its own ("1.600 + 1.250i"),
        // to at most 15 significant digits.
        const std::complex<double> d = a.near - b.near;
        const double shown = tolerance + 1e-14 * std::max(std::abs(a.near), std::abs(b.near));
        return std::abs(d.real()) <= slack + shown && std::abs(d.imag()) <= slack + shown;
    }
    return std::abs(a.near - b.near) <= slack;
}

// The exact number a decimal numeral stands for.
Algebraic Numeral(std::string_view text)
{
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos)
        return Algebraic(Integer(text));
    std::string digits(text.substr(0, point));
    digits += text.substr(point + 1);
    std::string scale(text.size() - point, '0');
    scale.front() = '1';
    return Algebraic(Rational(Integer(digits), Integer(scale)));
}

// sin or cos of an angle in degrees. Exactly for a rational number of
// degrees whose half-turn fraction has a denominator up to 15, the angles
// whose sines can have a form with square roots; as a decimal otherwise.
std::optional<Num> Trigonometric(const std::string& function, const Num& degrees)
{
    const bool sine = function == "sin";
    if (degrees.exact) {
        if (const auto q = degrees.exact->rational()) {
            // Half turns, less whole turns: x − 2⌊x/2⌋.
            const Rational x = *q / Rational(180);
            Integer turns;
            fmpz_mul_ui(turns.get(), fmpq_denref(x.get()), 2);
            fmpz_fdiv_q(turns.get(), fmpq_numref(x.get()), turns.get());
            const Rational reduced = x - Rational(turns, Integer(1)) * Rational(2);
            if (fmpz_cmp_ui(fmpq_denref(reduced.get()), 15) <= 0)
                return Exactly(sine ? SinPi(reduced) : CosPi(reduced));
        }
    }
    if (std::abs(degrees.near.imag()) > 0 || !std::isfinite(degrees.near.real()))
        return std::nullopt;
    const double radians = std::fmod(degrees.near.real(), 360.0) * std::numbers::pi / 180;
    const double value = sine ? std::sin(radians) : std::cos(radians);
    return Approximately(value, degrees.radius * std::numbers::pi / 180 + 1e-15);
}

bool IsTrigonometric(const MathNode& node)
{
    return node.kind == Kind::Word && (node.text == "sin" || node.text == "cos");
}

// The "≈" relation's tolerance: half a unit in the last place of the
// decimal on its right.
double HalfUnitOf(const MathNode& node)
{
    std::string text = PlainText(node);
    const std::size_t approx = text.find("≈");
    if (approx != std::string::npos)
        text = text.substr(approx + std::string_view("≈").size());
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return 0.5;
    std::size_t places = 0;
    while (point + 1 + places < text.size() && std::isdigit(static_cast<unsigned char>(text[point + 1 + places])))
        ++places;
    return 0.5 * std::pow(10.0, -static_cast<double>(places));
}

// ------------------------------------------------------------ evaluation

// A function named by a step "P(x) = …": P(a) is the body with x = a.
struct Function {
    std::string variable;
    MathNode body;
};
using Functions = std::map<std::string, Function>;

// One choice of values: each name one value, "±" one sign.
struct Scope {
    std::map<std::string, Num> names;
    int plusMinus = 1;
    const Functions* functions = nullptr;
};

class Evaluator {
public:
    explicit Evaluator(Scope scope)
        : scope_(std::move(scope))
    {
    }

    std::optional<Num> Node(const MathNode& node)
    {
        switch (node.kind) {
        case Kind::Number: return Exactly(Numeral(node.text));
        case Kind::Name: {
            if (node.text == "i")
                return Exactly(ImaginaryUnit());
            const auto at = scope_.names.find(node.text);
            if (at == scope_.names.end())
                return std::nullopt;
            return at->second;
        }
        case Kind::Value: {
            const std::string_view approx = "≈";
            if (std::string_view(node.text).starts_with(approx)) {
                const std::string decimal = node.text.substr(approx.size());
                // Read as the program writes it, whatever the C library's
                // locale says a decimal point is.
                double d = 0;
                const auto [end, error] = std::from_chars(decimal.data(), decimal.data() + decimal.size(), d);
                if (decimal.empty() || error != std::errc() || end != decimal.data() + decimal.size())
                    return std::nullopt;
                // A decimal shows at most 15 significant digits.
                return Approximately(d, std::max(HalfUnitOf(node), 1e-14 * std::abs(d)));
            }
            const auto x = ParseCanonical(node.text);
            if (!x)
                return std::nullopt;
            return Exactly(*x);
        }
        case Kind::Row: {
            Items items;
            for (const MathNode& child : node.children)
                items.push_back(&child);
            return Sum(items);
        }
        case Kind::Fraction: {
            const auto top = Node(node.children.at(0));
            const auto bottom = Node(node.children.at(1));
            if (!top || !bottom)
                return std::nullopt;
            return Divide(*top, *bottom);
        }
        case Kind::Root: {
            const auto x = Node(node.children.at(0));
            return x ? SquareRoot(*x) : std::nullopt;
        }
        case Kind::Power: return Raise(node);
        case Kind::Group:
            if (node.text == "||")
                return Determinant(node.children.at(0));
            return Node(node.children.at(0));
        case Kind::Sigma: return Sum(node);
        case Kind::Operator:
        case Kind::Word:
        case Kind::Matrix:
        case Kind::Table: return std::nullopt;
        }
        return std::nullopt;
    }

private:
    static bool IsOp(const MathNode* item, std::initializer_list<std::string_view> ops)
    {
        return item->kind == Kind::Operator && std::find(ops.begin(), ops.end(), item->text) != ops.end();
    }

    // Terms joined by + - ± ∓, a sign allowed in front.
    std::optional<Num> Sum(const Items& items)
    {
        if (items.empty())
            return std::nullopt;
        Num total = Exactly(Algebraic(Rational(0)));
        std::size_t k = 0;
        while (k < items.size()) {
            int sign = 1;
            if (IsOp(items[k], {"+", "-", "±", "∓"})) {
                const std::string& op = items[k]->text;
                sign = op == "-" ? -1 : op == "±" ? scope_.plusMinus : op == "∓" ? -scope_.plusMinus : 1;
                ++k;
            } else if (k > 0) {
                return std::nullopt;
            }
            std::size_t end = k;
            while (end < items.size() && !IsOp(items[end], {"+", "-", "±", "∓"}))
                ++end;
            const auto term = Product(Items(
                items.begin() + static_cast<std::ptrdiff_t>(k), items.begin() + static_cast<std::ptrdiff_t>(end)));
            if (!term)
                return std::nullopt;
            total = Add(total, sign < 0 ? Negate(*term) : *term);
            k = end;
        }
        return total;
    }

    // Factors side by side or joined by × ÷ ·.
    std::optional<Num> Product(const Items& items)
    {
        if (items.empty())
            return std::nullopt;
        Num product = Exactly(Algebraic(Rational(1)));
        bool divide = false;
        bool expectFactor = true;
        for (std::size_t k = 0; k < items.size(); ++k) {
            const MathNode* item = items[k];
            if (item->kind == Kind::Word && !IsTrigonometric(*item))
                continue; // words beside a value ("（重解）") only describe it
            if (IsOp(item, {"×", "·", "÷"})) {
                if (expectFactor)
                    return std::nullopt;
                divide = item->text == "÷";
                expectFactor = true;
                continue;
            }
            if (item->kind == Kind::Operator)
                return std::nullopt;
            std::optional<Num> factor;
            if (IsTrigonometric(*item)) {
                // "sin 45°", "sin A": of the item that follows.
                if (k + 1 == items.size())
                    return std::nullopt;
                const auto angle = Node(*items[++k]);
                factor = angle ? Trigonometric(item->text, *angle) : std::nullopt;
            } else if (const Function* f = FunctionOf(*item);
                       f && k + 1 < items.size() && items[k + 1]->kind == Kind::Group) {
                factor = Apply(*f, *items[++k]);
            } else {
                factor = Node(*item);
            }
            if (!factor)
                return std::nullopt;
            if (divide) {
                const auto q = Divide(product, *factor);
                if (!q)
                    return std::nullopt;
                product = *q;
            } else {
                product = Multiply(product, *factor);
            }
            divide = false;
            expectFactor = false;
        }
        if (expectFactor)
            return std::nullopt;
        return product;
    }

    const Function* FunctionOf(const MathNode& item) const
    {
        if (item.kind != Kind::Name || !scope_.functions)
            return nullptr;
        const auto at = scope_.functions->find(item.text);
        return at == scope_.functions->end() ? nullptr : &at->second;
    }

    // P(a): the body with the function's variable set to a.
    std::optional<Num> Apply(const Function& f, const MathNode& argument)
    {
        const auto a = Node(argument);
        if (!a)
            return std::nullopt;
        Scope inner = scope_;
        inner.names[f.variable] = *a;
        return Evaluator(inner).Node(f.body);
    }

    std::optional<Num> Raise(const MathNode& node)
    {
        // An angle "45°" is its number of degrees, what sin and cos take.
        if (node.children.at(1).kind == Kind::Operator && node.children.at(1).text == "°")
            return Node(node.children.at(0));
        const auto base = Node(node.children.at(0));
        const auto exponent = Node(node.children.at(1));
        if (!base || !exponent || !exponent->exact)
            return std::nullopt;
        const auto e = exponent->exact->rational();
        if (!e || !e->isInteger() || e->bits() > 7)
            return std::nullopt;
        const long n = fmpz_get_si(fmpq_numref(e->get()));
        Num power = Exactly(Algebraic(Rational(1)));
        for (long k = 0; k < std::labs(n); ++k)
            power = Multiply(power, *base);
        if (n < 0)
            return Divide(Exactly(Algebraic(Rational(1))), power);
        return power;
    }

    // Σ summed term by term: the lower bound is "K=m".
    std::optional<Num> Sum(const MathNode& sigma)
    {
        const MathNode& lower = sigma.children.at(0);
        if (lower.kind != Kind::Row || lower.children.size() < 3 || lower.children[0].kind != Kind::Name
            || !IsOp(&lower.children[1], {"="}))
            return std::nullopt;
        const std::string index = lower.children[0].text;
        MathNode start = lower;
        start.children.erase(start.children.begin(), start.children.begin() + 2);
        const auto from = Integral(start);
        const auto to = Integral(sigma.children.at(1));
        if (!from || !to || *to - *from > 100000)
            return std::nullopt;
        Num total = Exactly(Algebraic(Rational(0)));
        const auto saved
            = scope_.names.find(index) != scope_.names.end() ? std::optional(scope_.names.at(index)) : std::nullopt;
        for (long k = *from; k <= *to; ++k) {
            scope_.names[index] = Exactly(Algebraic(Rational(k)));
            const auto term = Node(sigma.children.at(2));
            if (!term)
                return std::nullopt;
            total = Add(total, *term);
        }
        if (saved)
            scope_.names[index] = *saved;
        else
            scope_.names.erase(index);
        return total;
    }

    // |M|: the matrix between the bars expanded by its first row, all the
    // way down (at most 5 × 5, 120 products).
    std::optional<Num> Determinant(const MathNode& inside)
    {
        const MathNode* grid = &inside;
        if (grid->kind == Kind::Row && grid->children.size() == 1)
            grid = &grid->children.front();
        const auto n = static_cast<std::size_t>(std::max(0, grid->columns));
        if (grid->kind != Kind::Matrix || n == 0 || grid->children.size() != n * n)
            return std::nullopt;
        std::vector<Num> entries;
        for (const MathNode& entry : grid->children) {
            const auto value = Node(entry);
            if (!value)
                return std::nullopt;
            entries.push_back(*value);
        }
        std::vector<std::size_t> columns(n);
        for (std::size_t j = 0; j < n; ++j)
            columns[j] = j;
        return Expanded(entries, n, 0, columns);
    }

    static Num Expanded(
        const std::vector<Num>& a, std::size_t n, std::size_t row, const std::vector<std::size_t>& columns)
    {
        if (row + 1 == n)
            return a[row * n + columns.front()];
        Num total = Exactly(Algebraic(Rational(0)));
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const Num& entry = a[row * n + columns[k]];
            if (entry.exact && entry.exact->isZero())
                continue;
            std::vector<std::size_t> rest = columns;
            rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(k));
            const Num term = Multiply(entry, Expanded(a, n, row + 1, rest));
            total = Add(total, k % 2 == 0 ? term : Negate(term));
        }
        return total;
    }

    std::optional<long> Integral(const MathNode& node)
    {
        const auto value = Node(node);
        if (!value || !value->exact)
            return std::nullopt;
        const auto q = value->exact->rational();
        if (!q || !q->isInteger() || q->bits() > 40)
            return std::nullopt;
        return fmpz_get_si(fmpq_numref(q->get()));
    }

    Scope scope_;
};

// ------------------------------------------------------------ chains

void Names(const MathNode& node, std::set<std::string>& names)
{
    if (node.kind == Kind::Name && node.text != "i")
        names.insert(node.text);
    for (const MathNode& child : node.children)
        Names(child, names);
}

bool HasPlusMinus(const MathNode& node)
{
    if (node.kind == Kind::Operator && (node.text == "±" || node.text == "∓"))
        return true;
    return std::any_of(node.children.begin(), node.children.end(), HasPlusMinus);
}

// Names bound by Σ inside the member are not free there.
void SigmaIndices(const MathNode& node, std::set<std::string>& indices)
{
    if (node.kind == Kind::Sigma && !node.children.empty() && !node.children[0].children.empty())
        indices.insert(node.children[0].children[0].text);
    for (const MathNode& child : node.children)
        SigmaIndices(child, indices);
}

using Values = std::vector<Num>;
using NumBindings = std::map<std::string, Values>;

// Every value of a member: every choice of the names' values and of "±".
std::optional<Values> ValuesOf(const MathNode& member, const NumBindings& names, const Functions* functions = nullptr)
{
    std::set<std::string> used, indices;
    Names(member, used);
    SigmaIndices(member, indices);
    std::vector<std::string> free;
    for (const std::string& name : used)
        if (!indices.count(name) && !(functions && functions->count(name)))
            free.push_back(name);
    for (const std::string& name : free)
        if (!names.count(name))
            return std::nullopt;
    Values out;
    const std::vector<int> signs = HasPlusMinus(member) ? std::vector<int>{1, -1} : std::vector<int>{1};
    std::function<bool(std::size_t, Scope&)> choose = [&](std::size_t k, Scope& scope) {
        if (k == free.size()) {
            for (int sign : signs) {
                scope.plusMinus = sign;
                const auto v = Evaluator(scope).Node(member);
                if (!v)
                    return false;
                out.push_back(*v);
            }
            return true;
        }
        for (const Num& value : names.at(free[k])) {
            scope.names[free[k]] = value;
            if (!choose(k + 1, scope))
                return false;
        }
        return true;
    };
    Scope scope;
    scope.functions = functions;
    if (!choose(0, scope))
        return std::nullopt;
    return out;
}

bool SameSets(const Values& a, const Values& b, double tolerance)
{
    const auto within = [tolerance](const Values& from, const Values& to) {
        return std::all_of(from.begin(), from.end(), [&](const Num& x) {
            return std::any_of(to.begin(), to.end(), [&](const Num& y) { return Same(x, y, tolerance); });
        });
    };
    return !a.empty() && !b.empty() && within(a, b) && within(b, a);
}

bool Ordered(const Values& a, const Values& b, std::string_view op)
{
    for (const Num& x : a) {
        for (const Num& y : b) {
            const double gap = x.near.real() - y.near.real();
            const double slack = x.radius + y.radius;
            if (std::abs(x.near.imag()) > 1e-300 || std::abs(y.near.imag()) > 1e-300)
                return false;
            bool holds = false;
            if (x.exact && y.exact && slack == 0) {
                const Algebraic d = *x.exact - *y.exact;
                const int s = d.isZero() ? 0 : d.realSign();
                holds = op == ">" ? s > 0 : op == "<" ? s < 0 : op == "≧" ? s >= 0 : op == "≦" ? s <= 0 : s != 0;
            } else {
                holds = op == ">" || op == "≧" ? gap > slack
                    : op == "<" || op == "≦"   ? gap < -slack
                                               : std::abs(gap) > slack;
            }
            if (!holds)
                return false;
        }
    }
    return !a.empty() && !b.empty();
}

bool IsRelation(const MathNode& node)
{
    static const std::set<std::string_view> relations{"=", "≈", ">", "<", "≠", "≧", "≦"};
    return node.kind == Kind::Operator && relations.count(node.text);
}

bool HasKind(const MathNode& node, Kind kind)
{
    return node.kind == kind || std::any_of(node.children.begin(), node.children.end(), [kind](const MathNode& c) {
        return HasKind(c, kind);
    });
}

// A matrix that is not a determinant's (a determinant has a value).
bool HasLooseMatrix(const MathNode& node)
{
    if (node.kind == Kind::Group && node.text == "||")
        return false;
    return node.kind == Kind::Matrix || std::any_of(node.children.begin(), node.children.end(), HasLooseMatrix);
}

// A chain: its members and the relations between them; the last member may
// be a list of values.
struct Chain {
    std::vector<std::vector<MathNode>> members; // each a list of alternatives
    std::vector<std::string> relations;
};

std::vector<Chain> ChainsOf(const MathNode& math)
{
    if (math.kind != Kind::Row)
        return {};
    std::vector<std::vector<MathNode>> parts(1);
    for (const MathNode& item : math.children) {
        if (item.kind == Kind::Operator && item.text == ",")
            parts.emplace_back();
        else
            parts.back().push_back(item);
    }
    const auto hasRelation
        = [](const std::vector<MathNode>& part) { return std::any_of(part.begin(), part.end(), IsRelation); };
    const auto split = [](const std::vector<MathNode>& part) {
        Chain chain;
        chain.members.push_back({MathNode{}});
        for (const MathNode& item : part) {
            if (IsRelation(item)) {
                chain.relations.push_back(item.text);
                chain.members.push_back({MathNode{}});
            } else {
                chain.members.back().front().children.push_back(item);
            }
        }
        return chain;
    };
    std::vector<Chain> chains;
    if (std::all_of(parts.begin(), parts.end(), hasRelation)) {
        for (const auto& part : parts)
            chains.push_back(split(part));
    } else if (hasRelation(parts.front())) {
        Chain chain = split(parts.front());
        for (std::size_t k = 1; k < parts.size(); ++k) {
            MathNode alternative;
            alternative.children = parts[k];
            chain.members.back().push_back(alternative);
        }
        chains.push_back(chain);
    }
    return chains;
}

std::optional<Values> MemberValues(
    const std::vector<MathNode>& alternatives, const NumBindings& names, const Functions* functions)
{
    Values all;
    for (const MathNode& alternative : alternatives) {
        const auto values = ValuesOf(alternative, names, functions);
        if (!values)
            return std::nullopt;
        all.insert(all.end(), values->begin(), values->end());
    }
    return all;
}

// The name a member consists of, if it is a lone name.
std::optional<std::string> LoneName(const std::vector<MathNode>& alternatives)
{
    if (alternatives.size() != 1 || alternatives[0].children.size() != 1)
        return std::nullopt;
    const MathNode& only = alternatives[0].children[0];
    if (only.kind != Kind::Name || only.text == "i")
        return std::nullopt;
    return only.text;
}

// The value of the one free name N that makes the affine member f(N) equal
// to each target value ("D/4 = 17" gives D = 68); nothing when the member
// is not affine in one free name.
std::optional<Values> Solve(
    const MathNode& member, const NumBindings& names, const Functions* functions, const Values& targets)
{
    std::set<std::string> used;
    Names(member, used);
    std::vector<std::string> free;
    for (const std::string& name : used)
        if (!names.count(name) && !functions->count(name))
            free.push_back(name);
    if (free.size() != 1)
        return std::nullopt;
    const auto at = [&](long n) -> std::optional<Num> {
        NumBindings trial = names;
        trial[free[0]] = {Exactly(Algebraic(Rational(n)))};
        const auto v = ValuesOf(member, trial, functions);
        if (!v || v->size() != 1)
            return std::nullopt;
        return v->front();
    };
    const auto f0 = at(0), f1 = at(1), f2 = at(2);
    if (!f0 || !f1 || !f2)
        return std::nullopt;
    if (!f0->exact || !f1->exact || !f2->exact) {
        // A member with a decimal in it ("a/sin 41.3°"): affine within the
        // decimals' radii.
        const std::complex<double> slope = f1->near - f0->near;
        const double slack = f0->radius + 2 * f1->radius + f2->radius
            + 1e-12 * (std::abs(f0->near) + std::abs(f1->near) + std::abs(f2->near));
        if (std::abs(slope) <= slack || std::abs(f2->near - f1->near - slope) > slack)
            return std::nullopt;
        Values solved;
        for (const Num& target : targets) {
            const auto x = Divide(Add(target, Negate(*f0)), Approximately(slope, f0->radius + f1->radius));
            if (!x)
                return std::nullopt;
            solved.push_back(*x);
        }
        return solved;
    }
    const Algebraic slope = *f1->exact - *f0->exact;
    if (slope.isZero() || !(*f2->exact - *f1->exact == slope))
        return std::nullopt;
    Values solved;
    for (const Num& target : targets) {
        const auto x = Divide(Add(target, Negate(*f0)), Exactly(slope));
        if (!x)
            return std::nullopt;
        solved.push_back(*x);
    }
    return solved;
}

// "P(x)": a function's name and its variable in brackets.
std::optional<std::pair<std::string, std::string>> Signature(const std::vector<MathNode>& alternatives)
{
    if (alternatives.size() != 1 || alternatives[0].children.size() != 2)
        return std::nullopt;
    const MathNode& name = alternatives[0].children[0];
    const MathNode& group = alternatives[0].children[1];
    if (name.kind != Kind::Name || group.kind != Kind::Group || group.children.size() != 1)
        return std::nullopt;
    const MathNode* variable = &group.children[0];
    if (variable->kind == Kind::Row && variable->children.size() == 1)
        variable = &variable->children[0];
    if (variable->kind != Kind::Name || variable->text == "i")
        return std::nullopt;
    return std::pair(name.text, variable->text);
}

// The rule of an equation of simultaneous equations: it holds at the
// solution, like the problem.
constexpr char kHeldEquation[] = "elimination.equation";

struct Marker {
    NumBindings& names;
    QStringList& failures;
    Functions& functions;

    void Fail(const Step& step, const QString& why)
    {
        failures.append(QStringLiteral("%1: %2").arg(why, QString::fromStdString(PlainLine(step))));
    }

    // Checks each chain of the step; a chain that starts with a free name
    // binds it.
    void Check(const Step& step, bool bind)
    {
        for (const Chain& chain : ChainsOf(step.math)) {
            if (std::any_of(chain.members.begin(), chain.members.end(), [](const auto& alternatives) {
                    return std::any_of(alternatives.begin(), alternatives.end(),
                        [](const MathNode& m) { return HasLooseMatrix(m) || HasKind(m, Kind::Table); });
                }))
                continue; // matrices are checked by their own tests
            // "P(x) = x³ - 2x + 1" names a function of x.
            if (const auto signature = Signature(chain.members[0]); bind && signature && !names.count(signature->first)
                && !functions.count(signature->first) && chain.relations.front() == "="
                && chain.members[1].size() == 1) {
                functions[signature->first] = {signature->second, chain.members[1].front()};
                continue;
            }
            std::size_t first = 0;
            std::optional<std::string> defined;
            const auto lone = LoneName(chain.members[0]);
            if (bind && lone && !names.count(*lone) && chain.relations.front() == "=") {
                defined = lone;
                first = 1;
            }
            std::optional<Values> previous = MemberValues(chain.members[first], names, &functions);
            std::optional<std::string> solvedName;
            if (!previous && first == 0 && bind && chain.relations.front() == "=" && chain.members.size() > 1) {
                // "D/4 = …": the member holds one name not yet bound.
                const auto right = MemberValues(chain.members[1], names, &functions);
                const auto& left = chain.members[0];
                if (right && left.size() == 1) {
                    if (const auto solved = Solve(left[0], names, &functions, *right)) {
                        std::set<std::string> used;
                        Names(left[0], used);
                        for (const std::string& name : used)
                            if (!names.count(name) && !functions.count(name))
                                solvedName = name;
                        names[*solvedName] = *solved;
                        previous = MemberValues(chain.members[0], names, &functions);
                    }
                }
            }
            if (!previous) {
                Fail(step, QStringLiteral("cannot evaluate"));
                continue;
            }
            if (defined)
                names[*defined] = *previous;
            for (std::size_t k = first + 1; k < chain.members.size(); ++k) {
                const std::string& op = chain.relations[k - 1];
                const auto next = MemberValues(chain.members[k], names, &functions);
                if (!next) {
                    Fail(step, QStringLiteral("cannot evaluate"));
                    break;
                }
                bool holds = false;
                if (op == "=")
                    holds = SameSets(*previous, *next, 0);
                else if (op == "≈") {
                    MathNode right;
                    right.children = chain.members[k].front().children;
                    holds = SameSets(*previous, *next, HalfUnitOf(right));
                } else
                    holds = Ordered(*previous, *next, op);
                if (!holds)
                    Fail(step, QStringLiteral("%1 does not hold").arg(QString::fromStdString(op)));
                previous = next;
            }
        }
    }

    // An identity holds whatever its free names are: each is set to several
    // integers in turn.
    void CheckIdentity(const Step& step)
    {
        std::set<std::string> used;
        Names(step.math, used);
        std::set<std::string> indices;
        SigmaIndices(step.math, indices);
        std::mt19937 random(12345);
        std::uniform_int_distribution<long> pick(0, 30);
        for (int trial = 0; trial < 6; ++trial) {
            NumBindings trialNames = names;
            for (const std::string& name : used)
                if (!names.count(name) && !indices.count(name) && !functions.count(name))
                    trialNames[name] = {Exactly(Algebraic(Rational(pick(random))))};
            Marker{trialNames, failures, functions}.Check(step, false);
        }
    }

    // A problem, checked with every name bound; an equation the unknowns
    // of simultaneous equations satisfy, once the steps have found them all
    // (a system without one solution finds none, and its equations that
    // speak of no unknown, "0 = 0", are not the solution's to check).
    void CheckAtEnd(const Step& step)
    {
        if (step.rule == kHeldEquation) {
            std::set<std::string> used;
            Names(step.math, used);
            if (used.empty() || std::any_of(used.begin(), used.end(), [&](const auto& n) { return !names.count(n); }))
                return;
        }
        Check(step, false);
    }

    void Walk(const Step& step, std::vector<const Step*>& problems)
    {
        if (step.rule == StepRule::kProblem || step.rule == kHeldEquation)
            problems.push_back(&step);
        else if (step.rule == StepRule::kIdentity)
            CheckIdentity(step);
        else
            Check(step, true);
        if (step.substeps.empty())
            return;
        // Substeps work in a scope of their own (a factor solved on its own,
        // with its own a, b, c and x): their problems are checked at the end
        // of it, and what they bind is forgotten after it.
        const NumBindings outer = names;
        std::vector<const Step*> inner;
        for (const Step& substep : step.substeps)
            Walk(substep, inner);
        for (const Step* problem : inner)
            CheckAtEnd(*problem);
        names = outer;
    }
};

} // namespace

std::optional<std::vector<Algebraic>> Evaluate(const MathNode& node, const Bindings& names)
{
    NumBindings numeric;
    for (const auto& [name, values] : names)
        for (const Algebraic& value : values)
            numeric[name].push_back(Exactly(value));
    const auto values = ValuesOf(node, numeric);
    if (!values)
        return std::nullopt;
    std::vector<Algebraic> out;
    for (const Num& v : *values) {
        if (!v.exact)
            return std::nullopt;
        out.push_back(*v.exact);
    }
    return out;
}

QStringList CheckSteps(const WorkedSteps& steps, Bindings& names)
{
    NumBindings numeric;
    for (const auto& [name, values] : names)
        for (const Algebraic& value : values)
            numeric[name].push_back(Exactly(value));
    QStringList failures;
    Functions functions;
    Marker marker{numeric, failures, functions};
    std::vector<const Step*> problems;
    for (const Step& step : steps.steps)
        marker.Walk(step, problems);
    // The problem holds at what the steps found.
    for (const Step* problem : problems)
        marker.CheckAtEnd(*problem);
    for (const auto& [name, values] : numeric) {
        std::vector<Algebraic> exact;
        for (const Num& v : values)
            if (v.exact)
                exact.push_back(*v.exact);
        names[name] = exact;
    }
    return failures;
}
