#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "io/input.h"
#include "io/output.h"
#include "list/pooled_list.h"
#include "pool/record_pool.h"

// The console: prompts for a command word, carries out the command that its
// first character names, and does so again until a word begins with q.
//
//   i  insert keys until a negative one      f  show the pool report
//   d  delete one key                        g  force a collection
//   p  show the list report                  s  sort the list
//
// Any other character is no command. The end of the input ends the run as q
// does, wherever it comes. A word that is not an integer where one is
// expected is skipped with an error line and ends that command; it is never
// replaced by an earlier value.
class CommandLoop {
 public:
  // Everything is borrowed from the entry point, which keeps it all for the
  // whole run; the loop allocates nothing.
  CommandLoop(RecordPool& pool, PooledList& list, Input& in, Output& out)
      : pool_(pool), list_(list), in_(in), out_(out) {}

  CommandLoop(const CommandLoop&) = delete;
  CommandLoop& operator=(const CommandLoop&) = delete;

  // Prompts, reads one command word and carries out its command. False once
  // the run is over: the word began with q, or the input has ended.
  [[nodiscard]] bool step();

  void run() {
    while (step()) {
    }
  }

  // True when the run ended because the input did, not by q.
  [[nodiscard]] bool inputEnded() const { return inputEnded_; }

 private:
  void insertKeys();
  void deleteKey();
  // The integer a command needs. Nothing when the command must stop there:
  // the word was not an integer (reported here) or the input has ended.
  std::optional<std::int32_t> readValue();

  RecordPool& pool_;
  PooledList& list_;
  Input& in_;
  Output& out_;
  // Only the first character of a word counts; the reader discards whatever
  // does not fit.
  std::array<char, 256> word_{};
  bool inputEnded_ = false;
};
