#include <QKeyEvent>
#include <QTest>

#include "platform/virtual_keys.h"

using platform::toWinVk;

class VirtualKeysTest : public QObject {
    Q_OBJECT

private slots:
    void mapsKeysToWindowsCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<uint>("scan");
        QTest::addColumn<uint>("native");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<int>("code");

        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, keypad = Qt::KeypadModifier;
        QTest::newRow("main-row 2, tests") << int(Qt::Key_2) << none << 0u << 0u << "offscreen" << 50;
        QTest::newRow("main-row 8, tests") << int(Qt::Key_8) << none << 0u << 0u << "offscreen" << 56;
        QTest::newRow("keypad 2, Num Lock on") << int(Qt::Key_2) << keypad << 88u << 0xffb2u << "xcb" << 98;
        QTest::newRow("keypad 8, Num Lock on") << int(Qt::Key_8) << keypad << 80u << 0xffb8u << "xcb" << 104;
        QTest::newRow("keypad 2, Num Lock off") << int(Qt::Key_Down) << keypad << 88u << 0xff99u << "xcb" << 0;
        QTest::newRow("keypad Del, Num Lock off") << int(Qt::Key_Delete) << keypad << 91u << 0u << "xcb" << 46;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 22u << 0u << "xcb" << 8;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 119u << 0u << "xcb" << 46;
        QTest::newRow("Shift+2, US layout, X11") << int(Qt::Key_At) << shift << 11u << 0x40u << "xcb" << 50;
        QTest::newRow("Shift+2, Russian layout, X11") << int(Qt::Key_QuoteDbl) << shift << 11u << 0x22u << "xcb" << 50;
        QTest::newRow("Shift+8, Wayland") << int(Qt::Key_Asterisk) << shift << 17u << 0u << "wayland" << 56;
        QTest::newRow("Shift+0, X11") << int(Qt::Key_ParenRight) << shift << 19u << 0u << "xcb" << 48;
        QTest::newRow("Shift+5, Windows") << int(Qt::Key_Percent) << shift << 6u << 0x35u << "windows" << 53;
        QTest::newRow("Shift+5, synthetic") << int(Qt::Key_Percent) << shift << 0u << 0u << "offscreen" << 53;
        QTest::newRow("letter") << int(Qt::Key_L) << none << 46u << 0x6cu << "xcb" << 76;
        QTest::newRow("minus sign, X11") << int(Qt::Key_Minus) << none << 20u << 0x2du << "xcb" << 0;
    }

    void mapsKeysToWindowsCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(uint, scan);
        QFETCH(uint, native);
        QFETCH(QString, platform);
        QFETCH(int, code);
        QCOMPARE(toWinVk(key, Qt::KeyboardModifiers(modifiers), scan, native, platform), code);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), scan, native, 0);
        if (platform == QStringLiteral("offscreen"))
            QCOMPARE(toWinVk(event), code);
    }
};

QTEST_MAIN(VirtualKeysTest)
#include "virtual_keys_test.moc"
