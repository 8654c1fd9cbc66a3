#pragma once

#include <QLatin1StringView>
#include <QString>

namespace platform {

// The name of a window of the program: its objectName, by which the window
// service makes, shows and finds it. Each name is declared once, below; a
// move between windows names one of these, so a misspelt name does not
// compile.
class WindowName {
public:
    explicit constexpr WindowName(const char* objectName) : objectName_(objectName) {}

    QString toString() const { return QLatin1StringView(objectName_); }
    bool operator==(const WindowName& other) const { return toString() == other.toString(); }

private:
    const char* objectName_;
};

// The topics of the program's help, numbered as its help file numbers them:
// F1 in a window shows the window's topic.
enum class HelpTopic { None = 0, MainWindow = 1, Coefficients = 4, RightHandSides = 5, Course = 6 };

}  // namespace platform

namespace window {
inline constexpr platform::WindowName Baza_frm{"Baza_frm"};
inline constexpr platform::WindowName Exit_frm{"Exit_frm"};
inline constexpr platform::WindowName OProgramme_frm{"OProgramme_frm"};
inline constexpr platform::WindowName Spravka_frm{"Spravka_frm"};
inline constexpr platform::WindowName Nachalo_frm{"Nachalo_frm"};
inline constexpr platform::WindowName Start_frm{"Start_frm"};
inline constexpr platform::WindowName Start2_frm{"Start2_frm"};
inline constexpr platform::WindowName Rezultat_frm{"Rezultat_frm"};
inline constexpr platform::WindowName HodResheniya_frm{"HodResheniya_frm"};
}  // namespace window
