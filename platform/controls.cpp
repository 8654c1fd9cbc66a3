#include "platform/controls.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/control_events.h"
#include "platform/form.h"
#include "platform/tab_order.h"
#include "platform/twips.h"

namespace platform {

QPushButton* Controls::button(const QString& name, const QString& caption, const QString& toolTip, double left,
                              double top, double width, double height, int tabIndex)
{
    auto* button = new QPushButton(caption, &form_);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(true);
    button->setGeometry(twipsRect(left, top, width, height));
    form_.events().watch(button);
    form_.tabOrder().add(button, tabIndex);
    return button;
}

QLineEdit* Controls::textBox(const QString& name, double left, double top, double width, double height, int tabIndex)
{
    auto* box = new QLineEdit(&form_);
    box->setObjectName(name);
    box->setGeometry(twipsRect(left, top, width, height));
    form_.events().watch(box);
    form_.tabOrder().add(box, tabIndex);
    return box;
}

QLabel* Controls::label(const QString& name, const QString& text, double left, double top, double width,
                        double height)
{
    auto* label = new QLabel(text, &form_);
    label->setObjectName(name);
    label->setAccessibleName(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(twipsRect(left, top, width, height));
    return label;
}

QLabel* Controls::picture(const QString& name, const QPixmap& picture, const QString& description, double left,
                          double top)
{
    auto* label = new QLabel(&form_);
    label->setObjectName(name);
    label->setAccessibleName(description);
    label->setPixmap(picture);
    label->setGeometry(QRect(twipsRect(left, top, 0, 0).topLeft(), picture.deviceIndependentSize().toSize()));
    return label;
}

QFrame* Controls::line(const QString& name, double x1, double y1, double x2, double y2)
{
    auto* line = new QFrame(&form_);
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

QFont classicFont(double pointSize, bool bold)
{
    // Arial's widths, or Liberation Sans, which has Arial's metrics, keep the
    // captions within their controls; at last the platform's sans-serif.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* wordsLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

void layOutPage(QWidget* window, QWidget* page, std::initializer_list<QPushButton*> buttons)
{
    const int margin = twipsToPixels(120);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(margin);
    layout->addWidget(page, 1);
    auto* row = new QHBoxLayout;
    row->setSpacing(margin);
    row->addStretch(1);
    for (QPushButton* button : buttons) {
        button->setFixedSize(button->size());
        row->addWidget(button);
    }
    layout->addLayout(row);
}

}  // namespace platform
