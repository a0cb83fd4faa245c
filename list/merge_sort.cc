#include <cassert>

#include "list/pooled_list.h"

RecordAddress PooledList::mergeSort(RecordAddress h) {
  const std::int32_t n = length(h);
  if (n <= 1) {
    return h;
  }
  // The first part gets the smaller half. With at most ten records the
  // recursion is at most five calls deep.
  const RecordAddress rest = split(h, n / 2);
  const RecordAddress a = mergeSort(h);
  const RecordAddress b = mergeSort(rest);
  return merge(a, b);
}

std::int32_t PooledList::length(RecordAddress h) const {
  std::int32_t n = 0;
  for (RecordAddress a = h; a != NIL; a = pool_.nextOf(a)) {
    ++n;
  }
  return n;
}

RecordAddress PooledList::split(RecordAddress h, std::int32_t n) {
  assert(n >= 1);
  RecordAddress last = h;
  for (std::int32_t i = 1; i < n; ++i) {
    last = pool_.nextOf(last);
  }
  const RecordAddress rest = pool_.nextOf(last);
  assert(rest != NIL);
  pool_.setNext(last, NIL);
  return rest;
}

RecordAddress PooledList::merge(RecordAddress a, RecordAddress b) {
  assert(a != NIL && b != NIL);
  // Strictly less-than: on equal keys the second chain's record goes first.
  // That reverses the order of equal keys, which the user can see in the
  // reports; it is how this sort has always behaved, so it stays.
  auto takeSmaller = [&]() {
    RecordAddress& from = pool_.keyOf(a) < pool_.keyOf(b) ? a : b;
    const RecordAddress taken = from;
    from = pool_.nextOf(taken);
    return taken;
  };
  const RecordAddress result = takeSmaller();
  RecordAddress tail = result;
  while (a != NIL && b != NIL) {
    const RecordAddress taken = takeSmaller();
    pool_.setNext(tail, taken);
    tail = taken;
  }
  pool_.setNext(tail, a != NIL ? a : b);
  return result;
}
