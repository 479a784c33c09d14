#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/controls.h"

namespace brelvik {

// What a drive list does whatever shows it: the system's drives ("c:" style, or "/" and the
// mounted volumes), the one shown, and the change it runs. A new drive, chosen by the user or set
// by a procedure, runs onChange; a drive whose change fails (onChange throws or answers false) is
// not kept chosen. A front end shows the entries and reports the user's choice.
class DriveChoice : public DriveList {
  public:
    std::wstring Drive() const override;
    // Selects the first drive whose text starts with drive, letter case ignored: "D" picks "d:",
    // "/" the root. Throws PlatformError when there is none.
    void Set_drive(const std::wstring& drive) override;
    // Selects the drive that holds path without running onChange.
    void Show_drive_of(const std::wstring& path);

    std::function<bool()> onChange;

  protected:
    // The user chose the entry at index.
    void Choose(int index);
    // Reads the drives anew, keeping the one shown: a volume may have come or gone.
    void Refill();

  private:
    virtual void Show_drives(const std::vector<std::wstring>& drives) = 0;
    // Marks the entry as the one shown (-1 for none) without reporting a choice.
    virtual void Show_selected(int index) = 0;

    int Find(const std::wstring& drive) const;
    void Change_to(int index);
    void Select_quietly(int index);

    std::vector<std::wstring> drives_;
    int shown_ = -1;
};

}  // namespace brelvik
