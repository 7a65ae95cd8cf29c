#pragma once
// Outcome of a file operation, shaped for the status line: failures are values with a
// text the user can read, never exceptions or message boxes.

#include <string>
#include <utility>

namespace persist {

struct IoResult {
  bool ok = true;
  // What to show in the status line; empty when there is nothing to tell. A
  // successful operation may still carry a warning here.
  std::string message;

  static IoResult Ok(std::string note = {}) { return {true, std::move(note)}; }
  static IoResult Fail(std::string why) { return {false, std::move(why)}; }
  explicit operator bool() const { return ok; }
};

}  // namespace persist
