// Whole-file reads and safe writes for the tool.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace shelfkey::cli {

// Reads a whole file ("-" is the given stream). On failure returns false
// with a message naming the file and the system's reason in error, and sets
// missing when the file could not be opened at all.
bool ReadWholeFile(const std::string& path, std::FILE* stdinStream, std::vector<unsigned char>& out,
                   std::string& error, bool& missing);

// Writes bytes to path through a temporary file in the same folder and a
// rename, so that a failed write never leaves a half-written file behind.
bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes,
                         std::string& error);

}  // namespace shelfkey::cli
