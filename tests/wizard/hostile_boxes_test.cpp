#include <cstring>

#include "platform/regional_settings.h"
#include "support/hostile_texts.h"
#include "support/program_fixture.h"

// Every hostile text pasted into a box of each entry screen, under the
// settings the test runs with: accepted with the exact double, or refused
// with the box's two messages and nothing else.
class HostileBoxesTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static std::optional<double> expected(const HostileText& row)
    {
        return platform::regionalSettings().decimalSeparator == u"," ? row.russian : row.english;
    }

    static bool sameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

    static void paste(QLineEdit* box, const std::u16string& text)
    {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        // Code unit for code unit: QString::fromUtf16 would drop a leading byte order mark.
        box->insert(QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size())));
    }

private slots:
    void initTestCase()
    {
        program.start();
        QVERIFY(platform::regionalSettings().decimalSeparator == u"," || platform::regionalSettings().decimalSeparator == u".");
    }
    void cleanupTestCase() { program.stop(); }

    void coefficientBoxes()
    {
        constexpr double untouched = -12345.0;
        for (const HostileText& row : hostileTexts()) {
            program.start();
            program.goToCoefficients(2);
            program.typeCoefficients({{"", "1"}, {"1", "1"}});
            peremennye().matr_rassh(1, 1) = peremennye().matr_kopiya(1, 1) = untouched;
            QLineEdit* box = program.box(window::Start_frm, "Text1(0)");
            paste(box, row.text);
            const QString typed = box->text();
            program.click(window::Start_frm, "Next_cmd");
            const auto wanted = expected(row);
            const QByteArray name = QByteArray::fromStdString(row.name);
            if (wanted) {
                QVERIFY2(program.messages.isEmpty(), name);
                QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
                QVERIFY2(sameDouble(peremennye().matr_rassh(1, 1).value(), *wanted), name);
                QVERIFY2(sameDouble(peremennye().matr_kopiya(1, 1).value(), *wanted), name);
            } else {
                QVERIFY2(program.messages.size() == 2, name);
                QCOMPARE(program.messages[0].text, QString("Не является числом коэффициент при Х1"));
                QCOMPARE(program.messages[0].title, QString("Ошибка в строке 1"));
                QCOMPARE(program.messages[1].text, QString("Попробуйте ввести его заново"));
                QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
                QCOMPARE(box->text(), typed);
                QVERIFY2(peremennye().matr_rassh(1, 1).value() == untouched, name);
            }
        }
    }

    void answerBoxes()
    {
        constexpr double untouched = -12345.0;
        for (const HostileText& row : hostileTexts()) {
            program.start();
            program.goToAnswers({{"1", "0"}, {"0", "1"}});
            program.typeAnswers({"", "1"});
            peremennye().otvety_kopiya(1) = untouched;
            QLineEdit* box = program.box(window::Start2_frm, "Text1(0)");
            paste(box, row.text);
            const QString typed = box->text();
            program.click(window::Start2_frm, "next_cmd");
            const auto wanted = expected(row);
            const QByteArray name = QByteArray::fromStdString(row.name);
            if (wanted) {
                QVERIFY2(program.messages.isEmpty(), name);
                QCOMPARE(program.openWindows(), ProgramFixture::names({window::Rezultat_frm}));
                QVERIFY2(sameDouble(peremennye().otvety_kopiya(1).value(), *wanted), name);
                QVERIFY2(sameDouble(peremennye().matr_rassh(1, 3).value(), *wanted), name);
            } else {
                QVERIFY2(program.messages.size() == 2, name);
                QCOMPARE(program.messages[0].text, QString("Не является числом ответ в строке 1"));
                QCOMPARE(program.messages[1].text, QString("Попробуйте ввести его заново!"));
                QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start2_frm}));
                QCOMPARE(box->text(), typed);
                QVERIFY2(peremennye().otvety_kopiya(1).value() == untouched, name);
                QCOMPARE(peremennye().tochnost, 0.0);  // the solver did not run
            }
        }
    }
};

QTEST_MAIN(HostileBoxesTest)
#include "hostile_boxes_test.moc"
