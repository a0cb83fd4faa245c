#include "console/command_loop.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "io/io_testing.h"
#include "list/list_testing.h"

namespace {

// One run of the console over in-memory input, with everything in reach.
struct Session {
  explicit Session(std::string_view input) : text(input, out.output()) {}

  RecordPool pool;
  PooledList list{pool};
  CapturedOutput out;
  TextInput text;
  CommandLoop loop{pool, list, text.input(), out.output()};
};

TEST(CommandLoop, PromptsAreDeliveredBeforeEachReadAndTheCollectionNoticeWaits) {
  Session s("g\ni 1 -1\nd 1\nq\n");
  s.loop.run();
  EXPECT_EQ(s.out.marked(),
            "\nYour Command [i d p f g s]? |"
            "Forcing a garbage collection!\n\nYour Command [i d p f g s]? |"
            "Please enter integers to be inserted (-1 to stop)\n|"
            "\nYour Command [i d p f g s]? |"
            "Please enter the key to delete: |"
            "Deleted Key(1)\n|"
            "\nYour Command [i d p f g s]? |");
}

TEST(CommandLoop, StepTellsWhetherTheRunGoesOn) {
  struct Row {
    const char* input;
    std::vector<bool> steps;
  };
  const Row rows[] = {
      {"", {false}},
      {"q", {false}},
      {"quit p", {false}},
      {"x Q P 7 p", {true, true, true, true, true, false}},
      {"i 1 -1 q", {true, false}},
      {"i 1 2", {false}},  // the input ended inside the insertion
      {"d", {false}},
      {"d 4 q", {true, false}},
      {"i x q", {true, false}},  // a bad word ends the command, not the run
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.input);
    Session s(row.input);
    std::vector<bool> steps;
    bool more = true;
    while (more && steps.size() < 20) {
      more = s.loop.step();
      steps.push_back(more);
    }
    EXPECT_EQ(steps, row.steps);
  }
}

// A word that is not a number is skipped with an error and ends its command;
// the last good value is never used again in its place.
TEST(CommandLoop, BadWordsAreNeverReplacedByAnEarlierValue) {
  Session s("i 5 6 x7 8 -1\nd 6\nd six\np\n");
  s.loop.run();
  EXPECT_EQ(keysOf(s.pool, s.list.head()), (std::vector<std::int32_t>{5}));
  EXPECT_EQ(s.list.operationCount(), 3) << "two insertions and one removal";
  // "8" and "-1" come as command words after the first error.
  EXPECT_EQ(s.out.text(),
            "\nYour Command [i d p f g s]? "
            "Please enter integers to be inserted (-1 to stop)\n"
            "**** ERROR ****: Not a valid integer, input skipped!\n"
            "\nYour Command [i d p f g s]? "
            "\nYour Command [i d p f g s]? "
            "\nYour Command [i d p f g s]? "
            "Please enter the key to delete: Deleted Key(6)\n"
            "\nYour Command [i d p f g s]? "
            "Please enter the key to delete: "
            "**** ERROR ****: Not a valid integer, input skipped!\n"
            "\nYour Command [i d p f g s]? "
            "After: 3 Operations: content of myList-List: Head(0)\n"
            "\tRecordAdddress( 0)  Key=(    5) NextRecordAddress= -1\n"
            "\nYour Command [i d p f g s]? ");
}

TEST(CommandLoop, EachCommandDoesItsOwnWorkOnly) {
  Session s("i 3 1 2 -1 d 1 s g f p q");
  s.loop.run();
  EXPECT_EQ(keysOf(s.pool, s.list.head()), (std::vector<std::int32_t>{2, 3}));
  EXPECT_EQ(s.list.operationCount(), 4);
  // g collected the record that d unlinked; s relinked without allocating.
  EXPECT_FALSE(s.pool.isInUse(3));
  EXPECT_TRUE(s.pool.isInUse(0) && s.pool.isInUse(6));
  EXPECT_EQ(s.pool.cursor(), 0);
}

}  // namespace
