#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>

#include "res/resource.h"

namespace cutter::qt {

void QtMessageBoxes::Show(const std::string& text, const std::string& caption) {
  QWidget* owner = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(caption), QString::fromStdString(text),
                  QMessageBox::Ok, owner);
  box.exec();
}

platform::IconHandle QtResources::LoadIcon(int id) const {
  if (id != IDR_MAINFRAME) return nullptr;
  if (icon_.isNull()) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
      icon_.addFile(QStringLiteral(":/cutter/icons/cutter-%1.png").arg(size), QSize(size, size));
    }
  }
  return &icon_;
}

}  // namespace cutter::qt
