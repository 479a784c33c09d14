#include "app/qt/textbox.h"

#include <QTextBlock>
#include <algorithm>

namespace brelvik {

namespace {

// The widget lays out a line as one piece, at a cost that grows faster than its length when it
// has no place to break; lines of this length lay out in well under a millisecond.
constexpr qsizetype kLongestDisplayLine = 1024;
// What goes into the widget in one turn of the event loop: a few milliseconds of work.
constexpr qsizetype kPiece = 32 * 1024;
// A single-line widget lays out its whole text on every change; this many characters take a
// few tens of milliseconds.
constexpr qsizetype kLongestSingleLine = 8192;

bool Is_break(QChar c) {
    return c == u'\r' || c == u'\n';
}

// The text as the widget shows it: one line break for CR LF, CR or LF, and a break of display
// only in every line longer than the widget lays out quickly; breaks gives where the line after
// each of those starts.
QString Display_text(const QString& text, std::vector<qsizetype>& breaks) {
    QString display;
    display.reserve(text.size() + text.size() / kLongestDisplayLine + 1);
    qsizetype lineLength = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (Is_break(c)) {
            display += u'\n';
            lineLength = 0;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            continue;
        }
        if (lineLength >= kLongestDisplayLine && !c.isLowSurrogate()) {
            display += u'\n';
            breaks.push_back(display.size());
            lineLength = 0;
        }
        display += c;
        ++lineLength;
    }
    return display;
}

}  // namespace

MultiLineBox::MultiLineBox(QWidget* parent, ScrollBar scrollBar) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(scrollBar == ScrollBar::kVertical ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    feeder_.setSingleShot(true);
    connect(&feeder_, &QTimer::timeout, this, &MultiLineBox::Show_next_piece);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!feeding_) {
            edited_ = true;
        }
    });
}

std::wstring MultiLineBox::Text() const {
    return edited_ ? Edited_text() : set_;
}

void MultiLineBox::Set_text(std::wstring text) {
    set_ = std::move(text);
    edited_ = false;
    displayWaiting_ = true;
    if (isVisible()) {
        Start_display();
    }
}

void MultiLineBox::showEvent(QShowEvent* event) {
    if (displayWaiting_) {
        Start_display();
    }
    QPlainTextEdit::showEvent(event);
}

void MultiLineBox::Start_display() {
    displayWaiting_ = false;
    feeder_.stop();
    if (!feeding_) {
        readOnlyBefore_ = isReadOnly();
    }
    feeding_ = true;
    displayBreaks_.clear();
    breakCursors_.clear();
    display_ = Display_text(QString::fromStdWString(set_), displayBreaks_);
    shown_ = 0;
    setUndoRedoEnabled(false);  // the loaded text is no step the user can undo
    setReadOnly(true);          // an edit before all of it is in would lose the rest
    clear();
    Show_next_piece();
}

void MultiLineBox::Show_next_piece() {
    qsizetype piece = std::min(kPiece, display_.size() - shown_);
    if (piece < display_.size() - shown_ && display_[shown_ + piece - 1].isHighSurrogate()) {
        ++piece;
    }
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(display_.mid(shown_, piece));
    shown_ += piece;
    if (shown_ < display_.size()) {
        feeder_.start(0);
        return;
    }
    display_.clear();
    Mark_display_breaks();
    setUndoRedoEnabled(true);
    setReadOnly(readOnlyBefore_);
    feeding_ = false;
}

// Cursors move with the user's edits, so they still tell which breaks are of display only when
// the edited text is taken.
void MultiLineBox::Mark_display_breaks() {
    for (const qsizetype position : displayBreaks_) {
        // Made from its block: placing a cursor by position lays out the block, at a cost.
        QTextCursor cursor(document()->findBlock(static_cast<int>(position)));
        cursor.setKeepPositionOnInsert(true);
        breakCursors_.push_back(cursor);
    }
    displayBreaks_.clear();
}

// The widget's lines joined by CR LF, or by nothing where the break was one of display only.
// Taken block by block: the widget's own plain text turns no-break spaces into spaces.
std::wstring MultiLineBox::Edited_text() const {
    std::vector<int> joins;
    for (const QTextCursor& cursor : breakCursors_) {
        joins.push_back(cursor.position());
    }
    std::sort(joins.begin(), joins.end());
    QString text;
    text.reserve(document()->characterCount() * 2);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin() &&
            !std::binary_search(joins.begin(), joins.end(), block.position())) {
            text += QStringLiteral("\r\n");
        }
        text += block.text();
    }
    return text.toStdWString();
}

SingleLineBox::SingleLineBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] { edited_ = true; });
}

std::wstring SingleLineBox::Text() const {
    return edited_ ? text().toStdWString() : set_;
}

void SingleLineBox::Set_text(std::wstring text) {
    set_ = std::move(text);
    edited_ = false;
    QString shown = QString::fromStdWString(set_.substr(0, kLongestSingleLine));
    const bool whole = shown.size() <= kLongestSingleLine && set_.size() <= kLongestSingleLine;
    setReadOnly(!whole);
    setToolTip(whole ? QString()
                     : QStringLiteral("%1 characters, too many to edit here; kept as they are")
                           .arg(set_.size()));
    shown.truncate(kLongestSingleLine);
    setText(shown);
}

}  // namespace brelvik
