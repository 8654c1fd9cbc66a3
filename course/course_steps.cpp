#include "course/course_steps.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

#include "course/course_words.h"
#include "documents/solve_document.h"

namespace {

using course_words::cell;
using course_words::index;
using Kind = CourseStep::Kind;
using Style = CourseStep::Style;
using Table = CourseStep::Table;
using Text = std::u16string;
using Matrix = std::vector<std::vector<double>>;
using Branch = RotationObserver::Branch;

// A matrix as a table, its columns numbered.
Table matrixTable(const Text& caption, const Matrix& matrix)
{
    Table table{caption, {}, {}, {}, 0, {}, {}};
    for (std::size_t j = 1; j <= matrix.size(); ++j)
        table.headers.push_back(index(static_cast<int>(j)));
    for (const auto& row : matrix)
        table.rows.emplace_back(row.begin(), row.end());
    return table;
}

// Columns of values side by side, one entry per equation; an entry not
// known yet is empty.
Table columnsTable(std::vector<Text> headers, const std::vector<std::vector<std::optional<double>>>& columns)
{
    Table table{Text(), std::move(headers), {}, {}, 0, {}, {}};
    for (std::size_t k = 0; k < columns.front().size(); ++k) {
        table.rows.emplace_back();
        for (const auto& column : columns)
            table.rows.back().push_back(column[k]);
    }
    return table;
}

// Which way a signed turn goes, in words.
Text direction(double degrees)
{
    return degrees < 0 ? u"по часовой стрелке" : u"против часовой стрелки";
}

class StepWriter {
public:
    StepWriter(const SolveDocument& solve, const platform::NumberFormat& format, int digits)
        : solve_(solve), n_(solve.n), threshold_(solve.threshold), format_(format), digits_(digits)
    {
        for (int i = 1; i <= n_; ++i) {
            entered_.emplace_back();
            for (int j = 1; j <= n_; ++j) {
                entered_.back().push_back(solve.a(i, j).value());
                largest_ = std::max(largest_, std::abs(solve.a(i, j).value()));
            }
            rhs_.push_back(solve.b(i).value());
        }
        matrix_ = entered_;
        tangents_.assign(static_cast<std::size_t>(n_), std::vector<bool>(static_cast<std::size_t>(n_), false));
    }

    std::vector<CourseStep> steps;

    Text number(double value) const
    {
        return digits_ >= StepDigits[0] ? platform::writeGeneral(value, format_) : writeShort(value, digits_, format_);
    }
    // A number as a factor of a product: in brackets when negative.
    Text factor(double value) const { return value < 0 ? u"(" + number(value) + u")" : number(value); }
    Text degrees(double value) const { return writeDegrees(value, format_); }

    CourseStep& step(Kind kind, Text title)
    {
        steps.push_back(CourseStep{kind, 0, 0, std::move(title), {}, std::nullopt, {}, {}});
        return steps.back();
    }

    // The matrix as it stands, the cells that hold tangents marked as such.
    Table currentTable(const Text& caption) const
    {
        Table table = matrixTable(caption, matrix_);
        table.tangents = tangents_;
        return table;
    }

    Table systemTable() const
    {
        Table table = matrixTable(u"Система", entered_);
        table.headers.clear();
        for (int j = 1; j <= n_; ++j)
            table.headers.push_back(u"Х" + index(j));
        table.headers.push_back(u"b");
        for (int i = 0; i < n_; ++i)
            table.rows[i].push_back(rhs_[i]);
        return table;
    }

    void system()
    {
        CourseStep& shown = step(Kind::System, u"Система, как она введена");
        shown.tables.push_back(systemTable());
        shown.text = {course_words::systemHeading(n_, number(threshold_)), course_words::SystemLegend};
        for (int i = 1; i <= n_; ++i)
            shown.text.push_back(u"уравнение " + index(i) + u": "
                                 + course_words::equation(solve_, i, [this](double value) { return number(value); }) + u".");
    }

    void rotation(const SolveRecord::Rotation& rotation)
    {
        const int i = rotation.i, j = rotation.j;
        CourseStep& shown = step(Kind::Rotation, u"Вращение " + cell(i, j));
        shown.i = i;
        shown.j = j;
        const std::vector<int> columns = {i - 1, j - 1};
        const double e = matrix_[i - 1][i - 1];
        if (!rotation.made) {
            Table table = currentTable(u"матрица");
            table.markedColumns = columns;
            table.markedFromRow = i - 1;
            table.marks = {{i - 1, j - 1, Style::Cell, u"d"}, {i - 1, i - 1, Style::Cell, u"e"}};
            shown.tables.push_back(std::move(table));
            shown.plane = CourseStep::Plane{e, 0, e, 0, 0, 0, u"(e, d)", u"(e, d)", u"столбец " + index(i),
                                            u"столбец " + index(j), Text()};
            shown.text = {course_words::noRotation(i, j),
                          u"d = A" + cell(i, j) + u" = 0; e = A" + cell(i, i) + u" = " + number(e)
                              + u"; в клетке A" + cell(i, j) + u" остаётся t = 0."};
            tangents_[i - 1][j - 1] = true;
            return;
        }
        const RotationObserver::Step& turn = rotation.step;
        Table before = currentTable(u"до вращения");
        before.markedColumns = columns;
        before.markedFromRow = i - 1;
        before.marks = {{i - 1, j - 1, Style::Cell, u"d"}, {i - 1, i - 1, Style::Cell, u"e"}};
        matrix_[i - 1][i - 1] = turn.p;
        matrix_[i - 1][j - 1] = turn.t;
        tangents_[i - 1][j - 1] = true;
        shown.text = rotationWords(turn);
        for (const auto& [k, turned] : rotation.rows) {
            shown.text.push_back(u"строка " + index(k) + u": A" + cell(k, i) + u" = " + number(matrix_[k - 1][i - 1])
                                 + u" → " + number(turned.first) + u"; A" + cell(k, j) + u" = "
                                 + number(matrix_[k - 1][j - 1]) + u" → " + number(turned.second) + u".");
            matrix_[k - 1][i - 1] = turned.first;
            matrix_[k - 1][j - 1] = turned.second;
        }
        Table after = currentTable(u"после вращения");
        after.markedColumns = columns;
        after.markedFromRow = i - 1;
        after.marks = {{i - 1, i - 1, Style::Cell, u"p"}, {i - 1, j - 1, Style::Cell, u"t"}};
        for (const auto& row : rotation.rows) {
            after.marks.push_back({row.first - 1, i - 1, Style::Changed, Text()});
            after.marks.push_back({row.first - 1, j - 1, Style::Changed, Text()});
        }
        shown.tables = {std::move(before), std::move(after)};
        const double phi = rotationDegrees(turn.t);
        shown.plane = CourseStep::Plane{turn.e,
                                        turn.d,
                                        turn.p,
                                        0,
                                        phi,
                                        -phi,
                                        u"(e, d)",
                                        u"(p, 0)",
                                        u"столбец " + index(i),
                                        u"столбец " + index(j),
                                        u"−φ = " + degrees(-phi)};
    }

    // What a rotation computes, with its numbers put into its formulas.
    std::vector<Text> rotationWords(const RotationObserver::Step& turn) const
    {
        const int i = turn.i, j = turn.j;
        const Text root = u"√" + number(turn.m * turn.m + 1);
        Text t = u"t = 1", p = u"p = d = " + number(turn.p);
        if (turn.branch == Branch::CellNotSmaller) {
            t = u"t = " + Text(turn.m < 0 ? u"−" : u"") + u"1/(" + number(std::abs(turn.m)) + u" + " + root + u") = "
                + number(turn.t);
            p = u"p = " + Text(turn.e < 0 ? u"−" : u"") + number(std::abs(turn.d)) + u"·" + root + u" = "
                + number(turn.p);
        } else if (turn.branch == Branch::CellSmaller) {
            t = u"t = " + number(turn.m) + u"/(1 + " + root + u") = " + number(turn.t);
            p = u"p = " + factor(turn.e) + u"·" + root + u" = " + number(turn.p);
        }
        const double phi = rotationDegrees(turn.t);
        std::vector<Text> words = {
            course_words::rotationHeading(i, j, turn.branch),
            u"d = A" + cell(i, j) + u" = " + number(turn.d) + u"; e = A" + cell(i, i) + u" = " + number(turn.e)
                + (turn.branch == Branch::ZeroPivot ? Text() : u"; m = " + number(turn.m)) + u".",
            t + u"; " + p + u".",
            u"c = (1 − t²)/(1 + t²) = " + number(turn.c) + u"; s = 2t/(1 + t²) = " + number(turn.s) + u".",
            u"Матрица вращения G: строка 1 — c, −s = " + number(turn.c) + u"; " + number(-turn.s) + u"; строка 2 — s, c = "
                + number(turn.s) + u"; " + number(turn.c) + u".",
            u"Угол вращения φ = 2·arctg t = " + degrees(phi) + u"; пара (e, d) поворачивается на −φ = " + degrees(-phi)
                + u", " + direction(-phi) + u", и становится (p, 0).",
            u"p становится новым A" + cell(i, i) + u", t записывается в клетку A" + cell(i, j) + u"."};
        // Cells that earlier rotations left at the size of their rounding
        // errors turn the columns by an angle that the errors choose.
        const double noise = 8 * n_ * std::numeric_limits<double>::epsilon() * largest_;
        if (i > 1 && std::max(std::abs(turn.d), std::abs(turn.e)) <= noise)
            words.push_back(u"d и e здесь — на уровне ошибок округления (по модулю не больше 8·n·ε·max|a| = "
                            + number(noise) + u"): угол этого вращения задают ошибки округления, а не система.");
        return words;
    }

    // The L with the tangents above it, as the rotations left it.
    Table triangleTable(const Text& caption, const SolveRecord& record) const
    {
        Table table = matrixTable(caption, record.triangle);
        table.tangents.assign(static_cast<std::size_t>(n_), std::vector<bool>(static_cast<std::size_t>(n_), false));
        for (int r = 0; r < n_; ++r) {
            for (int c = r + 1; c < n_; ++c)
                table.tangents[r][c] = true;
        }
        return table;
    }

    // L with the tangents above it, and b beside y as far as it is known.
    void substitutionTables(CourseStep& shown, const SolveRecord& record, int j, Style pivot)
    {
        Table lower = triangleTable(u"нижнетреугольная L (выше диагонали — тангенсы t)", record);
        for (int k = 0; k < j; ++k)
            lower.marks.push_back({j - 1, k, k == j - 1 ? pivot : Style::Changed, k == j - 1 ? u"L" + cell(j, j) : Text()});
        std::vector<std::optional<double>> b(rhs_.begin(), rhs_.end()), y(static_cast<std::size_t>(n_));
        for (std::size_t k = 0; k < record.substitutions.size() && static_cast<int>(k) < j; ++k)
            y[k] = record.substitutions[k].second;
        Table values = columnsTable({u"b", u"y"}, {b, y});
        values.marks.push_back({j - 1, 0, Style::Cell, u"b(" + index(j) + u")"});
        for (int k = 0; k < j - 1; ++k)
            values.marks.push_back({k, 1, Style::Changed, Text()});
        if (y[static_cast<std::size_t>(j - 1)])
            values.marks.push_back({j - 1, 1, Style::Cell, u"y(" + index(j) + u")"});
        shown.tables = {std::move(lower), std::move(values)};
    }

    void substitution(const SolveRecord& record, int j)
    {
        const auto [pivot, y] = record.substitutions[static_cast<std::size_t>(j - 1)];
        CourseStep& shown = step(Kind::Substitution, u"Прямая подстановка, строка " + index(j));
        shown.j = j;
        substitutionTables(shown, record, j, Style::Cell);
        Text sum = number(rhs_[j - 1]), terms = u"b(" + index(j) + u")";
        for (int k = 1; k < j; ++k) {
            sum += u" − " + factor(record.triangle[j - 1][k - 1]) + u"·"
                   + factor(record.substitutions[static_cast<std::size_t>(k - 1)].second);
            terms += u" − L" + cell(j, k) + u"·y(" + index(k) + u")";
        }
        const Text yj = u"y(" + index(j) + u")", ljj = u"L" + cell(j, j);
        // The first row has no sum: y(1) = b(1)/L(1,1).
        const auto bracketed = [j](const Text& text) { return j == 1 ? text : u"(" + text + u")"; };
        shown.text = {u"Прямая подстановка L·y = b, строка " + index(j) + u": " + yj + u" = " + bracketed(terms) + u"/"
                          + ljj + u";",
                      yj + u" = " + bracketed(sum) + u"/" + factor(pivot) + u" = " + number(y) + u".",
                      u"|" + ljj + u"| = " + number(std::abs(pivot)) + u" не меньше порога " + number(threshold_)
                          + u"."};
        shown.note = u"|" + ljj + u"| = " + number(std::abs(pivot)) + u" ≥ " + number(threshold_);
    }

    void pivotBelowThreshold(const SolveRecord& record, int j, double pivot)
    {
        CourseStep& shown = step(Kind::PivotBelowThreshold, u"Ведущий элемент меньше порога");
        shown.j = j;
        substitutionTables(shown, record, j, Style::Failed);
        const Text ljj = u"L" + cell(j, j);
        shown.text = {u"Прямая подстановка L·y = b, строка " + index(j) + u": " + ljj + u" = " + number(pivot) + u".",
                      u"|" + ljj + u"| = " + number(std::abs(pivot)) + u" < " + number(threshold_)
                          + u": матрица близка к вырожденной, решение остановлено на этом шаге."};
        shown.note = u"|" + ljj + u"| = " + number(std::abs(pivot)) + u" < " + number(threshold_);
    }

    void backRotation(const SolveRecord& record, const SolveRecord::BackRotation& turn, std::vector<double>& x)
    {
        const int i = turn.i, j = turn.j;
        CourseStep& shown = step(Kind::BackRotation, u"Обратное вращение " + cell(i, j));
        shown.i = i;
        shown.j = j;
        Table stored = triangleTable(u"L и тангенсы t", record);
        stored.marks.push_back({i - 1, j - 1, Style::Cell, u"t"});
        const std::vector<double> before = x;
        x[i - 1] = turn.xi;
        x[j - 1] = turn.xj;
        Table values = columnsTable({u"x до", u"x после"}, {{before.begin(), before.end()}, {x.begin(), x.end()}});
        const Text xi = u"x(" + index(i) + u")", xj = u"x(" + index(j) + u")";
        values.marks = {{i - 1, 0, Style::Cell, xi},
                        {j - 1, 0, Style::Cell, xj},
                        {i - 1, 1, Style::Changed, Text()},
                        {j - 1, 1, Style::Changed, Text()}};
        shown.tables = {std::move(stored), std::move(values)};
        const double phi = rotationDegrees(turn.t);
        shown.plane = CourseStep::Plane{before[i - 1], before[j - 1], turn.xi, turn.xj, phi, phi,
                                        u"до", turn.t == 0 ? u"до" : u"после", xi, xj, u"φ = " + degrees(phi)};
        shown.text = {u"Обратное вращение " + cell(i, j) + u": t = " + number(turn.t) + u" из клетки A" + cell(i, j)
                          + u"; c = " + number(turn.c) + u"; s = " + number(turn.s) + u".",
                      turn.t == 0 ? u"t = 0: пара (" + xi + u", " + xj + u") не поворачивается."
                                  : u"Пара (" + xi + u", " + xj + u") поворачивается на φ = " + degrees(phi) + u", "
                                        + direction(phi) + u".",
                      u"было: " + xi + u" = " + number(before[i - 1]) + u"; " + xj + u" = " + number(before[j - 1])
                          + u".",
                      u"стало: " + xi + u" := c·" + xi + u" − s·" + xj + u" = " + number(turn.xi) + u"; " + xj
                          + u" := s·" + xi + u" + c·" + xj + u" = " + number(turn.xj) + u"."};
        if (const Text differs = recomputed(record, turn); !differs.empty())
            shown.text.push_back(differs);
    }

    // The back rotation forms c and s from t anew, by division, where the
    // rotation multiplied by 1/(1 + t²): a last digit written may differ, and
    // a student comparing the two steps is told why.
    Text recomputed(const SolveRecord& record, const SolveRecord::BackRotation& turn) const
    {
        const auto forward = std::find_if(record.rotations.begin(), record.rotations.end(), [&](const auto& rotation) {
            return rotation.made && rotation.i == turn.i && rotation.j == turn.j;
        });
        if (forward == record.rotations.end()
            || (number(forward->step.c) == number(turn.c) && number(forward->step.s) == number(turn.s)))
            return Text();
        return u"c и s здесь вычислены из t заново, делением на 1 + t², а при вращении " + cell(turn.i, turn.j)
               + u" — умножением на 1/(1 + t²); поэтому в последних знаках они могут отличаться: там c = "
               + number(forward->step.c) + u"; s = " + number(forward->step.s) + u".";
    }

    // The unknowns and the error figure; the check's error, where it stopped, follows.
    void unknowns(const SolveRecord& record)
    {
        CourseStep& shown = step(Kind::Unknowns, u"Неизвестные");
        shown.tables = {systemTable(), columnsTable({u"x"}, {{record.x.begin(), record.x.end()}})};
        shown.text = {u"Неизвестные:"};
        for (int j = 1; j <= n_; ++j)
            shown.text.push_back(u"Х" + index(j) + u" = " + number(record.x[static_cast<std::size_t>(j - 1)]));
        if (const auto& figure = solve_.check.figure) {
            shown.note = course_words::figure(platform::writeDecimal(*figure, format_));
            shown.text.push_back(shown.note);
        }
    }

    void stop(const platform::RuntimeError& error)
    {
        CourseStep& shown = step(Kind::Stop, u"Вычисление остановлено");
        shown.tables.push_back(currentTable(u"матрица"));
        shown.note = platform::utf16(error.description());
        shown.text = {course_words::stop(error)};
    }

private:
    const SolveDocument& solve_;
    int n_;
    double threshold_;
    const platform::NumberFormat& format_;
    int digits_;
    Matrix entered_;  // the coefficients as entered
    Matrix matrix_;   // A as it stands after the steps so far
    std::vector<std::vector<bool>> tangents_;  // the cells of matrix_ that hold a stored t
    std::vector<double> rhs_;
    double largest_ = 0;  // the largest coefficient's magnitude
};

Text withSeparator(std::string ascii, const platform::NumberFormat& format)
{
    Text text;
    for (const char c : ascii)
        text += c == '.' ? format.decimalSeparator : Text(1, static_cast<char16_t>(c));
    return text;
}

}  // namespace

std::u16string stepHeading(std::size_t step, std::size_t count, const std::u16string& title)
{
    return u"Шаг " + index(static_cast<int>(step)) + u" из " + index(static_cast<int>(count)) + u": " + title;
}

bool CourseStep::Table::isHatched(int row, int column) const
{
    return row >= markedFromRow && std::find(markedColumns.begin(), markedColumns.end(), column) != markedColumns.end();
}

std::vector<CourseStep> stepsOfSolve(const SolveDocument& solve, const platform::NumberFormat& format, int digits)
{
    StepWriter writer(solve, format, digits);
    writer.system();
    const SolveRecord& record = solve.record;
    for (const SolveRecord::Rotation& rotation : record.rotations)
        writer.rotation(rotation);
    for (std::size_t k = 0; k < record.substitutions.size(); ++k)
        writer.substitution(record, static_cast<int>(k) + 1);
    if (record.failedPivot)
        writer.pivotBelowThreshold(record, record.failedPivot->first, record.failedPivot->second);
    std::vector<double> x;
    for (const auto& [pivot, y] : record.substitutions)
        x.push_back(y);
    for (const SolveRecord::BackRotation& turn : record.backRotations)
        writer.backRotation(record, turn, x);
    if (record.solved && !record.stopped)
        writer.unknowns(record);
    if (const auto& stopped = solve.stopped())
        writer.stop(*stopped);
    return writer.steps;
}

std::u16string writeShort(double value, int digits, const platform::NumberFormat& format)
{
    const std::u16string general = platform::writeGeneral(value, format);
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits).ptr;
    std::string shortest(buffer, end);
    // As the general rule writes it: E, a sign and two digits at least.
    if (const auto e = shortest.find('e'); e != std::string::npos) {
        std::string exponent = shortest.substr(e + 2);
        shortest = shortest.substr(0, e) + "E" + shortest[e + 1] + (exponent.size() < 2 ? "0" : "") + exponent;
    }
    const std::u16string rounded = withSeparator(shortest, format);
    return rounded.size() < general.size() ? rounded : general;
}

double rotationDegrees(double t)
{
    return 2 * std::atan(t) * 180 / std::numbers::pi;
}

std::u16string writeDegrees(double degrees, const platform::NumberFormat& format)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, degrees, std::chars_format::fixed, 2).ptr;
    std::string text(buffer, end);
    if (text == "-0.00")
        text = "0.00";
    return withSeparator(text, format) + u"°";
}
