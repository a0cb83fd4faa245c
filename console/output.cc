#include "console/output.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>

Output::Output(int fileDescriptor, std::span<char> buffer)
    : fileDescriptor_(fileDescriptor), buffer_(buffer) {
  assert(!buffer.empty());
}

Output::Output(Sink sink, void* context, std::span<char> buffer)
    : sink_(sink), context_(context), buffer_(buffer) {
  assert(sink != nullptr && !buffer.empty());
}

void Output::writeInPieces(std::string_view text) {
  while (!text.empty()) {
    if (used_ == buffer_.size()) {
      flush();
    }
    const std::size_t n = std::min(text.size(), buffer_.size() - used_);
    std::copy_n(text.data(), n, buffer_.data() + used_);
    used_ += n;
    text.remove_prefix(n);
  }
}

// Reports are mostly small numbers in narrow fields, so numbers are formatted
// by hand, right to left, straight into the buffer: the field is first filled
// with spaces by one fixed-size copy, then the digits are put at its end.
void Output::write(std::int64_t value, int width) {
  constexpr std::size_t WIDEST = 24;  // any int64 with its sign fits
  const bool negative = value < 0;
  std::uint64_t rest =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::size_t length = negative ? 2 : 1;
  for (std::uint64_t bound = 10;
       rest >= bound && bound <= std::numeric_limits<std::uint64_t>::max() / 10; bound *= 10) {
    ++length;
  }
  const std::size_t total = std::max(static_cast<std::size_t>(std::max(width, 0)), length);
  if (total > WIDEST || buffer_.size() - used_ < WIDEST) {
    writeNumberInPieces(value, width);
    return;
  }
  char* const field = buffer_.data() + used_;
  used_ += total;
  std::memcpy(field, "                        ", WIDEST);
  char* digit = field + total;
  do {
    *--digit = static_cast<char>('0' + rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (negative) {
    *--digit = '-';
  }
}

void Output::writeNumberInPieces(std::int64_t value, int width) {
  std::array<char, 24> digits{};
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  assert(error == std::errc());
  const auto length = static_cast<int>(end - digits.data());
  for (int pad = width - length; pad > 0; --pad) {
    write(' ');
  }
  write(std::string_view(digits.data(), static_cast<std::size_t>(length)));
}

void Output::deliver(std::string_view bytes) {
  if (sink_ != nullptr) {
    sink_(context_, bytes);
    return;
  }
  while (!bytes.empty()) {
    const ssize_t written = ::write(fileDescriptor_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      // Nobody is reading any more (closed or broken output). The run still
      // goes on to the end of its input; only the text is lost.
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}
