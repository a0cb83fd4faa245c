#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "console/captured_output.h"
#include "list/pooled_list.h"
#include "pool/record_pool.h"

// Test support for the list: build a list from its keys, read it back.

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
