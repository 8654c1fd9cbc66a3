#pragma once

#include <initializer_list>

#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPixmap;
class QPushButton;
class QWidget;

namespace platform {

class Form;

// The controls of a window as designed: placed in twips relative to the
// client area, each with its objectName, and, for those that take the focus,
// a tab index in the window's classic order and a place on its control-event
// filter. Buttons press on Enter as on Space, and a screen reader says their
// caption without its access-key mark.
class Controls {
public:
    explicit Controls(Form& form) : form_(form) {}

    QPushButton* button(const QString& name, const QString& caption, const QString& toolTip, double left, double top,
                        double width, double height, int tabIndex);
    QLineEdit* textBox(const QString& name, double left, double top, double width, double height, int tabIndex);
    QLabel* label(const QString& name, const QString& text, double left, double top, double width, double height);
    // A picture, with the words a screen reader says for it; the control
    // sizes itself to the picture.
    QLabel* picture(const QString& name, const QPixmap& picture, const QString& description, double left, double top);
    QFrame* line(const QString& name, double x1, double y1, double x2, double y2);

private:
    Form& form_;
};

// The classic default font of windows and their controls in points:
// MS Sans Serif where it exists, otherwise a sans-serif of the same widths.
QFont classicFont(double pointSize, bool bold = false);

// A label whose words change as the user works: wrapped, selected with the
// mouse, never given the focus (a screen reader hears it as it changes).
QLabel* wordsLabel(QWidget* parent, const QString& name);

// A window that is one page, resized as the user likes: the page takes the
// window, its buttons stand in a row at its bottom right.
void layOutPage(QWidget* window, QWidget* page, std::initializer_list<QPushButton*> buttons);

}  // namespace platform
