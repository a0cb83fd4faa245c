// Splits the program's output at the points where the console must flush,
// found from the text alone: after every line end the program writes, except
// the line feed that opens each prompt and the one that ends the collection
// notice (both written without a flush); after every prompt and after the
// deletion prompt, where a read follows; and whatever is left at the end.
// Writes the length of each piece as a 32-bit number to LENGTHS and prints
// how many pieces there are.
// Usage: split_flushes OUTPUT LENGTHS

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: split_flushes OUTPUT LENGTHS\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  constexpr std::string_view prompt = "\nYour Command [i d p f g s]? ";
  constexpr std::string_view deletion = "Please enter the key to delete: ";
  constexpr std::string_view notice = "Forcing a garbage collection!\n";

  std::vector<std::uint32_t> lengths;
  std::size_t start = 0;
  std::size_t at = 0;
  auto cut = [&](std::size_t end) {
    lengths.push_back(static_cast<std::uint32_t>(end - start));
    start = end;
  };
  const std::string_view all(text);
  while (at < all.size()) {
    const std::string_view rest = all.substr(at);
    if (rest.starts_with(prompt)) {
      at += prompt.size();
      cut(at);
    } else if (rest.starts_with(deletion)) {
      at += deletion.size();
      cut(at);
    } else if (rest.starts_with(notice)) {
      at += notice.size();
    } else if (all[at] == '\n') {
      cut(++at);
    } else {
      ++at;
    }
  }
  if (start < all.size()) {
    cut(all.size());
  }
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(lengths.data()),
            static_cast<std::streamsize>(lengths.size() * sizeof(std::uint32_t)));
  std::printf("%zu\n", lengths.size());
  return 0;
}
