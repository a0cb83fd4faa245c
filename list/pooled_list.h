#pragma once

#include <cstdint>
#include <string_view>

#include "io/output.h"
#include "pool/record_pool.h"

// PooledList: a singly linked list of integer keys whose nodes are records of
// a RecordPool.
//
// The list owns no memory: it holds the address of its head and borrows the
// pool, which must outlive it, for its whole life. Keys and links live in the
// pool's records and are read and written only through the pool's accessors.
//
// Invariants:
// (1) The chain from the head follows next links, ends in NIL and holds no
//     record twice.
// (2) Every record on the chain is in use in the pool.
// (3) operationCount is the number of insert and remove requests made so
//     far, whether they succeeded or not; nothing else changes it.
class PooledList {
 public:
  explicit PooledList(RecordPool& pool) : pool_(pool) {}

  PooledList(const PooledList&) = delete;
  PooledList& operator=(const PooledList&) = delete;

  // Puts `key` at the front, so keys stand in reverse order of insertion
  // until a sort. When even a collection leaves no free record, writes the
  // out-of-memory warning to `out` and leaves the list as it was. Returns
  // whether the key went in.
  bool insert(std::int32_t key, Output& out);

  // Unlinks the first record from the head that holds `key`; later records
  // with the same key stay. The record is not handed back: it stays in use,
  // key and link intact, until a collection finds nothing reaching it. That
  // is what the pool report lets the user watch.
  [[nodiscard]] bool remove(std::int32_t key);

  // The list report: a heading with the operation count, `name` and the
  // head, then one line per record of the chain. Changes nothing.
  void print(Output& out, std::string_view name) const;

  // Sorts the list by ascending key, relinking its records in place.
  void sort() { head_ = mergeSort(head_); }

  // Top-down merge sort of the chain from `h`; returns the sorted chain's
  // head. Only next links change: keys stay in their records, records keep
  // their addresses and marks, nothing is allocated. Records with equal keys
  // come out in the reverse of their order before the sort.
  RecordAddress mergeSort(RecordAddress h);
  // Number of records from `h` to NIL; walks the whole chain.
  [[nodiscard]] std::int32_t length(RecordAddress h) const;
  // Cuts the chain after its first `n` records and returns the rest.
  // REQUIRES: 1 <= n < length(h)
  RecordAddress split(RecordAddress h, std::int32_t n);
  // Merges two non-empty sorted chains into one and returns its head.
  RecordAddress merge(RecordAddress a, RecordAddress b);

  [[nodiscard]] RecordAddress head() const { return head_; }
  [[nodiscard]] std::int64_t operationCount() const { return operationCount_; }

 private:
  RecordPool& pool_;
  RecordAddress head_ = NIL;
  // Wide enough that no input, however long, can make it wrap.
  std::int64_t operationCount_ = 0;
};
