#pragma once

#include <string>
#include <vector>

// What the program is asked on its command line: to start as usual, to
// start at the coefficient grid with a system from a file, to print its help
// or its version and end, or something it cannot do. The arguments are the
// ones after the program's name, in UTF-8; the toolkit's own options
// (-platform xcb, -style fusion, ...) are passed over, so that a mistake is
// told before the toolkit starts, also where there is no display; "--" ends
// the options.
struct CommandLine {
    enum class Action { Start, Help, Version, Mistake };
    Action action = Action::Start;
    std::string file;     // the system to open, or empty
    std::string mistake;  // what was wrong, for the user
};

CommandLine readCommandLine(const std::vector<std::string>& arguments);

// The lines --help and --version print, in Russian.
std::string helpText();
std::string versionText();
