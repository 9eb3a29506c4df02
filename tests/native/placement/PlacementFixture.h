// A main window attached to the simulated CAD in process, for the tests of the drawing
// operations: a parts list in the work-area grid, scripted picks, and the CAD's call log.
#pragma once

#include <string>
#include <vector>

#include "simcad/SimCad.h"
#include "simcad/SimHost.h"
#include "tests/native/app/FormFixture.h"

namespace kav::test {

struct TPlacementFixture {
  TFormFixture F;
  sim::TSimCad Cad;
  sim::TSimHost Host;
  app::TForm88* Form = nullptr;
  std::shared_ptr<cad::IAutomationObject> Document;

  // `partsList`: the work-area list beside the program.
  explicit TPlacementFixture(const std::string& partsList = "品名\t数量\r\nボルト\t4\r\nナット\t8\r\n") {
    Host.Register(cad::kDefaultProgID, &Cad);
    F.PutFile("a.tsv", partsList);
    Form = &F.Create();
    Form->AttachCad(Host);
    Document = Cad.Application()->GetObj("ActiveDocument");
    Cad.State().Calls.clear();
  }

  // Clicks the cell: it becomes the text to send.
  void ClickCell(int col, int row) {
    Form->StringGrid1.SetSelection({col, row, col, row});
    Form->StringGrid1Click();
  }
  void SelectColumn(int col, int top, int bottom) {
    Form->StringGrid1.SetSelection({col, top, col, bottom});
    Form->StringGrid1Click();
  }
  std::vector<std::string> Calls() const { return Cad.CallTexts(); }
  std::vector<std::string> Drawing() const { return Cad.DrawingLines(); }
  // The live TEXT entities of model space, in drawing order.
  std::vector<const sim::TEntity*> Texts() {
    std::vector<const sim::TEntity*> texts;
    for (int id : Cad.State().Drawing.TopLevel()) {
      const sim::TEntity* e = Cad.State().Drawing.Find(id);
      if (e->Type == sim::TEntityType::Text) texts.push_back(e);
    }
    return texts;
  }
  std::vector<std::string> KeyStrokes() const {
    std::vector<std::string> keys;
    for (const auto& k : F.Platform.Desktop.Keys)
      keys.push_back(std::to_string(k.VirtualKey) + (k.Flags == 2 ? " up" : " down"));
    return keys;
  }
};

}  // namespace kav::test
