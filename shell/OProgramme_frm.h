#pragma once

#include <cstdint>
#include <string>

#include "platform/form.h"

class QLabel;
class QPushButton;

// The about dialog: title, version, description, and the way to the
// operating system's system-information tool.
class OProgramme_frm : public platform::Form {
    Q_OBJECT

public:
    OProgramme_frm();

    void Form_Load() override;

    // Starts the system-information tool that the registry names, or says
    // that there is none. Never lets an error escape.
    void StartSysInfo();

    // Reads the value SubKeyRef of the key KeyName under KeyRoot into KeyVal
    // (text in the system's code page): true when it was read.
    static bool GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                            std::string& KeyVal);

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();

    QPushButton* cmdOK;
    QLabel* picIcon;
    QPushButton* cmdSysInfo;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* Label1;
};
