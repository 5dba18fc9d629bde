// Runs every Pascal script of the corpus (tests/scripts) and compares with the expectation
// written in the script (format: tests/scripts/README.md).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/pascal/PasScriptHost.h"
#include "tests/pascal/PasTestUtil.h"

namespace {

struct TExpectation {
  std::vector<std::string> Output;
  bool HasError = false;
  std::string Error;
  int Line = -1, Pos = -1;
};

std::string ReadFile(const std::filesystem::path& APath) {
  std::ifstream in(APath, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TExpectation ParseExpectation(const std::string& AText) {
  TExpectation e;
  const std::string outputTag = "{ expect:";
  if (size_t at = AText.find(outputTag); at != std::string::npos) {
    std::istringstream lines(AText.substr(at + outputTag.size()));
    std::string line;
    std::getline(lines, line);  // rest of the tag's line
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == "}") break;
      e.Output.push_back(line);
    }
  }
  static const std::regex errorTag(R"(\{ expect-error: (.*) at line (\d+) pos (\d+) \})");
  std::smatch m;
  if (std::regex_search(AText, m, errorTag)) {
    e.HasError = true;
    e.Error = m[1];
    e.Line = std::stoi(m[2]);
    e.Pos = std::stoi(m[3]);
  }
  return e;
}

std::vector<std::filesystem::path> CorpusFiles() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(QEL_SCRIPTS_DIR))
    if (entry.path().extension() == ".pas") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

class ScriptCorpus : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(ScriptCorpus, MatchesItsExpectation) {
  const std::string text = ReadFile(GetParam());
  const TExpectation want = ParseExpectation(text);
  const TPasRunResult got = RunPasScript(U16(text));
  EXPECT_EQ(got.Output, want.Output);
  EXPECT_EQ(got.Failed, want.HasError) << got.Error;
  if (want.HasError) {
    EXPECT_EQ(got.Error, want.Error);
    EXPECT_EQ(got.Line, want.Line);
    EXPECT_EQ(got.Pos, want.Pos);
  }
}

INSTANTIATE_TEST_SUITE_P(Pascal, ScriptCorpus, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& AInfo) { return AInfo.param.stem().string(); });

}  // namespace
