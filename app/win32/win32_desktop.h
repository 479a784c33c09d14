#pragma once

#include <windows.h>

#include "platform/desktop.h"

namespace brelvik {

// The program's Desktop on Windows: message boxes and the common file dialogs owned by the
// window, and the platform's process start.
class Win32Desktop : public Desktop {
  public:
    void Set_owner(HWND owner) { owner_ = owner; }

    void Show_message(const std::wstring& text) override;
    std::wstring Open_file_dialog(const std::wstring& folder, const std::wstring& filter) override;
    std::wstring Save_file_dialog(const std::wstring& folder, const std::wstring& filter) override;
    void Start_process(const std::wstring& commandLine) override;

  private:
    HWND owner_ = nullptr;
};

// A filter of "description|pattern" pairs as the file dialogs take it: each part ended by a
// NUL, the whole by one more.
std::wstring Dialog_filter(const std::wstring& filter);
// The extension a saved name gets when the user types none: that of the filter's first pattern
// when it names one ("*.txta" gives "txta"), else none.
std::wstring Default_extension(const std::wstring& filter);

}  // namespace brelvik
