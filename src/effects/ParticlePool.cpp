#include "effects/ParticlePool.h"

#include <cstdint>
#include <new>

#include "effects/Effect.h"
#include "world/GameState.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// A freed slot stays poisoned until it is handed out again, so a particle used
// after its end is still caught.
#define GLINTWAKE_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define GLINTWAKE_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define GLINTWAKE_POISON(p, n) ((void)(p), (void)(n))
#define GLINTWAKE_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace glintwake::particle_pool {

namespace {

// As many as the world may hold at once.
constexpr int32_t SlotCount = MaxParticles;

struct alignas(Particle) Slot {
    unsigned char bytes[sizeof(Particle)];
};

class Pool {
public:
    Pool() {
        // Handed out in address order at first: the first bursts lie in a row.
        for (int32_t i = 0; i < SlotCount; ++i) free_[i] = SlotCount - 1 - i;
        freeCount_ = SlotCount;
        GLINTWAKE_POISON(slots_, sizeof slots_);
    }

    void* take(std::size_t size) {
        if (size > sizeof(Slot) || freeCount_ == 0) return nullptr;
        Slot* slot = &slots_[free_[--freeCount_]];
        GLINTWAKE_UNPOISON(slot, sizeof(Slot));
        return slot;
    }

    bool give(void* p) {
        auto* slot = static_cast<Slot*>(p);
        if (slot < slots_ || slot >= slots_ + SlotCount) return false;
        free_[freeCount_++] = static_cast<int32_t>(slot - slots_);
        GLINTWAKE_POISON(slot, sizeof(Slot));
        return true;
    }

private:
    Slot slots_[SlotCount];
    int32_t free_[SlotCount];
    int32_t freeCount_ = 0;
};

Pool& pool() {
    static Pool instance;
    return instance;
}

}  // namespace

void* allocate(std::size_t size) noexcept {
    if (void* p = pool().take(size)) return p;
    return ::operator new(size, std::nothrow);
}

void release(void* p) noexcept {
    if (p == nullptr || pool().give(p)) return;
    ::operator delete(p);
}

}  // namespace glintwake::particle_pool
