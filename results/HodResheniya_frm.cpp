#include "results/HodResheniya_frm.h"

#include <algorithm>

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/regional_settings.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "platform/window_service.h"
#include "shell/window_names.h"
#include "results/course_text.h"
#include "solver/peremennye.h"

namespace {
const QString Caption = QStringLiteral("Ход решения");
}

HodResheniya_frm::HodResheniya_frm()
    : Form(window::HodResheniya_frm, Caption, platform::Frame::Sizable)
{
    setClientSizeTwips(9600, 6600);
    setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_results.png")));
    setHelpTopic(help::Course);
    Hod_txt = new QPlainTextEdit(this);
    Hod_txt->setObjectName(QStringLiteral("Hod_txt"));
    Hod_txt->setReadOnly(true);
    Hod_txt->setLineWrapMode(QPlainTextEdit::NoWrap);
    Hod_txt->setAccessibleName(Caption);
    Hod_txt->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The course stands in columns: a font whose characters are all as wide,
    // at a size that fits a line of the course into the window as it opens.
    QFont fixedWidth;
    fixedWidth.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                            QStringLiteral("DejaVu Sans Mono")});
    fixedWidth.setStyleHint(QFont::Monospace);
    fixedWidth.setFixedPitch(true);
    fixedWidth.setPointSizeF(9);
    Hod_txt->setFont(fixedWidth);
    Zakryt_cmd = platform::Controls(*this).button(QStringLiteral("Zakryt_cmd"), QStringLiteral("&Закрыть"),
                                                  QStringLiteral("Закрыть ход решения"), 0, 0, 1215, 375, 1);
    tabOrder().setTabIndex(Hod_txt, 0);
    setCancelButton(Zakryt_cmd);
    setLeaveButton(Zakryt_cmd);
    platform::layOutPage(this, Hod_txt, {Zakryt_cmd});
    events().onClick(Zakryt_cmd, &HodResheniya_frm::Zakryt_cmd_Click);
}

void HodResheniya_frm::Form_Load()
{
    beside_ = QApplication::activeWindow();
    placeOnScreen();
    Form_Activate();
}

void HodResheniya_frm::Form_Activate()
{
    const Peremennye& state = peremennye();
    QStringList lines;
    for (const std::u16string& line : courseOfSolve(state.matr_kopiya, state.otvety_kopiya, unknownCount(),
                                                    state.tochnost, platform::regionalSettings()))
        lines.append(QString::fromStdU16String(line));
    Hod_txt->setPlainText(lines.join(u'\n'));
}

// Beside the window the user works in, on the side with more room, so that
// the results stay in sight: next to it where the screen allows, else at that
// edge of the screen.
void HodResheniya_frm::placeOnScreen()
{
    centreOnScreen();
    if (!beside_ || !beside_->isVisible() || !beside_->screen())
        return;
    const QRect room = beside_->screen()->availableGeometry();
    const QRect beside = beside_->frameGeometry();
    const int width = platform::twipsToPixels(outerSizeTwips().width());
    const int height = platform::twipsToPixels(outerSizeTwips().height());
    const int top = std::clamp(beside.top(), room.top(), std::max(room.top(), room.bottom() + 1 - height));
    if (room.right() - beside.right() >= beside.left() - room.left())
        move(std::min(beside.right() + 1, room.right() + 1 - width), top);
    else
        move(std::max(beside.left() - width, room.left()), top);
}

void HodResheniya_frm::Zakryt_cmd_Click()
{
    platform::windows().unload(this);
}
