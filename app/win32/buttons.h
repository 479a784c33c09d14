#pragma once

#include <functional>
#include <vector>

#include "app/controls.h"
#include "app/win32/control.h"

namespace brelvik {

// A push button; never the default one, so Enter and Escape press none.
class PushButton : public Win32Control {
  public:
    void Notify(int code) override;
    std::function<void()> onClick;
};

// An option button whose mark alone shows; the label beside it names it. Its own caption, the
// label's text, is never drawn but names it to screen readers. The buttons of one frame form
// one group: selecting one deselects the others, hidden ones included.
class OptionMark : public Win32Control, public OptionButton {
  public:
    using Group = std::vector<OptionMark*>;
    explicit OptionMark(Group& group) : group_(group) { group_.push_back(this); }

    bool Value() const override { return Send(BM_GETCHECK) == BST_CHECKED; }
    void Created() override;
    // Runs no procedure.
    void Set_value(bool selected) override;
    void Set_visible(bool visible) override;
    // Its caption, never drawn.
    void Set_name(const std::wstring& name) override;
    // A click that makes this the selected button runs onClick; one on the selected button
    // changes nothing and runs nothing.
    void Notify(int code) override;
    std::function<void()> onClick;

  private:
    void Select_alone();

    Group& group_;
    bool selected_ = false;  // as last shown to the procedures
};

// A check box whose mark alone shows, its caption as an option button's.
class CheckMark : public Win32Control, public CheckBox {
  public:
    int Value() const override { return Send(BM_GETCHECK) == BST_CHECKED ? 1 : 0; }
    void Created() override;
};

// A label drawn in the system's button text colour, or in its grey text colour.
class CaptionLabel : public Win32Control, public Label {
  public:
    void Set_grey(bool grey) override;
    void Set_caption(const std::wstring& text) override;
    bool Is_grey() const { return grey_; }
    bool Text_colour(COLORREF& colour) const override;

  private:
    bool grey_ = false;
};

// The window class of the marks: the system's buttons, drawing only within their own windows.
const wchar_t* Mark_class();

}  // namespace brelvik
