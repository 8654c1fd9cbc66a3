#include "tasks/Zadaniya_frm.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

#include "documents/system_file_format.h"
#include "navigation/saving.h"
#include "navigation/window_names.h"
#include "platform/accessibility.h"
#include "platform/busy_cursor.h"
#include "platform/control_events.h"
#include "platform/controls.h"
#include "platform/file_dialogs.h"
#include "platform/message_service.h"
#include "platform/regional_settings.h"
#include "platform/saved_file.h"
#include "platform/tab_order.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"
#include "tasks/task_paper.h"

namespace {

const QString Caption = QStringLiteral("Задания для группы");
const QString FolderTitle = QStringLiteral("Папка для заданий");
const QString NumbersKinds[] = {QStringLiteral("целые от −9 до 9"),
                                QStringLiteral("с одним знаком после запятой, от −9,9 до 9,9")};
// A computation longer than this shows its progress.
constexpr qint64 Moment = 300;  // milliseconds

// The choices of the last set made while the program runs, for the next.
tasks::Choices& lastChoices()
{
    static tasks::Choices chosen = [] {
        tasks::Choices first;
        first.setNumber = QRandomGenerator::global()->bounded(100000, 1000000);
        return first;
    }();
    return chosen;
}

// A whole number typed in a box, within the range; none otherwise.
std::optional<std::uint64_t> wholeIn(const QLineEdit* box, std::uint64_t low, std::uint64_t high)
{
    const QString typed = box->text().trimmed();
    bool number = !typed.isEmpty() && typed.size() <= 10;
    for (const QChar c : typed)
        number = number && c >= u'0' && c <= u'9';
    const std::uint64_t value = number ? typed.toULongLong() : 0;
    return number && value >= low && value <= high ? std::optional(value) : std::nullopt;
}

// The names of a set's files, in the order they are written: each
// variant's system, the table of the answers, the answer key, the task sheet.
QStringList fileNames(const tasks::Choices& chosen)
{
    const QString set = QString::number(chosen.setNumber);
    QStringList names;
    const int width = int(QString::number(chosen.count).size());
    for (int k = 1; k <= chosen.count; ++k)
        names.append(QStringLiteral("Вариант %1, набор %2.csv").arg(k, width, 10, QLatin1Char('0')).arg(set));
    names << QStringLiteral("Ответы %1.csv").arg(set) << QStringLiteral("Ответы %1.pdf").arg(set)
          << QStringLiteral("Задания %1.pdf").arg(set);
    return names;
}

QByteArray csv(const std::vector<std::vector<std::u16string>>& rows)
{
    return QByteArray::fromStdString(
        system_file::write(rows, system_file::Separator::Comma, platform::TextLineEnd));
}

}  // namespace

Zadaniya_frm::Zadaniya_frm()
    : Form(window::Zadaniya_frm, Caption, platform::Frame::Sizable)
{
    setClientSizeTwips(7800, 4800);
    setHelpTopic(help::Tasks);
    const auto box = [this](const char* name, const QString& spoken) {
        auto* made = new QLineEdit(this);
        made->setObjectName(QString::fromLatin1(name));
        made->setAccessibleName(spoken);
        events().watch(made);
        return made;
    };
    Neizvestnye_txt = box("Neizvestnye_txt", QStringLiteral("Неизвестных, от 2 до 8"));
    Varianty_txt = box("Varianty_txt", QStringLiteral("Вариантов, от 1 до 200"));
    Nomer_txt = box("Nomer_txt", QStringLiteral("Номер набора"));
    Nomer_txt->setToolTip(QStringLiteral("Тот же номер при том же выборе даёт тот же набор, на любом компьютере"));
    const auto list = [this](const char* name, const QString& spoken) {
        auto* made = new QComboBox(this);
        made->setObjectName(QString::fromLatin1(name));
        made->setAccessibleName(spoken);
        for (const QString& kind : NumbersKinds)
            made->addItem(kind);
        return made;
    };
    Koeffitsienty_cmb = list("Koeffitsienty_cmb", QStringLiteral("Коэффициенты"));
    Reshenie_cmb = list("Reshenie_cmb", QStringLiteral("Решение"));
    Osobye_chk = new QCheckBox(QStringLiteral("В некоторых вариантах — &особые случаи: d = 0 и вращение на 90° (e = 0)"), this);
    Osobye_chk->setObjectName(QStringLiteral("Osobye_chk"));
    Khod_bar = new QProgressBar(this);
    Khod_bar->setObjectName(QStringLiteral("Khod_bar"));
    Khod_bar->setAccessibleName(QStringLiteral("Ход создания"));
    Khod_bar->hide();
    Itog_lbl = platform::wordsLabel(this, QStringLiteral("Itog_lbl"));
    platform::Controls controls(*this);
    Sozdat_cmd = controls.button(QStringLiteral("Sozdat_cmd"), QStringLiteral("&Создать..."),
                                 QStringLiteral("Выбрать папку и записать в неё задания, ответы и файлы вариантов"), 0,
                                 0, 1215, 375, 6);
    Zakryt_cmd = controls.button(QStringLiteral("Zakryt_cmd"), QStringLiteral("&Закрыть"),
                                 QStringLiteral("Закрыть окно заданий"), 0, 0, 1215, 375, 7);
    int index = 0;
    for (QWidget* control : {static_cast<QWidget*>(Neizvestnye_txt), static_cast<QWidget*>(Varianty_txt),
                             static_cast<QWidget*>(Koeffitsienty_cmb), static_cast<QWidget*>(Reshenie_cmb),
                             static_cast<QWidget*>(Osobye_chk), static_cast<QWidget*>(Nomer_txt)})
        tabOrder().add(control, index++);

    layOutControls();
    setCancelButton(Zakryt_cmd);
    setLeaveButton(Zakryt_cmd);
    events().onClick(Sozdat_cmd, &Zadaniya_frm::Sozdat_cmd_Click);
    events().onClick(Zakryt_cmd, &Zadaniya_frm::Zakryt_cmd_Click);
}

// The boxes under their labels, the bar and the result below them, the
// buttons at the bottom right.
void Zadaniya_frm::layOutControls()
{
    auto* page = new QWidget(this);
    auto* form = new QFormLayout;
    const auto row = [&](const QString& caption, QWidget* control) {
        auto* label = new QLabel(caption, page);
        label->setBuddy(control);
        form->addRow(label, control);
    };
    row(QStringLiteral("&Неизвестных (от 2 до 8):"), Neizvestnye_txt);
    row(QStringLiteral("&Вариантов (от 1 до 200):"), Varianty_txt);
    row(QStringLiteral("&Коэффициенты:"), Koeffitsienty_cmb);
    row(QStringLiteral("&Решение:"), Reshenie_cmb);
    form->addRow(Osobye_chk);
    row(QStringLiteral("Номер на&бора:"), Nomer_txt);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(form);
    layout->addWidget(Khod_bar);
    layout->addWidget(Itog_lbl, 1);
    platform::layOutPage(this, page, {Sozdat_cmd, Zakryt_cmd});
}

void Zadaniya_frm::Form_Load()
{
    centreOnScreen();
    const tasks::Choices& last = lastChoices();
    Neizvestnye_txt->setText(QString::number(last.n));
    Varianty_txt->setText(QString::number(last.count));
    Koeffitsienty_cmb->setCurrentIndex(int(last.coefficients));
    Reshenie_cmb->setCurrentIndex(int(last.solution));
    Osobye_chk->setChecked(last.specialCases);
    Nomer_txt->setText(QString::number(last.setNumber));
}

std::optional<tasks::Choices> Zadaniya_frm::choices()
{
    const auto refuse = [this](QLineEdit* box, const QString& why) {
        platform::msgBox(why, platform::MessageIcon::Information, Caption);
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        return std::nullopt;
    };
    const auto n = wholeIn(Neizvestnye_txt, MinUnknowns, MaxUnknowns);
    if (!n)
        return refuse(Neizvestnye_txt, QStringLiteral("Количество неизвестных — целое число от 2 до 8."));
    const auto count = wholeIn(Varianty_txt, tasks::MinVariants, tasks::MaxVariants);
    if (!count)
        return refuse(Varianty_txt, QStringLiteral("Количество вариантов — целое число от 1 до 200."));
    const auto number = wholeIn(Nomer_txt, 1, tasks::MaxSetNumber);
    if (!number)
        return refuse(Nomer_txt, QStringLiteral("Номер набора — целое число от 1 до 999999999."));
    tasks::Choices chosen;
    chosen.n = int(*n);
    chosen.count = int(*count);
    chosen.coefficients = tasks::Numbers(Koeffitsienty_cmb->currentIndex());
    chosen.solution = tasks::Numbers(Reshenie_cmb->currentIndex());
    chosen.specialCases = Osobye_chk->isChecked();
    chosen.setNumber = *number;
    return chosen;
}

void Zadaniya_frm::Sozdat_cmd_Click()
{
    const auto chosen = choices();
    if (!chosen)
        return;
    lastChoices() = *chosen;
    const QString folder = platform::fileDialogs().folderToWrite(this, FolderTitle);
    if (folder.isEmpty())
        return;
    // Every file of a set of this number there, whatever its count of
    // variants: those the new set does not write are taken away with it.
    const QStringList names = fileNames(*chosen);
    QStringList old = QDir(folder).entryList({QStringLiteral("Вариант *, набор %1.csv").arg(chosen->setNumber)},
                                             QDir::Files, QDir::Name);
    for (const QString& name : names.mid(chosen->count)) {
        if (QFile::exists(QDir(folder).filePath(name)))
            old.append(name);
    }
    QStringList there;
    for (const QString& name : old)
        there.append(u'«' + name + u'»');
    if (!there.isEmpty()
        && !platform::messageService().ask(
            QStringLiteral("В папке %1 уже есть файлы этого набора: %2. Заменить их?")
                .arg(platform::quotedFileName(folder),
                     there.size() > 3 ? there.mid(0, 3).join(QStringLiteral(", ")) + QStringLiteral(" и ещё %1").arg(there.size() - 3)
                                      : there.join(QStringLiteral(", "))),
            Caption))
        return;
    Itog_lbl->clear();
    Zakryt_cmd->setAccessibleDescription(Zakryt_cmd->toolTip());
    if (!write(folder, *chosen))
        return;
    for (const QString& name : old) {
        if (!names.contains(name))
            QFile::remove(QDir(folder).filePath(name));
    }
    const QString done = QStringLiteral("Готово: в папке %1 — задания и ответы (PDF), таблица ответов и файлы "
                                        "вариантов (%2), набор № %3.")
                             .arg(platform::quotedFileName(folder))
                             .arg(chosen->count)
                             .arg(chosen->setNumber);
    Itog_lbl->setText(done);
    // Said as the focus comes to "Закрыть": the file dialog that has just
    // closed floods a screen reader with events, and it drops a notification
    // among them, never a move of the focus.
    platform::announceWithFocus(Zakryt_cmd, {done});
    Zakryt_cmd->setFocus(Qt::OtherFocusReason);
}

bool Zadaniya_frm::write(const QString& folder, const tasks::Choices& chosen)
{
    const platform::BusyCursor busy;
    QElapsedTimer clock;
    clock.start();
    const int steps = chosen.count + 3 + chosen.count;
    const auto tick = [&](int done) {
        if (clock.elapsed() > Moment)
            progress(done, steps);
    };
    const std::vector<tasks::Variant> set = tasks::makeSet(chosen, tick);
    const platform::NumberFormat& format = platform::regionalSettings();
    const QDate today = QDate::currentDate();
    const QStringList names = fileNames(chosen);
    // Each file made when it is written, so that a failure stops the making too.
    std::vector<std::function<QByteArray()>> files;
    for (const tasks::Variant& variant : set)
        files.push_back([&format, &variant] { return csv(tasks::systemRows(variant, format)); });
    files.push_back([&] { return csv(tasks::answerRows(set, format)); });
    files.push_back([&] { return answerKeyPdf(set, chosen.setNumber, today); });
    files.push_back([&] { return taskSheetPdf(set, chosen.setNumber, today); });
    QStringList begun;
    for (std::size_t k = 0; k < files.size(); ++k) {
        const QString path = QDir(folder).filePath(names[qsizetype(k)]);
        const bool anew = !QFile::exists(path);
        if (!saveOrTell(path, files[k](), Caption)) {
            for (const QString& written : begun)
                QFile::remove(written);
            Khod_bar->hide();
            return false;
        }
        if (anew)
            begun.append(path);
        tick(chosen.count + int(k) + 1);
    }
    Khod_bar->hide();
    return true;
}

// The bar, where the making takes longer than a moment, drawn as it goes.
void Zadaniya_frm::progress(int done, int of)
{
    Khod_bar->setRange(0, of);
    Khod_bar->setValue(done);
    Khod_bar->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void Zadaniya_frm::Zakryt_cmd_Click()
{
    platform::windows().unload(this);
}
