#pragma once

#include "platform/form.h"

class QPushButton;
class QTextBrowser;

// The help window: one topic of the program's help at a time, for F1, its
// links leading to the others, and the contents of them all.
class Spravka_frm : public platform::Form {
    Q_OBJECT

public:
    Spravka_frm();

    void Form_Load() override;

    void showTopic(platform::HelpTopic topic);
    platform::HelpTopic topic() const { return topic_; }

private:
    void Soderzhanie_cmd_Click();
    void Close_cmd_Click();

    QTextBrowser* Text_brw;
    QPushButton* Soderzhanie_cmd;
    QPushButton* Close_cmd;
    platform::HelpTopic topic_;
};
