#include "app/qt/tabcontrol.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace brelvik {

TabControl::TabControl(const QStringList& captions, QWidget* parent)
    : QWidget(parent), bar_(new QTabBar(this)) {
    bar_->setObjectName(QStringLiteral("SSTab1_tabs"));
    bar_->setExpanding(true);
    bar_->setDrawBase(false);
    bar_->setUsesScrollButtons(false);
    bar_->setElideMode(Qt::ElideNone);
    for (const QString& caption : captions) {
        bar_->addTab(caption);
        auto* page = new QWidget(this);
        pages_.push_back(page);
    }
    bar_->raise();
    Bring_to_front(0);
    connect(bar_, &QTabBar::currentChanged, this, [this](int tab) { Bring_to_front(tab); });
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, bar_->height() - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = bar_->size();
    frame.tabBarRect = bar_->geometry();
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void TabControl::Set_geometry(const QRect& area, int stripHeight) {
    setGeometry(area);
    bar_->setGeometry(0, 0, area.width(), stripHeight);
    for (QWidget* page : pages_) {
        page->setGeometry(0, 0, area.width(), area.height());
    }
}

void TabControl::Bring_to_front(int tab) {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->setVisible(static_cast<int>(i) == tab);
    }
}

}  // namespace brelvik
