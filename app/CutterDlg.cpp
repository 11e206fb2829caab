#include "CutterDlg.h"

#include <algorithm>
#include <cstring>

#include "CutterApp.h"
#include "HeadingText.h"
#include "engine_text.h"
#include "res/resource.h"

namespace cutter {
namespace {

constexpr int kRadioGroup[] = {IDC_TYPE_CUT4FIG, IDC_TYPE_CS4FIG};

// Copies text into a buffer of kEngineBufferSize zero bytes, at most
// kEngineBufferSize - 1 bytes of it, so the buffer always ends in zero.
void CopyIntoBuffer(char* buffer, const std::string& text) {
  std::memcpy(buffer, text.data(), std::min(text.size(), CCutterDlg::kEngineBufferSize - 1));
}

EngineEntryPoint ToEntryPoint(platform::ProcAddress address) {
  EngineEntryPoint entry;
  static_assert(sizeof entry == sizeof address);
  std::memcpy(&entry, &address, sizeof entry);
  return entry;
}

}  // namespace

CCutterDlg::CCutterDlg(CCutterApp& app, void* /*parent*/)
    : m_nTableType(0), m_hEngine(nullptr), m_pfnGetCut4Fig(nullptr), m_pfnGetCs4Fig(nullptr), app_(app) {
  m_hIcon = app_.Platform().resources.LoadIcon(IDR_MAINFRAME);
}

CCutterDlg::~CCutterDlg() = default;

bool CCutterDlg::OnInitDialog() {
  // The dialog's own initialisation: the controls show m_nTableType (still
  // 0), and the Help button shows because the application handles ID_HELP.
  UpdateData(false);
  view_->ShowControl(ID_HELP, true);

  LoadSettings();
  UpdateData(false);
  view_->SetIcon(true, m_hIcon);
  view_->SetIcon(false, m_hIcon);
  LoadEngine();

  std::string major, minor, build;
  GetVersionParts(major, minor, build);
  view_->SetTitle(view_->GetTitle() + major + "." + minor + "." + build);
  return true;
}

void CCutterDlg::DoDataExchange(bool save) {
  if (save) {
    m_nTableType = -1;
    for (int i = 0; i < 2; ++i) {
      if (view_->IsChecked(kRadioGroup[i])) m_nTableType = i;
    }
  } else {
    for (int i = 0; i < 2; ++i) view_->SetChecked(kRadioGroup[i], m_nTableType == i);
  }
}

bool CCutterDlg::UpdateData(bool save) {
  DoDataExchange(save);
  return true;
}

void CCutterDlg::OnOK() {
  UpdateData(true);
  view_->EndDialog(IDOK);
}

void CCutterDlg::OnCancel() { view_->EndDialog(IDCANCEL); }

void CCutterDlg::OnDestroy() {
  SaveSettings();
  if (m_hEngine != nullptr) app_.Platform().libraries.FreeLibrary(m_hEngine);
}

void CCutterDlg::LoadSettings() {
  m_nTableType =
      app_.GetProfileInt(app_.LoadString(IDS_SETTINGS_SECTION), app_.LoadString(IDS_TYPE_ENTRY), 0);
}

void CCutterDlg::SaveSettings() {
  UpdateData(true);
  app_.WriteProfileInt(app_.LoadString(IDS_SETTINGS_SECTION), app_.LoadString(IDS_TYPE_ENTRY),
                       m_nTableType);
}

unsigned CCutterDlg::HelpContext() const {
  return HID_BASE_RESOURCE + static_cast<unsigned>(IDD_CUTTER_DIALOG);
}

void CCutterDlg::GetVersionParts(std::string& major, std::string& minor, std::string& build) {
  const auto version = app_.Platform().program.ProductVersion();
  if (!version) return;
  // The text before the first dot, between the first and second dots, and
  // after the second dot (further dots stay in it). A text with fewer dots
  // fills the parts that it has.
  const std::string& value = *version;
  const std::size_t dot1 = value.find('.');
  major = value.substr(0, dot1);
  if (dot1 == std::string::npos) return;
  const std::string rest = value.substr(dot1 + 1);
  const std::size_t dot2 = rest.find('.');
  minor = rest.substr(0, dot2);
  if (dot2 == std::string::npos) return;
  build = rest.substr(dot2 + 1);
}

bool CCutterDlg::LoadEngine() {
  bool result = true;
  platform::Libraries& libraries = app_.Platform().libraries;
  m_hEngine = libraries.LoadLibrary(app_.LoadString(IDS_ENGINE_DLL));
  if (m_hEngine == nullptr) {
    app_.MessageBox(IDS_ENGINE_LOAD_FAILED);
    return false;
  }
  const std::string cut4figName = app_.LoadString(IDS_CUT4FIG_PROC);
  const std::string cs4figName = app_.LoadString(IDS_CS4FIG_PROC);
  m_pfnGetCut4Fig = ToEntryPoint(libraries.GetProcAddress(m_hEngine, cut4figName));
  m_pfnGetCs4Fig = ToEntryPoint(libraries.GetProcAddress(m_hEngine, cs4figName));
  if (m_pfnGetCut4Fig == nullptr || m_pfnGetCs4Fig == nullptr) {
    app_.MessageBox(IDS_ENGINE_PROCS_MISSING);
    result = false;
  }
  return result;
}

void CCutterDlg::ComputeCutter(int tableType, std::string heading, std::string& result) {
  const std::string cut4figFile = app_.LoadString(IDS_CUT4FIG_FILE);
  const std::string cs4figFile = app_.LoadString(IDS_CS4FIG_FILE);

  // The heading as the engine reads it; a longer one is cut to what fits.
  char headingBuffer[kEngineBufferSize] = {};
  CopyIntoBuffer(headingBuffer, text::ToEngineBytes(heading).bytes);
  char output[kEngineBufferSize] = {};
  char indexFile[kEngineBufferSize] = {};

  if (m_pfnGetCut4Fig == nullptr || m_pfnGetCs4Fig == nullptr) return;
  if (tableType == 0) {
    CopyIntoBuffer(indexFile, cut4figFile);
    m_pfnGetCut4Fig(indexFile, headingBuffer, output);
  } else {
    CopyIntoBuffer(indexFile, cs4figFile);
    m_pfnGetCs4Fig(indexFile, headingBuffer, output);
  }
  result.assign(output, strnlen(output, kEngineBufferSize));
}

void CCutterDlg::OnChangeText() {
  if (view_ == nullptr) return;
  UpdateData(true);
  if (!view_->HasControl(IDC_TEXT) || !view_->HasControl(IDC_CUTTER)) return;
  const std::string text = view_->GetText(IDC_TEXT);
  if (text.empty()) {
    view_->SetText(IDC_CUTTER, "");
    return;
  }
  const auto [selStart, selEnd] = view_->GetSel(IDC_TEXT);
  const CleanedHeading cleaned = CleanHeadingText(text, selStart, selEnd);
  if (cleaned.changed) {
    // Writing the cleaned text runs this pipeline again, inside the write,
    // on that text: it computes and shows the number of the text shown.
    view_->SetText(IDC_TEXT, cleaned.text);
    view_->SetSel(IDC_TEXT, cleaned.selStart, cleaned.selEnd);
    return;
  }
  std::string cutter;
  ComputeCutter(m_nTableType, text, cutter);
  view_->SetText(IDC_CUTTER, cutter);
}

void CCutterDlg::OnTableType() { OnChangeText(); }

void CCutterDlg::OnCopyCutter() {
  if (!view_->HasControl(IDC_CUTTER)) return;
  const auto [start, end] = view_->GetSel(IDC_CUTTER);
  if (start == 0 && end == 0) {
    view_->SetSel(IDC_CUTTER, 0, -1);
    view_->ScrollCaret(IDC_CUTTER);
  }
  view_->Copy(IDC_CUTTER);
}

void CCutterDlg::OnPasteText() {
  if (!view_->HasControl(IDC_TEXT)) return;
  view_->Paste(IDC_TEXT);
}

}  // namespace cutter
