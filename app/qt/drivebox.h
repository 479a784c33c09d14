#pragma once

#include <QComboBox>

#include "app/drivechoice.h"

namespace brelvik {

// The drive list as a Qt combo box; the list is read anew each time it drops down.
class DriveBox : public QComboBox, public DriveChoice {
  public:
    explicit DriveBox(QWidget* parent);

  protected:
    void showPopup() override;

  private:
    void Show_drives(const std::vector<std::wstring>& drives) override;
    void Show_selected(int index) override;
};

}  // namespace brelvik
