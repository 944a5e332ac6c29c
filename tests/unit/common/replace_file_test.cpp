#include "common/replace_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace files {
namespace {

class ReplaceFileTest : public ::testing::Test {
protected:
    ReplaceFileTest() {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~ReplaceFileTest() override { std::filesystem::remove_all(dir); }

    static void Write(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // One folder per run of a test: CTest runs tests side by side, and builds may too.
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("replace_file_test-" +
                                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                                 std::to_string(std::random_device{}()));
    std::filesystem::path target = dir / "target.dll";
};

TEST_F(ReplaceFileTest, TargetSeesOnlyTheCompleteNewFile) {
    Write(target, "old");
    EXPECT_TRUE(ReplaceFile(target, [this](const std::filesystem::path& beside) {
        EXPECT_EQ(beside.parent_path(), dir);
        EXPECT_NE(beside, target);
        Write(beside, "ne");
        EXPECT_EQ(Read(target), "old") << "untouched while the new file is written";
        Write(beside, "new");
        return true;
    }));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Names(), std::vector<std::string>{"target.dll"});
}

TEST_F(ReplaceFileTest, FailedWriteKeepsTheOldFileAndLeavesNothing) {
    Write(target, "old");
    EXPECT_FALSE(ReplaceFile(target, [](const std::filesystem::path& beside) {
        Write(beside, "torn");
        return false;
    }));
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(Names(), std::vector<std::string>{"target.dll"});
}

TEST_F(ReplaceFileTest, CopyOverCreatesOrReplaces) {
    Write(dir / "source", "fresh");
    EXPECT_TRUE(CopyOver(dir / "source", target));
    EXPECT_EQ(Read(target), "fresh");
    Write(dir / "source", "fresher");
    EXPECT_TRUE(CopyOver(dir / "source", target));
    EXPECT_EQ(Read(target), "fresher");
    EXPECT_EQ(Read(dir / "source"), "fresher");
    EXPECT_FALSE(CopyOver(dir / "absent", target));
    EXPECT_EQ(Read(target), "fresher");
    EXPECT_FALSE(CopyOver(dir / "source", dir / "no-such-dir" / "x"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"source", "target.dll"}));
}

TEST_F(ReplaceFileTest, MoveOverTakesTheFileItself) {
    Write(target, "old");
    Write(dir / "download", "new");
    EXPECT_TRUE(MoveOver(dir / "download", target));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Names(), std::vector<std::string>{"target.dll"});
    EXPECT_FALSE(MoveOver(dir / "download", target));
    EXPECT_EQ(Read(target), "new");
}

} // namespace
} // namespace files
