// TList: pointer list operations and errors.
#include <gtest/gtest.h>

#include <vector>

#include "host/core/Classes.h"

namespace {

int Values[6] = {0, 1, 2, 3, 4, 5};
void* P(int AIndex) { return &Values[AIndex]; }

std::vector<void*> Items(const TList& AList) {
  std::vector<void*> items;
  for (int i = 0; i < AList.GetCount(); ++i) items.push_back(AList.GetItems(i));
  return items;
}

TEST(List, AddInsertDeleteRemove) {
  TList list;
  EXPECT_EQ(list.Add(P(1)), 0);
  EXPECT_EQ(list.Add(P(3)), 1);
  list.Insert(1, P(2));
  list.Insert(0, P(0));
  EXPECT_EQ(Items(list), (std::vector<void*>{P(0), P(1), P(2), P(3)}));
  EXPECT_EQ(list.Remove(P(2)), 2);
  EXPECT_EQ(list.Remove(P(5)), -1);
  list.Delete(0);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(1), P(3)}));
  EXPECT_EQ(list.First(), P(1));
  EXPECT_EQ(list.Last(), P(3));
  EXPECT_EQ(list.IndexOf(P(3)), 1);
  EXPECT_EQ(list.Extract(P(1)), P(1));
  EXPECT_EQ(list.GetCount(), 1);
}

TEST(List, ExchangeMoveSortPack) {
  TList list;
  for (int i : {4, 1, 3, 0}) list.Add(P(i));
  list.Exchange(0, 3);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(0), P(1), P(3), P(4)}));
  list.Move(0, 3);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(1), P(3), P(4), P(0)}));
  list.Move(3, 1);
  EXPECT_EQ(Items(list), (std::vector<void*>{P(1), P(0), P(3), P(4)}));
  list.Sort([](void* a, void* b) { return *static_cast<int*>(b) - *static_cast<int*>(a); });
  EXPECT_EQ(Items(list), (std::vector<void*>{P(4), P(3), P(1), P(0)}));
  list.SetItems(1, nullptr);
  list.Add(nullptr);
  list.Pack();
  EXPECT_EQ(Items(list), (std::vector<void*>{P(4), P(1), P(0)}));
}

TEST(List, CountAndCapacity) {
  TList list;
  list.SetCapacity(10);
  EXPECT_EQ(list.GetCapacity(), 10);
  list.SetCount(3);
  EXPECT_EQ(Items(list), (std::vector<void*>{nullptr, nullptr, nullptr}));
  list.SetCount(1);
  EXPECT_EQ(list.GetCount(), 1);
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetCapacity(), 0);
}

TEST(List, BadArgumentsRaiseEListError) {
  TList list;
  list.Add(P(0));
  list.Add(P(1));
  struct Case {
    void (*Action)(TList&);
    const char16_t* Message;
  };
  const Case cases[] = {
      {[](TList& l) { l.GetItems(2); }, u"List index out of bounds (2)"},
      {[](TList& l) { l.Delete(-1); }, u"List index out of bounds (-1)"},
      {[](TList& l) { l.Insert(3, nullptr); }, u"List index out of bounds (3)"},
      {[](TList& l) { l.Exchange(0, 9); }, u"List index out of bounds (9)"},
      {[](TList& l) { l.Move(5, 0); }, u"List index out of bounds (5)"},
      {[](TList& l) { l.SetCapacity(1); }, u"List capacity out of bounds (1)"},
      {[](TList& l) { l.SetCount(-2); }, u"List count out of bounds (-2)"},
      {[](TList& l) {
         TList empty;
         empty.First();
       },
       u"List index out of bounds (0)"},
  };
  for (const Case& c : cases) {
    try {
      c.Action(list);
      ADD_FAILURE() << "no exception for " << StringToUtf8(c.Message);
    } catch (const ExceptionPtr& e) {
      EXPECT_TRUE(e->Is<EListError>());
      EXPECT_EQ(e->GetMessage(), c.Message);
    }
  }
  EXPECT_EQ(Items(list), (std::vector<void*>{P(0), P(1)}));
}

}  // namespace
