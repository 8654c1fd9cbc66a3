#include "results/HodResheniya_frm.h"

#include <algorithm>

#include <QApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>

#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/pictures.h"
#include "platform/regional_settings.h"
#include "platform/saved_file.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "platform/window_service.h"
#include "common/window_names.h"
#include "results/course_paper.h"
#include "results/course_text.h"
#include "solver/peremennye.h"

namespace {
const QString Caption = QStringLiteral("Ход решения");
const QString SaveTitle = QStringLiteral("Сохранение хода решения");
const QString PrintTitle = QStringLiteral("Печать хода решения");
const QString PdfFilter = QStringLiteral("Документ PDF (*.pdf)");
const QString TextFilter = QStringLiteral("Текст (*.txt)");
}  // namespace

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
    Hod_txt->setFont(courseFont());
    platform::Controls controls(*this);
    Sokhranit_cmd = controls.button(QStringLiteral("Sokhranit_cmd"), QStringLiteral("&Сохранить..."),
                                    QStringLiteral("Сохранить ход решения в файл PDF или в текстовый файл (Ctrl+S)"), 0,
                                    0, 1215, 375, 1);
    Pechat_cmd = controls.button(QStringLiteral("Pechat_cmd"), QStringLiteral("&Печать..."),
                                 QStringLiteral("Напечатать ход решения (Ctrl+P)"), 0, 0, 1215, 375, 2);
    Zakryt_cmd = controls.button(QStringLiteral("Zakryt_cmd"), QStringLiteral("&Закрыть"),
                                 QStringLiteral("Закрыть ход решения"), 0, 0, 1215, 375, 3);
    tabOrder().setTabIndex(Hod_txt, 0);
    setCancelButton(Zakryt_cmd);
    setLeaveButton(Zakryt_cmd);
    platform::layOutPage(this, Hod_txt, {Sokhranit_cmd, Pechat_cmd, Zakryt_cmd});
    events().onClick(Sokhranit_cmd, &HodResheniya_frm::Sokhranit_cmd_Click);
    events().onClick(Pechat_cmd, &HodResheniya_frm::Pechat_cmd_Click);
    events().onClick(Zakryt_cmd, &HodResheniya_frm::Zakryt_cmd_Click);
    events().onShortcut(QKeySequence::Save, [this] { Sokhranit_cmd_Click(); });
    events().onShortcut(QKeySequence::Print, [this] { Pechat_cmd_Click(); });
}

QStringList HodResheniya_frm::lines() const
{
    return Hod_txt->toPlainText().split(u'\n');
}

QStringList HodResheniya_frm::courseOfLastSolve(std::size_t width)
{
    const Peremennye& state = peremennye();
    QStringList lines;
    for (const std::u16string& line : courseOfSolve(state.matr_kopiya, state.otvety_kopiya, unknownCount(),
                                                    state.tochnost, platform::regionalSettings(), width))
        lines.append(QString::fromStdU16String(line));
    return lines;
}

// PDF or plain text, by the type chosen, or by the name's own ending.
void HodResheniya_frm::Sokhranit_cmd_Click()
{
    const QStringList filters = {PdfFilter, TextFilter};
    QString filter;
    QString path = platform::fileDialogs().fileToSave(this, SaveTitle, QStringLiteral("Ход решения.pdf"), filters, filter);
    if (path.isEmpty())
        return;
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != u"pdf" && suffix != u"txt") {
        suffix = filter == TextFilter ? QStringLiteral("txt") : QStringLiteral("pdf");
        path += u'.' + suffix;
    }
    platform::saveFile(path,
                       suffix == u"pdf" ? courseAsPdf(courseOfLastSolve(PaperCourseWidth), QDate::currentDate())
                                        : courseAsText(lines()),
                       SaveTitle);
}

// The system's print dialog; without a printer it still prints into a PDF file.
void HodResheniya_frm::Pechat_cmd_Click()
{
    const QStringList paper = courseOfLastSolve(PaperCourseWidth);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Caption);
    printer.setPageLayout(coursePageLayout(paper));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(PrintTitle);
    if (dialog.exec() == QDialog::Accepted)
        printCourse(printer, paper, QDate::currentDate(), PrintTitle);
}

void HodResheniya_frm::Form_Load()
{
    beside_ = QApplication::activeWindow();
    placeOnScreen();
    Form_Activate();
}

void HodResheniya_frm::Form_Activate()
{
    Hod_txt->setPlainText(courseOfLastSolve(CourseWidth).join(u'\n'));
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
