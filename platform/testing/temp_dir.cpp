#include "platform/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <utility>

namespace lumvik::testing {

namespace {

std::atomic<unsigned> g_counter{0};

}  // namespace

TempDir::TempDir() {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("lumvik-test-" + std::to_string(stamp) + "-" + std::to_string(g_counter++));
  std::filesystem::create_directories(folder);
  path_ = folder.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

// fopen takes the path in the ANSI code page on Windows, as the product does.
void WriteTestFile(const std::string& path, const std::string& bytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr) << path;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  ASSERT_EQ(std::fclose(out), 0) << path;
  ASSERT_TRUE(written) << path;
}

namespace {

constexpr auto kWritable = std::filesystem::perms::owner_write |
                           std::filesystem::perms::group_write |
                           std::filesystem::perms::others_write;

}  // namespace

ReadOnlyFile::ReadOnlyFile(std::string path) : path_(std::move(path)) {
  std::error_code error;
  std::filesystem::permissions(path_, kWritable, std::filesystem::perm_options::remove, error);
  EXPECT_FALSE(error) << path_ << ": " << error.message();
}

ReadOnlyFile::~ReadOnlyFile() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add, ignored);
}

}  // namespace lumvik::testing
