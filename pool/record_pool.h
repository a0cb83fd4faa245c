#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "io/output.h"
#include "pool/record.h"

// RecordPool: the fixed memory that the list's nodes come from.
//
// Ten records and a scan cursor. Records are handed out by scanning forward
// from the cursor; once the cursor has run past the last slot, a collection
// frees every record that the list's head no longer reaches, rewinds the
// cursor, and the scan runs once more. Nothing is ever freed on request: the
// list simply forgets a record and the next collection reclaims it. The pool
// knows nothing of the list but the head it is handed.
//
// Invariants:
// (1) Every record in a slot below the cursor is in use. A scan passes only
//     records in use or claims the free one it stops at, and records become
//     free only in a collection, which rewinds the cursor to 0.
// (2) A record keeps its slot for the whole run; nothing is moved.
// (3) Freeing a record changes only its mm; its key and next keep their last
//     values, which the pool report goes on showing.
// (4) Right after a collection, the records in use are exactly those on the
//     chain from the head it was given.
//
// The scan never wraps around to slot 0 by itself: a record below the cursor
// can only have become free in a collection, and every collection rewinds.
// So reaching the end is the one moment a collection can help, and it runs at
// most once per allocation.
class RecordPool {
 public:
  // All records free with key and next 0, cursor 0.
  RecordPool() = default;

  // The list holds addresses into this pool; a copy would silently split them.
  RecordPool(const RecordPool&) = delete;
  RecordPool& operator=(const RecordPool&) = delete;

  // True when the cursor has passed the last slot: only a collection can
  // make the next scan find anything.
  [[nodiscard]] bool isExhausted() const { return cursor_ >= POOL_RECORDS; }

  // Claims the first free record at or after the cursor and marks it in use
  // before anything is written into it; NIL when the scan reaches the end.
  [[nodiscard]] RecordAddress takeFree();

  // takeFree, and when that fails, one collection keeping the chain from
  // `head` and one more scan. NIL only when all records are on that chain.
  [[nodiscard]] RecordAddress allocate(RecordAddress head);

  // Frees every record, marks again the ones on the chain from `head`, and
  // rewinds the cursor.
  void collect(RecordAddress head);

  // Writing a key also marks the record in use, which it already is when it
  // came from allocate.
  void setKey(RecordAddress address, std::int32_t key) {
    record(address).key = key;
    record(address).mm = MM_IN_USE;
  }
  void setNext(RecordAddress address, RecordAddress next) { record(address).next = next; }
  [[nodiscard]] std::int32_t keyOf(RecordAddress address) const { return record(address).key; }
  [[nodiscard]] RecordAddress nextOf(RecordAddress address) const { return record(address).next; }
  [[nodiscard]] bool isInUse(RecordAddress address) const {
    return record(address).mm == MM_IN_USE;
  }
  [[nodiscard]] std::int32_t cursor() const { return cursor_; }

  // The pool report: a heading and one line per record in slot order,
  // whatever its state. Changes nothing.
  void dump(Output& out) const;

 private:
  // REQUIRES: isRecordAddress(address). Addresses come only from allocate
  // and from links the list wrote, so a bad one is a bug, not an outcome.
  Record& record(RecordAddress address) {
    assert(isRecordAddress(address));
    return records_[static_cast<std::size_t>(address / RECORD_WORDS)];
  }
  [[nodiscard]] const Record& record(RecordAddress address) const {
    assert(isRecordAddress(address));
    return records_[static_cast<std::size_t>(address / RECORD_WORDS)];
  }

  static constexpr std::array<Record, POOL_RECORDS> freshRecords() {
    std::array<Record, POOL_RECORDS> records{};
    for (Record& r : records) {
      r = Record{0, 0, MM_FREE};
    }
    return records;
  }

  // The word array, one record per slot.
  std::array<Record, POOL_RECORDS> records_ = freshRecords();
  // Slot at which the next scan starts, 0 to POOL_RECORDS.
  std::int32_t cursor_ = 0;
};
