#include "pool/record_pool.h"

RecordAddress RecordPool::takeFree() {
  while (!isExhausted()) {
    Record& candidate = records_[static_cast<std::size_t>(cursor_)];
    const std::int32_t slot = cursor_++;
    if (candidate.mm == MM_FREE) {
      candidate.mm = MM_IN_USE;
      return addressOfSlot(slot);
    }
  }
  return NIL;
}

RecordAddress RecordPool::allocate(RecordAddress head) {
  if (const RecordAddress claimed = takeFree(); claimed != NIL) {
    return claimed;
  }
  collect(head);
  return takeFree();
}

void RecordPool::collect(RecordAddress head) {
  for (Record& r : records_) {
    r.mm = MM_FREE;
  }
  // A record met a second time would mean a cycle, which the list never
  // builds; stopping there keeps a broken chain from hanging the program.
  for (RecordAddress a = head; a != NIL;) {
    Record& r = record(a);
    if (r.mm == MM_IN_USE) {
      break;
    }
    r.mm = MM_IN_USE;
    a = r.next;
  }
  cursor_ = 0;
}
