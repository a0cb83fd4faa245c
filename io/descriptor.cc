#include "io/descriptor.h"

#include <unistd.h>

#include <cerrno>

std::size_t DescriptorSource::read(void* context, std::span<char> into) {
  auto& self = *static_cast<DescriptorSource*>(context);
  for (;;) {
    const ssize_t n = ::read(self.descriptor, into.data(), into.size());
    if (n >= 0) {
      return static_cast<std::size_t>(n);
    }
    if (errno != EINTR) {
      self.error = errno;
      return 0;
    }
  }
}

bool DescriptorSink::write(void* context, std::string_view bytes) {
  auto& self = *static_cast<DescriptorSink*>(context);
  while (!bytes.empty()) {
    const ssize_t n = ::write(self.descriptor, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n == 0) {
      // No progress and no reason: asking again could go on for ever.
      self.error = EIO;
      return false;
    } else if (errno != EINTR) {
      self.error = errno;
      return false;
    }
  }
  return true;
}
