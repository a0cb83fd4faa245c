#include "io/input.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "io/io_testing.h"

namespace {

using Status = Input::Status;

// Runs `check` on an Input over `text`, read whole and in chunks of 1 and 3
// bytes through a buffer of 4.
template <typename Check>
void forEachWayOfReading(std::string_view text, Check check) {
  {
    SCOPED_TRACE("whole text");
    CapturedOutput out;
    TextInput in(text, out.output());
    check(in.input());
  }
  for (const std::size_t step : {std::size_t{1}, std::size_t{3}}) {
    SCOPED_TRACE("chunks of " + std::to_string(step));
    CapturedOutput out;
    ChunkedSource source{text, step};
    std::array<char, 4> buffer{};
    Input in(&ChunkedSource::read, &source, buffer, out.output());
    check(in);
  }
}

std::string nextWord(Input& in) {
  std::array<char, 256> word{};
  return in.readWord(word) ? std::string(word.data()) : std::string("<end>");
}

TEST(Input, IntegerReads) {
  struct Row {
    const char* input;
    Status status;
    std::int32_t value;
    const char* then;  // the word read next
  };
  const Row rows[] = {
      {"5", Status::integer, 5, "<end>"},
      {"  \t\n\v\f\r 42 x", Status::integer, 42, "x"},
      {"-0", Status::integer, 0, "<end>"},
      {"+7", Status::integer, 7, "<end>"},
      {"000000000000000000000000012", Status::integer, 12, "<end>"},
      {"-3", Status::integer, -3, "<end>"},
      {"2147483647", Status::integer, 2147483647, "<end>"},
      {"-2147483648", Status::integer, -2147483648, "<end>"},
      // The number ends at the first non-digit, which stays for the next read.
      {"12abc def", Status::integer, 12, "abc"},
      {"7-1", Status::integer, 7, "-1"},
      // Failures discard the rest of the word, and only that.
      {"2147483648 next", Status::notAnInteger, 0, "next"},
      {"21474836470 next", Status::notAnInteger, 0, "next"},  // the largest value, then a digit
      {"-2147483649 next", Status::notAnInteger, 0, "next"},
      {"99999999999999999999999999abc next", Status::notAnInteger, 0, "next"},
      {"abc next", Status::notAnInteger, 0, "next"},
      {"- 5", Status::notAnInteger, 0, "5"},
      {"+-1 next", Status::notAnInteger, 0, "next"},
      {"--1", Status::notAnInteger, 0, "<end>"},
      {"0x10 next", Status::integer, 0, "x10"},
      {"+", Status::notAnInteger, 0, "<end>"},
      {"", Status::endOfInput, 0, "<end>"},
      {" \n\t ", Status::endOfInput, 0, "<end>"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    forEachWayOfReading(row.input, [&](Input& in) {
      const auto [status, value] = in.readInteger();
      EXPECT_EQ(status, row.status);
      if (status == Status::integer) {
        EXPECT_EQ(value, row.value);
      }
      EXPECT_EQ(nextWord(in), row.then);
    });
  }
}

TEST(Input, WordsKeepWhatFitsAndDiscardTheRest) {
  const std::string longWord = "p" + std::string(1000, 'q');
  const std::string text = "  first\tsecond\r\n" + longWord + " after \v\f";
  forEachWayOfReading(text, [&](Input& in) {
    std::array<char, 8> word{};
    ASSERT_TRUE(in.readWord(word));
    EXPECT_STREQ(word.data(), "first");
    ASSERT_TRUE(in.readWord(word));
    EXPECT_STREQ(word.data(), "second");
    ASSERT_TRUE(in.readWord(word));
    EXPECT_STREQ(word.data(), "pqqqqqq") << "seven characters and the terminator";
    ASSERT_TRUE(in.readWord(word));
    EXPECT_STREQ(word.data(), "after") << "the long word's tail is not a word of its own";
    EXPECT_FALSE(in.readWord(word));
    EXPECT_EQ(word[0], '\0');
    EXPECT_FALSE(in.readWord(word)) << "the end stays the end";
  });
}

TEST(Input, AnyByteButWhiteSpaceBelongsToAWord) {
  const std::string text("\0x \x80\xff \x01", 7);
  forEachWayOfReading(text, [&](Input& in) {
    std::array<char, 4> word{};
    ASSERT_TRUE(in.readWord(word));
    EXPECT_EQ(std::string(word.data(), 2), std::string("\0x", 2));
    ASSERT_TRUE(in.readWord(word));
    EXPECT_STREQ(word.data(), "\x80\xff");
    ASSERT_TRUE(in.readWord(word));
    EXPECT_STREQ(word.data(), "\x01");
    EXPECT_FALSE(in.readWord(word));
  });
}

TEST(Input, EveryReadFlushesTheTiedOutputFirst) {
  CapturedOutput out;
  TextInput text("word 1", out.output());
  Input& in = text.input();
  out.output().write("prompt? ");
  std::array<char, 8> word{};
  ASSERT_TRUE(in.readWord(word));
  out.output().write("again? ");
  EXPECT_EQ(in.readInteger().status, Status::integer);
  EXPECT_EQ(in.readInteger().status, Status::endOfInput);
  EXPECT_EQ(out.marked(), "prompt? |again? |") << "a read with nothing pending delivers nothing";
}

TEST(Input, SourceIsNotAskedAgainAfterItsEnd) {
  struct Counting {
    int calls = 0;
    static std::size_t read(void* context, std::span<char>) {
      ++static_cast<Counting*>(context)->calls;
      return 0;
    }
  } source;
  CapturedOutput out;
  std::array<char, 4> buffer{};
  Input in(&Counting::read, &source, buffer, out.output());
  EXPECT_EQ(in.readInteger().status, Status::endOfInput);
  std::array<char, 4> word{};
  EXPECT_FALSE(in.readWord(word));
  EXPECT_EQ(source.calls, 1);
}

// Nobody sees the output any more, so nothing more is read, neither what is
// already in the buffer nor what the source still has.
TEST(Input, NothingIsReadOnceTheTiedOutputHasFailed) {
  RefusingSink sink{1};
  std::array<char, 64> outputBuffer{};
  Output out(&RefusingSink::deliver, &sink, outputBuffer);
  ChunkedSource source{"p q 5", 4};  // "p q " into the buffer, "5" left
  std::array<char, 16> inputBuffer{};
  Input in(&ChunkedSource::read, &source, inputBuffer, out);
  std::array<char, 8> word{};
  out.write("seen? ");
  ASSERT_TRUE(in.readWord(word));
  EXPECT_STREQ(word.data(), "p");
  out.write("lost? ");
  EXPECT_FALSE(in.readWord(word));
  EXPECT_EQ(in.readInteger().status, Status::endOfInput);
  EXPECT_EQ(sink.calls, 2);
  EXPECT_EQ(source.text, "5") << "the source is not asked again after the failure";
}

}  // namespace
