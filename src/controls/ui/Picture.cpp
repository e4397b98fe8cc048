#include "controls/ui/Picture.h"

#include "app/FileRead.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <QStringList>

#include <future>
#include <memory>
#include <vector>

namespace tesmara {

namespace {

QImage readResourcePng(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Pictures being decoded ahead, each handed out once.
struct DecodedAhead {
    QMutex mutex;
    QHash<QString, std::shared_future<QImage>> pictures;
};

DecodedAhead& decodedAhead()
{
    static DecodedAhead ahead;
    return ahead;
}

} // namespace

std::function<void()> decodeAhead(const QStringList& paths)
{
    auto promises = std::make_shared<std::vector<std::promise<QImage>>>(paths.size());
    DecodedAhead& ahead = decodedAhead();
    const QMutexLocker lock(&ahead.mutex);
    for (int i = 0; i < paths.size(); ++i) {
        ahead.pictures.insert(paths[i], (*promises)[i].get_future().share());
    }
    return [paths, promises] {
        for (int i = 0; i < paths.size(); ++i) {
            (*promises)[i].set_value(readResourcePng(paths[i]));
        }
    };
}

void dropDecodedAhead()
{
    DecodedAhead& ahead = decodedAhead();
    const QMutexLocker lock(&ahead.mutex);
    ahead.pictures.clear();
}

QImage pngImage(const QString& path)
{
    if (path.startsWith(QLatin1Char(':'))) {
        std::shared_future<QImage> ahead;
        {
            DecodedAhead& decoded = decodedAhead();
            const QMutexLocker lock(&decoded.mutex);
            ahead = decoded.pictures.take(path);
        }
        return ahead.valid() ? ahead.get() : readResourcePng(path);
    }
    // A picture of ours is a few hundred kilobytes; a pipe or a device in its
    // place is not read at all.
    const FileBytes file = readRegularFile(path, 16 << 20);
    if (file.status != ReadStatus::Ok) {
        return {};
    }
    QBuffer buffer;
    buffer.setData(file.bytes);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace tesmara
