// Runs the shelfkey tool in-process with an input text and collects what it
// writes and its exit status.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli.h"

namespace shelfkey::testing {

struct CliOutcome {
  int status;
  std::string out;
  std::string err;
};

// Reads a temporary file back from its start, then closes it.
inline std::string ReadBackAndClose(std::FILE* f) {
  std::string text;
  std::rewind(f);
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

// args without the program's name; out, when given, replaces the captured
// standard output (and is then not read back).
inline CliOutcome RunCli(std::vector<const char*> args, const std::string& input = "",
                         std::FILE* out = nullptr) {
  args.insert(args.begin(), "shelfkey");
  std::FILE* in = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), in);
  std::rewind(in);
  const bool ownOut = out == nullptr;
  if (ownOut) out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  const int status = cli::Run(static_cast<int>(args.size()), args.data(), {in, out, err});
  std::fclose(in);
  return {status, ownOut ? ReadBackAndClose(out) : "", ReadBackAndClose(err)};
}

}  // namespace shelfkey::testing
