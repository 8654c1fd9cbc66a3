#pragma once

#include <exception>
#include <string>

namespace platform {

// A run-time error of the program, as the forms runtime raises it: a number
// and a Russian description. The solve command and the about dialog catch it
// and show the description; nothing lets it reach Qt's event loop.
class RuntimeError : public std::exception {
public:
    RuntimeError(int number, std::string description);

    int number() const noexcept { return number_; }
    // UTF-8.
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int number_;
    std::string description_;
};

// The errors the program can meet, numbered as the classic runtime numbers them.
namespace error {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
}  // namespace error

[[noreturn]] void raiseInvalidCall();
[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseSubscriptOutOfRange();
[[noreturn]] void raiseDivisionByZero();
[[noreturn]] void raiseTypeMismatch();
[[noreturn]] void raiseFileNotFound();

// What the runtime says of an error no handler took, as the classic runtime
// words it (UTF-8): its number and its description.
std::string unhandledErrorText(int number, const std::string& description);

}  // namespace platform
