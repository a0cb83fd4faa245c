#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Buffered text output.
//
// Bytes collect in a buffer that the owner supplies and leave it only at a
// flush, so every flush with output pending is exactly one hand-over to the
// sink and a flush with nothing pending is none. An end of line is a line
// feed followed by a flush; readers flush before they wait for input, so a
// prompt without a line end is on screen while the program waits. Numbers are
// formatted without locales and without any allocation.
//
// A sink that fails has failed for good: from then on the output hands it
// nothing more and drops whatever is written, and `failed()` says so.
class Output {
 public:
  // Delivers the bytes of one flush to their destination; false when they
  // could not all be delivered. `context` is the pointer given to the
  // constructor.
  using Sink = bool (*)(void* context, std::string_view bytes);

  Output(Sink sink, void* context, std::span<char> buffer);

  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // Reports are many short pieces, so the case of a piece that fits is
  // inlined and the rest goes out of line.
  void write(std::string_view text) {
    if (text.size() <= buffer_.size() - used_) {
      std::copy_n(text.data(), text.size(), buffer_.data() + used_);
      used_ += text.size();
    } else {
      writeInPieces(text);
    }
  }
  void write(char c) { write(std::string_view(&c, 1)); }
  // Decimal, with a minus sign when negative; right-aligned in at least
  // `width` characters, padded with spaces; a wider number is written whole.
  void write(std::int64_t value, int width = 0);
  void write(std::int32_t value, int width = 0) { write(std::int64_t{value}, width); }
  void endLine() {
    write('\n');
    flush();
  }
  void flush() {
    if (used_ != 0) {
      deliver();
    }
  }

  // True once the sink has refused a flush.
  [[nodiscard]] bool failed() const { return failed_; }

 private:
  void writeInPieces(std::string_view text);
  void deliver();

  Sink sink_;
  void* context_;
  std::span<char> buffer_;  // owned by the caller, outlives this object
  std::size_t used_ = 0;    // bytes pending at the front of buffer_
  bool failed_ = false;
};
