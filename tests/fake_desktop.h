#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/platform_error.h"

namespace brelvik::test {

// A Desktop for tests: it records every message, dialog and started command line, answers each
// dialog with the next scripted answer (an empty path, as on cancel, when none is left) and never
// blocks.
class FakeDesktop : public Desktop {
  public:
    struct Dialog {
        enum class Kind { kOpen, kSave } kind;
        std::wstring folder;
        std::wstring filter;
    };

    std::vector<std::wstring> messages;
    std::vector<Dialog> dialogs;
    std::vector<std::wstring> started;
    // The answers the next dialogs give, first to last.
    std::deque<std::wstring> answers;
    // When set, Start_process throws this error instead of recording a start.
    std::optional<PlatformError> startFailure;
    // Brelvik's own packer as installed with the program; none unless a test installs it.
    std::wstring ownPacker;

    void Show_message(const std::wstring& text) override { messages.push_back(text); }
    std::wstring Open_file_dialog(const std::wstring& folder, const std::wstring& filter) override {
        return Answer({Dialog::Kind::kOpen, folder, filter});
    }
    std::wstring Save_file_dialog(const std::wstring& folder, const std::wstring& filter) override {
        return Answer({Dialog::Kind::kSave, folder, filter});
    }
    void Start_process(const std::wstring& commandLine) override {
        if (startFailure) {
            throw *startFailure;
        }
        started.push_back(commandLine);
    }
    std::wstring Own_packer() override { return ownPacker; }

  private:
    std::wstring Answer(Dialog dialog) {
        dialogs.push_back(std::move(dialog));
        if (answers.empty()) {
            return {};
        }
        std::wstring answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace brelvik::test
