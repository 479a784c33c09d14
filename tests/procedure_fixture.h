#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/fake_controls.h"
#include "tests/store_fixture.h"

namespace brelvik::test {

// The window's procedures over fake controls, started over a settings store and folders in a
// temporary folder, with scripted dialogs; every event goes through Handle.
class ProcedureTest : public StoreTest {
  protected:
    FakeWindow& Start(const Settings& settings = {}) {
        Write_store(settings);
        registry = std::make_unique<RegAccess>(Store_path());
        window = std::make_unique<FakeWindow>(*registry, *files, desktop);
        return *window;
    }

    // Opens a folder in the folder list as a user does.
    void Browse_to(const std::filesystem::path& folder) { window->Dir1.onOpen(Wide(folder)); }

    // A user's click (or double-click, which follows a click) on File1's entry.
    void Click_file(const std::wstring& name, bool twice = false) {
        ASSERT_TRUE(window->File1.Select_file(name)) << "no entry for the add-on";
        window->Handle(Event::kFile1Click);
        if (twice) {
            window->Handle(Event::kFile1DblClick);
        }
    }

    std::vector<std::wstring> Box_texts() {
        std::vector<std::wstring> texts;
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"}) {
            texts.push_back(window->Text(name).Text());
        }
        return texts;
    }

    std::unique_ptr<FakeWindow> window;
};

}  // namespace brelvik::test
