#include "CutterWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <limits>

#include "CutterApp.h"
#include "CutterDlg.h"

namespace cutter::qt {
namespace {

// Positions in the logic count characters (code points); Qt counts UTF-16 units.
int ToUtf16(const QString& text, int codePoints) {
  int units = 0;
  for (int n = 0; n < codePoints && units < text.size(); ++n) {
    units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
  }
  return units;
}

int ToCodePoints(const QString& text, int units) {
  int n = 0;
  for (int i = 0; i < units && i < text.size(); ++i) {
    if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate())) ++n;
  }
  return n;
}

int MulDiv(int value, int numerator, int denominator) {
  return (value * numerator + denominator / 2) / denominator;
}

}  // namespace

DialogBaseUnits DialogBaseUnits::Of(const QFont& font) {
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(width / 26 + 1) / 2, metrics.height()};
}

QRect DialogBaseUnits::Map(int left, int top, int width, int height) const {
  return {MulDiv(left, x, 4), MulDiv(top, y, 8), MulDiv(width, x, 4), MulDiv(height, y, 8)};
}

CutterWindow::CutterWindow(CCutterApp& app, CCutterDlg& dlg, const DialogTemplate& layout)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      app_(app),
      dlg_(dlg) {
  QFont font(QString::fromLatin1(layout.fontFamily), layout.fontPoints);
  setFont(font);
  const DialogBaseUnits units = DialogBaseUnits::Of(font);
  setWindowTitle(QString::fromUtf8(layout.caption));

  QWidget* previous = nullptr;
  for (int i = 0; i < layout.controlCount; ++i) {
    const ControlTemplate& c = layout.controls[i];
    const QString caption = QString::fromUtf8(c.caption);
    QWidget* w = nullptr;
    switch (c.kind) {
      case ControlKind::kStatic:
        w = new QLabel(caption, this);
        break;
      case ControlKind::kEdit: {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(std::numeric_limits<int>::max());  // no text limit
        if (c.id == IDC_TEXT) {
          QObject::connect(edit, &QLineEdit::textChanged, this, [this] { dlg_.OnChangeText(); });
        }
        w = edit;
        break;
      }
      case ControlKind::kGroupBox:
        w = new QGroupBox(caption, this);
        w->lower();
        break;
      case ControlKind::kRadio: {
        auto* radio = new QRadioButton(caption, this);
        QObject::connect(radio, &QRadioButton::clicked, this, [this] { dlg_.OnTableType(); });
        w = radio;
        break;
      }
      case ControlKind::kPushButton: {
        auto* button = new QPushButton(caption, this);
        // No push button is a default button, and clicking one leaves the
        // keyboard focus where it was; Tab still reaches them.
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setFocusPolicy(Qt::TabFocus);
        const int id = c.id;
        QObject::connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
        w = button;
        break;
      }
    }
    w->setGeometry(units.Map(c.x, c.y, c.width, c.height));
    if (c.tabStop) {
      if (previous != nullptr) QWidget::setTabOrder(previous, w);
      previous = w;
    } else {
      w->setFocusPolicy(Qt::NoFocus);
    }
    if (c.id != 0) controls_[c.id] = w;
  }
  // Hidden until the dialog shows it; it shows when the application handles help.
  if (QWidget* help = Control(ID_HELP)) help->hide();
  setFixedSize(units.Map(0, 0, layout.width, layout.height).size());
  dlg_.Attach(this);
}

CutterWindow::~CutterWindow() { dlg_.Attach(nullptr); }

QWidget* CutterWindow::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

QLineEdit* CutterWindow::Edit(int id) const { return qobject_cast<QLineEdit*>(Control(id)); }

void CutterWindow::Command(int id) {
  switch (id) {
    case IDCANCEL:
      dlg_.OnCancel();
      break;
    case IDC_COPY_CUTTER:
      dlg_.OnCopyCutter();
      break;
    case IDC_PASTE_TEXT:
      dlg_.OnPasteText();
      break;
    case ID_HELP:
      // The dialog has no help handler of its own: the application's.
      QApplication::setOverrideCursor(Qt::WaitCursor);
      app_.OnHelp();
      QApplication::restoreOverrideCursor();
      break;
    default:
      break;
  }
}

bool CutterWindow::HasControl(int id) const { return Control(id) != nullptr; }

std::string CutterWindow::GetText(int id) const {
  QLineEdit* edit = Edit(id);
  return edit != nullptr ? edit->text().toStdString() : std::string();
}

void CutterWindow::SetText(int id, const std::string& text) {
  QLineEdit* edit = Edit(id);
  if (edit == nullptr) return;
  edit->setText(QString::fromStdString(text));  // textChanged runs the pipeline now
  edit->setCursorPosition(0);
}

bool CutterWindow::IsChecked(int id) const {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  return button != nullptr && button->isChecked();
}

void CutterWindow::SetChecked(int id, bool checked) {
  auto* button = qobject_cast<QAbstractButton*>(Control(id));
  if (button == nullptr) return;
  // An exclusive radio button cannot be unchecked directly.
  button->setAutoExclusive(false);
  button->setChecked(checked);
  button->setAutoExclusive(true);
}

std::pair<int, int> CutterWindow::GetSel(int id) const {
  QLineEdit* edit = Edit(id);
  if (edit == nullptr) return {0, 0};
  const QString text = edit->text();
  if (!edit->hasSelectedText()) {
    const int caret = ToCodePoints(text, edit->cursorPosition());
    return {caret, caret};
  }
  return {ToCodePoints(text, edit->selectionStart()), ToCodePoints(text, edit->selectionEnd())};
}

void CutterWindow::SetSel(int id, int start, int end) {
  QLineEdit* edit = Edit(id);
  if (edit == nullptr) return;
  const QString text = edit->text();
  const int from = ToUtf16(text, start);
  const int to = end < 0 ? static_cast<int>(text.size()) : ToUtf16(text, end);
  if (from == to) {
    edit->setCursorPosition(from);
  } else {
    edit->setSelection(from, to - from);
  }
}

void CutterWindow::ScrollCaret(int id) {
  // A line edit keeps its cursor in view whenever the cursor moves.
  if (QLineEdit* edit = Edit(id)) edit->update();
}

void CutterWindow::Copy(int id) {
  if (QLineEdit* edit = Edit(id); edit != nullptr && edit->hasSelectedText()) edit->copy();
}

void CutterWindow::Paste(int id) {
  if (QLineEdit* edit = Edit(id)) edit->paste();
}

std::string CutterWindow::GetTitle() const { return windowTitle().toStdString(); }

void CutterWindow::SetTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

void CutterWindow::SetIcon(bool /*big*/, platform::IconHandle icon) {
  // One Qt icon carries every size.
  if (icon != nullptr) setWindowIcon(*static_cast<const QIcon*>(icon));
}

void CutterWindow::ShowControl(int id, bool shown) {
  if (QWidget* w = Control(id)) w->setVisible(shown);
}

void CutterWindow::EndDialog(int result) { QDialog::done(result); }

void CutterWindow::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A push button with the focus is pressed; anywhere else Enter is OK.
      if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
      } else {
        dlg_.OnOK();
      }
      return;
    case Qt::Key_Escape:
      dlg_.OnCancel();
      return;
    case Qt::Key_F1:
      if (modifiers == Qt::NoModifier) Command(ID_HELP);
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void CutterWindow::reject() { dlg_.OnCancel(); }

void CutterWindow::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    if (const QScreen* screen = this->screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QDialog::showEvent(event);
}

int QtDialogHost::DoModal(CCutterDlg& dialog) {
  CutterWindow window(app_, dialog);
  dialog.OnInitDialog();
  const int result = window.exec();
  dialog.OnDestroy();
  return result;
}

}  // namespace cutter::qt
