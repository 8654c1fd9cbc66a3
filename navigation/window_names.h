#pragma once

#include "platform/window_name.h"

// The windows of the program, each named once: every move between them names
// one of these, and start-up registers each with the window service.
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
inline constexpr platform::WindowName Praktika_frm{"Praktika_frm"};
inline constexpr platform::WindowName Zadaniya_frm{"Zadaniya_frm"};
}  // namespace window

// The topics of the program's help, numbered as its help file numbers them.
namespace help {
inline constexpr platform::HelpTopic MainWindow{1};
inline constexpr platform::HelpTopic CountStep{2};
inline constexpr platform::HelpTopic Results{3};
inline constexpr platform::HelpTopic Coefficients{4};
inline constexpr platform::HelpTopic RightHandSides{5};
inline constexpr platform::HelpTopic Course{6};
inline constexpr platform::HelpTopic Practice{7};
inline constexpr platform::HelpTopic Tasks{8};
}  // namespace help
