#include <QWidget>

#include "app/addoninfo.h"
#include "app/commandbutton.h"
#include "app/helptext.h"
#include "app/twips.h"
#include "platform/folders.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

// Names a control after its member and places it in its container; positions in twips.
template <typename Control>
Control* Placed(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Twips_rect(left, top, width, height));
    return control;
}

QGroupBox* Frame(QWidget* container, const char* name, const char* caption, int left, int top,
                 int width, int height) {
    return Placed(new QGroupBox(QString::fromLatin1(caption), container), name, left, top, width,
                  height);
}

QPushButton* Button(QWidget* container, const char* name, const char* caption, int left, int top,
                    int width, int height) {
    return Placed(new CommandButton(QString::fromLatin1(caption), container), name, left, top,
                  width, height);
}

MultiLineBox* Multi_line(QWidget* container, const char* name, const wchar_t* text, int left,
                         int top, int width, int height,
                         MultiLineBox::ScrollBar scrollBar = MultiLineBox::ScrollBar::kVertical) {
    auto* box = Placed(new MultiLineBox(container, scrollBar), name, left, top, width, height);
    box->Set_text(text);
    return box;
}

SingleLineBox* Single_line(QWidget* container, const char* name, int left, int top) {
    auto* box = Placed(new SingleLineBox(container), name, left, top, 615, 285);
    box->Set_text(L"-");
    return box;
}

OptionButton* Option(QWidget* frame, const char* name, int top, int height = 255) {
    return Placed(new OptionButton(frame), name, 120, top, 255, height);
}

CaptionLabel* Label(QWidget* container, const char* name, const char* caption, int left, int top,
                    int width) {
    return Placed(new CaptionLabel(QString::fromLatin1(caption), container), name, left, top, width,
                  255);
}

}  // namespace

AddonInfo::AddonInfo(RegAccess& registry, FileAccess& files, Desktop& desktop)
    : registry_(registry), files_(files), desktop_(desktop) {
    setObjectName(QStringLiteral("AddonInfo"));
    setWindowTitle(QStringLiteral("Brelvik v1.0"));
    setFixedSize(Px(8505), Px(6810));
    // The layout was drawn for a small interface font; every control uses the window's.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    Build_browser();
    Build_info_tab();
    Build_readme_tab();
    Build_addonlist_tab();
    Build_pack_tab();
    Set_focus_order();
    Wire_events();
    Run([this] { Form_Load(); });
}

void AddonInfo::Build_browser() {
    SSTab1 = new TabControl({QStringLiteral("Addon Information"), QStringLiteral("Readme"),
                             QStringLiteral("Addonlist"), QStringLiteral("Pack Addon")},
                            this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->Set_geometry(Twips_rect(120, 120, 5775, 6615), Px(360));  // above the pages' frames
    Drive1 = Placed(new DriveList(this), "Drive1", 6000, 120, 2415, 315);
    Dir1 = Placed(new FolderList(reader_, this), "Dir1", 6000, 480, 2415, 1890);
    File1 = Placed(new FileList(reader_, this), "File1", 6000, 2520, 2415, 3405);
    Command1 = Button(this, "Command1", "Save Info File", 6000, 6000, 1215, 735);
    Command2 = Button(this, "Command2", "Exit", 7320, 6000, 1095, 735);
    Show_working_folder();
}

// Until Form_Load moves them, the browser lists show the process's working folder.
void AddonInfo::Show_working_folder() {
    const std::wstring folder = Current_folder();
    Drive1->Show_drive_of(folder);
    try {
        Dir1->Show_quietly(folder);
        File1->Set_path(folder);
    } catch (const PlatformError&) {
        // An unreadable working folder leaves the lists empty.
    }
}

void AddonInfo::Build_info_tab() {
    QWidget* page = SSTab1->Page(0);
    AddonInfoFrame = Frame(page, "AddonInfoFrame", "", 120, 360, 5535, 6135);
    Frame2 = Frame(AddonInfoFrame, "Frame2", "Units", 120, 240, 5295, 1575);
    Text1 = Multi_line(Frame2, "Text1", L"No entry\r\n", 120, 240, 5055, 1215);
    Frame3 = Frame(AddonInfoFrame, "Frame3", "Units info", 120, 1920, 5295, 1455);
    Text2 = Multi_line(Frame3, "Text2", L"No entry\r\n", 120, 240, 5055, 1095);
    Frame4 = Frame(AddonInfoFrame, "Frame4", "General info", 120, 3480, 5295, 1575);
    Text3 = Multi_line(Frame4, "Text3", L"No entry\r\n", 120, 240, 4095, 1215);
    Frame6 = Frame(Frame4, "Frame6", "Ver.Nr.", 4320, 240, 855, 615);
    Text5 = Single_line(Frame6, "Text5", 120, 240);
    Frame7 = Frame(Frame4, "Frame7", "Req.Ver.", 4320, 840, 855, 615);
    Text6 = Single_line(Frame7, "Text6", 120, 240);
    Frame5 = Frame(AddonInfoFrame, "Frame5", "Author", 120, 5160, 5295, 855);
    Text4 = Multi_line(Frame5, "Text4", L"No entry", 120, 240, 5055, 525,
                       MultiLineBox::ScrollBar::kNone);
}

void AddonInfo::Build_readme_tab() {
    Frame9 = Frame(SSTab1->Page(1), "Frame9", "Readme", 120, 360, 5535, 6135);
    Text7 = Multi_line(Frame9, "Text7", L"", 120, 240, 5295, 5775);
}

void AddonInfo::Build_addonlist_tab() {
    QWidget* page = SSTab1->Page(2);
    Frame1 = Frame(page, "Frame1", "PBO and TXT", 120, 360, 5535, 3375);
    AddonList = Placed(new SortedListBox(Frame1), "AddonList", 120, 240, 5295, 2985);
    Command6 = Button(page, "Command6", "Load Addonlist", 120, 3840, 3015, 255);
    Command7 = Button(page, "Command7", "Save Addonlist", 3240, 3840, 2415, 255);
    Command4 = Button(page, "Command4", "Add Other Files", 120, 4200, 3015, 255);
    Command3 = Button(page, "Command3", "Clear List", 3240, 4200, 2415, 255);
    Frame8 = Frame(page, "Frame8", "Other Files", 120, 4560, 5535, 1935);
    filelist = Placed(new SortedListBox(Frame8), "filelist", 120, 240, 5295, 1620);
}

void AddonInfo::Build_pack_tab() {
    QWidget* page = SSTab1->Page(3);
    Frame10 = Frame(page, "Frame10", "Packer", 240, 480, 1695, 975);
    Option1 = Option(Frame10, "Option1", 240);
    Label1 = Label(Frame10, "Label1", "Use WinRar", 480, 240, 975);
    Option2 = Option(Frame10, "Option2", 600);
    Label2 = Label(Frame10, "Label2", "Use WinZip", 480, 600, 975);
    Frame11 = Frame(page, "Frame11", "Archive Type", 240, 1560, 1215, 1335);
    Option3 = Option(Frame11, "Option3", 240);
    Label4 = Label(Frame11, "Label4", "Zip", 480, 240, 615);
    Option4 = Option(Frame11, "Option4", 600);
    Label5 = Label(Frame11, "Label5", "Rar", 480, 600, 615);
    Option5 = Option(Frame11, "Option5", 960, 195);
    Label6 = Label(Frame11, "Label6", "SFX", 480, 960, 615);
    Check1 = Placed(new CheckMark(page), "Check1", 240, 3000, 255, 255);
    Check1->setToolTip(QStringLiteral("Pack all files listed in Addonlist"));
    Label3 = Label(page, "Label3", "Use Addonlist", 600, 3000, 1215);
    Text8 = Multi_line(page, "Text8", Help_text().c_str(), 2040, 600, 3615, 5175);
    Text8->setReadOnly(true);
    Command5 = Button(page, "Command5", "Pack it", 120, 5880, 5535, 615);
}

void AddonInfo::Set_focus_order() {
    // Frames and labels take no focus; Qt skips hidden controls and those on tabs behind.
    QWidget* const order[] = {Drive1,    Dir1,     File1,    Command1, Command2, SSTab1->Bar(),
                              Text1,     Text2,    Text5,    Text6,    Text3,    Text4,
                              AddonList, filelist, Command3, Command4, Text7,    Command6,
                              Command7,  Option1,  Option2,  Option5,  Option4,  Option3,
                              Check1,    Command5, Text8};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace brelvik
