// The frames of the turns' steps: each thread keeps a few of every size it
// has used, so that a rollout's turns do not go to the heap for them.
#include <array>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "ai/turn.h"

namespace vornak {

namespace {

// Set once the thread's cache is gone: frames ended after that (by objects
// that outlive the thread's own) go straight back to the heap.
thread_local bool cacheGone = false;

class FrameCache {
public:
    FrameCache() = default;
    FrameCache(const FrameCache&) = delete;
    FrameCache& operator=(const FrameCache&) = delete;
    ~FrameCache() {
        cacheGone = true;
        for (Shelf& shelf : shelves_)
            for (std::size_t i = 0; i < shelf.count; ++i) std::free(shelf.frames[i]);
    }

    void* take(std::size_t size) {
        if (Shelf* shelf = find(size); shelf != nullptr && shelf->count > 0)
            return shelf->frames[--shelf->count];
        if (void* frame = std::malloc(size)) return frame;
        throw std::bad_alloc();
    }

    void give(void* frame, std::size_t size) noexcept {
        Shelf* shelf = find(size);
        if (shelf == nullptr) {
            for (Shelf& s : shelves_)
                if (s.size == 0) {
                    s.size = size;
                    shelf = &s;
                    break;
                }
        }
        if (shelf != nullptr && shelf->count < shelf->frames.size())
            shelf->frames[shelf->count++] = frame;
        else
            std::free(frame);
    }

private:
    // The frames of one size; nested turns' steps need a few at once.
    struct Shelf {
        std::size_t size = 0;
        std::size_t count = 0;
        std::array<void*, 4> frames{};
    };

    Shelf* find(std::size_t size) {
        for (Shelf& shelf : shelves_)
            if (shelf.size == size) return &shelf;
        return nullptr;
    }

    std::array<Shelf, 6> shelves_{};
};

FrameCache* frameCache() {
    if (cacheGone) return nullptr;
    thread_local FrameCache cache;
    return &cache;
}

}  // namespace

void* TurnSteps::promise_type::operator new(std::size_t size) {
    if (FrameCache* cache = frameCache()) return cache->take(size);
    if (void* frame = std::malloc(size)) return frame;
    throw std::bad_alloc();
}

void TurnSteps::promise_type::operator delete(void* frame, std::size_t size) noexcept {
    if (FrameCache* cache = frameCache())
        cache->give(frame, size);
    else
        std::free(frame);
}

}  // namespace vornak
