// CutterHelp: shows a topic of Cutter's help file in a window of its own.
//   CutterHelp HELPFILE [--context NUMBER]
// The help file is HTML; a topic starts at an anchor named "context-0xNNNNN"
// after its context number. A file that cannot be read is reported here.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTextBrowser>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  bool display = false;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    display = display || (value != nullptr && value[0] != '\0');
  }
  if (!display) {
    std::fputs("CutterHelp needs a graphical display: none was found.\n", stderr);
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Cutter Help"));
  const QStringList args = QApplication::arguments();
  if (args.size() < 2) {
    std::fputs("Usage: CutterHelp HELPFILE [--context NUMBER]\n", stderr);
    return 64;
  }
  const QString path = args.at(1);
  unsigned context = 0;
  const int at = static_cast<int>(args.indexOf(QStringLiteral("--context")));
  if (at > 0 && at + 1 < args.size()) context = args.at(at + 1).toUInt(nullptr, 0);

  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    QMessageBox::warning(nullptr, QStringLiteral("Cutter Help"),
                         QStringLiteral("The help file %1 cannot be opened: %2.\n\nReinstalling Cutter puts it "
                                        "back in place.")
                             .arg(path, file.errorString()));
    return 66;
  }
  QTextBrowser browser;
  browser.setOpenExternalLinks(true);
  browser.setSearchPaths({QFileInfo(path).absolutePath()});
  browser.setHtml(QString::fromUtf8(file.readAll()));
  browser.setWindowTitle(QStringLiteral("Cutter Help"));
  browser.resize(720, 640);
  browser.show();
  if (context != 0) browser.scrollToAnchor(QStringLiteral("context-0x%1").arg(context, 0, 16));
  return QApplication::exec();
}
