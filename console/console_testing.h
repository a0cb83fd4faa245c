#pragma once

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "console/output.h"

// Test support for the console's input and output.

// An Output whose flushes land in a string, with a record of
// where each flush ended, so tests can check text and flush points at once.
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
  static void receive(void* context, std::string_view bytes) {
    auto* self = static_cast<CapturedOutput*>(context);
    self->text_ += bytes;
    self->marked_ += bytes;
    self->marked_ += '|';
    ++self->flushes_;
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
