#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <string>
#include <vector>

namespace brelvik {

// What the procedures see of a text box: the whole text, lines separated by CR LF whatever the
// widget keeps inside. Until the user edits a box it hands back exactly the text last set, so
// that saving an untouched add-on rewrites its info file byte for byte: the widgets would turn
// a no-break space into a space, a lone CR or LF into a line break, and cut long texts.
class TextBox {
  public:
    virtual ~TextBox() = default;
    virtual std::wstring Text() const = 0;
    virtual void Set_text(std::wstring text) = 0;
};

// Many lines. The text goes into the widget only once the box is in view (loading a long readme
// costs nothing until it is seen), and then in pieces, one per turn of the event loop, so that a
// text of many megabytes never holds the window; the box is read-only until all of it is in.
// Lines longer than the widget lays out quickly are broken for display only.
class MultiLineBox : public QPlainTextEdit, public TextBox {
  public:
    enum class ScrollBar { kVertical, kNone };
    MultiLineBox(QWidget* parent, ScrollBar scrollBar);
    std::wstring Text() const override;
    void Set_text(std::wstring text) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Start_display();
    void Show_next_piece();
    void Mark_display_breaks();
    std::wstring Edited_text() const;

    std::wstring set_;
    bool edited_ = false;
    bool displayWaiting_ = false;
    bool feeding_ = false;
    bool readOnlyBefore_ = false;
    QString display_;
    qsizetype shown_ = 0;
    std::vector<qsizetype> displayBreaks_;  // positions after each break of display only
    std::size_t marked_ = 0;
    std::vector<QTextCursor> breakCursors_;  // follow those positions through the user's edits
    QTimer feeder_;
};

// One line. A text too long for the widget to lay out at once is shown by its beginning only,
// read-only, and kept whole.
class SingleLineBox : public QLineEdit, public TextBox {
  public:
    explicit SingleLineBox(QWidget* parent);
    std::wstring Text() const override;
    void Set_text(std::wstring text) override;

  private:
    std::wstring set_;
    bool edited_ = false;
};

}  // namespace brelvik
