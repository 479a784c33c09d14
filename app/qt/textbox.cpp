#include "app/qt/textbox.h"

#include <QDragEnterEvent>
#include <QMimeData>
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

// The text as the widget shows it: one line break for CR LF, CR or LF, and a break of display
// only in every line longer than the widget lays out quickly; breaks gives where the line after
// each of those starts. Made straight from the wide text, with no copy between.
QString Display_text(std::wstring_view text, std::vector<qsizetype>& breaks) {
    QString display;
    display.reserve(static_cast<qsizetype>(text.size() + text.size() / kLongestDisplayLine + 1));
    qsizetype lineLength = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = static_cast<char32_t>(text[i]) <= 0x10FFFF ? text[i] : 0xFFFD;
        if (c == U'\r' || c == U'\n') {
            display += u'\n';
            lineLength = 0;
            if (c == U'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
                ++i;
            }
            continue;
        }
        // Where wide text is UTF-16, a pair is not broken in two.
        if (lineLength >= kLongestDisplayLine && !QChar::isLowSurrogate(c)) {
            display += u'\n';
            breaks.push_back(display.size());
            lineLength = 0;
        }
        if (QChar::requiresSurrogates(c)) {
            display += QChar(QChar::highSurrogate(c));
            display += QChar(QChar::lowSurrogate(c));
        } else {
            display += QChar(static_cast<char16_t>(c));
        }
        ++lineLength;
    }
    return display;
}

// Files dragged from a file manager are the window's to take (a list file loads wherever it is
// dropped), not text to insert: left alone here, the drag goes on to the window.
bool Leave_files_to_window(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls()) {
        return false;
    }
    event->ignore();
    return true;
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

void MultiLineBox::dragEnterEvent(QDragEnterEvent* event) {
    if (!Leave_files_to_window(event)) {
        QPlainTextEdit::dragEnterEvent(event);
    }
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
    display_ = Display_text(set_, displayBreaks_);
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

void SingleLineBox::dragEnterEvent(QDragEnterEvent* event) {
    if (!Leave_files_to_window(event)) {
        QLineEdit::dragEnterEvent(event);
    }
}

}  // namespace brelvik
