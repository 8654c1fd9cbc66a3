#include "platform/window_system.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

std::string preferredWindowSystem(const std::function<std::string(const char*)>& environment,
                                  const std::vector<std::string>& arguments)
{
    const bool chosen = !environment("QT_QPA_PLATFORM").empty()
                        || std::any_of(arguments.begin(), arguments.end(),
                                       [](const std::string& argument) { return argument == "-platform"; });
    const bool wayland = !environment("WAYLAND_DISPLAY").empty() || environment("XDG_SESSION_TYPE") == "wayland";
    if (chosen || !wayland || environment("DISPLAY").empty())
        return {};
    return "xcb";
}

std::vector<char*> argumentsWithWindowSystem(int argc, char** argv)
{
    std::vector<char*> arguments(argv, argv + argc);
    const std::string system = preferredWindowSystem(
        [](const char* name) {
            const char* value = std::getenv(name);
            return std::string(value ? value : "");
        },
        std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    static char platformOption[] = "-platform";
    static char xcb[] = "xcb";
    if (system == "xcb") {
        arguments.push_back(platformOption);
        arguments.push_back(xcb);
    }
    arguments.push_back(nullptr);
    return arguments;
}

}  // namespace platform
