#include <exception>

#include "app/addoninfo.h"
#include "platform/codepage.h"
#include "platform/desktop.h"
#include "platform/platform_error.h"

namespace brelvik {

// Which control event runs which procedure; events not named here run none.
void AddonInfo::Wire_events() {
    Drive1->onChange = [this] { Run([this] { Drive1_Change(); }); };
    Dir1->onChange = [this] { Run([this] { Dir1_Change(); }); };
    Dir1->onOpen = [this](const std::wstring& path) {
        Run([this, path] { Dir1->Set_path(path); });
    };
    File1->onClick = [this] { Run([this] { File1_Click(); }); };
    File1->onDblClick = [this] { Run([this] { File1_DblClick(); }); };
    AddonList->onDblClick = [this] { Run([this] { AddonList_DblClick(); }); };
    filelist->onDblClick = [this] { Run([this] { filelist_DblClick(); }); };
    Option1->onClick = [this] { Run([this] { Option1_Click(); }); };
    Option2->onClick = [this] { Run([this] { Option2_Click(); }); };
    connect(Command1, &QPushButton::clicked, this, [this] { Run([this] { Command1_Click(); }); });
    connect(Command2, &QPushButton::clicked, this, [this] { Run([this] { Command2_Click(); }); });
    connect(Command3, &QPushButton::clicked, this, [this] { Run([this] { Command3_Click(); }); });
    connect(Command4, &QPushButton::clicked, this, [this] { Run([this] { Command4_Click(); }); });
    connect(Command5, &QPushButton::clicked, this, [this] { Run([this] { Command5_Click(); }); });
    connect(Command6, &QPushButton::clicked, this, [this] { Run([this] { Command6_Click(); }); });
    connect(Command7, &QPushButton::clicked, this, [this] { Run([this] { Command7_Click(); }); });
}

void AddonInfo::Run(const std::function<void()>& procedure) {
    if (running_) {
        procedure();  // nested: the outermost procedure stops on a failure
        return;
    }
    running_ = true;
    try {
        procedure();
    } catch (const PlatformError& error) {
        desktop_.Show_message(error.Message());
    } catch (const std::exception& error) {
        desktop_.Show_message(From_ansi(error.what()));
    }
    running_ = false;
}

}  // namespace brelvik
