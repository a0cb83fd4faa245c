/* The I/O floor: the least any program can spend on a session. It reads the
 * session from standard input in large blocks and writes the given output
 * bytes to standard output with one write per flush point, nothing else.
 * Usage: io_floor OUTPUT LENGTHS < SESSION */

#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

static const char* map(const char* path, size_t* size) {
  const int fd = open(path, O_RDONLY);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) return NULL;
  *size = (size_t)st.st_size;
  if (*size == 0) return "";
  const void* data = mmap(NULL, *size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  return data == MAP_FAILED ? NULL : data;
}

int main(int argc, char** argv) {
  size_t textSize = 0;
  size_t lengthsSize = 0;
  const char* text = argc == 3 ? map(argv[1], &textSize) : NULL;
  const uint32_t* lengths = argc == 3 ? (const uint32_t*)map(argv[2], &lengthsSize) : NULL;
  if (text == NULL || lengths == NULL) {
    fprintf(stderr, "usage: io_floor OUTPUT LENGTHS < SESSION\n");
    return 2;
  }
  static char block[65536];
  while (read(0, block, sizeof block) > 0) {
  }
  for (size_t i = 0; i < lengthsSize / sizeof *lengths; ++i) {
    if (write(1, text, lengths[i]) != (ssize_t)lengths[i]) return 1;
    text += lengths[i];
  }
  return 0;
}
