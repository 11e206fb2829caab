// The main dialog's window in Qt, built from dialog template 103.
#pragma once

#include <QDialog>
#include <QFont>
#include <map>

#include "platform/dialog_host.h"
#include "platform/platform.h"
#include "res/dialog_template.h"

class QAbstractButton;
class QLineEdit;
class QRadioButton;

namespace cutter {

class CCutterApp;
class CCutterDlg;

namespace qt {

// Pixels per dialog unit of a font: a quarter of its average character width
// across, an eighth of its height down.
struct DialogBaseUnits {
  int x;
  int y;
  static DialogBaseUnits Of(const QFont& font);
  QRect Map(int left, int top, int width, int height) const;
};

class CutterWindow : public QDialog, public platform::DialogView {
 public:
  CutterWindow(CCutterApp& app, CCutterDlg& dlg, const DialogTemplate& layout = kCutterDialog);
  ~CutterWindow() override;

  QWidget* Control(int id) const;

  // platform::DialogView
  bool HasControl(int id) const override;
  std::string GetText(int id) const override;
  void SetText(int id, const std::string& text) override;
  bool IsChecked(int id) const override;
  void SetChecked(int id, bool checked) override;
  std::pair<int, int> GetSel(int id) const override;
  void SetSel(int id, int start, int end) override;
  void ScrollCaret(int id) override;
  void Copy(int id) override;
  void Paste(int id) override;
  std::string GetTitle() const override;
  void SetTitle(const std::string& title) override;
  void SetIcon(bool big, platform::IconHandle icon) override;
  void ShowControl(int id, bool shown) override;
  void EndDialog(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;  // Escape, the close box, Alt+F4
  void showEvent(QShowEvent* event) override;

 private:
  QLineEdit* Edit(int id) const;
  void Command(int id);

  CCutterApp& app_;
  CCutterDlg& dlg_;
  std::map<int, QWidget*> controls_;
  bool centred_ = false;
};

// Runs the dialog modally in a CutterWindow.
class QtDialogHost : public platform::DialogHost {
 public:
  explicit QtDialogHost(CCutterApp& app) : app_(app) {}
  int DoModal(CCutterDlg& dialog) override;

 private:
  CCutterApp& app_;
};

}  // namespace qt
}  // namespace cutter
