// Each language reference lists exactly its dialect's intrinsics: a routine added to a
// compiler's table without a line in the reference (or the other way round) fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "engine/pascal/PasIntrinsics.h"
#include "engine/vb/VbIntrinsics.h"

namespace {

// The names in the first column of the table under the reference's intrinsic heading.
using TEnumIntrinsics = void (*)(const std::function<void(TQelGlobalObject*)>&);

std::set<std::string> ReferenceNames(const std::string& APage) {
  std::ifstream page(QEL_DOCS_DIR "/" + APage);
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

std::set<std::string> TableNames(TEnumIntrinsics AEnum) {
  std::set<std::string> names;
  AEnum([&](TQelGlobalObject* AObject) {
    const std::unique_ptr<TQelGlobalObject> owned(AObject);
    names.insert(StringToUtf8(owned->FStrName));
  });
  return names;
}

void ExpectSameNames(const std::string& APage, TEnumIntrinsics AEnum) {
  const std::set<std::string> documented = ReferenceNames(APage), table = TableNames(AEnum);
  ASSERT_FALSE(table.empty());
  for (const std::string& name : table) EXPECT_TRUE(documented.count(name)) << name << " is not in the reference";
  for (const std::string& name : documented) EXPECT_TRUE(table.count(name)) << name << " is no intrinsic";
}

TEST(ScriptDocs, ReferenceListsEveryIntrinsic) {
  ExpectSameNames("pascal-reference.md", qel_pas::EnumPasIntrinsics);
}

TEST(ScriptDocs, VbReferenceListsEveryIntrinsic) {
  ExpectSameNames("vb-reference.md", qel_vb::EnumVbIntrinsics);
}

}  // namespace
