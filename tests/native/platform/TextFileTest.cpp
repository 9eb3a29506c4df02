// Reading and writing text files: encodings, line ends, and bad input that must not crash.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/TextFile.h"
#include "tests/support/Fakes.h"

namespace kav {
namespace {

using Lines = std::vector<std::string>;

class TextFileTest : public ::testing::Test {
 protected:
  test::TFakePlatform platform;
  TTextFile Decode(const std::string& bytes) { return DecodeTextFile(bytes, *platform.CodePage); }
};

TEST_F(TextFileTest, ByteOrderMarkChoosesTheEncodingAndIsNotText) {
  auto utf8 = Decode("\xEF\xBB\xBF品名\t数量\r\n");
  EXPECT_EQ(utf8.Encoding, TextEncoding::Utf8Bom);
  EXPECT_EQ(utf8.Lines, Lines{"品名\t数量"});
  auto le = Decode(std::string("\xFF\xFE\xC1\x54\x0D\x00\x0A\x00\x41\x00", 10));
  EXPECT_EQ(le.Encoding, TextEncoding::Utf16LE);
  EXPECT_EQ(le.Lines, (Lines{"品", "A"}));
  auto be = Decode(std::string("\xFE\xFF\x54\xC1\x00\x0A", 6));
  EXPECT_EQ(be.Encoding, TextEncoding::Utf16BE);
  EXPECT_EQ(be.Lines, Lines{"品"});
}

TEST_F(TextFileTest, WithoutAMarkValidUtf8IsUtf8AndTheRestTheAnsiCodePage) {
  auto utf8 = Decode("ボルト\n");
  EXPECT_EQ(utf8.Encoding, TextEncoding::Utf8);
  EXPECT_EQ(utf8.Lines, Lines{"ボルト"});
  auto sjis = Decode("\x83\x7B\x83\x8B\x83\x67\r\n");   // ボルト in code page 932
  EXPECT_EQ(sjis.Encoding, TextEncoding::Ansi);
  EXPECT_EQ(sjis.Lines, Lines{"ボルト"});
  auto ascii = Decode("plain\n");
  EXPECT_EQ(ascii.Encoding, TextEncoding::Ansi);
  auto kana = Decode("\xCE\xDE");   // half-width ﾎﾞ
  EXPECT_EQ(kana.Lines, Lines{"ﾎﾞ"});
}

TEST_F(TextFileTest, LinesEndAtCrLfOrCrLfWithoutAnEmptyLastLine) {
  EXPECT_EQ(SplitLines("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\n\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));   // LF then CR is two breaks
  EXPECT_TRUE(SplitLines("").empty());
}

TEST_F(TextFileTest, EveryEncodingRoundTripsWithCrLfAfterEveryLine) {
  const Lines lines = {"品名\t数量", "", "ボルト\t4"};
  for (auto encoding : {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf8Bom, TextEncoding::Utf16LE,
                        TextEncoding::Utf16BE}) {
    const std::string bytes = EncodeTextFile(lines, encoding, *platform.CodePage);
    const auto back = Decode(bytes);
    EXPECT_EQ(back.Lines, lines) << static_cast<int>(encoding);
    EXPECT_EQ(back.Encoding, encoding);
  }
  EXPECT_EQ(EncodeTextFile({"ボルト"}, TextEncoding::Ansi, *platform.CodePage), "\x83\x7B\x83\x8B\x83\x67\r\n");
  EXPECT_EQ(EncodeTextFile({"a", "b"}, TextEncoding::Utf8, *platform.CodePage), "a\r\nb\r\n");
}

TEST_F(TextFileTest, WritingNeverTurnsACharacterIntoAQuestionMark) {
  const ICodePage& cp = *platform.CodePage;
  // Text the file's encoding holds keeps it.
  const auto fits = EncodeTextFileKeepingText({"部品.tsv"}, TextEncoding::Ansi, TextEncoding::Utf16LE, cp);
  EXPECT_EQ(fits.Encoding, TextEncoding::Ansi);
  EXPECT_EQ(fits.Bytes, "\x95\x94\x95\x69.tsv\r\n");
  // A character code page 932 lacks: the whole text goes into the lossless form.
  for (auto lossless : {TextEncoding::Utf16LE, TextEncoding::Utf8Bom}) {
    const auto cafe = EncodeTextFileKeepingText({"[Combo1]", "Text=Café.tsv"}, TextEncoding::Ansi, lossless, cp);
    EXPECT_EQ(cafe.Encoding, lossless);
    const TTextFile back = Decode(cafe.Bytes);
    EXPECT_EQ(back.Encoding, lossless);
    EXPECT_EQ(back.Lines, (Lines{"[Combo1]", "Text=Café.tsv"}));
  }
  // Half-width ﾃｩ is C3 A9 in code page 932, which would read back as UTF-8 "é".
  const auto kana = EncodeKeepingText("ﾃｩ", TextEncoding::Ansi, TextEncoding::Utf8Bom, cp);
  EXPECT_EQ(kana.Encoding, TextEncoding::Utf8Bom);
  EXPECT_EQ(Decode(kana.Bytes).Lines, Lines{"ﾃｩ"});
  // A UTF-8 file without a mark whose text begins with U+FEFF would lose it on reading.
  const auto mark = EncodeKeepingText("\xEF\xBB\xBFx", TextEncoding::Utf8, TextEncoding::Utf8Bom, cp);
  EXPECT_EQ(mark.Encoding, TextEncoding::Utf8Bom);
  EXPECT_EQ(Decode(mark.Bytes).Lines, Lines{"\xEF\xBB\xBFx"});
  // Unicode forms hold everything and stay as they are.
  const auto be = EncodeKeepingText("Café 𠀋", TextEncoding::Utf16BE, TextEncoding::Utf8Bom, cp);
  EXPECT_EQ(be.Encoding, TextEncoding::Utf16BE);
  EXPECT_TRUE(FitsAnsi("ボルト ﾎﾞ", cp));
  EXPECT_FALSE(FitsAnsi("Café", cp));
}

TEST_F(TextFileTest, BadInputDecodesToSomethingDefined) {
  // Odd-length UTF-16: the last byte is dropped.
  EXPECT_EQ(Decode(std::string("\xFF\xFE\x41\x00\x42", 5)).Lines, Lines{"A"});
  // A lone surrogate becomes U+FFFD.
  EXPECT_EQ(Decode(std::string("\xFF\xFE\x00\xD8\x41\x00", 6)).Lines, Lines{"\xEF\xBF\xBD" "A"});
  // NUL bytes stay in the line.
  EXPECT_EQ(Decode(std::string("a\0b\n", 4)).Lines, Lines{std::string("a\0b", 3)});
  // An invalid code page 932 sequence does not stop the rest from being read.
  const auto broken = Decode("\x81\x20X\xFF\n\x83\x7B");
  ASSERT_EQ(broken.Lines.size(), 2u);
  EXPECT_NE(broken.Lines[0].find('X'), std::string::npos);
  EXPECT_EQ(broken.Lines[1], "ボ");
  EXPECT_TRUE(IsValidUtf8(broken.Lines[0]));
  // UTF-8 with a mark but broken bytes: replaced, valid afterwards.
  EXPECT_TRUE(IsValidUtf8(Decode("\xEF\xBB\xBF\xC3\x28\xE3\x81").Lines[0]));
  // Every byte value once.
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  for (const auto& line : Decode(all).Lines) EXPECT_TRUE(IsValidUtf8(line));
}

TEST(TextHelpers, TrimUpperCaseAndNumbers) {
  EXPECT_EQ(Trim("\t ボルト \x01"), "ボルト");
  EXPECT_EQ(Trim("\xE3\x80\x80x\xE3\x80\x80"), "\xE3\x80\x80x\xE3\x80\x80");   // U+3000 stays
  EXPECT_EQ(UpperAscii("bolt ｂ ä"), "BOLT ｂ ä");
  double v = 0;
  EXPECT_TRUE(TryParseNumber(" 2.5 ", v));
  EXPECT_EQ(v, 2.5);
  EXPECT_FALSE(TryParseNumber("abc", v));
  EXPECT_FALSE(TryParseNumber("1,5", v));
  EXPECT_FALSE(TryParseNumber("nan", v));
  EXPECT_EQ(NumberOr("", 5.0), 5.0);
  EXPECT_EQ(FormatFixed(12.25, 1), "12.2");
  EXPECT_EQ(FormatFixed(150, 1), "150.0");
  EXPECT_EQ(Utf16Length("a𠀋"), 3u);
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16("a𠀋品")), "a𠀋品");
}

TEST(TextHelpers, MendUtf8ReplacesOnlyWhatIsMalformed) {
  EXPECT_EQ(MendUtf8("a𠀋品\xEF\xBF\xBD"), "a𠀋品\xEF\xBF\xBD");   // a real U+FFFD stays one
  // A lone continuation byte, a cut-off sequence, an overlong and an encoded surrogate: each
  // malformed byte becomes one U+FFFD and what follows is kept.
  EXPECT_EQ(MendUtf8("\x80x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(MendUtf8("品\xE3\x81"), "品\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(MendUtf8("\xC0\xAFy"), "\xEF\xBF\xBD\xEF\xBF\xBDy");
  EXPECT_EQ(MendUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
  // The same as a trip through UTF-16, on every byte value.
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(MendUtf8(all), Utf16ToUtf8(Utf8ToUtf16(all)));
  EXPECT_TRUE(IsValidUtf8(MendUtf8(all)));
  std::string appended;
  for (char32_t cp : {U'A', U'é', U'品', U'𠀋'}) AppendUtf8(appended, cp);
  EXPECT_EQ(appended, "Aé品𠀋");
}

TEST(PathHelpers, SplitFoldersAndExtensions) {
  EXPECT_EQ(ExtractFileName("C:\\Tools\\部品.tsv"), "部品.tsv");
  EXPECT_EQ(ExtractFilePath("C:\\Tools\\部品.tsv"), "C:\\Tools\\");
  EXPECT_EQ(ExtractFilePath("name"), "");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\kaverolin.exe", ".ini"), "C:\\a.b\\kaverolin.ini");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\kaverolin", ".ini"), "C:\\a.b\\kaverolin.ini");
  EXPECT_TRUE(MatchesPattern("Parts.TSV", "*.tsv"));
  EXPECT_FALSE(MatchesPattern("Parts.tsvx", "*.tsv"));
  EXPECT_TRUE(MatchesPattern(".tsv", "*.tsv"));
  EXPECT_FALSE(MatchesPattern("tsv", "*.tsv"));
}

}  // namespace
}  // namespace kav
