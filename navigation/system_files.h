#pragma once

#include <functional>

#include <QString>

#include "platform/command.h"

class QWidget;
struct SystemTexts;

namespace platform {
class Form;
}

// Systems of equations in files: the commands that open and save them, and
// what the user is told when a file cannot be. A file is read and checked in
// full before anything typed is replaced, and saved through a temporary file
// that replaces the old one only when it is complete.
namespace system_files {

inline const QString OpenCommand = QStringLiteral("Открыть систему...");
inline const QString OpenTip = QStringLiteral("Открыть систему уравнений из файла (CSV, TSV или текст)");
inline const QString SaveCommand = QStringLiteral("Сохранить систему...");
inline const QString SaveTip = QStringLiteral("Сохранить систему уравнений в файл CSV или TSV");

// Asks for a file and opens the system it holds in the coefficient grid.
void open(QWidget* parent);
// The command that opens a system (Ctrl+O), and the one that saves the
// system given by the window (Ctrl+S).
platform::Command openCommand(QWidget* parent);
platform::Command saveCommand(QWidget* parent, std::function<SystemTexts()> system);
// Gives a window the ways to open a system: the command (Ctrl+O, and in the
// menu of a right click on the window) and a file dropped on it.
void offerOpening(platform::Form& window);
// Opens the system in the file at path in the coefficient grid. A file that
// cannot be opened is reported, nothing changes, and the result is false.
bool openFile(const QString& path);

// Asks for a file and saves the system, right-hand sides and all, into it.
void save(QWidget* parent, const SystemTexts& system);

}  // namespace system_files
