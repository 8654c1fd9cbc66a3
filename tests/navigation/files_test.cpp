#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLocalServer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <sys/stat.h>

#include "platform/file_dialogs.h"
#include "platform/regional_settings.h"
#include "results/course_paper.h"
#include "solver/peremennye.h"
#include "support/data_file.h"
#include "support/full_disk.h"
#include "solver/yadro.h"
#include "support/pdf_text.h"
#include "support/program_fixture.h"

// Systems in files and the course on paper, as a user opens and saves them:
// Ctrl+O in every window that has it, the command line and a dropped file; a
// bad file reported with the window as it was; a save read back and opened
// again; the course as PDF, as text and through the print path. The file
// dialogs answer what a test has chosen.
class FilesTest : public QObject, public platform::FileDialogs {
    Q_OBJECT

    ProgramFixture program;
    QTemporaryDir folder;
    QString chosen, chosenFilter, startedIn;
    QLocalServer listening;  // a socket where a file is looked for
    QStringList filtersOffered;

    QString fileToOpen(QWidget*, const QString&, const QStringList& filters) override
    {
        filtersOffered = filters;
        return chosen;
    }
    QString fileToSave(QWidget*, const QString&, const QString&, const QStringList& filters, QString& filter) override
    {
        filtersOffered = filters;
        filter = chosenFilter.isEmpty() ? filters.value(0) : chosenFilter;
        return chosen;
    }
    QString folderToWrite(QWidget*, const QString&) override { return {}; }
    void startIn(const QString& folder) override { startedIn = folder; }

    // A number under the settings of the run: "1,5" or "1.5".
    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile out(folder.filePath(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return out.fileName();
    }

    static QByteArray read(const QString& path)
    {
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        return in.readAll();
    }

    static QStringList boxes(platform::WindowName name, std::initializer_list<int> indices)
    {
        QStringList texts;
        for (const int k : indices)
            texts.append(ProgramFixture::box(name, QStringLiteral("Text1(%1)").arg(k))->text());
        return texts;
    }

    // The first page's words, as pdftotext places them, in points.
    static QString wordBoxes(const QString& path) { return pdfText(path, {"-bbox", "-f", "1", "-l", "1"}); }

    // The first page's size.
    static QRectF pageOf(const QString& path)
    {
        const auto page = QRegularExpression("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\"").match(wordBoxes(path));
        return QRectF(0, 0, page.captured(1).toDouble(), page.captured(2).toDouble());
    }

    // The rectangle that holds every word of the first page.
    static QRectF inkOf(const QString& path)
    {
        QRectF ink;
        const QRegularExpression word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\"");
        for (auto match = word.globalMatch(wordBoxes(path)); match.hasNext();) {
            const auto box = match.next();
            ink |= QRectF(QPointF(box.captured(1).toDouble(), box.captured(2).toDouble()),
                          QPointF(box.captured(3).toDouble(), box.captured(4).toDouble()));
        }
        return ink;
    }

private slots:
    void initTestCase() { platform::setFileDialogs(this); }
    void cleanupTestCase() { platform::setFileDialogs(nullptr); }
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void ctrlOInEveryWindowThatHasItOpensTheGridFilled_data()
    {
        QTest::addColumn<int>("step");
        int step = 0;
        for (const char* where : {"the main window", "the count step", "the grid, a value typed",
                                  "the right-hand sides, a value typed", "the results"})
            QTest::newRow(where) << step++;
    }

    void ctrlOInEveryWindowThatHasItOpensTheGridFilled()
    {
        QFETCH(int, step);
        if (step == 1)
            program.goToCount();
        if (step == 2 || step == 3)
            program.goToCoefficients(3);
        if (step == 3) {
            program.typeCoefficients({{"1", "0", "0"}, {"0", "1", "0"}, {"0", "0", "1"}});
            program.click(window::Start_frm, "Next_cmd");
            program.type(window::Start2_frm, program.answer(1), "7");
        }
        if (step == 4) {
            program.solve({{"1", "0"}, {"0", "1"}}, {"1", "2"});
            QVERIFY(program.activate(window::Rezultat_frm));
        }
        chosen = file("system.csv", local("1,5;-2;3\n4;5;-6,25\n").toUtf8());
        QTest::keyClick(program.focus(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(filtersOffered, QStringList({"Системы уравнений (*.csv *.tsv *.txt)", "Все файлы (*)"}));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        QCOMPARE(boxes(window::Start_frm, {0, 1, 8, 9}), QStringList({local("1,5"), "-2", "4", "5"}));
        QVERIFY(!program.box(window::Start_frm, "Text1(2)")->isVisibleTo(program.window(window::Start_frm)));
        QVERIFY(program.activate(window::Start_frm));
        QCOMPARE(program.focusName(), ProgramFixture::at(window::Start_frm, "Text1(0)"));
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(boxes(window::Start2_frm, {0, 1}), QStringList({"3", local("-6,25")}));
        QVERIFY(program.messages.isEmpty());
    }

    // A file another program wrote, read otherwise than as written: the grid
    // says how under its boxes, and grows to show it whole. Each note as the
    // settings' own mark «%1» and the other «%2» make it.
    void aFileReadOtherwiseThanWrittenIsToldInTheGrid_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("point");  // the note under settings with a decimal point
        QTest::addColumn<QString>("comma");  // and with a decimal comma
        for (const DataRow& row : dataRows("file_notes.tsv")) {
            QTest::newRow(row.at(0).c_str()) << QByteArray::fromStdString(dataBytes(row.at(1)))
                                             << QString::fromStdString(row.at(2)) << QString::fromStdString(row.at(3));
        }
    }

    void aFileReadOtherwiseThanWrittenIsToldInTheGrid()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, point);
        QFETCH(QString, comma);
        chosen = file("exported.csv", bytes);
        QTest::keyClick(program.focus(), Qt::Key_O, Qt::ControlModifier);
        platform::Form* grid = program.window(window::Start_frm);
        QVERIFY(grid);
        const QString own = QString::fromStdU16String(platform::regionalSettings().decimalSeparator);
        const QString note = (own == "," ? comma : point).arg(own, own == "," ? "." : ",");
        const auto* notice = grid->findChild<QLabel*>("Zametka_lbl");
        QCOMPARE(notice->isVisibleTo(grid), !note.isEmpty());
        QCOMPARE(notice->text(), note);
        if (!note.isEmpty()) {
            QVERIFY(grid->rect().contains(notice->geometry()));
            QVERIFY(notice->height() >= notice->heightForWidth(notice->width()));
        }
        QVERIFY(program.messages.isEmpty());
    }

    void aBadFileIsReportedAndNothingTypedIsLost_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        for (const DataRow& row : dataRows("bad_system_files.tsv"))
            QTest::newRow(row.at(0).c_str()) << QByteArray::fromStdString(row.at(1)) << QString::fromStdString(row.at(2));
    }

    void aBadFileIsReportedAndNothingTypedIsLost()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        program.goToCoefficients(2);
        program.type(window::Start_frm, program.cell(1, 1), "7");
        const QString name = QTest::currentDataTag() + QString(".csv");
        chosen = folder.filePath(name);
        if (bytes == "folder")
            QDir(folder.path()).mkdir(name);
        else if (bytes == "fifo")
            QVERIFY(mkfifo(QFile::encodeName(chosen).constData(), 0600) == 0);
        else if (bytes == "loop")
            QVERIFY(QFile::link(chosen, chosen));
        else if (bytes == "device")
            chosen = "/dev/null";
        else if (bytes == "long name")
            chosen = folder.filePath(QString(300, 'x') + ".csv");
        else if (bytes == "socket")
            QVERIFY(listening.listen(chosen));
        else if (bytes == "large")
            file(name, QByteArray(1024 * 1024 + 1, '1'));
        else if (bytes != "missing")
            file(name, QByteArray::fromStdString(dataBytes(bytes.toStdString())));
        QTest::keyClick(program.focus(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(program.messages, QStringList("Открытие системы уравнений | " + message.arg("«" + chosen + "»")
                                               + " | exclamation"));
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        QCOMPARE(program.box(window::Start_frm, program.cell(1, 1))->text(), QString("7"));
    }

    // Saved from the results, then opened: the boxes as they were typed.
    // Each value as typed, but for its digit groups, which no other settings read.
    void aSystemSavedOpensAsItWasTyped()
    {
        const bool comma = local(",") == ",";
        program.solve({{local("1,5"), comma ? "-1 234" : "-1,234"}, {"1E3", local("0,25")}}, {"3", local("-0,5")});
        chosen = folder.filePath("saved");  // the type's ending is added
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(QString::fromUtf8(read(chosen + ".csv")), comma ? "Х1,Х2,b\n\"1,5\",-1234,3\n1E3,\"0,25\",\"-0,5\"\n"
                                                                 : "Х1,Х2,b\n1.5,-1234,3\n1E3,0.25,-0.5\n");
        program.click(window::Rezultat_frm, "NaBazu_cmd");
        chosen += ".csv";
        QTest::keyClick(program.focus(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(boxes(window::Start_frm, {0, 1, 8, 9}), QStringList({local("1,5"), "-1234", "1E3", local("0,25")}));
        QVERIFY(!program.window(window::Start_frm)->findChild<QLabel*>("Zametka_lbl")->isVisibleTo(program.window(window::Start_frm)));
        program.click(window::Start_frm, "Next_cmd");
        QCOMPARE(boxes(window::Start2_frm, {0, 1}), QStringList({"3", local("-0,5")}));
        // From the right-hand sides as typed, with tabs where the name's
        // ending asks for them (.tsv, .txt, .tab, in either case): a text
        // that is no number stays as it is.
        program.type(window::Start2_frm, program.answer(2), "x;\"y\"");
        for (const char* name : {"saved.tsv", "saved.TXT", "saved.tab"}) {
            chosen = folder.filePath(name);
            QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(QString::fromUtf8(read(chosen)), local("Х1\tХ2\tb\n1,5\t-1234\t3\n1E3\t0,25\t\"x;\"\"y\"\"\"\n"));
        }
    }

    // What a spreadsheet makes of a saved system: Gnumeric under the same
    // settings reads every value into a cell of its own as a number.
    void aSavedSystemOpensInASpreadsheetWithItsNumbers()
    {
        program.solve({{local("1,5"), local("0,25")}, {local("-0,125"), "3"}}, {"-1", local("4,5")});
        chosen = folder.filePath("spreadsheet.csv");
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QProcess ssconvert;
        ssconvert.start("ssconvert", {"-T", "Gnumeric_XmlIO:sax:0", chosen, folder.filePath("spreadsheet.gnumeric")});
        QVERIFY2(ssconvert.waitForFinished(60000) && ssconvert.exitCode() == 0, qPrintable(ssconvert.errorString()));
        QFile sheet(folder.filePath("spreadsheet.gnumeric"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        QStringList cells;
        for (QXmlStreamReader xml(&sheet); !xml.atEnd();) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Cell") {
                const QString type = xml.attributes().value("ValueType").toString();
                cells.append(QString("%1:%2").arg(type == "40" ? "number" : "text", xml.readElementText()));
            }
        }
        QCOMPARE(cells, QStringList({"text:Х1", "text:Х2", "text:b", "number:1.5", "number:0.25", "number:-1",
                                     "number:-0.125", "number:3", "number:4.5"}));
    }

    // Run as a user without the right to write into the folder (as root,
    // who may write anywhere, it is skipped: ctest runs it again as nobody).
    void aSaveThatCannotBeWrittenLeavesTheOldFileWhole()
    {
        chosen = file("kept.csv", "1;2\n3;4\n");
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        const bool writable = QFile(folder.filePath("probe")).open(QIODevice::WriteOnly);
        program.solve({{"1", "0"}, {"0", "1"}}, {"5", "6"});
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (writable)
            QSKIP("this user may write into any folder");
        QCOMPARE(program.messages, QStringList("Сохранение системы уравнений | Не удаётся сохранить файл «" + chosen
                                               + "»: нет прав на запись в эту папку. Прежний файл, если он был, "
                                                 "остался без изменений. | exclamation"));
        QCOMPARE(read(chosen), QByteArray("1;2\n3;4\n"));
    }

    // A write that fails part way, as on a full disk (here past a file-size
    // limit, which needs no root), and small enough to fit the buffers of
    // the toolkit: the message, and the old file byte for byte.
    void aSaveThatFailsPartWayLeavesTheOldFileWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a system, from the results") << "kept.csv";
        QTest::newRow("the course as text") << "kept.txt";
        QTest::newRow("the course as PDF") << "kept.pdf";
    }

    void aSaveThatFailsPartWayLeavesTheOldFileWhole()
    {
        QFETCH(QString, name);
        const QByteArray old = "the old file, which must stay as it is\n";
        QDir(folder.path()).mkdir(QTest::currentDataTag());
        chosen = file(QTest::currentDataTag() + QString("/") + name, old);
        program.solve({{"1", "0"}, {"0", "1"}}, {"5", "6"});
        if (!name.endsWith(".csv")) {
            QVERIFY(program.activate(window::Rezultat_frm));
            QTest::keyClick(program.focus(), Qt::Key_F2);
            QVERIFY(program.activate(window::HodResheniya_frm));
        }
        onAFullDisk(4, [] { QTest::keyClick(ProgramFixture::focus(), Qt::Key_S, Qt::ControlModifier); });
        const QString title = name.endsWith(".csv") ? "Сохранение системы уравнений" : "Сохранение хода решения";
        QCOMPARE(program.messages, QStringList(title + " | Не удаётся сохранить файл «" + chosen + "»: запись не "
                                               "удалась (возможно, на диске нет места). Прежний файл, если он был, "
                                               "остался без изменений. | exclamation"));
        QCOMPARE(read(chosen), old);
        QCOMPARE(QFileInfo(chosen).dir().entryList(QDir::Files), QStringList(name));
    }

    // A file the user may not read, named so (as root, who may read
    // anything, it is skipped: ctest runs it again as nobody).
    void aFileThatMayNotBeReadIsNamedSo()
    {
        chosen = file("secret.csv", "1;2\n3;4\n");
        QFile::setPermissions(chosen, QFileDevice::Permissions());
        // Whether this user may read it, asked of the system, not of the program.
        if (QFile(chosen).open(QIODevice::ReadOnly))
            QSKIP("this user may read any file");
        QTest::keyClick(program.focus(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(program.messages, QStringList("Открытие системы уравнений | Файл «" + chosen
                                               + "» не удаётся прочитать: нет прав на чтение. | exclamation"));
    }

    // A dialog cancelled leaves everything as it was.
    void cancellingTheDialogChangesNothing()
    {
        program.goToCoefficients(2);
        program.type(window::Start_frm, program.cell(1, 1), "7");
        chosen.clear();
        QTest::keyClick(program.focus(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        QCOMPARE(program.box(window::Start_frm, program.cell(1, 1))->text(), QString("7"));
        program.typeCoefficients({{"7", "0"}, {"0", "1"}});
        program.click(window::Start_frm, "Next_cmd");
        const QStringList files = QDir(folder.path()).entryList(QDir::Files);
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), files);
        QVERIFY(program.messages.isEmpty());
    }

    void aFileDroppedOnAWindowOrTheCommandLineOpensTheGrid()
    {
        const QString path = file("dropped.txt", "1\t2\r\n3\t4\r\n");
        QMimeData text;  // a text dragged from elsewhere is no file: the window leaves it
        text.setText("1;2");
        platform::Form* main = program.window(window::Baza_frm);
        QDragEnterEvent textEnter(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main, &textEnter);
        QVERIFY(!textEnter.isAccepted());
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main, &drop);
        QCOMPARE(boxes(window::Start_frm, {0, 1, 8, 9}), QStringList({"1", "2", "3", "4"}));
        QCOMPARE(startedIn, folder.path());  // the next dialog opens where the file was
        program.stop();
        program.start(path);
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Start_frm}));
        program.stop();
        program.start(folder.filePath("missing.csv"));  // reported, and the program starts as usual
        QCOMPARE(program.openWindows(), ProgramFixture::names({window::Baza_frm}));
        QCOMPARE(program.messages.size(), 1);
    }

    // On paper a row of eight unknowns stands on one line (the page turned
    // across), and a page break never cuts a paragraph: each page after the
    // first opens with the heading of a part of the course.
    void aLongCourseOnPaperKeepsItsRowsAndParagraphsWhole()
    {
        const QList<QStringList> a = {
            {"10,5", "0,333333333333333", "-1,5E-300", "2", "0", "1", "0,125", "-3"},
            {"1", "-12,75", "3", "0,1", "4", "0,5", "1", "2,25"},
            {"1", "1", "9,125", "1", "-1", "1", "1", "2"},
            {"2", "0", "2", "15,5", "2", "2", "3", "-2"},
            {"1", "0", "0", "1E-05", "8", "0", "0", "0"},
            {"0", "1", "0", "0", "0", "-11", "0", "15000000000"},
            {"7", "0", "0,7", "7", "0", "0", "20,25", "7"},
            {"0,5", "1", "1", "1", "1", "1", "1", "-9,875"}};
        QList<QStringList> rows;
        for (const QStringList& row : a) {
            rows.append(QStringList());
            for (const QString& cell : row)
                rows.back().append(local(cell));
        }
        program.solve(rows, {"1", "2", "3", "4", "5", "6", "7", "8"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QVERIFY(program.activate(window::HodResheniya_frm));
        chosen = folder.filePath("eight.pdf");
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        const QStringList pages = pdfText(chosen).split('\f', Qt::SkipEmptyParts);
        QVERIFY2(pages.size() > 2, qPrintable(QString::number(pages.size())));
        // Its rows of eight long values would not stand on an upright page: it is turned across.
        QVERIFY(pageOf(chosen).width() > pageOf(chosen).height());
        const QString firstRow = pages[0].split('\n').filter(QRegularExpression("^\\s*ур. 1 ")).value(0);
        QCOMPARE(firstRow.simplified(), "ур. 1 " + rows[0].join(' ') + " 1");
        const QRegularExpression opening("^(Вращение \\(|Матрица после|Прямая подстановка|Обратные вращения|Неизвестные|Проверка)");
        for (int k = 1; k < pages.size(); ++k) {
            QStringList text = pages[k].split('\n');
            text.removeIf([](const QString& line) { return line.simplified().isEmpty(); });
            QVERIFY2(text.size() > 1 && opening.match(text[1].simplified()).hasMatch(),
                     qPrintable(QString("page %1 opens with: %2").arg(k + 1).arg(text.value(1))));
        }
        // The steps on paper: each heading on the page of the step's last words.
        QTest::keyClick(program.focus(), Qt::Key_Tab, Qt::ControlModifier);
        chosen = folder.filePath("steps.pdf");
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        const QString stepsText = pdfText(chosen, {});
        // The words are broken between words only: never a number at its decimal comma.
        if (local(",") == ",")
            QVERIFY2(!stepsText.contains(QRegularExpression("\\d,\\n\\d")), qPrintable(stepsText));
        QStringList stepPages = stepsText.split('\f', Qt::SkipEmptyParts);
        for (QString& page : stepPages)
            page = page.simplified();
        const auto steps = stepsOfSolve(*lastSolve(), platform::regionalSettings());
        QVERIFY(stepPages.size() > 10 && stepPages.last().contains(QString("Страница %1 из %1").arg(stepPages.size())));
        for (std::size_t k = 0; k < steps.size(); ++k) {
            const QString heading = QString("Шаг %1 из %2: ").arg(k + 1).arg(steps.size())
                                    + QString::fromStdU16String(steps[k].title);
            const QString last = QString::fromStdU16String(steps[k].text.back()).section(' ', 0, 2);
            const auto page = std::find_if(stepPages.begin(), stepPages.end(),
                                           [&](const QString& text) { return text.contains(heading + " "); });
            QVERIFY2(page != stepPages.end() && page->indexOf(last, page->indexOf(heading)) > 0,
                     qPrintable(heading + " / " + last));
        }
    }

    // The course is shown, saved and printed from the solve's document: the
    // kernel solves nothing more for it, whatever the view and the digits.
    void theCourseIsShownSavedAndPrintedWithoutSolvingAgain()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        const std::size_t solved = solvesBegun();
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        QVERIFY(program.activate(window::HodResheniya_frm));
        for (const char* name : {"course.pdf", "course.txt"}) {
            chosen = folder.filePath(name);
            QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(program.focus(), Qt::Key_Tab, Qt::ControlModifier);
        }
        auto* digits = program.window(window::HodResheniya_frm)->findChild<QComboBox*>("Tsifry_cmb");
        digits->setCurrentIndex(digits->count() - 1);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("printed.pdf"));
        QVERIFY(printSteps(printer, stepsOfSolve(*lastSolve(), platform::regionalSettings()), QDate::currentDate(),
                           "Печать хода решения"));
        QTest::keyClick(program.focus(), Qt::Key_Escape);
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2, Qt::ShiftModifier);
        QVERIFY(QFileInfo(folder.filePath("course.pdf")).size() > 0 && QFileInfo(folder.filePath("course.txt")).size() > 0);
        QCOMPARE(solvesBegun(), solved);
    }

    void theCourseIsSavedAsPdfOrTextAndPrintsToAPdfFile()
    {
        program.solve({{"3", "4"}, {"1", "2"}}, {"7", "3"});
        QVERIFY(program.activate(window::Rezultat_frm));
        QTest::keyClick(program.focus(), Qt::Key_F2);
        const QString course = program.window(window::HodResheniya_frm)->findChild<QPlainTextEdit*>()->toPlainText();
        chosen = folder.filePath("course.pdf");
        program.click(window::HodResheniya_frm, "Sokhranit_cmd");
        const QString saved = pdfText(chosen).simplified();
        const QString date = QLocale(QLocale::Russian).toString(QDate::currentDate(), "d MMMM yyyy");
        QVERIFY2(saved.startsWith("Реализация метода вращений. Ход решения " + date), qPrintable(saved));
        QVERIFY2(saved.contains(course.simplified()), qPrintable(saved));
        QVERIFY(saved.endsWith("Страница 1 из 1"));

        // Printed into a PDF file, as the print dialog leaves the printer:
        // the same pages. Each on A4 within its margins, 20 mm at the left
        // and 15 mm round the rest, the text reaching the left one.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("printed.pdf"));
        QVERIFY(printCourse(printer, course.split('\n'), QDate::currentDate(), "Печать хода решения"));
        QCOMPARE(pdfText(printer.outputFileName()).simplified(), saved);
        for (const QString& pdf : {chosen, printer.outputFileName()}) {
            const QRectF page = pageOf(pdf), text = inkOf(pdf);
            QVERIFY2(std::abs(page.width() - 595.3) < 1 && std::abs(page.height() - 841.9) < 1, qPrintable(pdf));
            const double millimetre = 72 / 25.4;
            QVERIFY2(std::abs(text.left() - 20 * millimetre) < 2, qPrintable(QString("%1: left %2").arg(pdf).arg(text.left())));
            QVERIFY2(text.top() >= 15 * millimetre && text.right() <= page.width() - 15 * millimetre
                         && text.bottom() <= page.height() - 15 * millimetre,
                     qPrintable(QString("%1: text at %2, %3, %4").arg(pdf).arg(text.top()).arg(text.right()).arg(text.bottom())));
        }

        // A print into a PDF file that fails part way leaves the old file
        // whole, and says so.
        const QByteArray printedBefore = read(printer.outputFileName());
        const bool printed = onAFullDisk(
            4, [&] { return printCourse(printer, course.split('\n'), QDate::currentDate(), "Печать хода решения"); });
        QVERIFY(!printed);
        QCOMPARE(program.messages.value(0).section(" | ", 0, 0), QString("Печать хода решения"));
        QCOMPARE(read(printer.outputFileName()), printedBefore);
        program.messages.clear();

        // The type chosen gives the ending a name lacks; an ending given wins.
        chosen = folder.filePath("course");
        chosenFilter = "Текст (*.txt)";
        QVERIFY(program.activate(window::HodResheniya_frm));
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(QString::fromUtf8(read(chosen + ".txt")), course + "\n");
        chosen = folder.filePath("notes.txt");
        chosenFilter = "Документ PDF (*.pdf)";
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(QString::fromUtf8(read(chosen)), course + "\n");
        chosen = folder.filePath("course2");
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(read(chosen + ".pdf").startsWith("%PDF"));
        // The steps as text: each step's heading and words.
        QTest::keyClick(program.focus(), Qt::Key_Tab, Qt::ControlModifier);
        chosen = folder.filePath("steps.txt");
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        const QString steps = QString::fromUtf8(read(chosen));
        QVERIFY2(steps.startsWith("Шаг 1 из 6: Система, как она введена\nСистема, как она введена: неизвестных 2;")
                     && steps.contains("\n\nШаг 2 из 6: Вращение (1,2)\nВращение (1,2): |d| ≥ |e|, m = e/d.\n")
                     && steps.endsWith(local("Погрешность вычислений (%): 0,000000000000027491236800242\n")),
                 qPrintable(steps));
        QTest::keyClick(program.focus(), Qt::Key_Tab, Qt::ControlModifier);
        chosenFilter.clear();
        const QStringList files = QDir(folder.path()).entryList(QDir::Files);
        chosen.clear();  // cancelled
        QTest::keyClick(program.focus(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), files);
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
