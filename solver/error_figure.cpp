#include "solver/error_figure.h"

using platform::CheckedDouble;

EquationError equationError(const CoefficientMatrix& a, const EquationVector& b, const EquationVector& x, int n, int i)
{
    CheckedDouble s = 0.0;
    for (int j = 1; j <= n; ++j)
        s = s + a(i, j) * x(j);
    if (s == 0.0)
        return {s, b(i) == 0.0 ? 0.0 : 100.0};
    return {s, abs((s - b(i)) / s) * 100.0};
}

CheckedDouble errorFigure(const CoefficientMatrix& a, const EquationVector& b, const EquationVector& x, int n)
{
    CheckedDouble figure = 0.0;
    for (int i = 1; i <= n; ++i)
        figure = figure + equationError(a, b, x, n, i).term;
    return figure;
}
