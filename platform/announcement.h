#pragma once

#include <QString>
#include <QWidget>

namespace platform {

// Words for a screen reader to say at once, wherever the focus is: a
// notification, not seen, shown anew for each text. (Orca speaks a
// notification whenever it appears; changes of a control's name or
// description reach it without their text.)
class Announcement : public QWidget {
    Q_OBJECT

public:
    Announcement(QWidget* parent, const QString& name);

    void say(const QString& text);
    // Taken away, so that it is not shown, and said, again with its window.
    void hush();
};

}  // namespace platform
