#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "support/quiet_offscreen.h"
#include <QTimer>

#include "platform/message_service.h"
#include "support/recording_messages.h"

class MessageServiceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quietOffscreenWarnings(); }

    void withoutATitleTheBoxCarriesTheApplicationTitle()
    {
        RecordingMessages recorder;
        platform::msgBox("Текст", platform::MessageIcon::Exclamation);
        platform::msgBox("Другой", platform::MessageIcon::Stop, "Заголовок");
        QCOMPARE(recorder.messages.size(), 2);
        QCOMPARE(recorder.messages[0].title, QString("Реализация метода вращений"));
        QCOMPARE(recorder.messages[0].icon, platform::MessageIcon::Exclamation);
        QCOMPARE(recorder.messages[1].title, QString("Заголовок"));
    }

    void realBoxWaitsUntilClosedAndGivesTheActivationBack()
    {
        QWidget window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QString seenText, seenTitle;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        bool seenModal = false;
        int polls = 0;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, [&] {
            if (++polls > 500)
                QApplication::exit(1);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            seenModal = box->windowModality() == Qt::ApplicationModal;
            box->button(QMessageBox::Ok)->click();
        });
        poll.start();
        platform::msgBox("Попробуйте ввести его заново!", platform::MessageIcon::Information);
        poll.stop();
        QCOMPARE(seenText, QString("Попробуйте ввести его заново!"));
        QCOMPARE(seenTitle, QString("Реализация метода вращений"));
        QCOMPARE(seenIcon, QMessageBox::Information);
        QVERIFY(seenModal);
        QTRY_VERIFY(window.isActiveWindow());
    }
};

QTEST_MAIN(MessageServiceTest)
#include "message_service_test.moc"
