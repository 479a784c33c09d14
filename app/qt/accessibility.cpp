#include "app/qt/accessibility.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>

#include "app/qt/drivebox.h"
#include "app/qt/qt_window.h"

namespace brelvik {
namespace {

// Qt names a combo box off Windows by the text it shows; the drive shown is its value.
class DriveAccessible : public QAccessibleWidget {
  public:
    explicit DriveAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return static_cast<const QComboBox*>(widget())->currentText();
        }
        return QAccessibleWidget::text(kind);
    }
};

// Qt labels a widget by the group box it lies in; a frame inside a frame is labelled by its own
// caption, its name, and labels the controls it holds but not the frames.
class FrameAccessible : public QAccessibleWidget {
  public:
    explicit FrameAccessible(QGroupBox* frame) : QAccessibleWidget(frame, QAccessible::Grouping) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            return Frame()->title();
        }
        return QAccessibleWidget::text(kind);
    }

    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> found;
        if (!(match & QAccessible::Labelled) || Frame()->title().isEmpty()) {
            return found;
        }
        for (QWidget* child : Frame()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QGroupBox*>(child)) {
                found.append({QAccessible::queryAccessibleInterface(child), QAccessible::Labelled});
            }
        }
        return found;
    }

  private:
    const QGroupBox* Frame() const { return static_cast<const QGroupBox*>(widget()); }
};

QAccessibleInterface* Interface_for(const QString&, QObject* object) {
    if (auto* window = dynamic_cast<QtWindow*>(object)) {
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    if (auto* drives = dynamic_cast<DriveBox*>(object)) {
        return new DriveAccessible(drives);
    }
    // Asked for while a frame is still being made, before it is a CaptionFrame: every frame of
    // the window is one.
    if (auto* frame = qobject_cast<QGroupBox*>(object)) {
        return new FrameAccessible(frame);
    }
    return nullptr;
}

}  // namespace

void Install_accessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(Interface_for);
        return true;
    }();
    (void)installed;
}

}  // namespace brelvik
