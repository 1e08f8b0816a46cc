#include "Invariants.h"

#include <cstdint>
#include <sstream>

#include "effects/Effect.h"
#include "enemies/Enemy.h"
#include "player/Player.h"
#include "player/PowerUp.h"
#include "world/GameState.h"

namespace glintwake {

namespace {

template <typename T>
std::string checkList(const char* name, T* const* list, int32_t count, int32_t capacity) {
    std::ostringstream out;
    if (count < 0 || count > capacity) {
        out << name << " count " << count << " outside 0.." << capacity;
        return out.str();
    }
    for (int32_t i = 0; i < capacity; ++i) {
        const bool shouldHold = i < count;
        if ((list[i] != nullptr) != shouldHold) {
            out << name << "[" << i << "] is " << (shouldHold ? "empty" : "filled") << " with count "
                << count;
            return out.str();
        }
        if (shouldHold && list[i]->slot.getListIndex() != i) {
            out << name << "[" << i << "] has listIndex " << list[i]->slot.getListIndex();
            return out.str();
        }
    }
    return {};
}

std::string checkParticles() {
    int64_t live = 0;
    for (int32_t i = 0; i < g_effectCount; ++i) {
        const Effect* e = g_effects[i];
        if (e->getLiveCount() < 0 || e->getLiveCount() > e->getCapacity())
            return "effect live count out of range";
        for (int32_t p = 0; p < e->getLiveCount(); ++p) {
            if (e->getParticle(p) == nullptr || e->getParticle(p)->slot.getListIndex() != p)
                return "particle array not dense";
        }
        live += e->getLiveCount();
    }
    std::ostringstream out;
    if (live != g_particleCount) out << "g_particleCount " << g_particleCount << " but " << live << " live";
    if (g_particleCount > MaxParticles) out << "g_particleCount " << g_particleCount << " above the limit";
    return out.str();
}

std::string checkPlayer() {
    std::ostringstream out;
    const Player* p = g_player;
    if (p == nullptr) return "no player";
    if (p->getHealth() < 0 || p->getHealth() > MaxHealth) out << "health " << p->getHealth();
    if (p->getShield() < 0.0 || p->getShield() > MaxShield) out << "shield " << p->getShield();
    if (p->getMoney() < 0) out << "money " << p->getMoney();
    return out.str();
}

}  // namespace

std::string checkWorldInvariants() {
    for (const std::string& problem : {checkList("g_shots", g_shots, g_shotCount, MaxShots),
                                       checkList("g_enemies", g_enemies, g_enemyCount, MaxEnemies),
                                       checkList("g_effects", g_effects, g_effectCount, MaxEffects),
                                       checkList("g_powerUps", g_powerUps, g_powerUpCount, MaxPowerUps),
                                       checkParticles(), checkPlayer()}) {
        if (!problem.empty()) return problem;
    }
    return {};
}

bool backBufferPaddingClean() {
    if (g_backBuffer == nullptr) return true;
    const platform::PixelView v = g_backBuffer->view();
    const int32_t rowBytes = v.width * platform::BytesPerPixel;
    for (int32_t y = 0; y < v.height; ++y) {
        const uint8_t* row = v.base + static_cast<ptrdiff_t>(y) * v.pitch;
        for (int32_t b = rowBytes; b < v.pitch; ++b)
            if (row[b] != 0) return false;
    }
    return true;
}

}  // namespace glintwake
