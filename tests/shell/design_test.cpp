// Every window as designed, from one table per window (tests/data/design):
// captions, tool tips, geometry in twips, tab indices, fonts and the names a
// screen reader says. And every window shows all of its controls whole, at
// the desktop's scale factor (run as is and with QT_SCALE_FACTOR=2).

#include <QAccessible>
#include <QLabel>

#include "platform/tab_order.h"
#include "platform/twips.h"
#include "support/data_file.h"
#include "support/program_fixture.h"

class DesignTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    static QString spoken(QWidget* widget)
    {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible ? accessible->text(QAccessible::Name) : QString();
    }

    static QString caption(QWidget* widget)
    {
        if (auto* button = qobject_cast<QPushButton*>(widget))
            return button->text();
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        return widget->windowTitle();
    }

    static QString field(const std::string& text) { return QString::fromStdU16String(dataText(text)); }

    void checkTable(platform::Form* form)
    {
        QVERIFY(form);
        for (const DataRow& row : dataRows("design/" + form->objectName().toStdString() + ".tsv")) {
            QWidget* widget = row.at(0) == "window" ? form : form->findChild<QWidget*>(QString::fromStdString(row[0]));
            const QString where = form->objectName() + "." + QString::fromStdString(row[0]);
            QVERIFY2(widget, qPrintable(where + " is missing"));
            if (row.at(1) != "-")
                QCOMPARE(caption(widget), field(row[1]));
            if (row.at(2) != "-")
                QCOMPARE(widget->toolTip(), field(row[2]));
            if (row.at(3) != "-") {
                const QRect designed = platform::twipsRect(*dataNumber(row.at(3)), *dataNumber(row.at(4)),
                                                           *dataNumber(row.at(5)), *dataNumber(row.at(6)));
                QCOMPARE(widget == form ? QRect(QPoint(), form->size()) : widget->geometry(), designed);
            }
            if (row.at(7) != "-")
                QVERIFY2(form->tabOrder().tabIndex(widget) == std::stoi(row[7]), qPrintable(where + ": tab index"));
            if (row.at(8) != "-")
                QVERIFY2(widget->font().pointSizeF() == *dataNumber(row[8]), qPrintable(where + ": font size"));
            if (row.at(9) != "-")
                QCOMPARE(spoken(widget), field(row[9]));
        }
        checkShownWhole(form);
    }

    // Each control the window means to show lies inside it, each caption fits
    // its control, and each control that can take the focus has a name.
    static void checkShownWhole(platform::Form* form)
    {
        const double scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        QCOMPARE(form->grab().size(), (QSizeF(form->size()) * scale).toSize());
        for (QWidget* widget : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!widget->isVisibleTo(form))
                continue;
            const QString where = form->objectName() + "." + widget->objectName();
            // The rows of unknowns beyond n stand below the cut of the results window, as designed.
            if (form->rect().intersects(widget->geometry()))
                QVERIFY2(form->rect().contains(widget->geometry()), qPrintable(where + " lies partly outside its window"));
            if (widget->focusPolicy() != Qt::NoFocus && !widget->focusProxy())
                QVERIFY2(!spoken(widget).trimmed().isEmpty(), qPrintable(where + " has no name for a screen reader"));
            if (auto* button = qobject_cast<QPushButton*>(widget)) {
                const int text = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
                QVERIFY2(text + 8 <= button->width(), qPrintable(where + " is too narrow for its caption"));
            }
            if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
                const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->fontMetrics().height();
                QVERIFY2(needed <= label->height() + 2, qPrintable(where + " is too small for its text"));
                if (!label->wordWrap())
                    QVERIFY2(label->fontMetrics().horizontalAdvance(label->text().trimmed()) <= label->width(),
                             qPrintable(where + " is too narrow for its text"));
            }
        }
    }

    // Walks to the window as a user does; the wizard with eight unknowns,
    // every box in use.
    platform::Form* open(const QString& name)
    {
        if (name == "Exit_frm" || name == "OProgramme_frm")
            program.click(window::Baza_frm, name == "Exit_frm" ? "Exit_cmd" : "OProgr_cmd");
        if (name == "Spravka_frm")
            QTest::keyClick(program.window(window::Baza_frm), Qt::Key_F1);
        const QStringList wizard = {"Nachalo_frm", "Start_frm", "Start2_frm", "Rezultat_frm", "HodResheniya_frm"};
        const qsizetype step = wizard.indexOf(name);
        if (step >= 0)
            program.goToCount();
        if (step >= 1) {
            QTest::keyClick(program.box(window::Nachalo_frm, "Okno_txt"), Qt::Key_8);
            QTest::keyClick(program.focus(), Qt::Key_Return);
        }
        if (step >= 2) {
            QList<QStringList> rows;
            for (int i = 0; i < 8; ++i) {
                rows.append(QStringList(8, "1"));
                rows[i][i] = "10";
            }
            program.typeCoefficients(rows);
            program.click(window::Start_frm, "Next_cmd");
        }
        if (step >= 3) {
            program.typeAnswers({"0", "1", "2", "3", "4", "5", "6", "7"});
            program.click(window::Start2_frm, "next_cmd");
        }
        if (step >= 4 && program.activate(window::Rezultat_frm))
            QTest::keyClick(program.focus(), Qt::Key_F2);
        for (platform::Form* form : platform::windows().openWindows()) {
            if (form->objectName() == name)
                return form;
        }
        return nullptr;
    }

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    void everyWindowIsAsDesignedAndShowsItsControlsWhole_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Baza_frm", "Exit_frm", "OProgramme_frm", "Spravka_frm", "Nachalo_frm", "Start_frm",
                                 "Start2_frm", "Rezultat_frm", "HodResheniya_frm"})
            QTest::newRow(name) << QString(name);
    }

    void everyWindowIsAsDesignedAndShowsItsControlsWhole()
    {
        QFETCH(QString, name);
        checkTable(open(name));
    }
};

QTEST_MAIN(DesignTest)
#include "design_test.moc"
