#pragma once
// The errors the window's data files raise. They end start-up, or the menu handler that met them.

#include <stdexcept>
#include <string>

#include "common/text.h"

namespace tonedeck {

class WindowError : public std::runtime_error {
  public:
    explicit WindowError(const std::u16string& text)
        : std::runtime_error(U16ToUtf8(text)), text_(text) {}
    // The text the message box shows.
    const std::u16string& Text() const { return text_; }

  private:
    std::u16string text_;
};

// "'%s' is not a valid integer value", %s being the field as written.
class InvalidIntegerError : public WindowError {
  public:
    explicit InvalidIntegerError(const std::u16string& field)
        : WindowError(u"'" + field + u"' is not a valid integer value"), field_(field) {}
    const std::u16string& Field() const { return field_; }

  private:
    std::u16string field_;
};

// A file that is missing, unreadable or not what it should be; the text names the file.
class FileLoadError : public WindowError {
  public:
    using WindowError::WindowError;
};

}  // namespace tonedeck
