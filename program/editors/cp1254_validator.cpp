#include "program/editors/cp1254_validator.h"

#include "program/cp1254_text.h"

namespace program::editors {

QValidator::State Cp1254Validator::validate(QString& input, int&) const {
  for (char32_t c : input.toStdU32String()) {
    // A zero byte would read back as "no character".
    if (c == 0 || !UnicodeToCp1254(c)) return Invalid;
  }
  return Acceptable;
}

}  // namespace program::editors
