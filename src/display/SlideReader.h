#pragma once

#include "display/PictureLoading.h"

#include <QDateTime>
#include <QFutureWatcher>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QThreadPool>

#include <cstdint>
#include <functional>
#include <optional>

namespace luma {

// What a slide is read for: its file and the place it is painted at on a surface showing
// `visible`, stretched over it or at `position` at its size times `multiplier`.
struct SlideRead {
    QString path;
    QRect visible;
    bool stretched = false;
    QPoint position;
    std::int16_t multiplier = 1;

    PlaceOf place() const;
    bool operator==(const SlideRead&) const = default;
};

// A file's size and time of change, by which a file replaced under the same name is told.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;

    static FileStamp of(const QString& path);
    bool operator==(const FileStamp&) const = default;
};

// A slide read for `request`: the picture decoded for its place (nullopt when it does not load)
// and the stamp its file had before it was read.
struct ReadSlide {
    SlideRead request;
    FileStamp stamp;
    std::optional<LoadedPicture> loaded;
};

// Reads `request` on the calling thread.
ReadSlide readSlide(const SlideRead& request);

// Reads slides ahead of the steps that show them.
class SlideReader {
public:
    using Done = std::function<void(ReadSlide)>;
    virtual ~SlideReader() = default;
    // Reads `request`; `done` runs on the GUI thread with the result (it may run before read()
    // returns).
    virtual void read(SlideRead request, Done done) = 0;
};

// Reads on worker threads of its own, side by side, and hands the slides back through the event
// loop. Going, it waits for the reads under way, whose results are then dropped.
class ThreadedSlideReader : public SlideReader {
public:
    ThreadedSlideReader();
    ~ThreadedSlideReader() override;
    void read(SlideRead request, Done done) override;

private:
    QObject reads_;  // the watchers of the reads under way
    QThreadPool workers_;
};

}  // namespace luma
