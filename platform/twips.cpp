#include "platform/twips.h"

#include <cmath>

namespace platform {

int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

double pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

QSizeF frameAllowanceTwips(Frame frame)
{
    // Fixed frames: 3 px of border on each side and a title bar that brings
    // the height to 32 px; sizable frames: 4 px and 34 px.
    switch (frame) {
    case Frame::Sizable:
        return QSizeF(120, 510);
    case Frame::FixedSingle:
    case Frame::FixedDialog:
        break;
    }
    return QSizeF(90, 480);
}

}  // namespace platform
