#include "results/HodResheniya_frm.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/course_view.h"
#include "common/window_names.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/pictures.h"
#include "platform/regional_settings.h"
#include "platform/saved_file.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "platform/window_service.h"
#include "results/course_paper.h"
#include "results/course_text.h"
#include "results/step_view.h"
#include "solver/peremennye.h"

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

QString joined(const std::vector<std::u16string>& lines, QChar between)
{
    QStringList texts;
    for (const auto& line : lines)
        texts.append(QString::fromStdU16String(line));
    return texts.join(between);
}
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

    auto* steps = new QWidget;
    steps->setObjectName(QStringLiteral("Shagi_pg"));
    Shag_lbl = new QLabel(steps);
    Shag_lbl->setObjectName(QStringLiteral("Shag_lbl"));
    QFont bold = Shag_lbl->font();
    bold.setBold(true);
    Shag_lbl->setFont(bold);
    Shag_pic = new StepView(steps);
    Shag_pic->setObjectName(QStringLiteral("Shag_pic"));
    Shag_txt = new QLabel(steps);
    Shag_txt->setObjectName(QStringLiteral("Shag_txt"));
    Shag_txt->setWordWrap(true);
    Shag_txt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Shag_txt->setFont(courseFont());
    const auto stepButton = [steps](const char* name, const QString& caption, const QString& tip) {
        auto* button = new QPushButton(caption, steps);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(tip);
        button->setAutoDefault(true);
        return button;
    };
    Pervyi_cmd = stepButton("Pervyi_cmd", QStringLiteral("Пе&рвый"), QStringLiteral("Первый шаг (Home)"));
    Predydushchii_cmd =
        stepButton("Predydushchii_cmd", QStringLiteral("Пр&едыдущий"), QStringLiteral("Предыдущий шаг (←, PgUp)"));
    Sleduyushchii_cmd =
        stepButton("Sleduyushchii_cmd", QStringLiteral("С&ледующий"), QStringLiteral("Следующий шаг (→, PgDn)"));
    Poslednii_cmd = stepButton("Poslednii_cmd", QStringLiteral("П&оследний"), QStringLiteral("Последний шаг (End)"));
    Shag_sld = new QSlider(Qt::Horizontal, steps);
    Shag_sld->setObjectName(QStringLiteral("Shag_sld"));
    Shag_sld->setAccessibleName(QStringLiteral("Номер шага"));
    Shag_sld->setPageStep(1);
    auto* navigation = new QHBoxLayout;
    for (QWidget* control : {static_cast<QWidget*>(Pervyi_cmd), static_cast<QWidget*>(Predydushchii_cmd),
                             static_cast<QWidget*>(Sleduyushchii_cmd), static_cast<QWidget*>(Poslednii_cmd)})
        navigation->addWidget(control);
    navigation->addWidget(Shag_sld, 1);
    auto* page = new QVBoxLayout(steps);
    page->addWidget(Shag_lbl);
    page->addWidget(Shag_pic, 1);
    page->addWidget(Shag_txt);
    page->addLayout(navigation);
    Vid_tab->addTab(steps, StepsTab);

    platform::Controls controls(*this);
    Sokhranit_cmd = controls.button(QStringLiteral("Sokhranit_cmd"), QStringLiteral("&Сохранить..."),
                                    QStringLiteral("Сохранить ход решения в файл PDF или в текстовый файл (Ctrl+S)"), 0,
                                    0, 1215, 375, 1);
    Pechat_cmd = controls.button(QStringLiteral("Pechat_cmd"), QStringLiteral("&Печать..."),
                                 QStringLiteral("Напечатать ход решения (Ctrl+P)"), 0, 0, 1215, 375, 2);
    Zakryt_cmd = controls.button(QStringLiteral("Zakryt_cmd"), QStringLiteral("&Закрыть"),
                                 QStringLiteral("Закрыть ход решения"), 0, 0, 1215, 375, 3);
    int index = 0;
    for (QWidget* control : {static_cast<QWidget*>(Hod_txt), static_cast<QWidget*>(Shag_pic),
                             static_cast<QWidget*>(Pervyi_cmd), static_cast<QWidget*>(Predydushchii_cmd),
                             static_cast<QWidget*>(Sleduyushchii_cmd), static_cast<QWidget*>(Poslednii_cmd),
                             static_cast<QWidget*>(Shag_sld)})
        tabOrder().setTabIndex(control, index++);
    setCancelButton(Zakryt_cmd);
    setLeaveButton(Zakryt_cmd);
    platform::layOutPage(this, Vid_tab, {Sokhranit_cmd, Pechat_cmd, Zakryt_cmd});
    events().onClick(Sokhranit_cmd, &HodResheniya_frm::Sokhranit_cmd_Click);
    events().onClick(Pechat_cmd, &HodResheniya_frm::Pechat_cmd_Click);
    events().onClick(Zakryt_cmd, &HodResheniya_frm::Zakryt_cmd_Click);
    events().onClick(Pervyi_cmd, [this] { showStep(0); });
    events().onClick(Predydushchii_cmd, [this] { showStep(step_ - 1); });
    events().onClick(Sleduyushchii_cmd, [this] { showStep(step_ + 1); });
    events().onClick(Poslednii_cmd, [this] { showStep(int(steps_.size()) - 1); });
    connect(Shag_sld, &QSlider::valueChanged, this, [this](int value) { showStep(value - 1); });
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
    // The keys of the steps, wherever the focus is among them.
    const auto key = [this, steps](QKeySequence keys, auto move) {
        auto* shortcut = new QShortcut(keys, steps);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, move);
    };
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)})
        key(keys, [this] { showStep(step_ + 1); });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)})
        key(keys, [this] { showStep(step_ - 1); });
    key(QKeySequence(Qt::Key_Home), [this] { showStep(0); });
    key(QKeySequence(Qt::Key_End), [this] { showStep(int(steps_.size()) - 1); });
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
    const Peremennye& state = peremennye();
    QStringList lines;
    for (const std::u16string& line : courseOfSolve(state.matr_kopiya, state.otvety_kopiya, unknownCount(),
                                                    state.tochnost, platform::regionalSettings(), width))
        lines.append(QString::fromStdU16String(line));
    return lines;
}

QString HodResheniya_frm::spoken(int step) const
{
    return QStringLiteral("Шаг %1 из %2. ").arg(step + 1).arg(steps_.size()) + joined(steps_[step].text, u' ');
}

QStringList HodResheniya_frm::stepsAsText() const
{
    QStringList text;
    for (std::size_t k = 0; k < steps_.size(); ++k) {
        text.append(QStringLiteral("Шаг %1 из %2: ").arg(k + 1).arg(steps_.size())
                    + QString::fromStdU16String(steps_[k].title));
        text.append(joined(steps_[k].text, u'\n').split(u'\n'));
        text.append(QString());
    }
    text.removeLast();
    return text;
}

void HodResheniya_frm::showStep(int step)
{
    step_ = std::clamp(step, 0, int(steps_.size()) - 1);
    const CourseStep& shown = steps_[step_];
    Shag_lbl->setText(QStringLiteral("Шаг %1 из %2: ").arg(step_ + 1).arg(steps_.size())
                      + QString::fromStdU16String(shown.title));
    Shag_txt->setText(joined(shown.text, u'\n'));
    Shag_pic->setStep(&shown, spoken(step_));
    const QSignalBlocker quiet(Shag_sld);
    Shag_sld->setValue(step_ + 1);
    Pervyi_cmd->setEnabled(step_ > 0);
    Predydushchii_cmd->setEnabled(step_ > 0);
    Sleduyushchii_cmd->setEnabled(step_ + 1 < int(steps_.size()));
    Poslednii_cmd->setEnabled(step_ + 1 < int(steps_.size()));
}

// Ctrl+C: in the text, what is selected, or the whole course when nothing
// is; in the steps, the words of the step shown.
void HodResheniya_frm::copy()
{
    if (showingSteps())
        QGuiApplication::clipboard()->setText(Shag_lbl->text() + u'\n' + Shag_txt->text());
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
        Shag_pic->setFocus(Qt::TabFocusReason);
    } else {
        Hod_txt->setFocus(Qt::TabFocusReason);
    }
}

// The steps want more room than the text at many unknowns: the window grows,
// as far as the screen allows, so that the pictures are read without
// shrinking.
void HodResheniya_frm::growForSteps()
{
    const int n = unknownCount();
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize wanted(std::min(room.width() - 40, 420 + 120 * n), std::min(room.height() - 80, 400 + 40 * n));
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
    QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != u"pdf" && suffix != u"txt") {
        suffix = filter == TextFilter ? QStringLiteral("txt") : QStringLiteral("pdf");
        path += u'.' + suffix;
    }
    const QDate today = QDate::currentDate();
    QByteArray bytes;
    if (suffix == u"txt")
        bytes = courseAsText(showingSteps() ? stepsAsText() : lines());
    else
        bytes = showingSteps() ? stepsAsPdf(steps_, today) : courseAsPdf(courseOfLastSolve(PaperCourseWidth), today);
    platform::saveFile(path, bytes, SaveTitle);
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
        printSteps(printer, steps_, QDate::currentDate(), PrintTitle);
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
    const Peremennye& state = peremennye();
    steps_ = stepsOfSolve(state.matr_kopiya, state.otvety_kopiya, unknownCount(), state.tochnost,
                          platform::regionalSettings());
    Shag_sld->setRange(1, int(steps_.size()));
    showStep(0);
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
