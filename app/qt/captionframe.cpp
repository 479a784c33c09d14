#include "app/qt/captionframe.h"

#include <QStyleOptionFrame>
#include <QStylePainter>

namespace brelvik {

void CaptionFrame::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, metrics.height() / 2, 0, 0);
    frame.lineWidth = 1;
    painter.drawPrimitive(QStyle::PE_FrameGroupBox, frame);
    if (title().isEmpty()) {
        return;
    }
    const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.drawItemText(caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                         QPalette::WindowText);
}

}  // namespace brelvik
