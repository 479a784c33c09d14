#include "app/textbox.h"

namespace brelvik {

MultiLineBox::MultiLineBox(QWidget* parent, ScrollBar scrollBar) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(scrollBar == ScrollBar::kVertical ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::wstring MultiLineBox::Text() const {
    return toPlainText().replace(u'\n', QStringLiteral("\r\n")).toStdWString();
}

void MultiLineBox::Set_text(const std::wstring& text) {
    QString inner = QString::fromStdWString(text);
    inner.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    inner.replace(u'\r', u'\n');  // the widget knows no other line break
    setPlainText(inner);
}

SingleLineBox::SingleLineBox(QWidget* parent) : QLineEdit(parent) {}

std::wstring SingleLineBox::Text() const {
    return text().toStdWString();
}

void SingleLineBox::Set_text(const std::wstring& text) {
    setText(QString::fromStdWString(text));
}

}  // namespace brelvik
