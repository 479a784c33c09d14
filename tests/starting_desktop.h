#pragma once

#include <string>

#include "platform/process.h"
#include "tests/fake_desktop.h"

namespace brelvik::test {

// Scripted dialogs and recorded messages, but command lines are started for real.
class StartingDesktop : public FakeDesktop {
  public:
    void Start_process(const std::wstring& commandLine) override {
        brelvik::Start_process(commandLine);
    }
};

}  // namespace brelvik::test
