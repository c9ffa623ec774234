// SPDX-License-Identifier: MIT
#include "exact_library.h"

#include "exact_api.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

#include <cstdio>

namespace {

QStringList Candidates()
{
    QStringList paths;
    const QString chosen = qEnvironmentVariable("KALVORA_EXACT_MODULE");
    if (!chosen.isEmpty())
        paths << chosen;
    const QString here = QCoreApplication::applicationDirPath();
    paths << here + QStringLiteral("/kalvora-exact")
          << here + QStringLiteral("/" KALVORA_MODULE_FROM_PROGRAM "/kalvora-exact");
    return paths;
}

const ExactApi* Load()
{
    QStringList tried;
    for (const QString& path : Candidates()) {
        QLibrary module(path);
        // Its symbols stay to itself; it is never unloaded.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        using Entry = const ExactApi* (*)();
        if (module.load()) {
            if (auto entry = reinterpret_cast<Entry>(module.resolve(kExactApiSymbol)))
                return entry();
        }
        tried << module.errorString();
    }
    std::fprintf(
        stderr, "kalvora: exact answers are not available: %s\n", qPrintable(tried.join(QStringLiteral("; "))));
    return nullptr;
}

const ExactApi* Library()
{
    static const ExactApi* const api = Load();
    return api;
}

} // namespace

namespace Exact {

std::vector<ExactRoot> Roots(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    return Library() ? Library()->roots(keisuu, shown) : std::vector<ExactRoot>(shown.size());
}

ExactVector Solve(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    return Library() ? Library()->solve(rows, rhs) : ExactVector{};
}

ExactText Determinant(const BoxRows& rows)
{
    return Library() ? Library()->determinant(rows) : std::nullopt;
}

ExactMatrix Inverse(const BoxRows& rows)
{
    return Library() ? Library()->inverse(rows) : ExactMatrix{};
}

ExactText Sigma(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu)
{
    return Library() ? Library()->sigma(first, last, keisuu) : std::nullopt;
}

ExactText TriangleArea(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK)
{
    return Library() ? Library()->triangleArea(txtH, txtK) : std::nullopt;
}

} // namespace Exact
