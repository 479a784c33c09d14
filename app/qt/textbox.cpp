#include "app/qt/textbox.h"

namespace brelvik {

MultiLineBox::MultiLineBox(QWidget* parent, ScrollBar scrollBar) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(scrollBar == ScrollBar::kVertical ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::wstring MultiLineBox::Text() const {
    if (waiting_) {
        return *waiting_;
    }
    return toPlainText().replace(u'\n', QStringLiteral("\r\n")).toStdWString();
}

void MultiLineBox::Set_text(std::wstring text) {
    waiting_ = std::move(text);
    if (isVisible()) {
        Show_waiting_text();
    }
}

void MultiLineBox::showEvent(QShowEvent* event) {
    Show_waiting_text();
    QPlainTextEdit::showEvent(event);
}

void MultiLineBox::Show_waiting_text() {
    if (!waiting_) {
        return;
    }
    QString inner = QString::fromStdWString(*waiting_);
    waiting_.reset();
    inner.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    inner.replace(u'\r', u'\n');  // the widget knows no other line break
    setPlainText(inner);
}

SingleLineBox::SingleLineBox(QWidget* parent) : QLineEdit(parent) {}

std::wstring SingleLineBox::Text() const {
    return text().toStdWString();
}

void SingleLineBox::Set_text(std::wstring text) {
    setText(QString::fromStdWString(text));
}

}  // namespace brelvik
