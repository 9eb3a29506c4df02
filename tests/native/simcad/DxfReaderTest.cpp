// The DXF reader on the cases real files bring: every justification, object coordinate
// systems, escapes and code pages, untidy structure, blocks and sequences, and files that are
// not DXF, are empty or are cut short.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "DxfTestSupport.h"
#include "platform/CodePage.h"

namespace kav::sim {
namespace {

using test::EntitiesFile;
using test::Read;
using test::TGroup;

constexpr double kPi = std::numbers::pi;

// The entities of model space in order.
std::vector<const TEntity*> ModelSpace(const TDxfDrawing& file) {
  std::vector<const TEntity*> entities;
  for (int id : file.Drawing.TopLevel()) entities.push_back(file.Drawing.Find(id));
  return entities;
}

// A copy, so that it outlives a drawing read in the same expression.
TEntity Only(const TDxfDrawing& file) {
  const auto entities = ModelSpace(file);
  if (entities.size() != 1) throw std::runtime_error("expected one entity, found " + std::to_string(entities.size()));
  return *entities[0];
}

void ExpectPoint(const TPoint& actual, double x, double y, double z = 0) {
  EXPECT_NEAR(actual.X, x, 1e-9);
  EXPECT_NEAR(actual.Y, y, 1e-9);
  EXPECT_NEAR(actual.Z, z, 1e-9);
}

std::vector<TGroup> Text(const std::string& text, std::vector<TGroup> more = {}) {
  std::vector<TGroup> groups{{0, "TEXT"}, {8, "0"}, {10, "1"}, {20, "2"}, {30, "0"}, {40, "2.5"}, {1, text}};
  groups.insert(groups.end(), more.begin(), more.end());
  return groups;
}

// The line named by a reading that fails, and its message.
std::size_t FailingLine(const std::string& bytes, std::string* message = nullptr) {
  try {
    Read(bytes);
  } catch (const TDxfError& e) {
    if (message != nullptr) *message = e.what();
    EXPECT_EQ(std::string(e.what()).rfind("line " + std::to_string(e.Line()) + ": ", 0), 0u) << e.what();
    return e.Line();
  }
  ADD_FAILURE() << "the file was read without an error";
  return 0;
}

TEST(DxfReader, EveryJustificationGivesItsAlignmentCodeAndAnchor) {
  // 72 (horizontal) by 73 (vertical): the fifteen codes; Aligned, Middle and Fit ignore 73.
  const int expected[6][4] = {{0, 12, 9, 6}, {1, 13, 10, 7}, {2, 14, 11, 8}, {3, 3, 3, 3}, {4, 4, 4, 4}, {5, 5, 5, 5}};
  for (int h = 0; h <= 5; ++h) {
    for (int v = 0; v <= 3; ++v) {
      const auto file = Read(EntitiesFile(Text("T", {{72, std::to_string(h)}, {11, "30"}, {21, "40"}, {31, "0"},
                                                      {100, "AcDbText"}, {73, std::to_string(v)}})));
      const TEntity& text = Only(file);
      SCOPED_TRACE("72=" + std::to_string(h) + " 73=" + std::to_string(v));
      EXPECT_EQ(text.Text.Alignment, expected[h][v]);
      if (expected[h][v] == 0) ExpectPoint(text.Text.Anchor, 1, 2);   // left: the insertion point
      else ExpectPoint(text.Text.Anchor, 30, 40);                     // otherwise the alignment point
    }
  }
  // Values no CAD writes are read as left alignment; a justified text without an alignment
  // point keeps its insertion point.
  EXPECT_EQ(Only(Read(EntitiesFile(Text("T", {{72, "9"}, {73, "-1"}, {11, "30"}, {21, "40"}})))).Text.Alignment, 0);
  const TEntity& lone = Only(Read(EntitiesFile(Text("T", {{72, "2"}}))));
  EXPECT_EQ(lone.Text.Alignment, 2);
  ExpectPoint(lone.Text.Anchor, 1, 2);

  // Attributes: 73 is the field length, 74 the vertical justification.
  const auto file = Read(EntitiesFile({{0, "INSERT"}, {66, "1"}, {2, "B"}, {10, "0"}, {20, "0"},
                                       {0, "ATTRIB"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, "V"}, {2, "TAG"},
                                       {72, "1"}, {73, "12"}, {74, "2"}, {11, "7"}, {21, "8"},
                                       {0, "SEQEND"}}));
  const TEntity& attribute = *file.Drawing.Find(Only(file).Attributes.at(0));
  EXPECT_EQ(attribute.Text.Alignment, 10);
  ExpectPoint(attribute.Text.Anchor, 7, 8);
}

TEST(DxfReader, PointsOfAnObjectCoordinateSystemArePutIntoTheWorld) {
  // Extrusion 0,0,-1 (a mirrored drawing): x turns round, angles run the other way.
  const TEntity& text = Only(Read(EntitiesFile(Text("T", {{50, "30"}, {210, "0"}, {220, "0"}, {230, "-1"}}))));
  ExpectPoint(text.Text.Anchor, -1, 2);
  EXPECT_NEAR(text.Text.Rotation, kPi - kPi / 6, 1e-12);
  const TEntity& centred = Only(Read(EntitiesFile(Text("T", {{72, "1"}, {11, "5"}, {21, "6"}, {31, "7"}, {210, "0"}, {220, "0"}, {230, "-1"}}))));
  ExpectPoint(centred.Text.Anchor, -5, 6, -7);
  // Extrusion 1,0,0: the system's x axis is the world's y, its y the world's z.
  ExpectPoint(Only(Read(EntitiesFile(Text("T", {{210, "1"}, {220, "0"}, {230, "0"}})))).Text.Anchor, 0, 1, 2);
  // An extrusion given as 0,0,1 or as nothing usable changes nothing.
  ExpectPoint(Only(Read(EntitiesFile(Text("T", {{210, "0"}, {220, "0"}, {230, "1"}})))).Text.Anchor, 1, 2);
  ExpectPoint(Only(Read(EntitiesFile(Text("T", {{210, "0"}, {220, "0"}, {230, "0"}})))).Text.Anchor, 1, 2);

  const std::vector<TGroup> down{{210, "0"}, {220, "0"}, {230, "-1"}};
  std::vector<TGroup> arc{{0, "ARC"}, {10, "10"}, {20, "0"}, {40, "5"}, {50, "0"}, {51, "90"}};
  arc.insert(arc.end(), down.begin(), down.end());
  const TEntity& a = Only(Read(EntitiesFile(arc)));
  ExpectPoint(a.Center, -10, 0);
  EXPECT_NEAR(a.StartAngle, kPi / 2, 1e-12);   // counter-clockwise in the world from 90° to 180°
  EXPECT_NEAR(a.EndAngle, kPi, 1e-12);

  std::vector<TGroup> polyline{{0, "LWPOLYLINE"}, {90, "2"}, {70, "1"}, {38, "3"}, {10, "1"}, {20, "2"}, {42, "0.5"}, {10, "4"}, {20, "5"}};
  polyline.insert(polyline.end(), down.begin(), down.end());
  const TEntity& p = Only(Read(EntitiesFile(polyline)));
  EXPECT_EQ(p.Coordinates, (std::vector<double>{-1, 2, -4, 5}));
  EXPECT_EQ(p.Bulges, (std::vector<double>{-0.5, 0}));
  EXPECT_TRUE(p.Closed);

  std::vector<TGroup> insert{{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "20"}, {41, "2"}, {42, "3"}, {50, "0"}};
  insert.insert(insert.end(), down.begin(), down.end());
  const TEntity& reference = Only(Read(EntitiesFile(insert)));
  ExpectPoint(reference.Center, -10, 20);
  EXPECT_NEAR(std::fabs(reference.Insert.Rotation), kPi, 1e-12);   // turned half round and mirrored:
  EXPECT_EQ(reference.Insert.Scale.X, 2);                          // the block's x runs to the left
  EXPECT_EQ(reference.Insert.Scale.Y, -3);
}

TEST(DxfReader, EscapesAndCaretsAreUndone) {
  auto text = [](const std::string& raw, const std::string& version = "AC1021") {
    return Only(Read(EntitiesFile(Text(raw), version))).Text.TextString;
  };
  EXPECT_EQ(text("\\U+65E5\\U+672C \\U+010dita"), "日本 čita");   // upper- and lower-case hex digits
  EXPECT_EQ(text("\\U+D83D\\U+DE00!"), "\xF0\x9F\x98\x80!");        // a surrogate pair is one character
  EXPECT_EQ(text("\\U+D83Dx \\U+0000"), "\xEF\xBF\xBDx \xEF\xBF\xBD");  // a lone half and NUL are replaced
  EXPECT_EQ(text("\\U+12 \\U+XYZW \\"), "\\U+12 \\U+XYZW \\");     // not escapes: kept as they stand
  EXPECT_EQ(text("a^Ib^Jc^ d x^2 ^"), "a\tb\nc^d x^2 ^");   // "^ " is a caret
  // A Shift-JIS character in the escape of older files; another code page's is kept as it stands.
  EXPECT_EQ(text("\\M+182A0 \\M+582A0", "AC1015"), "あ \\M+582A0");
  // In MTEXT a doubled backslash is a backslash of the text, not the start of an escape.
  const auto mtext = Read(EntitiesFile({{0, "MTEXT"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, "\\\\U+0041 \\U+0041\\P"}}));
  EXPECT_EQ(Only(mtext).Text.TextString, "\\\\U+0041 A\\P");
}

TEST(DxfReader, StringsAreReadInTheCodePageTheFileNames) {
  const std::string sjis = "\x95\x69\x96\xBC";   // 品名 in Shift-JIS
  auto read = [&](const std::string& raw, const std::string& version, const std::string& codePage) {
    const auto file = Read(EntitiesFile(Text(raw), version, codePage));
    return std::make_pair(Only(file).Text.TextString, file.Encoding);
  };
  EXPECT_EQ(read(sjis, "AC1015", "ANSI_932"), std::make_pair(std::string("品名"), std::string("code page 932")));
  // Code page 1252 on a Japanese system: our own table, not the system's code page.
  EXPECT_EQ(read("\xD8\x38 \x80 \xE9", "AC1009", "ANSI_1252"), std::make_pair(std::string("Ø8 € é"), std::string("code page 1252")));
  // No code page at all, or one not at hand: the system's ANSI code page.
  EXPECT_EQ(read(sjis, "", ""), std::make_pair(std::string("品名"), std::string("code page 932")));
  EXPECT_EQ(read(sjis, "AC1012", "ANSI_1251").first, "品名");
  // From AutoCAD 2007 on the strings are UTF-8 whatever the header says; bytes that are not
  // UTF-8 become U+FFFD and nothing fails.
  EXPECT_EQ(read("品名", "AC1021", "ANSI_932"), std::make_pair(std::string("品名"), std::string("UTF-8")));
  EXPECT_EQ(read("a\xFF" "b", "AC1032", "ANSI_1252").first, "a\xEF\xBF\xBD" "b");

  // A system with another ANSI code page reads code page 932 through the one it is given.
  const auto cp932 = test::MakeCodePage932();
  const TDxfCodePages western{nullptr, cp932.get()};
  const auto file = ReadDxf(EntitiesFile(Text(sjis + " \xD8"), "AC1015", "ANSI_932"), western);
  EXPECT_EQ(Only(file).Text.TextString, "品名 \xEF\xBE\x98");   // 0xD8 is a half-width katakana in 932
  EXPECT_EQ(Only(ReadDxf(EntitiesFile(Text("\xD8"), "", ""), western)).Text.TextString, "Ø");   // its own ANSI: 1252
}

TEST(DxfReader, UntidyFilesOpen) {
  // AutoCAD R12 without handles and without a header; CR LF, blanks around codes and values,
  // a byte-order mark, comments, no EOF at the end.
  const std::string r12 = "\xEF\xBB\xBF" "999\r\nmade by hand\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0 \r\nLINE\r\n"
                          "  8\r\n0\r\n 10\r\n 1.5 \r\n 20\r\n+2\r\n 11\r\n3.\r\n 21\r\n.5e1\r\n  0\r\nENDSEC\r\n";
  const TEntity& line = Only(Read(r12));
  ExpectPoint(line.Start, 1.5, 2);
  ExpectPoint(line.End, 3, 5);

  // Sections out of order: the header after the entities still decides the code page. Between
  // sections a stray ENDSEC and header variables whose section start is lost; a malformed
  // table (records without their TABLE); a section whose ENDSEC is missing.
  const std::string untidy = test::DxfOf({
      {0, "SECTION"}, {2, "ENTITIES"}, {0, "TEXT"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, "\xD8"}, {0, "ENDSEC"},
      {0, "ENDSEC"}, {9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "TABLES"}, {0, "TABLE"}, {2, "LAYER"}, {0, "ENDTAB"}, {0, "BLOCK_RECORD"}, {5, "1F"},
      {2, "*Model_Space"}, {0, "ENDTAB"}, {0, "ENDTAB"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "OBJECTS"}, {0, "DICTIONARY"}, {5, "C"},
      {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}, {0, "ENDSEC"},
      {0, "SECTION"}, {0, "ENDSEC"},   // a section without a name
      {0, "EOF"}, {0, "anything after the end"}});
  const auto file = Read(untidy);
  EXPECT_EQ(Only(file).Text.TextString, "Ø");
  EXPECT_EQ(file.Version, "AC1015");
}

TEST(DxfReader, FilesThatAreNotDrawingsGiveAnErrorNamingTheLine) {
  std::string message;
  EXPECT_EQ(FailingLine("", &message), 1u);
  EXPECT_NE(message.find("empty"), std::string::npos);
  EXPECT_EQ(FailingLine(" \r\n\r\n\t"), 1u);
  EXPECT_EQ(FailingLine("品番\t品名\r\n1\tボルト\r\n", &message), 1u);
  EXPECT_NE(message.find("not a DXF file"), std::string::npos);
  EXPECT_EQ(FailingLine("AutoCAD Binary DXF\r\n\x1a", &message), 1u);
  EXPECT_NE(message.find("binary"), std::string::npos);
  EXPECT_EQ(FailingLine("  0\nLINE\n 10\n1\n"), 1u);   // no section
  EXPECT_EQ(FailingLine("  0\nSECTION\n  2\nENTITIES\n  1.5\nx\n", &message), 5u);
  EXPECT_NE(message.find("group code"), std::string::npos);

  // Cut short: in the middle of a pair, and after a whole entity inside its section.
  const std::string whole = EntitiesFile(Text("T"));
  const std::string cut = whole.substr(0, whole.find("  1\nT\n") + 4);   // ends after the code of the text
  EXPECT_EQ(FailingLine(cut, &message), 17u);
  EXPECT_NE(message.find("cut short"), std::string::npos);
  const std::string open = whole.substr(0, whole.find("  0\nENDSEC"));
  EXPECT_EQ(FailingLine(open, &message), 18u);
  EXPECT_NE(message.find("ENTITIES section that begins at line 1"), std::string::npos) << message;

  // A value that does not fit its group names the value's line.
  EXPECT_EQ(FailingLine(EntitiesFile({{0, "LINE"}, {10, "1,5"}}), &message), 8u);
  EXPECT_NE(message.find("\"1,5\""), std::string::npos);
  EXPECT_EQ(FailingLine(EntitiesFile({{0, "LINE"}, {20, "nan"}})), 8u);
  EXPECT_EQ(FailingLine(EntitiesFile({{0, "TEXT"}, {72, "centre"}})), 8u);
}

TEST(DxfReader, BlocksReferencesAndSequences) {
  const std::string bytes = test::DxfOf({
      {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1032"}, {0, "ENDSEC"},
      {0, "SECTION"}, {2, "BLOCKS"},
      {0, "BLOCK"}, {2, "*Model_Space"}, {0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}, {0, "ENDBLK"},
      {0, "BLOCK"}, {2, "TB"}, {70, "2"}, {10, "5"}, {20, "6"}, {30, "0"},
      {0, "LINE"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"},
      {0, "TEXT"}, {10, "1"}, {20, "1"}, {40, "2"}, {1, "図番"},
      {0, "ATTDEF"}, {10, "1"}, {20, "5"}, {40, "2"}, {1, "?"}, {3, "図番は"}, {2, "NO"}, {70, "0"},
      {0, "INSERT"}, {66, "1"}, {2, "INNER"}, {10, "3"}, {20, "3"},
      {0, "ATTRIB"}, {10, "3"}, {20, "3"}, {40, "1"}, {1, "inner value"}, {2, "IN"}, {0, "SEQEND"},
      {0, "ENDBLK"},
      {0, "BLOCK"}, {2, "tb"}, {0, "CIRCLE"}, {10, "0"}, {20, "0"}, {40, "1"}, {0, "ENDBLK"},   // the same name again
      {0, "BLOCK"}, {2, "INNER"}, {0, "ENDBLK"},
      {0, "ENDSEC"},
      {0, "SECTION"}, {2, "ENTITIES"},
      {0, "INSERT"}, {66, "1"}, {2, "TB"}, {10, "100"}, {20, "0"}, {41, "2"}, {42, "2"}, {50, "90"},
      {0, "ATTRIB"}, {10, "90"}, {20, "2"}, {40, "4"}, {1, "K-1"}, {2, "NO"},
      {101, "Embedded Object"}, {10, "999"}, {1, "not the value"},   // the multiline form of newer files
      {0, "ATTRIB"}, {10, "90"}, {20, "8"}, {40, "4"}, {1, "x"}, {2, "SECOND"},
      {0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "0"},   // SEQEND left out
      {0, "ATTRIB"}, {1, "orphan"}, {2, "X"}, {0, "VERTEX"}, {10, "0"}, {20, "0"}, {0, "SEQEND"},
      {0, "INSERT"}, {2, "TB"}, {10, "0"}, {20, "0"}, {70, "3"}, {71, "2"}, {44, "20"}, {45, "-10"},
      {0, "INSERT"}, {66, "1"}, {67, "1"}, {2, "TB"}, {10, "0"}, {20, "0"},   // paper space, with its attribute
      {0, "ATTRIB"}, {1, "paper"}, {2, "NO"}, {0, "SEQEND"},
      {0, "POLYLINE"}, {66, "1"}, {10, "0"}, {20, "0"}, {30, "2"}, {70, "1"},
      {0, "VERTEX"}, {10, "0"}, {20, "0"}, {42, "1"}, {0, "VERTEX"}, {10, "4"}, {20, "0"},
      {0, "VERTEX"}, {10, "9"}, {20, "9"}, {70, "16"}, {0, "SEQEND"},   // a frame control point: not on the curve
      {0, "POLYLINE"}, {66, "1"}, {70, "8"}, {0, "VERTEX"}, {10, "1"}, {20, "2"}, {30, "3"}, {70, "32"}, {0, "SEQEND"},
      {0, "POLYLINE"}, {66, "1"}, {70, "64"}, {71, "3"}, {72, "1"},
      {0, "VERTEX"}, {10, "0"}, {20, "0"}, {70, "192"}, {0, "SEQEND"},
      {0, "SPLINE"}, {100, "AcDbSpline"}, {70, "8"}, {71, "3"}, {74, "2"}, {11, "0"}, {21, "0"}, {31, "0"}, {11, "5"}, {21, "5"}, {31, "0"},
      {0, "MTEXT"}, {10, "1"}, {20, "1"}, {40, "2.5"}, {71, "5"}, {3, "first part "}, {1, "last part"}, {50, "90"},
      {0, "HATCH"}, {5, "2A"}, {330, "1F"}, {100, "AcDbEntity"}, {8, "walls"}, {100, "AcDbHatch"}, {10, "0"}, {20, "0"},
      {2, "SOLID"}, {70, "1"}, {102, "{ACAD_REACTORS"}, {330, "3"}, {102, "}"}, {1001, "APP"}, {1000, "x"},
      {0, "ENDSEC"}, {0, "EOF"}});
  const auto file = Read(bytes);
  const TDrawing& drawing = file.Drawing;
  ASSERT_EQ(drawing.Blocks().size(), 2u);   // TB and INNER; model space and the second "tb" are not blocks
  const TBlockDefinition& tb = *drawing.Block(drawing.FindBlock("TB"));
  ExpectPoint(tb.Base, 5, 6);
  EXPECT_EQ(tb.Flags, 2);
  std::vector<std::string> kinds;
  for (int id : tb.Entities) kinds.push_back(EntityNameOf(*drawing.Find(id)));
  EXPECT_EQ(kinds, (std::vector<std::string>{"AcDbLine", "AcDbText", "AcDbAttributeDefinition", "AcDbBlockReference"}));
  const TEntity& definition = *drawing.Find(tb.Entities[2]);
  EXPECT_EQ(definition.Tag, "NO");
  EXPECT_EQ(definition.Prompt, "図番は");
  EXPECT_EQ(drawing.Find(drawing.Find(tb.Entities[3])->Attributes.at(0))->Text.TextString, "inner value");

  const auto entities = ModelSpace(file);
  ASSERT_EQ(entities.size(), 9u);
  const TEntity& reference = *entities[0];
  EXPECT_NEAR(reference.Insert.Rotation, kPi / 2, 1e-12);
  EXPECT_EQ(reference.Insert.Scale, (TPoint{2, 2, 1}));
  ASSERT_EQ(reference.Attributes.size(), 2u);
  const TEntity& value = *drawing.Find(reference.Attributes[0]);
  EXPECT_EQ(value.Text.TextString, "K-1");
  ExpectPoint(value.Text.Anchor, 90, 2);
  EXPECT_EQ(value.Owner, reference.Id);
  EXPECT_EQ(entities[1]->Type, TEntityType::Line);
  EXPECT_TRUE(entities[1]->Attributes.empty());

  const TEntity& array = *entities[2];
  EXPECT_EQ(EntityNameOf(array), "AcDbMInsertBlock");
  EXPECT_EQ(array.Insert, (TBlockTransform{{1, 1, 1}, 0, 3, 2, 20, -10}));
  EXPECT_EQ(file.PaperSpaceSkipped, 1);

  EXPECT_EQ(entities[3]->Type, TEntityType::Polyline2d);
  EXPECT_EQ(entities[3]->Coordinates, (std::vector<double>{0, 0, 2, 4, 0, 2}));
  EXPECT_EQ(entities[3]->Bulges, (std::vector<double>{1, 0}));
  EXPECT_TRUE(entities[3]->Closed);
  EXPECT_EQ(entities[4]->Type, TEntityType::Polyline3d);
  EXPECT_EQ(entities[4]->Coordinates, (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(EntityNameOf(*entities[5]), "AcDbPolyFaceMesh");
  EXPECT_EQ(DxfNameOf(*entities[5]), "POLYLINE");
  int vertices = 0, ends = 0;
  for (const TRawGroup& g : entities[5]->Groups) {
    vertices += g == TRawGroup{0, "VERTEX"};
    ends += g == TRawGroup{0, "SEQEND"};
  }
  EXPECT_EQ(vertices, 1);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(entities[6]->Type, TEntityType::Spline);
  EXPECT_EQ(entities[6]->Coordinates, (std::vector<double>{0, 0, 0, 5, 5, 0}));
  const TEntity& mtext = *entities[7];
  EXPECT_EQ(mtext.Text.TextString, "first part last part");
  EXPECT_EQ(mtext.Text.Alignment, 10);   // attachment 5, middle centre
  EXPECT_NEAR(mtext.Text.Rotation, kPi / 2, 1e-12);
  // A kind the drawing does not take apart keeps its groups, without handles, owners,
  // reactors, layer and extended data, which a saved file could not carry over.
  const TEntity& hatch = *entities[8];
  EXPECT_EQ(EntityNameOf(hatch), "AcDbHatch");
  EXPECT_EQ(hatch.Groups, (std::vector<TRawGroup>{{100, "AcDbEntity"}, {100, "AcDbHatch"}, {10, "0"}, {20, "0"}, {2, "SOLID"}, {70, "1"}}));
}

}  // namespace
}  // namespace kav::sim
