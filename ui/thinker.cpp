#include "thinker.h"

#include <QCoreApplication>
#include <QEvent>

namespace vornak {

WorkerThinker::WorkerThinker(Deliver deliver, QObject* parent)
    : QObject(parent), deliver_(std::move(deliver)) {
    // One thought at a time, in the order asked: the game asks for one
    // decision at a time anyway.
    pool_.setMaxThreadCount(1);
    pool_.setExpiryTimeout(-1);
}

WorkerThinker::~WorkerThinker() {
    // A thought's work holds only its own copies; the queued answers die
    // with this object.
    pool_.waitForDone();
}

void WorkerThinker::think(std::function<void()> work, std::function<void()> done) {
    ++outstanding_;
    pool_.start([this, work = std::move(work), done = std::move(done)]() mutable {
        work();
        QMetaObject::invokeMethod(
            this,
            [this, done = std::move(done)] {
                --outstanding_;
                deliver_(done);
            },
            Qt::QueuedConnection);
    });
}

void WorkerThinker::finish() {
    while (outstanding_ > 0) {
        pool_.waitForDone();
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
}

}  // namespace vornak
