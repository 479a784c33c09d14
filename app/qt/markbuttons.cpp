#include "app/qt/markbuttons.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace brelvik {
namespace {

// Only the mark is drawn, whole: shrunk to fit where the layout gives it less height than the
// style's indicator (the SFX mark), centred on the layout's line.
template <typename Button>
void Paint_mark(Button* button, QStyle::PixelMetric size, QStyle::PrimitiveElement mark) {
    QStylePainter painter(button);
    QStyleOptionButton option;
    option.initFrom(button);
    option.state |= button->isChecked() ? QStyle::State_On : QStyle::State_Off;
    const QRect area = button->rect();
    const int side = std::min(
        {button->style()->pixelMetric(size, &option, button), area.height(), area.width()});
    option.rect = QRect(area.left(), area.top() + (area.height() - side) / 2, side, side);
    painter.drawPrimitive(mark, option);
}

}  // namespace

OptionMark::OptionMark(QWidget* parent) : QRadioButton(parent) {
    connect(this, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected && !quiet_ && onClick) {
            onClick();
        }
    });
}

void OptionMark::Set_value(bool selected) {
    quiet_ = true;
    // An exclusive button refuses to be cleared while it is the selected one.
    setAutoExclusive(selected);
    setChecked(selected);
    setAutoExclusive(true);
    quiet_ = false;
}

void OptionMark::paintEvent(QPaintEvent*) {
    Paint_mark(this, QStyle::PM_ExclusiveIndicatorHeight, QStyle::PE_IndicatorRadioButton);
}

void CheckMark::paintEvent(QPaintEvent*) {
    Paint_mark(this, QStyle::PM_IndicatorHeight, QStyle::PE_IndicatorCheckBox);
}

}  // namespace brelvik
