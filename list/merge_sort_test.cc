#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>
#include <string>

#include "list/list_testing.h"
#include "list/pooled_list.h"

namespace {

using Addresses = std::vector<RecordAddress>;

// Links `chain`'s records in that order, giving them `keys`; the records are
// claimed from the pool first. Returns the head.
RecordAddress makeChain(RecordPool& pool, const Addresses& chain,
                        const std::vector<std::int32_t>& keys) {
  for (std::size_t i = 0; i < chain.size(); ++i) {
    pool.setKey(chain[i], keys[i]);
    pool.setNext(chain[i], i + 1 < chain.size() ? chain[i + 1] : NIL);
  }
  return chain.empty() ? NIL : chain.front();
}

// Everything a sort may not change, and the links, which it may.
struct Snapshot {
  std::array<std::int32_t, POOL_RECORDS> keys{};
  std::array<RecordAddress, POOL_RECORDS> links{};
  std::array<bool, POOL_RECORDS> inUse{};

  explicit Snapshot(const RecordPool& pool) {
    for (std::int32_t slot = 0; slot < POOL_RECORDS; ++slot) {
      const auto i = static_cast<std::size_t>(slot);
      keys[i] = pool.keyOf(addressOfSlot(slot));
      links[i] = pool.nextOf(addressOfSlot(slot));
      inUse[i] = pool.isInUse(addressOfSlot(slot));
    }
  }
};

TEST(MergeSort, EmptyAndSingleChainsAreReturnedUntouched) {
  RecordPool pool;
  PooledList list(pool);
  EXPECT_EQ(list.mergeSort(NIL), NIL);
  fill(list, {4});
  const Snapshot before(pool);
  EXPECT_EQ(list.mergeSort(list.head()), 0);
  const Snapshot after(pool);
  EXPECT_EQ(after.links, before.links);
  EXPECT_EQ(after.keys, before.keys);
}

TEST(MergeSort, RelinksTheRecordsWhereTheyAre) {
  struct Case {
    const char* what;
    Addresses chain;
    std::vector<std::int32_t> keys;
    Addresses sorted;
  };
  const Case cases[] = {
      {"two records", {3, 0}, {7, 5}, {0, 3}},
      {"equal keys swap places", {0, 3}, {2, 2}, {3, 0}},
      // Among the 1s and among the 3s the order is reversed.
      {"duplicates", {0, 3, 6, 9, 12, 15}, {3, 1, 3, 2, 1, 3}, {12, 3, 9, 15, 6, 0}},
      {"already sorted", {27, 0, 12, 3}, {-5, 0, 8, 9}, {27, 0, 12, 3}},
      {"reversed",
       {0, 3, 6, 9, 12, 15, 18, 21, 24, 27},
       {9, 8, 7, 6, 5, 4, 3, 2, 1, 0},
       {27, 24, 21, 18, 15, 12, 9, 6, 3, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordPool pool;
    PooledList list(pool);
    const RecordAddress head = makeChain(pool, c.chain, c.keys);
    const RecordAddress sorted = list.mergeSort(head);
    EXPECT_EQ(addressesOf(pool, sorted), c.sorted);
    EXPECT_EQ(list.operationCount(), 0);
  }
}

TEST(MergeSort, SortedListKeepsEveryLink) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {1, 2, 3, 5, 8, 13, 21});
  const Snapshot before(pool);
  list.sort();
  EXPECT_EQ(Snapshot(pool).links, before.links);
}

TEST(MergeSort, SplitCutsAfterTheFirstRecords) {
  RecordPool pool;
  PooledList list(pool);
  fill(list, {1, 2, 3, 4, 5});  // 12 -> 9 -> 6 -> 3 -> 0
  EXPECT_EQ(list.length(list.head()), 5);
  EXPECT_EQ(list.split(list.head(), 2), 6);
  EXPECT_EQ(list.length(list.head()), 2);
  EXPECT_EQ(list.length(6), 3);
}

// Random lists of 0 to 10 records checked against std::sort of their keys,
// in pools that also hold unlinked records and free ones.
TEST(MergeSort, AgreesWithAModelOnRandomLists) {
  std::mt19937 random(20261211);
  int sorted = 0;
  for (int round = 0; round < 3000; ++round) {
    RecordPool pool;
    PooledList list(pool);
    CapturedOutput ignored;
    const int shape = round % 4;
    const std::int32_t range = shape == 0 ? 1 : shape == 1 ? 3 : 1000;
    // Insert, remove and collect at random, so that records of the list are
    // scattered among garbage.
    const int steps = std::uniform_int_distribution<int>(0, 30)(random);
    for (int step = 0; step < steps; ++step) {
      const std::int32_t key = std::uniform_int_distribution<std::int32_t>(0, range)(random);
      switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
          (void)list.remove(key);
          break;
        case 1:
          pool.collect(list.head());
          break;
        default:
          list.insert(shape == 3 ? 1000 - step : key, ignored.output());
      }
    }

    const Snapshot before(pool);
    const Addresses chain = addressesOf(pool, list.head());
    std::vector<std::int32_t> expected = keysOf(pool, list.head());
    std::sort(expected.begin(), expected.end());
    const std::int64_t operations = list.operationCount();

    list.sort();
    const Snapshot after(pool);
    const Addresses result = addressesOf(pool, list.head());

    ASSERT_EQ(keysOf(pool, list.head()), expected) << "round " << round;
    EXPECT_EQ(std::multiset<RecordAddress>(result.begin(), result.end()),
              std::multiset<RecordAddress>(chain.begin(), chain.end()));
    EXPECT_EQ(after.keys, before.keys) << "keys stay in their records";
    EXPECT_EQ(after.inUse, before.inUse) << "marks are untouched";
    EXPECT_EQ(list.operationCount(), operations);
    for (std::int32_t slot = 0; slot < POOL_RECORDS; ++slot) {
      const auto i = static_cast<std::size_t>(slot);
      if (std::find(chain.begin(), chain.end(), addressOfSlot(slot)) == chain.end()) {
        EXPECT_EQ(after.links[i], before.links[i]) << "a record off the list is not relinked";
      }
    }
    // Records with equal keys come out in the reverse of their order before.
    std::map<std::int32_t, Addresses> orderBefore;
    std::map<std::int32_t, Addresses> orderAfter;
    for (const RecordAddress a : chain) {
      orderBefore[pool.keyOf(a)].insert(orderBefore[pool.keyOf(a)].begin(), a);
    }
    for (const RecordAddress a : result) {
      orderAfter[pool.keyOf(a)].push_back(a);
    }
    EXPECT_EQ(orderAfter, orderBefore);
    sorted += chain.size() > 1 ? 1 : 0;
  }
  EXPECT_GT(sorted, 2000) << "most rounds must sort more than one record";
}

}  // namespace
