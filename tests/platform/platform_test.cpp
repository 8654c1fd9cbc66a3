// What the platform gives every window and no window of the program shows
// on its own: virtual-key codes on every platform, Alt typing nothing, and
// handlers whose errors never reach Qt's event loop.

#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPushButton>
#include <QTest>

#include "platform/form.h"
#include "platform/runtime_error.h"
#include "platform/virtual_keys.h"
#include "platform/window_service.h"
#include "support/data_file.h"
#include "support/quiet_offscreen.h"
#include "support/recording_messages.h"

namespace {

constexpr platform::WindowName Test_frm{"Test_frm"};

// A small window of the kind the program has: a box and a button.
class TestForm : public platform::Form {
public:
    TestForm() : Form(Test_frm, QStringLiteral("  Проверка"), platform::Frame::FixedSingle)
    {
        setClientSizeTwips(4500, 3000);
        box = addTextBox(QStringLiteral("Text1"), 120, 120, 1500, 285, 1);
        button = addButton(QStringLiteral("First_cmd"), QStringLiteral("&Первая"), QString(), 120, 600, 1215, 375, 0);
        onClick(button, [] { platform::raiseDivisionByZero(); });
    }

    QLineEdit* box;
    QPushButton* button;
};

}  // namespace

class PlatformTest : public QObject {
    Q_OBJECT

    TestForm* showForm()
    {
        platform::windows().registerWindow(Test_frm, [] { return new TestForm; });
        auto* form = static_cast<TestForm*>(platform::windows().show(Test_frm));
        form->activateWindow();
        return QTest::qWaitForWindowActive(form) ? form : nullptr;
    }

private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void cleanup() { platform::windows().destroyAll(); }

    void keysBecomeTheirVirtualKeyCodes()
    {
        const auto keys = QMetaEnum::fromType<Qt::Key>();
        const auto modifiers = QMetaEnum::fromType<Qt::KeyboardModifiers>();
        for (const DataRow& row : dataRows("virtual_keys.tsv")) {
            const int key = keys.keyToValue(row.at(0).c_str());
            const auto modifier = Qt::KeyboardModifiers(row.at(1) == "-" ? 0 : modifiers.keyToValue(row[1].c_str()));
            const auto scan = quint32(std::stoul(row.at(2))), native = quint32(std::stoul(row.at(3)));
            const QString platformName = QString::fromStdString(row.at(4));
            const QByteArray where = QByteArray::fromStdString(row[0] + " " + row[1] + " on " + row[4]);
            QVERIFY2(key >= 0, where);
            QVERIFY2(platform::toWinVk(key, modifier, scan, native, platformName) == std::stoi(row.at(5)), where);
            if (platformName == QGuiApplication::platformName())
                QVERIFY2(platform::toWinVk(QKeyEvent(QEvent::KeyPress, key, modifier, scan, native, 0)) == std::stoi(row[5]),
                         where);
        }
    }

    void altWithALetterThatIsNoAccessKeyTypesNothing()
    {
        TestForm* form = showForm();
        QVERIFY(form);
        form->box->setFocus();
        QTest::keyClick(form->box, Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(form->box->text(), QString());
        QTest::keyClick(form->box, Qt::Key_Q);
        QCOMPARE(form->box->text(), QString("q"));
    }

    void aRunTimeErrorNoHandlerTakesIsReportedAndTheProgramGoesOn()
    {
        RecordingMessages recorder;
        TestForm* form = showForm();
        QVERIFY(form);
        QTest::mouseClick(form->button, Qt::LeftButton);
        QTest::mouseClick(form->button, Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 2);
        QCOMPARE(recorder.messages[0].text, QString("Ошибка выполнения '11':\n\nДеление на ноль"));
        QCOMPARE(recorder.messages[0].title, QString("Реализация метода вращений"));
        QVERIFY(form->isVisible());
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
