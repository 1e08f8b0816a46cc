#include "effects/Effect.h"

#include <cmath>
#include <new>

#include "core/GameObject.h"
#include "core/Maths.h"
#include "effects/ParticlePool.h"
#include "platform/CpuDispatch.h"
#include "world/GameState.h"
#include "world/NewOrNull.h"
#include "world/ObjectList.h"

namespace glintwake {

namespace {

constexpr uint32_t RedMask = 0xFF0000;
constexpr uint32_t GreenMask = 0x00FF00;
constexpr uint32_t BlueMask = 0x0000FF;
constexpr double DegreesPerHalfTurn = 180;
constexpr int32_t ParticlePrefetchDistance = 24;
constexpr size_t CacheLine = 64;

// Each channel is scaled in its place in the word and masked, so red and green fall
// to the channel step below while blue rounds up.
uint32_t fadeChannel(uint32_t color, uint32_t mask, double ratio) {
    return static_cast<uint32_t>(std::ceil((color & mask) * ratio)) & mask;
}

// A particle spans two or three cache lines, depending on where its slot falls, and
// its step reads all of them.
void prefetchParticle(const Particle* p) {
    const auto* bytes = reinterpret_cast<const char*>(p);
    for (size_t offset = 0; offset < sizeof(Particle); offset += CacheLine)
        __builtin_prefetch(bytes + offset);
    __builtin_prefetch(bytes + sizeof(Particle) - 1);
}

}  // namespace

uint32_t fadeColor(uint32_t color, double ratio) {
    // Kept within 0..1 so the scaled channel always fits its word.
    if (!(ratio > 0.0)) ratio = 0.0;
    if (ratio > 1.0) ratio = 1.0;
    return fadeChannel(color, RedMask, ratio) + fadeChannel(color, GreenMask, ratio) +
           fadeChannel(color, BlueMask, ratio);
}

void* Particle::operator new(std::size_t size) {
    void* p = particle_pool::allocate(size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void* Particle::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return particle_pool::allocate(size);
}

void Particle::operator delete(void* p) noexcept {
    particle_pool::release(p);
}

Particle::Particle(const Vector2D& origin, const Vector2D& velocity, uint32_t color, double lifetime,
                   Effect* owner, int32_t index)
    : x(origin.getX()),
      y(origin.getY()),
      velocity(velocity),
      stepCos(maths::cos(velocity.getAngle() * Pi / DegreesPerHalfTurn)),
      stepSin(maths::sin(velocity.getAngle() * Pi / DegreesPerHalfTurn)),
      color(color),
      remaining(lifetime),
      lifetime(lifetime),
      owner(owner) {
    slot.listIndex = index;
}

// Inline: thousands of particles plot a pixel each frame.
inline void Particle::plot(int32_t px, int32_t py, uint32_t pixel) {
    Surface* target = g_backBuffer;
    platform::PixelView locked;
    if (target == nullptr || !target->lock(locked)) return;
    locked.put(px, py, pixel);
    target->unlock();
}

void Particle::update(double dt) {
    remaining -= dt;
    if (remaining < 0) {
        owner->removeParticle(this);  // deletes this particle
        return;
    }
    // Vector2D::addScaled's step on the same doubles, so the path is bit for bit the same.
    const double distance = dt * velocity.getMagnitude();
    x = x + stepCos * distance;
    y = y + stepSin * distance;
    const int32_t px = screenCoord(x);
    const int32_t py = screenCoord(y);
    if (px < 0 || px >= ScreenWidth || py < 0 || py >= ScreenHeight) {
        owner->removeParticle(this);
        return;
    }
    const double ratio = lifetime > 0 ? remaining / lifetime : 0.0;
    plot(px, py, fadeColor(color, ratio));
}

Effect::Effect(double x, double y, int32_t count, ParticleSpawner spawner, int32_t listIndex) {
    slot.listIndex = listIndex;
    if (count <= 0) return;
    capacity = count;
    particles = newArrayOrNull<Particle*>(count);
    if (particles == nullptr || spawner == nullptr) return;

    const Vector2D origin(x, y);
    for (int32_t i = 0; i < count && g_particleCount < MaxParticles; ++i) {
        // A particle that cannot be allocated is skipped; the array stays dense.
        Particle* p = spawner(origin, this, liveCount);
        if (p == nullptr) continue;
        particles[liveCount++] = p;
        ++g_particleCount;
    }
}

Effect::~Effect() {
    g_particleCount -= liveCount;
    deleteAllObjects(particles, liveCount);
    delete[] particles;
}

namespace {

// Backward, so a particle removing itself only shifts particles already updated.
// Each particle is its own allocation and is cold after the last frame's drawing:
// asking for the ones ahead early keeps the loop from waiting on each in turn.
[[gnu::always_inline]] inline void updateParticles(Particle* const* particles, int32_t count, double dt) {
    for (int32_t i = count - 1; i >= 0; --i) {
        if (i >= ParticlePrefetchDistance) prefetchParticle(particles[i - ParticlePrefetchDistance]);
        particles[i]->update(dt);
    }
}

// Mostly floor and ceil: SSE4.1 rounds in one instruction each, where the baseline
// calls the library.
GLINTWAKE_TARGET_SSE41 void updateParticlesSse41(Particle* const* particles, int32_t count, double dt) {
    updateParticles(particles, count, dt);
}

void updateParticlesBaseline(Particle* const* particles, int32_t count, double dt) {
    updateParticles(particles, count, dt);
}

}  // namespace

void Effect::update(double dt) {
    if (slot.dead) return;
    static const auto run = platform::cpuRunsSse41() ? updateParticlesSse41 : updateParticlesBaseline;
    run(particles, liveCount, dt);
    if (liveCount <= 0) slot.dead = true;
}

void Effect::removeParticle(Particle* p) {
    if (p == nullptr) return;
    const int32_t index = p->slot.getListIndex();
    // A particle that is not where it says it is belongs to no one here.
    if (index < 0 || index >= liveCount || particles[index] != p) return;
    --g_particleCount;
    removeObject(particles, liveCount, p);
}

}  // namespace glintwake
