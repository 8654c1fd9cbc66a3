#include <QLabel>

#include "support/program_fixture.h"

// Every window shows all of its controls whole, at the desktop's scale factor
// (run once as is and once with QT_SCALE_FACTOR=2): each control the window
// means to show lies inside it, and each caption fits its control.
class LayoutTest : public QObject {
    Q_OBJECT

    ProgramFixture program;

    // Result rows beyond n stand below the cut of the results window, as designed.
    static bool meantToShow(platform::Form* form, QWidget* widget)
    {
        return widget->isVisibleTo(form) && widget->parentWidget() == form;
    }

private slots:
    void controlsStayInsideTheirWindowsAndCaptionsFit()
    {
        const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
        QStringList visited;
        program.visitEveryWindow([&](platform::Form* form) {
            QVERIFY(form);
            visited.append(form->objectName());
            QCOMPARE(form->devicePixelRatioF(), scale);
            QCOMPARE(form->grab().size(), (QSizeF(form->size()) * scale).toSize());
            const QRect inside = form->rect();
            for (QWidget* widget : form->findChildren<QWidget*>()) {
                if (!meantToShow(form, widget))
                    continue;
                const QString where = form->objectName() + "." + widget->objectName();
                QVERIFY2(inside.contains(widget->geometry()), qPrintable(where + " lies outside its window"));
                if (auto* button = qobject_cast<QPushButton*>(widget)) {
                    const int text = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&'));
                    QVERIFY2(text + 8 <= button->width(), qPrintable(where + " is too narrow for its caption"));
                }
                if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
                    const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                         : label->fontMetrics().height();
                    QVERIFY2(needed <= label->height() + 2, qPrintable(where + " is too small for its text"));
                    if (!label->wordWrap())
                        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text().trimmed()) <= label->width(),
                                 qPrintable(where + " is too narrow for its text"));
                }
            }
        });
        QCOMPARE(visited.size(), 8);
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
