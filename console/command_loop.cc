#include "console/command_loop.h"

bool CommandLoop::step() {
  out_.write("\nYour Command [i d p f g s]? ");
  if (!in_.readWord(word_)) {
    inputEnded_ = true;
    return false;
  }
  switch (word_[0]) {
    case 'i':
      insertKeys();
      break;
    case 'd':
      deleteKey();
      break;
    case 'p':
      list_.print(out_, "myList");
      break;
    case 'f':
      out_.write("Here is the Record Pool:");
      out_.endLine();
      pool_.dump(out_);
      break;
    case 'g':
      // No end of line here: the text goes out with the next prompt.
      out_.write("Forcing a garbage collection!\n");
      pool_.collect(list_.head());
      break;
    case 's':
      list_.sort();
      break;
    case 'q':
      return false;
    default:
      break;
  }
  return !inputEnded_;
}

void CommandLoop::insertKeys() {
  out_.write("Please enter integers to be inserted (-1 to stop)");
  out_.endLine();
  for (auto value = readValue(); value && *value >= 0; value = readValue()) {
    list_.insert(*value, out_);
  }
}

void CommandLoop::deleteKey() {
  out_.write("Please enter the key to delete: ");
  const auto value = readValue();
  if (!value) {
    return;
  }
  if (list_.remove(*value)) {
    out_.write("Deleted Key(");
    out_.write(*value);
    out_.write(")");
  } else {
    out_.write("Input: [");
    out_.write(*value);
    out_.write("] is not in the list!");
  }
  out_.endLine();
}

std::optional<std::int32_t> CommandLoop::readValue() {
  const auto [status, value] = in_.readInteger();
  switch (status) {
    case Input::Status::integer:
      return value;
    case Input::Status::notAnInteger:
      out_.write("**** ERROR ****: Not a valid integer, input skipped!");
      out_.endLine();
      break;
    case Input::Status::endOfInput:
      inputEnded_ = true;
      break;
  }
  return std::nullopt;
}
