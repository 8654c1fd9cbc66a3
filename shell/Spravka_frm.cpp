#include "shell/Spravka_frm.h"

#include <QPushButton>
#include <QTextBrowser>

#include "navigation/window_names.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/pictures.h"
#include "platform/window_service.h"

Spravka_frm::Spravka_frm()
    : Form(window::Spravka_frm, QStringLiteral("Справка"), platform::Frame::Sizable)
{
    setClientSizeTwips(6600, 5400);
    setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_main.png")));
    Text_brw = new QTextBrowser(this);
    Text_brw->setObjectName(QStringLiteral("Text_brw"));
    // Links go from topic to topic within the help; Alt+Left goes back.
    Text_brw->setOpenLinks(true);
    Text_brw->setOpenExternalLinks(false);
    Text_brw->setAccessibleName(QStringLiteral("Справка"));
    platform::Controls controls(*this);
    Soderzhanie_cmd = controls.button(QStringLiteral("Soderzhanie_cmd"), QStringLiteral("&Содержание"),
                                      QStringLiteral("Список разделов справки"), 0, 0, 1215, 375, 0);
    Close_cmd = controls.button(QStringLiteral("Close_cmd"), QStringLiteral("&Закрыть"), QString(), 0, 0, 1215, 375, 1);
    setCancelButton(Close_cmd);
    setLeaveButton(Close_cmd);
    platform::layOutPage(this, Text_brw, {Soderzhanie_cmd, Close_cmd});
    events().onClick(Soderzhanie_cmd, &Spravka_frm::Soderzhanie_cmd_Click);
    events().onClick(Close_cmd, &Spravka_frm::Close_cmd_Click);
    connect(Text_brw, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(QStringLiteral("Справка: ") + Text_brw->documentTitle()); });
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
}

void Spravka_frm::Soderzhanie_cmd_Click()
{
    Text_brw->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
}

void Spravka_frm::Close_cmd_Click()
{
    platform::windows().unload(this);
}
