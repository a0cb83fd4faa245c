#include <gtest/gtest.h>

#include "list/list_testing.h"
#include "list/pooled_list.h"

namespace {

std::string reportOf(const PooledList& list, const char* name = "myList") {
  CapturedOutput captured;
  list.print(captured.output(), name);
  return captured.marked();
}

TEST(ListReport, EmptyListIsTheHeadingAlone) {
  RecordPool pool;
  PooledList list(pool);
  EXPECT_EQ(reportOf(list), "After: 0 Operations: content of myList-List: Head(-1)\n|");
}

TEST(ListReport, OneLinePerRecordInListOrder) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {7, 5});
  EXPECT_EQ(reportOf(list, "other"),
            "After: 2 Operations: content of other-List: Head(3)\n|"
            "\tRecordAdddress( 3)  Key=(    7) NextRecordAddress=  0\n|"
            "\tRecordAdddress( 0)  Key=(    5) NextRecordAddress= -1\n|");
}

TEST(ListReport, WideKeysAreWrittenWhole) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {123456, 2147483647, -2147483648, 99999, -1, 0, 1, 2, 3, 4});
  EXPECT_EQ(reportOf(list),
            "After: 10 Operations: content of myList-List: Head(27)\n|"
            "\tRecordAdddress(27)  Key=(123456) NextRecordAddress= 24\n|"
            "\tRecordAdddress(24)  Key=(2147483647) NextRecordAddress= 21\n|"
            "\tRecordAdddress(21)  Key=(-2147483648) NextRecordAddress= 18\n|"
            "\tRecordAdddress(18)  Key=(99999) NextRecordAddress= 15\n|"
            "\tRecordAdddress(15)  Key=(   -1) NextRecordAddress= 12\n|"
            "\tRecordAdddress(12)  Key=(    0) NextRecordAddress=  9\n|"
            "\tRecordAdddress( 9)  Key=(    1) NextRecordAddress=  6\n|"
            "\tRecordAdddress( 6)  Key=(    2) NextRecordAddress=  3\n|"
            "\tRecordAdddress( 3)  Key=(    3) NextRecordAddress=  0\n|"
            "\tRecordAdddress( 0)  Key=(    4) NextRecordAddress= -1\n|");
}

TEST(ListReport, UnlinkedRecordsDoNotAppear) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {1, 2, 3});
  ASSERT_TRUE(list.remove(2));
  ASSERT_TRUE(list.remove(1));
  EXPECT_EQ(reportOf(list),
            "After: 5 Operations: content of myList-List: Head(0)\n|"
            "\tRecordAdddress( 0)  Key=(    3) NextRecordAddress= -1\n|");
  EXPECT_TRUE(pool.isInUse(3) && pool.isInUse(6));
}

}  // namespace
