#include <gtest/gtest.h>

#include <vector>

#include "world/ObjectList.h"

namespace glintwake {
namespace {

// Leaks and double deletes are left to the sanitizers.
struct Item {
    Item(int32_t index, int id) : id(id) { slot.listIndex = index; }
    ListSlot slot;
    int id;
};

TEST(ObjectListTest, FullListRefusesAndRemovalsCloseTheGapsInOrder) {
    constexpr int32_t Capacity = 4;
    Item* list[Capacity] = {};
    int32_t count = 0;
    int made = 0;
    const auto append = [&] {
        return appendObject(list, count, Capacity, [&](int32_t i) { return new Item(i, made++); });
    };
    // The ids in list order, checking that each entry knows its index and the tail is empty.
    const auto ids = [&] {
        std::vector<int> out;
        for (int32_t i = 0; i < Capacity; ++i) {
            EXPECT_EQ(list[i] == nullptr, i >= count) << i;
            if (list[i] == nullptr) continue;
            EXPECT_EQ(list[i]->slot.listIndex, i);
            out.push_back(list[i]->id);
        }
        return out;
    };
    for (int i = 0; i < Capacity; ++i) ASSERT_TRUE(append());
    EXPECT_FALSE(append());
    EXPECT_EQ(made, Capacity);  // nothing was made for the refused request

    list[1]->slot.dead = list[2]->slot.dead = true;  // neighbours, gone in one pass
    removeDeadObjects(list, count);
    EXPECT_EQ(ids(), (std::vector<int>{0, 3}));
    append();
    removeObject(list, count, list[0]);  // the first of three
    EXPECT_EQ(ids(), (std::vector<int>{3, 4}));
    deleteAllObjects(list, count);
}

}  // namespace
}  // namespace glintwake
