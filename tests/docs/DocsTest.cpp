// The language reference lists exactly the dialect's intrinsics: a routine added to the
// compiler's table without a line in the reference (or the other way round) fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "engine/pascal/PasIntrinsics.h"

namespace {

// The names in the first column of the table under the reference's intrinsic heading.
std::set<std::string> ReferenceNames() {
  std::ifstream page(QEL_DOCS_DIR "/pascal-reference.md");
  std::set<std::string> names;
  bool inSection = false;
  for (std::string line; std::getline(page, line);) {
    if (line.rfind("## ", 0) == 0) inSection = line == "## Intrinsic routines and constants";
    if (!inSection || line.rfind("| `", 0) != 0) continue;
    const size_t end = line.find('`', 3);
    names.insert(line.substr(3, end - 3));
  }
  return names;
}

std::set<std::string> TableNames() {
  std::set<std::string> names;
  qel_pas::EnumPasIntrinsics([&](TQelGlobalObject* AObject) {
    const std::unique_ptr<TQelGlobalObject> owned(AObject);
    names.insert(StringToUtf8(owned->FStrName));
  });
  return names;
}

TEST(ScriptDocs, ReferenceListsEveryIntrinsic) {
  const std::set<std::string> documented = ReferenceNames(), table = TableNames();
  ASSERT_FALSE(table.empty());
  for (const std::string& name : table) EXPECT_TRUE(documented.count(name)) << name << " is not in the reference";
  for (const std::string& name : documented) EXPECT_TRUE(table.count(name)) << name << " is no intrinsic";
}

}  // namespace
