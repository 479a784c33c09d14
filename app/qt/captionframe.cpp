#include "app/qt/captionframe.h"

#include <qdrawutil.h>
#include <QStylePainter>

namespace brelvik {

void CaptionFrame::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    // Etched by hand: styles place their own frame a whole caption's height lower.
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true);
    if (title().isEmpty()) {
        return;
    }
    const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.drawItemText(caption, Qt::AlignCenter, palette(), isEnabled(), title(),
                         QPalette::WindowText);
}

}  // namespace brelvik
