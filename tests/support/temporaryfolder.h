#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <system_error>

namespace spritlog::test {

// A fixture with a folder of its own under the system's temporary directory, removed with
// everything in it after the test.
class TemporaryFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
            const std::filesystem::path candidate =
                base / ("spritlog_test_" + std::to_string(random()));
            std::error_code failure;
            // False without a failure: the name is taken already.
            if (std::filesystem::create_directory(candidate, failure))
                dir_ = candidate.string();
            ASSERT_FALSE(failure) << candidate << ": " << failure.message();
        }
        ASSERT_FALSE(dir_.empty());
    }
    void TearDown() override {
        if (dir_.empty())
            return;
        std::error_code failure;
        std::filesystem::remove_all(dir_, failure);
        EXPECT_FALSE(failure) << dir_ << ": " << failure.message();
    }

    std::string PathOf(const std::string& name) const { return dir_ + "/" + name; }

    // The names in the folder itself.
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.insert(entry.path().filename().string());
        return names;
    }

    // Empties the folder.
    void RemoveEntries() {
        for (const std::string& name : Entries())
            std::filesystem::remove_all(PathOf(name));
    }

    std::string dir_;
};

} // namespace spritlog::test
