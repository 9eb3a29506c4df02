// The field splitting rule and the choice of delimiter.
#include <gtest/gtest.h>

#include "partslist/FieldSplit.h"

namespace kav::partslist {
namespace {

using V = std::vector<std::string>;

TEST(Delimiter, TabWinsOverCommaAndNeitherMeansWholeLines) {
  EXPECT_EQ(ChooseDelimiter("a,b\tc"), '\t');
  EXPECT_EQ(ChooseDelimiter("a,b"), ',');
  EXPECT_EQ(ChooseDelimiter("品名 数量"), 0);
  EXPECT_EQ(ChooseDelimiter(""), 0);
}

TEST(FieldSplitting, PlainFieldsKeepTheirBlanksAndEmptyFieldsCount) {
  EXPECT_EQ(SplitFields("", '\t'), V{});
  EXPECT_EQ(SplitFields("a\t\tb", '\t'), (V{"a", "", "b"}));
  EXPECT_EQ(SplitFields("a,b,", ','), (V{"a", "b", ""}));
  EXPECT_EQ(SplitFields(" a , b ", ','), (V{" a ", " b "}));
  EXPECT_EQ(SplitFields("\t", '\t'), (V{"", ""}));
  EXPECT_EQ(SplitFields("\t\t", '\t'), (V{"", "", ""}));
  // Another delimiter inside a field is text.
  EXPECT_EQ(SplitFields("c\td,e", ','), (V{"c\td", "e"}));
}

TEST(FieldSplitting, QuotedFields) {
  EXPECT_EQ(SplitFields("\"x,y\",z", ','), (V{"x,y", "z"}));
  EXPECT_EQ(SplitFields("\"say \"\"hi\"\"\"\tb", '\t'), (V{"say \"hi\"", "b"}));
  // Without its closing quote the field runs to the end, delimiters included.
  EXPECT_EQ(SplitFields("\"a\tb\tc", '\t'), (V{"a\tb\tc"}));
  // Text after the closing quote becomes a field of its own.
  EXPECT_EQ(SplitFields("\"ab\"cd,e", ','), (V{"ab", "cd", "e"}));
  EXPECT_EQ(SplitFields("\"\"", ','), (V{""}));
  EXPECT_EQ(SplitFields("\"", ','), (V{""}));
  // A doubled quote at the very end is one quote, not the closing one.
  EXPECT_EQ(SplitFields("\"a\"\"", ','), (V{"a\""}));
  EXPECT_EQ(SplitFields("\"\"\"", ','), (V{"\""}));
  EXPECT_EQ(SplitFields("x\t\"a\"\"", '\t'), (V{"x", "a\""}));
  EXPECT_EQ(SplitFields("a,\"b,c\",", ','), (V{"a", "b,c", ""}));
  // A quote inside a field that did not begin with one is plain text.
  EXPECT_EQ(SplitFields("a\"b,c", ','), (V{"a\"b", "c"}));
}

TEST(FieldSplitting, BadBytesNeverStopTheSplit) {
  const std::string nul("a\0b\tc", 5);
  EXPECT_EQ(SplitFields(nul, '\t'), (V{std::string("a\0b", 3), "c"}));
  // No delimiter: NUL is never taken for one.
  EXPECT_EQ(SplitFields(std::string("\"a\"\0b", 5), 0), (V{"a", std::string("\0b", 2)}));
  const std::string wide(10000, '\t');
  EXPECT_EQ(SplitFields(wide, '\t').size(), 10001u);
}

}  // namespace
}  // namespace kav::partslist
