#include <unistd.h>

#include <array>
#include <cstring>
#include <string_view>

#include "console/command_loop.h"
#include "io/descriptor.h"
#include "io/input.h"
#include "io/output.h"
#include "list/pooled_list.h"
#include "pool/record_pool.h"

namespace {

// The one line the program ever writes to standard error; the exit status
// that goes with it.
int reportFailure(std::string_view what, int error) {
  std::array<char, 256> buffer;
  DescriptorSink standardError{STDERR_FILENO};
  Output err(&DescriptorSink::write, &standardError, buffer);
  err.write("pooled-list: ");
  err.write(what);
  err.write(" error: ");
  err.write(std::strerror(error));
  err.endLine();
  return 1;
}

}  // namespace

// Everything the run needs lives here, in the entry point's own storage, for
// the whole run: the buffers of standard input and output, the pool, the list
// bound to it and the command loop with its word buffer.
int main() {
  // Between two flushes there is at most one line and a prompt, so the
  // output buffer never fills; input comes in blocks of 64 KiB.
  std::array<char, 4096> outputBuffer;
  std::array<char, 65536> inputBuffer;
  DescriptorSink standardOutput{STDOUT_FILENO};
  DescriptorSource standardInput{STDIN_FILENO};
  Output out(&DescriptorSink::write, &standardOutput, outputBuffer);
  Input in(&DescriptorSource::read, &standardInput, inputBuffer, out);

  RecordPool pool;
  PooledList list(pool);
  CommandLoop loop(pool, list, in, out);
  loop.run();

  // An end of input typed at a terminal leaves the cursor after a prompt or
  // a partly typed line; the shell's prompt that follows gets a line of its
  // own.
  if (loop.inputEnded() && !out.failed() && isatty(STDOUT_FILENO) == 1) {
    out.write('\n');
  }
  out.flush();
  // A failed read ends the input and so the run; a failed write ends the run
  // at the next read, which no longer reads. Whichever came first is the one
  // to report.
  if (standardInput.error != 0) {
    return reportFailure("read", standardInput.error);
  }
  if (standardOutput.error != 0) {
    return reportFailure("write", standardOutput.error);
  }
  return 0;
}
