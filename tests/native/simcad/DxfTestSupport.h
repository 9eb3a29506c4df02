// What the DXF tests share: files written from group pairs, the code pages of a Japanese
// system, a drawing printed the way dxf_summary.py prints ezdxf's reading of a file, and
// every field of a drawing for comparing one with another.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "simcad/DxfReader.h"
#include "simcad/SimDrawing.h"

namespace kav::sim::test {

struct TGroup {
  int Code;
  std::string Value;
};

// The groups as the lines of a file (LF line ends).
std::string DxfOf(const std::vector<TGroup>& groups);
// A file with a header of the two variables (left out when empty) and an ENTITIES section.
std::string EntitiesFile(const std::vector<TGroup>& entities, const std::string& version = "",
                         const std::string& codePage = "");

// Code page 932 in this build: iconv natively, the system's conversion under Windows.
std::unique_ptr<ICodePage> MakeCodePage932();
// The system's ANSI code page is 932, as on Japanese Windows.
const TDxfCodePages& JapaneseSystem();
TDxfDrawing Read(const std::string& bytes);

std::string SourcePath(const std::string& relative);   // relative to the repository's root
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The model-space counts (and with `values` the texts, references and attributes) in the form
// of dxf_summary.py.
std::string Summary(const TDrawing& drawing, bool values);
// ezdxf's summary of a file (`options`: "--values", "--strict"). False with the reason in
// `summary` when python3 with ezdxf cannot be run.
bool EzdxfSummary(const std::string& path, const std::string& options, std::string& summary);

// One line for every entity of model space (attributes included) and of every block
// definition, with every field a saved file keeps.
std::vector<std::string> Contents(const TDrawing& drawing);

}  // namespace kav::sim::test
