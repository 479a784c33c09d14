#pragma once

#include <QString>
#include <memory>

#include "platform/desktop.h"

class QFileDialog;
class QWidget;

namespace brelvik {

// The program's Desktop: Qt's message box and file dialogs over the window, and the
// platform's process start.
class QtDesktop : public Desktop {
  public:
    explicit QtDesktop(QWidget* window = nullptr) : window_(window) {}
    void Set_window(QWidget* window) { window_ = window; }

    void Show_message(const std::wstring& text) override;
    std::wstring Open_file_dialog(const std::wstring& folder, const std::wstring& filter) override;
    std::wstring Save_file_dialog(const std::wstring& folder, const std::wstring& filter) override;
    void Start_process(const std::wstring& commandLine) override;

  private:
    QWidget* window_;
};

// A filter of "description|pattern" pairs in Qt's form: "description (patterns)" joined by ";;".
// "*.*" means every file, with or without a dot.
QString Qt_filter(const std::wstring& filter);

// The dialog Save_file_dialog shows. A name typed without an extension gets the filter's own
// where the filter names a single one ("*.txta"): a list saved as "release" must still end in
// four characters of extension, which the pack command line replaces.
std::unique_ptr<QFileDialog> Make_save_dialog(QWidget* parent, const std::wstring& folder,
                                              const std::wstring& filter);

// A path a Qt dialog hands back, as the system names it. Qt shows a name whose bytes are not
// UTF-8 with replacement marks and hands that text back; each such part is looked up among the
// names of its folder that show the same way. A part that none or several match stays as shown,
// and names no file.
std::wstring Chosen_path(const QString& shown);

}  // namespace brelvik
