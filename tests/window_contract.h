#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/layout.h"

namespace brelvik::test {

// What both front ends' windows must show of the layout table: where each control stands and
// the order the focus takes. Each front end's test answers through this for its own window.
class WindowUnderTest {
  public:
    struct Area {
        int left, top, width, height;  // twips
        bool operator==(const Area&) const = default;
        friend void PrintTo(const Area& a, std::ostream* out) {
            *out << a.left << ',' << a.top << ' ' << a.width << 'x' << a.height;
        }
    };

    virtual ~WindowUnderTest() = default;
    virtual void Bring_to_front(int tab) = 0;
    // Shows the option buttons, which stay hidden while no packer is installed.
    virtual void Show_options() = 0;
    virtual Area Client_area() = 0;
    virtual Area Place_in_container(const ControlLayout& layout) = 0;
    virtual bool Shown(const char* name) = 0;
    virtual std::wstring Caption() = 0;
    virtual int Tab_strip_height() = 0;  // twips
    virtual void Focus(const char* name) = 0;
    // Presses Tab where the focus is and names the control that has it then.
    virtual std::string Press_tab() = 0;
};

// Every control stands where the table places it and is shown only with its tab in front,
// whichever that is; without a packer no option button shows. Positions on the pages count from
// the tab control's corner, tab strip included.
inline void Expect_layout_of_the_table(WindowUnderTest& window) {
    const FormLayout& form = Form_layout();
    EXPECT_EQ(window.Client_area(), (WindowUnderTest::Area{0, 0, form.width, form.height}));
    EXPECT_EQ(window.Caption(), form.caption);
    for (int front = 0; front < static_cast<int>(form.tabs.size()); ++front) {
        window.Bring_to_front(front);
        EXPECT_LE(window.Tab_strip_height(), form.tabStripHeight)
            << "the tab strip covers the pages' controls";
        for (const ControlLayout& layout : Control_layouts()) {
            SCOPED_TRACE(std::string(layout.name) + " with tab " + std::to_string(front));
            EXPECT_EQ(
                window.Place_in_container(layout),
                (WindowUnderTest::Area{layout.left, layout.top, layout.width, layout.height}));
            EXPECT_EQ(window.Shown(layout.name), (layout.tab < 0 || layout.tab == front) &&
                                                     layout.kind != ControlKind::kOptionButton);
        }
    }
}

// Tab goes round the controls that take the focus in the table's order, over the tab in front
// only and past hidden ones, from the last back to the first. An option frame is one stop,
// entered at its first button in the order (arrow keys move inside), or a stop per button.
inline void Expect_focus_order(WindowUnderTest& window, bool optionFrameIsOneStop) {
    using Names = std::vector<std::string>;
    const auto walk = [&window] {
        window.Focus("Drive1");
        Names names = {"Drive1"};
        for (std::string next; (next = window.Press_tab()) != "Drive1" && names.size() < 50;) {
            names.push_back(next);
        }
        return names;
    };
    const auto expected = [](const Names& tab) {
        Names all = {"Drive1", "Dir1", "File1", "Command1", "Command2", "SSTab1"};
        all.insert(all.end(), tab.begin(), tab.end());
        return all;
    };
    const Names pages[] = {
        {"Text1", "Text2", "Text5", "Text6", "Text3", "Text4"},
        {"Text7"},
        {"AddonList", "filelist", "Command3", "Command4", "Command6", "Command7"},
        {"Check1", "Command5", "Text8"},  // no packer installed: the options are hidden
    };
    for (int tab = 0; tab < 4; ++tab) {
        SCOPED_TRACE("tab " + std::to_string(tab));
        window.Bring_to_front(tab);
        EXPECT_EQ(walk(), expected(pages[tab]));
    }
    window.Show_options();  // tab 3 stays in front
    EXPECT_EQ(walk(), expected(optionFrameIsOneStop
                                   ? Names{"Option1", "Option5", "Check1", "Command5", "Text8"}
                                   : Names{"Option1", "Option2", "Option5", "Option4", "Option3",
                                           "Check1", "Command5", "Text8"}));
}

}  // namespace brelvik::test
