#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <utility>

#include "app/qt/qt_window.h"
#include "platform/codepage.h"

namespace brelvik {
namespace {

// The local files among the dropped URLs, each as the system's own bytes: a name that is not
// UTF-8 stays percent-encoded in its URL and would turn into replacement characters as text.
std::vector<std::wstring> Dropped_paths(const QMimeData* data) {
    std::vector<std::wstring> paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            const QByteArray bytes =
                QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
            paths.push_back(From_native(bytes.toStdString()));
        }
    }
    return paths;
}

// The files stay where they are: a drop taken as a move would have the file manager delete them.
bool Take_as_copy(QDropEvent* event) {
    if (!(event->possibleActions() & Qt::CopyAction)) {
        return false;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    return true;
}

}  // namespace

void QtWindow::dragEnterEvent(QDragEnterEvent* event) {
    // Taken whatever lies under the pointer, so that the moves over the window follow.
    if (!event->mimeData()->hasUrls() || !Take_as_copy(event)) {
        event->ignore();
    }
}

void QtWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!AddonInfo::Drop_applies(Dropped_paths(event->mimeData()),
                                 Drop_target_at(event->position().toPoint())) ||
        !Take_as_copy(event)) {
        event->ignore();
    }
}

// The procedures run once the drop has ended: a message box inside it would keep the file
// manager waiting for the drop's answer.
void QtWindow::dropEvent(QDropEvent* event) {
    std::vector<std::wstring> paths = Dropped_paths(event->mimeData());
    const DropTarget target = Drop_target_at(event->position().toPoint());
    if (paths.empty() || !Take_as_copy(event)) {
        event->ignore();
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, paths = std::move(paths), target] { procedures_->Drop(paths, target); },
        Qt::QueuedConnection);
}

DropTarget QtWindow::Drop_target_at(QPoint point) const {
    for (auto [control, target] : {std::pair<QWidget*, DropTarget>{Dir1, DropTarget::kFolderList},
                                   {AddonList, DropTarget::kAddonList},
                                   {filelist, DropTarget::kOtherFiles}}) {
        if (control->isVisible() && control->rect().contains(control->mapFrom(this, point))) {
            return target;
        }
    }
    return DropTarget::kWindow;
}

}  // namespace brelvik
