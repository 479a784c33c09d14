#pragma once

#include <QGroupBox>

namespace brelvik {

// A frame whose caption sits on its top border line, as the layout was drawn: the first row of
// controls, a caption's height below the frame's top, stays clear of the line.
class CaptionFrame : public QGroupBox {
  public:
    CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace brelvik
