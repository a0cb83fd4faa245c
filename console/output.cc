#include "console/output.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <charconv>

Output::Output(int fileDescriptor, std::span<char> buffer)
    : fileDescriptor_(fileDescriptor), buffer_(buffer) {
  assert(!buffer.empty());
}

Output::Output(Sink sink, void* context, std::span<char> buffer)
    : sink_(sink), context_(context), buffer_(buffer) {
  assert(sink != nullptr && !buffer.empty());
}

void Output::write(std::string_view text) {
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

void Output::write(char c) { write(std::string_view(&c, 1)); }

void Output::write(std::int64_t value, int width) {
  std::array<char, 24> digits{};
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  assert(error == std::errc());
  const auto length = static_cast<int>(end - digits.data());
  constexpr std::string_view SPACES = "                ";
  for (int pad = width - length; pad > 0;) {
    const auto n = std::min(static_cast<std::size_t>(pad), SPACES.size());
    write(SPACES.substr(0, n));
    pad -= static_cast<int>(n);
  }
  write(std::string_view(digits.data(), static_cast<std::size_t>(length)));
}

void Output::endLine() {
  write('\n');
  flush();
}

void Output::flush() {
  if (used_ == 0) {
    return;
  }
  deliver(std::string_view(buffer_.data(), used_));
  used_ = 0;
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
