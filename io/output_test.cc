#include "io/output.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "io/io_testing.h"

namespace {

TEST(Output, NumbersAreRightAlignedAndNeverCut) {
  struct Row {
    std::int64_t value;
    int width;
    const char* expected;
  };
  const Row rows[] = {
      {0, 0, "0"},
      {5, 5, "    5"},
      {-1, 2, "-1"},
      {-1, 5, "   -1"},
      {27, 2, "27"},
      {123456, 5, "123456"},  // wider than the field: written whole
      {std::numeric_limits<std::int32_t>::min(), 5, "-2147483648"},
      {std::numeric_limits<std::int32_t>::max(), 0, "2147483647"},
      {std::numeric_limits<std::int64_t>::max(), 0, "9223372036854775807"},
      {std::numeric_limits<std::int64_t>::min(), 0, "-9223372036854775808"},
      {1000000000000000000, 0, "1000000000000000000"},  // 19 digits
      {7, 20, "                   7"},
      {-42, 30, "                           -42"},  // wider than any fast field
  };
  for (const Row& row : rows) {
    CapturedOutput captured;
    captured.output().write(row.value, row.width);
    captured.output().flush();
    EXPECT_EQ(captured.text(), row.expected) << row.value << " in width " << row.width;
  }
}

TEST(Output, OnlyEndOfLineAndFlushDeliver) {
  CapturedOutput captured;
  Output& out = captured.output();
  out.flush();
  EXPECT_EQ(captured.flushes(), 0) << "nothing pending: no delivery";
  out.write("a\nb");
  out.write(std::int32_t{42});
  EXPECT_EQ(captured.flushes(), 0) << "a line feed in the text is no end of line";
  out.endLine();
  out.endLine();
  out.write('c');
  out.flush();
  out.flush();
  EXPECT_EQ(captured.marked(), "a\nb42\n|\n|c|");
}

// Text longer than the buffer goes out whole, in as few deliveries as the
// buffer allows.
TEST(Output, TextLongerThanTheBufferArrivesIntact) {
  struct Sink {
    std::string text;
    std::vector<std::size_t> sizes;
  } sink;
  std::array<char, 8> buffer{};
  Output out(
      [](void* context, std::string_view bytes) {
        auto* s = static_cast<Sink*>(context);
        s->text += bytes;
        s->sizes.push_back(bytes.size());
        return true;
      },
      &sink, buffer);
  out.write("0123456789abcdefghij");
  out.endLine();
  EXPECT_EQ(sink.text, "0123456789abcdefghij\n");
  EXPECT_EQ(sink.sizes, (std::vector<std::size_t>{8, 8, 5}));
  out.write(std::int32_t{-12345}, 11);
  out.endLine();
  EXPECT_EQ(sink.text, "0123456789abcdefghij\n     -12345\n");
}

TEST(Output, AfterARefusedFlushNothingMoreIsDelivered) {
  RefusingSink sink{1};
  std::array<char, 8> buffer{};
  Output out(&RefusingSink::deliver, &sink, buffer);
  out.endLine();
  EXPECT_FALSE(out.failed());
  out.write("refused");
  out.flush();
  EXPECT_TRUE(out.failed());
  out.write("0123456789abcdef");
  out.write(std::int64_t{-12345}, 30);
  out.endLine();
  out.flush();
  EXPECT_EQ(sink.calls, 2) << "one accepted flush and one refused, then none";
  EXPECT_TRUE(out.failed());
}

}  // namespace
