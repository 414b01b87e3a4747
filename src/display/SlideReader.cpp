#include "display/SlideReader.h"

#include "display/SlidePlacement.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace luma {

PlaceOf SlideRead::place() const {
    if (stretched) {
        return [area = stretchedArea(visible.size())](QSize) { return area; };
    }
    return [x = position.x(), y = position.y(), m = multiplier](QSize size) {
        return scaledArea(x, y, size, m);
    };
}

FileStamp FileStamp::of(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? FileStamp{info.size(), info.lastModified()} : FileStamp{};
}

ReadSlide readSlide(const SlideRead& request) {
    ReadSlide slide{request, FileStamp::of(request.path), std::nullopt};
    slide.loaded = readPicture(request.path, request.visible, request.place());
    return slide;
}

ThreadedSlideReader::ThreadedSlideReader() {
    workers_.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
}

ThreadedSlideReader::~ThreadedSlideReader() {
    workers_.waitForDone();  // the watchers go with reads_, their results undelivered
}

void ThreadedSlideReader::read(SlideRead request, Done done) {
    auto* watcher = new QFutureWatcher<ReadSlide>(&reads_);
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                     [watcher, done = std::move(done)] {
                         watcher->deleteLater();
                         const Done call = done;  // what it does may take this reader away
                         call(watcher->result());
                     });
    watcher->setFuture(QtConcurrent::run(&workers_, readSlide, std::move(request)));
}

}  // namespace luma
