#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

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

// A settings store and folders in a temporary folder, with scripted dialogs: what a window under
// test, with real or fake controls, is started over.
class StoreTest : public ::testing::Test {
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

    TempFolder temp;
    FakeDesktop desktop;
    std::unique_ptr<FileAccess> files = std::make_unique<FileAccess>();
    std::unique_ptr<RegAccess> registry;

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
