#include <gtest/gtest.h>

#include <vector>

#include "world/ObjectList.h"

namespace glintwake {
namespace {

struct Item {
    explicit Item(int32_t index, int id, std::vector<int>* deleted) : id(id), deleted(deleted) {
        slot.listIndex = index;
    }
    ~Item() { deleted->push_back(id); }
    ListSlot slot;
    int id;
    std::vector<int>* deleted;
};

class ObjectListTest : public ::testing::Test {
protected:
    static constexpr int32_t Capacity = 4;
    Item* list[Capacity] = {};
    int32_t count = 0;
    std::vector<int> deleted;
    int nextId = 0;

    bool append() {
        return appendObject(list, count, Capacity,
                            [&](int32_t i) { return new Item(i, nextId++, &deleted); });
    }
    void TearDown() override { deleteAllObjects(list, count); }
};

TEST_F(ObjectListTest, AppendTakesFirstFreeEntryAndRefusesWhenFull) {
    for (int i = 0; i < Capacity; ++i) {
        ASSERT_TRUE(append());
        EXPECT_EQ(list[i]->slot.listIndex, i);
    }
    EXPECT_FALSE(append());
    EXPECT_EQ(count, Capacity);
    EXPECT_EQ(nextId, Capacity);  // nothing was made for the refused request
}

TEST_F(ObjectListTest, RemovingFirstOfThreeShiftsTheOthersDown) {
    for (int i = 0; i < 3; ++i) append();
    removeObject(list, count, list[0]);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(list[0]->id, 1);
    EXPECT_EQ(list[0]->slot.listIndex, 0);
    EXPECT_EQ(list[1]->id, 2);
    EXPECT_EQ(list[1]->slot.listIndex, 1);
    EXPECT_EQ(list[2], nullptr);
    EXPECT_EQ(deleted, std::vector<int>{0});
}

TEST_F(ObjectListTest, OnePassRemovesTwoDeadNeighbours) {
    for (int i = 0; i < 4; ++i) append();
    list[1]->slot.dead = true;
    list[2]->slot.dead = true;
    removeDeadObjects(list, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(list[0]->id, 0);
    EXPECT_EQ(list[1]->id, 3);
    EXPECT_EQ(list[1]->slot.listIndex, 1);
    EXPECT_EQ(list[2], nullptr);
    EXPECT_EQ(list[3], nullptr);
    EXPECT_EQ(deleted, (std::vector<int>{2, 1}));
}

TEST_F(ObjectListTest, RemovingNullDoesNothing) {
    append();
    removeObject<Item>(list, count, nullptr);
    EXPECT_EQ(count, 1);
}

}  // namespace
}  // namespace glintwake
