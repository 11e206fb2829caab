// shelfkey cutter and shelfkey key: headings from the command line, from
// files or from standard input, one per line, one result per line.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "args.h"
#include "batch.h"
#include "commands.h"
#include "cutter_number.h"
#include "engine_text.h"
#include "filing_key.h"
#include "readers.h"
#include "record_index.h"
#include "search.h"

namespace shelfkey::cli {
namespace {

constexpr char kCutterHelp[] =
    "Usage: shelfkey cutter [OPTION]... [HEADING]...\n"
    "Print the Cutter number of each heading, one per line, in input order:\n"
    "exactly the text that the engine's entry points give for it.\n"
    "Headings come from the arguments; without any, from the files of --file,\n"
    "or else from standard input, one heading per line.\n"
    "\n"
    "  -t, --table cutter|sanborn  the Cutter Four-Figure Table (default) or the\n"
    "                              Cutter-Sanborn Four-Figure Table\n"
    "  -i, --index FILE            the table index file; default CUT4FIG.IDX or\n"
    "                              CS4FIG.IDX in the current directory\n"
    "  -f, --file FILE             read headings from FILE (\"-\": standard input);\n"
    "                              may be given more than once\n"
    "  -c, --column N              take the heading from column N (from 1) of\n"
    "                              tab-separated lines and print the whole line\n"
    "                              with the result appended after a tab\n"
    "      --tsv                   print heading, filing key and Cutter number,\n"
    "                              separated by tabs\n"
    "      --json                  print one JSON object per line: \"heading\",\n"
    "                              \"key\", \"cutter\" (and \"line\" with --column)\n"
    "  -e, --encoding ENC          utf-8 (default): Unicode text, converted as the\n"
    "                              program converts it; ansel or latin1: bytes\n"
    "                              passed to the engine unchanged\n"
    "  -h, --help                  show this help\n"
    "\n"
    "The table index file is checked before anything is read: a missing file\n"
    "stops with status 66, a damaged one with 65, before any output.\n"
    "Line endings \"\\n\" and \"\\r\\n\" are both read. Each line with a problem is\n"
    "reported on standard error with its number, and the run goes on: invalid\n"
    "UTF-8 is replaced, NUL bytes are removed, a line longer than 65536 bytes is\n"
    "cut to its first 65536 bytes; the exit status is then 1.\n";

constexpr char kKeyHelp[] =
    "Usage: shelfkey key [OPTION]... [HEADING]...\n"
    "Print the filing key of each heading, one per line: capitals, digits and\n"
    "single spaces, with name prefixes folded (McDonald: MACDONALD). Headings\n"
    "come from the arguments, the files of --file, or standard input.\n"
    "\n"
    "  -f, --file FILE      read headings from FILE (\"-\": standard input)\n"
    "  -c, --column N       take the heading from column N of tab-separated lines\n"
    "                       and append the key to the whole line\n"
    "      --tsv            print heading and filing key, separated by a tab\n"
    "      --json           print one JSON object per line: \"heading\", \"key\"\n"
    "  -e, --encoding ENC   utf-8 (default), ansel or latin1, as for 'cutter'\n"
    "  -h, --help           show this help\n";

constexpr OptionSpec kCutterOptions[] = {
    {"help", 'h', false}, {"table", 't', true},   {"index", 'i', true}, {"file", 'f', true},
    {"column", 'c', true}, {"tsv", 0, false},     {"json", 0, false},   {"encoding", 'e', true}};
constexpr OptionSpec kKeyOptions[] = {{"help", 'h', false}, {"file", 'f', true},  {"column", 'c', true},
                                      {"tsv", 0, false},    {"json", 0, false},   {"encoding", 'e', true}};

enum class Encoding { kUtf8, kAnsel, kLatin1 };
enum class Format { kPlain, kTsv, kJson };

struct Settings {
  Encoding encoding = Encoding::kUtf8;
  Format format = Format::kPlain;
  std::size_t column = 0;  // 0: the whole line
  bool cutter = true;      // false: filing keys only
  Table table = Table::Cut4Fig;
};

bool IsAscii(const char* text, std::size_t n) {
  unsigned char any = 0;
  for (std::size_t i = 0; i < n; ++i) any |= static_cast<unsigned char>(text[i]);
  return any < 0x80;
}

// Turns each heading into its result line.
class Runner {
 public:
  Runner(const Settings& settings, const Streams& io, const char* command,
         const std::vector<unsigned char>* table)
      : s_(settings), io_(io), command_(command), out_(io.out), table_(table) {
    if (table_ != nullptr) {
      reader_ = std::make_unique<MemoryReader>(*table_);
      records_ = std::make_unique<RecordIndex>(*table_);
    }
  }

  // Where a line comes from, for messages: "line 3", "notes.txt:3", "argument 2".
  struct Where {
    const std::string* file;  // empty: standard input
    std::uint64_t number;
    bool argument;
    std::string Text() const {
      if (argument) return "argument " + std::to_string(number);
      return file->empty() ? "line " + std::to_string(number) : *file + ":" + std::to_string(number);
    }
  };

  // One line of input.
  void Line(char* line, std::size_t length, bool cut, const Where& where) {
    bool problem = false;
    if (cut) {
      Report(where, "longer than 65536 bytes; only its first 65536 bytes are used");
      problem = true;
    }
    if (std::memchr(line, '\0', length) != nullptr) {
      std::size_t w = 0;
      for (std::size_t r = 0; r < length; ++r) {
        if (line[r] != '\0') line[w++] = line[r];
      }
      length = w;
      line[length] = '\0';
      Report(where, "NUL bytes removed");
      problem = true;
    }

    // The heading: the whole line, or one of its columns.
    char* heading = line;
    std::size_t headingLength = length;
    char* fieldEnd = nullptr;
    char saved = '\0';
    if (s_.column > 0) {
      std::size_t field = 1, begin = 0;
      while (field < s_.column) {
        const void* tab = std::memchr(line + begin, '\t', length - begin);
        if (tab == nullptr) break;
        begin = static_cast<std::size_t>(static_cast<const char*>(tab) - line) + 1;
        ++field;
      }
      if (field < s_.column) {
        // The line goes through with an empty result.
        Report(where, "has no column " + std::to_string(s_.column));
        ++problems_;
        if (s_.format == Format::kJson) {
          json_ = "{\"line\":";
          AppendJson(line, length);
          json_ += ",\"error\":\"no column " + std::to_string(s_.column) + "\"}\n";
          out_.Append(json_);
          return;
        }
        AppendText(line, length);
        out_.Append(s_.format == Format::kTsv && s_.cutter ? "\t\t\n" : "\t\n");
        return;
      }
      const void* tab = std::memchr(line + begin, '\t', length - begin);
      const std::size_t end = tab ? static_cast<std::size_t>(static_cast<const char*>(tab) - line) : length;
      heading = line + begin;
      headingLength = end - begin;
      fieldEnd = line + end;
      saved = *fieldEnd;
      *fieldEnd = '\0';
    }

    const char* engineHeading = heading;
    if (s_.encoding == Encoding::kUtf8 && !IsAscii(heading, headingLength)) {
      converted_ = cutter::text::ToEngineBytes(std::string_view(heading, headingLength));
      if (converted_.invalidSequences > 0) {
        Report(where, "invalid UTF-8 replaced");
        problem = true;
      }
      engineHeading = converted_.bytes.c_str();
    }
    const std::size_t keyLength = MakeFilingKey(engineHeading, key_);
    std::size_t resultLength = 0;
    if (s_.cutter) {
      const auto number = SearchGroup(*reader_, key_, records_->Choose(key_));
      resultLength = LookupText(s_.table, key_, number, result_);
    }
    if (fieldEnd != nullptr) *fieldEnd = saved;
    problems_ += problem;

    const char* answer = s_.cutter ? result_ : key_;
    const std::size_t answerLength = s_.cutter ? resultLength : keyLength;
    switch (s_.format) {
      case Format::kPlain:
        if (s_.column > 0) {
          AppendText(line, length);
          out_.Put('\t');
        }
        out_.Append(answer, answerLength);
        break;
      case Format::kTsv:
        if (s_.column > 0) {
          AppendText(line, length);
        } else {
          AppendText(heading, headingLength);
        }
        out_.Put('\t');
        out_.Append(key_, keyLength);
        if (s_.cutter) {
          out_.Put('\t');
          out_.Append(result_, resultLength);
        }
        break;
      case Format::kJson:
        json_.clear();
        json_ += "{";
        if (s_.column > 0) {
          json_ += "\"line\":";
          AppendJson(line, length);
          json_ += ",";
        }
        json_ += "\"heading\":";
        AppendJson(heading, headingLength);
        json_ += ",\"key\":";
        AppendJsonString(json_, key_, keyLength);
        if (s_.cutter) {
          json_ += ",\"cutter\":";
          AppendJsonString(json_, result_, resultLength);
        }
        json_ += "}";
        out_.Append(json_);
        break;
    }
    out_.Put('\n');
  }

  std::size_t Problems() const { return problems_; }
  OutputBuffer& Out() { return out_; }

 private:
  void Report(const Where& where, const std::string& message) {
    std::fprintf(io_.err, "shelfkey %s: %s: %s\n", command_, where.Text().c_str(), message.c_str());
  }
  // Input text as output text: UTF-8 stays valid UTF-8.
  void AppendText(const char* text, std::size_t n) {
    if (s_.encoding == Encoding::kUtf8 && !IsAscii(text, n)) {
      repaired_.clear();
      RepairUtf8(text, n, repaired_);
      out_.Append(repaired_);
    } else {
      out_.Append(text, n);
    }
  }
  void AppendJson(const char* text, std::size_t n) {
    if (s_.encoding == Encoding::kUtf8) {
      AppendJsonString(json_, text, n);
      return;
    }
    // Single-byte text: every byte is a character of its own.
    std::string wide;
    for (std::size_t i = 0; i < n; ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if (c < 0x80) {
        wide += static_cast<char>(c);
      } else {
        wide += static_cast<char>(0xC0 | (c >> 6));
        wide += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
    AppendJsonString(json_, wide.data(), wide.size());
  }

  const Settings& s_;
  const Streams& io_;
  const char* command_;
  OutputBuffer out_;
  const std::vector<unsigned char>* table_;
  std::unique_ptr<MemoryReader> reader_;
  std::unique_ptr<RecordIndex> records_;
  FilingKey key_;
  char result_[kCs4FigResultSize];
  cutter::text::EngineText converted_;
  std::string json_, repaired_;
  std::size_t problems_ = 0;
};

int CloseFile(std::FILE* f) { return std::fclose(f); }
int KeepOpen(std::FILE*) { return 0; }  // standard input belongs to the caller

int RunHeadings(std::span<const char* const> argv, const Streams& io, bool cutter) {
  const char* command = cutter ? "cutter" : "key";
  Args args;
  if (auto error = ParseArgs(argv, cutter ? std::span<const OptionSpec>(kCutterOptions)
                                          : std::span<const OptionSpec>(kKeyOptions),
                             args)) {
    return UsageError(io, command, *error);
  }
  if (args.Has("help")) {
    std::fputs(cutter ? kCutterHelp : kKeyHelp, io.out);
    return FinishOutput(io, command, kExitOk);
  }

  Settings s;
  s.cutter = cutter;
  const std::string tableName = args.Value("table").value_or("cutter");
  if (tableName == "cutter") {
    s.table = Table::Cut4Fig;
  } else if (tableName == "sanborn") {
    s.table = Table::Cs4Fig;
  } else {
    return UsageError(io, command, "unknown table '" + tableName + "'; use 'cutter' or 'sanborn'");
  }
  const std::string encoding = args.Value("encoding").value_or("utf-8");
  if (encoding == "utf-8" || encoding == "utf8" || encoding == "UTF-8") {
    s.encoding = Encoding::kUtf8;
  } else if (encoding == "ansel") {
    s.encoding = Encoding::kAnsel;
  } else if (encoding == "latin1" || encoding == "latin-1") {
    s.encoding = Encoding::kLatin1;
  } else {
    return UsageError(io, command, "unknown encoding '" + encoding + "'; use utf-8, ansel or latin1");
  }
  if (args.Has("tsv") && args.Has("json")) return UsageError(io, command, "--tsv and --json exclude each other");
  if (args.Has("tsv")) s.format = Format::kTsv;
  if (args.Has("json")) s.format = Format::kJson;
  if (auto column = args.Value("column")) {
    char* end = nullptr;
    const unsigned long n = std::strtoul(column->c_str(), &end, 10);
    if (column->empty() || *end != '\0' || n == 0 || n > 100000) {
      return UsageError(io, command, "--column needs a column number from 1");
    }
    s.column = n;
  }
  const std::vector<std::string> files = args.lists.count("file") ? args.lists.at("file") : std::vector<std::string>{};
  if (!args.operands.empty() && !files.empty()) {
    return UsageError(io, command, "give headings as arguments or with --file, not both");
  }

  // Every input is opened, and the table checked, before any output.
  std::vector<std::unique_ptr<std::FILE, int (*)(std::FILE*)>> inputs;
  std::vector<std::string> names;
  std::uint64_t totalBytes = 0;  // 0 when some input's size is unknown
  bool sizesKnown = true;
  if (args.operands.empty()) {
    const std::vector<std::string> sources = files.empty() ? std::vector<std::string>{"-"} : files;
    for (const std::string& name : sources) {
      std::FILE* f = name == "-" ? io.in : std::fopen(name.c_str(), "rb");
      if (f == nullptr) {
        std::fprintf(io.err, "shelfkey %s: cannot open '%s': %s\n", command, name.c_str(), std::strerror(errno));
        return kExitNoInput;
      }
      inputs.emplace_back(f, name == "-" ? KeepOpen : CloseFile);
      names.push_back(name == "-" ? std::string() : name);
      const std::uint64_t size = KnownSize(f);
      sizesKnown = sizesKnown && size > 0;
      totalBytes += size;
    }
    if (!sizesKnown) totalBytes = 0;
  }
  std::vector<unsigned char> table;
  if (cutter) {
    const std::string indexPath =
        args.Value("index").value_or(s.table == Table::Cut4Fig ? "CUT4FIG.IDX" : "CS4FIG.IDX");
    if (int status = LoadIndexFile(indexPath, io, command, table); status != kExitOk) return status;
  }

  Runner runner(s, io, command, cutter ? &table : nullptr);
  bool readFailed = false;
  if (!args.operands.empty()) {
    std::string buffer;
    for (std::size_t i = 0; i < args.operands.size(); ++i) {
      buffer = args.operands[i];
      runner.Line(buffer.data(), buffer.size(), false, {nullptr, i + 1, true});
    }
  } else {
    Progress progress(io.err, totalBytes);
    std::uint64_t lines = 0, consumedBefore = 0;
    for (std::size_t i = 0; i < inputs.size() && !runner.Out().Failed(); ++i) {
      LineReader reader(inputs[i].get());
      char* line;
      std::size_t length;
      bool cut;
      std::uint64_t lineNo = 0;
      while (reader.Next(line, length, cut)) {
        ++lineNo;
        ++lines;
        runner.Line(line, length, cut, {&names[i], lineNo, false});
        progress.Update(lines, consumedBefore + reader.Consumed());
        if (runner.Out().Failed()) break;
      }
      consumedBefore += reader.Consumed();
      if (reader.Failed()) {
        std::fprintf(io.err, "shelfkey %s: cannot read '%s'\n", command,
                     names[i].empty() ? "standard input" : names[i].c_str());
        readFailed = true;
        break;
      }
    }
    progress.Finish(lines, consumedBefore);
  }
  if (!runner.Out().Flush()) {
    std::fprintf(io.err, "shelfkey %s: cannot write the output: %s\n", command, std::strerror(errno));
    return kExitIoError;
  }
  if (readFailed) return kExitIoError;
  return runner.Problems() > 0 ? kExitSomeLinesFailed : kExitOk;
}

}  // namespace

int RunCutter(std::span<const char* const> argv, const Streams& io) { return RunHeadings(argv, io, true); }

int RunKey(std::span<const char* const> argv, const Streams& io) { return RunHeadings(argv, io, false); }

}  // namespace shelfkey::cli
