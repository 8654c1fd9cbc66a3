#pragma once

#include <string>

namespace platform {

// The two services of the operating system the about dialog uses, texts in
// the system's code page.
class OperatingSystem {
public:
    virtual ~OperatingSystem() = default;
    // The name of the file at path when it is an ordinary file, else empty.
    virtual std::string fileExists(const std::string& path) = 0;
    // Starts the program on its own, with a normal window that takes the
    // focus, and does not wait for it. A program that cannot be started
    // raises the file-not-found error.
    virtual long startProgram(const std::string& path) = 0;
};

// The service in force: the system's unless a test has set its own.
OperatingSystem& operatingSystem();
// nullptr goes back to the system's.
void setOperatingSystem(OperatingSystem* replacement);

}  // namespace platform
