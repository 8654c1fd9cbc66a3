#include "results/Praktika_frm.h"

#include <algorithm>

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "course/practice.h"
#include "course/spoken_words.h"
#include "navigation/practice_start.h"
#include "navigation/saving.h"
#include "navigation/window_names.h"
#include "platform/announcement.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/message_service.h"
#include "platform/regional_settings.h"
#include "platform/window_service.h"
#include "results/course_paper.h"
#include "results/step_view.h"

namespace {

using practice::Item;
using practice::Practice;

const QString Caption = QStringLiteral("Практика по методу вращений");
const QString Subject = QStringLiteral("Практика");
const QString SaveTitle = QStringLiteral("Сохранение отчёта о практике");
const QString PrintTitle = QStringLiteral("Печать отчёта о практике");
const QString PdfFilter = QStringLiteral("Документ PDF (*.pdf)");
const QString TextFilter = QStringLiteral("Текст (*.txt)");
const QString StepDone = QStringLiteral("Шаг выполнен. Дальше — Enter или PgDn.");
const QString PracticeDone = QStringLiteral("Практика окончена. Отчёт — «Сохранить...» или «Печать...».");
constexpr int StartPage = 0;
constexpr int WorkPage = 1;
// The digits of the numbers in the picture; a number's tool tip has them all.
constexpr int PictureDigits = 10;

int& lastLevel()
{
    static int level = 1;
    return level;
}

QString text(const std::u16string& words)
{
    return QString::fromStdU16String(words);
}

QString joined(const std::vector<std::u16string>& lines)
{
    QStringList texts;
    for (const auto& line : lines)
        texts.append(text(line));
    return texts.join(u'\n');
}

QString spoken(const QString& shown)
{
    return text(spokenText(shown.toStdU16String()));
}

// The picture's height where the screen has room for it.
constexpr int PictureHeight = 160;

}  // namespace

Praktika_frm::Praktika_frm()
    : Form(window::Praktika_frm, Caption, platform::Frame::Sizable)
{
    setClientSizeTwips(11400, 9000);
    setHelpTopic(help::Practice);
    Stranitsy_stk = new QStackedWidget(this);
    Stranitsy_stk->setObjectName(QStringLiteral("Stranitsy_stk"));
    auto* start = new QWidget;
    start->setObjectName(QStringLiteral("Nachalo_pg"));
    auto* work = new QWidget;
    work->setObjectName(QStringLiteral("Reshenie_pg"));
    Stranitsy_stk->addWidget(start);
    Stranitsy_stk->addWidget(work);
    Zakryt_cmd = new QPushButton(QStringLiteral("&Закрыть"), this);
    Zakryt_cmd->setObjectName(QStringLiteral("Zakryt_cmd"));
    Zakryt_cmd->setToolTip(QStringLiteral("Закрыть практику; сделанное сохранится, пока программа работает"));
    buildStartPage(start);
    buildWorkPage(work);
    Soobshchenie_lbl = new platform::Announcement(this, QStringLiteral("Soobshchenie_lbl"));
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(true);
        button->setAccessibleName(button->text().remove(u'&'));
        events().watch(button);
    }
    setCancelButton(Zakryt_cmd);
    setLeaveButton(Zakryt_cmd);
    platform::layOutPage(this, Stranitsy_stk, {Zakryt_cmd});

    events().onClick(Nachat_cmd, &Praktika_frm::Nachat_cmd_Click);
    events().onClick(Proverit_cmd, &Praktika_frm::Proverit_cmd_Click);
    events().onClick(Pokazat_cmd, &Praktika_frm::Pokazat_cmd_Click);
    events().onClick(Dalee_cmd, &Praktika_frm::Dalee_cmd_Click);
    events().onClick(Sokhranit_cmd, &Praktika_frm::Sokhranit_cmd_Click);
    events().onClick(Pechat_cmd, &Praktika_frm::Pechat_cmd_Click);
    events().onClick(Zanovo_cmd, &Praktika_frm::Zanovo_cmd_Click);
    events().onClick(Zakryt_cmd, &Praktika_frm::Zakryt_cmd_Click);
    events().onShortcut(QKeySequence(Qt::Key_PageDown), [this] {
        if (Stranitsy_stk->currentIndex() == WorkPage && Dalee_cmd->isEnabled())
            Dalee_cmd_Click();
    });
    events().onCommand(QStringLiteral("Сохранить отчёт..."), QKeySequence::Save, Sokhranit_cmd->toolTip(),
                       [this] { Sokhranit_cmd_Click(); });
    events().onCommand(QStringLiteral("Печать отчёта..."), QKeySequence::Print, Pechat_cmd->toolTip(),
                       [this] { Pechat_cmd_Click(); });
}

// The system, the legends and the rule, read before the first value; what
// to check, and the rotation to start at.
void Praktika_frm::buildStartPage(QWidget* page)
{
    Vvedenie_txt = new QPlainTextEdit(page);
    Vvedenie_txt->setObjectName(QStringLiteral("Vvedenie_txt"));
    Vvedenie_txt->setReadOnly(true);
    Vvedenie_txt->setTabChangesFocus(true);
    Vvedenie_txt->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Vvedenie_txt->setFont(courseFont());
    Vvedenie_txt->setAccessibleName(QStringLiteral("Система, обозначения и правило проверки"));
    Uroven_cmb = new QComboBox(page);
    Uroven_cmb->setObjectName(QStringLiteral("Uroven_cmb"));
    Uroven_cmb->setAccessibleName(QStringLiteral("Что проверять"));
    for (const practice::Level level :
         {practice::Level::TangentAndPivot, practice::Level::WithCosineAndSine, practice::Level::Everything})
        Uroven_cmb->addItem(text(practice::levelWords(level)));
    Vrashchenie_cmb = new QComboBox(page);
    Vrashchenie_cmb->setObjectName(QStringLiteral("Vrashchenie_cmb"));
    Vrashchenie_cmb->setAccessibleName(QStringLiteral("Начать с вращения"));
    Vrashchenie_cmb->setToolTip(QStringLiteral("Вращения до выбранного программа сделает сама"));
    Nachat_cmd = new QPushButton(QStringLiteral("&Начать"), page);
    Nachat_cmd->setObjectName(QStringLiteral("Nachat_cmd"));
    Nachat_cmd->setToolTip(QStringLiteral("Начать практику: первое значение — в поле, Enter — проверить"));
    auto* choices = new QFormLayout;
    auto* levelLabel = new QLabel(QStringLiteral("&Что проверять:"), page);
    levelLabel->setBuddy(Uroven_cmb);
    auto* rotationLabel = new QLabel(QStringLiteral("Начать с &вращения:"), page);
    rotationLabel->setBuddy(Vrashchenie_cmb);
    choices->addRow(levelLabel, Uroven_cmb);
    choices->addRow(rotationLabel, Vrashchenie_cmb);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Nachat_cmd);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Vvedenie_txt, 1);
    layout->addLayout(choices);
    layout->addLayout(buttons);
}

// A step at a time: its heading, the picture of the student's matrix, the
// numbers the value is computed from, a box for each value, the verdict.
void Praktika_frm::buildWorkPage(QWidget* page)
{
    Shag_lbl = new QLabel(page);
    Shag_lbl->setObjectName(QStringLiteral("Shag_lbl"));
    QFont bold = Shag_lbl->font();
    bold.setBold(true);
    Shag_lbl->setFont(bold);
    Matritsa_pic = new StepView(page);
    Matritsa_pic->setObjectName(QStringLiteral("Matritsa_pic"));
    Matritsa_pic->setMinimumHeight(PictureHeight);
    Dano_lbl = platform::wordsLabel(page, QStringLiteral("Dano_lbl"));
    // The values of a step, as many as 19 at eight unknowns, scroll under the
    // picture rather than make the window taller than a screen.
    Znacheniya_scr = new QScrollArea(page);
    Znacheniya_scr->setObjectName(QStringLiteral("Znacheniya_scr"));
    Znacheniya_scr->setWidgetResizable(true);
    Znacheniya_scr->setFrameShape(QFrame::NoFrame);
    Znacheniya_scr->setFocusPolicy(Qt::NoFocus);
    Znacheniya_pnl = new QWidget;
    Znacheniya_pnl->setObjectName(QStringLiteral("Znacheniya_pnl"));
    new QGridLayout(Znacheniya_pnl);
    Znacheniya_scr->setWidget(Znacheniya_pnl);
    Vyvod_lbl = platform::wordsLabel(page, QStringLiteral("Vyvod_lbl"));
    Vyvod_lbl->setMinimumHeight(Vyvod_lbl->fontMetrics().lineSpacing() * 3);
    Vyvod_lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const auto button = [page](const char* name, const QString& caption, const QString& tip) {
        auto* made = new QPushButton(caption, page);
        made->setObjectName(QString::fromLatin1(name));
        made->setToolTip(tip);
        return made;
    };
    Proverit_cmd = button("Proverit_cmd", QStringLiteral("Про&верить"), QStringLiteral("Проверить значение (Enter)"));
    Pokazat_cmd = button("Pokazat_cmd", QStringLiteral("По&казать"),
                         QStringLiteral("Показать значение; в итоге оно будет отмечено как показанное"));
    Dalee_cmd = button("Dalee_cmd", QStringLiteral("&Дальше"), QStringLiteral("Следующий шаг (PgDn)"));
    Sokhranit_cmd = button("Sokhranit_cmd", QStringLiteral("&Сохранить..."),
                           QStringLiteral("Сохранить отчёт о практике в файл PDF или в текстовый файл (Ctrl+S)"));
    Pechat_cmd = button("Pechat_cmd", QStringLiteral("&Печать..."), QStringLiteral("Напечатать отчёт о практике (Ctrl+P)"));
    Zanovo_cmd = button("Zanovo_cmd", QStringLiteral("За&ново"),
                        QStringLiteral("Начать практику на этой системе заново"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : {Proverit_cmd, Pokazat_cmd, Dalee_cmd})
        buttons->addWidget(each);
    buttons->addStretch(1);
    for (QPushButton* each : {Sokhranit_cmd, Pechat_cmd, Zanovo_cmd})
        buttons->addWidget(each);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Shag_lbl);
    layout->addWidget(Matritsa_pic, 1);
    layout->addWidget(Dano_lbl);
    layout->addWidget(Znacheniya_scr);
    layout->addWidget(Vyvod_lbl);
    layout->addLayout(buttons);
}

void Praktika_frm::Form_Load()
{
    centreOnScreen();
    openOnSystem();
}

void Praktika_frm::Form_Activate()
{
    openOnSystem();
}

void Praktika_frm::openOnSystem()
{
    const SolveDocument* system = practiceSystem();
    PracticeProgress* kept = practiceProgress();
    // Shown again on the practice it shows: its rows stay.
    const bool same = kept && &kept->practice == practice_ && Stranitsy_stk->currentIndex() == WorkPage;
    practice_ = kept ? &kept->practice : nullptr;
    shown_ = kept ? &kept->shown : nullptr;
    if (kept) {
        Stranitsy_stk->setCurrentIndex(WorkPage);
        showStep(!same);
        return;
    }
    if (system) {
        Vvedenie_txt->setPlainText(joined(practice::introduction(*system, platform::regionalSettings())));
        Vrashchenie_cmb->clear();
        for (int i = 1; i < system->n; ++i) {
            for (int j = i + 1; j <= system->n; ++j)
                Vrashchenie_cmb->addItem(QStringLiteral("(%1,%2)").arg(i).arg(j));
        }
    }
    Uroven_cmb->setCurrentIndex(lastLevel());
    Stranitsy_stk->setCurrentIndex(StartPage);
    Vvedenie_txt->setFocus(Qt::OtherFocusReason);
    QTimer::singleShot(0, Vvedenie_txt, [this] { Vvedenie_txt->setFocus(Qt::OtherFocusReason); });
}

void Praktika_frm::Nachat_cmd_Click()
{
    const SolveDocument* system = practiceSystem();
    if (!system)
        return;
    lastLevel() = Uroven_cmb->currentIndex();
    Practice started(*system, practice::Level(lastLevel()), Vrashchenie_cmb->currentIndex(),
                     platform::regionalSettings());
    const std::size_t first = started.stepIndex();
    PracticeProgress& kept = keepPracticeProgress({std::move(started), first});
    practice_ = &kept.practice;
    shown_ = &kept.shown;
    Stranitsy_stk->setCurrentIndex(WorkPage);
    Vyvod_lbl->clear();
    showStep(true);
    Soobshchenie_lbl->say(spoken(Shag_lbl->text() + QStringLiteral(". ") + Dano_lbl->text()));
}

bool Praktika_frm::stepDone() const
{
    return practice_ && *shown_ < practice_->steps().size()
           && (practice_->done() || practice_->stepIndex() > *shown_);
}

QWidget* Praktika_frm::currentBox() const
{
    if (!practice_ || practice_->done() || practice_->stepIndex() != *shown_)
        return nullptr;
    const std::size_t item = practice_->itemIndex();
    return item < rows_.size() ? rows_[item].box : nullptr;
}

// A row of the step: the value's name, its box (a list where it is a choice
// and open), and its mark.
void Praktika_frm::addRow(std::size_t k, const Item& item, bool current)
{
    auto* grid = static_cast<QGridLayout*>(Znacheniya_pnl->layout());
    const auto choices = practice_->choices(item);
    QWidget* box = nullptr;
    if (current && !choices.empty()) {
        auto* choice = new QComboBox(Znacheniya_pnl);
        choice->setObjectName(QStringLiteral("Znachenie_cmb(%1)").arg(k));
        for (const auto& each : choices)
            choice->addItem(text(each));
        choice->setCurrentIndex(-1);
        choice->setPlaceholderText(QStringLiteral("выберите"));
        choice->installEventFilter(this);
        box = choice;
    } else {
        auto* typed = new QLineEdit(Znacheniya_pnl);
        typed->setObjectName(QStringLiteral("Znachenie_txt(%1)").arg(k));
        connect(typed, &QLineEdit::returnPressed, this, [this] { Proverit_cmd_Click(); });
        box = typed;
    }
    box->setAccessibleName(text(item.name));
    box->setMaximumWidth(box->fontMetrics().averageCharWidth() * 40);
    auto* name = new QLabel(text(item.name) + u':', Znacheniya_pnl);
    name->setBuddy(box);
    auto* mark = new QLabel(Znacheniya_pnl);
    mark->setObjectName(QStringLiteral("Otmetka_lbl(%1)").arg(k));
    const int row = grid->rowCount();
    int column = 0;
    for (QWidget* each : {static_cast<QWidget*>(name), box, static_cast<QWidget*>(mark)}) {
        grid->addWidget(each, row, column++);
        each->show();  // now, so that the box can take the focus at once
    }
    rows_.resize(std::max(rows_.size(), k + 1));
    rows_[k] = {box, mark};
}

// A row as its value stands: open and asked now, open and waiting, or
// accepted with its mark. A box that is to be turned off but has the focus
// is left to the caller, to turn off once the focus has moved on.
void Praktika_frm::updateRow(std::size_t k, const Item& item, bool current, std::vector<QWidget*>& turnOff)
{
    const auto& [box, mark] = rows_[k];
    const bool open = item.mark == Item::Mark::Open;
    if (auto* typed = qobject_cast<QLineEdit*>(box)) {
        // Only a box with an answer gets its text: setting even an empty one
        // moves its caret, and a screen reader that hears of the caret before
        // the focus takes the box for the focus already and does not say its
        // name.
        if (!item.answer.empty() && typed->text() != text(item.answer))
            typed->setText(text(item.answer));
        typed->setReadOnly(!open);
    } else if (auto* choice = qobject_cast<QComboBox*>(box); choice && !open) {
        choice->setCurrentIndex(choice->findText(text(item.answer)));
    }
    const bool enabled = current || (!open && qobject_cast<QLineEdit*>(box));
    if (enabled)
        box->setEnabled(true);
    else
        turnOff.push_back(box);
    box->setAccessibleDescription(text(practice::markWords(item)));
    mark->setText(text(practice::markWords(item)));
}

// The step shown: anew, its rows made for it; or as its values stand after
// an answer, the rows kept (a screen reader loses its way where the box that
// had the focus is gone) and rows added for the values the case brings.
void Praktika_frm::showStep(bool anew)
{
    if (anew) {
        auto* grid = static_cast<QGridLayout*>(Znacheniya_pnl->layout());
        for (QWidget* child : Znacheniya_pnl->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            grid->removeWidget(child);
            child->hide();
            child->deleteLater();
        }
        rows_.clear();
    }
    const auto& steps = practice_->steps();
    std::vector<QWidget*> turnOff;
    if (*shown_ >= steps.size()) {
        Shag_lbl->setText(QStringLiteral("Итог"));
    } else {
        const practice::Step& step = steps[*shown_];
        // Counted among the steps of its kind: the rotations, the rows of
        // the substitution, the back rotations.
        std::size_t of = 0, counted = 0;
        for (std::size_t k = 0; k < steps.size(); ++k) {
            of += steps[k].kind == step.kind ? 1 : 0;
            counted += steps[k].kind == step.kind && k <= *shown_ ? 1 : 0;
        }
        Shag_lbl->setText(of > 1 ? QStringLiteral("%1 — %2 из %3").arg(text(step.title)).arg(counted).arg(of)
                                 : text(step.title));
        for (std::size_t k = 0; k < step.items.size(); ++k) {
            const Item& item = step.items[k];
            const bool current = practice_->stepIndex() == *shown_ && practice_->itemIndex() == k && !practice_->done();
            if (!item.asked && item.mark == Item::Mark::Open)
                continue;
            if (k >= rows_.size() || !rows_[k].box)
                addRow(k, item, current);
            updateRow(k, item, current, turnOff);
        }
        auto* grid = static_cast<QGridLayout*>(Znacheniya_pnl->layout());
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(2, 1);
    }
    fitToScreen();
    refreshPicture();
    QWidget* focus = currentBox();
    Proverit_cmd->setEnabled(focus != nullptr);
    Pokazat_cmd->setEnabled(focus != nullptr);
    Dalee_cmd->setEnabled(stepDone());
    orderTabs();
    if (focus)
        Znacheniya_scr->ensureWidgetVisible(focus);
    else
        focus = stepDone() ? static_cast<QWidget*>(Dalee_cmd) : Sokhranit_cmd;
    focus->setFocus(Qt::OtherFocusReason);
    for (QWidget* box : turnOff)
        box->setEnabled(false);
}

// Every value of the step in sight, up to seven of them; more scroll.
// Where the screen has less room, the picture gives up some of its height
// first, then fewer values stand in sight.
void Praktika_frm::fitToScreen()
{
    const int row = Proverit_cmd->sizeHint().height() + 6;
    int rows = 7;
    if (const QScreen* shownOn = screen()) {
        // The least height the window takes as its controls now ask: each
        // layout from the page up measured again.
        const auto leastHeight = [this] {
            for (QWidget* level = Matritsa_pic->parentWidget(); level; level = level->parentWidget()) {
                level->layout()->invalidate();
                level->updateGeometry();
                if (level == this)
                    break;
            }
            layout()->activate();
            return minimumSize().height();
        };
        const int room = roomForClient(shownOn->availableGeometry()).height();
        Znacheniya_scr->setMinimumHeight(0);
        Matritsa_pic->setMinimumHeight(PictureHeight);
        const int shortBy = leastHeight() + 2 * row - room;
        Matritsa_pic->setMinimumHeight(std::clamp(PictureHeight - shortBy, PictureHeight / 2, PictureHeight));
        rows = std::clamp((room - leastHeight()) / row, 1, 7);
    }
    Znacheniya_scr->setMinimumHeight(std::min(Znacheniya_pnl->sizeHint().height(), rows * row));
}

// Tab goes from the picture through the boxes of the step, in the method's
// order, to the buttons.
void Praktika_frm::orderTabs()
{
    std::vector<QWidget*> chain = {Matritsa_pic};
    for (const Row& row : rows_) {
        if (row.box)
            chain.push_back(row.box);
    }
    chain.insert(chain.end(), {Proverit_cmd, Pokazat_cmd, Dalee_cmd, Sokhranit_cmd, Pechat_cmd, Zanovo_cmd, Zakryt_cmd});
    for (std::size_t k = 1; k < chain.size(); ++k)
        setTabOrder(chain[k - 1], chain[k]);
}

// The picture of the student's matrix; its name and description say the
// step and the numbers to a screen reader.
void Praktika_frm::refreshPicture()
{
    drawn_ = {practice_->picture(*shown_)};
    const bool summary = *shown_ >= practice_->steps().size();
    const QString given = joined(drawn_.front().text);
    Dano_lbl->setText(summary ? given + u'\n' + PracticeDone : given);
    Matritsa_pic->setSteps(&drawn_, PictureDigits);
    Matritsa_pic->showStep(0, spoken(Shag_lbl->text()), spoken(given));
}

// The verdict on the screen and to a screen reader; where the step is done
// by it, how to go on.
void Praktika_frm::tell(const practice::Verdict& verdict)
{
    QString words = text(verdict.words);
    if (!verdict.drift.empty())
        words += u' ' + text(verdict.drift);
    if (stepDone())
        words += u' ' + StepDone;
    Vyvod_lbl->setText(words);
    Soobshchenie_lbl->say(spoken(words));
}

void Praktika_frm::Proverit_cmd_Click()
{
    QWidget* box = currentBox();
    if (!box)
        return;
    const auto* choice = qobject_cast<QComboBox*>(box);
    const QString typed = choice ? choice->currentText() : static_cast<QLineEdit*>(box)->text();
    if (typed.trimmed().isEmpty()) {
        const QString ask = choice ? QStringLiteral("Выберите ответ стрелками и нажмите Enter.")
                                   : QStringLiteral("Наберите значение и нажмите Enter.");
        Vyvod_lbl->setText(ask);
        Soobshchenie_lbl->say(ask);
        box->setFocus(Qt::OtherFocusReason);
        return;
    }
    const practice::Verdict verdict = practice_->answer(typed.toStdU16String());
    if (verdict.judgement == practice::Judgement::Right)
        showStep();
    else if (auto* edit = qobject_cast<QLineEdit*>(box))
        edit->selectAll();
    tell(verdict);
}

void Praktika_frm::Pokazat_cmd_Click()
{
    if (!currentBox())
        return;
    const practice::Verdict verdict = practice_->show();
    showStep();
    tell(verdict);
}

void Praktika_frm::Dalee_cmd_Click()
{
    if (!stepDone())
        return;
    *shown_ = practice_->done() ? practice_->steps().size() : practice_->stepIndex();
    Vyvod_lbl->clear();
    showStep(true);
    Soobshchenie_lbl->say(spoken(Shag_lbl->text() + QStringLiteral(". ") + Dano_lbl->text()));
}

QStringList Praktika_frm::report() const
{
    QStringList lines;
    const QString date = QLocale(QLocale::Russian, QLocale::Russia).toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy"));
    for (const auto& line : practice_->report(date.toStdU16String()))
        lines.append(text(line));
    return lines;
}

// The report, PDF or plain text, by the type chosen or the name's own ending.
void Praktika_frm::Sokhranit_cmd_Click()
{
    if (!practice_)
        return;
    QString filter;
    QString path = platform::fileDialogs().fileToSave(this, SaveTitle, QStringLiteral("Практика.pdf"),
                                                      {PdfFilter, TextFilter}, filter);
    if (path.isEmpty())
        return;
    path = platform::withEnding(path, filter, {QStringLiteral("pdf"), QStringLiteral("txt")});
    const bool asText = QFileInfo(path).suffix().toLower() == u"txt";
    saveOrTell(path, asText ? courseAsText(report()) : courseAsPdf(report(), QDate::currentDate(), {}, Subject),
               SaveTitle);
}

void Praktika_frm::Pechat_cmd_Click()
{
    if (!practice_)
        return;
    const QStringList paper = report();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Subject);
    printer.setPageLayout(coursePageLayout(paper));
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(PrintTitle);
    if (dialog.exec() == QDialog::Accepted)
        printCourse(printer, paper, QDate::currentDate(), PrintTitle, Subject);
}

void Praktika_frm::Zanovo_cmd_Click()
{
    if (practice_ && !practice_->done()
        && !platform::messageService().ask(
            QStringLiteral("Начать практику на этой системе заново? Сделанное в ней будет потеряно."), Caption))
        return;
    forgetPracticeProgress();
    Vyvod_lbl->clear();
    openOnSystem();
}

void Praktika_frm::Zakryt_cmd_Click()
{
    platform::windows().unload(this);
}

// Enter in a list of choices checks the choice, as in a box.
bool Praktika_frm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QComboBox*>(watched)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Proverit_cmd_Click();
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void Praktika_frm::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    Soobshchenie_lbl->hush();
}
