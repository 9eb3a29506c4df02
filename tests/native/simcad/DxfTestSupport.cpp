// What the DXF tests share.
#include "DxfTestSupport.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "platform/CodePage.h"
#ifdef _WIN32
#include "platform/win32/Win32Services.h"
#endif

namespace kav::sim::test {

std::string DxfOf(const std::vector<TGroup>& groups) {
  std::string text;
  for (const auto& g : groups) {
    const std::string code = std::to_string(g.Code);
    text += std::string(code.size() < 3 ? 3 - code.size() : 0, ' ') + code + "\n" + g.Value + "\n";
  }
  return text;
}

std::string EntitiesFile(const std::vector<TGroup>& entities, const std::string& version, const std::string& codePage) {
  std::vector<TGroup> groups;
  if (!version.empty() || !codePage.empty()) {
    groups.insert(groups.end(), {{0, "SECTION"}, {2, "HEADER"}});
    if (!version.empty()) groups.insert(groups.end(), {{9, "$ACADVER"}, {1, version}});
    if (!codePage.empty()) groups.insert(groups.end(), {{9, "$DWGCODEPAGE"}, {3, codePage}});
    groups.push_back({0, "ENDSEC"});
  }
  groups.insert(groups.end(), {{0, "SECTION"}, {2, "ENTITIES"}});
  groups.insert(groups.end(), entities.begin(), entities.end());
  groups.insert(groups.end(), {{0, "ENDSEC"}, {0, "EOF"}});
  return DxfOf(groups);
}

std::unique_ptr<ICodePage> MakeCodePage932() {
#ifdef _WIN32
  return MakeWin32CodePage(932);
#else
  return MakePortableCodePage932();
#endif
}

const TDxfCodePages& JapaneseSystem() {
  static const std::unique_ptr<ICodePage> cp932 = MakeCodePage932();
  static const TDxfCodePages pages{cp932.get(), nullptr};
  return pages;
}

TDxfDrawing Read(const std::string& bytes) { return ReadDxf(bytes, JapaneseSystem()); }

std::string SourcePath(const std::string& relative) {
  std::string root = KAV_SOURCE_DIR;
#ifdef _WIN32
  if (!root.empty() && root[0] == '/') root = "Z:" + root;   // under Wine the Unix root is drive Z:
#endif
  return root + "/" + relative;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << bytes;
}

namespace {

std::string Number(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", value);
  return std::string(text) == "-0.000" ? "0.000" : text;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\t') out += "\\t";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

std::string Numbers(const std::vector<double>& numbers) {
  std::string text;
  for (double n : numbers) {
    if (!text.empty()) text += ',';
    text += FormatNumber(n);
  }
  return text;
}

// The fields DescribeEntity leaves out.
std::string Extras(const TEntity& e) {
  std::string text = " flags=" + std::to_string(e.Flags);
  if (!e.Bulges.empty()) text += " bulges=" + Numbers(e.Bulges);
  if (e.Width != 0) text += " width=" + FormatNumber(e.Width);
  if (!e.Prompt.empty()) text += " prompt=" + e.Prompt;
  if (e.Type == TEntityType::Attribute) text += " z=" + FormatNumber(e.Text.Anchor.Z);
  if (e.Type == TEntityType::Other)   // the groups are what such an entity is
    for (const TRawGroup& g : e.Groups) text += " [" + std::to_string(g.Code) + "]" + g.Value;
  return text;
}

}  // namespace

std::string Summary(const TDrawing& drawing, bool values) {
  std::map<std::string, int> counts;
  int attributes = 0;
  std::string details;
  for (int id : drawing.TopLevel()) {
    const TEntity& e = *drawing.Find(id);
    ++counts[DxfNameOf(e)];
    if (e.Type == TEntityType::Text) {
      details += "TEXT\t" + Number(e.Text.Anchor.X) + "\t" + Number(e.Text.Anchor.Y) + "\t" + std::to_string(e.Text.Alignment) +
                 "\t" + Number(e.Text.Height) + "\t" + Escaped(e.Text.TextString) + "\n";
    } else if (e.Type == TEntityType::BlockReference) {
      details += "INSERT\t" + Escaped(e.BlockName) + "\t" + Number(e.Center.X) + "\t" + Number(e.Center.Y) + "\n";
      for (int attributeId : e.Attributes) {
        const TEntity& a = *drawing.Find(attributeId);
        ++attributes;
        details += "ATTRIB\t" + Escaped(a.Tag) + "\t" + Number(a.Text.Anchor.X) + "\t" + Number(a.Text.Anchor.Y) + "\t" +
                   std::to_string(a.Text.Alignment) + "\t" + Escaped(a.Text.TextString) + "\n";
      }
    }
  }
  std::string summary;
  for (const auto& [type, count] : counts) summary += "COUNT\t" + type + "\t" + std::to_string(count) + "\n";
  summary += "ATTRIB\t" + std::to_string(attributes) + "\n";
  summary += "BLOCKS\t" + std::to_string(drawing.Blocks().size()) + "\n";
  return values ? summary + details : summary;
}

bool EzdxfSummary(const std::string& path, const std::string& options, std::string& summary) {
  const std::string command = std::string(KAV_PYTHON3) + " '" + SourcePath("tests/native/simcad/dxf_summary.py") + "' " +
                              options + " '" + path + "' 2>&1";
  summary.clear();
#ifdef _WIN32
  summary = "python3 with ezdxf runs in the native build only";
  return false;
#else
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    summary = "cannot run " + command;
    return false;
  }
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) summary.append(buffer, n);
  const int status = pclose(pipe);
  if (status != 0) {
    summary = command + " failed:\n" + summary;
    return false;
  }
  return true;
#endif
}

std::vector<std::string> Contents(const TDrawing& drawing) {
  std::vector<std::string> lines;
  auto describe = [&](const TEntity& e, const std::string& indent) {
    lines.push_back(indent + DescribeEntity(drawing, e) + Extras(e));
    for (int id : e.Attributes)
      if (const TEntity* a = drawing.Find(id)) lines.push_back(indent + "  " + DescribeEntity(drawing, *a) + Extras(*a));
  };
  for (int id : drawing.TopLevel()) describe(*drawing.Find(id), "");
  for (const TBlockDefinition& block : drawing.Blocks()) {
    lines.push_back("BLOCK " + block.Name + " base " + FormatNumber(block.Base.X) + "," + FormatNumber(block.Base.Y) + "," +
                    FormatNumber(block.Base.Z) + " flags=" + std::to_string(block.Flags));
    for (int id : block.Entities)
      if (const TEntity* e = drawing.Find(id)) describe(*e, "    ");
  }
  return lines;
}

}  // namespace kav::sim::test
