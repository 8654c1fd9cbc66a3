#include "platform/form.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include "platform/message_service.h"
#include "platform/regional_settings.h"
#include "platform/runtime_error.h"
#include "platform/virtual_keys.h"
#include "platform/window_service.h"

namespace platform {

namespace {

void reportUnhandled(int number, const QString& description)
{
    msgBox(QStringLiteral("Ошибка выполнения '%1':\n\n%2").arg(number).arg(description), MessageIcon::Stop);
}

Qt::WindowFlags flagsFor(Frame frame)
{
    const Qt::WindowFlags common = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                   | Qt::WindowCloseButtonHint;
    switch (frame) {
    case Frame::Sizable:
        return Qt::Window | common | Qt::WindowMinMaxButtonsHint;
    case Frame::FixedSingle:
        return Qt::Window | common | Qt::WindowMinimizeButtonHint;
    case Frame::FixedDialog:
        break;
    }
    return Qt::Dialog | common;
}

bool takesTabFocus(const QWidget* control)
{
    return (control->focusPolicy() & Qt::TabFocus) && control->isEnabled() && !control->isHidden();
}

}  // namespace

Form::Form(WindowName name, const QString& caption, Frame frame)
    : QWidget(nullptr, flagsFor(frame)), frame_(frame)
{
    setObjectName(name.toString());
    setWindowTitle(caption);
    // The classic default font of windows and their controls.
    setFont(classicFont(8.25));
    setAttribute(Qt::WA_QuitOnClose, false);
    installEventFilter(this);
}

Form::~Form() = default;

void Form::Form_Activate()
{
}

bool Form::isLive() const
{
    return !unloaded_ && !windows().ending();
}

void Form::setClientSizeTwips(double width, double height)
{
    const QSize client(twipsToPixels(width), twipsToPixels(height));
    if (frame_ == Frame::Sizable)
        resize(client);
    else
        setFixedSize(client);
}

void Form::setOuterSizeTwips(double width, double height)
{
    const QSizeF allowance = frameAllowanceTwips(frame_);
    setClientSizeTwips(width - allowance.width(), height - allowance.height());
}

QSizeF Form::outerSizeTwips() const
{
    const QSize frameSize = frameGeometry().size();
    if (isVisible() && frameSize != size())
        return QSizeF(pixelsToTwips(frameSize.width()), pixelsToTwips(frameSize.height()));
    const QSizeF allowance = frameAllowanceTwips(frame_);
    return QSizeF(pixelsToTwips(width()) + allowance.width(), pixelsToTwips(height()) + allowance.height());
}

void Form::centreOnScreen()
{
    const QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    const QRect available = target->availableGeometry();
    const QSizeF outer = outerSizeTwips();
    const float left = (static_cast<float>(pixelsToTwips(available.width())) - static_cast<float>(outer.width())) / 2;
    const float top = (static_cast<float>(pixelsToTwips(available.height())) - static_cast<float>(outer.height())) / 2;
    move(available.x() + twipsToPixels(left), available.y() + twipsToPixels(top));
}

void Form::settleTabOrder() const
{
    if (designTabIndices_.empty())
        return;
    std::stable_sort(designTabIndices_.begin(), designTabIndices_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [index, control] : designTabIndices_)
        tabOrder_.push_back(control);
    designTabIndices_.clear();
}

void Form::setTabIndex(QWidget* control, int index)
{
    settleTabOrder();
    std::erase(tabOrder_, control);
    const auto place = std::min<std::size_t>(static_cast<std::size_t>(std::max(index, 0)), tabOrder_.size());
    tabOrder_.insert(tabOrder_.begin() + static_cast<std::ptrdiff_t>(place), control);
    applyTabOrder();
}

int Form::tabIndex(QWidget* control) const
{
    settleTabOrder();
    const auto it = std::find(tabOrder_.begin(), tabOrder_.end(), control);
    return it == tabOrder_.end() ? -1 : static_cast<int>(it - tabOrder_.begin());
}

void Form::applyTabOrder()
{
    settleTabOrder();
    QWidget* previous = nullptr;
    for (QWidget* control : tabOrder_) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

QWidget* Form::firstInTabOrder() const
{
    settleTabOrder();
    for (QWidget* control : tabOrder_) {
        if (takesTabFocus(control))
            return control;
    }
    return nullptr;
}

void Form::focusFirstControl()
{
    if (QWidget* first = firstInTabOrder())
        first->setFocus(Qt::OtherFocusReason);
}

QFont Form::classicFont(double pointSize, bool bold)
{
    // MS Sans Serif where it exists, otherwise a sans-serif of the same
    // widths (Arial's, or Liberation Sans, which has Arial's metrics), so
    // that captions fit their controls; at last the platform's sans-serif.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void Form::watch(QWidget* control)
{
    control->installEventFilter(this);
}

QPushButton* Form::addButton(const QString& name, const QString& caption, const QString& toolTip, double left,
                             double top, double width, double height, int tabIndex)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    // What a screen reader says: the caption without its access-key mark.
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    button->setGeometry(twipsRect(left, top, width, height));
    watch(button);
    designTabIndices_.emplace_back(tabIndex, button);
    return button;
}

QLineEdit* Form::addTextBox(const QString& name, double left, double top, double width, double height, int tabIndex)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(twipsRect(left, top, width, height));
    watch(box);
    designTabIndices_.emplace_back(tabIndex, box);
    return box;
}

QLabel* Form::addLabel(const QString& name, const QString& text, double left, double top, double width, double height)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAccessibleName(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(twipsRect(left, top, width, height));
    return label;
}

QLabel* Form::addPicture(const QString& name, const QPixmap& picture, const QString& description, double left,
                         double top)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setAccessibleName(description);
    label->setPixmap(picture);
    label->setGeometry(QRect(twipsRect(left, top, 0, 0).topLeft(), picture.deviceIndependentSize().toSize()));
    return label;
}

QFrame* Form::addLine(const QString& name, double x1, double y1, double x2, double y2)
{
    auto* line = new QFrame(this);
    line->setObjectName(name);
    const bool horizontal = y1 == y2;
    line->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    const QRect from = twipsRect(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    // A sunken line is two pixels thick, centred on the line's coordinates.
    line->setGeometry(horizontal ? QRect(from.left(), from.top() - 1, from.width(), 2)
                                 : QRect(from.left() - 1, from.top(), 2, from.height()));
    return line;
}

void Form::announceWithFocus(QWidget* control, const QStringList& texts)
{
    QStringList sentences;
    for (const QString& text : texts + QStringList{control->toolTip()}) {
        if (text.isEmpty())
            continue;
        const QChar last = text.back();
        sentences.append(last == u'.' || last == u'?' || last == u'!' ? text : text + u'.');
    }
    control->setAccessibleDescription(sentences.join(u' '));
}

void Form::onClick(QPushButton* button, std::function<void()> handler)
{
    connect(button, &QPushButton::clicked, this, [this, handler = std::move(handler)] {
        if (isLive())
            runGuarded(handler);
    });
}

void Form::onKeyDown(QWidget* control, std::function<void(int)> handler)
{
    handlers_[control].keyDown = std::move(handler);
}

void Form::onLostFocus(QWidget* control, std::function<void()> handler)
{
    handlers_[control].lostFocus = std::move(handler);
}

void Form::onPaste(QLineEdit* box, std::function<bool(const QString&)> handler)
{
    handlers_[box].paste = std::move(handler);
    useOwnMenu(box);
}

void Form::addMenuEntry(QLineEdit* box, const QString& text, std::function<void()> handler)
{
    handlers_[box].menuEntries.emplace_back(text, std::move(handler));
    useOwnMenu(box);
}

void Form::onShortcut(const QKeySequence& keys, std::function<void()> handler)
{
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [this, handler = std::move(handler)] {
        if (isLive())
            runGuarded(handler);
    });
}

bool Form::pasteCells(QLineEdit* box, const QString& text, const std::function<QLineEdit*(int, int)>& boxAt,
                      bool column)
{
    PastedCells cells = pastedCells(text.toStdU16String());
    if (cells.empty())
        return false;
    if (cellCount(cells) == 1) {
        box->insert(QString::fromStdU16String(cells[0][0]));
        return true;
    }
    if (column && cells.size() == 1) {
        PastedCells transposed;
        for (auto& cell : cells[0])
            transposed.push_back({std::move(cell)});
        cells = std::move(transposed);
    }
    int leftOut = 0;
    for (std::size_t row = 0; row < cells.size(); ++row) {
        for (std::size_t column = 0; column < cells[row].size(); ++column) {
            if (QLineEdit* box = boxAt(static_cast<int>(row), static_cast<int>(column)))
                box->setText(QString::fromStdU16String(cells[row][column]));
            else
                ++leftOut;
        }
    }
    if (leftOut > 0)
        msgBox(QStringLiteral("Не поместилось значений: %1. Они не вставлены.").arg(leftOut), MessageIcon::Information);
    return true;
}

void Form::useOwnMenu(QLineEdit* box)
{
    if (box->contextMenuPolicy() == Qt::CustomContextMenu)
        return;
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& at) {
        if (isLive())
            showMenu(box, at);
    });
}

// The box's own menu, in the language of Qt's translation, with the
// window's paste and entries.
void Form::showMenu(QLineEdit* box, const QPoint& at)
{
    auto* menu = box->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const Handlers& handlers = handlers_[box];
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* action : menu->actions()) {
        if (handlers.paste && action->text().startsWith(pasteText)) {
            disconnect(action, &QAction::triggered, box, &QLineEdit::paste);
            connect(action, &QAction::triggered, this, [this, box] { paste(box); });
        }
    }
    if (!handlers.menuEntries.empty())
        menu->addSeparator();
    for (const auto& [text, handler] : handlers.menuEntries)
        connect(menu->addAction(text), &QAction::triggered, this, [this, handler = handler] { runGuarded(handler); });
    menu->popup(box->mapToGlobal(at));
}

void Form::paste(QLineEdit* box)
{
    bool taken = false;
    runGuarded([&] { taken = handlers_[box].paste(QGuiApplication::clipboard()->text()); });
    if (!taken)
        box->paste();
}

void Form::moveFocusLater(QWidget* target)
{
    // The move belongs to the focus change under way: if something else has
    // moved the focus by the time it runs (a check that puts the focus on a
    // refused box, say), that move stands.
    const QPointer<QWidget> focusNow = QApplication::focusWidget();
    QTimer::singleShot(0, target, [this, target = QPointer<QWidget>(target), focusNow] {
        if (!target || !isLive() || QApplication::focusWidget() != focusNow.data())
            return;
        // The control that holds the focus now only passes it on: in the
        // classic order of events the focus went straight to the target, so
        // that control's lost-focus handler does not run.
        const QScopedValueRollback passingOn(passingFocusOn_, true);
        target->setFocus(Qt::OtherFocusReason);
    });
}

void Form::runGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const RuntimeError& error) {
        reportUnhandled(error.number(), fromUtf8(error.description()));
    } catch (const std::exception& error) {
        reportUnhandled(0, QString::fromLocal8Bit(error.what()));
    }
}

bool Form::keyPress(QObject* watched, QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_F1 && helpTopic_ != HelpTopic::None) {
        const HelpTopic topic = helpTopic_;
        runGuarded([topic] { windows().showHelp(topic); });
        return true;
    }
    if (key == Qt::Key_Escape) {
        if (cancelButton_ && cancelButton_->isEnabled())
            cancelButton_->click();
        return true;  // Esc does nothing else in any window
    }
    if (const auto it = handlers_.constFind(watched); it != handlers_.cend() && it->paste
                                                      && event->matches(QKeySequence::Paste)) {
        paste(static_cast<QLineEdit*>(watched));
        return true;
    }
    if (const auto it = handlers_.constFind(watched); it != handlers_.cend() && it->keyDown) {
        // The character still lands in the box after a key-down handler has
        // moved the focus away, over the selection as it stood.
        auto* box = qobject_cast<QLineEdit*>(watched);
        const int selectionStart = box ? box->selectionStart() : -1;
        const int selectionLength = box ? box->selectionLength() : 0;
        const int keyCode = toWinVk(*event);
        runGuarded([&] { it->keyDown(keyCode); });
        if (box && selectionStart >= 0 && !box->hasFocus())
            box->setSelection(selectionStart, selectionLength);
    }
    // Alt with a letter that is no access key types nothing, as on Windows.
    if ((event->modifiers() & Qt::AltModifier) && qobject_cast<QLineEdit*>(watched) && !event->text().isEmpty()
        && event->text().at(0).isPrint())
        return true;
    return false;
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    if (!isLive())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(watched, static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut: {
        // Another window coming to the front, or a popup, moves no focus
        // inside this window.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || passingFocusOn_)
            break;
        if (const auto it = handlers_.constFind(watched); it != handlers_.cend() && it->lostFocus)
            runGuarded(it->lostFocus);
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (isLive() && leaveButton_)
        leaveButton_->click();
}

void Form::setPageAndButton(QWidget* page, QPushButton* button)
{
    page_ = page;
    pageButton_ = button;
}

void Form::resizeEvent(QResizeEvent* event)
{
    if (page_) {
        const int margin = twipsToPixels(120);
        const QSize button = pageButton_->size();
        pageButton_->move(width() - margin - button.width(), height() - margin - button.height());
        page_->setGeometry(margin, margin, width() - 2 * margin, pageButton_->y() - 2 * margin);
    }
    QWidget::resizeEvent(event);
}

bool Form::event(QEvent* event)
{
    // The load step placed the window with the frame that its sizes assume;
    // once the window manager has drawn the real one, place it by that, once.
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::WindowActivate:
        if (!placedWithRealFrame_ && isLive() && isVisible() && frameGeometry().size() != size()) {
            placedWithRealFrame_ = true;
            placeOnScreen();
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

}  // namespace platform
