#pragma once
// The ship the player flies: steering within the lower third, the main gun with
// its charge, three secondary weapons, shield, teleport and invulnerability.
#include <cstdint>

#include "core/GameObject.h"
#include "core/WeaponKinds.h"

namespace glintwake {

constexpr int32_t PlayerWidth = 33;
constexpr int32_t PlayerHeight = 44;
constexpr int32_t MaxHealth = 100;
constexpr double MaxShield = 3.0;
constexpr double MaxCharge = 2.0;

// What the shop sells, by the number Player::buyItem takes; the shop lists its
// rows in this order.
enum ShopItem : int32_t {
    HealthItem = 0,
    ShieldItem = 1,
    ArcShotAmmoItem = 2,
    MissileAmmoItem = 3,
    EnergyCannonAmmoItem = 4,
    SuperLaserItem = 5,
    PowerLaserItem = 6,
};

// The charge laser's key: not held, charging, or fully charged.
enum class ChargeState : uint8_t { Idle = 0, Charging = 1, Charged = 2 };

class Player : public GameObject {
public:
    Player();

    // The per-frame step: keys are the 256-byte state, dt the frame time in seconds.
    void updatePlayer(const uint8_t* keys, double dt);

    // Loses hit points unless shielded, teleporting or invulnerable; never below 0.
    void takeDamage(int32_t amount);
    // Applies one power-up's reward and posts its message.
    void applyPickup(int32_t kind, int32_t amount);

    // Shop.
    int32_t getMoney() const { return money; }
    void spendMoney(int32_t price) { money -= price; }
    LaserType getLaserType() const { return laserType; }
    // One of a ShopItem, held to the same caps as the matching power-up; others do nothing.
    void buyItem(int32_t item);

    // Status display.
    int32_t getHealth() const { return health; }
    double getShield() const { return shield; }
    int32_t getArcShotAmmo() const { return arcShotAmmo; }
    int32_t getMissileAmmo() const { return missileAmmo; }
    int32_t getEnergyCannonAmmo() const { return energyCannonAmmo; }
    int32_t getArcShotLevel() const { return arcShotLevel; }
    int32_t getMissileLevel() const { return missileLevel; }
    int32_t getEnergyCannonLevel() const { return energyCannonLevel; }

    // State read by tests, replays and the soak checks.
    double getLaserCooldown() const { return laserCooldown; }
    double getSecondaryCooldown() const { return secondaryCooldown; }
    double getLaserInterval() const { return laserInterval; }
    ChargeState getChargeState() const { return chargeState; }
    bool isShieldActive() const { return shieldActive; }
    bool isTeleporting() const { return teleporting; }
    int8_t getTeleportFrame() const { return teleportFrame; }
    double getInvulnerableTime() const { return invulnerableTime; }

    // For tests and the shop's scenarios: put the ship into a given state.
    void setPosition(double x, double y) { position.setCartesian(x, y); }
    void setHealth(int32_t value) { health = value; }
    void setShield(double value) { shield = value; }
    void setMoney(int32_t value) { money = value; }
    void setLaserType(LaserType type) { laserType = type; }
    void setLaserInterval(double value) { laserInterval = value; }
    void setInvulnerableTime(double value) { invulnerableTime = value; }
    void setAmmo(int32_t arcShot, int32_t missiles, int32_t energyCannon);
    void setLevels(int32_t arcShot, int32_t missiles, int32_t energyCannon);
    void finishTeleport() {
        teleporting = false;
        teleportFrame = 0;
    }

private:
    struct CounterReward;
    // Adds amount to the counter the power-up kind rewards, held to its cap; null when
    // the kind has no counter.
    const CounterReward* addToCounter(int32_t kind, int32_t amount);
    void steer(const uint8_t* keys);
    void runShield(const uint8_t* keys, double dt);
    void runInvulnerability(double dt);
    void keepInRegion();
    void fireMainGun(const uint8_t* keys, double dt);
    void fireGun(int32_t gunOffset);
    void releaseCharge();
    void fireSecondary(const uint8_t* keys, double dt);
    void fireArcShot();
    // Returns true while the teleport runs; it then draws instead of the ship.
    bool runTeleport();
    void drawShip();
    void drawOverlays();

    // The teleport strip runs from frame 1 to this one, then back from its negative.
    static constexpr int8_t TeleportLastFrame = 4;
    static constexpr int8_t TeleportFrameDelay = 2;  // updates each teleport frame is held

    LaserType laserType = LaserType::Normal;
    int32_t money = 0;
    double laserCooldown = 0.0;
    double secondaryCooldown = 0.0;
    double laserInterval = 0.25;
    bool nextGunLeft = false;
    int32_t health = MaxHealth;
    double charge = 0.0;
    ChargeState chargeState = ChargeState::Idle;
    int32_t arcShotAmmo = 5;
    int32_t missileAmmo = 5;
    int32_t energyCannonAmmo = 5;
    int32_t arcShotLevel = 0;
    int32_t missileLevel = 0;
    int32_t energyCannonLevel = 0;
    double shield = MaxShield;
    bool shieldActive = false;
    int8_t shieldFrame = 0;
    int8_t shieldFrameCounter = 0;
    // A new ship arrives by teleport: the second half of the strip.
    bool teleporting = true;
    int8_t teleportFrame = -TeleportLastFrame;
    int8_t teleportDelay = TeleportFrameDelay;
    double invulnerableTime = 0.0;
    int8_t invulnerableFrame = 0;
};

}  // namespace glintwake
