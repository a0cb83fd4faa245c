#pragma once

#include <cstdint>

// Layout of the pool's records.
//
// The pool is one array of POOL_RECORDS × RECORD_WORDS signed 32-bit words,
// and a record is the three consecutive words of one slot. A record is named
// by its RecordAddress: the index of its first word, three times its slot
// (0, 3, 6, ... 27). The list stores addresses, never slot numbers, and the
// reports print them, so the user sees the word array as it is.

using RecordAddress = std::int32_t;

inline constexpr std::int32_t POOL_RECORDS = 10;
inline constexpr std::int32_t RECORD_WORDS = 3;

// No record: ends every chain and stands for an empty list.
inline constexpr RecordAddress NIL = -1;

// Values of a record's mm word.
inline constexpr std::int32_t MM_FREE = -2;
inline constexpr std::int32_t MM_IN_USE = -1;

struct Record {
  std::int32_t key;
  RecordAddress next;
  std::int32_t mm;
};
static_assert(sizeof(Record) == RECORD_WORDS * sizeof(std::int32_t),
              "a record is exactly its three words");

constexpr RecordAddress addressOfSlot(std::int32_t slot) { return slot * RECORD_WORDS; }

constexpr bool isRecordAddress(RecordAddress address) {
  return address >= 0 && address < POOL_RECORDS * RECORD_WORDS && address % RECORD_WORDS == 0;
}
