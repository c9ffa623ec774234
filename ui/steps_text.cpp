// SPDX-License-Identifier: MIT
#include "steps_text.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using Kind = MathNode::Kind;

bool IsAdditive(std::string_view op)
{
    return op == "+" || op == "-" || op == "±" || op == "∓";
}

// An operator is unary at the start of a row and right after another
// operator: "-3", "x = ±√t".
bool IsUnary(const std::vector<MathNode>& items, std::size_t k)
{
    return k == 0 || items[k - 1].kind == Kind::Operator;
}

// True when the row adds or relates two of its items at its own level:
// "-b ± √D" does, "-3", "4ac" and "10×11" do not, so that "10×11/2" needs
// no brackets.
bool HasBinaryOperator(const MathNode& node)
{
    if (node.kind != Kind::Row)
        return false;
    for (std::size_t k = 0; k < node.children.size(); ++k) {
        const MathNode& item = node.children[k];
        const bool product = item.text == "×" || item.text == "÷" || item.text == "·";
        if (item.kind == Kind::Operator && !product && !IsUnary(node.children, k))
            return true;
    }
    return false;
}

// The number of UTF-8 characters, for lining up a table's columns.
std::size_t Characters(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// ------------------------------------------------------------ plain text

// The matrix of a determinant, a group with the brackets "||" around it.
const MathNode* DeterminantGrid(const MathNode& group)
{
    if (group.kind != Kind::Group || group.text != "||" || group.children.empty())
        return nullptr;
    const MathNode* inside = &group.children.front();
    if (inside->kind == Kind::Row && inside->children.size() == 1)
        inside = &inside->children.front();
    return inside->kind == Kind::Matrix ? inside : nullptr;
}

std::string Plain(const MathNode& node, bool tight);

// A piece that needs no brackets where it is a factor, a base or a radicand.
bool IsAtom(const MathNode& node)
{
    switch (node.kind) {
    case Kind::Number:
    case Kind::Name:
    case Kind::Group:
    case Kind::Matrix: return true;
    case Kind::Value: return node.text.find_first_of("+-/") == std::string::npos;
    case Kind::Row: return node.children.size() == 1 && IsAtom(node.children.front());
    default: return false;
    }
}

std::string Bracketed(const MathNode& node, bool tight)
{
    std::string out = "(";
    out += Plain(node, tight);
    out += ')';
    return out;
}

// "²" for 2: exponents of digits are written raised.
std::string Superscript(std::string_view digits)
{
    static const char* const raised[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string out;
    for (char c : digits)
        out += raised[c - '0'];
    return out;
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Where one item follows another with nothing between them, a product: a
// space keeps "√3 i", "1/2 x" and "1/2 (x - 1)" from reading as √(3i),
// 1/(2x) or 1/(2(x - 1)).
bool NeedsSpace(const MathNode& left, const MathNode& right)
{
    // Japanese brackets sit against what they follow: "1（重解）".
    if (right.kind == Kind::Word)
        return !right.text.starts_with("（");
    if (left.kind == Kind::Word)
        return true;
    const bool leftEndsAsFraction = left.kind == Kind::Fraction || left.kind == Kind::Root || left.kind == Kind::Sigma
        || (left.kind == Kind::Value
            && (left.text.find('/') != std::string::npos || left.text.find("√") != std::string::npos));
    return leftEndsAsFraction;
}

std::string PlainRow(const std::vector<MathNode>& items, bool tight, bool spaced)
{
    std::string out;
    for (std::size_t k = 0; k < items.size(); ++k) {
        const MathNode& item = items[k];
        if (item.kind == Kind::Operator) {
            const std::string& op = item.text;
            if (op == ",")
                out += tight ? "," : ", ";
            else if (op == "×" && spaced && !tight)
                out += " × ";
            else if (op == "×" || op == "÷" || op == "·" || tight)
                out += op;
            else if (IsUnary(items, k) && IsAdditive(op))
                out += op;
            else
                out += " " + op + " ";
            continue;
        }
        if (k > 0 && items[k - 1].kind != Kind::Operator && NeedsSpace(items[k - 1], item))
            out += " ";
        out += Plain(item, tight);
    }
    return out;
}

std::string PlainTable(const MathNode& node)
{
    const std::size_t columns = static_cast<std::size_t>(std::max(1, node.columns));
    std::vector<std::string> cells;
    std::vector<std::size_t> widths(columns, 0);
    for (std::size_t k = 0; k < node.children.size(); ++k) {
        cells.push_back(Plain(node.children[k], false));
        widths[k % columns] = std::max(widths[k % columns], Characters(cells.back()));
    }
    std::string out;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        const std::size_t column = k % columns;
        if (column == 0 && k > 0)
            out += "\n";
        if (column > 0)
            out += (node.bar > 0 && column == static_cast<std::size_t>(node.bar)) ? " | " : "  ";
        out += std::string(widths[column] - Characters(cells[k]), ' ') + cells[k];
    }
    return out;
}

std::string PlainMatrix(const MathNode& node)
{
    const std::size_t columns = static_cast<std::size_t>(std::max(1, node.columns));
    std::string out = "(";
    for (std::size_t k = 0; k < node.children.size(); ++k) {
        const std::size_t column = k % columns;
        if (column == 0)
            out += (k > 0 ? "), (" : "(");
        else
            out += (node.bar > 0 && column == static_cast<std::size_t>(node.bar)) ? " | " : ", ";
        out += Plain(node.children[k], false);
    }
    return out + (node.children.empty() ? ")" : "))");
}

std::string Plain(const MathNode& node, bool tight)
{
    const auto child = [&node](std::size_t k) -> const MathNode& { return node.children.at(k); };
    switch (node.kind) {
    case Kind::Number:
    case Kind::Name:
    case Kind::Word:
    case Kind::Value:
    case Kind::Operator: return node.text;
    case Kind::Row: return PlainRow(node.children, tight, node.text == kSpacedRow);
    case Kind::Fraction: {
        const MathNode& top = child(0);
        const MathNode& bottom = child(1);
        const bool topBrackets = HasBinaryOperator(top) || top.kind == Kind::Fraction;
        return (topBrackets ? Bracketed(top, tight) : Plain(top, tight)) + "/"
            + (IsAtom(bottom) || bottom.kind == Kind::Root || bottom.kind == Kind::Power ? Plain(bottom, tight)
                                                                                         : Bracketed(bottom, tight));
    }
    case Kind::Root: return "√" + (IsAtom(child(0)) ? Plain(child(0), tight) : Bracketed(child(0), tight));
    case Kind::Power: {
        const std::string base = IsAtom(child(0)) ? Plain(child(0), tight) : Bracketed(child(0), tight);
        if (child(1).kind == Kind::Operator && child(1).text == "°")
            return base + "°"; // an angle in degrees: "45°"
        if (child(1).kind == Kind::Number && AllDigits(child(1).text))
            return base + Superscript(child(1).text);
        // "A⁻¹": a minus and digits.
        if (const MathNode& e = child(1); e.kind == Kind::Row && e.children.size() == 2
            && e.children[0].kind == Kind::Operator && e.children[0].text == "-" && e.children[1].kind == Kind::Number
            && AllDigits(e.children[1].text))
            return base + "⁻" + Superscript(e.children[1].text);
        return base + "^" + (IsAtom(child(1)) ? Plain(child(1), true) : Bracketed(child(1), true));
    }
    case Kind::Group: {
        // A determinant's rows between its bars: "|(1, 2), (3, 4)|".
        if (const MathNode* grid = DeterminantGrid(node)) {
            const std::string rows = PlainMatrix(*grid);
            return "|" + rows.substr(1, rows.size() - 2) + "|";
        }
        const std::string brackets = node.text.empty() ? "()" : node.text;
        // The brackets are one character each, perhaps several bytes.
        const std::size_t open = brackets.size() / 2;
        return brackets.substr(0, open) + Plain(child(0), tight) + brackets.substr(open);
    }
    case Kind::Sigma:
        return "Σ_{" + Plain(child(0), true) + "}^{" + Plain(child(1), true) + "} " + Plain(child(2), tight);
    case Kind::Matrix: return PlainMatrix(node);
    case Kind::Table: return PlainTable(node);
    }
    return {};
}

bool StartsWithAny(std::string_view text, std::initializer_list<std::string_view> heads)
{
    return std::any_of(heads.begin(), heads.end(), [text](std::string_view head) { return text.starts_with(head); });
}

void PlainLines(const Step& step, const std::string& indent, std::string& out)
{
    std::string line = indent + PlainLine(step);
    // A table's rows each start at the step's indent.
    for (std::size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at + 1 + indent.size()))
        line.insert(at + 1, indent);
    if (!out.empty())
        out += "\n";
    out += line;
    for (const Step& substep : step.substeps)
        PlainLines(substep, indent + "  ", out);
}

// ------------------------------------------------------------ LaTeX

std::string Latex(const MathNode& node);

// Raised digits and minus in words ("x⁴ の係数", "A⁻¹"): the Japanese
// fonts of TeX have no glyphs of their own for them. The character a raised
// mark at `at` stands for ('0'…'9', '-') and its length, or 0.
std::pair<char, std::size_t> RaisedAt(std::string_view words, std::size_t at)
{
    static constexpr std::string_view marks[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹", "⁻"};
    for (std::size_t k = 0; k < std::size(marks); ++k)
        if (words.substr(at, marks[k].size()) == marks[k])
            return {k < 10 ? char('0' + k) : '-', marks[k].size()};
    return {0, 0};
}

std::string Escaped(std::string_view words)
{
    std::string out;
    for (std::size_t at = 0; at < words.size(); ++at) {
        if (RaisedAt(words, at).second > 0) {
            out += "\\textsuperscript{";
            for (auto raised = RaisedAt(words, at); raised.second > 0; raised = RaisedAt(words, at)) {
                out += raised.first;
                at += raised.second;
            }
            out += '}';
            --at; // the loop steps to the character after the marks
            continue;
        }
        const char c = words[at];
        switch (c) {
        case '\\': out += "\\textbackslash{}"; break;
        case '{':
        case '}':
        case '%':
        case '$':
        case '#':
        case '&':
        case '_':
            out += '\\';
            out += c;
            break;
        case '^': out += "\\textasciicircum{}"; break;
        case '~': out += "\\textasciitilde{}"; break;
        case '|': out += "\\textbar{}"; break;
        default: out += c;
        }
    }
    return out;
}

std::string LatexOperator(std::string_view op)
{
    if (op == "≈")
        return "\\approx";
    if (op == "≠")
        return "\\neq";
    if (op == "≧")
        return "\\geqq";
    if (op == "≦")
        return "\\leqq";
    if (op == "±")
        return "\\pm";
    if (op == "∓")
        return "\\mp";
    if (op == "×")
        return "\\times";
    if (op == "÷")
        return "\\div";
    if (op == "·")
        return "\\cdot";
    if (op == ",")
        return ",\\ ";
    if (op == "°")
        return "\\circ";
    return std::string(op);
}

// The roots of a canonical text's terms: "3√15" → "3\sqrt{15}".
std::string LatexTerms(std::string_view terms)
{
    std::string out;
    const std::string_view root = "√";
    for (std::size_t k = 0; k < terms.size();) {
        if (terms.substr(k, root.size()) == root) {
            std::size_t end = k + root.size();
            while (end < terms.size() && terms[end] >= '0' && terms[end] <= '9')
                ++end;
            out += "\\sqrt{" + std::string(terms.substr(k + root.size(), end - k - root.size())) + "}";
            k = end;
        } else {
            out += terms[k++];
        }
    }
    return out;
}

// A canonical text (exact_types.h) or "≈" and a decimal.
std::string LatexValue(std::string_view text)
{
    const std::string_view approx = "≈";
    if (text.starts_with(approx))
        return "\\approx " + std::string(text.substr(approx.size()));
    const std::size_t bar = text.rfind('/');
    if (bar == std::string_view::npos)
        return LatexTerms(text);
    std::string_view top = text.substr(0, bar);
    const std::string_view bottom = text.substr(bar + 1);
    std::string sign;
    if (top.starts_with('(') && top.ends_with(')')) {
        top = top.substr(1, top.size() - 2);
    } else if (top.starts_with('-')) {
        sign = "-";
        top.remove_prefix(1);
    }
    return sign + "\\frac{" + LatexTerms(top) + "}{" + std::string(bottom) + "}";
}

std::string LatexGrid(const MathNode& node, bool table, const char* environment = "pmatrix")
{
    const std::size_t columns = static_cast<std::size_t>(std::max(1, node.columns));
    std::string spec;
    for (std::size_t c = 0; c < columns; ++c) {
        if (node.bar > 0 && c == static_cast<std::size_t>(node.bar))
            spec += "|";
        spec += table ? "r" : "c";
    }
    const std::size_t rows = (node.children.size() + columns - 1) / columns;
    std::string body;
    for (std::size_t k = 0; k < node.children.size(); ++k) {
        const std::size_t column = k % columns;
        if (column > 0)
            body += " & ";
        body += Latex(node.children[k]);
        if (column + 1 == columns && k + 1 < node.children.size()) {
            body += " \\\\ ";
            if (table && k / columns + 2 == rows)
                body += "\\hline ";
        }
    }
    if (!table && node.bar == 0)
        return std::string("\\begin{") + environment + "} " + body + " \\end{" + environment + "}";
    const std::string array = "\\begin{array}{" + spec + "} " + body + " \\end{array}";
    return table ? array : "\\left(" + array + "\\right)";
}

std::string Latex(const MathNode& node)
{
    const auto child = [&node](std::size_t k) { return Latex(node.children.at(k)); };
    switch (node.kind) {
    case Kind::Number:
    case Kind::Name: return node.text;
    case Kind::Operator: return LatexOperator(node.text);
    case Kind::Word:
        // The functions' names stand upright as the textbook prints them.
        if (node.text == "sin" || node.text == "cos")
            return "\\" + node.text;
        return "\\text{" + Escaped(node.text) + "}";
    case Kind::Value: return LatexValue(node.text);
    case Kind::Row: {
        std::string out;
        for (const MathNode& item : node.children) {
            if (!out.empty())
                out += ' ';
            out += Latex(item);
        }
        return out;
    }
    case Kind::Fraction: return "\\frac{" + child(0) + "}{" + child(1) + "}";
    case Kind::Root: return "\\sqrt{" + child(0) + "}";
    case Kind::Power: return "{" + child(0) + "}^{" + child(1) + "}";
    case Kind::Group:
        if (node.text == "{}")
            return "\\left\\{" + child(0) + "\\right\\}";
        if (node.text == "[]")
            return "\\left[" + child(0) + "\\right]";
        if (node.text == "||") {
            if (const MathNode* grid = DeterminantGrid(node))
                return LatexGrid(*grid, false, "vmatrix");
            return "\\left|" + child(0) + "\\right|";
        }
        return "\\left(" + child(0) + "\\right)";
    case Kind::Sigma: return "\\sum_{" + child(0) + "}^{" + child(1) + "} " + child(2);
    case Kind::Matrix: return LatexGrid(node, false);
    case Kind::Table: return LatexGrid(node, true);
    }
    return {};
}

std::string LatexLine(const Step& step, int depth)
{
    std::string line = "&";
    for (int k = 0; k < depth; ++k)
        line += "\\quad ";
    std::string parts;
    const auto add = [&parts](const std::string& part) { parts += (parts.empty() ? "" : "\\ ") + part; };
    if (!step.caption.empty())
        add("\\text{" + Escaped(step.caption) + "}");
    if (!step.math.children.empty() || step.math.kind != Kind::Row)
        add(Latex(step.math));
    if (!step.remark.empty())
        add("\\text{" + Escaped(step.remark) + "}");
    return line + parts;
}

void LatexLines(const Step& step, int depth, std::vector<std::string>& lines)
{
    lines.push_back(LatexLine(step, depth));
    for (const Step& substep : step.substeps)
        LatexLines(substep, depth + 1, lines);
}

} // namespace

std::string PlainText(const MathNode& node)
{
    return Plain(node, false);
}

std::string PlainLine(const Step& step)
{
    std::string line = step.caption;
    const std::string math = PlainText(step.math);
    if (!math.empty())
        line += (line.empty() ? "" : " ") + math;
    if (!step.remark.empty()) {
        // Brackets and punctuation of Japanese sit against what they follow.
        const bool against = StartsWithAny(step.remark, {"（", "、", "。", "）"});
        line += (line.empty() || against ? "" : " ") + step.remark;
    }
    return line;
}

std::string PlainText(const WorkedSteps& steps)
{
    std::string out;
    for (const Step& step : steps.steps)
        PlainLines(step, "", out);
    return out;
}

std::string LatexText(const MathNode& node)
{
    return Latex(node);
}

std::string LatexText(const WorkedSteps& steps)
{
    std::vector<std::string> lines;
    for (const Step& step : steps.steps)
        LatexLines(step, 0, lines);
    std::string out = "\\begin{align*}\n";
    for (std::size_t k = 0; k < lines.size(); ++k)
        out += lines[k] + (k + 1 < lines.size() ? " \\\\\n" : "\n");
    return out + "\\end{align*}";
}
