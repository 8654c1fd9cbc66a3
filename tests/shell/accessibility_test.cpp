#include <QAccessible>
#include <QLabel>

#include "support/program_fixture.h"

// What a screen reader can say of each window: every control that takes the
// focus, and every label, has a name.
class AccessibilityTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString spokenName(QWidget* widget)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(QAccessible::Name) : QString();
    }

    static QString spoken(const QString& window, const QString& control)
    {
        for (platform::Form* form : platform::windows().openWindows())
            if (form->objectName() == window)
                return spokenName(form->findChild<QWidget*>(control));
        return QString();
    }

private slots:
    void everyFocusableControlAndLabelHasAName()
    {
        int checked = 0;
        program.visitEveryWindow([&](platform::Form* form) {
            QVERIFY(form);
            QVERIFY2(!spokenName(form).trimmed().isEmpty(), qPrintable(form->objectName()));
            for (QWidget* widget : form->findChildren<QWidget*>()) {
                const bool focusable = widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy()
                                       && widget->parentWidget() == form;
                const bool named = qobject_cast<QLabel*>(widget) || qobject_cast<QPushButton*>(widget)
                                   || qobject_cast<QLineEdit*>(widget);
                if (!focusable && !named)
                    continue;
                ++checked;
                QVERIFY2(!spokenName(widget).trimmed().isEmpty(),
                         qPrintable(form->objectName() + "." + widget->objectName() + " has no name"));
            }
        });
        QVERIFY2(checked > 100, qPrintable(QString::number(checked)));
    }

    void namesSayWhatEachControlIs()
    {
        program.visitEveryWindow([&](platform::Form* form) {
            const QString name = form->objectName();
            if (name == window::Baza_frm) {
                QCOMPARE(spoken(name, "Start_cmd"), QString("Начать работу"));
                QCOMPARE(spoken(name, "OProgr_cmd"), QString("О программе"));
            } else if (name == window::Exit_frm) {
                QCOMPARE(spoken(name, "Label1"), QString("Вы действительно хотите выйти?"));
                QCOMPARE(spoken(name, "OKButton"), QString("Да"));
            } else if (name == window::Nachalo_frm) {
                QCOMPARE(spoken(name, "Okno_txt"), QString("Количество неизвестных"));
            } else if (name == window::Start_frm) {
                QCOMPARE(spoken(name, "Text1(10)"), QString("Коэффициент при Х3, уравнение 2"));
                QCOMPARE(spoken(name, "Text1(63)"), QString("Коэффициент при Х8, уравнение 8"));
            } else if (name == window::Start2_frm) {
                QCOMPARE(spoken(name, "Text1(0)"), QString("Ответ уравнения 1"));
                QCOMPARE(spoken(name, "next_cmd"), QString("Вычислить"));
            } else if (name == window::Rezultat_frm) {
                QCOMPARE(spoken(name, "Text1(0)"), QString("Х1"));
                QCOMPARE(spoken(name, "Text1(7)"), QString("Х8"));
                QCOMPARE(spoken(name, "Text1(9)"), QString("Погрешность вычислений (%)"));
            } else if (name == window::OProgramme_frm) {
                QCOMPARE(spoken(name, "lblVersion"), QString("Version 2.3.28"));
                QCOMPARE(spoken(name, "cmdSysInfo"), QString("Информация о системе..."));
            }
        });
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
