#include <unistd.h>

#include <array>

#include "console/command_loop.h"
#include "console/input.h"
#include "console/output.h"
#include "list/pooled_list.h"
#include "pool/record_pool.h"

// Everything the run needs lives here, in the entry point's own storage, for
// the whole run: the buffers of standard input and output, the pool, the list
// bound to it and the command loop with its word buffer.
int main() {
  // Between two flushes there is at most one line and a prompt, so the
  // output buffer never fills; input comes in blocks of 64 KiB.
  std::array<char, 4096> outputBuffer;
  std::array<char, 65536> inputBuffer;
  Output out(STDOUT_FILENO, outputBuffer);
  Input in(STDIN_FILENO, inputBuffer, out);

  RecordPool pool;
  PooledList list(pool);
  CommandLoop loop(pool, list, in, out);
  loop.run();

  out.flush();
  return 0;
}
