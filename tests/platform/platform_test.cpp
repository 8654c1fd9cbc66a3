// The Windows virtual-key codes of key events on every platform, a row of
// tests/data/virtual_keys.tsv each.

#include <QKeyEvent>
#include <QMetaEnum>
#include <QTest>

#include "platform/virtual_keys.h"
#include "support/data_file.h"

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void keysBecomeTheirVirtualKeyCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("scan");
        QTest::addColumn<int>("native");
        QTest::addColumn<QString>("platformName");
        QTest::addColumn<int>("code");
        const auto keys = QMetaEnum::fromType<Qt::Key>();
        const auto modifiers = QMetaEnum::fromType<Qt::KeyboardModifiers>();
        for (const DataRow& row : dataRows("virtual_keys.tsv")) {
            QTest::addRow("%s %s on %s", row.at(0).c_str(), row.at(1).c_str(), row.at(4).c_str())
                << keys.keyToValue(row[0].c_str()) << (row[1] == "-" ? 0 : modifiers.keyToValue(row[1].c_str()))
                << std::stoi(row.at(2)) << std::stoi(row.at(3)) << QString::fromStdString(row[4]) << std::stoi(row.at(5));
        }
    }

    void keysBecomeTheirVirtualKeyCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, scan);
        QFETCH(int, native);
        QFETCH(QString, platformName);
        QFETCH(int, code);
        QVERIFY(key >= 0 && modifiers >= 0);
        const auto modifier = Qt::KeyboardModifiers(modifiers);
        QCOMPARE(platform::toWinVk(key, modifier, quint32(scan), quint32(native), platformName), code);
        if (platformName == QGuiApplication::platformName())
            QCOMPARE(platform::toWinVk(QKeyEvent(QEvent::KeyPress, key, modifier, quint32(scan), quint32(native), 0)), code);
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
