#pragma once
// The record at the start of every listed object: its dead flag and its index
// in the list that holds it.
#include <cstdint>

namespace glintwake {

struct ListSlot {
    bool dead = false;
    int32_t listIndex = 0;

    bool isDead() const { return dead; }
    int32_t getListIndex() const { return listIndex; }
    void decrementListIndex() { --listIndex; }
};

}  // namespace glintwake
