// Timed sequences: the computer seats' turns, the lay-down flight and the
// pause after a knock are written as C++20 coroutines that suspend at each
// pause. The shell resumes a suspended sequence from a single-shot timer;
// tests and the simulator resume it at once. The window never blocks.
#pragma once

#include <coroutine>
#include <exception>
#include <functional>
#include <utility>

namespace vornak {

// A lazily started coroutine that can be awaited by another one. Awaiting a
// Task runs it to completion (through any pauses inside it) before the
// awaiting coroutine continues.
class [[nodiscard]] Task {
public:
    struct promise_type {
        std::coroutine_handle<> continuation;

        Task get_return_object() { return Task{Handle::from_promise(*this)}; }
        std::suspend_always initial_suspend() noexcept { return {}; }
        struct FinalAwaiter {
            bool await_ready() noexcept { return false; }
            std::coroutine_handle<> await_suspend(std::coroutine_handle<promise_type> h) noexcept {
                auto next = h.promise().continuation;
                return next ? next : std::noop_coroutine();
            }
            void await_resume() noexcept {}
        };
        FinalAwaiter final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { std::terminate(); }
    };
    using Handle = std::coroutine_handle<promise_type>;

    Task() = default;
    explicit Task(Handle h) : handle_(h) {}
    Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task& operator=(Task&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;
    ~Task() { reset(); }

    bool valid() const { return static_cast<bool>(handle_); }
    bool done() const { return !handle_ || handle_.done(); }
    Handle handle() const { return handle_; }
    void reset() {
        if (handle_) handle_.destroy();
        handle_ = {};
    }

    // co_await task
    bool await_ready() const noexcept { return done(); }
    std::coroutine_handle<> await_suspend(std::coroutine_handle<> awaiting) noexcept {
        handle_.promise().continuation = awaiting;
        return handle_;
    }
    void await_resume() const noexcept {}

private:
    Handle handle_;
};

// Runs one sequence at a time. While it runs, the game ignores the person's
// input; a new game, a level change or closing the window cancels it, which
// destroys every suspended frame (nothing of it runs afterwards).
class Sequencer {
public:
    // Starts a sequence; it runs at once up to its first pause (or to its
    // end). Refused (the task is dropped unrun) when another one is running.
    bool start(Task task) {
        if (running()) return false;
        top_ = std::move(task);
        pending_ = {};
        held_ = {};
        pauseMs_ = 0;
        top_.handle().resume();
        finishIfDone();
        return true;
    }

    bool running() const { return top_.valid() && !top_.done(); }
    // Held: the sequence waits for work done elsewhere (release() goes on).
    bool held() const { return static_cast<bool>(held_); }
    // A pause is pending: call resume() after pauseMs() milliseconds.
    bool waiting() const { return static_cast<bool>(pending_); }
    int pauseMs() const { return pauseMs_; }

    void resume() {
        if (!pending_) return;
        auto h = std::exchange(pending_, {});
        h.resume();
        finishIfDone();
    }

    // Resumes until the sequence has ended (tests and the simulator).
    void runToEnd() {
        while (waiting()) resume();
    }

    // Goes on with a held sequence.
    void release() {
        if (!held_) return;
        auto h = std::exchange(held_, {});
        onCancel_ = {};
        h.resume();
        finishIfDone();
    }

    void cancel() {
        if (onCancel_) std::exchange(onCancel_, {})();
        held_ = {};
        pending_ = {};
        top_.reset();
    }

    // For an awaiter of a running sequence: suspends it until release();
    // `onCancel` runs if the sequence is cancelled while it is held.
    void hold(std::coroutine_handle<> h, std::function<void()> onCancel) {
        held_ = h;
        onCancel_ = std::move(onCancel);
    }

    struct PauseAwaiter {
        Sequencer* sequencer;
        int ms;
        bool await_ready() const noexcept { return false; }
        void await_suspend(std::coroutine_handle<> h) noexcept {
            sequencer->pending_ = h;
            sequencer->pauseMs_ = ms;
        }
        void await_resume() const noexcept {}
    };
    // co_await sequencer.pause(ms)
    PauseAwaiter pause(int ms) { return PauseAwaiter{this, ms < 0 ? 0 : ms}; }

private:
    void finishIfDone() {
        if (top_.valid() && top_.done() && !pending_ && !held_) top_.reset();
    }

    Task top_;
    std::coroutine_handle<> pending_;
    std::coroutine_handle<> held_;
    std::function<void()> onCancel_;
    int pauseMs_ = 0;
};

}  // namespace vornak
