#include "pool/record_pool.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

// Allocates `n` records from `pool`, each linked in front of the one before,
// as the list does, and stamps each with its order of allocation as key.
// Returns the head of the chain.
RecordAddress allocateChain(RecordPool& pool, int n, RecordAddress head = NIL) {
  for (int i = 0; i < n; ++i) {
    const RecordAddress a = pool.allocate(head);
    EXPECT_NE(a, NIL) << "allocation " << i;
    if (a == NIL) {
      break;
    }
    pool.setKey(a, 100 + i);
    pool.setNext(a, head);
    head = a;
  }
  return head;
}

// Links the given records into one chain in the given order; returns its head.
RecordAddress link(RecordPool& pool, std::initializer_list<RecordAddress> chain) {
  RecordAddress next = NIL;
  for (auto it = std::rbegin(chain); it != std::rend(chain); ++it) {
    pool.setNext(*it, next);
    next = *it;
  }
  return next;
}

std::vector<RecordAddress> inUse(const RecordPool& pool) {
  std::vector<RecordAddress> result;
  for (int slot = 0; slot < POOL_RECORDS; ++slot) {
    if (pool.isInUse(addressOfSlot(slot))) {
      result.push_back(addressOfSlot(slot));
    }
  }
  return result;
}

TEST(RecordPool, FreshPoolHandsOutSlotsInOrderWithoutCollecting) {
  RecordPool pool;
  EXPECT_EQ(pool.cursor(), 0);
  EXPECT_TRUE(inUse(pool).empty());
  RecordAddress head = NIL;
  for (int slot = 0; slot < POOL_RECORDS; ++slot) {
    const RecordAddress a = pool.allocate(head);
    ASSERT_EQ(a, 3 * slot);
    EXPECT_EQ(pool.cursor(), slot + 1);
    EXPECT_TRUE(pool.isInUse(a)) << "claimed before anything is written into it";
    pool.setNext(a, head);
    head = a;
  }
  EXPECT_TRUE(pool.isExhausted());
}

TEST(RecordPool, AllocationFailsOnlyWhenEveryRecordIsReachable) {
  RecordPool pool;
  const RecordAddress head = allocateChain(pool, POOL_RECORDS);
  EXPECT_EQ(pool.allocate(head), NIL);
  EXPECT_EQ(pool.cursor(), POOL_RECORDS) << "a failed allocation leaves the pool exhausted";
  EXPECT_EQ(inUse(pool).size(), 10U);
  // The failed collection changed no key or link.
  RecordAddress a = head;
  for (int i = POOL_RECORDS - 1; i >= 0; --i, a = pool.nextOf(a)) {
    EXPECT_EQ(pool.keyOf(a), 100 + i);
  }
  EXPECT_EQ(a, NIL);
}

TEST(RecordPool, CollectionFreesWhatTheHeadDoesNotReach) {
  RecordPool pool;
  allocateChain(pool, POOL_RECORDS);
  // Only record 0 falls off the chain: it is the one handed out next.
  const RecordAddress head = link(pool, {27, 24, 21, 18, 15, 12, 9, 6, 3});
  EXPECT_EQ(pool.allocate(head), 0);
  EXPECT_EQ(pool.cursor(), 1);
  pool.setNext(0, head);
  EXPECT_EQ(pool.allocate(0), NIL);
  EXPECT_EQ(pool.cursor(), POOL_RECORDS);
}

TEST(RecordPool, CollectingNilFreesEverythingAndKeepsKeysAndLinks) {
  RecordPool pool;
  allocateChain(pool, POOL_RECORDS);
  pool.collect(NIL);
  EXPECT_EQ(pool.cursor(), 0);
  EXPECT_TRUE(inUse(pool).empty());
  for (int slot = 0; slot < POOL_RECORDS; ++slot) {
    EXPECT_EQ(pool.keyOf(addressOfSlot(slot)), 100 + slot);
    EXPECT_EQ(pool.nextOf(addressOfSlot(slot)), slot == 0 ? NIL : addressOfSlot(slot - 1));
  }
}

TEST(RecordPool, FreedRecordsAreHandedOutAgainInSlotOrder) {
  RecordPool pool;
  allocateChain(pool, POOL_RECORDS);
  // Only 21 (slot 7) is left out of the chain.
  const RecordAddress head = link(pool, {27, 24, 18, 15, 12, 9, 6, 3, 0});
  pool.collect(head);
  EXPECT_EQ(inUse(pool).size(), 9U);
  EXPECT_FALSE(pool.isInUse(21));
  EXPECT_EQ(pool.allocate(head), 21);
  EXPECT_EQ(pool.cursor(), 8);
}

TEST(RecordPool, OneCollectionServesManyAllocations) {
  RecordPool pool;
  allocateChain(pool, POOL_RECORDS);
  RecordAddress head = link(pool, {6, 15, 21});
  struct Step {
    RecordAddress expected;
    int cursorAfter;
  };
  for (const Step step : {Step{0, 1}, {3, 2}, {9, 4}, {12, 5}, {18, 7}, {24, 9}, {27, 10}}) {
    const RecordAddress a = pool.allocate(head);
    ASSERT_EQ(a, step.expected);
    EXPECT_EQ(pool.cursor(), step.cursorAfter);
    // A record handed out twice would lose the stamp written here.
    pool.setKey(a, 1000 + a);
    pool.setNext(a, head);
    head = a;
  }
  EXPECT_EQ(pool.allocate(head), NIL);
  for (RecordAddress a = head; a != NIL; a = pool.nextOf(a)) {
    if (a != 6 && a != 15 && a != 21) {
      EXPECT_EQ(pool.keyOf(a), 1000 + a);
    }
  }
}

TEST(RecordPool, UnreachableRecordWaitsForTheNextCollection) {
  RecordPool pool;
  RecordAddress head = allocateChain(pool, 3);  // 6 -> 3 -> 0
  pool.setNext(3, NIL);                         // 0 falls off the chain
  // The scan goes on from the cursor and never wraps back to slot 0 by
  // itself: record 0 stays in use until the cursor runs out.
  for (const RecordAddress expected : {9, 12, 15, 18, 21, 24, 27}) {
    const RecordAddress a = pool.allocate(head);
    ASSERT_EQ(a, expected);
    EXPECT_TRUE(pool.isInUse(0));
    pool.setNext(a, head);
    head = a;
  }
  EXPECT_EQ(pool.allocate(head), 0);
  EXPECT_EQ(pool.cursor(), 1);
}

TEST(RecordPool, EverySlotBelowTheCursorIsInUse) {
  RecordPool pool;
  RecordAddress head = NIL;
  // Allocate, then drop every third record from the chain, many times over.
  for (int round = 0; round < 50; ++round) {
    const RecordAddress a = pool.allocate(head);
    if (a != NIL) {
      pool.setKey(a, round);
      pool.setNext(a, round % 3 == 0 ? NIL : head);
      head = a;
    }
    for (int slot = 0; slot < pool.cursor(); ++slot) {
      ASSERT_TRUE(pool.isInUse(addressOfSlot(slot))) << "round " << round << " slot " << slot;
    }
  }
}

// The list never builds a cycle, but a collection must not hang on one.
TEST(RecordPool, CollectionStopsAtARecordMetTwice) {
  RecordPool pool;
  allocateChain(pool, 3);
  const RecordAddress head = link(pool, {0, 3});
  pool.setNext(3, head);
  pool.collect(head);
  EXPECT_EQ(inUse(pool), (std::vector<RecordAddress>{0, 3}));
}

// The pool's accessors assert this of every address they are given.
TEST(RecordPool, RecordAddressesAreTheFirstWordsOfTheTenSlots) {
  struct Row {
    RecordAddress address;
    bool valid;
  };
  for (const Row row : {Row{NIL, false},
                        {-3, false},
                        {0, true},
                        {1, false},
                        {2, false},
                        {3, true},
                        {27, true},
                        {28, false},
                        {30, false},
                        {33, false}}) {
    EXPECT_EQ(isRecordAddress(row.address), row.valid) << row.address;
  }
}

TEST(RecordPool, SetKeyMarksTheRecordInUse) {
  RecordPool pool;
  pool.setKey(12, 7);
  EXPECT_TRUE(pool.isInUse(12));
  EXPECT_EQ(pool.keyOf(12), 7);
}

}  // namespace
