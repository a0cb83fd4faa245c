// Fuzz target: any bytes at all as one whole session of the console.
//
// Each input runs twice, read whole and seven bytes at a time, and after
// every command the pool and the list must still be sound; the two runs must
// then agree on every byte of output. The run must end: every command reads
// at least one byte, so there are never more commands than bytes.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "console/command_loop.h"
#include "io/io_testing.h"
#include "list/list_testing.h"

namespace {

void require(bool holds, const char* what, const std::string& detail = {}) {
  if (!holds) {
    std::fprintf(stderr, "violated: %s %s\n", what, detail.c_str());
    std::abort();
  }
}

std::string runSession(std::string_view session, bool trickle) {
  CapturedOutput out;
  // Trickled: seven bytes at a time through a buffer of 16.
  TextInput in(session, out.output(), trickle ? 16 : 65536,
               trickle ? 7 : std::numeric_limits<std::size_t>::max());

  RecordPool pool;
  PooledList list(pool);
  CommandLoop loop(pool, list, in.input(), out.output());
  std::size_t commands = 0;
  std::int64_t count = 0;
  bool more = true;
  while (more) {
    more = loop.step();
    ++commands;
    require(commands <= session.size() + 1, "every command reads input");
    const std::string violation = invariantViolation(pool, list.head());
    require(violation.empty(), "pool and list invariants:", violation);
    require(list.operationCount() >= count, "the operation count only grows");
    count = list.operationCount();
  }
  out.output().flush();
  return out.text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view session(reinterpret_cast<const char*>(data), size);
  const std::string whole = runSession(session, false);
  const std::string trickled = runSession(session, true);
  require(whole == trickled, "output does not depend on how input arrives");
  require(whole.starts_with("\nYour Command [i d p f g s]? "), "the run starts with a prompt");
  return 0;
}
