#include "shell/Exit_frm.h"

#include <QLabel>
#include <QPushButton>

#include "navigation/window_names.h"
#include "platform/accessibility.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/window_service.h"

namespace {
const QString Caption = QStringLiteral("                      Выход из программы");
}

Exit_frm::Exit_frm()
    : Form(window::Exit_frm, Caption, platform::Frame::FixedDialog)
{
    setClientSizeTwips(4845, 2550);
    setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_exit.png")));
    platform::Controls controls(*this);

    Label1 = controls.label(QStringLiteral("Label1"), QStringLiteral("Вы действительно хотите выйти?"), 120, 720, 4695,
                            495);
    Label1->setFont(platform::classicFont(13.5));
    OKButton = controls.button(QStringLiteral("OKButton"), QStringLiteral("&Да"), QStringLiteral("Подтверждение выхода"),
                               720, 1680, 1215, 375, 1);
    CancelButton = controls.button(QStringLiteral("CancelButton"), QStringLiteral("&Нет"),
                                   QStringLiteral("Возврат в программу"), 2760, 1680, 1215, 375, 0);

    // No default or cancel button: Enter and Space press the focused one, Esc nothing.
    setLeaveButton(CancelButton);
    platform::announceWithFocus(CancelButton, {Label1->text()});
    events().onClick(OKButton, &Exit_frm::OKButton_Click);
    events().onClick(CancelButton, &Exit_frm::CancelButton_Click);
}

void Exit_frm::Form_Load()
{
    centreOnScreen();
}

void Exit_frm::OKButton_Click()
{
    platform::windows().endProgram();
}

void Exit_frm::CancelButton_Click()
{
    platform::windows().unload(this);
}
