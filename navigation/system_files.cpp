#include "navigation/system_files.h"

#include <algorithm>

#include <QFileInfo>
#include <QKeySequence>
#include <QLocale>

#include "documents/system_file_format.h"
#include "navigation/opened_system.h"
#include "navigation/saving.h"
#include "platform/control_events.h"
#include "platform/file_dialogs.h"
#include "platform/form.h"
#include "platform/message_service.h"
#include "platform/read_file.h"
#include "platform/regional_settings.h"
#include "platform/runtime/blanks.h"
#include "platform/saved_file.h"

namespace system_files {

namespace {

using system_file::Separator;

const QString OpenTitle = QStringLiteral("Открытие системы уравнений");
const QString SaveTitle = QStringLiteral("Сохранение системы уравнений");
const QStringList OpenFilters = {QStringLiteral("Системы уравнений (*.csv *.tsv *.txt)"),
                                 QStringLiteral("Все файлы (*)")};
const QString CommaFilter = QStringLiteral("CSV, значения через запятую (*.csv)");
const QString TabFilter = QStringLiteral("Текст, значения через табуляцию (*.tsv *.txt)");
const QString Suggested = QStringLiteral("Система уравнений.csv");

QString fromCell(const std::u16string& cell)
{
    return QString::fromStdU16String(cell);
}

QString separatorName(Separator separator)
{
    switch (separator) {
    case Separator::Tab:
        return QStringLiteral("табуляцией");
    case Separator::Semicolon:
        return QStringLiteral("точкой с запятой (;)");
    case Separator::Comma:
        return QStringLiteral("запятой (,)");
    case Separator::Blanks:
        break;
    }
    return QStringLiteral("пробелами (ни табуляции, ни точки с запятой, ни запятой в файле нет)");
}

// What was read of a line that is refused, so that the user sees why.
QString asRead(const system_file::Refusal& refusal)
{
    QStringList cells;
    for (const auto& cell : refusal.cells)
        cells.append(u'«' + QString::fromStdU16String(cell) + u'»');
    if (refusal.found > refusal.cells.size())
        cells.append(QStringLiteral("и ещё %1").arg(refusal.found - refusal.cells.size()));
    return QStringLiteral(" Значения разделены %1; строка %2 прочитана так: %3. Программа разделяет значения "
                          "табуляцией, точкой с запятой, запятой или пробелами.")
        .arg(separatorName(refusal.separator))
        .arg(refusal.line)
        .arg(cells.join(u' '));
}

QString tooLarge(const QString& file, qint64 size)
{
    // Sizes in groups of three digits, as Russian writes them.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    return QStringLiteral("Файл %1 слишком велик: %2 байт. Файл системы уравнений должен быть не больше 1 МиБ "
                          "(%3 байт).")
        .arg(file, russian.toString(size), russian.toString(static_cast<qint64>(system_file::MaxBytes)));
}

// Why a file's lines make no system.
QString whyNoSystem(const system_file::Refusal& refusal, const QString& file)
{
    using system_file::Fault;
    switch (refusal.fault) {
    case Fault::FirstLine:
        return QStringLiteral("В строке %1 файла %2 значений: %3, а должно быть %4 (коэффициенты) или %5 "
                              "(коэффициенты и правая часть), так как уравнений в файле: %4.")
                   .arg(refusal.line)
                   .arg(file)
                   .arg(refusal.found)
                   .arg(refusal.expected)
                   .arg(refusal.expected + 1)
               + asRead(refusal)
               + (refusal.rowNamesLikely
                      ? QStringLiteral(" Если первый столбец — названия или номера строк, удалите его или оставьте "
                                       "пустой ячейку над ним в строке названий столбцов.")
                      : QString());
    case Fault::LineLength:
        return QStringLiteral("В строке %1 файла %2 значений: %3, а должно быть %4, как в первой строке системы.")
                   .arg(refusal.line)
                   .arg(file)
                   .arg(refusal.found)
                   .arg(refusal.expected)
               + asRead(refusal);
    case Fault::RowNames:
        return QStringLiteral("Не удаётся понять, что в первом столбце файла %1: названия строк или коэффициенты "
                              "при Х1. Над ним в строке названий столбцов нет названия, как над названиями строк, но в строке %2 "
                              "там %3. Если это названия строк, удалите этот столбец; если коэффициенты — впишите "
                              "название над ним.")
            .arg(file)
            .arg(refusal.line)
            .arg(refusal.cells.front().empty() ? QStringLiteral("пусто")
                                               : QStringLiteral("число «%1», а не номер строки")
                                                                     .arg(fromCell(refusal.cells.front())));
    default:
        break;
    }
    return QString();
}

QString why(const system_file::Refusal& refusal, const QString& file)
{
    using system_file::Fault;
    switch (refusal.fault) {
    case Fault::TooLarge:
        return tooLarge(file, static_cast<qint64>(refusal.found));
    case Fault::Binary:
        return QStringLiteral("Файл %1 — не текст: в нём есть двоичные данные.").arg(file);
    case Fault::Encoding:
        return QStringLiteral("Файл %1 записан в кодировке, которую программа не читает. Сохраните его как текст "
                              "в UTF-8 или в UTF-16 с меткой порядка байтов.")
            .arg(file);
    case Fault::Utf16WithoutMark:
        return QStringLiteral("Файл %1 записан в UTF-16 без метки порядка байтов, и в нём есть не только цифры и "
                              "разделители. Сохраните его в UTF-8 или в UTF-16 с меткой порядка байтов.")
            .arg(file);
    case Fault::TooFewLines:
    case Fault::TooManyLines:
        return QStringLiteral("В файле %1 строк: %2. Система должна содержать от 2 до 8 уравнений, по одному в "
                              "строке.")
            .arg(file)
            .arg(refusal.found);
    case Fault::EmptyLine:
        return QStringLiteral("В строке %1 файла %2 нет ни одного значения. Уравнения должны идти подряд, по одному "
                              "в строке.")
            .arg(refusal.line)
            .arg(file);
    case Fault::UnclosedQuote:
        return QStringLiteral("В строке %1 файла %2 открыта кавычка, которая нигде не закрыта, и всё после неё "
                              "читается как одно значение. Закройте кавычку или уберите её.")
            .arg(refusal.line)
            .arg(file);
    case Fault::FirstLine:
    case Fault::LineLength:
    case Fault::RowNames:
        return whyNoSystem(refusal, file);
    }
    return QString();
}

// Why a file could not be read at all, or nothing.
QString unread(const platform::ReadFile& input, const QString& file)
{
    using Outcome = platform::ReadFile::Outcome;
    switch (input.outcome) {
    case Outcome::Read:
        break;
    case Outcome::Missing:
        return QStringLiteral("Файл %1 не найден.").arg(file);
    case Outcome::Folder:
        return QStringLiteral("%1 — это папка, а не файл.").arg(file);
    case Outcome::Pipe:
        return QStringLiteral("%1 — это именованный канал, а не файл.").arg(file);
    case Outcome::Socket:
        return QStringLiteral("%1 — это сокет, а не файл.").arg(file);
    case Outcome::Device:
        return QStringLiteral("%1 — это устройство, а не файл.").arg(file);
    case Outcome::Loop:
        return QStringLiteral("Файл %1 не удаётся открыть: символические ссылки на него замыкаются в петлю.").arg(file);
    case Outcome::NoPermission:
        return QStringLiteral("Файл %1 не удаётся прочитать: нет прав на чтение.").arg(file);
    case Outcome::TooLarge:
        return tooLarge(file, input.size);
    case Outcome::Failed:
        return QStringLiteral("Файл %1 не удаётся прочитать: ошибка чтения.").arg(file);
    }
    return QString();
}

// Cells in «», as many as fit in a line of the note.
QString quotedCells(const std::vector<std::u16string>& cells)
{
    QStringList quoted;
    for (std::size_t k = 0; k < std::min<std::size_t>(cells.size(), 8); ++k)
        quoted.append(u'«' + fromCell(cells[k]) + u'»');
    return quoted.join(QStringLiteral(", ")) + (cells.size() > 8 ? QStringLiteral(" …") : QString());
}

// What the grid tells about a file read otherwise than as written. The
// line of names the program itself writes is no news.
QString noticeOf(const system_file::System& system)
{
    QStringList notes;
    if (system.windows1251)
        notes.append(QStringLiteral("Файл прочитан в кодировке Windows-1251."));
    const bool numbered = !system.header.empty() && std::all_of(system.header.begin(), system.header.end(), [](const auto& cell) {
        return std::all_of(cell.begin(), cell.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    });
    if (!system.header.empty() && system.header != system_file::columnNames(system.n))
        notes.append(numbered ? QStringLiteral("Первая строка файла — номера столбцов; она пропущена.")
                              : QStringLiteral("Первая строка файла — названия столбцов; она пропущена."));
    if (!system.rowNames.empty())
        notes.append(QStringLiteral("Первый столбец файла — названия строк (%1); он пропущен.").arg(quotedCells(system.rowNames)));
    if (!system.convertedMark.empty())
        notes.append(QStringLiteral("Числа в файле записаны с десятичным разделителем «%1»; он заменён на «%2», как "
                                    "в региональных настройках.")
                         .arg(QString::fromStdU16String(system.convertedMark),
                              QString::fromStdU16String(platform::regionalSettings().decimalSeparator)));
    if (system.keptAsWritten.size() == 1)
        notes.append(QStringLiteral("Значение %1 оставлено как в файле: оно не читается как число.")
                         .arg(quotedCells(system.keptAsWritten)));
    else if (!system.keptAsWritten.empty())
        notes.append(QStringLiteral("Значения %1 оставлены как в файле: они не читаются как числа.")
                         .arg(quotedCells(system.keptAsWritten)));
    return notes.join(u' ');
}

// A value as a file keeps it: as typed, digits, sign and exponent, but
// without digit groups ("1 234,5" is saved "1234,5"), which no spreadsheet
// and no other regional settings read as one number.
std::u16string asSaved(const QString& typed)
{
    std::u16string cell = typed.trimmed().toStdU16String();
    const platform::NumberFormat& settings = platform::regionalSettings();
    if (!platform::textToNumber(typed))
        return cell;
    std::u16string saved;
    for (std::size_t k = 0; k < cell.size(); ++k) {
        const bool space = platform::isSpaceKind(cell[k]);
        if (!space && !std::u16string_view(cell).substr(k).starts_with(settings.groupSeparator))
            saved += cell[k];
        else if (!space)
            k += settings.groupSeparator.size() - 1;
    }
    return saved;
}

void refuse(const QString& text)
{
    platform::msgBox(text, platform::MessageIcon::Exclamation, OpenTitle);
}

}  // namespace

void open(QWidget* parent)
{
    const QString path = platform::fileDialogs().fileToOpen(parent, OpenTitle, OpenFilters);
    if (!path.isEmpty())
        openFile(path);
}

platform::Command openCommand(QWidget* parent)
{
    return {OpenCommand, QKeySequence::Open, OpenTip, [parent] { open(parent); }};
}

platform::Command saveCommand(QWidget* parent, std::function<SystemTexts()> system)
{
    return {SaveCommand, QKeySequence::Save, SaveTip, [parent, system] { save(parent, system()); }};
}

void offerOpening(platform::Form& window)
{
    window.events().onCommand(openCommand(&window));
    window.events().onFileDrop(openFile);
}

bool openFile(const QString& path)
{
    const QString file = platform::quotedFileName(path);
    const platform::ReadFile input = platform::readFile(path, static_cast<qint64>(system_file::MaxBytes));
    if (const QString reason = unread(input, file); !reason.isEmpty()) {
        refuse(reason);
        return false;
    }
    const auto read = system_file::read(std::string_view(input.bytes.constData(), static_cast<std::size_t>(input.bytes.size())),
                                        platform::regionalSettings());
    if (const auto* refusal = std::get_if<system_file::Refusal>(&read)) {
        refuse(why(*refusal, file));
        return false;
    }
    const auto& system = std::get<system_file::System>(read);
    SystemTexts texts;
    texts.n = system.n;
    for (const auto& row : system.coefficients) {
        texts.coefficients.emplace_back();
        for (const auto& cell : row)
            texts.coefficients.back().push_back(fromCell(cell));
    }
    for (const auto& cell : system.rightHandSides)
        texts.rightHandSides.push_back(fromCell(cell));
    texts.notice = noticeOf(system);
    platform::fileDialogs().startIn(QFileInfo(path).absolutePath());
    openSystemInGrid(texts);
    return true;
}

void save(QWidget* parent, const SystemTexts& system)
{
    QString filter;
    QString path = platform::fileDialogs().fileToSave(parent, SaveTitle, Suggested, {CommaFilter, TabFilter}, filter);
    if (path.isEmpty())
        return;
    // Comma-separated values in a .csv file, quoted where a cell holds a
    // comma, as spreadsheets write them and open them with every number in
    // its cell; tabs in a .tsv or .txt one.
    path = platform::withEnding(path, filter);
    const QString suffix = QFileInfo(path).suffix().toLower();
    const Separator separator = suffix == u"tsv" || suffix == u"txt" || suffix == u"tab" ? Separator::Tab : Separator::Comma;

    // A first line that names the columns, as the grid and the course name
    // them: a spreadsheet shows it over the numbers (and Gnumeric, which
    // guesses each column's decimal mark from its lines after the first,
    // then reads every number as one), and the program skips it.
    std::vector<std::vector<std::u16string>> rows = {system_file::columnNames(system.n)};
    for (int i = 0; i < system.n; ++i) {
        rows.emplace_back();
        for (const QString& cell : system.coefficients.at(i))
            rows.back().push_back(asSaved(cell));
        rows.back().push_back(asSaved(system.rightHandSides.at(i)));
    }
    saveOrTell(path, QByteArray::fromStdString(system_file::write(rows, separator, platform::TextLineEnd)),
                       SaveTitle);
}

}  // namespace system_files
