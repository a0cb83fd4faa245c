#include "console/command_loop.h"

bool CommandLoop::step() {
  out_.write("\nYour Command [i d p f g s]? ");
  if (!in_.readWord(word_)) {
    return false;
  }
  switch (word_[0]) {
    case 'i':
      return insertKeys();
    case 'd':
      return deleteKey();
    case 'p':
      list_.print(out_, "myList");
      return true;
    case 'f':
      out_.write("Here is the Record Pool:");
      out_.endLine();
      pool_.dump(out_);
      return true;
    case 'g':
      // No end of line here: the text goes out with the next prompt.
      out_.write("Forcing a garbage collection!\n");
      pool_.collect(list_.head());
      return true;
    case 's':
      list_.sort();
      return true;
    case 'q':
      return false;
    default:
      return true;
  }
}

bool CommandLoop::insertKeys() {
  out_.write("Please enter integers to be inserted (-1 to stop)");
  out_.endLine();
  for (;;) {
    const auto [status, value] = in_.readInteger();
    switch (status) {
      case Input::Status::endOfInput:
        return false;
      case Input::Status::notAnInteger:
        reportNotAnInteger();
        return true;
      case Input::Status::integer:
        if (value < 0) {
          return true;
        }
        list_.insert(value, out_);
        break;
    }
  }
}

bool CommandLoop::deleteKey() {
  out_.write("Please enter the key to delete: ");
  const auto [status, value] = in_.readInteger();
  switch (status) {
    case Input::Status::endOfInput:
      return false;
    case Input::Status::notAnInteger:
      reportNotAnInteger();
      return true;
    case Input::Status::integer:
      break;
  }
  if (list_.remove(value)) {
    out_.write("Deleted Key(");
    out_.write(value);
    out_.write(")");
  } else {
    out_.write("Input: [");
    out_.write(value);
    out_.write("] is not in the list!");
  }
  out_.endLine();
  return true;
}

void CommandLoop::reportNotAnInteger() {
  out_.write("**** ERROR ****: Not a valid integer, input skipped!");
  out_.endLine();
}
