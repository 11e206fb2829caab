// Time from a change of the heading to the Cutter number shown, in the real
// window with the real engine and the sample tables, on Qt's offscreen
// platform. Goal: under 1 ms a change.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CutterApp.h"
#include "CutterDlg.h"
#include "CutterWindow.h"
#include "QtPlatform.h"
#include "platform/linux/linux_platform.h"

namespace {

class NoMessages : public cutter::platform::MessageBoxes {
 public:
  void Show(const std::string&, const std::string&) override {}
};
class NoHelp : public cutter::platform::HelpViewer {
 public:
  bool WinHelp(const std::string&, unsigned) override { return false; }
};

void BM_TextChangeToNumberShown(benchmark::State& state) {
  using namespace cutter;
  std::filesystem::current_path(SAMPLE_TABLES);
  platform::LinuxProgramFile program;
  qt::QtResources resources;
  const auto config = std::filesystem::temp_directory_path() / "cutter-bench-config";
  platform::IniProfileStore profiles(config.string());
  NoMessages messages;
  NoHelp help;
  platform::DlLibraries libraries(ENGINE_FOLDER);
  platform::Platform seam{program, resources, profiles, messages, help, libraries};
  CCutterApp app(seam);
  app.InitApplication();
  CCutterDlg dlg(app);
  qt::CutterWindow window(app, dlg);
  dlg.OnInitDialog();
  window.show();
  auto* text = static_cast<QLineEdit*>(window.Control(IDC_TEXT));
  auto* cutter = static_cast<QLineEdit*>(window.Control(IDC_CUTTER));
  const std::vector<QString> headings = {
      QStringLiteral("Van Buren, Martin"), QStringLiteral("McDonald, Ann"), QStringLiteral("Smith, John $b Jr."),
      QStringLiteral("Dvořák, Antonín"), QStringLiteral("Scott, Walter"), QStringLiteral("Łódź")};
  std::size_t i = 0;
  for (auto _ : state) {
    text->setText(headings[i++ % headings.size()]);
    QApplication::processEvents();  // the field repaints with the new number
    benchmark::DoNotOptimize(cutter->text().size());
  }
  dlg.OnDestroy();
  std::filesystem::remove_all(config);
}
BENCHMARK(BM_TextChangeToNumberShown)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
