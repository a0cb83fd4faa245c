#pragma once

#include <cstddef>
#include <span>
#include <string_view>

// An open file descriptor as the source of an Input or the sink of an
// Output: one read(2) per block, and one write(2) per flush unless the system
// takes only part of it. A call interrupted by a signal is made again, and a
// partial write goes on with the rest.
//
// Any other failure is kept in `error`, the errno value (0 while nothing has
// failed), and is reported as the end of the input or a refused flush, after
// which Input and Output ask nothing more. What to tell the user is left to
// the owner.

struct DescriptorSource {
  int descriptor;
  int error = 0;

  // An Input::Source; `context` is a DescriptorSource.
  static std::size_t read(void* context, std::span<char> into);
};

struct DescriptorSink {
  int descriptor;
  int error = 0;

  // An Output::Sink; `context` is a DescriptorSink.
  static bool write(void* context, std::string_view bytes);
};
