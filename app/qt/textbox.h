#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <optional>
#include <string>

#include "app/controls.h"

namespace brelvik {

// Many lines. A text set while the box is out of view (on a tab behind) goes into the widget only
// when the box comes into view, so that loading a long readme costs nothing until it is seen.
class MultiLineBox : public QPlainTextEdit, public TextBox {
  public:
    enum class ScrollBar { kVertical, kNone };
    MultiLineBox(QWidget* parent, ScrollBar scrollBar);
    std::wstring Text() const override;
    void Set_text(std::wstring text) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Show_waiting_text();

    std::optional<std::wstring> waiting_;
};

// One line: the text goes in and out as it is.
class SingleLineBox : public QLineEdit, public TextBox {
  public:
    explicit SingleLineBox(QWidget* parent);
    std::wstring Text() const override;
    void Set_text(std::wstring text) override;
};

}  // namespace brelvik
