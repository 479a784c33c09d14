#include "app/layout.h"

#include <stdexcept>

#include "app/helptext.h"

namespace brelvik {
namespace {

using enum ControlKind;
constexpr int kWindow = -1;  // not on a tab page

std::vector<ControlLayout> Browser() {
    return {
        {"SSTab1", kTabControl, kWindowName, kWindow, L"", 120, 120, 5775, 6615, 5},
        {"Drive1", kDriveList, kWindowName, kWindow, L"", 6000, 120, 2415, 315, 0, 0, L"Drive", L"",
         Event::kNone, Event::kNone, Event::kDrive1Change},
        {"Dir1", kFolderList, kWindowName, kWindow, L"", 6000, 480, 2415, 1890, 1, 0, L"Folders",
         L"", Event::kNone, Event::kNone, Event::kDir1Change},
        {"File1", kFileList, kWindowName, kWindow, L"", 6000, 2520, 2415, 3405, 2, 0, L"Add-ons",
         L"", Event::kFile1Click, Event::kFile1DblClick},
        {"Command1", kButton, kWindowName, kWindow, L"Save Info File", 6000, 6000, 1215, 735, 3, 0,
         L"", L"", Event::kCommand1Click},
        {"Command2", kButton, kWindowName, kWindow, L"Exit", 7320, 6000, 1095, 735, 4, 0, L"", L"",
         Event::kCommand2Click},
    };
}

std::vector<ControlLayout> Info_tab() {
    constexpr unsigned kScrolled = kMultiLine | kScrollBar;
    return {
        {"AddonInfoFrame", kFrame, "SSTab1", 0, L"", 120, 360, 5535, 6135, 6},
        {"Frame2", kFrame, "AddonInfoFrame", 0, L"Units", 120, 240, 5295, 1575, 7},
        {"Text1", kTextBox, "Frame2", 0, L"No entry\r\n", 120, 240, 5055, 1215, 8, kScrolled,
         L"Units"},
        {"Frame3", kFrame, "AddonInfoFrame", 0, L"Units info", 120, 1920, 5295, 1455, 9},
        {"Text2", kTextBox, "Frame3", 0, L"No entry\r\n", 120, 240, 5055, 1095, 10, kScrolled,
         L"Units info"},
        {"Frame4", kFrame, "AddonInfoFrame", 0, L"General info", 120, 3480, 5295, 1575, 11},
        {"Text3", kTextBox, "Frame4", 0, L"No entry\r\n", 120, 240, 4095, 1215, 16, kScrolled,
         L"General info"},
        {"Frame6", kFrame, "Frame4", 0, L"Ver.Nr.", 4320, 240, 855, 615, 12},
        {"Text5", kTextBox, "Frame6", 0, L"-", 120, 240, 615, 285, 13, 0, L"Ver.Nr."},
        {"Frame7", kFrame, "Frame4", 0, L"Req.Ver.", 4320, 840, 855, 615, 14},
        {"Text6", kTextBox, "Frame7", 0, L"-", 120, 240, 615, 285, 15, 0, L"Req.Ver."},
        {"Frame5", kFrame, "AddonInfoFrame", 0, L"Author", 120, 5160, 5295, 855, 17},
        {"Text4", kTextBox, "Frame5", 0, L"No entry", 120, 240, 5055, 525, 18, kMultiLine,
         L"Author"},
    };
}

std::vector<ControlLayout> Readme_tab() {
    return {
        {"Frame9", kFrame, "SSTab1", 1, L"Readme", 120, 360, 5535, 6135, 25},
        {"Text7", kTextBox, "Frame9", 1, L"", 120, 240, 5295, 5775, 26, kMultiLine | kScrollBar,
         L"Readme"},
    };
}

std::vector<ControlLayout> Addonlist_tab() {
    return {
        {"Frame1", kFrame, "SSTab1", 2, L"PBO and TXT", 120, 360, 5535, 3375, 19},
        {"AddonList", kListBox, "Frame1", 2, L"", 120, 240, 5295, 2985, 20, kSorted, L"PBO and TXT",
         L"", Event::kNone, Event::kAddonListDblClick},
        {"Command6", kButton, "SSTab1", 2, L"Load Addonlist", 120, 3840, 3015, 255, 27, 0, L"", L"",
         Event::kCommand6Click},
        {"Command7", kButton, "SSTab1", 2, L"Save Addonlist", 3240, 3840, 2415, 255, 28, 0, L"",
         L"", Event::kCommand7Click},
        {"Command4", kButton, "SSTab1", 2, L"Add Other Files", 120, 4200, 3015, 255, 24, 0, L"",
         L"", Event::kCommand4Click},
        {"Command3", kButton, "SSTab1", 2, L"Clear List", 3240, 4200, 2415, 255, 23, 0, L"", L"",
         Event::kCommand3Click},
        {"Frame8", kFrame, "SSTab1", 2, L"Other Files", 120, 4560, 5535, 1935, 21},
        {"filelist", kListBox, "Frame8", 2, L"", 120, 240, 5295, 1620, 22, kSorted, L"Other Files",
         L"", Event::kNone, Event::kfilelistDblClick},
    };
}

// Each mark's own caption is never seen: the label to its right names it. The packers' labels
// have room for the name of Brelvik's own packer where it takes a packer's place.
std::vector<ControlLayout> Pack_tab() {
    return {
        {"Frame10", kFrame, "SSTab1", 3, L"Packer", 240, 480, 1695, 975, 29},
        {"Option1", kOptionButton, "Frame10", 3, L"Option1", 120, 240, 255, 255, 30,
         kOwnCaptionHidden, L"Use WinRar", L"", Event::kOption1Click},
        {"Label1", kLabel, "Frame10", 3, L"Use WinRar", 480, 240, 1155, 255, 32},
        {"Option2", kOptionButton, "Frame10", 3, L"Option2", 120, 600, 255, 255, 31,
         kOwnCaptionHidden, L"Use WinZip", L"", Event::kOption2Click},
        {"Label2", kLabel, "Frame10", 3, L"Use WinZip", 480, 600, 1155, 255, 33},
        {"Frame11", kFrame, "SSTab1", 3, L"Archive Type", 240, 1560, 1215, 1335, 34},
        {"Option3", kOptionButton, "Frame11", 3, L"Option3", 120, 240, 255, 255, 37,
         kOwnCaptionHidden, L"Zip"},
        {"Label4", kLabel, "Frame11", 3, L"Zip", 480, 240, 615, 255, 40},
        {"Option4", kOptionButton, "Frame11", 3, L"Option4", 120, 600, 255, 255, 36,
         kOwnCaptionHidden, L"Rar"},
        {"Label5", kLabel, "Frame11", 3, L"Rar", 480, 600, 615, 255, 39},
        {"Option5", kOptionButton, "Frame11", 3, L"Option5", 120, 960, 255, 195, 35,
         kOwnCaptionHidden, L"SFX"},
        {"Label6", kLabel, "Frame11", 3, L"SFX", 480, 960, 615, 255, 38},
        {"Check1", kCheckBox, "SSTab1", 3, L"Check1", 240, 3000, 255, 255, 41, kOwnCaptionHidden,
         L"Use Addonlist", L"Pack all files listed in Addonlist"},
        {"Label3", kLabel, "SSTab1", 3, L"Use Addonlist", 600, 3000, 1215, 255, 42},
        {"Text8", kTextBox, "SSTab1", 3, Help_text(), 2040, 600, 3615, 5175, 44,
         kMultiLine | kScrollBar | kReadOnly, L"Help"},
        {"Command5", kButton, "SSTab1", 3, L"Pack it", 120, 5880, 5535, 615, 43, 0, L"", L"",
         Event::kCommand5Click},
    };
}

std::vector<ControlLayout> All_controls() {
    std::vector<ControlLayout> all;
    for (auto&& part : {Browser(), Info_tab(), Readme_tab(), Addonlist_tab(), Pack_tab()}) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

}  // namespace

const FormLayout& Form_layout() {
    static const FormLayout form{L"Brelvik v1.0",
                                 8505,
                                 6810,
                                 {L"Addon Information", L"Readme", L"Addonlist", L"Pack Addon"},
                                 360};
    return form;
}

const std::vector<ControlLayout>& Control_layouts() {
    static const std::vector<ControlLayout> controls = All_controls();
    return controls;
}

const ControlLayout& Control_layout(const std::string& name) {
    for (const ControlLayout& control : Control_layouts()) {
        if (name == control.name) {
            return control;
        }
    }
    throw std::out_of_range("no control " + name);
}

}  // namespace brelvik
