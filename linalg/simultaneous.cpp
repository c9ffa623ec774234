// SPDX-License-Identifier: MIT
#include "simultaneous.h"

Outcome<Vector> Gauss(Matrix& Gyouretu, Vector& Teisuu, int Gen)
{
    const int n = Gen;
    const Rejection refused{kRenrituMessage, {}};

    for (int k = 1; k <= n - 1; ++k) {
        const PivotChoice pivot = Pivot(Gyouretu, n, k, [&](int row) { std::swap(Teisuu[k], Teisuu[row]); });
        if (pivot.Saidai == 0.0)
            return refused;
        // The entries of column k below the diagonal are left as they are;
        // nothing reads them again.
        for (int i = k + 1; i <= n; ++i) {
            const double Jousuu = Quotient(Gyouretu[i][k], Gyouretu[k][k]);
            for (int j = k + 1; j <= n; ++j)
                Gyouretu[i][j] = Reduced(Gyouretu[i][j], Gyouretu[k][j], Jousuu);
            Teisuu[i] = Reduced(Teisuu[i], Teisuu[k], Jousuu);
        }
    }
    // The last diagonal element has no rows below to pivot with; it is only
    // tested.
    if (Gyouretu[n][n] == 0.0)
        return refused;

    Vector Kai{};
    Kai[n] = Quotient(Teisuu[n], Gyouretu[n][n]);
    for (int k = n - 1; k >= 1; --k) {
        double Wa = Teisuu[k];
        for (int j = k + 1; j <= n; ++j)
            Wa = Reduced(Wa, Gyouretu[k][j], Kai[j]);
        Kai[k] = Quotient(Wa, Gyouretu[k][k]);
    }
    return Kai;
}

Outcome<Vector> Renritu(Matrix Gyouretu, Vector Teisuu, int Gen)
{
    if (ZeroRow(Gyouretu, Gen) != 0)
        return Rejection{kRenrituMessage, {}};
    return Gauss(Gyouretu, Teisuu, Gen);
}
