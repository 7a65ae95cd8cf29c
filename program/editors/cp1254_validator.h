#pragma once
// Lets into a text box only characters that the controller's Windows-1254 character
// set can store, so a name or description never turns into '?' when it is saved.

#include <QValidator>

namespace program::editors {

class Cp1254Validator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override;
};

}  // namespace program::editors
