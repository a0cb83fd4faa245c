#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "io/io_testing.h"
#include "list/pooled_list.h"
#include "pool/record_pool.h"

// Test support for the list: build a list from its keys, read it back, and
// check what must hold between any two operations.

// Inserts `keys` so that the list holds them in the given order, head first.
inline void fill(PooledList& list, std::initializer_list<std::int32_t> keys) {
  CapturedOutput ignored;
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
    list.insert(*it, ignored.output());
  }
}

// The keys of the chain from `h`, head first.
inline std::vector<std::int32_t> keysOf(const RecordPool& pool, RecordAddress h) {
  std::vector<std::int32_t> keys;
  for (RecordAddress a = h; a != NIL; a = pool.nextOf(a)) {
    keys.push_back(pool.keyOf(a));
  }
  return keys;
}

// The addresses of the chain from `h`, head first.
inline std::vector<RecordAddress> addressesOf(const RecordPool& pool, RecordAddress h) {
  std::vector<RecordAddress> addresses;
  for (RecordAddress a = h; a != NIL; a = pool.nextOf(a)) {
    addresses.push_back(a);
  }
  return addresses;
}

// What must hold between any two operations on the pool and a list with the
// given head: the chain is a path of distinct records in use ending in NIL,
// and every slot below the cursor is in use. Returns a description of the
// first violation, or nothing.
inline std::string invariantViolation(const RecordPool& pool, RecordAddress head) {
  if (pool.cursor() < 0 || pool.cursor() > POOL_RECORDS) {
    return "cursor " + std::to_string(pool.cursor()) + " out of range";
  }
  for (std::int32_t slot = 0; slot < pool.cursor(); ++slot) {
    if (!pool.isInUse(addressOfSlot(slot))) {
      return "slot " + std::to_string(slot) + " below the cursor is free";
    }
  }
  std::vector<bool> seen(POOL_RECORDS, false);
  for (RecordAddress a = head; a != NIL; a = pool.nextOf(a)) {
    if (!isRecordAddress(a)) {
      return "chain holds the bad address " + std::to_string(a);
    }
    if (seen[static_cast<std::size_t>(a / RECORD_WORDS)]) {
      return "chain meets record " + std::to_string(a) + " twice";
    }
    seen[static_cast<std::size_t>(a / RECORD_WORDS)] = true;
    if (!pool.isInUse(a)) {
      return "chain holds the free record " + std::to_string(a);
    }
  }
  return {};
}
