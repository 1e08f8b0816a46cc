#pragma once
// A burst of single-pixel sparks. An Effect owns a fixed array of Particles that
// fly, fade and die; the effect dies with its last particle.
#include <cstddef>
#include <cstdint>
#include <new>

#include "core/Vector2D.h"
#include "world/ListSlot.h"

namespace glintwake {

class Effect;

class Particle final {
public:
    Particle(const Vector2D& origin, const Vector2D& velocity, uint32_t color, double lifetime, Effect* owner,
             int32_t index);
    virtual ~Particle() = default;
    // Particles come from their own pool (effects/ParticlePool.h).
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* p) noexcept;

    // Moves, fades and draws one pixel; removes itself from its effect when done.
    virtual void update(double dt);

    Vector2D getPosition() const { return Vector2D(x, y); }
    const Vector2D& getVelocity() const { return velocity; }
    uint32_t getColor() const { return color; }
    double getRemaining() const { return remaining; }

    ListSlot slot;

private:
    // Writes one pixel straight into the back buffer under a short lock.
    static void plot(int32_t px, int32_t py, uint32_t pixel);

    // Only the Cartesian position is kept while flying: its polar form is made
    // where it is read. The velocity never turns, so the cosine and sine of its
    // angle are taken once.
    double x;
    double y;
    Vector2D velocity;
    double stepCos;
    double stepSin;
    uint32_t color;
    double remaining;
    double lifetime;
    Effect* owner;
};

// A particle style: makes one particle at origin for the effect's entry index.
using ParticleSpawner = Particle* (*)(const Vector2D& origin, Effect* owner, int32_t index);

Particle* spawnRedParticle(const Vector2D& origin, Effect* owner, int32_t index);
Particle* spawnBlueParticle(const Vector2D& origin, Effect* owner, int32_t index);
Particle* spawnYellowParticle(const Vector2D& origin, Effect* owner, int32_t index);
Particle* spawnOrangeParticle(const Vector2D& origin, Effect* owner, int32_t index);
Particle* spawnGreenParticle(const Vector2D& origin, Effect* owner, int32_t index);
Particle* spawnPaleParticle(const Vector2D& origin, Effect* owner, int32_t index);

// The fade of a particle's colour at ratio remaining/lifetime, channel by channel.
uint32_t fadeColor(uint32_t color, double ratio);

class Effect {
public:
    Effect(double x, double y, int32_t count, ParticleSpawner spawner, int32_t listIndex);
    ~Effect();
    Effect(const Effect&) = delete;
    Effect& operator=(const Effect&) = delete;

    void update(double dt);
    void removeParticle(Particle* p);

    int32_t getLiveCount() const { return liveCount; }
    int32_t getCapacity() const { return capacity; }
    Particle* getParticle(int32_t i) const { return (i >= 0 && i < liveCount) ? particles[i] : nullptr; }

    ListSlot slot;

private:
    Particle** particles = nullptr;
    int32_t liveCount = 0;
    int32_t capacity = 0;
};

}  // namespace glintwake
