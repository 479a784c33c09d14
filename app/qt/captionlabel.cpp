#include "app/qt/captionlabel.h"

namespace brelvik {

CaptionLabel::CaptionLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    Set_grey(false);
}

void CaptionLabel::Set_grey(bool grey) {
    grey_ = grey;
    QPalette colours = palette();
    const QColor ink = grey ? colours.color(QPalette::Disabled, QPalette::WindowText)
                            : colours.color(QPalette::Active, QPalette::ButtonText);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::WindowText, ink);
    }
    setPalette(colours);
}

}  // namespace brelvik
