#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"

namespace brelvik::test {

// What every front end's controls must do when the procedures call them, as app/controls.h
// writes it down: one list of cases, run against the fake controls, the Qt window and the Win32
// window. Each front end's test brings what a user does to its control (typing, clicking).

// Until the user edits a box it hands back exactly the text last set; after an edit, setting a
// text again forgets the edit, or one add-on's typed readme would be saved into the next one's
// info file.
inline void Expect_text_box_contract(TextBox& box,
                                     const std::function<void(const std::wstring&)>& type,
                                     bool multiLine) {
    std::vector<std::wstring> texts = {L"", L"1.0", L"A\u00A0B", L"tail\r\n"};
    if (multiLine) {
        texts.insert(texts.end(), {L"a\r\n\r\nb\r\n", L"lone\rbreak", L"lone\nbreak"});
    } else {
        texts.push_back(std::wstring(40000, L'1'));  // longer than a line box lays out at once
    }
    for (const std::wstring& text : texts) {
        box.Set_text(text);
        EXPECT_EQ(box.Text(), text) << "as set, " << text.size() << " characters";
    }
    box.Set_text(L"first add-on");
    type(L"typed");
    EXPECT_EQ(box.Text(), L"typed");
    box.Set_text(L"next add-on");
    EXPECT_EQ(box.Text(), L"next add-on") << "the edit of the box outlived a new text";
}

// Sorted ascending, letter case ignored, whatever the order of adding; the selection stays on
// its entry while others are added; -1 selects nothing. Nothing here runs a procedure.
inline void Expect_list_box_contract(ListBox& box) {
    box.Clear();
    for (const wchar_t* entry : {L"b", L"A", L"c"}) {
        box.Add_item(entry);
    }
    box.Set_list_index(1);
    EXPECT_EQ(box.Text(), L"b");
    box.Add_item(L"");  // added while "b" is selected: the selection stays on "b"
    box.Add_item(L"a2");
    EXPECT_EQ(box.List_index(), 3);
    EXPECT_EQ(box.Text(), L"b");
    std::vector<std::wstring> order;
    for (int i = 0; i < box.List_count(); ++i) {
        box.Set_list_index(i);
        order.push_back(box.Text());
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"", L"A", L"a2", L"b", L"c"}));
    box.Remove_item(1);
    box.Set_list_index(1);
    EXPECT_EQ(box.Text(), L"a2");
    box.Set_list_index(-1);
    EXPECT_EQ(box.List_index(), -1);
    EXPECT_EQ(box.Text(), L"");
    box.Clear();
    EXPECT_EQ(box.List_count(), 0);
}

// A box holds at most ListBox::kMaxEntries; one more is refused and nothing is added. The box is
// left full and unread: a system list box takes long to show that many.
inline void Expect_list_box_limit(ListBox& box) {
    box.Clear();
    for (int i = 0; i < ListBox::kMaxEntries; ++i) {
        ASSERT_TRUE(box.Add_item(std::to_wstring(i)));
    }
    EXPECT_FALSE(box.Add_item(L"one more"));
    EXPECT_EQ(box.List_count(), ListBox::kMaxEntries);
}

// Setting one option selected deselects the others of its frame; setting it unselected leaves
// the frame with none.
inline void Expect_option_frame_contract(const std::vector<OptionButton*>& frame) {
    for (OptionButton* chosen : frame) {
        chosen->Set_value(true);
        for (OptionButton* option : frame) {
            EXPECT_EQ(option->Value(), option == chosen);
        }
    }
    frame.back()->Set_value(false);
    for (OptionButton* option : frame) {
        EXPECT_FALSE(option->Value());
    }
}

}  // namespace brelvik::test
