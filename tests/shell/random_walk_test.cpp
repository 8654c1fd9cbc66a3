// A seeded random walk over the real windows: thousands of things a user can
// do, each followed by a check of what must always hold.
//
//   TESKORA_WALK_SEED=<n> TESKORA_WALK_STEPS=<n> random_walk_test
//
// replays a walk; a failing walk prints its seed and its last actions.

#include <deque>
#include <random>
#include <set>

#include <QGuiApplication>
#include <QLabel>
#include <QPointer>

#include "support/hostile_texts.h"
#include "support/program_fixture.h"

namespace {

std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback)
{
    bool ok = false;
    const std::uint64_t value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

}  // namespace

class RandomWalkTest : public QObject {
    Q_OBJECT

    ProgramFixture program;
    std::mt19937_64 random;
    std::deque<QString> actions;
    std::uint64_t seed = 0;
    int runs = 0;
    QMap<QString, int> visits;

    std::size_t pick(std::size_t count) { return static_cast<std::size_t>(random() % count); }

    // The texts a user types: counts, numbers, and the hostile ones that are short.
    QString randomText()
    {
        static const QStringList plain = {"2", "3", "5", "8", "9", "1", "0", "1,5", "-2", "1E3", "0,001", "x", "1.5",
                                          "", " ", "1E308", "-1E308", "1E-300", "100", "7"};
        if (random() % 3 == 0) {
            const auto& rows = hostileTexts();
            const auto& row = rows[pick(rows.size())];
            if (row.text.size() < 200)
                return QString(reinterpret_cast<const QChar*>(row.text.data()), qsizetype(row.text.size()));
        }
        return plain[qsizetype(pick(std::size_t(plain.size())))];
    }

    platform::Form* topWindow()
    {
        auto* active = qobject_cast<platform::Form*>(QApplication::activeWindow());
        const auto open = platform::windows().openWindows();
        if (active && std::find(open.begin(), open.end(), active) != open.end())
            return active;
        return open.empty() ? nullptr : open.back();
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

    // One thing a user can do in the window on top; gives the boxes it may have changed.
    using Boxes = QSet<QLineEdit*>;
    Boxes act(platform::Form* top)
    {
        QWidget* focused = QApplication::focusWidget();
        auto* focusedBox = qobject_cast<QLineEdit*>(focused);
        if (focused && focused->window() != top)
            focused = nullptr;
        QWidget* keys = focused ? focused : top;
        const std::size_t kind = pick(100);
        const QString where = top->objectName();

        // Most walkers asked whether to quit think better of it, so that the
        // walk goes deep into the solve rather than ending at every turn.
        if (where == window::Exit_frm.toString() && random() % 5 != 0) {
            record(where + ": click CancelButton");
            QTest::mouseClick(ProgramFixture::button(window::Exit_frm, "CancelButton"), Qt::LeftButton);
            return {};
        }

        if (kind < 30) {
            const auto buttons = usableButtons(top);
            if (!buttons.isEmpty()) {
                QPushButton* button = buttons[qsizetype(pick(std::size_t(buttons.size())))];
                record(where + ": click " + button->objectName());
                QTest::mouseClick(button, Qt::LeftButton);
                return {};
            }
        }
        if (kind < 33 && (where == window::Start_frm.toString() || where == window::Start2_frm.toString())) {
            // A user who types the whole grid or column, mostly with numbers.
            record(where + ": type into every box");
            Boxes typed;
            for (QLineEdit* box : top->findChildren<QLineEdit*>()) {
                if (!box->isVisibleTo(top))
                    continue;
                box->setFocus(Qt::MouseFocusReason);
                box->selectAll();
                ProgramFixture::typeKeys(box, random() % 20 ? QString::number(int(pick(19)) - 9) : randomText());
                typed.insert(box);
            }
            return typed;
        }
        if (kind < 50) {
            if (focusedBox && !focusedBox->isReadOnly()) {
                const QString text = randomText();
                record(where + ": type '" + text.toHtmlEscaped() + "' into " + focusedBox->objectName());
                if (random() % 2)
                    focusedBox->selectAll();
                ProgramFixture::typeKeys(focusedBox, text);
                return {focusedBox};
            }
            // Click into a box first, as a user does.
            const auto boxes = top->findChildren<QLineEdit*>();
            QList<QLineEdit*> visible;
            for (QLineEdit* box : boxes)
                if (box->isVisibleTo(top) && top->rect().intersects(box->geometry()))
                    visible.append(box);
            if (!visible.isEmpty()) {
                QLineEdit* box = visible[qsizetype(pick(std::size_t(visible.size())))];
                record(where + ": click into " + box->objectName());
                QTest::mouseClick(box, Qt::LeftButton);
                return {};
            }
        }
        if (kind < 80) {
            static const Qt::Key named[] = {Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Return,    Qt::Key_Space,
                                            Qt::Key_Escape, Qt::Key_F1,      Qt::Key_Backspace, Qt::Key_Delete,
                                            Qt::Key_5,      Qt::Key_9};
            const Qt::Key key = named[pick(std::size(named))];
            const bool keypad = key == Qt::Key_5 && random() % 2;
            record(where + ": key " + QKeySequence(key).toString() + (keypad ? " (keypad)" : "") + " on "
                   + keys->objectName());
            QTest::keyClick(keys, key, keypad ? Qt::KeypadModifier : Qt::NoModifier);
            if (auto* box = qobject_cast<QLineEdit*>(keys))
                return {box};
            return {};
        }
        if (kind < 82) {
            // Alt with an access key of the window, or with another letter.
            QString letters = QStringLiteral("ЛQ");
            for (QPushButton* button : usableButtons(top)) {
                const int amp = button->text().indexOf('&');
                if (amp >= 0 && amp + 1 < button->text().size())
                    letters += button->text().at(amp + 1).toUpper();
            }
            const QChar letter = letters.at(qsizetype(pick(std::size_t(letters.size()))));
            record(where + ": Alt+" + letter);
            QTest::sendKeyEvent(QTest::Click, keys, Qt::Key(letter.unicode()), QString(), Qt::AltModifier);
            // An access key presses its button with a short animation.
            const QPointer<QWidget> pressedIn = top;  // the press may close it
            const auto down = [pressedIn] {
                if (!pressedIn)
                    return false;
                const auto buttons = pressedIn->findChildren<QPushButton*>();
                return std::any_of(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isDown(); });
            };
            for (int wait = 0; wait < 40 && down(); ++wait)
                QTest::qWait(10);
            return {};
        }
        if (kind < 88) {
            record(where + ": close from the title bar");
            top->close();
            return {};
        }
        if (kind < 94) {
            const auto open = platform::windows().openWindows();
            platform::Form* other = open[pick(open.size())];
            record("bring " + other->objectName() + " to the front");
            other->activateWindow();
            return {};
        }
        record(where + ": nothing");
        return {};
    }

    QString broken(const QMap<QLineEdit*, QString>& before, const Boxes& changed, int errorsBefore)
    {
        if (platform::unhandledErrorCount() != errorsBefore)
            return "a run-time error reached no handler";
        if (QGuiApplication::overrideCursor())
            return "the hourglass stayed";
        const auto open = platform::windows().openWindows();
        std::set<QString> names;
        for (platform::Form* form : open) {
            if (!names.insert(form->objectName()).second)
                return form->objectName() + " exists twice";
            if (!form->isVisible())
                return form->objectName() + " is open but not shown";
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* form = qobject_cast<platform::Form*>(widget);
            if (form && form->isVisible() && std::find(open.begin(), open.end(), form) == open.end())
                return form->objectName() + " is shown but not open";
        }
        if (platform::windows().ending())
            return open.empty() ? QString() : "windows left after the end";
        if (open.empty())
            return "no window is shown";

        const Peremennye& state = peremennye();
        const bool counted = state.kol_neizv.size() == 1 && state.kol_neizv[0] >= u'2' && state.kol_neizv[0] <= u'8';
        if (!state.kol_neizv.empty() && !counted)
            return "kol_neizv holds no count from 2 to 8";
        for (const platform::WindowName wizard : {window::Start_frm, window::Start2_frm, window::Rezultat_frm})
            if (ProgramFixture::window(wizard) && !counted)
                return wizard.toString() + " is open without a count";
        if (state.tochnost != 0.0 && state.tochnost != 1E-07)
            return "tochnost changed";
        if (ProgramFixture::window(window::Rezultat_frm)) {
            if (!state.est_resh)
                return "results without a solution";
            for (int j = 1; j <= state.kol_neizv[0] - u'0'; ++j)
                if (!std::isfinite(state.x_resh(j).value()))
                    return "a result that is not finite";
        }
        // Nothing typed is lost while its window stays open.
        const auto after = boxTexts();
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (!changed.contains(it.key()) && after.contains(it.key()) && after.value(it.key()) != it.value())
                return it.key()->window()->objectName() + "." + it.key()->objectName() + " changed from '"
                       + it.value() + "' to '" + after.value(it.key()) + "'";
        }
        return QString();
    }

    void failWith(const QString& what, int step)
    {
        QString report = QStringLiteral("seed %1, step %2: %3\nlast actions:\n").arg(seed).arg(step).arg(what);
        for (const QString& action : actions)
            report += "  " + action + "\n";
        QFAIL(qPrintable(report));
    }

private slots:
    void cleanupTestCase() { program.stop(); }

    void randomUseNeverBreaksTheProgram()
    {
        seed = fromEnvironment("TESKORA_WALK_SEED", 20261206);
        const auto steps = int(fromEnvironment("TESKORA_WALK_STEPS", 20000));
        random.seed(seed);
        qInfo("random walk: seed %llu, %d steps", static_cast<unsigned long long>(seed), steps);
        int answered = 0;
        program.onMessage = [&answered](const ProgramFixture::Message&) { ++answered; };
        program.start();
        runs = 1;
        for (int step = 0; step < steps; ++step) {
            if (platform::windows().ending()) {
                record("-- the program ended; a new run --");
                program.start();
                ++runs;
            }
            platform::Form* top = topWindow();
            QVERIFY(top);
            ++visits[top->objectName()];
            const auto before = boxTexts();
            const int errorsBefore = platform::unhandledErrorCount();
            const Boxes changed = act(top);
            QApplication::processEvents();
            QApplication::processEvents();
            if (const QString problem = broken(before, changed, errorsBefore); !problem.isEmpty())
                return failWith(problem, step);
        }
        // Every window the walk opened is gone once the program is stopped:
        // the widgets Qt still lists would be reachable, and so no leak that
        // LeakSanitizer could see.
        program.stop();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!qobject_cast<platform::Form*>(widget), qPrintable(widget->objectName() + " was never destroyed"));

        QStringList where;
        for (auto it = visits.cbegin(); it != visits.cend(); ++it)
            where.append(QStringLiteral("%1 %2").arg(it.key()).arg(it.value()));
        qInfo("random walk: %d runs of the program, %lld messages answered; steps on top: %s", runs,
              static_cast<long long>(answered), qPrintable(where.join(", ")));
    }
};

QTEST_MAIN(RandomWalkTest)
#include "random_walk_test.moc"
