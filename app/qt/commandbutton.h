#pragma once

#include <QPushButton>

namespace brelvik {

// A push button whose caption wraps onto more lines when it does not fit on one. It is never
// the window's default button: Enter and Escape press none.
class CommandButton : public QPushButton {
  public:
    CommandButton(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace brelvik
