#pragma once
// The installer's exceptions: a number error in a language file, or a file that cannot be
// loaded. They are caught where the wizard's event handling would catch them.

#include <stdexcept>
#include <string>

#include "common/text.h"

namespace tonedeck {

class SetupError : public std::runtime_error {
  public:
    explicit SetupError(std::u16string text)
        : std::runtime_error(U16ToUtf8(text)), text_(std::move(text)) {}
    const std::u16string& text() const { return text_; }

  private:
    std::u16string text_;
};

}  // namespace tonedeck
