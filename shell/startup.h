#pragma once

#include <optional>
#include <variant>

#include <QString>
#include <QStringList>

// Starts the program as the forms runtime did: reads the user's regional
// settings, tells the window service how to make every window, and shows the
// main window; or, given a system's file, the coefficient grid filled from
// it (a file that cannot be opened is reported, and the main window shows).
// The event loop then runs it; "Да" of the exit confirmation ends it.
void startProgram(const QString& file = QString());

// --help and --version, printed before the toolkit starts, so that they need
// no display: the status to end with, or nothing when the program goes on.
std::optional<int> answerCommandLine(int argc, char** argv);
// The file the command line names, once the toolkit has taken its own
// options out; or, for a mistake, which is printed, the status to end with.
std::variant<QString, int> fileOnCommandLine(const QStringList& arguments);
