#pragma once

#include <QLatin1StringView>
#include <QString>

namespace platform {

// The name of a window: its objectName, by which the window service makes,
// shows and finds it. The application declares each of its names once, so a
// misspelt name does not compile.
class WindowName {
public:
    explicit constexpr WindowName(const char* objectName) : objectName_(objectName) {}

    QString toString() const { return QLatin1StringView(objectName_); }
    bool operator==(const WindowName& other) const { return toString() == other.toString(); }

private:
    const char* objectName_;
};

// A topic of the program's help, by its number in the help file: F1 in a
// window shows the window's topic. Topic 0 is none.
class HelpTopic {
public:
    constexpr HelpTopic() = default;
    explicit constexpr HelpTopic(int number) : number_(number) {}

    constexpr int number() const { return number_; }
    constexpr bool operator==(const HelpTopic&) const = default;

private:
    int number_ = 0;
};

}  // namespace platform
