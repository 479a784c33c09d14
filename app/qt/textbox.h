#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>
#include <string>
#include <vector>

#include "app/controls.h"

namespace brelvik {

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
    void dragEnterEvent(QDragEnterEvent* event) override;

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

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;

  private:
    std::wstring set_;
    bool edited_ = false;
};

}  // namespace brelvik
