#pragma once

#include <string>

namespace brelvik {

// What the procedures can do with the window's controls, and nothing more; each front end
// implements these with its toolkit's widgets.

// The whole text, lines separated by CR LF whatever the widget keeps inside. Until the user edits
// a box it hands back exactly the text last set, so that saving an untouched add-on rewrites its
// info file byte for byte: widgets turn a no-break space into a space, a lone CR or LF into a
// line break, and cut long texts.
class TextBox {
  public:
    virtual ~TextBox() = default;
    virtual std::wstring Text() const = 0;
    virtual void Set_text(std::wstring text) = 0;
};

// Drawn in button text, or in grey text when the control it names does not apply.
class Label {
  public:
    virtual ~Label() = default;
    virtual void Set_grey(bool grey) = 0;
    virtual void Set_caption(const std::wstring& text) = 0;
};

// Setting one selected deselects the others of its frame and runs no procedure. A hidden button
// cannot be clicked or reached by keyboard; its label stays in view.
class OptionButton {
  public:
    virtual ~OptionButton() = default;
    virtual bool Value() const = 0;
    virtual void Set_value(bool selected) = 0;
    virtual void Set_visible(bool visible) = 0;
    // What screen readers announce it by: the text of the label that names it.
    virtual void Set_name(const std::wstring& name) = 0;
};

class CheckBox {
  public:
    virtual ~CheckBox() = default;
    virtual int Value() const = 0;  // 1 checked, 0 not
};

// Selecting a drive or a folder that differs from the one shown runs the control's change
// procedure at once, nested, before the call returns. Both throw PlatformError when the drive or
// folder cannot be read; the control then stays as it was.
class DriveList {
  public:
    virtual ~DriveList() = default;
    // Starts with the drive letter and colon, or is the volume's folder where there are none.
    virtual std::wstring Drive() const = 0;
    // Selects the first drive whose text starts with drive, letter case ignored.
    virtual void Set_drive(const std::wstring& drive) = 0;
};

class FolderList {
  public:
    virtual ~FolderList() = default;
    // A full path without a trailing separator, except at a root.
    virtual std::wstring Path() const = 0;
    // Takes a full path or a drive text as DriveList::Drive gives it.
    virtual void Set_path(const std::wstring& path) = 0;
};

// The add-on files of one folder. Setting the folder refreshes the entries and runs nothing.
class FileList {
  public:
    virtual ~FileList() = default;
    virtual std::wstring Path() const = 0;
    virtual void Set_path(const std::wstring& folder) = 0;
    // The selected name without folder; empty when none is selected.
    virtual std::wstring File_name() const = 0;
};

// Sorted ascending, letter case ignored, whatever the order of adding. Nothing done to it here
// runs a procedure.
class ListBox {
  public:
    static constexpr int kMaxEntries = 32767;

    virtual ~ListBox() = default;
    virtual void Clear() = 0;
    // False, and nothing added, when the box already holds kMaxEntries.
    virtual bool Add_item(const std::wstring& text) = 0;
    virtual int List_count() const = 0;
    // First entry 0, -1 for none; setting -1 clears the selection.
    virtual int List_index() = 0;
    virtual void Set_list_index(int index) = 0;
    // The selected entry's text; empty when none is selected.
    virtual std::wstring Text() = 0;
    virtual void Remove_item(int index) = 0;
};

// The window itself: "Exit" ends the program through it.
class Form {
  public:
    virtual ~Form() = default;
    virtual void Close() = 0;
};

}  // namespace brelvik
