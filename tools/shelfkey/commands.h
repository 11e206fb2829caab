// The tool's commands and what they share.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli.h"
#include "index_file.h"

namespace shelfkey::cli {

// Each takes the arguments after its command's name.
int RunCutter(std::span<const char* const> args, const Streams& io);
int RunKey(std::span<const char* const> args, const Streams& io);
int RunIndex(std::span<const char* const> args, const Streams& io);

// Prints "shelfkey COMMAND: message" and a pointer to the help; returns kExitUsage.
int UsageError(const Streams& io, const char* command, const std::string& message);

// Reads a table index file and checks it. Returns kExitOk, or prints why not
// and returns kExitNoInput, kExitIoError or kExitDataError.
int LoadIndexFile(const std::string& path, const Streams& io, const char* command,
                  std::vector<unsigned char>& bytes, index::Contents* contents = nullptr);

// Flushes the output; a failed write (such as a full disk) is reported and
// gives kExitIoError, otherwise status is returned.
int FinishOutput(const Streams& io, const char* command, int status);

}  // namespace shelfkey::cli
