#include "shell/Spravka_frm.h"

#include <QIcon>
#include <QPushButton>
#include <QTextBrowser>

#include "platform/twips.h"
#include "platform/window_service.h"

Spravka_frm::Spravka_frm()
    : Form(window::Spravka_frm, QStringLiteral("Справка"), platform::Frame::Sizable)
{
    setClientSizeTwips(6600, 5400);
    setWindowIcon(QIcon(QStringLiteral(":/icon_main.png")));
    Text_brw = new QTextBrowser(this);
    Text_brw->setObjectName(QStringLiteral("Text_brw"));
    Text_brw->setOpenLinks(false);
    Text_brw->setAccessibleName(QStringLiteral("Справка"));
    Close_cmd = addButton(QStringLiteral("Close_cmd"), QStringLiteral("&Закрыть"), QString(), 0, 0, 1215, 375, 0);
    setCancelButton(Close_cmd);
    setLeaveButton(Close_cmd);
    onClick(Close_cmd, &Spravka_frm::Close_cmd_Click);
}

void Spravka_frm::Form_Load()
{
    centreOnScreen();
}

void Spravka_frm::showTopic(platform::HelpTopic topic)
{
    topic_ = topic;
    // The pages are named by the topic numbers of the help file.
    Text_brw->setSource(QUrl(QStringLiteral("qrc:/help/topic%1.html").arg(static_cast<int>(topic))));
    setWindowTitle(QStringLiteral("Справка: ") + Text_brw->documentTitle());
}

void Spravka_frm::resizeEvent(QResizeEvent* event)
{
    // The page takes the window, the button stands at its bottom right.
    const int margin = platform::twipsToPixels(120);
    const QSize button = Close_cmd->size();
    Close_cmd->move(width() - margin - button.width(), height() - margin - button.height());
    Text_brw->setGeometry(margin, margin, width() - 2 * margin, Close_cmd->y() - 2 * margin);
    Form::resizeEvent(event);
}

void Spravka_frm::Close_cmd_Click()
{
    platform::windows().unload(this);
}
