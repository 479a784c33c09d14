#pragma once

#include "app/controls.h"
#include "app/win32/control.h"

namespace brelvik {

// An edit control. A multi-line one keeps its lines apart with CR LF, as the procedures
// exchange them; a lone CR or LF given to it becomes CR LF, the only break it shows.
class EditBox : public Win32Control, public TextBox {
  public:
    explicit EditBox(bool multiLine) : multiLine_(multiLine) {}

    std::wstring Text() const override { return Window_text(Handle()); }
    void Set_text(std::wstring text) override;

  private:
    bool multiLine_;
};

// Every line break of text as CR LF: lone CRs and LFs included.
std::wstring With_crlf_breaks(const std::wstring& text);

}  // namespace brelvik
