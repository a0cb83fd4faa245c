#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/input.h"
#include "io/output.h"

// Test support for input and output.

// An Output whose flushes land in a string, with a record of where each flush
// ended, so tests can check text and flush points at once.
class CapturedOutput {
 public:
  CapturedOutput() = default;
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;

  Output& output() { return output_; }

  // Everything flushed so far.
  [[nodiscard]] const std::string& text() const { return text_; }
  // The same, with '|' after every flush: "prompt? |" is a prompt that was
  // on screen before the program went on.
  [[nodiscard]] const std::string& marked() const { return marked_; }
  [[nodiscard]] int flushes() const { return flushes_; }

 private:
  static bool receive(void* context, std::string_view bytes) {
    auto* self = static_cast<CapturedOutput*>(context);
    self->text_ += bytes;
    self->marked_ += bytes;
    self->marked_ += '|';
    ++self->flushes_;
    return true;
  }

  std::string text_;
  std::string marked_;
  int flushes_ = 0;
  std::array<char, 4096> buffer_{};
  Output output_{&receive, this, buffer_};
};

// An Input source that hands out its text at most `step` bytes at a time, so
// that words and numbers straddle the edges of the input buffer.
struct ChunkedSource {
  std::string_view text;
  std::size_t step;

  static std::size_t read(void* context, std::span<char> into) {
    auto* self = static_cast<ChunkedSource*>(context);
    const std::size_t n = std::min({self->step, into.size(), self->text.size()});
    std::copy_n(self->text.data(), n, into.data());
    self->text.remove_prefix(n);
    return n;
  }
};

// An Input over `text`, which must outlive it, through a buffer of
// `bufferSize` bytes, handed out `step` bytes at a time (by default as much
// as the buffer takes).
class TextInput {
 public:
  explicit TextInput(std::string_view text, Output& tied, std::size_t bufferSize = 65536,
                     std::size_t step = std::numeric_limits<std::size_t>::max())
      : source_{text, step},
        buffer_(bufferSize),
        input_(&ChunkedSource::read, &source_, buffer_, tied) {}
  TextInput(const TextInput&) = delete;
  TextInput& operator=(const TextInput&) = delete;

  Input& input() { return input_; }

 private:
  ChunkedSource source_;
  std::vector<char> buffer_;
  Input input_;
};

// An Output sink that takes the first `accepted` flushes and refuses every
// one after them, counting the calls.
struct RefusingSink {
  int accepted = 0;
  int calls = 0;

  static bool deliver(void* context, std::string_view) {
    auto* self = static_cast<RefusingSink*>(context);
    return ++self->calls <= self->accepted;
  }
};
