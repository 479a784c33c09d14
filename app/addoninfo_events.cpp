#include <exception>

#include "app/addoninfo.h"
#include "platform/codepage.h"
#include "platform/desktop.h"
#include "platform/platform_error.h"

namespace brelvik {
namespace {

using Procedure = void (AddonInfo::*)();

}  // namespace

AddonInfo::AddonInfo(const Controls& controls, RegAccess& registry, FileAccess& files,
                     Desktop& desktop)
    : Controls(controls), registry_(registry), files_(files), desktop_(desktop) {}

bool AddonInfo::Handle(Event event) {
    Procedure procedure = nullptr;
    switch (event) {
        case Event::kNone:
            return true;
        case Event::kLoad:
            procedure = &AddonInfo::Form_Load;
            break;
        case Event::kCommand1Click:
            procedure = &AddonInfo::Command1_Click;
            break;
        case Event::kCommand2Click:
            procedure = &AddonInfo::Command2_Click;
            break;
        case Event::kCommand3Click:
            procedure = &AddonInfo::Command3_Click;
            break;
        case Event::kCommand4Click:
            procedure = &AddonInfo::Command4_Click;
            break;
        case Event::kCommand5Click:
            procedure = &AddonInfo::Command5_Click;
            break;
        case Event::kCommand6Click:
            procedure = &AddonInfo::Command6_Click;
            break;
        case Event::kCommand7Click:
            procedure = &AddonInfo::Command7_Click;
            break;
        case Event::kDrive1Change:
            procedure = &AddonInfo::Drive1_Change;
            break;
        case Event::kDir1Change:
            procedure = &AddonInfo::Dir1_Change;
            break;
        case Event::kFile1Click:
            procedure = &AddonInfo::File1_Click;
            break;
        case Event::kFile1DblClick:
            procedure = &AddonInfo::File1_DblClick;
            break;
        case Event::kAddonListDblClick:
            procedure = &AddonInfo::AddonList_DblClick;
            break;
        case Event::kfilelistDblClick:
            procedure = &AddonInfo::filelist_DblClick;
            break;
        case Event::kOption1Click:
            procedure = &AddonInfo::Option1_Click;
            break;
        case Event::kOption2Click:
            procedure = &AddonInfo::Option2_Click;
            break;
    }
    return Run([this, procedure] { (this->*procedure)(); });
}

bool AddonInfo::Run(const std::function<void()>& procedure) {
    if (running_) {
        procedure();  // nested: the outermost procedure stops on a failure
        return true;
    }
    running_ = true;
    bool done = false;
    try {
        procedure();
        done = true;
    } catch (const PlatformError& error) {
        desktop_.Show_message(error.Message());
    } catch (const std::exception& error) {
        desktop_.Show_message(From_ansi(error.what()));
    }
    running_ = false;
    return done;
}

}  // namespace brelvik
