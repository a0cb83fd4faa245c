// Random sessions through the console, checked after every command against a
// model written apart from the program: the pool as a set of slots in use and
// a cursor, the list as a deque of addresses, and the expected output text
// formatted with printf. Any difference in keys, links, marks, the cursor, the
// count or a single byte of output fails the run.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "console/command_loop.h"
#include "io/io_testing.h"
#include "list/list_testing.h"

namespace {

const std::string PROMPT = "\nYour Command [i d p f g s]? ";
const std::string INSERTING = "Please enter integers to be inserted (-1 to stop)\n";
const std::string DELETING = "Please enter the key to delete: ";
const std::string NOT_AN_INTEGER = "**** ERROR ****: Not a valid integer, input skipped!\n";

template <typename... Args>
std::string format(const char* pattern, Args... args) {
  std::array<char, 128> text{};
  const int n = std::snprintf(text.data(), text.size(), pattern, args...);
  return {text.data(), static_cast<std::size_t>(n)};
}

// The pool and the list as the user is told they behave.
struct Model {
  std::array<std::int32_t, POOL_RECORDS> key{};
  std::array<RecordAddress, POOL_RECORDS> next{};
  std::set<std::int32_t> used;  // slots in use
  std::int32_t cursor = 0;
  std::deque<RecordAddress> chain;  // the list, head first
  std::int64_t requests = 0;

  static std::size_t slot(RecordAddress a) { return static_cast<std::size_t>(a / 3); }
  RecordAddress head() const { return chain.empty() ? NIL : chain.front(); }
  std::int32_t keyAt(RecordAddress a) const { return key[slot(a)]; }

  void keepOnlyTheChain() {
    used.clear();
    for (const RecordAddress a : chain) used.insert(a / 3);
  }

  // Returns the output of the insertion.
  std::string insert(std::int32_t k) {
    ++requests;
    std::int32_t s = cursor;
    while (s < POOL_RECORDS && used.count(s) != 0) ++s;
    if (s == POOL_RECORDS) {  // ran off the end: collect, rewind, scan again
      keepOnlyTheChain();
      for (s = 0; s < POOL_RECORDS && used.count(s) != 0;) ++s;
    }
    if (s == POOL_RECORDS) {
      cursor = POOL_RECORDS;
      return format("**** WARNING ****: Out of memory: List insertion of %d failed!!\n", k);
    }
    used.insert(s);
    cursor = s + 1;
    key[static_cast<std::size_t>(s)] = k;
    next[static_cast<std::size_t>(s)] = head();
    chain.push_front(3 * s);
    return "";
  }

  std::string remove(std::int32_t k) {
    ++requests;
    for (std::size_t i = 0; i < chain.size(); ++i) {
      if (keyAt(chain[i]) == k) {
        if (i > 0) next[slot(chain[i - 1])] = next[slot(chain[i])];
        chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(i));
        return format("Deleted Key(%d)\n", k);
      }
    }
    return format("Input: [%d] is not in the list!\n", k);
  }

  void collect() {
    keepOnlyTheChain();
    cursor = 0;
  }

  // Ascending keys; equal keys in the reverse of their order before.
  void sort() {
    std::reverse(chain.begin(), chain.end());
    std::stable_sort(chain.begin(), chain.end(),
                     [&](RecordAddress a, RecordAddress b) { return keyAt(a) < keyAt(b); });
    for (std::size_t i = 0; i < chain.size(); ++i) {
      next[slot(chain[i])] = i + 1 < chain.size() ? chain[i + 1] : NIL;
    }
  }

  std::string listReport() const {
    std::string text = format("After: %lld Operations: content of myList-List: Head(%d)\n",
                              static_cast<long long>(requests), head());
    for (const RecordAddress a : chain) {
      text += format("\tRecordAdddress(%2d)  Key=(%5d) NextRecordAddress= %2d\n", a, keyAt(a),
                     next[slot(a)]);
    }
    return text;
  }

  std::string poolReport() const {
    std::string text = "Here is the Record Pool:\nRecord Memory Pool Content: \n";
    for (std::int32_t s = 0; s < POOL_RECORDS; ++s) {
      const auto i = static_cast<std::size_t>(s);
      text += format("Memory: [%2d]: Record(%2d): Key=%5d  Next=%5d  MM=%s\n", 3 * s, s, key[i],
                     next[i], used.count(s) != 0 ? "InUse" : "Free");
    }
    return text;
  }
};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  // Appends one random command to `input` and carries it out on `model`;
  // returns the output it must produce after its prompt.
  std::string next(std::string& input, Model& model) {
    const int roll = pick(0, 99);
    if (roll < 40) {
      std::string output = INSERTING;
      input += "i" + space();
      for (int n = pick(1, 4); n > 0; --n) {
        const std::int32_t k = aKey();
        input += spell(k) + space();
        output += model.insert(k);
      }
      input += spell(-pick(1, 9)) + space();
      return output;
    }
    if (roll < 62) {
      const std::int32_t k = pick(0, 9) == 0 ? -pick(1, 5) : aKey();
      input += "d" + space() + spell(k) + space();
      return DELETING + model.remove(k);
    }
    if (roll < 70) {
      input += "g" + space();
      model.collect();
      return "Forcing a garbage collection!\n";
    }
    if (roll < 76) {
      input += "sort" + space();
      model.sort();
      return "";
    }
    if (roll < 84) {
      input += "p" + space();
      return model.listReport();
    }
    if (roll < 88) {
      input += "f" + space();
      return model.poolReport();
    }
    if (roll < 94) {
      input += oneOf({"x", "Q", "P", "7", "-1", "I", "#"}) + space();
      return "";
    }
    if (roll < 97) {
      input += "i" + space() + oneOf({"x", "-", "+z", "4294967296"}) + space();
      return INSERTING + NOT_AN_INTEGER;
    }
    input += "d" + space() + oneOf({"y", "--2", "-2147483649"}) + space();
    return DELETING + NOT_AN_INTEGER;
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  std::string oneOf(std::initializer_list<const char*> words) {
    return *(words.begin() + pick(0, static_cast<int>(words.size()) - 1));
  }
  // Few distinct keys, so that duplicates and hits are common.
  std::int32_t aKey() { return pick(0, 19) == 0 ? 2147483647 : pick(0, 12); }
  std::string space() { return oneOf({" ", "\n", "\t", "\r\n", "  \n "}); }
  // The same number in the ways a user may type it.
  std::string spell(std::int32_t n) {
    std::string digits = std::to_string(n < 0 ? -static_cast<std::int64_t>(n) : n);
    digits.insert(0, static_cast<std::size_t>(pick(0, 5) == 0 ? pick(1, 3) : 0), '0');
    if (n < 0) return "-" + digits;
    return (pick(0, 9) == 0 ? "+" : "") + digits;
  }

  std::mt19937 random_;
};

// Compares the program's pool and list with the model.
void expectAgreement(const RecordPool& pool, const PooledList& list, const Model& model) {
  ASSERT_EQ(invariantViolation(pool, list.head()), "");
  const std::vector<RecordAddress> chain = addressesOf(pool, list.head());
  EXPECT_EQ(std::deque<RecordAddress>(chain.begin(), chain.end()), model.chain);
  EXPECT_EQ(list.operationCount(), model.requests);
  EXPECT_EQ(pool.cursor(), model.cursor);
  for (std::int32_t s = 0; s < POOL_RECORDS; ++s) {
    const auto i = static_cast<std::size_t>(s);
    EXPECT_EQ(pool.isInUse(3 * s), model.used.count(s) != 0) << "slot " << s;
    EXPECT_EQ(pool.keyOf(3 * s), model.key[i]) << "slot " << s;
    EXPECT_EQ(pool.nextOf(3 * s), model.next[i]) << "slot " << s;
  }
}

TEST(SessionModel, RandomSessionsAgreeWithTheModel) {
  constexpr int SESSIONS = 400;
  constexpr int COMMANDS = 500;
  long checked = 0;
  for (unsigned seed = 1; seed <= SESSIONS; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    // The whole input first, with the output and the model's state that
    // each command must leave behind; then the program, one command at a time.
    struct Expected {
      std::string output;
      Model model;
    };
    Generator generator(seed);
    Model model;
    std::string input;
    std::vector<Expected> expected;
    for (int i = 0; i < COMMANDS; ++i) {
      std::string output = PROMPT + generator.next(input, model);
      expected.push_back({std::move(output), model});
    }

    RecordPool pool;
    PooledList list(pool);
    CapturedOutput out;
    TextInput in(input, out.output());
    CommandLoop loop(pool, list, in.input(), out.output());
    for (const Expected& after : expected) {
      const std::size_t before = out.text().size();
      ASSERT_TRUE(loop.step());
      out.output().flush();  // text held back for the next prompt counts too
      ASSERT_EQ(out.text().substr(before), after.output) << "command " << checked % COMMANDS;
      expectAgreement(pool, list, after.model);
      if (::testing::Test::HasFailure()) return;
      ++checked;
    }
    EXPECT_FALSE(loop.step()) << "the end of the input ends the run";
  }
  EXPECT_EQ(checked, long{SESSIONS} * COMMANDS);
  std::printf("checked %ld commands in %d sessions\n", checked, SESSIONS);
}

}  // namespace
