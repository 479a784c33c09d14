#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/qt/qt_window.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/regaccess.h"
#include "tests/fake_desktop.h"
#include "tests/support/temp_folder.h"

namespace brelvik::test {

// What the settings store holds besides the last-folder key; nothing means no value.
struct Settings {
    std::optional<std::wstring> lastFolder = {}, rar = {}, zip = {};
};

// A window over a settings store and folders in a temporary folder, with scripted dialogs.
class WindowTest : public ::testing::Test {
  protected:
    // The store holds the last-folder key, with the given values.
    void Write_store(const Settings& settings) {
        std::wstring text =
            L"Windows Registry Editor Version 5.00\n\n"
            L"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\Veldrun]\n";
        if (settings.lastFolder) {
            text += L"\"VDRFC\"=\"" + Escaped(*settings.lastFolder) + L"\"\n";
        }
        for (auto [packer, value] :
             {std::pair{L"WinRar", settings.rar}, std::pair{L"WinZip", settings.zip}}) {
            if (value) {
                text += std::wstring(L"\n[HKEY_CLASSES_ROOT\\") + packer + L"\\DefaultIcon]\n@=\"" +
                        Escaped(*value) + L"\"\n";
            }
        }
        Write_file(Store_path(), To_utf8(text));
    }

    QtWindow& Start(const Settings& settings = {}) {
        Write_store(settings);
        registry = std::make_unique<RegAccess>(Store_path());
        window = std::make_unique<QtWindow>(*registry, *files, desktop);
        window->show();
        return *window;
    }

    std::filesystem::path Store_path() const { return temp / "registry.reg"; }

    std::filesystem::path Make_folder(const std::string& name) {
        std::filesystem::create_directories(temp / name);
        return temp / name;
    }

    static void Write_file(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static std::string Read_file(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    static std::wstring Wide(const std::filesystem::path& path) { return Path_text(path); }

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

    TempFolder temp;
    FakeDesktop desktop;
    std::unique_ptr<FileAccess> files = std::make_unique<FileAccess>();
    std::unique_ptr<RegAccess> registry;
    std::unique_ptr<QtWindow> window;

  private:
    static std::wstring Escaped(const std::wstring& text) {
        std::wstring out;
        for (wchar_t c : text) {
            if (c == L'\\' || c == L'"') {
                out += L'\\';
            }
            out += c;
        }
        return out;
    }
};

}  // namespace brelvik::test
