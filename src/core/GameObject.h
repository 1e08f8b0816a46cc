#pragma once
// The base of every actor on the screen (player, enemies, power-ups, shots):
// position, velocity, image, collision size and a vertical animation strip.
#include <cstdint>

#include "core/FloorToInt.h"
#include "core/Vector2D.h"
#include "core/WeaponKinds.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"
#include "world/ListSlot.h"

namespace glintwake {

using platform::Rect;
using platform::Surface;

class GameObject {
public:
    GameObject() = default;
    GameObject(Surface* image, double x, double y, double vx, double vy, uint32_t frameCount,
               uint32_t frameDelay, int32_t listIndex);
    GameObject(const GameObject&) = delete;
    GameObject& operator=(const GameObject&) = delete;
    virtual ~GameObject() = default;

    // Advances one frame and draws into the back buffer.
    virtual void update(double dt);
    // The keyed blit onto the back buffer; failures are ignored.
    static void drawImage(Surface* image, int32_t x, int32_t y, const Rect& source);
    // True when the two screen rectangles overlap; touching edges do not.
    virtual bool collides(const GameObject& other) const;
    virtual Rect getBounds() const;

    const Vector2D& getPosition() const { return position; }
    const Vector2D& getVelocity() const { return velocity; }
    Vector2D& getPosition() { return position; }
    Vector2D& getVelocity() { return velocity; }
    bool isDead() const { return slot.isDead(); }

    ListSlot slot;

protected:
    // Takes the picture and, when there is one, its whole size as the collision size.
    void setImageAndBounds(Surface* picture);
    // Takes the picture with a collision size of its own, whether or not it loaded.
    void setImageAndBounds(Surface* picture, int32_t width, int32_t height);
    // A strip of `frames` frames each held `delay` extra updates, the first `firstDelay`.
    void setAnimation(uint32_t frames, uint32_t delay, uint32_t firstDelay);
    void setAnimation(uint32_t frames, uint32_t delay) { setAnimation(frames, delay, delay); }

    // The step of every shot and power-up: move, followTarget, animate; then it
    // vanishes whole once any part of its frame would leave the screen (never
    // clipped), ends when touchTarget used it up, or else draws.
    void flyUnclipped(double dt);
    // Hooks of that step; by default they do nothing.
    virtual void followTarget(double /*dt*/) {}
    virtual void leaveScreen() {}
    // Acts on whatever the object touches; true when that used the object up.
    virtual bool touchTarget() { return false; }

    // Frame counter step shared by every animated object.
    void animationStep() { advanceFrame(frameCount, frameDelay); }
    // The same step over a strip of `count` frames each held `delay` extra updates,
    // for a ship that shows another strip than its own.
    void advanceFrame(uint32_t count, uint32_t delay);
    // The image's frame height (whole height / frameCount), 0 without an image.
    int32_t frameHeight() const;
    Rect frameRect() const;
    // drawImage with the part outside the 640x480 screen cut off first (the blit
    // itself refuses anything that does not fit).
    static void drawClipped(Surface* image, int32_t x, int32_t y, Rect source);
    // True when the source rectangle drawn with its top-left at (x, y) lies wholly on the screen.
    static bool fitsOnScreen(int32_t x, int32_t y, const Rect& source);
    // Moves x toward targetX by step, landing on it when it is nearer than that.
    void stepXToward(double targetX, double step);

    Surface* image = nullptr;  // belongs to the image table
    Rect bounds{};             // collision size: right = width, bottom = height
    Vector2D position;
    Vector2D velocity;
    uint32_t frameCount = 0;
    uint32_t frameDelay = 0;
    uint32_t currentFrame = 0;
    uint32_t frameCountdown = 0;
};

// The base of every shot: which weapon fired it and the damage it deals.
class Projectile : public GameObject {
public:
    using GameObject::GameObject;
    WeaponId getWeaponType() const { return weaponType; }
    int32_t getDamage() const { return damage; }

protected:
    WeaponId weaponType = WeaponId::NormalLaser;
    int32_t damage = 0;
};

// Screen positions are the floor of the doubles, also for negative values.
inline int32_t screenCoord(double v) {
    constexpr int32_t ScreenCoordLimit = 1 << 30;
    return floorToInt(v, ScreenCoordLimit);
}

}  // namespace glintwake
