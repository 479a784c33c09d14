#include "app/qt/cutofftips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace brelvik {
namespace {

class CutOffTips : public QObject {
  public:
    explicit CutOffTips(QAbstractItemView* list) : QObject(list), list_(list) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return false;
        }
        const QPoint spot = static_cast<QHelpEvent*>(event)->pos();
        const QModelIndex index = list_->indexAt(spot);
        if (index.isValid() &&
            list_->sizeHintForIndex(index).width() > list_->viewport()->width()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               index.data().toString().trimmed(), list_);
        } else {
            QToolTip::hideText();
        }
        return true;
    }

  private:
    QAbstractItemView* list_;
};

}  // namespace

void Show_cut_off_entries_as_tooltips(QAbstractItemView* list) {
    list->viewport()->installEventFilter(new CutOffTips(list));
}

}  // namespace brelvik
