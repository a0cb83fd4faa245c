#include "list/pooled_list.h"

void PooledList::print(Output& out, std::string_view name) const {
  out.write("After: ");
  out.write(operationCount_);
  out.write(" Operations: content of ");
  out.write(name);
  out.write("-List: Head(");
  out.write(head_);
  out.write(")");
  out.endLine();
  for (RecordAddress a = head_; a != NIL; a = pool_.nextOf(a)) {
    out.write("\tRecordAdddress(");
    out.write(a, 2);
    out.write(")  Key=(");
    out.write(pool_.keyOf(a), 5);
    out.write(") NextRecordAddress= ");
    out.write(pool_.nextOf(a), 2);
    out.endLine();
  }
}
