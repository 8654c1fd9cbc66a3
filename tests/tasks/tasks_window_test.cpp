#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "documents/task_set.h"
#include "platform/file_dialogs.h"
#include "platform/regional_settings.h"
#include "support/data_file.h"
#include "support/full_disk.h"
#include "support/pdf_text.h"
#include "support/program_fixture.h"

// Tasks for a class as a teacher makes them: F5 in the main window, the
// choices, a folder; the task sheet and the answer key read back, a
// variant's file opened by the program, the answers' table read by a
// spreadsheet with every number in its cell; bad choices told, nothing
// written where a file cannot be, files of the set replaced only when the
// teacher says so.
class TasksWindowTest : public QObject, public platform::FileDialogs {
    Q_OBJECT

    ProgramFixture program;
    QTemporaryDir scratch;
    QString folder;
    int foldersAsked = 0;

    QString fileToOpen(QWidget*, const QString&, const QStringList&) override { return {}; }
    QString fileToSave(QWidget*, const QString&, const QString&, const QStringList&, QString&) override { return {}; }
    QString folderToWrite(QWidget*, const QString&) override
    {
        ++foldersAsked;
        return folder;
    }

    static QString text(const std::u16string& words) { return QString::fromStdU16String(words); }

    static QStringList files(const QString& path) { return QDir(path).entryList(QDir::Files, QDir::Name); }

    void openAndChoose(const QString& n, const QString& count, const QString& number)
    {
        QVERIFY(program.activate(window::Baza_frm));
        QTest::keyClick(program.focus(), Qt::Key_F5);
        QVERIFY(program.activate(window::Zadaniya_frm));
        program.type(window::Zadaniya_frm, "Neizvestnye_txt", n);
        program.type(window::Zadaniya_frm, "Varianty_txt", count);
        program.type(window::Zadaniya_frm, "Nomer_txt", number);
    }

    void make() { program.click(window::Zadaniya_frm, "Sozdat_cmd"); }

private slots:
    void initTestCase() { platform::setFileDialogs(this); }
    void init()
    {
        program.start();
        folder = scratch.path() + "/" + QString::number(QRandomGenerator::global()->generate());
        QDir().mkpath(folder);
        foldersAsked = 0;
    }
    void cleanup() { program.stop(); }

    void aTeacherMakesASetAndEveryFileReadsBack()
    {
        openAndChoose("3", "4", "2026");
        program.window(window::Zadaniya_frm)->findChild<QCheckBox*>("Osobye_chk")->setChecked(true);
        program.window(window::Zadaniya_frm)->findChild<QComboBox*>("Reshenie_cmb")->setCurrentIndex(1);
        make();
        QCOMPARE(files(folder), QStringList({"Вариант 1, набор 2026.csv", "Вариант 2, набор 2026.csv",
                                             "Вариант 3, набор 2026.csv", "Вариант 4, набор 2026.csv",
                                             "Задания 2026.pdf", "Ответы 2026.csv", "Ответы 2026.pdf"}));
        QVERIFY(program.window(window::Zadaniya_frm)->findChild<QLabel*>("Itog_lbl")->text().startsWith("Готово"));
        tasks::Choices chosen{3, 4, tasks::Numbers::Whole, tasks::Numbers::OneDecimal, true, 2026};
        const std::vector<tasks::Variant> set = tasks::makeSet(chosen);
        const auto& format = platform::regionalSettings();

        const QString sheet = pdfText(folder + "/Задания 2026.pdf");
        QVERIFY2(sheet.contains("Реализация метода вращений. Задания, набор № 2026"), qPrintable(sheet));
        QVERIFY(sheet.contains("Решите систему линейных уравнений методом вращений."));
        for (const tasks::Variant& variant : set) {
            QVERIFY(sheet.contains(QString("Вариант %1").arg(variant.number)));
            for (const auto& equation : tasks::equations(variant, format))
                QVERIFY2(sheet.contains(text(equation)), qPrintable(text(equation)));
        }
        const QString key = pdfText(folder + "/Ответы 2026.pdf");
        for (const auto& line : tasks::answerKey(set, format))
            QVERIFY2(key.contains(text(line)), qPrintable(text(line)));

        // A variant's file opens in the program as its system.
        program.end();
        program.start(folder + "/Вариант 2, набор 2026.csv");
        const auto rows = tasks::systemRows(set[1], format);
        for (int i = 1; i <= 3; ++i) {
            for (int j = 1; j <= 3; ++j)
                QCOMPARE(program.box(window::Start_frm, program.cell(i, j))->text(), text(rows[i][j - 1]));
        }

        // The answers in a spreadsheet under the same settings: every number in its cell.
        QProcess ssconvert;
        ssconvert.start("ssconvert", {"-T", "Gnumeric_XmlIO:sax:0", folder + "/Ответы 2026.csv", folder + "/answers.gnumeric"});
        QVERIFY2(ssconvert.waitForFinished(60000) && ssconvert.exitCode() == 0, qPrintable(ssconvert.errorString()));
        QFile spreadsheet(folder + "/answers.gnumeric");
        QVERIFY(spreadsheet.open(QIODevice::ReadOnly));
        QStringList numbers;  // Gnumeric writes 1,6 as 1.60000000000000000002: read back, rounded
        for (QXmlStreamReader xml(&spreadsheet); !xml.atEnd();) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Cell"
                && xml.attributes().value("Row") != u"0")
                numbers.append(xml.attributes().value("ValueType") == u"40"
                                   ? QString::number(xml.readElementText().toDouble())
                                   : "text " + xml.readElementText());
        }
        QStringList expected;
        for (const tasks::Variant& variant : set) {
            expected.append(QString::number(variant.number));
            for (const int value : variant.x)
                expected.append(QString::number(value / 10.0));
        }
        QCOMPARE(numbers, expected);
    }

    void badChoicesAreToldAndNoFolderIsAsked()
    {
        for (const DataRow& bad : dataRows("bad_task_choices.tsv")) {
            openAndChoose(QString::fromStdString(bad.at(0)), QString::fromStdString(bad.at(1)),
                          QString::fromStdString(bad.at(2)));
            program.messages.clear();
            make();
            QCOMPARE(program.messages,
                     QStringList(QString("Задания для группы | %1 | information").arg(QString::fromStdString(bad.at(3)))));
            QCOMPARE(program.focusName(), QString("Zadaniya_frm.") + bad.at(4).c_str());
            QCOMPARE(foldersAsked, 0);
            program.click(window::Zadaniya_frm, "Zakryt_cmd");
        }
    }

    // No folder there, a disk that fills part way: told, and no file of the
    // set is left that was not there before. A set there already is
    // replaced only when the teacher says so.
    void nothingHalfWrittenIsLeftAndNothingIsReplacedUnasked()
    {
        openAndChoose("2", "3", "7");
        const QString wanted = folder;
        folder.clear();  // the folder dialog cancelled: nothing made, nothing said
        make();
        QVERIFY(program.messages.isEmpty() && !QFile::exists("Задания 7.pdf"));
        folder = wanted + "/нет такой папки";
        make();
        QCOMPARE(program.messages, QStringList("Задания для группы | Не удаётся сохранить файл «" + folder
                                               + "/Вариант 1, набор 7.csv»: такой папки нет. Прежний файл, если он "
                                                 "был, остался без изменений. | exclamation"));
        folder = wanted;
        program.messages.clear();

        // The systems are written, then the answer key does not fit.
        onAFullDisk(2000, [this] { make(); });
        QVERIFY2(program.messages.value(0).contains("Ответы 7.pdf"), qPrintable(program.messages.join('\n')));
        QCOMPARE(files(folder), QStringList());

        make();
        QCOMPARE(files(folder).size(), 6);
        QFile::resize(folder + "/Ответы 7.csv", 0);
        program.messages.clear();
        program.answerYes = false;
        make();
        QCOMPARE(program.messages.value(0),
                 QString("Задания для группы | В папке «%1» уже есть файлы этого набора: «Вариант 1, набор 7.csv», «Вариант 2, "
                         "набор 7.csv», «Вариант 3, набор 7.csv» и ещё 3. Заменить их? | question").arg(folder));
        QCOMPARE(QFileInfo(folder + "/Ответы 7.csv").size(), 0);
        program.answerYes = true;
        make();
        QVERIFY(QFileInfo(folder + "/Ответы 7.csv").size() > 0);
        // A set of the same number with fewer variants takes the others away.
        program.type(window::Zadaniya_frm, "Varianty_txt", "2");
        make();
        QCOMPARE(files(folder), QStringList({"Вариант 1, набор 7.csv", "Вариант 2, набор 7.csv", "Задания 7.pdf",
                                             "Ответы 7.csv", "Ответы 7.pdf"}));
    }
};

QTEST_MAIN(TasksWindowTest)
#include "tasks_window_test.moc"
