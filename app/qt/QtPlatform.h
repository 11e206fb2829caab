// The parts of the platform seam that need the window system.
#pragma once

#include <QIcon>

#include "platform/platform.h"
#include "res/builtin_resources.h"

namespace cutter::qt {

// Message boxes with OK and the exclamation icon, owned by the active window.
class QtMessageBoxes : public platform::MessageBoxes {
 public:
  void Show(const std::string& text, const std::string& caption) override;
};

// The built-in strings, and icon 128 from the program's Qt resources.
class QtResources : public BuiltInResources {
 public:
  platform::IconHandle LoadIcon(int id) const override;

 private:
  mutable QIcon icon_;
};

}  // namespace cutter::qt
