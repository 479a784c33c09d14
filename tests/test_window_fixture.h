#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <string>

#include "app/qt/qt_window.h"
#include "tests/store_fixture.h"

namespace brelvik::test {

// A window over a settings store and folders in a temporary folder, with scripted dialogs.
class WindowTest : public StoreTest {
  protected:
    QtWindow& Start(const Settings& settings = {}) {
        Write_store(settings);
        registry = std::make_unique<RegAccess>(Store_path());
        window = std::make_unique<QtWindow>(*registry, *files, desktop);
        window->show();
        return *window;
    }

    // The entries File1 shows, in their order.
    std::vector<std::wstring> File_entries() const {
        std::vector<std::wstring> names;
        const QAbstractItemModel* model = window->File1->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names.push_back(model->index(row, 0).data().toString().toStdWString());
        }
        return names;
    }

    // A user's click (or double-click) on File1's entry with the given name.
    void Click_file(const std::wstring& name, bool twice = false) {
        const std::vector<std::wstring> names = File_entries();
        const auto found = std::find(names.begin(), names.end(), name);
        ASSERT_NE(found, names.end()) << "no entry for the add-on";
        FileBox* list = window->File1;
        const QPoint spot =
            list->visualRect(list->model()->index(static_cast<int>(found - names.begin()), 0))
                .center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, spot);
        if (twice) {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, spot);
        }
    }

    // Opens a folder in the window as a user does: the drive, then the folder.
    void Browse_to(const std::filesystem::path& folder) { window->Dir1->onOpen(Wide(folder)); }

    std::unique_ptr<QtWindow> window;
};

}  // namespace brelvik::test
