#include "io/output.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "io/io_testing.h"

namespace {

// What `write(value, width)` delivers after `pending` bytes of text, through
// a buffer of `size` bytes. The buffer is the front of a larger array, and
// the bytes behind it must stay untouched.
std::string formatted(std::int64_t value, int width, std::size_t pending, std::size_t size) {
  struct Sink {
    std::string text;
  } sink;
  std::array<char, 4096 + 64> storage{};
  storage.fill('#');
  Output out(
      [](void* context, std::string_view bytes) {
        static_cast<Sink*>(context)->text += bytes;
        return true;
      },
      &sink, std::span<char>(storage.data(), size));
  out.write(std::string(pending, '.'));
  out.write(value, width);
  out.flush();
  for (std::size_t i = size; i < storage.size(); ++i) {
    if (storage[i] != '#') {
      ADD_FAILURE() << "the number was written past the end of the buffer, at " << i;
      break;
    }
  }
  return sink.text.substr(std::min(pending, sink.text.size()));
}

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
      {999999999999999999, 0, "999999999999999999"},    // 18 digits
      {7, 20, "                   7"},
      {-1, 24, "                      -1"},         // as wide as the widest field
      {-42, 30, "                           -42"},  // wider than any number
      {9, 50, "                                                 9"},
      // Spaces first, then the widest number in what is left of the field.
      {std::numeric_limits<std::int64_t>::min(), 25, "     -9223372036854775808"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.value) + " in width " + std::to_string(row.width));
    EXPECT_EQ(formatted(row.value, row.width, 0, 4096), row.expected) << "with room";
    // The buffer fills in the middle of the number, so it arrives in two
    // deliveries.
    EXPECT_EQ(formatted(row.value, row.width, 13, 16), row.expected) << "at the end of the buffer";
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
