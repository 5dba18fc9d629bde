// What the runner's tests share: a scratch folder of their own for script files and captured
// output, removed after each test.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& APath) {
  std::ifstream in(APath, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class QelScratchDirTest : public ::testing::Test {
 protected:
  explicit QelScratchDirTest(const char* APrefix) : FPrefix(APrefix) {}
  void SetUp() override {
    Dir = fs::temp_directory_path() / (FPrefix + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }
  fs::path Write(const std::string& AName, const std::string& AText) {
    const fs::path path = Dir / AName;
    std::ofstream(path, std::ios::binary) << AText;
    return path;
  }
  fs::path Dir;

 private:
  std::string FPrefix;
};
