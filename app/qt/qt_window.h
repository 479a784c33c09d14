#pragma once

#include <QGroupBox>
#include <QPushButton>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "app/addoninfo.h"
#include "app/folderreader.h"
#include "app/layout.h"
#include "app/qt/captionlabel.h"
#include "app/qt/drivebox.h"
#include "app/qt/filebox.h"
#include "app/qt/folderbox.h"
#include "app/qt/markbuttons.h"
#include "app/qt/sortedlistbox.h"
#include "app/qt/tabcontrol.h"
#include "app/qt/textbox.h"

namespace brelvik {

// The window built with Qt from the layout tables. Creating it builds every control, wires the
// events to the procedures and runs Form_Load; the caller then shows it. Each control's
// objectName is its name in the layout.
class QtWindow : public QWidget, public Form {
  public:
    QtWindow(RegAccess& registry, FileAccess& files, Desktop& desktop);
    ~QtWindow() override;

    AddonInfo& Procedures() { return *procedures_; }
    void Close() override { close(); }

    template <typename Control>
    Control* Find(const char* name) const {
        return findChild<Control*>(QString::fromLatin1(name));
    }

    // The controls by their layout names, as their Qt widgets.
    TabControl* SSTab1;
    DriveBox* Drive1;
    FolderBox* Dir1;
    FileBox* File1;
    QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7;
    MultiLineBox *Text1, *Text2, *Text3, *Text4, *Text7, *Text8;
    SingleLineBox *Text5, *Text6;
    SortedListBox *AddonList, *filelist;
    OptionMark *Option1, *Option2, *Option3, *Option4, *Option5;
    CaptionLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    CheckMark* Check1;

  protected:
    // Files dragged from a file manager (qt_window_drop.cpp).
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    DropTarget Drop_target_at(QPoint point) const;
    QWidget* Create(const ControlLayout& layout, QWidget* container);
    QWidget* Create_box(const ControlLayout& layout, QWidget* container);
    QWidget* Create_list(const ControlLayout& layout, QWidget* container);
    QWidget* Create_list_box(const ControlLayout& layout, QWidget* container);
    QWidget* Container_of(const ControlLayout& layout) const;
    void Find_controls();
    template <typename Control>
    void Find_each(std::initializer_list<std::pair<Control**, const char*>> members) {
        for (const auto& [member, name] : members) {
            *member = Find<Control>(name);
        }
    }
    void Show_working_folder();
    void Set_focus_order();
    bool Handle(Event event) { return procedures_->Handle(event); }

    FolderReader reader_;
    std::unique_ptr<AddonInfo> procedures_;
};

}  // namespace brelvik
