#include "shell/command_line.h"

#include <algorithm>

#include "platform/runtime/application_data.h"

namespace {

// The toolkit's own options, which it takes out of the command line itself:
// with a value, and without one. Each is written with one dash or two.
const std::vector<std::string> ToolkitOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session", "display", "geometry", "style", "stylesheet", "name", "title"};
const std::vector<std::string> ToolkitOptions = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool among(const std::vector<std::string>& options, const std::string& name)
{
    return std::find(options.begin(), options.end(), name) != options.end();
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    bool options = true;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string& argument = arguments[k];
        const std::string name = argument.substr(argument.starts_with("--") ? 2 : 1);
        if (options && argument.size() > 1 && argument[0] == '-' && argument != "--"
            && (among(ToolkitOptions, name) || among(ToolkitOptionsWithValue, name) || name.starts_with("qmljsdebugger="))) {
            k += among(ToolkitOptionsWithValue, name) ? 1 : 0;
        } else if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "-h" || argument == "--help")) {
            return {CommandLine::Action::Help, {}, {}};
        } else if (options && (argument == "-v" || argument == "--version")) {
            return {CommandLine::Action::Version, {}, {}};
        } else if (options && argument.size() > 1 && argument[0] == '-') {
            return {CommandLine::Action::Mistake, {}, "неизвестный параметр «" + argument + "»"};
        } else if (!line.file.empty()) {
            return {CommandLine::Action::Mistake, {}, "можно открыть только один файл"};
        } else {
            line.file = argument;
        }
    }
    return line;
}

std::string helpText()
{
    return "Использование: teskora [ФАЙЛ]\n"
           "Решение системы из 2–8 линейных уравнений методом вращений (" + platform::applicationTitle() + ").\n"
           "\n"
           "  ФАЙЛ           открыть систему уравнений из файла: по уравнению в строке,\n"
           "                 коэффициенты и затем правая часть, через табуляцию, «;»,\n"
           "                 «,» или пробелы (CSV, TSV или текст в UTF-8, UTF-16\n"
           "                 или Windows-1251)\n"
           "  -h, --help     показать эту справку и выйти\n"
           "  -v, --version  показать версию и выйти\n"
           "\n"
           "Подробнее: man teskora\n";
}

std::string versionText()
{
    return "teskora " + std::to_string(platform::versionMajor()) + "." + std::to_string(platform::versionMinor()) + "."
           + std::to_string(platform::versionRevision()) + "\n";
}
