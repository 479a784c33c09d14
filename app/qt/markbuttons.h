#pragma once

#include <QCheckBox>
#include <QRadioButton>
#include <functional>

#include "app/controls.h"

namespace brelvik {

// An option button that shows only its mark; the label beside it names it. The buttons of one
// frame form one exclusive group.
class OptionMark : public QRadioButton, public OptionButton {
  public:
    explicit OptionMark(QWidget* parent);
    bool Value() const override { return isChecked(); }
    // Runs no procedure; selecting one deselects the others of its frame.
    void Set_value(bool selected) override;
    void Set_visible(bool visible) override { setVisible(visible); }
    void Set_name(const std::wstring& name) override {
        setAccessibleName(QString::fromStdWString(name));
    }
    // Runs when the user makes this button the selected one.
    std::function<void()> onClick;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool quiet_ = false;
};

// A check box that shows only its mark.
class CheckMark : public QCheckBox, public CheckBox {
  public:
    explicit CheckMark(QWidget* parent) : QCheckBox(parent) {}
    int Value() const override { return isChecked() ? 1 : 0; }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace brelvik
