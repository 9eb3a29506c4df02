#include "placement/BulkAttributes.h"

#include <cstdio>
#include <set>

#include "placement/CadCalls.h"
#include "placement/PlainCreate.h"
#include "platform/Text.h"

namespace kav::placement {

namespace {

using cad::Variant;

// Only block references that carry attributes: entity type INSERT, attributes-follow 1.
Variant AttributeFilterTypes() { return cad::ShortArray{0, {0, 66}}; }
Variant AttributeFilterValues() { return cad::VariantArray{0, {Variant("INSERT"), Variant(static_cast<std::int16_t>(1))}}; }

// The selected references, each with the first attribute whose tag matches changed. A block
// whose first reference lacks the tag is not looked at again: its other references are
// skipped without reading their attributes.
void ChangeSelected(cad::TCadSession& session, IAutomationObject& document, IAutomationObject& selection,
                    const std::string& tag, const std::string& value) {
  selection.Call("SelectOnScreen", {AttributeFilterTypes(), AttributeFilterValues()});
  session.Connection.SendCancelToTarget(document);
  const int count = selection.Get("Count").AsInt32();
  if (count <= 0) return;
  TUndoGroup undo(document);
  const std::uint32_t start = session.Desktop.TickCount();
  std::set<std::string> blocksWithoutTag;   // upper-cased names
  for (int i = 0; i < count; ++i) {
    const ObjectRef reference = selection.Call("Item", {Variant(static_cast<std::int32_t>(i))}).AsObject();
    const std::string block = UpperAscii(reference->Get("Name").AsString());
    if (blocksWithoutTag.count(block) != 0) continue;
    bool missing = true;
    for (const Variant& item : reference->Call("GetAttributes").AsVariants()) {
      const ObjectRef attribute = item.AsObject();
      if (UpperAscii(attribute->Get("TagString").AsString()) != tag) continue;
      attribute->Put("TextString", value);
      missing = false;
      break;
    }
    if (missing) blocksWithoutTag.insert(block);
  }
  const std::uint32_t elapsed = session.Desktop.TickCount() - start;
  document.GetObj("Utility")->Call("Prompt", {TimingMessage(elapsed)});
  document.Call("Regen");
  undo.Close();
}

}  // namespace

std::string TagFromText(std::string_view text) {
  std::size_t end = text.find(':');
  if (end == std::string_view::npos) end = text.find(',');
  return UpperAscii(end == std::string_view::npos ? std::string(text) : Trim(text.substr(0, end)));
}

std::string AttributeCommand(std::string_view tag, std::string_view value) {
  return "do_attrep\r" + std::string(tag) + "\r" + std::string(value) + "\r";
}

std::string TimingMessage(std::uint32_t elapsedMs) {
  char text[48];
  std::snprintf(text, sizeof text, "%.2f sec", elapsedMs / 1000.0);
  return text;
}

void ChangeAttributes(cad::TCadSession& session, const TBulkAttributeOptions& o) {
  cad::TOperationScope scope(session);
  if (!scope.Started() || !session.Connection.IsTargetRunning()) return;
  session.MinimizeMainWindow();
  const ObjectRef application = session.Connection.GetTargetApplication();
  const WindowId window = cad::TTargetConnection::TargetWindow(*application);
  if (session.Desktop.IsIconic(window)) session.Desktop.OpenIcon(window);

  const std::string tag = TagFromText(o.TagText);
  if (!tag.empty()) {
    session.Desktop.SetForegroundWindow(window);
    const ObjectRef document = application->GetObj("ActiveDocument");
    if (o.CommandPath) {
      document->Call("SendCommand", {AttributeCommand(tag, o.Value)});
      // The command runs in the CAD; the tool waits until the CAD is quiescent again.
      session.Desktop.Sleep(kBusyPollMs);
      if (session.Desktop.ProcessMessages()) WaitWhileTargetBusy(session, *application);
      return;
    }
    const ObjectRef selection = document->GetObj("ActiveSelectionSet");
    selection->Call("Clear");
    try {
      ChangeSelected(session, *document, *selection, tag, o.Value);
    } catch (const std::exception&) {
      // A cancelled selection or a failing call: what was changed stays changed.
    }
    selection->Call("Clear");
  }
  if (o.CommandPath) return;   // an empty tag: nothing was sent
  session.Desktop.SetForegroundWindow(window);
  session.Connection.PressEscapeInTarget(window, 0);
}

}  // namespace kav::placement
