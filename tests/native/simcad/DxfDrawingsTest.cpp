// Whole drawings: our own in tests/data read as a person reads them, and compared with an
// independent reader (ezdxf); every drawing made by others in ../shared/dxf opens and has the
// model-space entities ezdxf finds there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "DxfTestSupport.h"

namespace kav::sim {
namespace {

using test::Read;
using test::ReadBytes;
using test::SourcePath;

// The first TEXT of model space with this string (and this alignment, unless -1).
const TEntity* FindText(const TDrawing& drawing, const std::string& text, int alignment = -1) {
  for (int id : drawing.TopLevel())
    if (const TEntity* e = drawing.Find(id); e->Type == TEntityType::Text && e->Text.TextString == text &&
                                             (alignment < 0 || e->Text.Alignment == alignment))
      return e;
  return nullptr;
}

void ExpectAnchor(const TEntity* text, double x, double y, int alignment) {
  ASSERT_NE(text, nullptr);
  SCOPED_TRACE(text->Text.TextString);
  EXPECT_NEAR(text->Text.Anchor.X, x, 1e-9);
  EXPECT_NEAR(text->Text.Anchor.Y, y, 1e-9);
  EXPECT_EQ(text->Text.Alignment, alignment);
}

std::vector<std::string> OurDrawings() {
  return {"tests/data/parts-list-ruled-932.dxf", "tests/data/text-table-r12.dxf", "tests/data/title-block-2007.dxf",
          "tests/data/demo-drawing.dxf"};
}

TEST(DxfDrawings, TheRuledPartsListInCodePage932) {
  const auto file = Read(ReadBytes(SourcePath("tests/data/parts-list-ruled-932.dxf")));
  EXPECT_EQ(file.Version, "AC1015");
  EXPECT_EQ(file.Encoding, "code page 932");
  const TDrawing& d = file.Drawing;
  EXPECT_EQ(test::Summary(d, false), "COUNT\tLINE\t9\nCOUNT\tLWPOLYLINE\t1\nCOUNT\tTEXT\t28\nATTRIB\t0\nBLOCKS\t0\n");
  const TEntity& frame = *d.Find(d.TopLevel()[0]);
  EXPECT_TRUE(frame.Closed);
  EXPECT_EQ(frame.Coordinates, (std::vector<double>{0, 0, 190, 0, 190, 48, 0, 48}));
  // The title row centred in its cells; names left-aligned and counts right-aligned in theirs.
  ExpectAnchor(FindText(d, "品番"), 10, 44, 10);
  ExpectAnchor(FindText(d, "備考"), 170, 44, 10);
  ExpectAnchor(FindText(d, "六角ボルト M8x20"), 22, 36, 9);
  ExpectAnchor(FindText(d, "スペーサー φ10"), 22, 4, 9);
  ExpectAnchor(FindText(d, "三価クロメート"), 152, 36, 9);
  ExpectAnchor(FindText(d, "2", 11), 148, 20, 11);   // the count of the brackets
}

TEST(DxfDrawings, TheTextTableOfAutoCadR12) {
  const auto file = Read(ReadBytes(SourcePath("tests/data/text-table-r12.dxf")));
  EXPECT_EQ(file.Version, "AC1009");
  EXPECT_EQ(file.Encoding, "code page 1252");   // on a Japanese system
  const TDrawing& d = file.Drawing;
  EXPECT_EQ(d.TopLevel().size(), 20u);
  ExpectAnchor(FindText(d, "Ø10.5"), 50, 86, 0);
  ExpectAnchor(FindText(d, "Qty"), 90, 100, 2);   // right-aligned at the column's right edge
  ExpectAnchor(FindText(d, "10"), 8, 72, 2);
  ExpectAnchor(FindText(d, "Cover plate"), 12, 72, 0);
}

TEST(DxfDrawings, TheTitleBlockWithAttributesInUtf8) {
  const auto file = Read(ReadBytes(SourcePath("tests/data/title-block-2007.dxf")));
  EXPECT_EQ(file.Encoding, "UTF-8");   // although its header names code page 932
  const TDrawing& d = file.Drawing;
  const TBlockDefinition* title = d.Block(d.FindBlock("TITLE"));
  ASSERT_NE(title, nullptr);
  std::map<std::string, int> kinds;
  for (int id : title->Entities) ++kinds[EntityNameOf(*d.Find(id))];
  EXPECT_EQ(kinds, (std::map<std::string, int>{{"AcDbAttributeDefinition", 5}, {"AcDbLine", 8}, {"AcDbText", 4}}));

  const auto references = d.TopLevel();
  ASSERT_GE(references.size(), 3u);
  const TEntity& second = *d.Find(references[1]);
  EXPECT_EQ(second.BlockName, "TITLE");
  EXPECT_EQ(second.Insert.Scale, (TPoint{0.5, 0.5, 0.5}));
  EXPECT_NEAR(second.Insert.Rotation, std::numbers::pi / 2, 1e-12);
  std::vector<std::string> values;
  for (int id : second.Attributes) values.push_back(d.Find(id)->Tag + "=" + d.Find(id)->Text.TextString);
  EXPECT_EQ(values, (std::vector<std::string>{"TITLE=ブラケット組立図", "DRAWING_NO=K-2024-017", "SCALE=1:2", "DRAWN=山田",
                                              "DATE=2024-05-01"}));
  const TEntity& marks = *d.Find(references[2]);
  EXPECT_EQ(marks.Insert, (TBlockTransform{{1, 1, 1}, 0, 3, 2, 15, 12}));
  const TEntity& note = *d.Find(references[3]);
  EXPECT_EQ(note.Text.TextString, "注記：\\Pはめあい公差は JIS B 0401 による。");
}

TEST(DxfDrawings, OurDrawingsReadAsEzdxfReadsThem) {
#ifdef _WIN32
  GTEST_SKIP() << "ezdxf runs in the native build";
#endif
  for (const auto& path : OurDrawings()) {
    SCOPED_TRACE(path);
    std::string ezdxf;
    ASSERT_TRUE(test::EzdxfSummary(SourcePath(path), "--values --strict", ezdxf)) << ezdxf;
    // ezdxf finds nothing to mend, and the same counts, texts, references and attributes.
    const TDrawing drawing = Read(ReadBytes(SourcePath(path))).Drawing;
    const std::string counts = test::Summary(drawing, false);
    EXPECT_EQ(counts + "AUDIT\t0\t0\n" + test::Summary(drawing, true).substr(counts.size()), ezdxf);
  }
}

// The drawings others made, beside the repository. Counted: every type of model space (what
// ezdxf's model space holds, paper space left out; a MINSERT is one INSERT), the attributes of
// the references, and the block definitions other than model space and paper space.
TEST(DxfDrawings, EverySharedDrawingOpensWithTheEntitiesEzdxfFinds) {
  const std::filesystem::path folder = std::filesystem::path(SourcePath("..")) / "shared" / "dxf";
  if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << folder << " is not there";
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".dxf" || entry.path().extension() == ".DXF") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty());
  for (const auto& path : files) {
    SCOPED_TRACE(path.filename().string());
    TDxfDrawing file;
    ASSERT_NO_THROW(file = Read(ReadBytes(path.string())));
#ifndef _WIN32
    std::string ezdxf;
    ASSERT_TRUE(test::EzdxfSummary(path.string(), "", ezdxf)) << ezdxf;
    EXPECT_EQ(test::Summary(file.Drawing, false), ezdxf);
#endif
  }
}

}  // namespace
}  // namespace kav::sim
