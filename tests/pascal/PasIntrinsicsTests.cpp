// The intrinsics on the bare machine: each case runs a few statements and compares the printed
// lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/System.h"
#include "tests/pascal/PasScriptHost.h"
#include "tests/support/QelTestNames.h"

namespace {

struct TIntrinsicCase {
  const char* Name;
  const char* Body;  // statements of Main; Put(x) prints a line
  std::vector<std::string> Output;
  const char* Error = "";  // message that ends the run, if any
};

void PrintTo(const TIntrinsicCase& ACase, std::ostream* AOut) { *AOut << QelTestLabel(ACase.Body); }

class PasIntrinsics : public testing::TestWithParam<TIntrinsicCase> {};

TEST_P(PasIntrinsics, Runs) {
  const TIntrinsicCase& c = GetParam();
  const std::string source = std::string("procedure Put(x); begin MessageList.Lines.Add(x) end;\n") +
                             "procedure Main;\nvar x, y, a, b, c, i;\nbegin\n" + c.Body + "\nend;\n";
  const TPasRunResult result = RunPasScript(Utf8ToString(source));
  EXPECT_EQ(result.Output, c.Output);
  EXPECT_EQ(result.Error, c.Error);
}

const TIntrinsicCase kCases[] = {
    {"LengthOfText", "Put(Length('abc')); Put(Length('')); Put(Length(12345));", {"3", "0", "5"}},
    {"LengthOfArray", "a := array[2..5]; Put(Length(a)); Put(Low(a)); Put(High(a));",
     {"4", "2", "5"}},
    {"LengthOfDimension", "a := array[1..2, 0..4]; Put(Length(a, 2)); Put(Length(a, 1));",
     {"5", "2"}},
    {"LengthCounts", "Put(Length('a', 1));", {}, "Invalid argument count"},
    {"LowOfText", "Put(Low('abc'));", {}, "Low can be applied only to an array"},
    {"HighOfNumber", "Put(High(5));", {}, "High can be applied only to an array"},
    {"CopyText", "Put(Copy('abcdef', 2, 3)); Put('[' + Copy('abcdef', 7, 1) + ']');"
                 "Put(Copy('abcdef', -1, 2)); Put(Copy('abc', 2, 99));",
     {"bcd", "[]", "ab", "bc"}},
    {"CopyArray",
     "a := array[9]; for i := 0 to 9 do a[i] := i * 10; b := Copy(a, 8, 5);"
     "Put(Low(b)); Put(High(b)); Put(b[0]); Put(b[1]);",
     {"0", "1", "80", "90"}},
    {"CopyTypedArrayFromBelowLow",
     "a := array[2..5] of Integer; for i := 2 to 5 do a[i] := i; b := Copy(a, 0, 2);"
     "Put(High(b)); Put(b[0] + b[1]);",
     {"1", "5"}},
    {"CopyArrayPastEnd", "a := array[9]; Put(Assigned(Copy(a, 20, 1)));", {"False"}},
    {"FormatAlone", "Put(Format('100%'));", {"100%"}},
    {"FormatArguments", "Put(Format('%d-%s', 1, 'x'));", {"1-x"}},
    {"FormatArray", "a := array[1]; a[0] := 1; a[1] := 'x'; Put(Format('%d-%s', a));", {"1-x"}},
    {"FormatNoArguments", "Put(Format);", {}, "Invalid argument count"},
    {"CreateOleObjectUnknownProgId", "x := CreateOleObject('Qel.NoSuchClass');", {}, "Invalid class string"},
    {"GetActiveOleObjectUnknownProgId", "x := GetActiveOleObject('Qel.NoSuchClass');", {}, "Invalid class string"},
    {"RandomRange", "x := Random(10); Put((x >= 0) and (x < 10) and (Int(x) = x));", {"True"}},
    {"RandomReal", "x := Random; Put((x >= 0) and (x < 1));", {"True"}},
    {"RandomCounts", "x := Random(1, 2);", {}, "Invalid argument count"},
    {"DateIsConstant", "x := Date();", {}, "Invalid type cast or type mismatch"},
    {"DateAtMidnight", "Put(Frac(Date) = 0);", {"True"}},
    {"IncMonthCounts", "x := IncMonth(1, 2, 3);", {}, "Invalid argument count"},
    {"IncMonth", "Put(IncMonth(EncodeDate(2024, 1, 31)) = EncodeDate(2024, 2, 29));", {"True"}},
    {"InsertDelete",
     "a := 'ad'; Insert('bc', a, 2); Put(a); Delete(a, 2, 2); Put(a); Insert('x', 5, 1);",
     {"abcd", "ad"}},
    {"OrdChr", "Put(Ord('A')); Put(Ord('')); Put(Ord(7)); Put(Chr(65 + 65536));",
     {"65", "0", "7", "A"}},
    {"PosInt", "Put(Pos('cd', 'abcdef')); Put(Pos('', 'a')); Put(Int(-2.5)); Put(Odd(-3));",
     {"3", "0", "-2", "True"}},
    {"IncludeHighBit", "x := 0; Include(x, 35); Put(x); Include(x, 31); Put(x < 0);",
     {"8", "True"}},
    {"IncDecThroughReference", "x := 1; Inc(x, 5); Dec(x); Inc(3); Put(x);", {"5"}},
    {"RoundTrunc", "Put(Round(2.5)); Put(Round(-3.5)); Put(Trunc(-2.7)); Put(Sqr(-3));",
     {"2", "-4", "-2", "9"}},
    {"NullText", "Put(UpperCase(Null));", {}, "Invalid variant type conversion"},
};

INSTANTIATE_TEST_SUITE_P(Table, PasIntrinsics, testing::ValuesIn(kCases),
                         [](const auto& AInfo) { return std::string(AInfo.param.Name); });

}  // namespace
