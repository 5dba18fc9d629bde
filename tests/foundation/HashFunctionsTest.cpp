#include <gtest/gtest.h>

#include <string>

#include "engine/foundation/QelHashTable.h"

namespace {

struct TIntHashCase {
  std::uint32_t Key;
  std::uint32_t Expected;
};

// The first two are published; the others were computed apart from this code, with arbitrary
// precision integers masked to 32 bits after every step.
const TIntHashCase kIntHashCases[] = {
    {0, 0xFF83EF00u},           {1, 0xFF83CEE7u},           {42, 0xFFFE6123u},
    {0x12345678u, 0x41F1BF7Bu}, {0xFFFFFFFFu, 0x000021D6u},
};

void PrintTo(const TIntHashCase& c, std::ostream* out) { *out << "key " << c.Key; }

class IntHashTest : public testing::TestWithParam<TIntHashCase> {};

TEST_P(IntHashTest, PublishedValue) {
  EXPECT_EQ(static_cast<std::uint32_t>(TQelHashFunctions::IntHash(GetParam().Key)),
            GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Published, IntHashTest, testing::ValuesIn(kIntHashCases));

TEST(IntHashTest, IsUsableAtCompileTime) {
  static_assert(static_cast<std::uint32_t>(TQelHashFunctions::IntHash(0)) == 0xFF83EF00u);
}

TEST(PtrHashTest, HashesTheAddressLikeIntHash) {
  EXPECT_EQ(TQelHashFunctions::PtrHash(nullptr), TQelHashFunctions::IntHash(0));
  const auto low = reinterpret_cast<const void*>(std::uintptr_t{1});
  EXPECT_EQ(TQelHashFunctions::PtrHash(low), TQelHashFunctions::IntHash(1));
}

TEST(PtrHashTest, HighAddressBitsTakePart) {
  if constexpr (sizeof(void*) == 8) {
    const auto a = reinterpret_cast<const void*>(std::uintptr_t{0x1000});
    const auto b = reinterpret_cast<const void*>((std::uintptr_t{1} << 32) | 0x1000);
    EXPECT_NE(TQelHashFunctions::PtrHash(a), TQelHashFunctions::PtrHash(b));
  }
}

struct TStrHashCase {
  std::u16string Key;
  std::uint32_t Expected;
};

// "abc" is published; the others follow from h = 4h + c by hand: "a" = 97, "" = 0,
// "\xFFFF\xFFFF" = 4 * 65535 + 65535 = 327675.
const TStrHashCase kStrHashCases[] = {
    {u"abc", 2043},
    {u"a", 97},
    {u"", 0},
    {std::u16string(2, u'\xFFFF'), 327675},
};

void PrintTo(const TStrHashCase& c, std::ostream* out) {
  *out << '"';
  for (char16_t ch : c.Key.substr(0, 24)) *out << (ch < 128 ? char(ch) : '?');
  *out << (c.Key.size() > 24 ? "...\"" : "\"");
}

class StrHashTest : public testing::TestWithParam<TStrHashCase> {};

TEST_P(StrHashTest, Value) {
  EXPECT_EQ(static_cast<std::uint32_t>(TQelHashFunctions::StrHash(GetParam().Key)),
            GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Worked, StrHashTest, testing::ValuesIn(kStrHashCases));

struct TSharedTailCase {
  std::u16string A;
  std::u16string B;
};

const std::u16string kTail16 = u"0123456789ABCDEF";

const TSharedTailCase kSharedTailCases[] = {
    {u"x" + kTail16, u"y" + kTail16},
    {u"short" + kTail16, u"a much longer prefix" + kTail16},
    {kTail16, u"\xFFFF\xFFFF" + kTail16},
};

void PrintTo(const TSharedTailCase& c, std::ostream* out) {
  *out << c.A.size() << " and " << c.B.size() << " units";
}

class StrHashTailTest : public testing::TestWithParam<TSharedTailCase> {};

TEST_P(StrHashTailTest, OnlyTheLastSixteenCodeUnitsCount) {
  EXPECT_EQ(TQelHashFunctions::StrHash(GetParam().A), TQelHashFunctions::StrHash(GetParam().B));
}

INSTANTIATE_TEST_SUITE_P(SharedTail, StrHashTailTest, testing::ValuesIn(kSharedTailCases));

TEST(StrHashTest, SeventeenthFromLastDoesNotCountButSixteenthDoes) {
  const std::u16string tail15 = kTail16.substr(1);
  EXPECT_NE(TQelHashFunctions::StrHash(u"x" + tail15), TQelHashFunctions::StrHash(u"y" + tail15));
}

}  // namespace
