// The DXF writer: a drawing written and read back is the same drawing, for every kind and for
// texts that would break a file's lines; an independent reader (ezdxf) reads what we write
// without repairs and finds the same texts, references and attributes.
#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>

#include "DxfTestSupport.h"
#include "simcad/DxfWriter.h"

namespace kav::sim {
namespace {

using test::Contents;
using test::Read;

constexpr double kPi = std::numbers::pi;

int AddText(TDrawing& d, const std::string& text, double x, double y, int alignment, double rotation = 0, double width = 1) {
  TEntity e;
  e.Type = TEntityType::Text;
  e.Text.TextString = text;
  e.Text.Anchor = {x, y, 0};
  e.Text.Height = 2.5;
  e.Text.Alignment = alignment;
  e.Text.Rotation = rotation;
  e.Text.ScaleFactor = width;
  return d.Add(e);
}

// A drawing with every kind the writer knows, the strings a file must survive left out.
TDrawing EveryKind() {
  TDrawing d;
  TEntity line;
  line.Type = TEntityType::Line;
  line.Start = {0, 0, 0};
  line.End = {100.125, -3.5, 1};
  d.Add(line);
  TEntity frame;
  frame.Type = TEntityType::LwPolyline;
  frame.Coordinates = {0, 0, 190, 0, 190, 48, 0, 48};
  frame.Bulges = {0, 0.5, 0, -1};
  frame.Closed = true;
  d.Add(frame);
  for (int alignment = 0; alignment <= 14; ++alignment)
    AddText(d, "品名 " + std::to_string(alignment), 10.0 * alignment, 60, alignment, alignment * kPi / 12, alignment == 5 ? 0.8 : 1);

  // A title block with a frame, a label, attribute definitions and a nested mark.
  const int mark = d.AddBlockDefinition("MARK", {5, 5, 0});
  TEntity circle;
  circle.Type = TEntityType::Circle;
  circle.Center = {5, 5, 0};
  circle.Radius = 4;
  d.AddToBlock(mark, circle);
  const int title = d.AddBlockDefinition("TITLE", {0, 0, 0}, 2);
  d.AddToBlock(title, line);
  TEntity label;
  label.Type = TEntityType::Text;
  label.Text.TextString = "図番";
  label.Text.Anchor = {15, 8, 0};
  label.Text.Alignment = 10;
  d.AddToBlock(title, label);
  for (const std::string tag : {"TITLE", "DRAWING_NO"}) {
    TEntity definition;
    definition.Type = TEntityType::AttributeDefinition;
    definition.Tag = tag;
    definition.Prompt = tag;
    definition.Prompt += " は";
    definition.Text.TextString = std::string(1, '?');   // not a literal: mingw g++ 12 warns falsely (-Wrestrict)
    definition.Text.Anchor = {75, tag[0] == 'T' ? 24.0 : 8.0, 0};
    definition.Text.Alignment = 9;
    definition.Flags = tag[0] == 'T' ? 0 : 8;
    d.AddToBlock(title, definition);
  }
  TEntity nested;
  nested.Type = TEntityType::BlockReference;
  nested.BlockName = "MARK";
  nested.Center = {170, 5, 0};
  d.AddToBlock(title, nested);

  const int reference = d.AddBlock("TITLE", {200, 0, 0}, {"TITLE", "DRAWING_NO"}, {"ブラケット組立図", "K-2024-017"});
  d.Find(reference)->Insert = TBlockTransform{{0.5, 0.5, 1}, kPi / 2, 1, 1, 0, 0};
  d.Find(d.Find(reference)->Attributes[1])->Text.Alignment = 13;
  TEntity array;
  array.Type = TEntityType::BlockReference;
  array.BlockName = "MARK";
  array.Center = {200, 60, 0};
  array.Insert = TBlockTransform{{1, 1, 1}, 0, 3, 2, 15, 12};
  d.Add(array);

  TEntity arc;
  arc.Type = TEntityType::Arc;
  arc.Center = {250, 80, 0};
  arc.Radius = 10;
  arc.StartAngle = kPi / 6;
  arc.EndAngle = 3 * kPi / 2;
  d.Add(arc);
  d.Add(circle);
  TEntity note;
  note.Type = TEntityType::MText;
  std::string long_;
  for (int i = 0; i < 120; ++i) long_ += "注記";   // 720 bytes: parts cut between characters
  note.Text.TextString = "はめあい公差は\\PJIS B 0401 による " + long_;
  note.Text.Anchor = {200, 50, 0};
  note.Text.Height = 3;
  note.Text.Alignment = 6 + 4;
  note.Text.Rotation = kPi / 4;
  note.Width = 120;
  d.Add(note);
  TEntity polyline2d;
  polyline2d.Type = TEntityType::Polyline2d;
  polyline2d.Coordinates = {0, 0, 2, 4, 0, 2, 4, 4, 2};
  polyline2d.Bulges = {1, 0, 0};
  polyline2d.Closed = true;
  d.Add(polyline2d);
  TEntity polyline3d;
  polyline3d.Type = TEntityType::Polyline3d;
  polyline3d.Coordinates = {1, 2, 3, 4, 5, 6};
  d.Add(polyline3d);
  TEntity spline;
  spline.Type = TEntityType::Spline;
  spline.Coordinates = {0, 0, 0, 5, 5, 0, 10, 0, 0};
  d.Add(spline);
  TEntity definition;   // an attribute definition in model space
  definition.Type = TEntityType::AttributeDefinition;
  definition.Tag = "LOOSE";
  definition.Text.TextString = "default";
  definition.Text.Anchor = {0, -20, 0};
  d.Add(definition);
  return d;
}

std::string WrittenAndRead(const TDrawing& drawing, std::vector<std::string>& contents) {
  const std::string bytes = WriteDxf(drawing);
  contents = Contents(Read(bytes).Drawing);
  return bytes;
}

TEST(DxfWriter, EveryKindReadsBackAsItWasWritten) {
  const TDrawing drawing = EveryKind();
  std::vector<std::string> again;
  WrittenAndRead(drawing, again);
  EXPECT_EQ(again, Contents(drawing));

  // Our own drawings, read, written and read again; the kinds kept with their groups too.
  for (const char* path : {"tests/data/parts-list-ruled-932.dxf", "tests/data/text-table-r12.dxf", "tests/data/title-block-2007.dxf"}) {
    SCOPED_TRACE(path);
    const TDrawing first = Read(test::ReadBytes(test::SourcePath(path))).Drawing;
    WrittenAndRead(first, again);
    EXPECT_EQ(again, Contents(first));
  }
  const TDrawing kept = Read(test::EntitiesFile({
      {0, "HATCH"}, {100, "AcDbEntity"}, {100, "AcDbHatch"}, {10, "0"}, {20, "0"}, {2, "SOLID"}, {70, "1"},
      {0, "POINT"}, {10, "1"}, {20, "2"},   // from a file without subclass markers
      {0, "POLYLINE"}, {66, "1"}, {70, "64"}, {71, "3"}, {0, "VERTEX"}, {10, "1"}, {20, "1"}, {70, "192"}, {0, "SEQEND"}})).Drawing;
  WrittenAndRead(kept, again);
  EXPECT_EQ(again, Contents(kept));
}

TEST(DxfWriter, TextsThatWouldBreakTheFileReadBackUnchanged) {
  TDrawing drawing;
  const std::vector<std::string> texts{"",
                                       "   blanks kept   ",
                                       "tab\tline\nreturn\rend",
                                       "caret ^ and ^J as typed",
                                       "not an escape: \\U+0041 \\M+182A0 \\\\U+0042 \\",
                                       "  0\r\nEOF",
                                       "\xF0\x9F\x98\x80 beyond the BMP",
                                       std::string(10000, 'x') + "終"};
  for (std::size_t i = 0; i < texts.size(); ++i) AddText(drawing, texts[i], 0, 10.0 * static_cast<double>(i), static_cast<int>(i % 15));
  const int reference = drawing.AddBlock("B", {0, 0, 0}, {"TAG\tWITH TAB"}, {"value\nwith line"});
  drawing.AddBlockDefinition("B", {0, 0, 0});
  (void)reference;
  std::vector<std::string> again;
  const std::string bytes = WrittenAndRead(drawing, again);
  EXPECT_EQ(again, Contents(drawing));
  // No text breaks a line: the file's end is where the writer put it.
  const std::string end = "\n  0\r\nEOF\r\n";
  EXPECT_EQ(bytes.find(end), bytes.size() - end.size());
}

TEST(DxfWriter, ErasedEntitiesAreLeftOutAndEveryReferenceHasItsBlock) {
  TDrawing drawing;
  const int gone = AddText(drawing, "erased", 0, 0, 0);
  const int kept = AddText(drawing, "kept", 0, 0, 0);
  drawing.Erase(gone);
  const int reference = drawing.AddBlock("UNDEFINED", {1, 2, 0}, {"T"}, {"v"});
  const int erasedReference = drawing.AddBlock("OTHER", {0, 0, 0}, {"T"}, {"w"});
  drawing.Erase(erasedReference);
  const TDrawing again = Read(WriteDxf(drawing)).Drawing;
  ASSERT_EQ(again.TopLevel().size(), 2u);
  EXPECT_EQ(again.Find(again.TopLevel()[0])->Text.TextString, drawing.Find(kept)->Text.TextString);
  EXPECT_EQ(again.Find(again.TopLevel()[1])->BlockName, drawing.Find(reference)->BlockName);
  ASSERT_NE(again.FindBlock("UNDEFINED"), 0);   // an empty block for the reference
  EXPECT_TRUE(again.Block(again.FindBlock("UNDEFINED"))->Entities.empty());
}

TEST(DxfWriter, EzdxfReadsWhatWeWriteWithoutRepairs) {
#ifdef _WIN32
  GTEST_SKIP() << "ezdxf runs in the native build";
#endif
  std::vector<TDrawing> drawings;
  drawings.push_back(EveryKind());
  for (const char* path : {"tests/data/parts-list-ruled-932.dxf", "tests/data/text-table-r12.dxf", "tests/data/title-block-2007.dxf"})
    drawings.push_back(Read(test::ReadBytes(test::SourcePath(path))).Drawing);
  drawings.back().AddBlock("UNDEFINED", {1, 2, 0}, {"T"}, {"v"});
  const std::filesystem::path file = std::filesystem::temp_directory_path() / ("kav-dxf-writer-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".dxf");
  for (const TDrawing& drawing : drawings) {
    test::WriteBytes(file.string(), WriteDxf(drawing));
    std::string ezdxf;
    ASSERT_TRUE(test::EzdxfSummary(file.string(), "--values --strict", ezdxf)) << ezdxf;
    // The written file names one more block when a reference had none.
    TDrawing withBlocks = Read(test::ReadBytes(file.string())).Drawing;
    const std::string counts = test::Summary(withBlocks, false);
    EXPECT_EQ(ezdxf, counts + "AUDIT\t0\t0\n" + test::Summary(drawing, true).substr(test::Summary(drawing, false).size()));
  }
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace kav::sim
