#pragma once

#include <QLabel>

#include "app/controls.h"

namespace brelvik {

// A label that names a control beside it, drawn in button text or, when that control does not
// apply, in the palette's grey text. A click on it does nothing.
class CaptionLabel : public QLabel, public Label {
  public:
    CaptionLabel(const QString& text, QWidget* parent);
    void Set_grey(bool grey) override;
    void Set_caption(const std::wstring& text) override { setText(QString::fromStdWString(text)); }
    bool Is_grey() const { return grey_; }

  private:
    bool grey_ = false;
};

}  // namespace brelvik
