#include <QApplication>

#include "platform/window_system.h"
#include "shell/startup.h"

int main(int argc, char** argv)
{
    if (const auto status = answerCommandLine(argc, argv))
        return *status;
    std::vector<char*> arguments = platform::argumentsWithWindowSystem(argc, argv);
    int count = static_cast<int>(arguments.size()) - 1;
    QApplication app(count, arguments.data());
    const auto file = fileOnCommandLine(QApplication::arguments());
    if (const auto* status = std::get_if<int>(&file))
        return *status;
    startProgram(std::get<QString>(file));
    return QApplication::exec();
}
