#include "results/step_browser.h"

#include <algorithm>

#include <QComboBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QVBoxLayout>

#include "course/spoken_words.h"
#include "platform/announcement.h"
#include "results/course_paper.h"
#include "results/step_view.h"

namespace {

QString joined(const std::vector<std::u16string>& lines, QChar between)
{
    QStringList texts;
    for (const auto& line : lines)
        texts.append(QString::fromStdU16String(line));
    return texts.join(between);
}

QPushButton* stepButton(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAutoDefault(true);
    return button;
}

}  // namespace

StepBrowser::StepBrowser(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Shagi_pg"));
    Shag_lbl = new QLabel(this);
    Shag_lbl->setObjectName(QStringLiteral("Shag_lbl"));
    QFont bold = Shag_lbl->font();
    bold.setBold(true);
    Shag_lbl->setFont(bold);
    Shag_pic = new StepView(this);
    Shag_pic->setObjectName(QStringLiteral("Shag_pic"));
    Shag_txt = new QLabel(this);
    Shag_txt->setObjectName(QStringLiteral("Shag_txt"));
    Shag_txt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Shag_txt->setFont(courseFont());
    Shag_txt->setMinimumWidth(1);  // wrapped by its width, never widening the window
    Pervyi_cmd = stepButton(this, "Pervyi_cmd", QStringLiteral("Пе&рвый"), QStringLiteral("Первый шаг (Home)"));
    Predydushchii_cmd = stepButton(this, "Predydushchii_cmd", QStringLiteral("Пр&едыдущий"),
                                   QStringLiteral("Предыдущий шаг (←, PgUp)"));
    Sleduyushchii_cmd = stepButton(this, "Sleduyushchii_cmd", QStringLiteral("С&ледующий"),
                                   QStringLiteral("Следующий шаг (→, PgDn)"));
    Poslednii_cmd = stepButton(this, "Poslednii_cmd", QStringLiteral("П&оследний"), QStringLiteral("Последний шаг (End)"));
    Shag_sld = new QSlider(Qt::Horizontal, this);
    Shag_sld->setObjectName(QStringLiteral("Shag_sld"));
    Shag_sld->setAccessibleName(QStringLiteral("Номер шага"));
    Shag_sld->setPageStep(1);
    Perekhod_cmb = new QComboBox(this);
    Perekhod_cmb->setObjectName(QStringLiteral("Perekhod_cmb"));
    Perekhod_cmb->setEditable(true);
    Perekhod_cmb->setInsertPolicy(QComboBox::NoInsert);
    Perekhod_cmb->setAccessibleName(QStringLiteral("Перейти к шагу"));
    Perekhod_cmb->lineEdit()->setAccessibleName(Perekhod_cmb->accessibleName());
    Perekhod_cmb->setToolTip(QStringLiteral("Выберите шаг или наберите часть его названия, например (2,3), и Enter"));
    Tsifry_cmb = new QComboBox(this);
    Tsifry_cmb->setObjectName(QStringLiteral("Tsifry_cmb"));
    Tsifry_cmb->setAccessibleName(QStringLiteral("Значащих цифр в числах"));
    Tsifry_cmb->setToolTip(QStringLiteral("Сколько значащих цифр у чисел шага, в рисунке и в словах"));
    for (const int digits : StepDigits)
        Tsifry_cmb->addItem(QString::number(digits), digits);
    auto* jumpLabel = new QLabel(QStringLiteral("Перейти &к шагу:"), this);
    jumpLabel->setBuddy(Perekhod_cmb);
    auto* digitsLabel = new QLabel(QStringLiteral("&Цифр:"), this);
    digitsLabel->setBuddy(Tsifry_cmb);
    // Shown anew at every move, for a screen reader to say; not seen.
    Soobshchenie_lbl = new platform::Announcement(this, QStringLiteral("Soobshchenie_lbl"));
    layOutPage(jumpLabel, digitsLabel);
    connectMoves();
}

void StepBrowser::layOutPage(QLabel* jumpLabel, QLabel* digitsLabel)
{
    auto* navigation = new QHBoxLayout;
    for (QWidget* control : {static_cast<QWidget*>(Pervyi_cmd), static_cast<QWidget*>(Predydushchii_cmd),
                             static_cast<QWidget*>(Sleduyushchii_cmd), static_cast<QWidget*>(Poslednii_cmd)})
        navigation->addWidget(control);
    navigation->addWidget(Shag_sld, 1);
    auto* choices = new QHBoxLayout;
    choices->addWidget(jumpLabel);
    choices->addWidget(Perekhod_cmb, 1);
    choices->addSpacing(12);
    choices->addWidget(digitsLabel);
    choices->addWidget(Tsifry_cmb);
    auto* page = new QVBoxLayout(this);
    page->addWidget(Shag_lbl);
    page->addWidget(Shag_pic, 1);
    page->addWidget(Shag_txt);
    page->addLayout(navigation);
    page->addLayout(choices);
}

// Every way to move: the buttons, the slider, the list of steps, the digits,
// and the keys, wherever the focus is among them but in the boxes that take
// the arrows themselves.
void StepBrowser::connectMoves()
{
    connect(Pervyi_cmd, &QPushButton::clicked, this, [this] { showStep(0); });
    connect(Predydushchii_cmd, &QPushButton::clicked, this, [this] { showStep(step_ - 1); });
    connect(Sleduyushchii_cmd, &QPushButton::clicked, this, [this] { showStep(step_ + 1); });
    connect(Poslednii_cmd, &QPushButton::clicked, this, [this] { showStep(int(steps_.size()) - 1); });
    connect(Shag_sld, &QSlider::valueChanged, this, [this](int value) { showStep(value - 1); });
    connect(Perekhod_cmb, &QComboBox::activated, this, [this](int index) { showStep(index); });
    connect(Perekhod_cmb->lineEdit(), &QLineEdit::returnPressed, this, &StepBrowser::Perekhod_cmb_Enter);
    connect(Tsifry_cmb, &QComboBox::currentIndexChanged, this, &StepBrowser::Tsifry_cmb_Changed);
    const auto key = [this](QKeySequence keys, auto move) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, move);
    };
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Right), QKeySequence(Qt::Key_PageDown)})
        key(keys, [this] { showStep(step_ + 1); });
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_PageUp)})
        key(keys, [this] { showStep(step_ - 1); });
    key(QKeySequence(Qt::Key_Home), [this] { showStep(0); });
    key(QKeySequence(Qt::Key_End), [this] { showStep(int(steps_.size()) - 1); });
}

std::vector<QWidget*> StepBrowser::controls() const
{
    return {Shag_pic, Pervyi_cmd, Predydushchii_cmd, Sleduyushchii_cmd, Poslednii_cmd, Shag_sld, Perekhod_cmb, Tsifry_cmb};
}

int StepBrowser::digits() const
{
    return Tsifry_cmb->currentData().toInt();
}

void StepBrowser::setSource(Source make)
{
    make_ = std::move(make);
    steps_ = make_(digits());
    Shag_pic->setSteps(&steps_, digits());
    const QSignalBlocker quiet(Perekhod_cmb);
    Perekhod_cmb->clear();
    for (std::size_t k = 0; k < steps_.size(); ++k)
        Perekhod_cmb->addItem(QStringLiteral("%1. ").arg(k + 1) + QString::fromStdU16String(steps_[k].title));
    Shag_sld->setRange(1, int(steps_.size()));
    showStep(0, false);
}

QString StepBrowser::heading(int step) const
{
    return QString::fromStdU16String(stepHeading(std::size_t(step) + 1, steps_.size(), steps_[step].title));
}

QString StepBrowser::words(int step) const
{
    return joined(steps_[step].text, u'\n');
}

QString StepBrowser::spoken(int step) const
{
    return QString::fromStdU16String(spokenText(heading(step).toStdU16String())) + QStringLiteral(". ")
           + spokenWords(step);
}

QString StepBrowser::spokenWords(int step) const
{
    return QString::fromStdU16String(spokenText(joined(steps_[step].text, u' ').toStdU16String()));
}

void StepBrowser::showStep(int step, bool announced)
{
    if (steps_.empty())
        return;
    const int shown = std::clamp(step, 0, int(steps_.size()) - 1);
    const bool moved = shown != step_;
    step_ = shown;
    Shag_lbl->setText(heading(step_));
    showWords();
    // The picture says its step by its name, and its words by its description.
    Shag_pic->showStep(step_, QString::fromStdU16String(spokenText(heading(step_).toStdU16String())),
                       spokenWords(step_));
    {
        const QSignalBlocker quiet(Shag_sld);
        Shag_sld->setValue(step_ + 1);
    }
    {
        const QSignalBlocker quiet(Perekhod_cmb);
        Perekhod_cmb->setCurrentIndex(step_);
    }
    Pervyi_cmd->setEnabled(step_ > 0);
    Predydushchii_cmd->setEnabled(step_ > 0);
    Sleduyushchii_cmd->setEnabled(step_ + 1 < int(steps_.size()));
    Poslednii_cmd->setEnabled(step_ + 1 < int(steps_.size()));
    if (announced && moved)
        Soobshchenie_lbl->say(spoken(step_));
}

// The words, broken only between them: a number is never cut at its
// decimal comma, whatever the width. Broken to the page's width, once it has
// one: before it is laid out a page is a few words wide, and words broken to
// that would make it as tall as the screen.
void StepBrowser::showWords()
{
    if (steps_.empty())
        return;
    const QMargins margins = layout()->contentsMargins();
    const int width = contentsRect().width() - margins.left() - margins.right();
    Shag_txt->setText(width < 200 ? words(step_)
                                  : wrappedAtBlanks(words(step_), QFontMetricsF(Shag_txt->font()), width));
}

void StepBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    showWords();
}

// The page hidden (the other view chosen) takes its last notification with
// it, which would otherwise be shown, and said, again with the page.
void StepBrowser::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    Soobshchenie_lbl->hush();
}

// A step found by a part of its name: "(2,3)" finds the rotation (2,3).
void StepBrowser::Perekhod_cmb_Enter()
{
    const QString typed = Perekhod_cmb->currentText().trimmed();
    if (typed.isEmpty())
        return;
    for (int k = 0; k < Perekhod_cmb->count(); ++k) {
        if (Perekhod_cmb->itemText(k) == typed || Perekhod_cmb->itemText(k).contains(typed, Qt::CaseInsensitive)) {
            showStep(k);
            return;
        }
    }
    const QSignalBlocker quiet(Perekhod_cmb);
    Perekhod_cmb->setCurrentIndex(step_);
    Soobshchenie_lbl->say(QStringLiteral("Шага «%1» нет.").arg(typed));
}

// The same steps written with the digits chosen, on the same step.
void StepBrowser::Tsifry_cmb_Changed()
{
    if (!make_)
        return;
    const int shown = step_;
    steps_ = make_(digits());
    Shag_pic->setSteps(&steps_, digits());
    step_ = -1;
    showStep(shown);
}
