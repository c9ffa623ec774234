// SPDX-License-Identifier: MIT
#include "exact_support.h"

#include "exact_reading.h"

#include <string>

namespace {

// (t₁ ± t₂ ± …)/d or t₁ ± t₂ ± …[/d] with terms c, c√m or √m.
class CanonicalParser {
public:
    explicit CanonicalParser(std::string_view text)
        : text_(text)
    {
    }

    std::optional<Algebraic> parse()
    {
        const bool grouped = take("(");
        auto sum = terms();
        if (!sum || (grouped && !take(")")))
            return std::nullopt;
        Integer d(1);
        if (take("/") && (!integer(d) || d == Integer(0)))
            return std::nullopt;
        if (grouped && d == Integer(1))
            return std::nullopt;
        if (pos_ != text_.size())
            return std::nullopt;
        return *sum * Rational(Integer(1), d);
    }

private:
    bool take(std::string_view token)
    {
        if (text_.substr(pos_, token.size()) != token)
            return false;
        pos_ += token.size();
        return true;
    }

    bool integer(Integer& n)
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        if (pos_ == start)
            return false;
        n = Integer(text_.substr(start, pos_ - start));
        return true;
    }

    std::optional<Algebraic> terms()
    {
        Algebraic sum;
        for (bool first = true;; first = false) {
            const bool negative = take("-");
            if (!negative && !first && !take("+"))
                return sum;
            Integer c(1), m(1);
            const bool coefficient = integer(c);
            const bool root = take("√");
            if ((!coefficient && !root) || (root && (!integer(m) || m == Integer(0))))
                return std::nullopt;
            const Rational signedC(c, negative ? -1 : 1);
            sum = sum + Sqrt(Algebraic(m)) * signedC;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<Algebraic> ParseCanonical(std::string_view text)
{
    return CanonicalParser(text).parse();
}

std::vector<CoefficientBoxes> Boxes(const QStringList& coefficients)
{
    std::vector<CoefficientBoxes> boxes;
    for (const QString& c : coefficients) {
        const QStringList parts = c.split(QLatin1Char(','));
        boxes.push_back({parts.value(0).toStdString(), parts.value(1).toStdString()});
    }
    return boxes;
}

BoxRows Rows(const QStringList& rows)
{
    BoxRows boxes;
    for (const QString& row : rows) {
        boxes.emplace_back();
        for (const QString& entry : row.split(' ', Qt::SkipEmptyParts))
            boxes.back().push_back(entry == QLatin1String("_") ? std::string() : entry.toStdString());
    }
    return boxes;
}

std::vector<std::string> Column(const QStringList& texts)
{
    std::vector<std::string> column;
    for (const QString& text : texts)
        column.push_back(text.toStdString());
    return column;
}

std::vector<std::vector<Rational>> Numbers(const BoxRows& boxes)
{
    std::vector<std::vector<Rational>> m;
    for (const auto& row : boxes) {
        m.emplace_back();
        for (const std::string& entry : row)
            m.back().push_back(*ReadExact(entry));
    }
    return m;
}
