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

class ObjectListTest : public ::testing::Test {
protected:
    static constexpr int32_t Capacity = 4;
    Item* list[Capacity] = {};
    int32_t count = 0;
    int nextId = 0;

    bool append() {
        return appendObject(list, count, Capacity, [&](int32_t i) { return new Item(i, nextId++); });
    }
    // The ids in list order, checking that each entry knows its index and the tail is empty.
    std::vector<int> ids() {
        std::vector<int> out;
        for (int32_t i = 0; i < Capacity; ++i) {
            EXPECT_EQ(list[i] == nullptr, i >= count) << i;
            if (list[i] == nullptr) continue;
            EXPECT_EQ(list[i]->slot.listIndex, i);
            out.push_back(list[i]->id);
        }
        return out;
    }
    void TearDown() override { deleteAllObjects(list, count); }
};

TEST_F(ObjectListTest, AppendTakesFirstFreeEntryAndRefusesWhenFull) {
    for (int i = 0; i < Capacity; ++i) ASSERT_TRUE(append());
    EXPECT_FALSE(append());
    EXPECT_EQ(ids(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(nextId, Capacity);  // nothing was made for the refused request
}

TEST_F(ObjectListTest, RemovingFirstOfThreeShiftsTheOthersDown) {
    for (int i = 0; i < 3; ++i) append();
    removeObject(list, count, list[0]);
    EXPECT_EQ(ids(), (std::vector<int>{1, 2}));
}

TEST_F(ObjectListTest, OnePassRemovesTwoDeadNeighbours) {
    for (int i = 0; i < 4; ++i) append();
    list[1]->slot.dead = list[2]->slot.dead = true;
    removeDeadObjects(list, count);
    EXPECT_EQ(ids(), (std::vector<int>{0, 3}));
}

}  // namespace
}  // namespace glintwake
