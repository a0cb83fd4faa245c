#include "list/pooled_list.h"

#include <gtest/gtest.h>

#include "list/list_testing.h"

namespace {

using Keys = std::vector<std::int32_t>;

TEST(PooledList, EmptyList) {
  RecordPool pool;
  PooledList list(pool);
  EXPECT_EQ(list.head(), NIL);
  EXPECT_EQ(list.operationCount(), 0);
  EXPECT_FALSE(list.remove(5));
  EXPECT_EQ(list.operationCount(), 1) << "a removal from an empty list still counts";
  EXPECT_EQ(list.head(), NIL);
}

TEST(PooledList, InsertsAtTheFront) {
  RecordPool pool;
  PooledList list(pool);
  CapturedOutput out;
  EXPECT_TRUE(list.insert(5, out.output()));
  EXPECT_TRUE(list.insert(7, out.output()));
  EXPECT_EQ(out.text(), "") << "a successful insertion prints nothing";
  EXPECT_EQ(list.head(), 3);
  EXPECT_EQ(pool.keyOf(3), 7);
  EXPECT_EQ(pool.nextOf(3), 0);
  EXPECT_EQ(pool.keyOf(0), 5);
  EXPECT_EQ(pool.nextOf(0), NIL);
  EXPECT_EQ(list.operationCount(), 2);
}

TEST(PooledList, FullPoolWarnsAndLeavesTheListAsItWas) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
  CapturedOutput out;
  EXPECT_FALSE(list.insert(11, out.output()));
  EXPECT_EQ(out.marked(), "**** WARNING ****: Out of memory: List insertion of 11 failed!!\n|");
  EXPECT_EQ(keysOf(pool, list.head()), (Keys{10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(list.operationCount(), 11) << "a failed insertion still counts";
  // A second failure goes the same way.
  EXPECT_FALSE(list.insert(12, out.output()));
  EXPECT_EQ(list.operationCount(), 12);
}

TEST(PooledList, UnlinkedRecordIsReusedAfterTheCollection) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
  ASSERT_TRUE(list.remove(4));  // the record at address 9
  EXPECT_TRUE(pool.isInUse(9)) << "unlinked, but in use until a collection";
  EXPECT_EQ(pool.keyOf(9), 4);
  CapturedOutput out;
  EXPECT_TRUE(list.insert(11, out.output()));
  EXPECT_EQ(out.text(), "");
  EXPECT_EQ(list.head(), 9);
  EXPECT_EQ(keysOf(pool, list.head()), (Keys{11, 10, 9, 8, 7, 6, 5, 3, 2, 1}));
}

TEST(PooledList, RemovesOnlyTheFirstMatchFromTheHead) {
  struct Case {
    const char* what;
    std::initializer_list<std::int32_t> keys;
    std::int32_t key;
    bool found;
    Keys after;
  };
  const Case cases[] = {
      {"head of duplicates", {4, 9, 4}, 4, true, {9, 4}},
      {"middle", {1, 2, 3}, 2, true, {1, 3}},
      {"last", {1, 2, 3}, 3, true, {1, 2}},
      {"only record", {8}, 8, true, {}},
      {"missing", {1, 2, 3}, 9, false, {1, 2, 3}},
      {"negative key", {0, 5}, -5, false, {0, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordPool pool;
    PooledList list(pool);
    fill(list, c.keys);
    EXPECT_EQ(list.remove(c.key), c.found);
    EXPECT_EQ(keysOf(pool, list.head()), c.after);
    EXPECT_EQ(list.operationCount(), static_cast<std::int64_t>(c.keys.size()) + 1);
    // Nothing is freed by a removal: every record stays in use.
    for (RecordAddress a = 0; a < RECORD_WORDS * static_cast<RecordAddress>(c.keys.size());
         a += RECORD_WORDS) {
      EXPECT_TRUE(pool.isInUse(a));
    }
  }
}

TEST(PooledList, RemovingTheLastRecordEndsThePredecessorsChain) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {1, 2, 3});  // 6 -> 3 -> 0
  ASSERT_TRUE(list.remove(3));
  EXPECT_EQ(pool.nextOf(3), NIL);
  EXPECT_EQ(pool.nextOf(0), NIL) << "the unlinked record keeps its link";
}

}  // namespace
