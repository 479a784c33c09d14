#pragma once

#include <string>

#include "app/controls.h"
#include "app/win32/control.h"

namespace brelvik {

// An edit control. A multi-line one keeps its lines apart with CR LF, as the procedures
// exchange them; a lone CR or LF given to it shows as CR LF, the only break it knows. Until the
// user changes the text (the control's modify flag), the box hands back exactly the text set.
class EditBox : public Win32Control, public TextBox {
  public:
    explicit EditBox(bool multiLine) : multiLine_(multiLine) {}

    std::wstring Text() const override;
    void Set_text(std::wstring text) override;

  private:
    bool multiLine_;
    std::wstring set_;
};

// Every line break of text as CR LF: lone CRs and LFs included.
std::wstring With_crlf_breaks(const std::wstring& text);

}  // namespace brelvik
