#include "controls/ui/Picture.h"

#include "app/FileRead.h"

#include <QBuffer>
#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <QStringList>

#include <atomic>
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

// A picture to be decoded ahead: whoever claims it first decodes it, the
// other waits for the result.
struct AheadPicture {
    std::atomic_flag claimed;
    std::promise<QImage> promise;
    std::shared_future<QImage> result = promise.get_future().share();

    bool claim() { return !claimed.test_and_set(); }
    void decode(const QString& path) { promise.set_value(readResourcePng(path)); }
};

// Pictures being decoded ahead, each handed out once.
struct DecodedAhead {
    QMutex mutex;
    QHash<QString, std::shared_ptr<AheadPicture>> pictures;
};

DecodedAhead& decodedAhead()
{
    static DecodedAhead ahead;
    return ahead;
}

} // namespace

std::function<void()> decodeAhead(const QStringList& paths)
{
    std::vector<std::shared_ptr<AheadPicture>> pictures;
    DecodedAhead& ahead = decodedAhead();
    const QMutexLocker lock(&ahead.mutex);
    for (const QString& path : paths) {
        pictures.push_back(std::make_shared<AheadPicture>());
        ahead.pictures.insert(path, pictures.back());
    }
    return [paths, pictures] {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            if (pictures[i]->claim()) {
                pictures[i]->decode(paths[i]);
            }
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
        std::shared_ptr<AheadPicture> ahead;
        {
            DecodedAhead& decoded = decodedAhead();
            const QMutexLocker lock(&decoded.mutex);
            ahead = decoded.pictures.take(path);
        }
        // One the worker has not begun is read here rather than waited for
        // behind the worker's other jobs.
        if (!ahead || ahead->claim()) {
            return readResourcePng(path);
        }
        return ahead->result.get();
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
