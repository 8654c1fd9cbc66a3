#include "common/system_files.h"

#include <QFile>
#include <QFileInfo>
#include <QKeySequence>

#include "platform/control_events.h"
#include "platform/file_dialogs.h"
#include "platform/form.h"
#include "platform/message_service.h"
#include "platform/saved_file.h"
#include "common/opened_system.h"
#include "common/system_file_format.h"

namespace system_files {

namespace {

const QString OpenTitle = QStringLiteral("Открытие системы уравнений");
const QString SaveTitle = QStringLiteral("Сохранение системы уравнений");
const QStringList Filters = {QStringLiteral("Системы уравнений (*.csv *.tsv *.txt)"), QStringLiteral("Все файлы (*)")};
const QString Suggested = QStringLiteral("Система уравнений.csv");

QString why(const system_file::Refusal& refusal, const QString& file)
{
    using system_file::Fault;
    switch (refusal.fault) {
    case Fault::TooLarge:
        return QStringLiteral("Файл %1 слишком велик: %2 байт. Файл системы уравнений занимает не больше 1 МиБ "
                              "(%3 байт).")
            .arg(file)
            .arg(refusal.found)
            .arg(refusal.expected);
    case Fault::Binary:
        return QStringLiteral("Файл %1 — не текст: в нём есть двоичные данные.").arg(file);
    case Fault::Encoding:
        return QStringLiteral("Файл %1 записан в кодировке, которую программа не читает. Сохраните его как текст "
                              "в UTF-8 или в UTF-16 с меткой порядка байтов.")
            .arg(file);
    case Fault::TooFewLines:
    case Fault::TooManyLines:
        return QStringLiteral("В файле %1 строк: %2. Система должна содержать от 2 до 8 уравнений, по одному в "
                              "строке.")
            .arg(file)
            .arg(refusal.found);
    case Fault::FirstLine:
        return QStringLiteral("В строке 1 файла %1 значений: %2, а должно быть %3 (коэффициенты) или %4 "
                              "(коэффициенты и правая часть), так как уравнений в файле: %3.")
            .arg(file)
            .arg(refusal.found)
            .arg(refusal.expected)
            .arg(refusal.expected + 1);
    case Fault::LineLength:
        return QStringLiteral("В строке %1 файла %2 значений: %3, а должно быть %4, как в строке 1.")
            .arg(refusal.line)
            .arg(file)
            .arg(refusal.found)
            .arg(refusal.expected);
    }
    return QString();
}

void refuse(const QString& text)
{
    platform::msgBox(text, platform::MessageIcon::Exclamation, OpenTitle);
}

QString fromCell(const std::u16string& cell)
{
    return QString::fromStdU16String(cell);
}

}  // namespace

void open(QWidget* parent)
{
    const QString path = platform::fileDialogs().fileToOpen(parent, OpenTitle, Filters);
    if (!path.isEmpty())
        openFile(path);
}

void offerOpening(platform::Form& window)
{
    window.events().onCommand(OpenCommand, QKeySequence::Open, OpenTip, [&window] { open(&window); });
    window.events().onFileDrop(openFile);
}

bool openFile(const QString& path)
{
    const QFileInfo info(path);
    const QString file = platform::quotedFileName(path);
    if (!info.exists()) {
        refuse(QStringLiteral("Файл %1 не найден.").arg(file));
        return false;
    }
    if (info.isDir()) {
        refuse(QStringLiteral("%1 — это папка, а не файл.").arg(file));
        return false;
    }
    if (info.size() > static_cast<qint64>(system_file::MaxBytes)) {
        refuse(why({system_file::Fault::TooLarge, 0, static_cast<std::size_t>(info.size()), system_file::MaxBytes},
                   file));
        return false;
    }
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly)) {
        refuse(QStringLiteral("Файл %1 не удаётся прочитать: %2.")
                   .arg(file, info.isReadable() ? QStringLiteral("ошибка чтения") : QStringLiteral("нет прав на чтение")));
        return false;
    }
    const QByteArray bytes = input.read(static_cast<qint64>(system_file::MaxBytes) + 1);
    const auto read = system_file::read(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
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
    openSystemInGrid(texts);
    return true;
}

void save(QWidget* parent, const SystemTexts& system)
{
    QString filter;
    QString path = platform::fileDialogs().fileToSave(parent, SaveTitle, Suggested, Filters, filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");

    std::vector<std::vector<std::u16string>> rows;
    for (int i = 0; i < system.n; ++i) {
        rows.emplace_back();
        for (const QString& cell : system.coefficients.at(i))
            rows.back().push_back(cell.toStdU16String());
        rows.back().push_back(system.rightHandSides.at(i).toStdU16String());
    }
    platform::saveFile(path, QByteArray::fromStdString(system_file::write(rows, platform::TextLineEnd)), SaveTitle);
}

}  // namespace system_files
