// The Qt window of the main dialog, on Qt's offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "CutterApp.h"
#include "CutterDlg.h"
#include "CutterWindow.h"
#include "QtPlatform.h"
#include "cutter_number.h"
#include "fakes.h"
#include "platform/linux/linux_platform.h"
#include "temp_dir.h"

namespace cutter {
namespace {

int FakeCut4Fig(const char*, const char* heading, char* out) {
  return std::snprintf(out, 40, "C:%.30s", heading);
}
int FakeCs4Fig(const char*, const char* heading, char* out) {
  return std::snprintf(out, 40, "S:%.30s", heading);
}
platform::ProcAddress Address(int (*fn)(const char*, const char*, char*)) {
  platform::ProcAddress p;
  std::memcpy(&p, &fn, sizeof p);
  return p;
}

using shelfkey::testing::InFolder;

class WindowTest : public ::testing::Test {
 protected:
  WindowTest()
      : seam_{fake_.program, resources_, fake_.profiles, fake_.messages, fake_.help, fake_.libraries},
        app_(seam_) {
    fake_.libraries.libraries["Shelfkey.DLL"] = {{"GetCut4FigVB", Address(FakeCut4Fig)},
                                                  {"GetCs4FigVB", Address(FakeCs4Fig)}};
    app_.InitApplication();
    dlg_ = std::make_unique<CCutterDlg>(app_);
    app_.m_pMainWnd = dlg_.get();
    window_ = std::make_unique<qt::CutterWindow>(app_, *dlg_);
    dlg_->OnInitDialog();
    window_->show();
    window_->activateWindow();
    text()->setFocus();
  }
  ~WindowTest() override {
    window_.reset();
    app_.m_pMainWnd = nullptr;
  }
  QLineEdit* text() const { return static_cast<QLineEdit*>(window_->Control(IDC_TEXT)); }
  QLineEdit* cutter() const { return static_cast<QLineEdit*>(window_->Control(IDC_CUTTER)); }
  QWidget* control(int id) const { return window_->Control(id); }

  testing::FakePlatform fake_;
  qt::QtResources resources_;
  platform::Platform seam_;
  CCutterApp app_;
  std::unique_ptr<CCutterDlg> dlg_;
  std::unique_ptr<qt::CutterWindow> window_;
};

TEST_F(WindowTest, BuiltFromTheTemplate) {
  const qt::DialogBaseUnits units = qt::DialogBaseUnits::Of(window_->font());
  EXPECT_EQ(window_->size(), units.Map(0, 0, 336, 97).size());
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "fixed size";
  EXPECT_FALSE(window_->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(window_->windowTitle().toStdString(), "Merex Tolan Cutter Program v1.10.6");
  for (const ControlTemplate& c : kCutterDialogControls) {
    if (c.id == 0) continue;
    QWidget* w = control(c.id);
    ASSERT_NE(w, nullptr) << c.id;
    EXPECT_EQ(w->geometry(), units.Map(c.x, c.y, c.width, c.height)) << c.id;
    EXPECT_TRUE(w->isVisible()) << c.id;
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      EXPECT_EQ(b->text().toStdString(), c.caption);
    }
    if (auto* p = qobject_cast<QPushButton*>(w)) {
      EXPECT_FALSE(p->isDefault() || p->autoDefault()) << "no default push button: " << c.caption;
    }
  }
  // Tab order is template order; a Tab from the table group goes to Close.
  const std::vector<int> order = {IDC_TEXT, IDC_CUTTER, IDC_TYPE_CUT4FIG, IDC_TYPE_CS4FIG,
                                  IDCANCEL, IDC_COPY_CUTTER, IDC_PASTE_TEXT, ID_HELP};
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    QWidget* next = control(order[i])->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) next = next->nextInFocusChain();
    EXPECT_EQ(next, control(order[i + 1])) << order[i];
  }
  EXPECT_TRUE(qobject_cast<QRadioButton*>(control(IDC_TYPE_CUT4FIG))->isChecked());
}

TEST_F(WindowTest, TypingComputesAtOnce) {
  QTest::keyClicks(text(), "Smith");
  EXPECT_EQ(cutter()->text().toStdString(), "C:Smith");
  QTest::mouseClick(control(IDC_TYPE_CS4FIG), Qt::LeftButton);
  EXPECT_EQ(cutter()->text().toStdString(), "S:Smith");
  QTest::keyClicks(text(), " $b Jr");
  EXPECT_EQ(text()->text().toStdString(), "Smith Jr");
  EXPECT_EQ(text()->cursorPosition(), 8) << "the caret stays where the user types";
  EXPECT_EQ(cutter()->text().toStdString(), "S:Smith Jr");
  QTest::keyClick(text(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(text(), Qt::Key_Backspace);
  EXPECT_EQ(cutter()->text().toStdString(), "");
}

TEST_F(WindowTest, CopyAndPasteKeepTheFocus) {
  QApplication::clipboard()->setText(QStringLiteral("before"));
  QTest::keyClicks(text(), "Scott");
  QTest::mouseClick(control(IDC_COPY_CUTTER), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "C:Scott");
  EXPECT_EQ(window_->focusWidget(), text());

  QApplication::clipboard()->setText(QStringLiteral("Smith,\nJohn $b Jr."));
  text()->selectAll();
  QTest::mouseClick(control(IDC_PASTE_TEXT), Qt::LeftButton);
  EXPECT_EQ(text()->text().toStdString(), "Smith, John Jr.");
  EXPECT_EQ(cutter()->text().toStdString(), "C:Smith, John Jr.");
  EXPECT_EQ(window_->focusWidget(), text());

  // The heading field sets no length limit.
  QApplication::clipboard()->setText(QString(40000, QLatin1Char('a')));
  text()->selectAll();
  QTest::mouseClick(control(IDC_PASTE_TEXT), Qt::LeftButton);
  EXPECT_EQ(text()->text().size(), 40000);
}

TEST_F(WindowTest, EnterClosesWithOkEscapeWithCancel) {
  struct Case {
    int focus;
    Qt::Key key;
    int result;
  } cases[] = {
      {IDC_TEXT, Qt::Key_Return, IDOK},
      {IDC_CUTTER, Qt::Key_Enter, IDOK},
      {IDC_TYPE_CS4FIG, Qt::Key_Return, IDOK},
      {IDC_TEXT, Qt::Key_Escape, IDCANCEL},
      {IDCANCEL, Qt::Key_Return, IDCANCEL},  // Enter on a push button presses it
  };
  for (const Case& c : cases) {
    window_->show();
    window_->setResult(-5);
    control(c.focus)->setFocus();
    QTest::keyClick(control(c.focus), c.key);
    EXPECT_FALSE(window_->isVisible()) << c.focus;
    EXPECT_EQ(window_->result(), c.result) << c.focus;
  }
  // The close box and Alt+F4 reach the window as a close request.
  window_->show();
  window_->close();
  EXPECT_EQ(window_->result(), IDCANCEL);
}

TEST_F(WindowTest, HelpFromF1AndTheButton) {
  QTest::keyClick(text(), Qt::Key_F1);
  ASSERT_EQ(fake_.help.calls.size(), 1u);
  EXPECT_EQ(fake_.help.calls[0].second, 0x20067u);
  for (Qt::KeyboardModifier m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
    QTest::keyClick(text(), Qt::Key_F1, m);
  }
  EXPECT_EQ(fake_.help.calls.size(), 1u) << "F1 with Shift, Ctrl or Alt does nothing";
  QTest::mouseClick(control(ID_HELP), Qt::LeftButton);
  EXPECT_EQ(fake_.help.calls.size(), 2u);
  fake_.help.starts = false;
  QTest::keyClick(text(), Qt::Key_F1);
  ASSERT_EQ(fake_.messages.shown.size(), 1u);
  EXPECT_EQ(fake_.messages.shown[0].first, "Failed to launch help.");
}

// The window with the real engine, the sample tables and a real settings file.
class RealWindowTest : public ::testing::Test {
 protected:
  void Open(const std::string& engineFolder) {
    libraries_ = std::make_unique<platform::DlLibraries>(engineFolder);
    seam_ = std::make_unique<platform::Platform>(platform::Platform{
        fake_.program, resources_, profiles_, fake_.messages, fake_.help, *libraries_});
    app_ = std::make_unique<CCutterApp>(*seam_);
    app_->InitApplication();
    dlg_ = std::make_unique<CCutterDlg>(*app_);
    window_ = std::make_unique<qt::CutterWindow>(*app_, *dlg_);
    dlg_->OnInitDialog();
    window_->show();
    text()->setFocus();
  }
  void Destroy() {
    dlg_->OnDestroy();
    window_.reset();
    dlg_.reset();
  }
  QLineEdit* text() const { return static_cast<QLineEdit*>(window_->Control(IDC_TEXT)); }
  QLineEdit* cutter() const { return static_cast<QLineEdit*>(window_->Control(IDC_CUTTER)); }
  static std::string SampleNumber(shelfkey::Table table, const char* key) {
    char cut[shelfkey::kCut4FigResultSize];
    char cs[shelfkey::kCs4FigResultSize];
    const std::string folder = std::string(SAMPLE_TABLES) + "/";
    return table == shelfkey::Table::Cut4Fig ? shelfkey::GetCut4Fig(key, (folder + "CUT4FIG.IDX").c_str(), cut)
                                             : shelfkey::GetCs4Fig(key, (folder + "CS4FIG.IDX").c_str(), cs);
  }

  shelfkey::testing::TempDir config_;
  testing::FakePlatform fake_;
  qt::QtResources resources_;
  platform::IniProfileStore profiles_{config_.path().string()};
  std::unique_ptr<platform::DlLibraries> libraries_;
  std::unique_ptr<platform::Platform> seam_;
  std::unique_ptr<CCutterApp> app_;
  std::unique_ptr<CCutterDlg> dlg_;
  std::unique_ptr<qt::CutterWindow> window_;
  InFolder tables_{SAMPLE_TABLES};
};

TEST_F(RealWindowTest, TypingPastingSwitchingAndClosing) {
  Open(ENGINE_FOLDER);
  EXPECT_TRUE(fake_.messages.shown.empty());
  QTest::keyClicks(text(), "Van Buren");
  EXPECT_EQ(cutter()->text().toStdString(), SampleNumber(shelfkey::Table::Cut4Fig, "VANBUREN"));
  QTest::mouseClick(window_->Control(IDC_TYPE_CS4FIG), Qt::LeftButton);
  EXPECT_EQ(cutter()->text().toStdString(), SampleNumber(shelfkey::Table::Cs4Fig, "VANBUREN"));

  QApplication::clipboard()->setText(QStringLiteral("Smith $b Jones $b Brown"));
  text()->selectAll();
  QTest::mouseClick(window_->Control(IDC_PASTE_TEXT), Qt::LeftButton);
  EXPECT_EQ(text()->text().toStdString(), "Smith Jones Brown");
  EXPECT_EQ(cutter()->text().toStdString(), SampleNumber(shelfkey::Table::Cs4Fig, "SMITH JONES BROWN"));
  QTest::mouseClick(window_->Control(IDC_COPY_CUTTER), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), cutter()->text());

  // Escape closes; the type is stored and read back by the next run.
  QTest::keyClick(text(), Qt::Key_Escape);
  EXPECT_EQ(window_->result(), IDCANCEL);
  Destroy();
  Open(ENGINE_FOLDER);
  EXPECT_TRUE(qobject_cast<QRadioButton*>(window_->Control(IDC_TYPE_CS4FIG))->isChecked());
  QTest::mouseClick(window_->Control(IDC_TYPE_CUT4FIG), Qt::LeftButton);
  QTest::keyClick(text(), Qt::Key_Return);
  EXPECT_EQ(window_->result(), IDOK);
  Destroy();
  EXPECT_EQ(profiles_.GetPrivateProfileInt("Settings", "Type", 7, "Cutter.INI"), 0);
}

TEST_F(RealWindowTest, WithoutTheEngineTheDialogStillOpens) {
  shelfkey::testing::TempDir empty;
  Open(empty.path().string());
  ASSERT_EQ(fake_.messages.shown.size(), 1u);
  EXPECT_EQ(fake_.messages.shown[0].first,
            "The Shelfkey.DLL failed to load.  The application will not run correctly.  Please reinstall the "
            "application.");
  EXPECT_TRUE(window_->isVisible());
  QTest::keyClicks(text(), "Van Buren");
  EXPECT_EQ(cutter()->text().toStdString(), "");
  Destroy();
  EXPECT_EQ(fake_.messages.shown.size(), 1u);
}

TEST(WindowIcon, TheProgramIconIsSet) {
  qt::QtResources resources;
  const auto* icon = static_cast<const QIcon*>(resources.LoadIcon(IDR_MAINFRAME));
  ASSERT_NE(icon, nullptr);
  EXPECT_FALSE(icon->isNull());
  EXPECT_EQ(icon->availableSizes().size(), 7);
}

}  // namespace
}  // namespace cutter

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
