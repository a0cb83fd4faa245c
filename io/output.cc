#include "io/output.h"

#include <array>
#include <cassert>
#include <cstring>

namespace {

// Room for any int64 with its sign, and a little more: the field is cleared
// with one copy of this fixed size, which is cheaper than a copy of the
// number's own size.
constexpr std::size_t FIELD = 24;
constexpr std::string_view SPACES = "                        ";
static_assert(SPACES.size() == FIELD);

std::uint64_t magnitudeOf(std::int64_t value) {
  const auto bits = static_cast<std::uint64_t>(value);
  return value < 0 ? 0 - bits : bits;
}

// The magnitude of an int64 is at most 2^63, below 10^19, so the bound stops
// growing at 10^19 at the latest, which a uint64 still holds.
std::size_t decimalLength(std::uint64_t magnitude, bool negative) {
  std::size_t length = negative ? 2 : 1;
  for (std::uint64_t bound = 10; magnitude >= bound; bound *= 10) {
    ++length;
  }
  return length;
}

// The one number formatter: puts the number right-aligned into the `total`
// characters at `field`, digits from the right, and spaces before them.
// REQUIRES: the number's length <= total <= FIELD, and FIELD bytes at `field`
void formatField(char* field, std::size_t total, std::uint64_t magnitude, bool negative) {
  std::memcpy(field, SPACES.data(), FIELD);
  char* digit = field + total;
  do {
    *--digit = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) {
    *--digit = '-';
  }
}

}  // namespace

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

// Reports are mostly small numbers in narrow fields, so a number is formatted
// straight into the buffer where there is room, and into a field of its own
// only where the buffer is nearly full.
void Output::write(std::int64_t value, int width) {
  const bool negative = value < 0;
  const std::uint64_t magnitude = magnitudeOf(value);
  std::size_t total =
      std::max(static_cast<std::size_t>(std::max(width, 0)), decimalLength(magnitude, negative));
  // Spaces that no number could fill go first.
  while (total > FIELD) {
    const std::size_t n = std::min(total - FIELD, FIELD);
    write(SPACES.substr(0, n));
    total -= n;
  }
  if (buffer_.size() - used_ >= FIELD) {
    formatField(buffer_.data() + used_, total, magnitude, negative);
    used_ += total;
  } else {
    std::array<char, FIELD> field;
    formatField(field.data(), total, magnitude, negative);
    writeInPieces(std::string_view(field.data(), total));
  }
}

void Output::deliver() {
  if (!failed_) {
    failed_ = !sink_(context_, std::string_view(buffer_.data(), used_));
  }
  used_ = 0;
}
