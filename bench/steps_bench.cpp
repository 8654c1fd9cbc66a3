// The course of a solve by steps, timed as a student feels it: one step of
// eight unknowns drawn, a move to the next step (the picture laid out and
// drawn again), the one arrangement of every rotation found, and the PDF of
// every step of an 8 x 8 solve. Beside each, the budget it is measured
// against: a frame at 60 Hz (16.7 ms) for a step, a tenth of a second (a
// pause a person does not notice) for the arrangement, two seconds for the
// PDF. Runs under the offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen build/bench/steps_bench

#include <benchmark/benchmark.h>

#include <QDate>
#include <QImage>
#include <QPainter>

#include "bench/qt_bench.h"
#include "course/course_steps.h"
#include "platform/regional_settings.h"
#include "results/course_paper.h"
#include "results/step_picture.h"
#include "results/step_view.h"

namespace {

// Eight unknowns with long values: every rotation turns, and most numbers
// need rounding to fit their cells.
std::vector<CourseStep> eightUnknowns()
{
    const double a[8][8] = {{10.5, 0.333333333333333, -1.5e-300, 2, 0, 1, 0.125, -3},
                            {1, -12.75, 3, 0.1, 4, 0.5, 1, 2.25},
                            {1, 1, 9.125, 1, -1, 1, 1, 2},
                            {2, 0, 2, 15.5, 2, 2, 3, -2},
                            {1, 0, 0, 1e-5, 8, 0, 0, 0},
                            {0, 1, 0, 0, 0, -11, 0, 1.5e10},
                            {7, 0, 0.7, 7, 0, 0, 20.25, 7},
                            {0.5, 1, 1, 1, 1, 1, 1, -9.875}};
    CoefficientMatrix matrix;
    EquationVector b;
    for (int i = 1; i <= 8; ++i) {
        for (int j = 1; j <= 8; ++j)
            matrix(i, j) = a[i - 1][j - 1];
        b(i) = i;
    }
    return stepsOfSolve(documentOfSolve(matrix, b, 8, PivotThreshold), platform::NumberFormat::russian());
}

const std::vector<CourseStep>& steps()
{
    static const std::vector<CourseStep> all = eightUnknowns();
    return all;
}

// One rotation step laid out and drawn into a window of 1200 x 640 pixels.
void drawOneStep(benchmark::State& state)
{
    QImage image(1200, 640, QImage::Format_ARGB32_Premultiplied);
    const CourseStep& rotation = steps()[1];
    for (auto _ : state) {
        QPainter painter(&image);
        const StepPicture picture(rotation, image.size(), courseFont(), &image, platform::NumberFormat::russian(), 1.6);
        picture.paint(painter, QPointF(), QPalette());
    }
    budget(state, 1000.0 / 60);
}
BENCHMARK(drawOneStep)->Unit(benchmark::kMillisecond);

// The view moved to the next step and painted, as a key held down does.
void moveToTheNextStep(benchmark::State& state)
{
    StepView view(nullptr);
    view.resize(1200, 640);
    view.setSteps(&steps(), 15);
    std::size_t k = 0;
    for (auto _ : state) {
        k = (k + 1) % steps().size();
        view.showStep(int(k), QStringLiteral("Шаг"), QStringLiteral("Шаг"));
        benchmark::DoNotOptimize(view.grab());
    }
    budget(state, 1000.0 / 60);
}
BENCHMARK(moveToTheNextStep)->Unit(benchmark::kMillisecond);

// The one arrangement of all 28 rotations found for a view's size, as
// opening the steps or resizing the window does once.
void arrangeEveryRotation(benchmark::State& state)
{
    QImage image(1200, 640, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        benchmark::DoNotOptimize(StepPicture::rotationsArrangement(steps(), image.size(), courseFont(), &image,
                                                                   platform::NumberFormat::russian()));
    budget(state, 100);
}
BENCHMARK(arrangeEveryRotation)->Unit(benchmark::kMillisecond);

// Every step of the 8 x 8 solve into a PDF document.
void everyStepAsPdf(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(stepsAsPdf(steps(), QDate(2026, 12, 7)));
    state.counters["steps"] = static_cast<double>(steps().size());
    budget(state, 2000);
}
BENCHMARK(everyStepAsPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return runInApplication(argc, argv);
}
