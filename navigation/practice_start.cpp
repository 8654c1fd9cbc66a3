#include "navigation/practice_start.h"

#include <map>

#include "navigation/window_names.h"
#include "platform/window_service.h"

namespace {

std::optional<SolveDocument>& started()
{
    static std::optional<SolveDocument> system;
    return system;
}

// The progress on each system, the system's own numbers its key.
std::map<std::vector<double>, PracticeProgress>& kept()
{
    static std::map<std::vector<double>, PracticeProgress> progress;
    return progress;
}

std::vector<double> keyOf(const SolveDocument& system)
{
    std::vector<double> key = {double(system.n)};
    for (int i = 1; i <= system.n; ++i) {
        for (int j = 1; j <= system.n; ++j)
            key.push_back(system.a(i, j).value());
        key.push_back(system.b(i).value());
    }
    return key;
}

}  // namespace

void startPractice(SolveDocument system)
{
    started() = std::move(system);
    platform::windows().show(window::Praktika_frm);
}

const SolveDocument* practiceSystem()
{
    return started() ? &*started() : nullptr;
}

PracticeProgress* practiceProgress()
{
    if (!started())
        return nullptr;
    const auto found = kept().find(keyOf(*started()));
    return found == kept().end() ? nullptr : &found->second;
}

PracticeProgress& keepPracticeProgress(PracticeProgress progress)
{
    return kept().insert_or_assign(keyOf(*started()), std::move(progress)).first->second;
}

void forgetPracticeProgress()
{
    if (started())
        kept().erase(keyOf(*started()));
}

void forgetAllPractice()
{
    kept().clear();
    started().reset();
}

platform::Command practiceCommand(std::function<std::optional<SolveDocument>()> system)
{
    return {QStringLiteral("Практика по методу вращений..."), Qt::Key_F4,
            QStringLiteral("Решить систему самому, шаг за шагом: программа проверит каждое число"),
            [system = std::move(system)] {
                if (auto given = system())
                    startPractice(std::move(*given));
            }};
}

platform::Command practiceOnLastSolve()
{
    return practiceCommand([]() -> std::optional<SolveDocument> {
        if (const SolveDocument* solve = lastSolve())
            return *solve;
        return std::nullopt;
    });
}
