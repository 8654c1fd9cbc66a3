// Every window's captions and the names a screen reader says, from one table
// per window (tests/data/design); and every window shows all of its
// controls whole, at every count of unknowns, at the desktop's scale factor
// (run as is and with QT_SCALE_FACTOR=2).

#include <QAccessible>
#include <QFrame>
#include <QLabel>

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
                QCOMPARE(spoken(widget), field(row[2]));
        }
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
            // A rule drawn across a window may stand below its cut, as the window is designed.
            const auto* line = qobject_cast<QFrame*>(widget);
            if (!(line && (line->frameShape() == QFrame::HLine || line->frameShape() == QFrame::VLine)))
                QVERIFY2(form->rect().contains(widget->geometry()), qPrintable(where + " lies outside its window"));
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

private slots:
    void init() { program.start(); }
    void cleanup() { program.stop(); }

    // Each window's captions and names, and every control it shows whole:
    // the windows of the wizard at every count of unknowns.
    void everyWindowIsAsDesignedAndShowsItsControlsWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("n");
        for (const char* name : {"Baza_frm", "Exit_frm", "OProgramme_frm", "Spravka_frm", "Nachalo_frm", "Zadaniya_frm"})
            QTest::newRow(name) << QString(name) << 8;
        for (const char* name : {"Start_frm", "Start2_frm", "Rezultat_frm", "HodResheniya_frm", "Praktika_frm"}) {
            for (int n = 2; n <= 8; ++n)
                QTest::addRow("%s, %d unknowns", name, n) << QString(name) << n;
        }
    }

    void everyWindowIsAsDesignedAndShowsItsControlsWhole()
    {
        QFETCH(QString, name);
        QFETCH(int, n);
        const QByteArray objectName = name.toLatin1();
        platform::Form* form = program.walkTo(platform::WindowName(objectName.constData()), n);
        checkTable(form);
        checkShownWhole(form);
        // The windows sized to n end just below the last row in use: less
        // than half a row (24 pixels) of room under it.
        if (name == "Start_frm" || name == "Start2_frm" || name == "Rezultat_frm") {
            int lowest = 0;
            for (QWidget* widget : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (widget->isVisibleTo(form) && !qobject_cast<QFrame*>(widget) && !qobject_cast<QLabel*>(widget))
                    lowest = std::max(lowest, widget->geometry().bottom());
            }
            QVERIFY2(form->height() - lowest <= 12, qPrintable(QString("%1 rows below the last in use")
                                                                   .arg((form->height() - lowest) / 24.0)));
        }
    }
};

QTEST_MAIN(DesignTest)
#include "design_test.moc"
