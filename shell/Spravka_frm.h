#pragma once

#include "platform/form.h"

class QPushButton;
class QTextBrowser;

// The help window: one topic of the program's help at a time, for F1.
class Spravka_frm : public platform::Form {
    Q_OBJECT

public:
    Spravka_frm();

    void Form_Load() override;

    void showTopic(platform::HelpTopic topic);
    platform::HelpTopic topic() const { return topic_; }

private:
    void Close_cmd_Click();

    QTextBrowser* Text_brw;
    QPushButton* Close_cmd;
    platform::HelpTopic topic_;
};
