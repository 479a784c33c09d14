#pragma once

#include <QComboBox>
#include <functional>
#include <string>

namespace brelvik {

// The drives to choose from (on systems without drive letters the root "/" first, then the
// mounted volumes). A new drive, chosen by the user or set by a procedure, runs onChange.
class DriveList : public QComboBox {
  public:
    explicit DriveList(QWidget* parent);

    std::wstring Drive() const { return currentText().toStdWString(); }
    // Selects the first drive whose text starts with drive (letter case ignored): "D" picks
    // "d:", "/" the root. Throws PlatformError when there is none.
    void Set_drive(const std::wstring& drive);
    // Selects the drive that holds path without running onChange.
    void Show_drive_of(const std::wstring& path);

    std::function<void()> onChange;

  protected:
    void showPopup() override;

  private:
    int Find(const std::wstring& drive) const;
    void Select_quietly(int index);
    void Refill();

    int shown_ = -1;
};

}  // namespace brelvik
