#include <QApplication>

#include "shell/startup.h"

int main(int argc, char** argv)
{
    if (const auto status = answerCommandLine(argc, argv))
        return *status;
    QApplication app(argc, argv);
    const auto file = fileOnCommandLine(QApplication::arguments());
    if (const auto* status = std::get_if<int>(&file))
        return *status;
    startProgram(std::get<QString>(file));
    return QApplication::exec();
}
