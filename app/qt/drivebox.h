#pragma once

#include <QComboBox>
#include <functional>
#include <string>

#include "app/controls.h"

namespace brelvik {

// The drives to choose from (on systems without drive letters the root "/" first, then the
// mounted volumes). A new drive, chosen by the user or set by a procedure, runs onChange; a drive
// whose change fails (onChange throws or answers false) is not kept chosen.
class DriveBox : public QComboBox, public DriveList {
  public:
    explicit DriveBox(QWidget* parent);

    std::wstring Drive() const override { return currentText().toStdWString(); }
    // "D" picks "d:", "/" the root. Throws PlatformError when there is none.
    void Set_drive(const std::wstring& drive) override;
    // Selects the drive that holds path without running onChange.
    void Show_drive_of(const std::wstring& path);

    std::function<bool()> onChange;

  protected:
    void showPopup() override;

  private:
    int Find(const std::wstring& drive) const;
    void Change_to(int index);
    void Select_quietly(int index);
    void Refill();

    int shown_ = -1;
};

}  // namespace brelvik
