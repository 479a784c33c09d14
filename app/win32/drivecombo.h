#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/win32/control.h"

namespace brelvik {

// The drive letters of the system ("c:"), refreshed each time the list drops down. A new
// drive, chosen by the user or set by a procedure, runs onChange; a drive whose change fails
// (onChange throws or answers false) is not kept chosen.
class DriveCombo : public Win32Control, public DriveList {
  public:
    std::wstring Drive() const override;
    // "D" picks "d:". Throws PlatformError when there is no such drive.
    void Set_drive(const std::wstring& drive) override;
    // Selects the drive that holds path without running onChange.
    void Show_drive_of(const std::wstring& path);
    void Notify(int code) override;

    std::function<bool()> onChange;

  private:
    int Find(const std::wstring& drive) const;
    void Take_choice();
    void Change_to(int index);
    void Select_quietly(int index);
    void Refill();

    std::vector<std::wstring> drives_;
    int shown_ = -1;
};

}  // namespace brelvik
