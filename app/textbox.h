#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>

namespace brelvik {

// What the procedures see of a text box: the whole text, lines separated by CR LF whatever the
// widget keeps inside.
class TextBox {
  public:
    virtual ~TextBox() = default;
    virtual std::wstring Text() const = 0;
    virtual void Set_text(const std::wstring& text) = 0;
};

class MultiLineBox : public QPlainTextEdit, public TextBox {
  public:
    enum class ScrollBar { kVertical, kNone };
    MultiLineBox(QWidget* parent, ScrollBar scrollBar);
    std::wstring Text() const override;
    void Set_text(const std::wstring& text) override;
};

// One line: the text goes in and out as it is.
class SingleLineBox : public QLineEdit, public TextBox {
  public:
    explicit SingleLineBox(QWidget* parent);
    std::wstring Text() const override;
    void Set_text(const std::wstring& text) override;
};

}  // namespace brelvik
