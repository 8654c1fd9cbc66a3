// The Windows virtual-key codes of key events on every platform, from the
// table tests/data/virtual_keys.tsv.

#include <QKeyEvent>
#include <QMetaEnum>
#include <QTest>

#include "platform/virtual_keys.h"
#include "support/data_file.h"

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
