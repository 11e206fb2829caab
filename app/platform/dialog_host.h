// Runs the main dialog modally: creates its window from the dialog template,
// lets the dialog initialise, runs until the dialog ends, destroys the window.
#pragma once

namespace cutter {
class CCutterDlg;
}

namespace cutter::platform {

class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Returns the result that the dialog ended with.
  virtual int DoModal(CCutterDlg& dialog) = 0;
};

}  // namespace cutter::platform
