#include "results/HodResheniya_frm.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include "course/course_text.h"
#include "documents/solve_document.h"
#include "navigation/course_view.h"
#include "navigation/saving.h"
#include "navigation/window_names.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/pictures.h"
#include "platform/regional_settings.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "platform/window_service.h"
#include "results/course_paper.h"
#include "results/step_browser.h"
#include "results/step_view.h"

namespace {
const QString Caption = QStringLiteral("Ход решения");
const QString SaveTitle = QStringLiteral("Сохранение хода решения");
const QString PrintTitle = QStringLiteral("Печать хода решения");
const QString PdfFilter = QStringLiteral("Документ PDF (*.pdf)");
const QString TextFilter = QStringLiteral("Текст (*.txt)");
const QString TextTab = QStringLiteral("Текст");
const QString StepsTab = QStringLiteral("По шагам");
constexpr int TextIndex = 0;
constexpr int StepsIndex = 1;
}  // namespace

HodResheniya_frm::HodResheniya_frm()
    : Form(window::HodResheniya_frm, Caption, platform::Frame::Sizable)
{
    setClientSizeTwips(9600, 6600);
    setWindowIcon(platform::sharedIcon(QStringLiteral(":/icon_results.png")));
    setHelpTopic(help::Course);
    Vid_tab = new QTabWidget(this);
    Vid_tab->setObjectName(QStringLiteral("Vid_tab"));
    // The tabs switch by Ctrl+Tab and a click; Tab walks the controls.
    Vid_tab->setFocusPolicy(Qt::NoFocus);
    Vid_tab->tabBar()->setFocusPolicy(Qt::NoFocus);
    Hod_txt = new QPlainTextEdit;
    Hod_txt->setObjectName(QStringLiteral("Hod_txt"));
    Hod_txt->setReadOnly(true);
    Hod_txt->setLineWrapMode(QPlainTextEdit::NoWrap);
    Hod_txt->setAccessibleName(Caption);
    Hod_txt->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The course stands in columns: a font whose characters are all as wide,
    // at a size that fits a line of the course into the window as it opens.
    Hod_txt->setFont(courseFont());
    Hod_txt->installEventFilter(this);
    Vid_tab->addTab(Hod_txt, TextTab);

    Shagi_pg = new StepBrowser(nullptr);
    Vid_tab->addTab(Shagi_pg, StepsTab);

    platform::Controls controls(*this);
    Sokhranit_cmd = controls.button(QStringLiteral("Sokhranit_cmd"), QStringLiteral("&Сохранить..."),
                                    QStringLiteral("Сохранить ход решения в файл PDF или в текстовый файл (Ctrl+S)"), 0,
                                    0, 1215, 375, 1);
    Pechat_cmd = controls.button(QStringLiteral("Pechat_cmd"), QStringLiteral("&Печать..."),
                                 QStringLiteral("Напечатать ход решения (Ctrl+P)"), 0, 0, 1215, 375, 2);
    Zakryt_cmd = controls.button(QStringLiteral("Zakryt_cmd"), QStringLiteral("&Закрыть"),
                                 QStringLiteral("Закрыть ход решения"), 0, 0, 1215, 375, 3);
    int index = 0;
    tabOrder().setTabIndex(Hod_txt, index++);
    for (QWidget* control : Shagi_pg->controls())
        tabOrder().setTabIndex(control, index++);
    setCancelButton(Zakryt_cmd);
    setLeaveButton(Zakryt_cmd);
    platform::layOutPage(this, Vid_tab, {Sokhranit_cmd, Pechat_cmd, Zakryt_cmd});
    events().onClick(Sokhranit_cmd, &HodResheniya_frm::Sokhranit_cmd_Click);
    events().onClick(Pechat_cmd, &HodResheniya_frm::Pechat_cmd_Click);
    events().onClick(Zakryt_cmd, &HodResheniya_frm::Zakryt_cmd_Click);
    connect(Vid_tab, &QTabWidget::currentChanged, this, &HodResheniya_frm::Vid_tab_CurrentChanged);
    // The window's commands, also in the menu of a right click on it.
    events().onCommand(QStringLiteral("Копировать"), QKeySequence::Copy,
                       QStringLiteral("Выделенный текст или весь ход решения; на вкладке «По шагам» — текст шага"),
                       [this] { copy(); });
    events().onCommand(QStringLiteral("Сохранить..."), QKeySequence::Save, Sokhranit_cmd->toolTip(),
                       [this] { Sokhranit_cmd_Click(); });
    events().onCommand(QStringLiteral("Печать..."), QKeySequence::Print, Pechat_cmd->toolTip(),
                       [this] { Pechat_cmd_Click(); });
    events().onShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), [this] { Vid_tab->setCurrentIndex(1 - Vid_tab->currentIndex()); });
    events().onShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                        [this] { Vid_tab->setCurrentIndex(1 - Vid_tab->currentIndex()); });
}

bool HodResheniya_frm::showingSteps() const
{
    return Vid_tab->currentIndex() == StepsIndex;
}

QStringList HodResheniya_frm::lines() const
{
    return Hod_txt->toPlainText().split(u'\n');
}

QStringList HodResheniya_frm::courseOfLastSolve(std::size_t width)
{
    QStringList lines;
    if (const SolveDocument* solve = lastSolve()) {
        for (const std::u16string& line : courseOfSolve(*solve, platform::regionalSettings(), width))
            lines.append(QString::fromStdU16String(line));
    }
    return lines;
}

QStringList HodResheniya_frm::stepsAsText() const
{
    QStringList text;
    for (std::size_t k = 0; k < Shagi_pg->steps().size(); ++k)
        text << Shagi_pg->heading(int(k)) << Shagi_pg->words(int(k)).split(u'\n') << QString();
    text.removeLast();
    return text;
}

// Ctrl+C: in the text, what is selected, or the whole course when nothing
// is; in the steps, the words of the step shown.
void HodResheniya_frm::copy()
{
    if (showingSteps())
        QGuiApplication::clipboard()->setText(Shagi_pg->heading(Shagi_pg->step()) + u'\n'
                                              + Shagi_pg->words(Shagi_pg->step()));
    else if (Hod_txt->textCursor().hasSelection())
        Hod_txt->copy();
    else
        QGuiApplication::clipboard()->setText(Hod_txt->toPlainText());
}

// The text box takes Ctrl+C for itself; the window's copy answers it.
bool HodResheniya_frm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Hod_txt && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress)
            copy();
        event->accept();
        return true;
    }
    return Form::eventFilter(watched, event);
}

void HodResheniya_frm::Vid_tab_CurrentChanged(int index)
{
    lastCourseView() = index == StepsIndex ? CourseView::Steps : CourseView::Text;
    if (index == StepsIndex) {
        growForSteps();
        Shagi_pg->picture()->setFocus(Qt::TabFocusReason);
    } else {
        Hod_txt->setFocus(Qt::TabFocusReason);
    }
}

// The steps want more room than the text at many unknowns: the window grows,
// as far as the screen allows, so that the pictures are read without
// shrinking.
void HodResheniya_frm::growForSteps()
{
    // The room the steps of n unknowns are read in without shrinking: a
    // column of a matrix and a row of the words per unknown, in pixels, and
    // what the screen keeps round the window.
    struct {
        int width = 420, perColumn = 120, height = 400, perRow = 40, besideX = 40, besideY = 80;
    } constexpr steps;
    const int n = lastSolve() ? lastSolve()->n : 2;
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize wanted(std::min(room.width() - steps.besideX, steps.width + steps.perColumn * n),
                       std::min(room.height() - steps.besideY, steps.height + steps.perRow * n));
    const QSize grown = size().expandedTo(wanted);
    if (grown == size())
        return;
    resize(grown);
    const QRect frame = frameGeometry();
    move(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() + 1 - frame.width())),
         std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() + 1 - frame.height())));
}

// PDF or plain text, by the type chosen, or by the name's own ending; the
// view shown: the course, or its steps with their pictures.
void HodResheniya_frm::Sokhranit_cmd_Click()
{
    const QStringList filters = {PdfFilter, TextFilter};
    QString filter;
    const QString name = showingSteps() ? QStringLiteral("Ход решения по шагам.pdf") : QStringLiteral("Ход решения.pdf");
    QString path = platform::fileDialogs().fileToSave(this, SaveTitle, name, filters, filter);
    if (path.isEmpty())
        return;
    path = platform::withEnding(path, filter, {QStringLiteral("pdf"), QStringLiteral("txt")});
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QDate today = QDate::currentDate();
    QByteArray bytes;
    if (suffix == u"txt")
        bytes = courseAsText(showingSteps() ? stepsAsText() : lines());
    else
        bytes = showingSteps() ? stepsAsPdf(Shagi_pg->steps(), today, Shagi_pg->digits())
                               : courseAsPdf(courseOfLastSolve(PaperCourseWidth), today);
    saveOrTell(path, bytes, SaveTitle);
}

// The system's print dialog; without a printer it still prints into a PDF file.
void HodResheniya_frm::Pechat_cmd_Click()
{
    const QStringList paper = courseOfLastSolve(PaperCourseWidth);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(showingSteps() ? QStringLiteral("Ход решения по шагам") : Caption);
    printer.setPageLayout(showingSteps() ? stepsPageLayout() : coursePageLayout(paper));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(PrintTitle);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (showingSteps())
        printSteps(printer, Shagi_pg->steps(), QDate::currentDate(), PrintTitle, Shagi_pg->digits());
    else
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
    Shagi_pg->setSource([](int digits) {
        const SolveDocument* solve = lastSolve();
        return solve ? stepsOfSolve(*solve, platform::regionalSettings(), digits) : std::vector<CourseStep>();
    });
    const int view = lastCourseView() == CourseView::Steps ? StepsIndex : TextIndex;
    if (Vid_tab->currentIndex() != view)
        Vid_tab->setCurrentIndex(view);
    else
        Vid_tab_CurrentChanged(view);
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
