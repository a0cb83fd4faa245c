#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "io/output.h"

// Formatted reading of text input: words and decimal integers separated by
// white space (blank, tab, line feed, vertical tab, form feed, carriage
// return).
//
// Input arrives in blocks through a buffer that the owner supplies, so reading
// costs one call of the source per block, never one per character, and no
// word is ever held whole: however long a word is, memory stays the same.
// Every read first flushes the tied output, so whatever was written before it
// (a prompt above all) is visible while the program waits. Once the source
// has reported its end, it is not asked again: a terminal's end-of-file ends
// the input. Once the tied output has failed, the input has ended too: no one
// would see what reading on leads to.
class Input {
 public:
  // Fills `into` with the next bytes and returns how many; 0 at the end of
  // the input, and when it can not be read. `context` is the pointer given to
  // the constructor.
  using Source = std::size_t (*)(void* context, std::span<char> into);

  enum class Status { integer, notAnInteger, endOfInput };
  struct IntegerRead {
    Status status;
    std::int32_t value = 0;  // meaningful only with Status::integer
  };

  Input(Source source, void* context, std::span<char> buffer, Output& tied);

  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;

  // Skips white space and reads the next word. Stores as much of it as fits
  // in `word` with a terminating NUL after it and discards the rest of the
  // word, so a long word never spills into the next read. At the end of the
  // input `word` is left empty and the result is false.
  // REQUIRES: !word.empty()
  [[nodiscard]] bool readWord(std::span<char> word);

  // Skips white space and reads an optional sign followed directly by decimal
  // digits, in the range of std::int32_t. The first character after the
  // digits stays unread. A word without digits after the sign, or with a value
  // out of range, is discarded up to the next white space and reported as
  // Status::notAnInteger.
  [[nodiscard]] IntegerRead readInteger();

 private:
  static constexpr int END = -1;

  int peek() { return next_ != end_ ? static_cast<unsigned char>(*next_) : peekAfterRefill(); }
  int peekAfterRefill();
  // Flushes the tied output, then skips white space.
  int startRead();
  int skipSpace();
  void discardWord();

  Source source_;
  void* context_;
  std::span<char> buffer_;  // owned by the caller, outlives this object
  const char* next_ = nullptr;
  const char* end_ = nullptr;  // unread bytes are [next_, end_)
  bool ended_ = false;         // the source has reported its end
  Output& tied_;
};
