// Start-up and the moves of a solve, timed as a user would feel them, and
// the memory of a long session.
//
//   startup_bench            runs the comparison and prints it
//
// Start-up: from process start to the main window shown and painted, and the
// peak memory by then, beside a bare Qt window with one button started the
// same way, alternating, in the same run. Moves: from the click or key of
// each step of a solve to the next window shown and painted. Memory: what
// the program holds in memory before and after a thousand whole solves, made
// one after another through the windows; it should stay flat.
//
// The children run under the platform of the environment (offscreen where
// there is no display). The program's own start-up is used unchanged.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include "navigation/window_names.h"
#include "platform/form.h"
#include "tools/driver/program_driver.h"

extern char** environ;

namespace {

constexpr int Solves = 1000;

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// What the process holds in memory now, in MiB.
double residentMegabytes()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Reports the first paint of the window named, then ends the process.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QString name) : name_(std::move(name)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == name_) {
            QTimer::singleShot(0, [] {
                std::printf("painted %ld\n", peakKilobytes());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    QString name_;
};

int childTeskora(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaint painted(window::Baza_frm.toString());
    app.installEventFilter(&painted);
    ProgramDriver program;
    program.start();
    return QApplication::exec();
}

int childBare(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaint painted(QStringLiteral("Bare"));
    app.installEventFilter(&painted);
    QWidget window;
    window.setObjectName(QStringLiteral("Bare"));
    window.resize(497, 400);
    QPushButton button(QStringLiteral("Кнопка"), &window);
    button.move(344, 168);
    window.show();
    return QApplication::exec();
}

// Whether the window has been painted since the flag was last cleared.
class PaintWatch : public QObject {
public:
    bool painted(const QString& name) const { return painted_.contains(name); }
    void clear() { painted_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow())
            painted_.insert(watched->objectName());
        return false;
    }

private:
    QSet<QString> painted_;
};

// Times an action until the window named is shown and painted, in ms.
double timeMove(PaintWatch& watch, platform::WindowName next, const std::function<void()>& action)
{
    QApplication::processEvents();
    watch.clear();
    QElapsedTimer timer;
    timer.start();
    action();
    while (!watch.painted(next.toString()))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return timer.nsecsElapsed() / 1e6;
}

int childMoves(int argc, char** argv)
{
    QApplication app(argc, argv);
    PaintWatch watch;
    app.installEventFilter(&watch);
    ProgramDriver program;
    program.start();
    while (!watch.painted(window::Baza_frm.toString()))
        QApplication::processEvents(QEventLoop::AllEvents, 5);

    const double count =
        timeMove(watch, window::Nachalo_frm, [] { ProgramDriver::button(window::Baza_frm, "Start_cmd")->click(); });
    const double grid = timeMove(watch, window::Start_frm, [] {
        QTest::keyClick(ProgramDriver::box(window::Nachalo_frm, "Okno_txt"), Qt::Key_8);
        QTest::keyClick(ProgramDriver::focus(), Qt::Key_Return);
    });
    for (int k = 0; k < 64; ++k)
        ProgramDriver::box(window::Start_frm, QStringLiteral("Text1(%1)").arg(k))
            ->setText(k % 9 == 0 ? QStringLiteral("10") : QStringLiteral("1"));
    const double answers =
        timeMove(watch, window::Start2_frm, [] { ProgramDriver::button(window::Start_frm, "Next_cmd")->click(); });
    for (int k = 0; k < 8; ++k)
        ProgramDriver::box(window::Start2_frm, ProgramDriver::answer(k + 1))->setText(QString::number(k + 1));
    const double results =
        timeMove(watch, window::Rezultat_frm, [] { ProgramDriver::button(window::Start2_frm, "next_cmd")->click(); });
    std::printf("moves %.3f %.3f %.3f %.3f\n", count, grid, answers, results);
    program.end();
    return 0;
}

// Whole solves, one after another, as a user makes them: the memory the
// program holds before the first and after every 250th.
int childSolves(int argc, char** argv, int solves)
{
    QApplication app(argc, argv);
    ProgramDriver program;
    program.start();
    std::printf("solves 0 %.1f\n", residentMegabytes());
    for (int solve = 1; solve <= solves; ++solve) {
        program.solve({{"3", "1", "-1"}, {"1", "2", "1"}, {"2", "-1", "4"}}, {"3", "8", "13"});
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        if (solve % 250 == 0)
            std::printf("solves %d %.1f\n", solve, residentMegabytes());
    }
    std::fflush(stdout);
    program.end();
    return program.messages.isEmpty() ? 0 : 1;
}

// Runs this program as a child in the given mode; gives the wall time to its
// first line in ms, and the lines it printed.
double runChild(const char* self, const char* mode, std::vector<std::string>& lines)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* args[] = {const_cast<char*>(self), const_cast<char*>("--child"), const_cast<char*>(mode), nullptr};
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    auto firstLine = start;
    if (posix_spawn(&pid, self, &actions, nullptr, args, environ) != 0)
        return -1;
    close(out[1]);
    lines.assign(1, std::string());
    for (char c = 0; read(out[0], &c, 1) == 1;) {
        if (c != '\n') {
            lines.back().push_back(c);
            continue;
        }
        if (lines.size() == 1)
            firstLine = std::chrono::steady_clock::now();
        lines.emplace_back();
    }
    lines.pop_back();
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double, std::milli>(firstLine - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int driver(const char* self)
{
    constexpr int Runs = 21;
    std::vector<double> teskoraTime, bareTime, teskoraMemory, bareMemory;
    std::vector<std::string> lines;
    for (int run = 0; run < Runs; ++run) {
        for (const char* mode : {"teskora", "bare"}) {
            const double ms = runChild(self, mode, lines);
            long kilobytes = 0;
            if (ms < 0 || lines.empty() || std::sscanf(lines[0].c_str(), "painted %ld", &kilobytes) != 1) {
                std::fprintf(stderr, "child %s failed\n", mode);
                return 1;
            }
            (std::strcmp(mode, "teskora") == 0 ? teskoraTime : bareTime).push_back(ms);
            (std::strcmp(mode, "teskora") == 0 ? teskoraMemory : bareMemory).push_back(kilobytes / 1024.0);
        }
    }
    std::printf("Start-up to the first window painted, median of %d alternating runs (platform %s)\n", Runs,
                qgetenv("QT_QPA_PLATFORM").isEmpty() ? "of the desktop" : qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("  %-22s %9s %12s\n", "", "time, ms", "peak, MiB");
    std::printf("  %-22s %9.1f %12.1f\n", "Teskora main window", median(teskoraTime), median(teskoraMemory));
    std::printf("  %-22s %9.1f %12.1f\n", "bare window + button", median(bareTime), median(bareMemory));
    std::printf("  %-22s %9.2f %12.2f\n", "ratio", median(teskoraTime) / median(bareTime),
                median(teskoraMemory) / median(bareMemory));

    std::vector<double> moves[4];
    for (int run = 0; run < 7; ++run) {
        runChild(self, "moves", lines);
        double m[4];
        if (lines.empty() || std::sscanf(lines[0].c_str(), "moves %lf %lf %lf %lf", &m[0], &m[1], &m[2], &m[3]) != 4) {
            std::fprintf(stderr, "moves child failed\n");
            return 1;
        }
        for (int k = 0; k < 4; ++k)
            moves[k].push_back(m[k]);
    }
    const char* names[] = {"main -> count step", "count 8 -> grid 8 x 8", "grid -> right-hand sides",
                           "solve -> results"};
    std::printf("\nMoves of a solve, click or key to the next window painted, median of 7 runs\n");
    for (int k = 0; k < 4; ++k)
        std::printf("  %-26s %7.2f ms\n", names[k], median(moves[k]));
    std::printf("  (bare window start-up:    %7.2f ms)\n", median(bareTime));

    std::printf("\nResident memory over %d whole solves in one run of the program\n", Solves);
    runChild(self, "solves", lines);
    for (const std::string& solves : lines) {
        int count = 0;
        double megabytes = 0;
        if (std::sscanf(solves.c_str(), "solves %d %lf", &count, &megabytes) == 2)
            std::printf("  after %4d solves %7.1f MiB\n", count, megabytes);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        if (std::strcmp(argv[2], "teskora") == 0)
            return childTeskora(argc, argv);
        if (std::strcmp(argv[2], "bare") == 0)
            return childBare(argc, argv);
        if (std::strcmp(argv[2], "moves") == 0)
            return childMoves(argc, argv);
        if (std::strcmp(argv[2], "solves") == 0)
            return childSolves(argc, argv, Solves);
    }
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';
    return driver(self);
}
