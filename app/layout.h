#pragma once

#include <string>
#include <vector>

#include "app/events.h"

namespace brelvik {

// The window as data: both front ends build it from these tables, so the two windows cannot
// drift apart. Positions and sizes are in twips (1/1440 inch; fifteen make a pixel at 96 dpi).

enum class ControlKind {
    kTabControl,
    kFrame,
    kTextBox,
    kLabel,
    kOptionButton,
    kCheckBox,
    kButton,
    kDriveList,
    kFolderList,
    kFileList,
    kListBox,
};

// Settings of a control, as bits.
enum ControlSetting : unsigned {
    kMultiLine = 1u << 0,
    kScrollBar = 1u << 1,  // vertical
    kReadOnly = 1u << 2,
    kSorted = 1u << 3,
    kOwnCaptionHidden = 1u << 4,  // only the mark shows; a label beside it names it
};

struct ControlLayout {
    const char* name;
    ControlKind kind;
    // The control that holds it; the window's client area is "AddonInfo".
    const char* container;
    // For a control held by the tab control: the page it lies on.
    int tab;
    std::wstring text;
    int left, top, width, height;
    // Place in the keyboard focus order, counted over all controls; frames and labels count but
    // never take the focus.
    int order;
    unsigned settings = 0;
    // What a screen reader names it by, where its own text does not say it.
    std::wstring accessibleName = {};
    std::wstring tooltip = {};
    // The procedures that its events run.
    Event click = Event::kNone, dblClick = Event::kNone, change = Event::kNone;
};

struct FormLayout {
    std::wstring caption;
    int width, height;  // the client area
    std::vector<std::wstring> tabs;
    int tabStripHeight;
};

inline constexpr const char* kWindowName = "AddonInfo";

const FormLayout& Form_layout();
// In creation order: every container comes before what it holds.
const std::vector<ControlLayout>& Control_layouts();
const ControlLayout& Control_layout(const std::string& name);

}  // namespace brelvik
