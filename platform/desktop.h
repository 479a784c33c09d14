#pragma once

#include <string>

#include "platform/standin_packer.h"

namespace brelvik {

// Everything modal or outside the window that its procedures reach: message boxes, the open
// and save dialogs, and starting a packer. The program uses the Qt implementation; tests use
// a scripted fake, so no test ever waits on a dialog.
class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual void Show_message(const std::wstring& text) = 0;
    // The chosen file's full path, empty when cancelled. filter: "description|pattern".
    virtual std::wstring Open_file_dialog(const std::wstring& folder,
                                          const std::wstring& filter) = 0;
    virtual std::wstring Save_file_dialog(const std::wstring& folder,
                                          const std::wstring& filter) = 0;
    // Throws PlatformError when the program cannot be started.
    virtual void Start_process(const std::wstring& commandLine) = 0;
    // Brelvik's own packer where it is installed with the program; "" where it is not.
    virtual std::wstring Own_packer() { return Find_own_packer(Program_folder()); }
};

}  // namespace brelvik
