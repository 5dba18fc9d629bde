// Loading and saving string lists: byte-order marks, missing files.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "host/core/Classes.h"

namespace {

class StringsFile : public testing::Test {
 protected:
  void SetUp() override {
    FDir = std::filesystem::temp_directory_path() /
           ("qel_host_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(FDir);
  }
  void TearDown() override { std::filesystem::remove_all(FDir); }

  String PathOf(const char* AName) const { return Utf8ToString((FDir / AName).string()); }
  void Write(const char* AName, const std::string& ABytes) const {
    std::ofstream(FDir / AName, std::ios::binary) << ABytes;
  }
  std::string Read(const char* AName) const {
    std::ifstream in(FDir / AName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path FDir;
};

struct EncodingCase {
  const char* Name;
  std::string Bytes;
};

TEST_F(StringsFile, DetectsTheByteOrderMark) {
  // "é1" CR LF "二" in each encoding; the expected lines are the same.
  const EncodingCase cases[] = {
      {"utf8-bom", std::string("\xEF\xBB\xBF\xC3\xA9" "1\r\n\xE4\xBA\x8C")},
      {"utf8-plain", std::string("\xC3\xA9" "1\r\n\xE4\xBA\x8C")},
      {"utf16le", std::string("\xFF\xFE\xE9\x00" "1\x00\r\x00\n\x00\x8C\x4E", 12)},
      {"utf16be", std::string("\xFE\xFF\x00\xE9\x00" "1\x00\r\x00\n\x4E\x8C", 12)},
  };
  for (const EncodingCase& c : cases) {
    Write(c.Name, c.Bytes);
    TStringList list;
    list.LoadFromFile(PathOf(c.Name));
    ASSERT_EQ(list.GetCount(), 2) << c.Name;
    EXPECT_EQ(list.Get(0), u"\u00E91") << c.Name;
    EXPECT_EQ(list.Get(1), u"\u4E8C") << c.Name;
  }
}

TEST_F(StringsFile, MissingFileRaisesEFOpenError) {
  TStringList list;
  list.Add(u"kept");
  const String path = PathOf("absent.txt");
  try {
    list.LoadFromFile(path);
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EFOpenError>());
    EXPECT_EQ(e->GetMessage(), u"Cannot open file \"" + path + u"\". " + SysErrorMessage(ENOENT));
  }
  EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(StringsFile, SavesUtf8WithOptionalBom) {
  TStringList list;
  list.SetText(u"caf\u00E9\n");
  list.SaveToFile(PathOf("plain.txt"));
  list.SaveToFile(PathOf("bom.txt"), true);
  EXPECT_EQ(Read("plain.txt"), "caf\xC3\xA9\r\n");
  EXPECT_EQ(Read("bom.txt"), "\xEF\xBB\xBF" "caf\xC3\xA9\r\n");
  TStringList back;
  back.LoadFromFile(PathOf("bom.txt"));
  EXPECT_TRUE(back.Equals(&list));
}

TEST_F(StringsFile, UncreatableFileRaisesEFCreateError) {
  TStringList list;
  EXPECT_THROW(list.SaveToFile(PathOf("no/such/dir.txt")), ExceptionPtr);
}

}  // namespace
