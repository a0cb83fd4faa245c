// Writes a long, deterministic session for the benchmark: COMMANDS commands
// of every kind, then q. It keeps a rough picture of the list, so that most
// deletions hit a key that is there and the list grows and shrinks as a
// user's would, filling the pool now and then.
// Usage: make_session COMMANDS [SEED]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_session COMMANDS [SEED]\n");
    return 2;
  }
  const long commands = std::strtol(argv[1], nullptr, 10);
  std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  // Mostly small keys; now and then one wider than the report's field.
  auto aKey = [&]() { return pick(0, 49) == 0 ? 1234567 : pick(0, 999); };
  std::deque<int> list;  // keys the list should hold, head first
  std::string session;
  for (long n = 0; n < commands; ++n) {
    const int roll = pick(0, 99);
    if (roll < 25) {
      session += "i";
      for (int keys = pick(1, 2); keys > 0; --keys) {
        const int key = aKey();
        session += ' ' + std::to_string(key);
        if (list.size() < 10) {
          list.push_front(key);
        }
      }
      session += " -1\n";
    } else if (roll < 65) {
      int key = aKey();  // a miss, one time in eight
      if (!list.empty() && pick(0, 7) != 0) {
        const auto at = list.begin() + pick(0, static_cast<int>(list.size()) - 1);
        key = *at;
        list.erase(std::find(list.begin(), list.end(), key));
      }
      session += "d " + std::to_string(key) + "\n";
    } else if (roll < 75) {
      session += "p\n";
    } else if (roll < 79) {
      session += "f\n";
    } else if (roll < 84) {
      session += "g\n";
    } else if (roll < 89) {
      session += "s\n";
      std::sort(list.begin(), list.end());
    } else if (roll < 94) {
      session += "x\n";
    } else {
      session += pick(0, 1) == 0 ? "i 12 oops\n" : "d -\n";
      if (session.ends_with("oops\n") && list.size() < 10) {
        list.push_front(12);
      }
    }
  }
  session += "q\n";
  std::fwrite(session.data(), 1, session.size(), stdout);
  return 0;
}
