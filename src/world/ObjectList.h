#pragma once
// The rules of the fixed-capacity object lists (the world's four and each effect's
// particles): dense, ordered, each object knowing its index. T is any type with a
// `slot` ListSlot member.
#include <cstdint>

#include "world/ListSlot.h"

namespace glintwake {

// Creates an object in the first free entry. make(index) returns the new object
// or null when it could not be made; nothing is counted then.
template <typename T, typename Make>
bool appendObject(T** list, int32_t& count, int32_t capacity, Make make) {
    if (list == nullptr) return false;
    for (int32_t i = 0; i < capacity; ++i) {
        if (list[i] != nullptr) continue;
        T* object = make(i);
        if (object == nullptr) return false;
        list[i] = object;
        ++count;
        return true;
    }
    return false;
}

// Deletes the object and closes the gap, keeping the order and the indices.
template <typename T>
void removeObject(T** list, int32_t& count, T* object) {
    if (object == nullptr) return;
    --count;
    for (int32_t i = object->slot.getListIndex(); i < count; ++i) {
        list[i] = list[i + 1];
        list[i]->slot.decrementListIndex();
    }
    delete object;
    list[count] = nullptr;
}

// A removal pass: walks from the last entry to the first so that each shift only
// touches entries already looked at.
template <typename T>
void removeDeadObjects(T** list, int32_t& count) {
    if (list == nullptr) return;
    for (int32_t i = count - 1; i >= 0; --i) {
        if (list[i] != nullptr && list[i]->slot.isDead()) removeObject(list, count, list[i]);
    }
}

// Deletes every entry from the last to the first and frees nothing else.
template <typename T>
void deleteAllObjects(T** list, int32_t count) {
    if (list == nullptr) return;
    for (int32_t i = count - 1; i >= 0; --i) {
        delete list[i];
        list[i] = nullptr;
    }
}

}  // namespace glintwake
