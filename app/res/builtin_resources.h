// The program's resources as built into it.
#pragma once

#include "platform/platform.h"
#include "res/strings.h"

namespace cutter {

class BuiltInResources : public platform::Resources {
 public:
  std::string LoadString(unsigned id) const override { return LoadResourceString(id); }
  // Icons belong to the window system; without one there are none.
  platform::IconHandle LoadIcon(int) const override { return nullptr; }
};

}  // namespace cutter
