#include "shell/Spravka_frm.h"

#include <QPushButton>
#include <QTextBrowser>

#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/window_service.h"
#include "common/window_names.h"

Spravka_frm::Spravka_frm()
    : Form(window::Spravka_frm, QStringLiteral("Справка"), platform::Frame::Sizable)
{
    setClientSizeTwips(6600, 5400);
    setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_main.png")));
    Text_brw = new QTextBrowser(this);
    Text_brw->setObjectName(QStringLiteral("Text_brw"));
    Text_brw->setOpenLinks(false);
    Text_brw->setAccessibleName(QStringLiteral("Справка"));
    Close_cmd = platform::Controls(*this).button(QStringLiteral("Close_cmd"), QStringLiteral("&Закрыть"), QString(), 0,
                                                 0, 1215, 375, 0);
    setCancelButton(Close_cmd);
    setLeaveButton(Close_cmd);
    platform::layOutPage(this, Text_brw, {Close_cmd});
    events().onClick(Close_cmd, &Spravka_frm::Close_cmd_Click);
}

void Spravka_frm::Form_Load()
{
    centreOnScreen();
}

void Spravka_frm::showTopic(platform::HelpTopic topic)
{
    topic_ = topic;
    // The pages are named by the topic numbers of the help file.
    Text_brw->setSource(QUrl(QStringLiteral("qrc:/help/topic%1.html").arg(topic.number())));
    setWindowTitle(QStringLiteral("Справка: ") + Text_brw->documentTitle());
}

void Spravka_frm::Close_cmd_Click()
{
    platform::windows().unload(this);
}
