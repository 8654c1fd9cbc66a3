#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// The window system the program shows its windows on. In a Wayland session
// that also runs an X server (XWayland), X: there the program places its
// windows itself (centred, the course beside the results), a screen reader
// and the keyboard find each new window of the chain as on any X desktop,
// and the window asks for the keyboard as it opens, which a Wayland
// compositor leaves to itself. Natively on Wayland only where no X server
// runs. The user's own choice (QT_QPA_PLATFORM, or -platform on the command
// line) always stands.
//
// "xcb" where X is preferred, or empty where the toolkit's own choice stands;
// environment gives a variable's value, empty when it is not set.
std::string preferredWindowSystem(const std::function<std::string(const char* name)>& environment,
                                  const std::vector<std::string>& arguments);

// The command line the toolkit is started with: the program's own, and the
// preferred window system where there is one. The strings live as long as
// the program.
std::vector<char*> argumentsWithWindowSystem(int argc, char** argv);

}  // namespace platform
