#include "args.h"

#include <algorithm>
#include <cstring>

namespace shelfkey::cli {

bool Args::Has(const std::string& name) const {
  return values.count(name) != 0 || std::find(flags.begin(), flags.end(), name) != flags.end();
}

std::optional<std::string> Args::Value(const std::string& name) const {
  auto it = values.find(name);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> ParseArgs(std::span<const char* const> args,
                                     std::span<const OptionSpec> specs, Args& out) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      out.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionSpec* option = nullptr;
    std::optional<std::string> inlineValue;
    if (arg.rfind("--", 0) == 0) {
      const std::size_t eq = arg.find('=');
      const std::string name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
      if (eq != std::string::npos) inlineValue = arg.substr(eq + 1);
      for (const OptionSpec& s : specs) {
        if (name == s.name) option = &s;
      }
    } else if (arg.size() >= 2) {
      for (const OptionSpec& s : specs) {
        if (s.shortName != 0 && arg[1] == s.shortName) option = &s;
      }
      if (option != nullptr && arg.size() > 2) {
        if (!option->takesValue) return "unknown option '" + arg + "'";
        inlineValue = arg.substr(2);
      }
    }
    if (option == nullptr) return "unknown option '" + arg + "'";
    if (!option->takesValue) {
      if (inlineValue) return "option '--" + std::string(option->name) + "' takes no value";
      out.flags.push_back(option->name);
      continue;
    }
    if (!inlineValue) {
      if (i + 1 == args.size()) return "option '" + arg + "' needs a value";
      inlineValue = args[++i];
    }
    out.values[option->name] = *inlineValue;
    out.lists[option->name].push_back(*inlineValue);
  }
  return std::nullopt;
}

}  // namespace shelfkey::cli
