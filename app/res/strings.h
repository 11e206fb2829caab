// The program's string table: every user-visible text, the engine's file
// name, its entry-point names and the table file names.
#pragma once

#include <string>

namespace cutter {

// The text of string number id, or the empty text when there is none.
std::string LoadResourceString(unsigned id);

}  // namespace cutter
