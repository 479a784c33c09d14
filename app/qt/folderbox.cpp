#include "app/qt/folderbox.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

#include "platform/pathsep.h"

namespace brelvik {

namespace {

constexpr int kDepthRole = Qt::UserRole;

// Each entry drawn indented by its depth in the tree, as the folder list shows it.
class IndentedEntries : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(indented.rect.left() + Indent(option, index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(option, index), 0);
    }

  private:
    static int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
        return index.data(kDepthRole).toInt() * option.fontMetrics.horizontalAdvance(u' ') * 2;
    }
};

}  // namespace

FolderBox::FolderBox(FolderReader& reader, QWidget* parent)
    : QListWidget(parent), FolderChoice(reader) {
    setItemDelegate(new IndentedEntries(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](const QListWidgetItem* item) { Open(item); });
}

void FolderBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Open(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderBox::Show_folder(const std::wstring& path, const std::vector<std::wstring>& subfolders) {
    const std::vector<std::wstring> chain = Folder_chain(path);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    clear();
    paths_.clear();
    auto add = [this](const QIcon& icon, const std::wstring& name, const std::wstring& full,
                      std::size_t depth) {
        auto* item = new QListWidgetItem(icon, QString::fromStdWString(name));
        item->setData(kDepthRole, static_cast<int>(depth));
        // A screen reader hears the name alone, and the entry's level in the tree beside it.
        item->setData(Qt::AccessibleDescriptionRole,
                      QStringLiteral("Level %1").arg(static_cast<int>(depth) + 1));
        addItem(item);
        paths_.push_back(full);
    };
    add(open, chain.front(), chain.front(), 0);
    for (std::size_t depth = 1; depth < chain.size(); ++depth) {
        const std::wstring& folder = chain[depth];
        add(open, folder.substr(folder.rfind(kPathSeparator) + 1), folder, depth);
    }
    setCurrentRow(static_cast<int>(chain.size()) - 1);
    for (const std::wstring& name : subfolders) {
        add(closed, name, Subfolder_path(path, name), chain.size());
    }
}

void FolderBox::Open(const QListWidgetItem* item) {
    if (item && onOpen) {
        onOpen(paths_[static_cast<std::size_t>(row(item))]);
    }
}

}  // namespace brelvik
