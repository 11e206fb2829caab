// A small command-line parser: long options with "--name value" or
// "--name=value", short options with "-x value", "--" ends the options, and a
// lone "-" is an operand (standard input).
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace shelfkey::cli {

struct OptionSpec {
  const char* name;     // long name without "--"
  char shortName;       // 0 when there is none
  bool takesValue;
};

struct Args {
  std::vector<std::string> operands;
  std::map<std::string, std::string> values;  // options with a value, by long name (the last given)
  std::map<std::string, std::vector<std::string>> lists;  // every value of each option, in order
  std::vector<std::string> flags;             // options without one, by long name

  bool Has(const std::string& name) const;
  std::optional<std::string> Value(const std::string& name) const;
};

// Parses args, or returns a message that names the offending argument.
std::optional<std::string> ParseArgs(std::span<const char* const> args,
                                     std::span<const OptionSpec> specs, Args& out);

}  // namespace shelfkey::cli
