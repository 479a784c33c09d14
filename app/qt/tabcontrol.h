#pragma once

#include <QStringList>
#include <QTabBar>
#include <QWidget>
#include <vector>

namespace brelvik {

// A tab control whose pages share its own coordinates, tab strip included: a control placed
// on a page at (x, y) sits at (x, y) from the control's top-left corner, whichever tab is in
// front. The tab bar lies above the pages.
class TabControl : public QWidget {
  public:
    TabControl(const QStringList& captions, QWidget* parent);

    QWidget* Page(int tab) const { return pages_[static_cast<std::size_t>(tab)]; }
    QTabBar* Bar() const { return bar_; }
    // Places the control and lays out its tab strip, stripHeight high, and its pages at once.
    void Set_geometry(const QRect& area, int stripHeight);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Bring_to_front(int tab);

    QTabBar* bar_;
    std::vector<QWidget*> pages_;
};

}  // namespace brelvik
