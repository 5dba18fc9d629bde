// TStringList: text forms, sorting, duplicates, names and values, change
// notifications, index errors.
#include <gtest/gtest.h>

#include <vector>

#include "host/core/Classes.h"
#include "tests/support/QelTestNames.h"

namespace {

std::vector<String> Lines(const TStrings& AList) {
  std::vector<String> lines;
  for (int i = 0; i < AList.GetCount(); ++i) lines.push_back(AList.Get(i));
  return lines;
}

struct TextCase {
  const char16_t* Text;
  std::vector<String> Lines;
};

void PrintTo(const TextCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Text); }

class SetTextCases : public testing::TestWithParam<TextCase> {};

TEST_P(SetTextCases, SplitsAtCrLfOrCrLf) {
  TStringList list;
  list.SetText(GetParam().Text);
  EXPECT_EQ(Lines(list), GetParam().Lines);
}

INSTANTIATE_TEST_SUITE_P(Table, SetTextCases,
                         testing::Values(TextCase{u"", {}}, TextCase{u"a", {u"a"}}, TextCase{u"a\r\n", {u"a"}},
                                         TextCase{u"a\r\nb", {u"a", u"b"}}, TextCase{u"a\nb\rc", {u"a", u"b", u"c"}},
                                         TextCase{u"a\r\n\r\n", {u"a", u""}}, TextCase{u"\r\n", {u""}},
                                         TextCase{u"a\n\rb", {u"a", u"", u"b"}},
                                         TextCase{u"\n\nx", {u"", u"", u"x"}}));

TEST(StringList, TextEndsEveryLineWithCrLf) {
  TStringList list;
  EXPECT_EQ(list.GetText(), u"");
  list.Add(u"one");
  list.Add(u"");
  list.Add(u"three");
  EXPECT_EQ(list.GetText(), u"one\r\n\r\nthree\r\n");
  TStringList copy;
  copy.SetText(list.GetText());
  EXPECT_EQ(Lines(copy), Lines(list));
}

TEST(StringList, CommaTextQuotesWhereNeeded) {
  TStringList list;
  for (const char16_t* s : {u"plain", u"with space", u"comma,inside", u"say \"hi\"", u""}) list.Add(s);
  EXPECT_EQ(list.GetCommaText(), u"plain,\"with space\",\"comma,inside\",\"say \"\"hi\"\"\",");
  TStringList back;
  back.SetCommaText(list.GetCommaText());
  EXPECT_EQ(Lines(back), Lines(list));
  TStringList single;
  single.Add(u"");
  EXPECT_EQ(single.GetCommaText(), u"\"\"");
}

TEST(StringList, SetCommaTextSplitsAtBlanksUnlessStrict) {
  TStringList list;
  list.SetCommaText(u" a b , \"c d\",e,");
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"b", u"c d", u"e", u""}));
  list.SetDelimiter(u';');
  list.SetQuoteChar(u'\'');
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(u"a b;'x;y';c");
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a b", u"x;y", u"c"}));
  EXPECT_EQ(list.GetDelimitedText(), u"a b;'x;y';c");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText(u"Host=example\nPort=80\nplain\nEmpty=");
  EXPECT_EQ(list.GetNames(0), u"Host");
  EXPECT_EQ(list.GetNames(2), u"");
  EXPECT_EQ(list.GetValues(u"port"), u"80");
  EXPECT_EQ(list.GetValues(u"missing"), u"");
  EXPECT_EQ(list.GetValueFromIndex(0), u"example");
  EXPECT_EQ(list.GetValueFromIndex(2), u"");
  EXPECT_EQ(list.IndexOfName(u"EMPTY"), 3);
  list.SetValues(u"Port", u"8080");
  list.SetValues(u"User", u"me");
  EXPECT_EQ(list.Get(1), u"Port=8080");
  EXPECT_EQ(list.Get(4), u"User=me");
  list.SetValues(u"Host", u"");
  EXPECT_EQ(list.IndexOfName(u"Host"), -1);
  EXPECT_EQ(list.GetCount(), 4);
  list.SetNameValueSeparator(u':');
  list.Add(u"Key:Value");
  EXPECT_EQ(list.GetValues(u"key"), u"Value");
  list.SetValueFromIndex(4, u"Other");
  EXPECT_EQ(list.Get(4), u"Key:Other");
}

TEST(StringList, IndexOfIsCaseInsensitiveByDefault) {
  TStringList list;
  list.SetCommaText(u"Alpha,Beta");
  EXPECT_EQ(list.IndexOf(u"BETA"), 1);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf(u"BETA"), -1);
  EXPECT_EQ(list.IndexOf(u"Beta"), 1);
}

TEST(StringList, EditingOperations) {
  TStringList list;
  list.SetCommaText(u"a,b,c,d");
  list.Insert(1, u"x");
  list.Delete(0);
  list.Exchange(0, 3);
  list.Move(0, 2);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"b", u"c", u"d", u"x"}));
  list.SetStrings(0, u"B");
  EXPECT_EQ(list.GetStrings(0), u"B");
  TStringList other;
  other.AddStrings(&list);
  EXPECT_TRUE(other.Equals(&list));
  other.Clear();
  other.Assign(&list);
  EXPECT_EQ(Lines(other), Lines(list));
}

TEST(StringList, ObjectsTravelWithTheirLines) {
  TStringList list;
  TList a, b;
  list.AddObject(u"z", &a);
  list.AddObject(u"y", &b);
  list.Sort();
  EXPECT_EQ(list.GetObjects(0), &b);
  EXPECT_EQ(list.IndexOfObject(&a), 1);
}

TEST(StringList, BadIndexRaisesListIndexError) {
  TStringList list;
  list.Add(u"only");
  struct Case {
    void (*Action)(TStringList&);
    const char16_t* Message;
  };
  const Case cases[] = {
      {[](TStringList& l) { l.Get(1); }, u"List index out of bounds (1)"},
      {[](TStringList& l) { l.Get(-1); }, u"List index out of bounds (-1)"},
      {[](TStringList& l) { l.Delete(5); }, u"List index out of bounds (5)"},
      {[](TStringList& l) { l.Insert(2, u"x"); }, u"List index out of bounds (2)"},
      {[](TStringList& l) { l.SetStrings(3, u"x"); }, u"List index out of bounds (3)"},
      {[](TStringList& l) { l.GetObjects(1); }, u"List index out of bounds (1)"},
      {[](TStringList& l) { l.Exchange(0, 1); }, u"List index out of bounds (1)"},
  };
  for (const Case& c : cases) {
    try {
      c.Action(list);
      ADD_FAILURE() << "no exception for " << StringToUtf8(c.Message);
    } catch (const ExceptionPtr& e) {
      EXPECT_TRUE(e->Is<EStringListError>());
      EXPECT_EQ(e->GetMessage(), c.Message);
    }
  }
  EXPECT_EQ(Lines(list), std::vector<String>{u"only"});
}

// ---------------------------------------------------------------------------
// Sorting

TEST(SortedStringList, FindGivesTheInsertionIndex) {
  TStringList list;
  list.SetSorted(true);
  list.SetCommaText(u"delta,alpha,charlie");
  EXPECT_EQ(Lines(list), (std::vector<String>{u"alpha", u"charlie", u"delta"}));
  struct Case {
    const char16_t* Text;
    bool Found;
    int Index;
  };
  for (const Case& c : {Case{u"alpha", true, 0}, Case{u"CHARLIE", true, 1}, Case{u"bravo", false, 1},
                        Case{u"aaa", false, 0}, Case{u"echo", false, 3}, Case{u"delta", true, 2}}) {
    int index = -1;
    EXPECT_EQ(list.Find(c.Text, index), c.Found) << StringToUtf8(c.Text);
    EXPECT_EQ(index, c.Index) << StringToUtf8(c.Text);
  }
  EXPECT_EQ(list.IndexOf(u"Delta"), 2);
  EXPECT_EQ(list.IndexOf(u"zulu"), -1);
}

TEST(SortedStringList, DuplicatesModes) {
  struct Case {
    TDuplicates Mode;
    std::vector<String> Expected;
  };
  for (const Case& c : {Case{dupIgnore, {u"a", u"b"}}, Case{dupAccept, {u"a", u"B", u"b"}}}) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.Mode);
    list.Add(u"b");
    list.Add(u"a");
    const int index = list.Add(u"B");
    EXPECT_EQ(index, 1);
    EXPECT_EQ(Lines(list), c.Expected);
  }
  TStringList strict;
  strict.SetSorted(true);
  strict.SetDuplicates(dupError);
  strict.Add(u"a");
  try {
    strict.Add(u"A");
    FAIL() << "no exception";
  } catch (const ExceptionPtr& e) {
    EXPECT_TRUE(e->Is<EStringListError>());
    EXPECT_EQ(e->GetMessage(), u"String list does not allow duplicates");
  }
  EXPECT_EQ(strict.GetCount(), 1);
}

TEST(SortedStringList, FindReturnsTheFirstOfEqualLines) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  list.SetCommaText(u"b,a,b,c,b");
  int index = -1;
  EXPECT_TRUE(list.Find(u"b", index));
  EXPECT_EQ(index, 1);
}

TEST(SortedStringList, PositionalEditsAreRefused) {
  TStringList list;
  list.SetCommaText(u"b,a");
  list.SetSorted(true);
  for (void (*action)(TStringList&) : {+[](TStringList& l) { l.Insert(0, u"x"); },
                                       +[](TStringList& l) { l.SetStrings(0, u"x"); },
                                       +[](TStringList& l) { l.Exchange(0, 1); },
                                       +[](TStringList& l) { l.Move(0, 1); }}) {
    try {
      action(list);
      ADD_FAILURE() << "no exception";
    } catch (const ExceptionPtr& e) {
      EXPECT_EQ(e->GetMessage(), u"Operation not allowed on sorted list");
    }
  }
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"b"}));
}

TEST(SortedStringList, CaseSensitivityResorts) {
  TStringList list;
  list.SetCommaText(u"b,B,a,A");
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  list.SetCaseSensitive(true);
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"A", u"b", u"B"}));
}

TEST(StringList, CustomSortByIndices) {
  TStringList list;
  list.SetCommaText(u"ccc,a,bb");
  list.CustomSort([](TStringList* l, int i, int j) {
    return static_cast<int>(l->Get(i).size()) - static_cast<int>(l->Get(j).size());
  });
  EXPECT_EQ(Lines(list), (std::vector<String>{u"a", u"bb", u"ccc"}));
}

// ---------------------------------------------------------------------------
// Change notifications

class ChangeNotifications : public testing::Test {
 protected:
  void SetUp() override {
    FList.OnChanging = [this](TObject* Sender) {
      EXPECT_EQ(Sender, &FList);
      FEvents.push_back(u"changing " + IntToStr(FList.GetCount()));
    };
    FList.OnChange = [this](TObject*) { FEvents.push_back(u"change " + IntToStr(FList.GetCount())); };
  }
  TStringList FList;
  std::vector<String> FEvents;
};

TEST_F(ChangeNotifications, ChangingComesBeforeEachChange) {
  FList.Add(u"a");
  FList.Add(u"b");
  FList.Delete(0);
  EXPECT_EQ(FEvents, (std::vector<String>{u"changing 0", u"change 1", u"changing 1", u"change 2", u"changing 2",
                                          u"change 1"}));
}

TEST_F(ChangeNotifications, UpdatesFireOnceAroundTheBatch) {
  FList.BeginUpdate();
  FList.BeginUpdate();
  FList.Add(u"a");
  FList.Add(u"b");
  FList.EndUpdate();
  EXPECT_EQ(FEvents, std::vector<String>{u"changing 0"});
  FList.EndUpdate();
  EXPECT_EQ(FEvents, (std::vector<String>{u"changing 0", u"change 2"}));
  FList.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(FEvents.size(), 2u);
}

TEST_F(ChangeNotifications, SetTextIsOneChange) {
  FList.SetText(u"a\nb\nc");
  EXPECT_EQ(FEvents, (std::vector<String>{u"changing 0", u"change 3"}));
}

TEST_F(ChangeNotifications, FailedAddChangesNothing) {
  FList.SetSorted(true);
  FList.SetDuplicates(dupError);
  FList.Add(u"x");
  FEvents.clear();
  EXPECT_THROW(FList.Add(u"x"), ExceptionPtr);
  EXPECT_TRUE(FEvents.empty());
}

// ---------------------------------------------------------------------------
// Owned objects

TEST(StringList, OwnsObjectsFreesThem) {
  std::vector<TObject*> freed;
  static std::vector<TObject*>* sink;
  sink = &freed;
  TObjectDestroyObserver previous = SetObjectDestroyObserver([](TObject* o) { sink->push_back(o); });
  auto* list = new TStringList(true);
  auto* a = new TList();
  auto* b = new TList();
  list->AddObject(u"a", a);
  list->AddObject(u"b", b);
  list->Delete(0);
  EXPECT_EQ(freed, std::vector<TObject*>{a});
  list->Free();
  EXPECT_EQ(freed, (std::vector<TObject*>{a, b, list}));
  SetObjectDestroyObserver(previous);
}

}  // namespace
