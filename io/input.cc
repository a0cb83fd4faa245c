#include "io/input.h"

#include <cassert>

namespace {

bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool isDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

Input::Input(Source source, void* context, std::span<char> buffer, Output& tied)
    : source_(source), context_(context), buffer_(buffer), tied_(tied) {
  assert(source != nullptr && !buffer.empty());
}

bool Input::readWord(std::span<char> word) {
  assert(!word.empty());
  int c = startRead();
  const bool found = c != END;
  std::size_t stored = 0;
  const std::size_t capacity = word.size() - 1;
  while (c != END && !isSpace(c)) {
    if (stored < capacity) {
      word[stored++] = static_cast<char>(c);
    }
    ++next_;
    c = peek();
  }
  word[stored] = '\0';
  return found;
}

Input::IntegerRead Input::readInteger() {
  int c = startRead();
  if (c == END) {
    return {Status::endOfInput};
  }
  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    ++next_;
    c = peek();
  }
  if (!isDigit(c)) {
    discardWord();
    return {Status::notAnInteger};
  }
  // The magnitude stops growing once it is out of range, but the digits are
  // still consumed, so a word of any length costs no more than its reading.
  const std::int64_t limit = negative ? 2147483648 : 2147483647;
  std::int64_t magnitude = 0;
  while (isDigit(c)) {
    if (magnitude <= limit) {
      magnitude = magnitude * 10 + (c - '0');
    }
    ++next_;
    c = peek();
  }
  if (magnitude > limit) {
    discardWord();
    return {Status::notAnInteger};
  }
  return {Status::integer, static_cast<std::int32_t>(negative ? -magnitude : magnitude)};
}

int Input::peekAfterRefill() {
  if (ended_) {
    return END;
  }
  const std::size_t n = source_(context_, buffer_);
  assert(n <= buffer_.size());
  if (n == 0) {
    ended_ = true;
    return END;
  }
  next_ = buffer_.data();
  end_ = next_ + n;
  return static_cast<unsigned char>(*next_);
}

int Input::startRead() {
  tied_.flush();
  if (tied_.failed()) {
    next_ = end_;
    ended_ = true;
  }
  return skipSpace();
}

int Input::skipSpace() {
  int c = peek();
  while (isSpace(c)) {
    ++next_;
    c = peek();
  }
  return c;
}

void Input::discardWord() {
  for (int c = peek(); c != END && !isSpace(c); c = peek()) {
    ++next_;
  }
}
