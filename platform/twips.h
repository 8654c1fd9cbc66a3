#pragma once

#include <QRect>
#include <QSize>

namespace platform {

// Geometry of the windows is given in twips, 1/1440 inch: 15 twips to a
// device-independent pixel. Qt's high-DPI scaling maps those pixels to the
// screen.
inline constexpr double TwipsPerPixel = 15.0;

int twipsToPixels(double twips);
double pixelsToTwips(int pixels);
QRect twipsRect(double left, double top, double width, double height);

// The window frames of the program, and the room their border and title bar
// take, in twips, as the window sizes given for the windows assume it.
enum class Frame { FixedSingle, Sizable, FixedDialog };
QSizeF frameAllowanceTwips(Frame frame);

}  // namespace platform
