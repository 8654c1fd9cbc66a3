// A seeded random walk over the real windows: thousands of things a user can
// do, each followed by a check of what must always hold.
//
//   TESKORA_WALK_SEED=<n> TESKORA_WALK_STEPS=<n> random_walk_test
//
// replays a walk; a failing walk prints its seed and its last actions.

#include <deque>
#include <random>

#include <QPointer>

#include "support/data_file.h"
#include "support/program_fixture.h"

class RandomWalkTest : public QObject {
    Q_OBJECT

    ProgramFixture program;
    std::mt19937_64 random;
    std::deque<QString> actions;
    std::vector<QString> hostile;

    std::size_t pick(std::size_t count) { return static_cast<std::size_t>(random() % count); }

    template <class List>
    auto pickFrom(const List& list) { return list[static_cast<qsizetype>(pick(std::size_t(list.size())))]; }

    // The texts a user types: counts, numbers, and the short texts of the number table.
    QString randomText()
    {
        static const QStringList plain = {"2", "5", "8", "9", "1,5", "-2", "1E3", "x", "1.5", "", "1E308", "-1E308", "7"};
        return random() % 3 ? pickFrom(plain) : pickFrom(hostile);
    }

    static QList<QPushButton*> usableButtons(QWidget* window)
    {
        QList<QPushButton*> buttons;
        for (QPushButton* button : window->findChildren<QPushButton*>())
            if (button->isVisibleTo(window) && button->isEnabled())
                buttons.append(button);
        return buttons;
    }

    static QMap<QLineEdit*, QString> boxTexts()
    {
        QMap<QLineEdit*, QString> texts;
        for (platform::Form* form : platform::windows().openWindows())
            for (QLineEdit* box : form->findChildren<QLineEdit*>())
                texts.insert(box, box->text());
        return texts;
    }

    void record(const QString& action)
    {
        actions.push_back(action);
        if (actions.size() > 300)
            actions.pop_front();
    }

    // One thing a user can do in the window on top; gives the box it may have typed into.
    QLineEdit* act(platform::Form* top)
    {
        QWidget* focused = QApplication::focusWidget();
        QWidget* keys = focused && focused->window() == top ? focused : top;
        auto* box = qobject_cast<QLineEdit*>(keys);
        const QString where = top->objectName();
        const std::size_t kind = pick(100);
        // Most walkers asked whether to quit think better of it, so that the
        // walk goes deep into the solve rather than ending at every turn.
        if (window::Exit_frm == where && random() % 5 != 0) {
            record(where + ": click CancelButton");
            QTest::mouseClick(program.button(window::Exit_frm, "CancelButton"), Qt::LeftButton);
        } else if (kind < 30 && !usableButtons(top).isEmpty()) {
            QPushButton* button = pickFrom(usableButtons(top));
            record(where + ": click " + button->objectName());
            QTest::mouseClick(button, Qt::LeftButton);
        } else if (kind < 50 && box && !box->isReadOnly()) {
            const QString text = random() % 4 ? QString::number(int(pick(19)) - 9) : randomText();
            record(where + ": type '" + text.toHtmlEscaped() + "' into " + box->objectName());
            if (random() % 2)
                box->selectAll();
            ProgramFixture::typeKeys(box, text);
            return box;
        } else if (kind < 60) {
            QList<QLineEdit*> visible;
            for (QLineEdit* candidate : top->findChildren<QLineEdit*>())
                if (candidate->isVisibleTo(top) && top->rect().intersects(candidate->geometry()))
                    visible.append(candidate);
            if (!visible.isEmpty()) {
                QLineEdit* target = pickFrom(visible);
                record(where + ": click into " + target->objectName());
                QTest::mouseClick(target, Qt::LeftButton);
            }
        } else if (kind < 85) {
            static const Qt::Key named[] = {Qt::Key_Tab,  Qt::Key_Backtab,   Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape,
                                            Qt::Key_F1,   Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_5,     Qt::Key_9};
            const Qt::Key key = named[pick(std::size(named))];
            const bool keypad = key == Qt::Key_5 && random() % 2;
            record(where + ": key " + QKeySequence(key).toString() + (keypad ? " (keypad)" : "") + " on " + keys->objectName());
            QTest::keyClick(keys, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
            return box;
        } else if (kind < 88) {
            // Alt with an access key of the window, or with another letter.
            QString letters = QStringLiteral("ЛQ");
            for (QPushButton* button : usableButtons(top))
                if (const int amp = button->text().indexOf('&'); amp >= 0)
                    letters += button->text().at(amp + 1).toUpper();
            const QChar letter = pickFrom(letters);
            record(where + ": Alt+" + letter);
            QTest::sendKeyEvent(QTest::Click, keys, Qt::Key(letter.unicode()), QString(), Qt::AltModifier);
            // An access key presses its button with a short animation, which may close the window.
            const QPointer<QWidget> pressedIn = top;
            for (int wait = 0; wait < 40 && pressedIn
                               && std::ranges::any_of(pressedIn->findChildren<QPushButton*>(), &QPushButton::isDown);
                 ++wait)
                QTest::qWait(10);
        } else if (kind < 94) {
            record(where + ": close from the title bar");
            top->close();
        } else {
            platform::Form* other = pickFrom(platform::windows().openWindows());
            record("bring " + other->objectName() + " to the front");
            other->activateWindow();
        }
        return nullptr;
    }

    // What must hold after every action, or why it does not.
    static QString broken(const QMap<QLineEdit*, QString>& before, QLineEdit* typedInto, int errorsBefore)
    {
        if (platform::unhandledErrorCount() != errorsBefore)
            return "a run-time error reached no handler";
        if (QGuiApplication::overrideCursor())
            return "the hourglass stayed";
        const auto open = platform::windows().openWindows();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<platform::Form*>(widget);
            const bool isOpen = std::find(open.begin(), open.end(), form) != open.end();
            if (form && form->isVisible() != isOpen)
                return form->objectName() + (isOpen ? " is open but not shown" : " is shown but not open");
        }
        if (open.empty() && !platform::windows().ending())
            return "no window is shown";
        const Peremennye& state = peremennye();
        const bool counted = state.kol_neizv.size() == 1 && state.kol_neizv[0] >= u'2' && state.kol_neizv[0] <= u'8';
        for (const platform::WindowName wizard : {window::Start_frm, window::Start2_frm, window::Rezultat_frm})
            if (ProgramFixture::window(wizard) && !counted)
                return wizard.toString() + " is open without a count";
        if (ProgramFixture::window(window::Rezultat_frm) && !state.est_resh)
            return "results without a solution";
        // Nothing typed is lost while its window stays open.
        const auto after = boxTexts();
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            if (it.key() != typedInto && after.contains(it.key()) && after.value(it.key()) != it.value())
                return it.key()->window()->objectName() + "." + it.key()->objectName() + " changed from '" + it.value()
                       + "' to '" + after.value(it.key()) + "'";
        return QString();
    }

private slots:
    void randomUseNeverBreaksTheProgram()
    {
        const std::uint64_t requestedSeed = qEnvironmentVariable("TESKORA_WALK_SEED").toULongLong();
        const std::uint64_t seed = requestedSeed ? requestedSeed : 20261206;
        const int requestedSteps = qEnvironmentVariableIntValue("TESKORA_WALK_STEPS");
        const int steps = requestedSteps > 0 ? requestedSteps : 20000;
        random.seed(seed);
        for (const DataRow& row : dataRows("number_texts.tsv"))
            if (const auto text = dataText(row.at(1)); text.size() < 200)
                hostile.push_back(QString::fromStdU16String(text));
        program.start();
        for (int step = 0; step < steps; ++step) {
            if (platform::windows().ending()) {
                record("-- the program ended; a new run --");
                program.stop();
                program.start();
            }
            auto* active = qobject_cast<platform::Form*>(QApplication::activeWindow());
            const auto open = platform::windows().openWindows();
            platform::Form* top = std::find(open.begin(), open.end(), active) != open.end() ? active : open.back();
            const auto before = boxTexts();
            const int errorsBefore = platform::unhandledErrorCount();
            QLineEdit* typedInto = act(top);
            QApplication::processEvents();
            QApplication::processEvents();
            if (const QString problem = broken(before, typedInto, errorsBefore); !problem.isEmpty()) {
                QString report = QStringLiteral("seed %1, step %2: %3\nlast actions:\n").arg(seed).arg(step).arg(problem);
                for (const QString& action : actions)
                    report += "  " + action + "\n";
                QFAIL(qPrintable(report));
            }
        }
        program.stop();
    }
};

QTEST_MAIN(RandomWalkTest)
#include "random_walk_test.moc"
