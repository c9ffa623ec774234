// SPDX-License-Identifier: MIT
#include "determinant.h"

double Gyouretusiki(Matrix Gyouretu, int Gen)
{
    const int n = Gen;
    if (ZeroRow(Gyouretu, n) != 0)
        return 0.0;

    // The sign during elimination, the determinant at the end.
    double Kotae = 1;
    for (int k = 1; k <= n - 1; ++k) {
        const PivotChoice pivot = Pivot(Gyouretu, n, k, [&](int) { Kotae = -Kotae; });
        if (pivot.Saidai == 0.0)
            return 0.0;
        for (int i = k + 1; i <= n; ++i) {
            const double Jousuu = Quotient(Gyouretu[i][k], Gyouretu[k][k]);
            for (int j = k + 1; j <= n; ++j)
                Gyouretu[i][j] = Reduced(Gyouretu[i][j], Gyouretu[k][j], Jousuu);
        }
    }
    for (int i = 1; i <= n; ++i)
        Kotae = Checked(Gyouretu[i][i] * Kotae);
    return Kotae;
}
