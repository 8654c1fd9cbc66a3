#pragma once

class QIcon;
class QPixmap;
class QString;

namespace platform {

// Pictures and icons, each read from its file once and shared by every
// window that shows it, for as long as the program runs. A window made anew
// on every visit would otherwise decode its icon again each time, and each
// copy would stay in Qt's caches until the end.
const QIcon& sharedIcon(const QString& file);
const QPixmap& sharedPicture(const QString& file);

}  // namespace platform
