#include "list/pooled_list.h"

bool PooledList::insert(std::int32_t key, Output& out) {
  // Counted before anything can fail, so a failed insertion counts too.
  ++operationCount_;
  // The head goes along so that a collection run inside the allocation keeps
  // exactly the records of this list.
  const RecordAddress a = pool_.allocate(head_);
  if (a == NIL) {
    out.write("**** WARNING ****: Out of memory: List insertion of ");
    out.write(key);
    out.write(" failed!!");
    out.endLine();
    return false;
  }
  pool_.setKey(a, key);
  pool_.setNext(a, head_);
  head_ = a;
  return true;
}

bool PooledList::remove(std::int32_t key) {
  ++operationCount_;
  RecordAddress previous = NIL;
  for (RecordAddress current = head_; current != NIL; current = pool_.nextOf(current)) {
    if (pool_.keyOf(current) == key) {
      if (previous == NIL) {
        head_ = pool_.nextOf(current);
      } else {
        pool_.setNext(previous, pool_.nextOf(current));
      }
      return true;
    }
    previous = current;
  }
  return false;
}
