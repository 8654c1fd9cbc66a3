#include "wizard/Nachalo_frm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "navigation/system_files.h"
#include "navigation/window_names.h"
#include "platform/accessibility.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/virtual_keys.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"

namespace {

const QString Caption = QStringLiteral("                             Начало работы");
const QString Prompt = QStringLiteral(
    "Чтобы перейти к следующему шагу решения, введите количество неизвестных, содержащихся в  вашей системе ( целое "
    "число от 2 до 8)");

bool isCountKey(int keyCode)
{
    const int mainRow = keyCode - platform::vk::Digit0;
    const int keypad = keyCode - platform::vk::Numpad0;
    return (mainRow >= MinUnknowns && mainRow <= MaxUnknowns) || (keypad >= MinUnknowns && keypad <= MaxUnknowns);
}

// The later screens need exactly one digit from 2 to 8.
bool isCount(const QString& text)
{
    return text.size() == 1 && text[0].unicode() >= u'0' + MinUnknowns && text[0].unicode() <= u'0' + MaxUnknowns;
}

}  // namespace

Nachalo_frm::Nachalo_frm()
    : Form(window::Nachalo_frm, Caption, platform::Frame::Sizable)
{
    setClientSizeTwips(4830, 2910);
    setHelpTopic(help::CountStep);
    platform::Controls controls(*this);

    Okno_txt = controls.textBox(QStringLiteral("Okno_txt"), 2040, 1080, 735, 660, 0);
    Okno_txt->setMaxLength(1);
    Okno_txt->setAlignment(Qt::AlignCenter);
    Okno_txt->setFont(platform::classicFont(24, true));
    Okno_txt->setAccessibleName(QStringLiteral("Количество неизвестных"));
    platform::announceWithFocus(Okno_txt, {Prompt});
    Dalee_cmd = controls.button(QStringLiteral("Dalee_cmd"), QStringLiteral("&Далее"),
                                QStringLiteral("Приступить к вводу коэффициентов"), 3360, 1920, 1215, 495, 1);
    Otmena_cmd = controls.button(QStringLiteral("Otmena_cmd"), QStringLiteral("&Отмена"),
                                 QStringLiteral("Отмена вычислений"), 240, 1920, 1215, 495, 2);
    Label1 = controls.label(QStringLiteral("Label1"), Prompt, 120, 240, 4575, 615);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    setLeaveButton(Otmena_cmd);
    events().onKeyDown(Okno_txt, [this](int keyCode) { Okno_txt_KeyDown(keyCode); });
    events().onClick(Dalee_cmd, &Nachalo_frm::Dalee_cmd_Click);
    events().onClick(Otmena_cmd, &Nachalo_frm::Otmena_cmd_Click);
    system_files::offerOpening(*this);
}

void Nachalo_frm::Form_Load()
{
    centreOnScreen();
    Dalee_cmd->setEnabled(false);
}

// The key, not the resulting text, decides; the character still lands in the
// box after the focus has moved to "Далее".
void Nachalo_frm::Okno_txt_KeyDown(int KeyCode)
{
    if (KeyCode == platform::vk::Back || KeyCode == platform::vk::Delete) {
        Dalee_cmd->setEnabled(false);
    } else if (isCountKey(KeyCode)) {
        Dalee_cmd->setEnabled(true);
        Dalee_cmd->setFocus(Qt::OtherFocusReason);
    }
}

void Nachalo_frm::Dalee_cmd_Click()
{
    // A pasted or shifted character, an emptied box or a 9 that a later key
    // did not replace: the step stays, and the user types the count again.
    if (!isCount(Okno_txt->text())) {
        Okno_txt->setFocus(Qt::OtherFocusReason);
        Okno_txt->selectAll();
        Dalee_cmd->setEnabled(false);
        return;
    }
    peremennye().kol_neizv = Okno_txt->text().toStdU16String();
    platform::windows().unload(this);
    platform::windows().show(window::Start_frm);
}

void Nachalo_frm::Otmena_cmd_Click()
{
    platform::windows().unload(this);
    platform::windows().show(window::Baza_frm);
}
