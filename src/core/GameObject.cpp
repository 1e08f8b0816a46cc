#include "core/GameObject.h"

#include <cmath>

#include "world/GameState.h"

namespace glintwake {

GameObject::GameObject(Surface* image, double x, double y, double vx, double vy, uint32_t frameCount,
                       uint32_t frameDelay, int32_t listIndex)
    : position(x, y),
      velocity(vx, vy),
      frameCount(frameCount),
      frameDelay(frameDelay),
      currentFrame(0),
      frameCountdown(frameDelay) {
    slot.listIndex = listIndex;
    setImageAndBounds(image);
}

void GameObject::setImageAndBounds(Surface* picture) {
    image = picture;
    if (picture != nullptr) bounds = Rect{0, 0, picture->width(), picture->height()};
}

void GameObject::setImageAndBounds(Surface* picture, int32_t width, int32_t height) {
    image = picture;
    bounds = Rect{0, 0, width, height};
}

void GameObject::setAnimation(uint32_t frames, uint32_t delay, uint32_t firstDelay) {
    frameCount = frames;
    frameDelay = delay;
    frameCountdown = firstDelay;
    currentFrame = 0;
}

void GameObject::advanceFrame(uint32_t count, uint32_t delay) {
    if (frameCountdown == 0) {
        currentFrame += 1;
        if (currentFrame >= count) currentFrame = 0;
        frameCountdown = delay;
    } else {
        frameCountdown -= 1;
    }
}

int32_t GameObject::frameHeight() const {
    if (image == nullptr) return 0;
    if (frameCount == 0) return image->height();  // a still picture
    return image->height() / static_cast<int32_t>(frameCount);
}

Rect GameObject::frameRect() const {
    const int32_t h = frameHeight();
    const int32_t top = static_cast<int32_t>(currentFrame) * h;
    return Rect{0, top, image ? image->width() : 0, top + h};
}

void GameObject::drawImage(Surface* image, int32_t x, int32_t y, const Rect& source) {
    if (image == nullptr || g_backBuffer == nullptr) return;
    g_backBuffer->bltFast(x, y, *image, source, platform::BltKeyed);
}

void GameObject::drawClipped(Surface* image, int32_t x, int32_t y, Rect src) {
    const int32_t w = src.width();
    const int32_t h = src.height();
    if (x < 0) {
        if (-x >= w) return;
        src.left -= x;
        x = 0;
    } else if (x + w > ScreenWidth) {
        if (x >= ScreenWidth) return;
        src.right -= x + w - ScreenWidth;
    }
    if (y < 0) {
        if (y <= -h) return;
        src.top -= y;
        y = 0;
    } else if (y + h > ScreenHeight) {
        if (y >= ScreenHeight) return;
        src.bottom -= y + h - ScreenHeight;
    }
    drawImage(image, x, y, src);
}

bool GameObject::fitsOnScreen(int32_t x, int32_t y, const Rect& source) {
    return x >= 0 && x + source.width() <= ScreenWidth && y >= 0 && y + source.height() <= ScreenHeight;
}

void GameObject::stepXToward(double targetX, double step) {
    const double x = position.getX();
    if (std::fabs(targetX - x) < step) {
        position.setX(targetX);
    } else if (x > targetX) {
        position.setX(x - step);
    } else {
        position.setX(x + step);
    }
}

void GameObject::update(double dt) {
    // Moving and animating do not depend on the image; only drawing needs one.
    position.addScaled(velocity, dt);
    animationStep();
    drawClipped(image, screenCoord(position.getX()), screenCoord(position.getY()), frameRect());
}

void GameObject::flyUnclipped(double dt) {
    if (slot.isDead()) return;
    position.addScaled(velocity, dt);
    followTarget(dt);
    animationStep();

    const Rect source = frameRect();
    const int32_t x = screenCoord(position.getX());
    const int32_t y = screenCoord(position.getY());
    if (!fitsOnScreen(x, y, source)) {
        leaveScreen();
        slot.dead = true;
        return;
    }
    if (touchTarget()) {
        slot.dead = true;
        return;
    }
    drawImage(image, x, y, source);
}

Rect GameObject::getBounds() const {
    const int32_t left = screenCoord(position.getX());
    const int32_t top = screenCoord(position.getY());
    return Rect{left, top, left + bounds.right, top + bounds.bottom};
}

bool GameObject::collides(const GameObject& other) const {
    const Rect a = getBounds();
    const Rect b = other.getBounds();
    return a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
}

}  // namespace glintwake
