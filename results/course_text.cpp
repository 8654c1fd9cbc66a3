#include "results/course_text.h"

#include "platform/runtime/runtime_error.h"
#include "platform/runtime/utf8.h"
#include "solver/error_figure.h"
#include "solver/yadro.h"

namespace {

using Branch = RotationObserver::Branch;

std::u16string ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

// Writes each step as the kernel tells it, one line each.
class CourseWriter final : public RotationObserver {
public:
    CourseWriter(std::vector<std::u16string>& lines, const platform::NumberFormat& format)
        : lines_(lines), format_(format)
    {
    }

    std::u16string number(double value) const { return platform::writeGeneral(value, format_); }
    static std::u16string index(int i) { return ascii(std::to_string(i)); }
    static std::u16string cell(int i, int j) { return u"(" + index(i) + u", " + index(j) + u")"; }

    void heading(const std::u16string& text)
    {
        lines_.emplace_back();
        lines_.push_back(text);
    }

    void line(const std::u16string& text) { lines_.push_back(u"  " + text); }

    void noRotation(int i, int j) override
    {
        beginRotations();
        line(cell(i, j) + u": d = 0, вращение не нужно");
    }

    void rotation(int i, int j, double d, double e, Branch branch, double t, double p, double c, double s) override
    {
        beginRotations();
        const char16_t* how = branch == Branch::ZeroPivot  ? u"e = 0: поворот на 90°"
                              : branch == Branch::CellNotSmaller ? u"|d| ≥ |e|: m = e / d"
                                                                 : u"|d| < |e|: m = d / e";
        line(cell(i, j) + u": d = " + number(d) + u", e = " + number(e) + u", t = " + number(t) + u", c = " + number(c)
             + u", s = " + number(s) + u", p = " + number(p) + u" (" + how + u")");
        rotating_ = {i, j};
    }

    void rowRotated(int k, double columnI, double columnJ) override
    {
        line(u"  строка " + index(k) + u": A" + cell(k, rotating_.first) + u" = " + number(columnI) + u", A"
             + cell(k, rotating_.second) + u" = " + number(columnJ));
    }

    void rotated(const AugmentedMatrix& A, int n) override
    {
        beginRotations();
        heading(u"Матрица после вращений: L на диагонали и ниже, t (тангенсы половин углов) выше диагонали:");
        for (int i = 1; i <= n; ++i) {
            std::u16string row = u"строка " + index(i) + u": ";
            for (int j = 1; j <= n; ++j)
                row += (j == 1 ? u"" : j == i + 1 ? u" | " : u", ") + std::u16string(j <= i ? u"L" : u"t") + cell(i, j)
                       + u" = " + number(A(i, j).value());
            line(row);
        }
        heading(u"Прямая подстановка L·y = b; ведущий элемент сравнивается по модулю с порогом:");
    }

    void substitution(int j, double pivot, double y) override
    {
        line(u"y" + index(j) + u" = " + number(y) + u" (ведущий элемент L" + cell(j, j) + u" = " + number(pivot) + u")");
    }

    void pivotBelowThreshold(int j, double pivot) override
    {
        line(u"ведущий элемент L" + cell(j, j) + u" = " + number(pivot)
             + u" по модулю меньше порога: матрица близка к вырожденной, решение остановлено на этом шаге.");
    }

    void backRotation(int i, int j, double t, double c, double s, double xi, double xj) override
    {
        if (!backRotationsBegun_) {
            heading(u"Обратные вращения, в обратном порядке: x = G1·G2·…·y:");
            backRotationsBegun_ = true;
        }
        line(cell(i, j) + u": t = " + number(t) + u", c = " + number(c) + u", s = " + number(s) + u"; Х" + index(i)
             + u" = " + number(xi) + u", Х" + index(j) + u" = " + number(xj));
    }

    void solution(const EquationVector& x, int n) override
    {
        heading(u"Неизвестные:");
        for (int j = 1; j <= n; ++j)
            line(u"Х" + index(j) + u" = " + number(x(j).value()));
    }

private:
    void beginRotations()
    {
        if (!rotationsBegun_)
            heading(u"Вращения столбцов, строка за строкой (d — клетка справа от диагонали, e — ведущий элемент):");
        rotationsBegun_ = true;
    }

    std::vector<std::u16string>& lines_;
    const platform::NumberFormat& format_;
    std::pair<int, int> rotating_{0, 0};
    bool rotationsBegun_ = false;
    bool backRotationsBegun_ = false;
};

}  // namespace

std::vector<std::u16string> courseOfSolve(const CoefficientMatrix& a, const EquationVector& b, int n,
                                          double threshold, const platform::NumberFormat& format)
{
    std::vector<std::u16string> lines;
    CourseWriter course(lines, format);
    lines.push_back(u"Система, как она введена (неизвестных: " + CourseWriter::index(n) + u"; порог ведущего элемента "
                    + course.number(threshold) + u"):");
    AugmentedMatrix A;
    EquationVector x;
    for (int i = 1; i <= n; ++i) {
        std::u16string equation = u"уравнение " + CourseWriter::index(i) + u": ";
        for (int j = 1; j <= n; ++j) {
            A(i, j) = a(i, j);
            const double coefficient = a(i, j).value();
            const bool minus = j > 1 && coefficient < 0.0;
            equation += (j == 1 ? u"" : minus ? u" - " : u" + ") + course.number(minus ? -coefficient : coefficient) + u"·Х"
                        + CourseWriter::index(j);
        }
        A(i, n + 1) = b(i);
        course.line(equation + u" = " + course.number(b(i).value()));
    }
    try {
        bool solved = false;
        solveByRotations(A, x, n, threshold, solved, course);
        if (!solved)
            return lines;
        course.heading(u"Проверка: левая часть по найденным неизвестным, правая часть, вклад в погрешность (%):");
        for (int i = 1; i <= n; ++i) {
            const EquationError error = equationError(a, b, x, n, i);
            course.line(u"уравнение " + CourseWriter::index(i) + u": " + course.number(error.leftHandSide.value())
                        + u" при правой части " + course.number(b(i).value()) + u", вклад " + course.number(error.term.value()));
        }
        course.line(u"погрешность вычислений (%) = " + course.number(errorFigure(a, b, x, n).value()));
    } catch (const platform::RuntimeError& error) {
        course.heading(u"Вычисление остановлено: " + platform::utf16(error.description()) + u".");
    }
    return lines;
}
