#include <cstring>

#include "platform/regional_settings.h"
#include "support/data_file.h"
#include "support/program_fixture.h"

// Every text of the number table pasted into a box of each entry screen,
// under the settings the test runs with: stored with the exact double the
// table gives, or refused with the box's two messages and nothing stored.
class NumberBoxesTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

    // Pastes the text into the first box, presses the screen's command and
    // gives what was stored, or nothing where the box was refused.
    std::optional<double> enter(const std::u16string& text, bool coefficient)
    {
        program.start();
        if (coefficient) {
            program.goToCoefficients(2);
            program.typeCoefficients({{"", "1"}, {"1", "1"}});
        } else {
            program.goToAnswers({{"1", "0"}, {"0", "1"}});
            program.typeAnswers({"", "1"});
        }
        const platform::WindowName screen = coefficient ? window::Start_frm : window::Start2_frm;
        QLineEdit* box = program.box(screen, "Text1(0)");
        box->setFocus(Qt::MouseFocusReason);
        // Code unit for code unit: QString::fromUtf16 would drop a leading byte order mark.
        box->insert(QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size())));
        const QString typed = box->text();
        program.click(screen, coefficient ? "Next_cmd" : "next_cmd");
        std::optional<double> stored;
        if (program.messages.isEmpty()) {
            stored = coefficient ? peremennye().matr_kopiya(1, 1).value() : peremennye().otvety_kopiya(1).value();
        } else {
            const QString refusal = coefficient ? "Не является числом коэффициент при Х1" : "Не является числом ответ в строке 1";
            if (program.messages.size() != 2 || program.messages[0].text != refusal || box->text() != typed
                || !program.window(screen))
                stored = std::nan("");  // a refusal of another kind: no row expects it
        }
        program.stop();
        return stored;
    }

private slots:
    void everyTextIsStoredExactlyOrRefusedInBothEntryScreens()
    {
        const int column = platform::regionalSettings().decimalSeparator == u"," ? 2 : 3;
        for (const DataRow& row : dataRows("number_texts.tsv")) {
            const auto expected = dataNumber(row.at(column));
            for (const bool coefficient : {true, false}) {
                const auto stored = enter(dataText(row[1]), coefficient);
                const QByteArray where = QByteArray::fromStdString(row[0]) + (coefficient ? " (coefficient)" : " (answer)");
                QVERIFY2(stored.has_value() == expected.has_value(), where);
                QVERIFY2(!stored || sameBits(*stored, *expected), where);
            }
        }
    }
};

QTEST_MAIN(NumberBoxesTest)
#include "number_boxes_test.moc"
