// A Windows host program: loads Shelfkey.DLL by its bare name, looks up both
// entry points by name, and calls them through cdecl function pointers with
// buffers of exactly the guaranteed sizes followed by guard bytes, with a
// table index file in the current directory and without one.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "example_index.h"

namespace {

typedef int(__cdecl* EntryPoint)(const char*, const char*, char*);
constexpr unsigned char kGuard = 0xA5;
int g_failures = 0;

void Check(bool ok, const std::string& what) {
  if (!ok) {
    std::printf("FAILED: %s\n", what.c_str());
    ++g_failures;
  }
}

void Expect(EntryPoint fn, std::size_t size, const char* file, const char* heading, const char* expected) {
  unsigned char buffer[64];
  std::memset(buffer, kGuard, sizeof buffer);
  const int n = fn(file, heading, reinterpret_cast<char*>(buffer));
  const std::string got(reinterpret_cast<const char*>(buffer), strnlen(reinterpret_cast<const char*>(buffer), size));
  Check(got == expected, std::string(heading) + ": \"" + got + "\", expected \"" + expected + "\"");
  Check(n == static_cast<int>(std::strlen(expected)), std::string(heading) + ": returned " + std::to_string(n));
  for (std::size_t i = size; i < sizeof buffer; ++i) {
    Check(buffer[i] == kGuard, std::string(heading) + ": written past " + std::to_string(size) + " bytes");
  }
}

}  // namespace

int main() {
  HMODULE engine = LoadLibraryA("Shelfkey.DLL");
  if (engine == nullptr) {
    std::printf("FAILED: LoadLibraryA(\"Shelfkey.DLL\") gave error %lu\n", GetLastError());
    return 1;
  }
  FARPROC cutProc = GetProcAddress(engine, "GetCut4FigVB");
  FARPROC csProc = GetProcAddress(engine, "GetCs4FigVB");
  Check(cutProc != nullptr && csProc != nullptr, "both entry points found by name");
  Check(GetProcAddress(engine, "_GetCut4FigVB") == nullptr, "no decorated name");
  if (cutProc == nullptr || csProc == nullptr) return 1;
  EntryPoint cut, cs;
  std::memcpy(&cut, &cutProc, sizeof cut);
  std::memcpy(&cs, &csProc, sizeof cs);

  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string dir = std::string(temp) + "shelfkey-host-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  Check(SetCurrentDirectoryA(dir.c_str()) != 0, "change to " + dir);

  // No table index file yet.
  Expect(cut, 26, "CUT4FIG.IDX", "Baker", "$$$CUT4FIG File Not Found");
  Expect(cs, 25, "CS4FIG.IDX", "Baker", "$$$CS4FIG File Not Found");

  for (const char* name : {"CUT4FIG.IDX", "CS4FIG.IDX"}) {
    std::FILE* f = std::fopen(name, "wb");
    std::fwrite(shelfkey::testing::kExampleIndex.data(), 1, shelfkey::testing::kExampleIndex.size(), f);
    std::fclose(f);
  }
  Expect(cut, 26, "CUT4FIG.IDX", "Adams, John", "Ad111");
  Expect(cut, 26, "CUT4FIG.IDX", "Scott", "Sco355");
  Expect(cut, 26, "CUT4FIG.IDX", "Baker", "B167");
  Expect(cs, 25, "CS4FIG.IDX", "Scott", "S355");
  Expect(cs, 25, "CS4FIG.IDX", "Barnett", "B261");

  std::FILE* f = std::fopen("CUT4FIG.IDX", "wb");
  std::fwrite("\x10\0\0\0", 1, 4, f);
  std::fclose(f);
  Expect(cut, 26, "CUT4FIG.IDX", "Baker", "$$$CUT4FIG File Damaged");

  FreeLibrary(engine);
  SetCurrentDirectoryA(temp);
  DeleteFileA((dir + "\\CUT4FIG.IDX").c_str());
  DeleteFileA((dir + "\\CS4FIG.IDX").c_str());
  RemoveDirectoryA(dir.c_str());
  std::printf("%d failed\n", g_failures);
  return g_failures == 0 ? 0 : 1;
}
