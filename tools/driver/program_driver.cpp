#include "tools/driver/program_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "documents/solve_document.h"
#include "navigation/practice_start.h"
#include "navigation/window_names.h"
#include "platform/form.h"
#include "platform/window_service.h"
#include "shell/startup.h"
#include "solver/peremennye.h"

namespace {

template <class Control>
Control* found(Control* control, platform::WindowName name, const QString& what)
{
    if (!control)
        qFatal("The program has no %s", qPrintable(ProgramDriver::at(name, what)));
    return control;
}

}  // namespace

ProgramDriver::ProgramDriver()
{
    platform::setMessageService(this);
}

ProgramDriver::~ProgramDriver()
{
    platform::setMessageService(nullptr);
}

void ProgramDriver::show(const QString& text, const QString& title, platform::MessageIcon icon)
{
    static const char* const icons[] = {"no icon", "stop", "exclamation", "information"};
    messages.append(title + " | " + text + " | " + icons[static_cast<int>(icon)]);
}

bool ProgramDriver::ask(const QString& text, const QString& title)
{
    messages.append(title + " | " + text + " | question");
    return answerYes;
}

void ProgramDriver::start(const QString& file)
{
    // The offscreen platform warns of every window raised and every size
    // hint it cannot pass on, which the program does as on a desktop.
    static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("This plugin does not support")))
                previous(type, context, text);
        });
    messages.clear();
    answerYes = true;
    peremennye() = Peremennye{};
    forgetLastSolve();
    forgetAllPractice();
    platform::windows().restart();
    startProgram(file);
    activate(file.isEmpty() || !window(window::Start_frm) ? window::Baza_frm : window::Start_frm);
}

QStringList ProgramDriver::end()
{
    if (!platform::windows().ending())
        platform::windows().endProgram();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList left;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<platform::Form*>(widget))
            left.append(widget->objectName());
    }
    platform::windows().destroyAll();
    return left;
}

platform::Form* ProgramDriver::window(platform::WindowName name)
{
    return platform::windows().find(name);
}

QWidget* ProgramDriver::control(platform::WindowName name, const QString& control)
{
    return window(name) ? window(name)->findChild<QWidget*>(control) : nullptr;
}

QPushButton* ProgramDriver::button(platform::WindowName name, const QString& button)
{
    return qobject_cast<QPushButton*>(control(name, button));
}

QLineEdit* ProgramDriver::box(platform::WindowName name, const QString& box)
{
    return qobject_cast<QLineEdit*>(control(name, box));
}

QWidget* ProgramDriver::focus()
{
    return QApplication::focusWidget();
}

QString ProgramDriver::focusName()
{
    return focus() ? focus()->window()->objectName() + "." + focus()->objectName() : QString();
}

QString ProgramDriver::at(platform::WindowName name, const QString& control)
{
    return name.toString() + "." + control;
}

QStringList ProgramDriver::openWindows()
{
    QStringList list;
    for (platform::Form* form : platform::windows().openWindows())
        list.append(form->objectName());
    list.sort();
    return list;
}

QStringList ProgramDriver::names(std::initializer_list<platform::WindowName> windows)
{
    QStringList list;
    for (const platform::WindowName name : windows)
        list.append(name.toString());
    list.sort();
    return list;
}

bool ProgramDriver::activate(platform::WindowName name)
{
    platform::Form* form = window(name);
    return form && (form->activateWindow(), QTest::qWaitForWindowActive(form));
}

void ProgramDriver::click(platform::WindowName name, const QString& button)
{
    QTest::mouseClick(found(ProgramDriver::button(name, button), name, button), Qt::LeftButton);
}

void ProgramDriver::type(platform::WindowName name, const QString& boxName, const QString& text)
{
    QLineEdit* target = found(box(name, boxName), name, boxName);
    target->setFocus(Qt::MouseFocusReason);
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Delete);
    typeKeys(target, text);
}

void ProgramDriver::typeKeys(QWidget* target, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0x20 && c.unicode() < 0x7F)
            QTest::keyClick(target, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, target, c == u' ' ? Qt::Key_Space : Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
}

void ProgramDriver::altKey(char16_t letter)
{
    // The shortcut matches the upper-case code point.
    QTest::sendKeyEvent(QTest::Click, focus(), Qt::Key(QChar(letter).toUpper().unicode()), QString(), Qt::AltModifier);
}

QStringList ProgramDriver::menu(QLineEdit* box, const QString& choose, bool withKeys)
{
    emit box->customContextMenuRequested(box->rect().center());
    QStringList entries;
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    for (QAction* action : popup ? popup->actions() : QList<QAction*>()) {
        const QString entry = action->text().section('\t', 0, 0);
        entries.append(withKeys ? action->text() : entry);
        if (entry == choose)
            action->trigger();
    }
    if (popup)
        popup->close();
    return entries;
}

QString ProgramDriver::cell(int i, int j)
{
    return QStringLiteral("Text1(%1)").arg(8 * (i - 1) + (j - 1));
}

QString ProgramDriver::answer(int i)
{
    return QStringLiteral("Text1(%1)").arg(i - 1);
}

QString ProgramDriver::result(int k)
{
    const QString name = QStringLiteral("Text1(%1)").arg(k);
    return found(box(window::Rezultat_frm, name), window::Rezultat_frm, name)->text();
}

void ProgramDriver::goToCount()
{
    click(window::Baza_frm, "Start_cmd");
    activate(window::Nachalo_frm);
}

void ProgramDriver::goToCoefficients(int n)
{
    goToCount();
    QTest::keyClick(found(box(window::Nachalo_frm, "Okno_txt"), window::Nachalo_frm, "Okno_txt"), char('0' + n));
    QTest::keyClick(focus(), Qt::Key_Return);
    activate(window::Start_frm);
}

void ProgramDriver::typeCoefficients(const QList<QStringList>& rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        for (int j = 0; j < rows[i].size(); ++j)
            type(window::Start_frm, cell(i + 1, j + 1), rows[i][j]);
    }
}

void ProgramDriver::goToAnswers(const QList<QStringList>& rows)
{
    goToCoefficients(int(rows.size()));
    typeCoefficients(rows);
    click(window::Start_frm, "Next_cmd");
    activate(window::Start2_frm);
}

void ProgramDriver::typeAnswers(const QStringList& answers)
{
    for (int i = 0; i < answers.size(); ++i)
        type(window::Start2_frm, answer(i + 1), answers[i]);
}

void ProgramDriver::solve(const QList<QStringList>& rows, const QStringList& answers)
{
    goToAnswers(rows);
    typeAnswers(answers);
    click(window::Start2_frm, "next_cmd");
}

platform::Form* ProgramDriver::walkTo(platform::WindowName name, int n)
{
    QList<QStringList> rows;
    QStringList answers;
    for (int i = 0; i < n; ++i) {
        rows.append(QStringList(n, QStringLiteral("1")));
        rows[i][i] = QStringLiteral("10");
        answers.append(QString::number(i));
    }
    if (name == window::Exit_frm || name == window::OProgramme_frm)
        click(window::Baza_frm, name == window::Exit_frm ? "Exit_cmd" : "OProgr_cmd");
    else if (name == window::Spravka_frm || name == window::Zadaniya_frm)
        QTest::keyClick(window(window::Baza_frm), name == window::Spravka_frm ? Qt::Key_F1 : Qt::Key_F5);
    else if (name == window::Nachalo_frm)
        goToCount();
    else if (name == window::Start_frm)
        goToCoefficients(n);
    else if (name == window::Start2_frm)
        goToAnswers(rows);
    else if (name != window::Baza_frm)
        solve(rows, answers);
    if ((name == window::HodResheniya_frm || name == window::Praktika_frm) && activate(window::Rezultat_frm))
        QTest::keyClick(focus(), name == window::Praktika_frm ? Qt::Key_F4 : Qt::Key_F2,
                        name == window::Praktika_frm ? Qt::NoModifier : Qt::ShiftModifier);
    if (name == window::Praktika_frm && activate(name)) {
        auto* level = found(window(name)->findChild<QComboBox*>(QStringLiteral("Uroven_cmb")), name, "Uroven_cmb");
        level->setCurrentIndex(level->count() - 1);
        click(name, "Nachat_cmd");
        click(name, "Pokazat_cmd");  // the rotation's case: the values of the rotation follow
    }
    return activate(name) ? window(name) : nullptr;
}
