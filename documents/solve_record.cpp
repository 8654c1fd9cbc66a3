#include "documents/solve_record.h"

namespace {

// Keeps what the kernel tells until the course is written.
class Recorder final : public RotationObserver {
public:
    explicit Recorder(SolveRecord& record) : record_(record) {}

    void noRotation(int i, int j) override { record_.rotations.push_back({i, j, false, {}, {}}); }
    void rotation(const Step& step) override { record_.rotations.push_back({step.i, step.j, true, step, {}}); }
    void rowRotated(int k, double columnI, double columnJ) override
    {
        record_.rotations.back().rows.push_back({k, {columnI, columnJ}});
    }
    void rotated(const AugmentedMatrix& A, int n) override
    {
        for (int i = 1; i <= n; ++i) {
            record_.triangle.emplace_back();
            for (int j = 1; j <= n; ++j)
                record_.triangle.back().push_back(A(i, j).value());
        }
    }
    void substitution(int, double pivot, double y) override { record_.substitutions.push_back({pivot, y}); }
    void pivotBelowThreshold(int j, double pivot) override { record_.failedPivot = {j, pivot}; }
    void backRotation(int i, int j, double t, double c, double s, double xi, double xj) override
    {
        record_.backRotations.push_back({i, j, t, c, s, xi, xj});
    }
    void solution(const EquationVector& solved, int n) override
    {
        for (int j = 1; j <= n; ++j)
            record_.x.push_back(solved(j).value());
    }

private:
    SolveRecord& record_;
};

}  // namespace

SolveRecord recordSolve(const CoefficientMatrix& a, const EquationVector& b, int n, double threshold)
{
    AugmentedMatrix A;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j)
            A(i, j) = a(i, j);
        A(i, n + 1) = b(i);
    }
    SolveRecord record;
    Recorder recorder(record);
    EquationVector x;
    try {
        solveByRotations(A, x, n, threshold, record.solved, recorder);
    } catch (const platform::RuntimeError& error) {
        record.stopped = error;
    }
    return record;
}
