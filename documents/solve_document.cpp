#include "documents/solve_document.h"

#include "solver/error_figure.h"

const std::optional<platform::RuntimeError>& SolveDocument::stopped() const
{
    return record.stopped ? record.stopped : check.stopped;
}

SolveDocument documentOfSolve(const CoefficientMatrix& a, const EquationVector& b, int n, double threshold,
                              std::vector<std::vector<std::u16string>> coefficientTexts,
                              std::vector<std::u16string> rightHandSideTexts)
{
    SolveDocument document;
    document.n = n;
    document.coefficientTexts = std::move(coefficientTexts);
    document.rightHandSideTexts = std::move(rightHandSideTexts);
    document.a = a;
    document.b = b;
    document.threshold = threshold;
    document.record = recordSolve(a, b, n, threshold);
    if (!document.record.solved || document.record.stopped)
        return document;
    EquationVector x;
    for (int j = 1; j <= n; ++j)
        x(j) = document.record.x.at(static_cast<std::size_t>(j - 1));
    try {
        for (int i = 1; i <= n; ++i) {
            const EquationError error = equationError(a, b, x, n, i);
            document.check.leftHandSides.push_back(error.leftHandSide.value());
            document.check.shares.push_back(error.term.value());
        }
        document.check.figure = errorFigure(a, b, x, n).value();
    } catch (const platform::RuntimeError& error) {
        document.check.stopped = error;
    }
    return document;
}

namespace {

std::optional<SolveDocument>& last()
{
    static std::optional<SolveDocument> document;
    return document;
}

}  // namespace

const SolveDocument* lastSolve()
{
    return last() ? &*last() : nullptr;
}

void keepLastSolve(SolveDocument document)
{
    last() = std::move(document);
}

void forgetLastSolve()
{
    last().reset();
}
