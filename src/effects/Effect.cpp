// PLACEHOLDER: replaced by the real implementation.
#include "effects/Effect.h"
namespace glintwake {
Particle::Particle(const Vector2D&, const Vector2D&, uint32_t c, double l, Effect* o, int32_t)
    : color(c), remaining(l), lifetime(l), owner(o) {}
void Particle::update(double) {}
Particle* spawnRedParticle(const Vector2D&, Effect*, int32_t) { return nullptr; }
Particle* spawnBlueParticle(const Vector2D&, Effect*, int32_t) { return nullptr; }
Particle* spawnYellowParticle(const Vector2D&, Effect*, int32_t) { return nullptr; }
Particle* spawnOrangeParticle(const Vector2D&, Effect*, int32_t) { return nullptr; }
Particle* spawnGreenParticle(const Vector2D&, Effect*, int32_t) { return nullptr; }
Particle* spawnPaleParticle(const Vector2D&, Effect*, int32_t) { return nullptr; }
uint32_t fadeColor(uint32_t c, double) { return c; }
Effect::Effect(double, double, int32_t, ParticleSpawner, int32_t) {}
Effect::~Effect() {}
void Effect::update(double) {}
void Effect::removeParticle(Particle*) {}
}  // namespace glintwake
