// Start-up and the moves of a solve, timed as a user would feel them.
//
//   startup_bench            runs the comparison and prints it
//
// Start-up: from process start to the main window shown and painted, and the
// peak memory by then, beside a bare Qt window with one button started the
// same way, alternating, in the same run. Moves: from the click or key of
// each step of a solve to the next window shown and painted.
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
#include <QTest>
#include <QTimer>

#include "platform/form.h"
#include "platform/message_service.h"
#include "platform/window_service.h"
#include "shell/startup.h"

extern char** environ;

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
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
    startProgram();
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

class SilentMessages : public platform::MessageService {
public:
    void show(const QString& text, const QString&, platform::MessageIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(text));
    }
};

QPushButton* button(platform::WindowName window, const char* name)
{
    return platform::windows().find(window)->findChild<QPushButton*>(QString::fromLatin1(name));
}

QLineEdit* box(platform::WindowName window, const QString& name)
{
    return platform::windows().find(window)->findChild<QLineEdit*>(name);
}

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
    SilentMessages messages;
    platform::setMessageService(&messages);
    startProgram();
    while (!watch.painted(window::Baza_frm.toString()))
        QApplication::processEvents(QEventLoop::AllEvents, 5);

    const double count = timeMove(watch, window::Nachalo_frm, [] { button(window::Baza_frm, "Start_cmd")->click(); });
    const double grid = timeMove(watch, window::Start_frm, [] {
        QLineEdit* okno = box(window::Nachalo_frm, QStringLiteral("Okno_txt"));
        QTest::keyClick(okno, Qt::Key_8);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    for (int k = 0; k < 64; ++k)
        box(window::Start_frm, QStringLiteral("Text1(%1)").arg(k))->setText(k % 9 == 0 ? QStringLiteral("10") : QStringLiteral("1"));
    const double answers = timeMove(watch, window::Start2_frm, [] { button(window::Start_frm, "Next_cmd")->click(); });
    for (int k = 0; k < 8; ++k)
        box(window::Start2_frm, QStringLiteral("Text1(%1)").arg(k))->setText(QString::number(k + 1));
    const double results = timeMove(watch, window::Rezultat_frm, [] { button(window::Start2_frm, "next_cmd")->click(); });
    std::printf("moves %.3f %.3f %.3f %.3f\n", count, grid, answers, results);
    platform::windows().destroyAll();
    return 0;
}

// Runs this program as a child in the given mode; gives the wall time to its
// first line in ms and the line.
double runChild(const char* self, const char* mode, std::string& line)
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
    if (posix_spawn(&pid, self, &actions, nullptr, args, environ) != 0)
        return -1;
    close(out[1]);
    line.clear();
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n')
        line.push_back(c);
    const auto end = std::chrono::steady_clock::now();
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return std::chrono::duration<double, std::milli>(end - start).count();
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
    std::string line;
    for (int run = 0; run < Runs; ++run) {
        for (const char* mode : {"teskora", "bare"}) {
            const double ms = runChild(self, mode, line);
            long kilobytes = 0;
            if (ms < 0 || std::sscanf(line.c_str(), "painted %ld", &kilobytes) != 1) {
                std::fprintf(stderr, "child %s failed: '%s'\n", mode, line.c_str());
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
        runChild(self, "moves", line);
        double m[4];
        if (std::sscanf(line.c_str(), "moves %lf %lf %lf %lf", &m[0], &m[1], &m[2], &m[3]) != 4) {
            std::fprintf(stderr, "moves child failed: '%s'\n", line.c_str());
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
    }
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';
    return driver(self);
}
