#include "platform/pictures.h"

#include <QCoreApplication>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QPointer>

namespace platform {

namespace {

// Lives as long as the application object, so that no picture outlives it.
class PictureCache : public QObject {
public:
    PictureCache() : QObject(QCoreApplication::instance()) {}

    QHash<QString, QIcon> icons;
    QHash<QString, QPixmap> pictures;
};

PictureCache& cache()
{
    static QPointer<PictureCache> cache;
    if (!cache)
        cache = new PictureCache;
    return *cache;
}

}  // namespace

const QIcon& sharedIcon(const QString& file)
{
    auto& icons = cache().icons;
    auto it = icons.find(file);
    if (it == icons.end())
        it = icons.insert(file, QIcon(QPixmap(file)));
    return *it;
}

const QPixmap& sharedPicture(const QString& file)
{
    auto& pictures = cache().pictures;
    auto it = pictures.find(file);
    if (it == pictures.end())
        it = pictures.insert(file, QPixmap(file));
    return *it;
}

}  // namespace platform
