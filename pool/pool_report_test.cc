#include <gtest/gtest.h>

#include "io/io_testing.h"
#include "pool/record_pool.h"

namespace {

std::string reportOf(const RecordPool& pool) {
  CapturedOutput captured;
  pool.dump(captured.output());
  EXPECT_EQ(captured.flushes(), 11) << "one end of line per report line";
  return captured.text();
}

TEST(PoolReport, FreshPoolShowsEveryRecordFreeWithZeroKeysAndLinks) {
  const RecordPool pool;
  EXPECT_EQ(reportOf(pool),
            "Record Memory Pool Content: \n"
            "Memory: [ 0]: Record( 0): Key=    0  Next=    0  MM=Free\n"
            "Memory: [ 3]: Record( 1): Key=    0  Next=    0  MM=Free\n"
            "Memory: [ 6]: Record( 2): Key=    0  Next=    0  MM=Free\n"
            "Memory: [ 9]: Record( 3): Key=    0  Next=    0  MM=Free\n"
            "Memory: [12]: Record( 4): Key=    0  Next=    0  MM=Free\n"
            "Memory: [15]: Record( 5): Key=    0  Next=    0  MM=Free\n"
            "Memory: [18]: Record( 6): Key=    0  Next=    0  MM=Free\n"
            "Memory: [21]: Record( 7): Key=    0  Next=    0  MM=Free\n"
            "Memory: [24]: Record( 8): Key=    0  Next=    0  MM=Free\n"
            "Memory: [27]: Record( 9): Key=    0  Next=    0  MM=Free\n");
}

// A full pool whose chain no longer reaches two records, with keys wider
// than their field; then the same pool after a collection.
TEST(PoolReport, ShowsUnlinkedRecordsInUseUntilACollectionFreesThem) {
  RecordPool pool;
  const std::int32_t keys[] = {5, 7, 123456, 2147483647, -2147483648, 0, 99999, -1, 42, 10};
  RecordAddress head = NIL;
  for (const std::int32_t key : keys) {
    const RecordAddress a = pool.allocate(head);
    pool.setKey(a, key);
    pool.setNext(a, head);
    head = a;
  }
  // Unlink 9 and 0 from the chain 27 -> 24 -> ... -> 0.
  pool.setNext(12, 6);
  pool.setNext(3, NIL);
  const std::string before = reportOf(pool);
  EXPECT_EQ(before,
            "Record Memory Pool Content: \n"
            "Memory: [ 0]: Record( 0): Key=    5  Next=   -1  MM=InUse\n"
            "Memory: [ 3]: Record( 1): Key=    7  Next=   -1  MM=InUse\n"
            "Memory: [ 6]: Record( 2): Key=123456  Next=    3  MM=InUse\n"
            "Memory: [ 9]: Record( 3): Key=2147483647  Next=    6  MM=InUse\n"
            "Memory: [12]: Record( 4): Key=-2147483648  Next=    6  MM=InUse\n"
            "Memory: [15]: Record( 5): Key=    0  Next=   12  MM=InUse\n"
            "Memory: [18]: Record( 6): Key=99999  Next=   15  MM=InUse\n"
            "Memory: [21]: Record( 7): Key=   -1  Next=   18  MM=InUse\n"
            "Memory: [24]: Record( 8): Key=   42  Next=   21  MM=InUse\n"
            "Memory: [27]: Record( 9): Key=   10  Next=   24  MM=InUse\n");

  pool.collect(head);
  std::string expected = before;
  // Only the two marks change: "InUse" becomes "Free" on those lines.
  for (const char* line : {"Memory: [ 0]", "Memory: [ 9]"}) {
    const auto at = expected.find("InUse", expected.find(line));
    expected.replace(at, 5, "Free");
  }
  EXPECT_EQ(reportOf(pool), expected);
}

}  // namespace
