#pragma once

#include <string>

namespace platform {

// The program's own title, which message boxes without a title of their own
// also carry (UTF-8).
std::string applicationTitle();

// The build's version numbers, major, minor and revision.
int versionMajor();
int versionMinor();
int versionRevision();

// "Version 2.3.28": each number in plain decimal digits.
std::string versionText();

}  // namespace platform
