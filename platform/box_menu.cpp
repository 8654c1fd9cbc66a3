#include "platform/box_menu.h"

#include <vector>

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "platform/control_events.h"
#include "platform/form.h"

namespace platform::box_menu {

namespace {

// What a box has of the window: its entries and its paste. A child of the
// box, found again by its class.
class BoxHooks : public QObject {
    Q_OBJECT

public:
    explicit BoxHooks(QLineEdit* box) : QObject(box), box_(box)
    {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
            if (live())
                showMenu(at);
        });
        box->installEventFilter(this);
    }

    static BoxHooks& of(QLineEdit* box)
    {
        auto* hooks = box->findChild<BoxHooks*>(QString(), Qt::FindDirectChildrenOnly);
        return hooks ? *hooks : *new BoxHooks(box);
    }

    struct Entry {
        QString text;
        QKeySequence keys;
        std::function<void()> handler;
    };
    std::vector<Entry> entries;
    std::function<bool(const QString&)> paste;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (paste && event->type() == QEvent::KeyPress && live()
            && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            pasteClipboard();
            return true;
        }
        return false;
    }

private:
    bool live() const
    {
        const auto* form = qobject_cast<const Form*>(box_->window());
        return form && form->isLive();
    }

    void pasteClipboard()
    {
        bool taken = false;
        ControlEvents::runGuarded([&] { taken = paste(QGuiApplication::clipboard()->text()); });
        if (!taken)
            box_->paste();
    }

    void showMenu(const QPoint& at)
    {
        auto* menu = box_->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction* action : menu->actions()) {
            if (paste && action->text().startsWith(pasteText)) {
                disconnect(action, &QAction::triggered, box_, &QLineEdit::paste);
                connect(action, &QAction::triggered, this, [this] { pasteClipboard(); });
            }
        }
        if (!entries.empty())
            menu->addSeparator();
        for (const Entry& entry : entries) {
            QString text = entry.text;
            if (!entry.keys.isEmpty())
                text += u'\t' + entry.keys.toString(QKeySequence::NativeText);
            connect(menu->addAction(text), &QAction::triggered, this,
                    [handler = entry.handler] { ControlEvents::runGuarded(handler); });
        }
        menu->popup(box_->mapToGlobal(at));
    }

    QLineEdit* box_;
};

}  // namespace

void addEntry(QLineEdit* box, const QString& text, const QKeySequence& keys, std::function<void()> handler)
{
    BoxHooks::of(box).entries.push_back({text, keys, std::move(handler)});
}

void onPaste(QLineEdit* box, std::function<bool(const QString&)> handler)
{
    BoxHooks::of(box).paste = std::move(handler);
}

}  // namespace platform::box_menu

#include "box_menu.moc"
