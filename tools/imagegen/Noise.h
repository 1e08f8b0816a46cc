#pragma once
// Repeatable randomness for the pictures: the same program always writes the same files.
#include <cstdint>

namespace imagegen {

// A value in [0, 1) fixed by the pixel and the seed; used for dissolves and dithering.
inline double hashNoise(int x, int y, uint32_t seed) {
    uint32_t h =
        static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h >> 8) / 16777216.0;
}

// Small xorshift generator for scattering sparkles.
class Prng {
public:
    explicit Prng(uint32_t seed) : state_(seed == 0 ? 0x9E3779B9u : seed) {}

    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // A value in [0, n).
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    double unit() { return (next() >> 8) / 16777216.0; }

private:
    uint32_t state_;
};

}  // namespace imagegen
