#pragma once

#include <functional>

#include <QLineEdit>
#include <QPushButton>

#include "platform/form.h"

namespace test_window {
inline constexpr platform::WindowName Test_frm{"Test_frm"};
inline constexpr platform::WindowName A_frm{"A_frm"};
inline constexpr platform::WindowName B_frm{"B_frm"};
}  // namespace test_window

// A small window of the kind the program has: two buttons and a box, with
// hooks the tests can set.
class TestForm : public platform::Form {
public:
    explicit TestForm(platform::WindowName name = test_window::Test_frm,
                      platform::Frame frame = platform::Frame::FixedSingle)
        : Form(name, QStringLiteral("  Проверка"), frame)
    {
        setClientSizeTwips(4500, 3000);
        box = addTextBox(QStringLiteral("Text1"), 120, 120, 1500, 285, 2);
        first = addButton(QStringLiteral("First_cmd"), QStringLiteral("&Первая"), QString(), 120, 600, 1215, 375, 0);
        second = addButton(QStringLiteral("Second_cmd"), QStringLiteral("&Вторая"), QString(), 1500, 600, 1215, 375, 1);
        onClick(first, [this] { ++firstClicks; if (onFirst) onFirst(); });
        onClick(second, [this] { ++secondClicks; });
    }

    void Form_Load() override
    {
        ++loads;
        loadedWhileVisible = isVisible();
        if (failLoad)
            platform::raiseOverflow();
    }


    using Form::moveFocusLater;
    using Form::onGotFocus;
    using Form::onKeyDown;
    using Form::onLostFocus;
    using Form::runGuarded;
    using Form::setCancelButton;
    using Form::setHelpTopic;
    using Form::setLeaveButton;

    QLineEdit* box;
    QPushButton* first;
    QPushButton* second;
    int firstClicks = 0;
    int secondClicks = 0;
    int loads = 0;
    bool loadedWhileVisible = true;
    inline static bool failLoad = false;
    std::function<void()> onFirst;
};
