#pragma once

#include <string>
#include <vector>

#include "app/drivechoice.h"
#include "app/win32/control.h"

namespace brelvik {

// The drive list as a combo box, read anew each time it drops down.
class DriveCombo : public Win32Control, public DriveChoice {
  public:
    void Notify(int code) override;

  private:
    void Show_drives(const std::vector<std::wstring>& drives) override;
    void Show_selected(int index) override;
};

}  // namespace brelvik
