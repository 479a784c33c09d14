#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/addoninfo.h"
#include "app/controls.h"
#include "app/drivechoice.h"
#include "app/folderchoice.h"
#include "app/folderreader.h"
#include "app/layout.h"
#include "app/sortedentries.h"
#include "platform/folders.h"

namespace brelvik::test {

// In-memory controls that keep the contracts of app/controls.h, so the procedures run with no
// toolkit. Each also offers what a user does to it.

class FakeTextBox : public TextBox {
  public:
    std::wstring Text() const override { return edited_ ? typed_ : set_; }
    void Set_text(std::wstring text) override {
        set_ = std::move(text);
        edited_ = false;
    }
    // The user's edit: the whole text as the box now reads.
    void Type(std::wstring text) {
        typed_ = std::move(text);
        edited_ = true;
    }

  private:
    std::wstring set_, typed_;
    bool edited_ = false;
};

class FakeLabel : public Label {
  public:
    void Set_grey(bool grey) override { this->grey = grey; }
    void Set_caption(const std::wstring& text) override { caption = text; }
    bool grey = false;
    // Empty until the procedures change the caption the layout table gives.
    std::wstring caption;
};

// Option buttons of one frame share a group, so that selecting one deselects the others.
class FakeOption : public OptionButton {
  public:
    explicit FakeOption(std::vector<FakeOption*>& frame) : frame_(frame) { frame_.push_back(this); }
    bool Value() const override { return value_; }
    void Set_value(bool selected) override {
        if (selected) {
            for (FakeOption* other : frame_) {
                other->value_ = false;
            }
        }
        value_ = selected;
    }
    void Set_visible(bool visible) override { this->visible = visible; }
    void Set_name(const std::wstring& name) override { this->name = name; }

    bool visible = true;
    std::wstring name;

  private:
    std::vector<FakeOption*>& frame_;
    bool value_ = false;
};

class FakeCheck : public CheckBox {
  public:
    int Value() const override { return checked ? 1 : 0; }
    bool checked = false;
};

// The system's drives, as the front ends read them; the user picks one by its text.
class FakeDrives : public DriveChoice {
  public:
    std::vector<std::wstring> shown;
    void Pick(const std::wstring& drive) {
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] == drive) {
                Choose(static_cast<int>(i));
            }
        }
    }

  private:
    void Show_drives(const std::vector<std::wstring>& drives) override { shown = drives; }
    void Show_selected(int) override {}
};

class FakeFolders : public FolderChoice {
  public:
    using FolderChoice::FolderChoice;
    std::vector<std::wstring> subfolders;

  private:
    void Show_folder(const std::wstring&, const std::vector<std::wstring>& names) override {
        subfolders = names;
    }
};

class FakeFiles : public FileList {
  public:
    explicit FakeFiles(FolderReader& reader) : reader_(reader) {}
    std::wstring Path() const override { return path_; }
    void Set_path(const std::wstring& folder) override {
        names = reader_.Addon_files(folder);
        path_ = folder;
        selected_.clear();
    }
    std::wstring File_name() const override { return selected_; }
    void Clear_selection() { selected_.clear(); }
    bool Select_file(const std::wstring& name) override {
        for (const std::wstring& entry : names) {
            if (entry == name) {
                selected_ = name;
                return true;
            }
        }
        return false;
    }

    std::vector<std::wstring> names;

  private:
    FolderReader& reader_;
    std::wstring path_, selected_;
};

// Added entries are merged in when the box is next read, as the front ends do: filling a box
// with thousands of entries stays quick.
class FakeListBox : public ListBox {
  public:
    void Clear() override {
        entries_.Clear();
        selected_ = -1;
    }
    bool Add_item(const std::wstring& text) override {
        if (List_count() >= kMaxEntries) {
            return false;
        }
        entries_.Add(text);
        return true;
    }
    int List_count() const override { return static_cast<int>(entries_.Count()); }
    int List_index() override {
        Merged();
        return selected_;
    }
    void Set_list_index(int index) override {
        Merged();
        selected_ = index >= 0 && index < List_count() ? index : -1;
    }
    std::wstring Text() override {
        const int index = List_index();
        return index < 0 ? std::wstring() : Merged()[static_cast<std::size_t>(index)].text;
    }
    void Remove_item(int index) override {
        Merged();
        if (index >= 0 && index < List_count()) {
            entries_.Remove(static_cast<std::size_t>(index));
            selected_ = selected_ == index ? -1 : selected_ - (selected_ > index ? 1 : 0);
        }
    }
    std::vector<std::wstring> Items() const {
        std::vector<std::wstring> texts;
        for (const SortedEntries::Entry& entry : Merged()) {
            texts.push_back(entry.text);
        }
        return texts;
    }

  private:
    const std::vector<SortedEntries::Entry>& Merged() const {
        if (entries_.Has_added()) {
            selected_ = entries_.Merge(selected_);
        }
        return entries_.Merged();
    }

    mutable SortedEntries entries_;
    mutable int selected_ = -1;
};

class FakeForm : public Form {
  public:
    void Close() override { closed = true; }
    bool closed = false;
};

// The window's controls, made as the layout table names them, and the procedures over them; every
// event goes through Handle, as a front end delivers it.
class FakeWindow {
  public:
    FakeWindow(RegAccess& registry, FileAccess& files, Desktop& desktop) {
        // Until the start-up procedure moves them, the browser lists show the working folder.
        const std::wstring working = Current_folder();
        Drive1.Show_drive_of(working);
        Dir1.Show_quietly(working);
        File1.Set_path(working);
        for (const ControlLayout& layout : Control_layouts()) {
            if (layout.kind == ControlKind::kTextBox && texts.count(layout.name)) {
                texts.at(layout.name).Set_text(layout.text);
            }
        }
        Drive1.onChange = [this] { return procedures->Handle(Event::kDrive1Change); };
        Dir1.onChange = [this] { procedures->Handle(Event::kDir1Change); };
        Dir1.onOpen = [this](const std::wstring& path) {
            procedures->Run([this, &path] { Dir1.Set_path(path); });
        };
        procedures = std::make_unique<AddonInfo>(Controls{.Text1 = &Text("Text1"),
                                                          .Text2 = &Text("Text2"),
                                                          .Text3 = &Text("Text3"),
                                                          .Text4 = &Text("Text4"),
                                                          .Text5 = &Text("Text5"),
                                                          .Text6 = &Text("Text6"),
                                                          .Text7 = &Text("Text7"),
                                                          .Label1 = &Label1,
                                                          .Label2 = &Label2,
                                                          .Label4 = &Label4,
                                                          .Label5 = &Label5,
                                                          .Label6 = &Label6,
                                                          .Option1 = &Option1,
                                                          .Option2 = &Option2,
                                                          .Option3 = &Option3,
                                                          .Option4 = &Option4,
                                                          .Option5 = &Option5,
                                                          .Check1 = &Check1,
                                                          .Drive1 = &Drive1,
                                                          .Dir1 = &Dir1,
                                                          .File1 = &File1,
                                                          .AddonList = &AddonList,
                                                          .filelist = &filelist,
                                                          .form = &form},
                                                 registry, files, desktop);
        procedures->Handle(Event::kLoad);
    }

    FakeTextBox& Text(const std::string& name) { return texts.at(name); }
    bool Handle(Event event) { return procedures->Handle(event); }
    // A click on an option button the user can reach selects it; when it was not selected yet,
    // that runs the procedure the layout table gives it, as in both front ends.
    void Click_option(const std::string& name) {
        FakeOption& option = *options.at(name);
        if (option.visible && !option.Value()) {
            option.Set_value(true);
            procedures->Handle(Control_layout(name).click);
        }
    }

    std::map<std::string, FakeTextBox> texts{{"Text1", {}}, {"Text2", {}}, {"Text3", {}},
                                             {"Text4", {}}, {"Text5", {}}, {"Text6", {}},
                                             {"Text7", {}}};
    FakeLabel Label1, Label2, Label4, Label5, Label6;
    std::vector<FakeOption*> packers, types;
    FakeOption Option1{packers}, Option2{packers}, Option3{types}, Option4{types}, Option5{types};
    std::map<std::string, FakeOption*> options{{"Option1", &Option1},
                                               {"Option2", &Option2},
                                               {"Option3", &Option3},
                                               {"Option4", &Option4},
                                               {"Option5", &Option5}};
    FakeCheck Check1;
    FolderReader reader;
    FakeDrives Drive1;
    FakeFolders Dir1{reader};
    FakeFiles File1{reader};
    FakeListBox AddonList, filelist;
    FakeForm form;
    std::unique_ptr<AddonInfo> procedures;
};

}  // namespace brelvik::test
