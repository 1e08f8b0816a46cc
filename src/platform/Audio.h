#pragma once
// The sounds the game can ask for and the service that plays them. Every sound is
// made by the program at start-up; the game only names the one it wants.
#include <cstdint>

namespace platform {

enum class Sound : uint8_t {
    LaserNormal,
    LaserSuper,
    LaserPower,
    Charging,  // a tone rising while the charge is held; stopped at release
    ChargeRelease,
    ArcShot,
    EnergyCannon,
    MissileLaunch,
    EnemyLaser,
    EnemyHit,
    EnemyExplode,
    ShipHit,
    ShieldUp,
    Teleport,
    PickupMoney,
    PickupPowerUp,
    ShopMove,
    ShopBuy,
    ShopRefuse,
    NewWave,
};
constexpr int SoundCount = static_cast<int>(Sound::NewWave) + 1;

// Plays sounds on request. Nothing here may fail the game: where no sound device
// can be had, every call does nothing.
class Audio {
public:
    virtual ~Audio() = default;

    // Makes the sounds and opens the device (a backend may finish it later); false
    // means the game runs silent.
    virtual bool open() { return false; }
    virtual void close() {}
    // Starts the sound now; it is heard from the next block the device plays.
    virtual void play(Sound) {}
    // Fades out every playing voice of the sound.
    virtual void stop(Sound) {}
    // Muted: nothing is heard and new requests are dropped until unmuted.
    virtual void setMuted(bool) {}
    virtual bool isMuted() const { return false; }
    // Paused: playing voices hold where they are and nothing is heard.
    virtual void setPaused(bool) {}
};

}  // namespace platform
