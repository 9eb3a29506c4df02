// The sections of a DXF file: the header's code page, the blocks and the entities.
#include "simcad/DxfReader.h"

#include <vector>

#include "platform/Text.h"
#include "simcad/DxfEntities.h"

namespace kav::sim {

namespace {

struct THeader {
  std::string Version, CodePage;
};

// The header variables the strings depend on, wherever the HEADER section stands in the file.
// A file that cannot be read to its header is left to the reading proper, which names the line.
THeader ScanHeader(std::string_view bytes) {
  THeader header;
  try {
    TDxfTokenizer tokens(bytes);
    TDxfPair pair;
    bool sectionStart = false, inHeader = false;
    std::string_view variable;
    while (tokens.Next(pair)) {
      if (pair.Code == 0) {
        if (inHeader) break;   // the header ends at the next "0" pair
        sectionStart = TrimDxfBlanks(pair.Value) == "SECTION";
      } else if (sectionStart && pair.Code == 2) {
        inHeader = TrimDxfBlanks(pair.Value) == "HEADER";
        sectionStart = false;
      } else if (inHeader) {
        if (pair.Code == 9) variable = TrimDxfBlanks(pair.Value);
        else if (variable == "$ACADVER" && pair.Code == 1) header.Version = TrimDxfBlanks(pair.Value);
        else if (variable == "$DWGCODEPAGE" && pair.Code == 3) header.CodePage = TrimDxfBlanks(pair.Value);
      }
    }
  } catch (const TDxfError&) {
  }
  return header;
}

bool LayoutBlock(const std::string& name) {
  const std::string upper = UpperAscii(name);
  return upper.rfind("*MODEL_SPACE", 0) == 0 || upper.rfind("*PAPER_SPACE", 0) == 0 ||
         upper.rfind("$MODEL_SPACE", 0) == 0 || upper.rfind("$PAPER_SPACE", 0) == 0;
}

class TReader {
 public:
  TReader(std::string_view bytes, const TDxfTextDecoder& text, TDxfDrawing& out)
      : tokens_(bytes), text_(text), out_(out), builder_(out.Drawing, text) {}

  void Run() {
    bool any = false, sections = false;
    while (Next()) {
      any = true;
      if (pair_.Code == 999) continue;   // a comment
      const std::string_view word = pair_.Code == 0 ? TrimDxfBlanks(pair_.Value) : std::string_view();
      if (word == "EOF") break;
      if (word != "SECTION") {
        // Between sections real files carry leftovers (a stray ENDSEC, header variables whose
        // section start was lost): passed over. Before the first section it is no DXF file.
        if (sections) continue;
        if (pair_.Code != 0)
          throw TDxfError(pair_.Line, "a section (\"0\" and \"SECTION\") was expected, found group " + std::to_string(pair_.Code));
        throw TDxfError(pair_.Line, "\"SECTION\" was expected, found " + QuoteForMessage(word));
      }
      sections = true;
      const std::size_t start = pair_.Line;
      std::string name;
      if (!Next()) CutShort("unnamed", start);
      if (pair_.Code == 2) name = TrimDxfBlanks(pair_.Value);
      else Back();   // a section without a name: passed over
      if (name == "ENTITIES") ReadEntities(start);
      else if (name == "BLOCKS") ReadBlocks(start);
      else SkipSection(name.empty() ? "unnamed" : name, start);
    }
    if (!any) throw TDxfError(1, "the file is empty");
    out_.PaperSpaceSkipped = builder_.PaperSpaceSkipped();
  }

 private:
  bool Next() {
    if (pushedBack_) {
      pushedBack_ = false;
      return true;
    }
    return tokens_.Next(pair_);
  }
  void Back() { pushedBack_ = true; }

  [[noreturn]] void CutShort(const std::string& section, std::size_t start) {
    throw TDxfError(tokens_.LastLine(), "the file ends inside the " + section + " section that begins at line " +
                                            std::to_string(start) + " (it is cut short)");
  }

  // After "0 ENDSEC" the section is over; "0 SECTION" or "0 EOF" end a section whose ENDSEC is
  // missing. True when the pair ends the section.
  bool EndsSection() {
    const std::string_view word = TrimDxfBlanks(pair_.Value);
    if (word == "ENDSEC") return true;
    if (word == "SECTION" || word == "EOF") {
      Back();
      return true;
    }
    return false;
  }

  void SkipSection(const std::string& name, std::size_t start) {
    while (Next())
      if (pair_.Code == 0 && EndsSection()) return;
    CutShort(name, start);
  }

  // Records: "0 TYPE" and the groups after it. `take` gets each complete record.
  template <class TTake>
  void ReadRecords(const std::string& section, std::size_t start, TTake take) {
    std::string_view type;
    bool open = false;
    while (Next()) {
      if (pair_.Code != 0) {
        if (open) record_.push_back(pair_);   // groups before the first record are passed over
        continue;
      }
      if (open) take(type);
      open = false;
      if (EndsSection()) {
        builder_.EndSequence();
        return;
      }
      type = TrimDxfBlanks(pair_.Value);
      record_.clear();
      open = true;
    }
    CutShort(section, start);
  }

  void ReadEntities(std::size_t start) {
    ReadRecords("ENTITIES", start, [&](std::string_view type) { builder_.Add(type, record_, 0); });
  }

  void ReadBlocks(std::size_t start) {
    constexpr int kOutside = 0;   // between ENDBLK and BLOCK, or in a block not kept
    int block = kOutside;
    ReadRecords("BLOCKS", start, [&](std::string_view type) {
      if (type == "BLOCK") {
        builder_.EndSequence();
        block = BeginBlock();
      } else if (type == "ENDBLK") {
        builder_.EndSequence();
        block = kOutside;
      } else if (block != kOutside) {
        builder_.Add(type, record_, block);
      }
    });
  }

  // A block definition from its BLOCK record; 0 for the blocks of model space and paper space,
  // which hold what the ENTITIES section holds, and for a name defined before.
  int BeginBlock() {
    std::string name;
    TPoint base;
    int flags = 0;
    for (const TDxfPair& g : record_) {
      if (g.Code == 2) name = text_.Decode(TrimDxfBlanks(g.Value));
      else if (g.Code == 10) base.X = DxfDouble(g);
      else if (g.Code == 20) base.Y = DxfDouble(g);
      else if (g.Code == 30) base.Z = DxfDouble(g);
      else if (g.Code == 70) flags = DxfInt(g);
    }
    if (name.empty() || LayoutBlock(name) || out_.Drawing.FindBlock(name) != 0) return 0;
    return out_.Drawing.AddBlockDefinition(name, base, flags);
  }

  TDxfTokenizer tokens_;
  const TDxfTextDecoder& text_;
  TDxfDrawing& out_;
  TDxfEntityBuilder builder_;
  TDxfPair pair_;
  bool pushedBack_ = false;
  std::vector<TDxfPair> record_;
};

}  // namespace

TDxfDrawing ReadDxf(std::string_view bytes, const TDxfCodePages& codePages) {
  const THeader header = ScanHeader(bytes);
  const TDxfTextDecoder text(header.Version, header.CodePage, codePages);
  TDxfDrawing result;
  result.Version = header.Version;
  result.Encoding = text.Describe();
  TReader(bytes, text, result).Run();
  return result;
}

}  // namespace kav::sim
