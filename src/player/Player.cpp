#include "player/Player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>

#include "core/Timer.h"
#include "player/Factories.h"
#include "player/PowerUp.h"
#include "world/GameSound.h"
#include "world/GameState.h"
#include "world/MessageLine.h"

namespace glintwake {

namespace {

using platform::isKeyDown;
namespace key = platform::key;

constexpr double StartX = 304.0;
constexpr double StartY = 430.0;
constexpr uint32_t ShipFrames = 2;
constexpr uint32_t ShipFrameDelay = 2;

// Steering and damping act per update, not per second.
constexpr double SteerX = 40.0;
constexpr double SteerY = 20.0;
constexpr double Damping = 0.9;

// The ship's region: the lower third of the screen, a few pixels off the sides.
constexpr double RegionLeft = 3.0;
constexpr double RegionRight = 602.0;
constexpr double RightWallGap = 4.0;
constexpr double RegionTop = 320.0;
constexpr double RegionBottom = 435.0;

// Gun offsets from the ship's left edge.
constexpr int32_t LeftGun = 4;
constexpr int32_t RightGun = 29;
constexpr int32_t CentreGun = 16;
constexpr int32_t MissileHalfWidth = 2;

constexpr double ChargeDamagePerSecond = 10.0;
constexpr double ChargeCooldownDivisor = 4.0;

constexpr double StraightUp = 270.0;
constexpr double ArcStep = 7.0;
constexpr int32_t ArcStepsLeftOfUp = 2;  // at level 0; each level adds one more on the left
constexpr int32_t ArcBaseLasers = 6;
constexpr double ArcShotCooldown = 1.0;
constexpr double EnergyCannonCooldown = 2.0;
constexpr double MissileCooldown = 1.5;

constexpr double ScreenMiddle = ScreenWidth / 2.0;
constexpr int32_t TeleportWidth = 40;
constexpr int32_t TeleportOffsetX = -3;

constexpr uint32_t ChargingFrames = 4;
constexpr uint32_t ChargingFrameDelay = 1;

constexpr int8_t ShieldFrameHold = 1;
constexpr int32_t ShieldWidth = 45;
constexpr int32_t ShieldHeight = 35;
constexpr int32_t ShieldOffsetX = -6;
constexpr int32_t ShieldOffsetY = -7;

constexpr int8_t InvincibleFrames = 8;
constexpr int32_t InvincibleWidth = 35;
constexpr int32_t InvincibleHeight = 40;
constexpr int32_t InvincibleOffsetX = -1;
constexpr int32_t InvincibleOffsetY = 2;

constexpr double FastestLaserInterval = 0.2;
constexpr double LaserSpeedUpStep = 0.1;
constexpr double ShieldPerPurchase = MaxShield / 100.0;  // one percent of a full shield

// Pick-ups have no cap on these counters; saturate rather than overflow.
int32_t addSaturated(int32_t value, int32_t amount) {
    const int64_t sum = int64_t{value} + amount;
    if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(sum);
}

// Half a laser's width, to centre it on a gun.
int32_t halfWidth(LaserType laserType) {
    const bool known = laserType <= LaserType::Charge;
    return LaserWidth[laserIndex(known ? laserType : LaserType::Normal)] / 2;
}

// The shot sound of a gun's laser grade.
Sound laserSound(LaserType laserType) {
    switch (laserType) {
        case LaserType::Super:
            return Sound::LaserSuper;
        case LaserType::Power:
            return Sound::LaserPower;
        default:
            return Sound::LaserNormal;
    }
}

// Frame `frame` of a strip of frameHeight-high frames, wrapped into the image so
// a frame index left over from a longer strip still draws something valid.
Rect stripFrame(const Surface* strip, uint32_t frame, int32_t width, int32_t frameHeight) {
    const int32_t frames = strip ? strip->height() / frameHeight : 0;
    const int32_t index = frames > 0 ? static_cast<int32_t>(frame % static_cast<uint32_t>(frames)) : 0;
    return Rect{0, index * frameHeight, width, index * frameHeight + frameHeight};
}

}  // namespace

Player::Player() {
    setImageAndBounds(g_imgPlayerShip, PlayerWidth, PlayerHeight);
    setAnimation(ShipFrames, ShipFrameDelay);
    position.setCartesian(StartX, StartY);
}

void Player::updatePlayer(const uint8_t* keys, double dt) {
    if (health <= 0) return;
    steer(keys);
    runShield(keys, dt);
    runInvulnerability(dt);
    velocity.scale(Damping);
    position.addScaled(velocity, dt);
    keepInRegion();
    if (!teleporting) {
        if (isKeyDown(keys, key::RightAlt)) {
            teleporting = true;
            playSound(Sound::Teleport);
            teleportFrame = 1;
            teleportDelay = TeleportFrameDelay;
        }
        fireMainGun(keys, dt);
        fireSecondary(keys, dt);
    }
    if (runTeleport()) return;
    drawShip();
    drawOverlays();
}

void Player::steer(const uint8_t* keys) {
    if (isKeyDown(keys, key::Left)) velocity.setX(velocity.getX() - SteerX);
    if (isKeyDown(keys, key::Right)) velocity.setX(velocity.getX() + SteerX);
    if (isKeyDown(keys, key::Down)) velocity.setY(velocity.getY() + SteerY);
    if (isKeyDown(keys, key::Up)) velocity.setY(velocity.getY() - SteerY);
}

void Player::runShield(const uint8_t* keys, double dt) {
    if (!isKeyDown(keys, key::RightControl) || shield <= 0 || teleporting) {
        shieldActive = false;
        return;
    }
    // The update that raises the shield costs no energy.
    if (!shieldActive) {
        shieldActive = true;
        playSound(Sound::ShieldUp);
        shieldFrame = 0;
        return;
    }
    countDown(shield, dt);
    shieldFrameCounter += 1;
    if (shieldFrameCounter > ShieldFrameHold) {
        shieldFrameCounter = 0;
        shieldFrame = shieldFrame == 0 ? 1 : 0;
    }
}

void Player::runInvulnerability(double dt) {
    if (invulnerableTime <= 0) return;
    countDown(invulnerableTime, dt);
    invulnerableFrame += 1;
    if (invulnerableFrame >= InvincibleFrames) invulnerableFrame = 0;
}

void Player::keepInRegion() {
    if (position.getX() < RegionLeft) {
        position.setX(RegionLeft);
        velocity.setX(0);
    }
    if (position.getX() + PlayerWidth + RightWallGap >= ScreenWidth) {
        position.setX(RegionRight);
        velocity.setX(0);
    }
    if (position.getY() < RegionTop) {
        position.setY(RegionTop);
        velocity.setY(0);
    }
    if (position.getY() + PlayerHeight >= ScreenHeight) {
        position.setY(RegionBottom);
        velocity.setY(0);
    }
}

void Player::fireMainGun(const uint8_t* keys, double dt) {
    if (laserCooldown > 0) {
        countDown(laserCooldown, dt);
        return;
    }
    // Charging takes precedence over normal fire.
    if (isKeyDown(keys, key::LeftControl)) {
        if (charge < MaxCharge) {
            if (chargeState == ChargeState::Idle) playSound(Sound::Charging);
            charge += dt;
            chargeState = ChargeState::Charging;
        } else {
            chargeState = ChargeState::Charged;
        }
    } else if (charge > 0) {
        releaseCharge();
    } else if (isKeyDown(keys, key::Space) && isKeyDown(keys, key::LeftAlt)) {
        fireGun(LeftGun);
        fireGun(RightGun);
        laserCooldown += 2 * laserInterval;
    } else if (isKeyDown(keys, key::Space)) {
        fireGun(nextGunLeft ? LeftGun : RightGun);
        nextGunLeft = !nextGunLeft;
        laserCooldown += laserInterval;
    }
}

void Player::fireGun(int32_t gunOffset) {
    if (fireLaser(position.getX() + gunOffset - halfWidth(laserType), position.getY(), laserType))
        playSound(laserSound(laserType));
}

void Player::releaseCharge() {
    const auto chargeDamage = static_cast<int32_t>(std::floor(charge * ChargeDamagePerSecond));
    const double x = position.getX();
    const double y = position.getY();
    fireChargeLaser(x + LeftGun - halfWidth(LaserType::Charge), y, chargeDamage);
    fireChargeLaser(x + RightGun - halfWidth(LaserType::Charge), y, chargeDamage);
    stopSound(Sound::Charging);
    playSound(Sound::ChargeRelease);
    laserCooldown = 2 * laserInterval + charge / ChargeCooldownDivisor;
    charge = 0;
    chargeState = ChargeState::Idle;
}

void Player::fireSecondary(const uint8_t* keys, double dt) {
    if (secondaryCooldown > 0) {
        countDown(secondaryCooldown, dt);
        return;
    }
    const double x = position.getX();
    const double y = position.getY();
    if (isKeyDown(keys, key::Z) && arcShotAmmo > 0) {
        arcShotAmmo -= 1;
        fireArcShot();
        playSound(Sound::ArcShot);
        secondaryCooldown += ArcShotCooldown;
    } else if (isKeyDown(keys, key::X) && energyCannonAmmo > 0) {
        energyCannonAmmo -= 1;
        fireEnergyBeam(x + CentreGun, y, energyCannonLevel);
        playSound(Sound::EnergyCannon);
        secondaryCooldown += EnergyCannonCooldown;
    } else if (isKeyDown(keys, key::LeftShift) && missileAmmo > 0) {
        missileAmmo -= 1;
        fireMissile(x + CentreGun - MissileHalfWidth, y, missileLevel);
        playSound(Sound::MissileLaunch);
        secondaryCooldown += MissileCooldown;
    }
}

void Player::fireArcShot() {
    // The fan ends 21 degrees right of straight up; higher levels widen it on the left.
    const double firstAngle = StraightUp - ArcStep * (static_cast<double>(arcShotLevel) + ArcStepsLeftOfUp);
    Vector2D direction(firstAngle, LaserSpeed, true);
    const int64_t lasers = int64_t{arcShotLevel} + ArcBaseLasers;
    const double x = position.getX() + CentreGun - halfWidth(laserType);
    for (int64_t i = 0; i < lasers; ++i) {
        // Once the shot list is full the rest of the fan cannot be placed either.
        if (!fireAimedLaser(x, position.getY(), direction, laserType)) break;
        direction.rotate(ArcStep);
    }
}

bool Player::runTeleport() {
    if (!teleporting) return false;
    const int8_t delay = teleportDelay;
    teleportDelay = static_cast<int8_t>(delay - 1);
    if (delay <= 0) {
        teleportFrame += 1;
        if (teleportFrame > TeleportLastFrame) {
            teleportFrame = -TeleportLastFrame;
            position.setX(position.getX() < ScreenMiddle ? RegionRight : RegionLeft);
        }
        teleportDelay = TeleportFrameDelay;
    }
    if (teleportFrame == 0) {
        teleporting = false;
        teleportFrame = 1;
    }
    const auto frame = static_cast<uint32_t>(std::abs(teleportFrame) - 1);
    drawClipped(g_imgTeleport, screenCoord(position.getX()) + TeleportOffsetX, screenCoord(position.getY()),
                stripFrame(g_imgTeleport, frame, TeleportWidth, PlayerHeight));
    return true;
}

void Player::drawShip() {
    Surface* strip = g_imgPlayerShip;
    if (chargeState == ChargeState::Charging) {
        strip = g_imgCharging;
        advanceFrame(ChargingFrames, ChargingFrameDelay);
    } else {
        if (chargeState == ChargeState::Charged) strip = g_imgChargingReady;
        animationStep();
    }
    drawClipped(strip, screenCoord(position.getX()), screenCoord(position.getY()),
                stripFrame(strip, currentFrame, PlayerWidth, PlayerHeight));
}

void Player::drawOverlays() {
    const int32_t sx = screenCoord(position.getX());
    const int32_t sy = screenCoord(position.getY());
    if (shieldActive) {
        drawClipped(
            g_imgPlayerShield, sx + ShieldOffsetX, sy + ShieldOffsetY,
            stripFrame(g_imgPlayerShield, static_cast<uint32_t>(shieldFrame), ShieldWidth, ShieldHeight));
    }
    if (invulnerableTime > 0) {
        drawClipped(g_imgInvincible, sx + InvincibleOffsetX, sy + InvincibleOffsetY,
                    stripFrame(g_imgInvincible, static_cast<uint32_t>(invulnerableFrame), InvincibleWidth,
                               InvincibleHeight));
    }
}

void Player::takeDamage(int32_t amount) {
    if (shieldActive || teleporting || invulnerableTime > 0) return;
    playSound(Sound::ShipHit);
    const int64_t left = int64_t{health} - amount;
    health =
        left < 0 ? 0 : static_cast<int32_t>(std::min<int64_t>(left, std::numeric_limits<int32_t>::max()));
}

// Kinds that add their amount to a counter; a %d in the message shows the amount.
struct Player::CounterReward {
    int32_t kind;
    int32_t Player::*counter;
    int32_t cap;
    const char* format;
};

const Player::CounterReward* Player::addToCounter(int32_t kind, int32_t amount) {
    static constexpr int32_t NoCap = std::numeric_limits<int32_t>::max();
    static constexpr CounterReward CounterRewards[] = {
        {MoneyKind, &Player::money, NoCap, "Collected $%d!"},
        {CoinKind, &Player::money, NoCap, "Collected $%d!"},
        {ArcShotAmmoKind, &Player::arcShotAmmo, NoCap, "Arc Shot Ammo +%d!"},
        {MissileAmmoKind, &Player::missileAmmo, NoCap, "Missile Ammo +%d!"},
        {EnergyCannonAmmoKind, &Player::energyCannonAmmo, NoCap, "Energy Cannon Ammo +%d!"},
        {ArcShotLevelKind, &Player::arcShotLevel, NoCap, "Arc Shot Level Up!"},
        {MissileLevelKind, &Player::missileLevel, NoCap, "Missile Level Up!"},
        {EnergyCannonLevelKind, &Player::energyCannonLevel, NoCap, "Energy Cannon Level Up!"},
        {HealthKind, &Player::health, MaxHealth, "Health!"},
    };
    const auto* reward = std::find_if(std::begin(CounterRewards), std::end(CounterRewards),
                                      [kind](const CounterReward& r) { return r.kind == kind; });
    if (reward == std::end(CounterRewards)) return nullptr;
    int32_t& counter = this->*reward->counter;
    counter = std::min(addSaturated(counter, amount), reward->cap);
    return reward;
}

void Player::applyPickup(int32_t kind, int32_t amount) {
    char text[MessageCapacity] = {};
    if (const CounterReward* reward = addToCounter(kind, amount)) {
        std::snprintf(text, sizeof text, reward->format, amount);
    } else if (kind == InvulnerabilityKind) {
        invulnerableTime += amount;
        std::snprintf(text, sizeof text, "Temporary Invulnerability!");
    } else if (kind == LaserSpeedKind && laserInterval > FastestLaserInterval) {
        laserInterval -= LaserSpeedUpStep;
        std::snprintf(text, sizeof text, "Laser Speed Up!");
    } else if (kind == LaserSpeedKind || kind == ShieldKind) {
        // Lasers already at full speed: the laser-speed item recharges the shield instead.
        shield = MaxShield;
        std::snprintf(text, sizeof text, "Full Shield Recharge!");
    } else {
        return;
    }
    postMessage(text);
}

void Player::buyItem(int32_t item) {
    switch (item) {
        // One of what the matching power-up adds to, held to the same caps.
        case HealthItem:
            addToCounter(HealthKind, 1);
            break;
        case ShieldItem:
            shield = std::min(shield + ShieldPerPurchase, MaxShield);
            break;
        case ArcShotAmmoItem:
            addToCounter(ArcShotAmmoKind, 1);
            break;
        case MissileAmmoItem:
            addToCounter(MissileAmmoKind, 1);
            break;
        case EnergyCannonAmmoItem:
            addToCounter(EnergyCannonAmmoKind, 1);
            break;
        case SuperLaserItem:
            laserType = LaserType::Super;
            break;
        case PowerLaserItem:
            laserType = LaserType::Power;
            break;
        default:
            break;
    }
}

void Player::setAmmo(int32_t arcShot, int32_t missiles, int32_t energyCannon) {
    arcShotAmmo = arcShot;
    missileAmmo = missiles;
    energyCannonAmmo = energyCannon;
}

void Player::setLevels(int32_t arcShot, int32_t missiles, int32_t energyCannon) {
    arcShotLevel = arcShot;
    missileLevel = missiles;
    energyCannonLevel = energyCannon;
}

}  // namespace glintwake
