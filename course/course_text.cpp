#include "course/course_text.h"

#include <optional>

#include "course/course_words.h"
#include "course/text_grid.h"
#include "documents/solve_document.h"
#include "platform/runtime/runtime_error.h"
#include "platform/runtime/utf8.h"
#include "solver/yadro.h"

namespace {

using Branch = RotationObserver::Branch;
using Text = std::u16string;

using course_words::cell;
using course_words::index;

class CourseWriter {
public:
    CourseWriter(const platform::NumberFormat& format, int n, std::size_t width) : format_(format), n_(n), width_(width)
    {
    }

    Text number(double value) const { return platform::writeGeneral(value, format_); }
    Text decimal(double value) const { return platform::writeDecimal(value, format_); }

    void line(const Text& text) { lines.push_back(text); }
    void paragraph(const std::vector<Text>& texts)
    {
        lines.emplace_back();
        lines.insert(lines.end(), texts.begin(), texts.end());
    }
    void grid(const TextGrid& grid, std::size_t indent = 2) { grid.write(lines, indent, width_); }

    void system(const CoefficientMatrix& a, const EquationVector& b, double threshold)
    {
        line(course_words::systemHeading(n_, number(threshold)));
        line(course_words::SystemLegend);
        TextGrid table;
        std::vector<Text> header;
        for (int j = 1; j <= n_; ++j)
            header.push_back(u"Х" + index(j));
        header.push_back(u"b");
        table.row(Text(), header);
        for (int i = 1; i <= n_; ++i) {
            std::vector<Text> row;
            for (int j = 1; j <= n_; ++j)
                row.push_back(number(a(i, j).value()));
            row.push_back(number(b(i).value()));
            table.row(u"ур. " + index(i), row);
        }
        grid(table);
    }

    void rotations(const std::vector<SolveRecord::Rotation>& rotations)
    {
        paragraph(course_words::rotationLegend());
        for (const SolveRecord::Rotation& rotation : rotations) {
            if (!rotation.made) {
                paragraph({course_words::noRotation(rotation.i, rotation.j)});
                continue;
            }
            const RotationObserver::Step& step = rotation.step;
            paragraph({course_words::rotationHeading(rotation.i, rotation.j, step.branch)});
            TextGrid values(TextGrid::Align::Left);
            values.row(Text(), {u"d = " + number(step.d), u"e = " + number(step.e)});
            if (step.branch != Branch::ZeroPivot)
                values.row(Text(), {u"m = " + number(step.m)});
            values.row(Text(), {u"t = " + number(step.t), u"p = " + number(step.p)});
            values.row(Text(), {u"c = " + number(step.c), u"s = " + number(step.s)});
            grid(values, 1);
            TextGrid rows(TextGrid::Align::Left);
            for (const auto& [k, turned] : rotation.rows)
                rows.row(u"строка " + index(k) + u":", {u"A" + cell(k, rotation.i) + u" = " + number(turned.first),
                                                        u"A" + cell(k, rotation.j) + u" = " + number(turned.second)});
            grid(rows, 4);
        }
    }

    void triangle(const std::vector<std::vector<double>>& A)
    {
        paragraph({u"Матрица после вращений (строка i, столбец j).", u"Нижнетреугольная матрица L — на диагонали и ниже:"});
        TextGrid lower, tangents;
        std::vector<Text> header;
        for (int j = 1; j <= n_; ++j)
            header.push_back(index(j));
        lower.row(Text(), header);
        tangents.row(Text(), std::vector<Text>(header.begin() + 1, header.end()));
        for (int i = 1; i <= n_; ++i) {
            std::vector<Text> left, right;
            for (int j = 1; j <= n_; ++j)
                (j <= i ? left : right).push_back(number(A[i - 1][j - 1]));
            lower.row(u"строка " + index(i), left);
            if (i < n_) {
                right.insert(right.begin(), i - 1, Text());
                tangents.row(u"строка " + index(i), right);
            }
        }
        grid(lower);
        line(u"Тангенсы t половин углов вращения — выше диагонали:");
        grid(tangents);
    }

    void substitution(const SolveRecord& course, double threshold)
    {
        paragraph(course_words::substitutionLegend(number(threshold)));
        TextGrid table;
        table.row(Text(), {u"L(j,j)", u"y(j)"});
        for (std::size_t k = 0; k < course.substitutions.size(); ++k)
            table.row(u"j = " + index(int(k) + 1),
                      {number(course.substitutions[k].first), number(course.substitutions[k].second)});
        if (course.failedPivot)
            table.row(u"j = " + index(course.failedPivot->first), {number(course.failedPivot->second), u"—"});
        grid(table);
        if (course.failedPivot) {
            line(u"|L" + cell(course.failedPivot->first, course.failedPivot->first)
                 + u"| меньше порога: матрица близка к вырожденной,");
            line(u"решение остановлено на этом шаге.");
        }
    }

    void backRotations(const SolveRecord& course)
    {
        paragraph(course_words::backRotationLegend());
        TextGrid table;
        table.row(Text(), {u"t", u"c", u"s", u"x(i)", u"x(j)"});
        for (const SolveRecord::BackRotation& r : course.backRotations)
            table.row(cell(r.i, r.j), {number(r.t), number(r.c), number(r.s), number(r.xi), number(r.xj)});
        grid(table);
        if (course.x.empty())
            return;
        paragraph({u"Неизвестные:"});
        TextGrid unknowns;
        for (std::size_t j = 0; j < course.x.size(); ++j)
            unknowns.row(u"Х" + index(int(j) + 1) + u" =", {number(course.x[j])});
        grid(unknowns);
    }

    // Each equation's left-hand side and share, as far as the check went.
    void check(const SolveDocument::Check& check, const EquationVector& b)
    {
        // Σ, not s, which is the sine of the rotations above.
        paragraph({u"Проверка: Σ — левая часть по найденным неизвестным, b — правая часть,",
                   u"доля в погрешности — |(Σ − b)/Σ|·100 (%):"});
        if (check.shares.size() < static_cast<std::size_t>(n_))
            return;  // an equation of it overflowed
        TextGrid table;
        table.row(Text(), {u"Σ", u"b", u"доля"});
        for (int i = 1; i <= n_; ++i)
            table.row(u"ур. " + index(i), {number(check.leftHandSides[i - 1]), number(b(i).value()),
                                           decimal(check.shares[i - 1])});
        grid(table);
        if (check.figure)
            line(course_words::figure(decimal(*check.figure)));
    }

    std::vector<Text> lines;

private:
    const platform::NumberFormat& format_;
    int n_;
    std::size_t width_;
};

}  // namespace

std::vector<std::u16string> courseOfSolve(const SolveDocument& solve, const platform::NumberFormat& format,
                                          std::size_t width)
{
    CourseWriter course(format, solve.n, width);
    course.system(solve.a, solve.b, solve.threshold);
    // Everything the kernel told is written, also when it stopped at a pivot
    // or at a run-time error part of the way.
    const SolveRecord& recorded = solve.record;
    course.rotations(recorded.rotations);
    if (!recorded.triangle.empty()) {
        course.triangle(recorded.triangle);
        course.substitution(recorded, solve.threshold);
    }
    if (!recorded.backRotations.empty())
        course.backRotations(recorded);
    if (recorded.solved && !recorded.stopped)
        course.check(solve.check, solve.b);
    if (const auto& stopped = solve.stopped())
        course.paragraph({course_words::stop(*stopped)});
    return course.lines;
}
