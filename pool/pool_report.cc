#include "pool/record_pool.h"

void RecordPool::dump(Output& out) const {
  out.write("Record Memory Pool Content: ");
  out.endLine();
  for (std::int32_t slot = 0; slot < POOL_RECORDS; ++slot) {
    const Record& r = records_[static_cast<std::size_t>(slot)];
    out.write("Memory: [");
    out.write(addressOfSlot(slot), 2);
    out.write("]: Record(");
    out.write(slot, 2);
    out.write("): Key=");
    out.write(r.key, 5);
    out.write("  Next=");
    out.write(r.next, 5);
    out.write("  MM=");
    out.write(r.mm == MM_IN_USE ? "InUse" : "Free");
    out.endLine();
  }
}
