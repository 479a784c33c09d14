#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace brelvik::test {

// A fresh, empty folder below the system's temporary folder, removed with everything in it
// when the object goes.
class TempFolder {
  public:
    // A random name, taken only when no other test program has it: tests run in parallel.
    TempFolder() {
        std::random_device random;
        std::uniform_int_distribution<unsigned long long> number;
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("brelvik-test-" + std::to_string(number(random)));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

  private:
    std::filesystem::path path_;
};

}  // namespace brelvik::test
