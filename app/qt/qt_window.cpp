#include "app/qt/qt_window.h"

#include <algorithm>

#include "app/qt/accessibility.h"
#include "app/qt/captionframe.h"
#include "app/qt/commandbutton.h"
#include "app/qt/cutofftips.h"
#include "app/qt/twips.h"
#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

QString Q(const std::wstring& text) {
    return QString::fromStdWString(text);
}

bool Takes_focus(ControlKind kind) {
    return kind != ControlKind::kFrame && kind != ControlKind::kLabel;
}

}  // namespace

QtWindow::QtWindow(RegAccess& registry, FileAccess& files, Desktop& desktop) {
    Install_accessibility();
    const FormLayout& form = Form_layout();
    setObjectName(QString::fromLatin1(kWindowName));
    setWindowTitle(Q(form.caption));
    setFixedSize(Px(form.width), Px(form.height));
    setAcceptDrops(true);
    // The layout was drawn for a small interface font; every control uses the window's.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    for (const ControlLayout& layout : Control_layouts()) {
        QWidget* control = Create(layout, Container_of(layout));
        control->setObjectName(QString::fromLatin1(layout.name));
        control->setToolTip(Q(layout.tooltip));
        control->setAccessibleName(Q(layout.accessibleName));
    }
    Find_controls();
    Show_working_folder();
    Set_focus_order();
    procedures_ = std::make_unique<AddonInfo>(Controls{.Text1 = Text1,
                                                       .Text2 = Text2,
                                                       .Text3 = Text3,
                                                       .Text4 = Text4,
                                                       .Text5 = Text5,
                                                       .Text6 = Text6,
                                                       .Text7 = Text7,
                                                       .Label1 = Label1,
                                                       .Label2 = Label2,
                                                       .Label4 = Label4,
                                                       .Label5 = Label5,
                                                       .Label6 = Label6,
                                                       .Option1 = Option1,
                                                       .Option2 = Option2,
                                                       .Option3 = Option3,
                                                       .Option4 = Option4,
                                                       .Option5 = Option5,
                                                       .Check1 = Check1,
                                                       .Drive1 = Drive1,
                                                       .Dir1 = Dir1,
                                                       .File1 = File1,
                                                       .AddonList = AddonList,
                                                       .filelist = filelist,
                                                       .form = this},
                                              registry, files, desktop);
    Handle(Event::kLoad);
}

QtWindow::~QtWindow() = default;

QWidget* QtWindow::Container_of(const ControlLayout& layout) const {
    const std::string container = layout.container;
    if (container == kWindowName) {
        return const_cast<QtWindow*>(this);
    }
    if (container == "SSTab1") {
        return SSTab1->Page(layout.tab);
    }
    return Find<QWidget>(layout.container);
}

QWidget* QtWindow::Create(const ControlLayout& layout, QWidget* container) {
    const QRect area = Twips_rect(layout.left, layout.top, layout.width, layout.height);
    QWidget* control = nullptr;
    switch (layout.kind) {
        case ControlKind::kTabControl: {
            QStringList captions;
            for (const std::wstring& tab : Form_layout().tabs) {
                captions.append(Q(tab));
            }
            SSTab1 = new TabControl(captions, container);
            SSTab1->Set_geometry(area, Px(Form_layout().tabStripHeight));
            return SSTab1;
        }
        case ControlKind::kFrame:
            control = new CaptionFrame(Q(layout.text), container);
            break;
        case ControlKind::kLabel:
            control = new CaptionLabel(Q(layout.text), container);
            break;
        case ControlKind::kButton: {
            auto* button = new CommandButton(Q(layout.text), container);
            connect(button, &QPushButton::clicked, this,
                    [this, event = layout.click] { Handle(event); });
            control = button;
            break;
        }
        case ControlKind::kOptionButton: {
            auto* option = new OptionMark(container);
            if (layout.click != Event::kNone) {
                option->onClick = [this, event = layout.click] { Handle(event); };
            }
            control = option;
            break;
        }
        case ControlKind::kCheckBox:
            control = new CheckMark(container);
            break;
        case ControlKind::kTextBox:
            control = Create_box(layout, container);
            break;
        default:
            control = Create_list(layout, container);
            break;
    }
    control->setGeometry(area);
    return control;
}

QWidget* QtWindow::Create_box(const ControlLayout& layout, QWidget* container) {
    if (!(layout.settings & kMultiLine)) {
        auto* box = new SingleLineBox(container);
        box->Set_text(layout.text);
        return box;
    }
    auto* box = new MultiLineBox(container, layout.settings & kScrollBar
                                                ? MultiLineBox::ScrollBar::kVertical
                                                : MultiLineBox::ScrollBar::kNone);
    box->setReadOnly(layout.settings & kReadOnly);
    box->Set_text(layout.text);
    return box;
}

// The drive, folder, file and list boxes, with their events.
QWidget* QtWindow::Create_list(const ControlLayout& layout, QWidget* container) {
    QWidget* list = Create_list_box(layout, container);
    if (auto* view = qobject_cast<QAbstractItemView*>(list)) {
        Show_cut_off_entries_as_tooltips(view);
    }
    return list;
}

QWidget* QtWindow::Create_list_box(const ControlLayout& layout, QWidget* container) {
    switch (layout.kind) {
        case ControlKind::kDriveList: {
            auto* drives = new DriveBox(container);
            drives->onChange = [this, event = layout.change] { return Handle(event); };
            return drives;
        }
        case ControlKind::kFolderList: {
            auto* folders = new FolderBox(reader_, container);
            folders->onChange = [this, event = layout.change] { Handle(event); };
            // Opening a folder is the user's choice of it, under the procedures' failure rule.
            folders->onOpen = [this, folders](const std::wstring& path) {
                procedures_->Run([folders, &path] { folders->Set_path(path); });
            };
            return folders;
        }
        case ControlKind::kFileList: {
            auto* files = new FileBox(reader_, container);
            files->onClick = [this, event = layout.click] { Handle(event); };
            files->onDblClick = [this, event = layout.dblClick] { Handle(event); };
            return files;
        }
        default: {
            auto* list = new SortedListBox(container);
            list->onDblClick = [this, event = layout.dblClick] { Handle(event); };
            return list;
        }
    }
}

void QtWindow::Find_controls() {
    Find_each<DriveBox>({{&Drive1, "Drive1"}});
    Find_each<FolderBox>({{&Dir1, "Dir1"}});
    Find_each<FileBox>({{&File1, "File1"}});
    Find_each<QPushButton>({{&Command1, "Command1"},
                            {&Command2, "Command2"},
                            {&Command3, "Command3"},
                            {&Command4, "Command4"},
                            {&Command5, "Command5"},
                            {&Command6, "Command6"},
                            {&Command7, "Command7"}});
    Find_each<MultiLineBox>({{&Text1, "Text1"},
                             {&Text2, "Text2"},
                             {&Text3, "Text3"},
                             {&Text4, "Text4"},
                             {&Text7, "Text7"},
                             {&Text8, "Text8"}});
    Find_each<SingleLineBox>({{&Text5, "Text5"}, {&Text6, "Text6"}});
    Find_each<SortedListBox>({{&AddonList, "AddonList"}, {&filelist, "filelist"}});
    Find_each<OptionMark>({{&Option1, "Option1"},
                           {&Option2, "Option2"},
                           {&Option3, "Option3"},
                           {&Option4, "Option4"},
                           {&Option5, "Option5"}});
    Find_each<CaptionLabel>({{&Label1, "Label1"},
                             {&Label2, "Label2"},
                             {&Label3, "Label3"},
                             {&Label4, "Label4"},
                             {&Label5, "Label5"},
                             {&Label6, "Label6"}});
    Find_each<CheckMark>({{&Check1, "Check1"}});
}

// Until Form_Load moves them, the browser lists show the process's working folder.
void QtWindow::Show_working_folder() {
    const std::wstring folder = Current_folder();
    Drive1->Show_drive_of(folder);
    try {
        Dir1->Show_quietly(folder);
        File1->Set_path(folder);
    } catch (const PlatformError&) {
        // An unreadable working folder leaves the lists empty.
    }
}

// Frames and labels take no focus; Qt skips hidden controls and those on tabs behind.
void QtWindow::Set_focus_order() {
    std::vector<const ControlLayout*> order;
    for (const ControlLayout& layout : Control_layouts()) {
        if (Takes_focus(layout.kind)) {
            order.push_back(&layout);
        }
    }
    std::ranges::sort(order, {}, &ControlLayout::order);
    QWidget* previous = nullptr;
    for (const ControlLayout* layout : order) {
        QWidget* control =
            layout->kind == ControlKind::kTabControl ? SSTab1->Bar() : Find<QWidget>(layout->name);
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
}

}  // namespace brelvik
