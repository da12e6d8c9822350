// The Expert's thinking on a worker thread, so that the window never waits
// for it. The answers come back through the window's event loop.
#pragma once

#include <QObject>
#include <QThreadPool>

#include <functional>

#include "game/interfaces.h"

namespace vornak {

class WorkerThinker : public QObject, public Thinker {
public:
    // `deliver` runs a finished thought's `done` on the window's thread
    // (the window may hold it back while a dialog is open).
    using Deliver = std::function<void(std::function<void()> done)>;
    explicit WorkerThinker(Deliver deliver, QObject* parent = nullptr);
    // Waits for the thought under way (it is dropped).
    ~WorkerThinker() override;

    void think(std::function<void()> work, std::function<void()> done) override;

    // Thoughts started and not yet delivered.
    bool busy() const { return outstanding_ > 0; }
    // Waits for every thought under way and delivers them now (tests that
    // run on a clock of their own).
    void finish();

private:
    QThreadPool pool_;
    Deliver deliver_;
    int outstanding_ = 0;
};

}  // namespace vornak
