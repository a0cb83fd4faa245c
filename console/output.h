#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Buffered text output of the console.
//
// Bytes collect in a buffer that the owner supplies and leave it only at a
// flush, so every flush with output pending is exactly one hand-over to the
// destination and a flush with nothing pending is none. An end of line is a
// line feed followed by a flush; readers of the console flush before they wait
// for input, so a prompt without a line end is on screen while the program
// waits. Numbers are formatted without locales and without any allocation.
class Output {
 public:
  // Receives the bytes of one flush; `context` is the pointer given to the
  // constructor. Tests and the fuzz target capture output this way.
  using Sink = void (*)(void* context, std::string_view bytes);

  // Writes to an open file descriptor, one write(2) per flush (retried only
  // where the system wrote part of it or was interrupted).
  Output(int fileDescriptor, std::span<char> buffer);
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
      deliver(std::string_view(buffer_.data(), used_));
      used_ = 0;
    }
  }

  [[nodiscard]] bool hasPending() const { return used_ != 0; }

 private:
  void writeInPieces(std::string_view text);
  void writeNumberInPieces(std::int64_t value, int width);
  void deliver(std::string_view bytes);

  Sink sink_ = nullptr;
  void* context_ = nullptr;
  int fileDescriptor_ = -1;
  std::span<char> buffer_;  // owned by the caller, outlives this object
  std::size_t used_ = 0;    // bytes pending at the front of buffer_
};
