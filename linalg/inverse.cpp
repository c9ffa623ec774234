// SPDX-License-Identifier: MIT
#include "inverse.h"

Outcome<Matrix> Gyakugyouretu(Matrix Gyouretu, int Gen)
{
    const int n = Gen;
    const Rejection refused{kGyakuMessage, {}};
    if (ZeroRow(Gyouretu, n) != 0)
        return refused;

    Matrix Gyaku{};
    for (int i = 1; i <= n; ++i)
        Gyaku[i][i] = 1;

    // In Gyouretu the rows taking part hold zeros left of column k, so the
    // work there starts at column k; in Gyaku every step covers whole rows.
    for (int k = 1; k <= n; ++k) {
        const PivotChoice pivot = Pivot(Gyouretu, n, k, [&](int row) { ExchangeRows(Gyaku, k, row, 1, n); });
        if (pivot.Saidai == 0.0)
            return refused;

        const double Jiku = Gyouretu[k][k];
        for (int j = k; j <= n; ++j)
            Gyouretu[k][j] = Quotient(Gyouretu[k][j], Jiku);
        for (int j = 1; j <= n; ++j)
            Gyaku[k][j] = Quotient(Gyaku[k][j], Jiku);

        for (int i = 1; i <= n; ++i) {
            if (i == k)
                continue;
            const double Jousuu = Gyouretu[i][k];
            for (int j = k; j <= n; ++j)
                Gyouretu[i][j] = Reduced(Gyouretu[i][j], Gyouretu[k][j], Jousuu);
            for (int j = 1; j <= n; ++j)
                Gyaku[i][j] = Reduced(Gyaku[i][j], Gyaku[k][j], Jousuu);
        }
    }
    return Gyaku;
}
