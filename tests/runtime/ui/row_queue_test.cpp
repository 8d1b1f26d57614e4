// The rows of lists and combos: a queue of fixed-size records kept in order,
// and the rows made from "|"-separated items.
#include <gtest/gtest.h>
#include <string>

#include "runtime/text/fields.h"
#include "runtime/ui/row_queue.h"

namespace {

using namespace runtime;
using namespace runtime::ui;

struct Row {
    text::Long number;
    text::Fixed<8> name;
};

Row row(int32_t number, const char* name) {
    Row made;
    made.number = number;
    made.name = name;
    return made;
}

std::string numbers(const Queue<Row>& queue) {
    std::string all;
    for (size_t i = 0; i < queue.count(); ++i) {
        all += std::to_string(queue.get(i).number.get()) + " ";
    }
    return all;
}

TEST(RowQueue, RowsGoInAtAnyPlaceAndOutOfRangeChangesNothing) {
    Queue<Row> queue;
    queue.append(row(1, "a"));
    queue.append(row(3, "c"));
    queue.insert(1, row(2, "b"));
    queue.insert(99, row(4, "d")); // past the end appends
    EXPECT_EQ(numbers(queue), "1 2 3 4 ");
    queue.remove(7);
    EXPECT_EQ(queue.count(), 4u);
    queue.remove(0);
    EXPECT_EQ(numbers(queue), "2 3 4 ");
    queue.truncate(10);
    EXPECT_EQ(queue.count(), 3u);
    queue.truncate(1);
    EXPECT_EQ(numbers(queue), "2 ");
    EXPECT_EQ(queue.row(1), nullptr);
    EXPECT_EQ(queue.get(5).number.get(), 0) << "a row past the end reads as empty";
    queue.put(5, row(9, "z"));
    EXPECT_EQ(queue.count(), 1u) << "putting past the end adds nothing";
}

TEST(RowQueue, ARowOfTheQueueItselfCanBeInsertedAgain) {
    Queue<Row> queue;
    for (int32_t i = 1; i <= 3; ++i) {
        queue.append(row(i, "x"));
    }
    // Repeatedly, so that the queue grows and moves its storage meanwhile.
    for (int i = 0; i < 40; ++i) {
        queue.insertRecord(0, queue.row(queue.count() - 1));
    }
    EXPECT_EQ(queue.count(), 43u);
    EXPECT_EQ(queue.get(0).number.get(), 3);
    EXPECT_EQ(queue.get(39).number.get(), 3);
    EXPECT_EQ(numbers(queue).substr(numbers(queue).size() - 6), "1 2 3 ");
}

TEST(RowQueue, ItemsSplitAtBarsKeepEmptyItemsAndClipLongOnes) {
    struct Case {
        std::string items;
        size_t rows;
        std::string second;
    };
    for (const Case& c : {Case{"", 0, ""}, Case{"Red", 1, ""}, Case{"Red|Green|Blue", 3, "Green"},
                          Case{"Red||Blue", 3, ""}, Case{"Red|", 2, ""}}) {
        std::unique_ptr<RowQueue> rows = rowsFromItems(c.items);
        ASSERT_EQ(rows->count(), c.rows) << c.items;
        if (c.rows > 1) {
            std::string second(reinterpret_cast<const char*>(rows->row(1)), ItemRowSize);
            EXPECT_EQ(second.substr(0, second.find_last_not_of(' ') + 1), c.second) << c.items;
        }
    }
    std::unique_ptr<RowQueue> long_ = rowsFromItems(std::string(400, 'x') + "|y");
    ASSERT_EQ(long_->count(), 2u);
    EXPECT_EQ(static_cast<char>(*long_->row(1)), 'y') << "a long item is clipped, not spilled into the next";
}

} // namespace
