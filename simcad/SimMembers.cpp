// The application's test members, all named "Sim...": building a drawing, queueing the
// user's answers, setting the busy state and reading back the drawing and the call log. They
// are not logged, so the log shows only what the tool called.
#include <chrono>
#include <thread>

#include "platform/Text.h"
#include "simcad/DxfTokenizer.h"
#include "simcad/SimDemo.h"
#include "simcad/SimDxfFile.h"
#include "simcad/SimInteraction.h"
#include "simcad/SimObjects.h"

namespace kav::sim {

using cad::TArg;
using cad::TAutomationError;
using cad::Variant;

namespace {

cad::VariantArray Strings(const std::vector<std::string>& lines) {
  cad::VariantArray array;
  for (const auto& line : lines) array.Items.emplace_back(line);
  return array;
}

std::vector<std::string> StringsOf(const Variant& value) {
  std::vector<std::string> strings;
  if (value.IsMissing() || value.IsEmpty()) return strings;
  for (const auto& item : value.AsVariants()) strings.push_back(item.AsString());
  return strings;
}

Variant Id(int id) { return Variant(static_cast<std::int32_t>(id)); }

const TDxfFileAccess& FileAccess(const TSimState& state, const std::string& member) {
  if (state.FileAccess == nullptr || state.FileAccess->Files == nullptr)
    throw TAutomationError(cad::kFail, member + ": this simulated CAD has no access to files");
  return *state.FileAccess;
}

}  // namespace

bool HandleSimMember(const std::shared_ptr<TSimState>& shared, const std::string& name, std::span<TArg> args,
                     Variant& result) {
  if (name.rfind("SIM", 0) != 0) return false;
  TSimState& state = *shared;
  auto number = [&](std::size_t i) { return ArgAt(args, i).AsDouble(); };
  auto optionalNumber = [&](std::size_t i, double fallback) {
    const Variant v = ArgAt(args, i);
    return v.IsMissing() ? fallback : v.AsDouble();
  };
  TEntity entity;

  if (name == "SIMADDLINE") {
    RequireArgs(args, 4, 4, name);
    entity.Type = TEntityType::Line;
    entity.Start = {number(0), number(1), 0};
    entity.End = {number(2), number(3), 0};
    result = Id(state.Drawing.Add(entity));
  } else if (name == "SIMADDLINES") {
    // Many lines at once, x1, y1, x2, y2 for each: drawings of benchmarks.
    RequireArgs(args, 1, 1, name);
    const std::vector<double> xy = args[0].Value.AsDoubles();
    int last = 0;
    for (std::size_t i = 0; i + 3 < xy.size(); i += 4) {
      TEntity line;
      line.Type = TEntityType::Line;
      line.Start = {xy[i], xy[i + 1], 0};
      line.End = {xy[i + 2], xy[i + 3], 0};
      last = state.Drawing.Add(line);
    }
    result = Id(last);
  } else if (name == "SIMADDPOLYLINE") {
    RequireArgs(args, 1, 2, name);
    entity.Type = TEntityType::LwPolyline;
    entity.Coordinates = args[0].Value.AsDoubles();
    entity.Closed = !ArgAt(args, 1).IsMissing() && args[1].Value.AsBool();
    result = Id(state.Drawing.Add(entity));
  } else if (name == "SIMADDSPLINE" || name == "SIMADD3DPOLYLINE") {
    RequireArgs(args, 1, 1, name);
    entity.Type = name == "SIMADDSPLINE" ? TEntityType::Spline : TEntityType::Polyline3d;
    entity.Coordinates = args[0].Value.AsDoubles();
    result = Id(state.Drawing.Add(entity));
  } else if (name == "SIMADDCIRCLE") {
    RequireArgs(args, 3, 3, name);
    entity.Type = TEntityType::Circle;
    entity.Center = {number(0), number(1), 0};
    entity.Radius = number(2);
    result = Id(state.Drawing.Add(entity));
  } else if (name == "SIMADDTEXT") {
    RequireArgs(args, 4, 6, name);
    entity.Type = TEntityType::Text;
    entity.Text.TextString = args[0].Value.AsString();
    entity.Text.Height = number(3);
    entity.Text.Rotation = optionalNumber(5, 0);
    entity.Text.Alignment = static_cast<int>(optionalNumber(4, 0));
    entity.Text.Anchor = {number(1), number(2), 0};
    result = Id(state.Drawing.Add(entity));
  } else if (name == "SIMADDBLOCK") {
    RequireArgs(args, 3, 5, name);
    result = Id(state.Drawing.AddBlock(args[0].Value.AsString(), {number(1), number(2), 0}, StringsOf(ArgAt(args, 3)),
                                       StringsOf(ArgAt(args, 4))));
  } else if (name == "SIMENTITY") {
    RequireArgs(args, 1, 1, name);
    result = MakeEntity(shared, args[0].Value.AsInt32());
  } else if (name == "SIMQUEUEPOINT") {
    RequireArgs(args, 2, 3, name);
    const TPoint point{number(0), number(1), optionalNumber(2, 0)};
    // A paste that waits takes the point at once, as a pick that waits takes it from the queue.
    if (state.PastePending) FinishPaste(state, point);
    else state.Answers.push_back({TAnswer::TKind::Point, point, 0, {}});
  } else if (name == "SIMQUEUEPICK") {
    // The fourth argument: the reference a pick inside a block definition goes through.
    RequireArgs(args, 3, 4, name);
    const Variant reference = ArgAt(args, 3);
    state.Answers.push_back({TAnswer::TKind::Pick, {number(1), number(2), 0}, args[0].Value.AsInt32(), {},
                             reference.IsMissing() ? 0 : reference.AsInt32()});
  } else if (name == "SIMQUEUESELECTION") {
    RequireArgs(args, 1, 1, name);
    TAnswer answer{TAnswer::TKind::Selection, {}, 0, {}};
    for (double id : args[0].Value.AsDoubles()) answer.Entities.push_back(static_cast<int>(id));
    state.Answers.push_back(answer);
  } else if (name == "SIMQUEUECANCEL") {
    if (state.PastePending) FinishPaste(state, std::nullopt);
    else state.Answers.push_back({TAnswer::TKind::Cancel, {}, 0, {}});
  } else if (name == "SIMPENDINGANSWERS") {
    result = Id(static_cast<int>(state.Answers.size()));
  } else if (name == "SIMCALLLOG") {
    std::vector<std::string> lines;
    for (const auto& call : state.Calls) lines.push_back(call.Text());
    result = Strings(lines);
  } else if (name == "SIMCLEARLOG") {
    state.Calls.clear();
    state.Commands.clear();
    state.CommandEvents.clear();
    state.Prompts.clear();
  } else if (name == "SIMDRAWING") {
    std::vector<std::string> lines;
    for (int id : state.Drawing.TopLevel()) lines.push_back(DescribeEntity(state.Drawing, *state.Drawing.Find(id)));
    result = Strings(lines);
  } else if (name == "SIMBLOCKS") {
    // Each block definition, then its entities indented.
    std::vector<std::string> lines;
    for (const TBlockDefinition& block : state.Drawing.Blocks()) {
      lines.push_back("BLOCK\t" + block.Name + "\t" + FormatNumber(block.Base.X) + "," + FormatNumber(block.Base.Y));
      for (int id : block.Entities)
        if (const TEntity* entity = state.Drawing.Find(id)) lines.push_back("  " + DescribeEntity(state.Drawing, *entity));
    }
    result = Strings(lines);
  } else if (name == "SIMOPENDXF" || name == "SIMSAVEDXF") {
    RequireArgs(args, 1, 1, name);
    const std::string path = args[0].Value.AsString();
    const TDxfFileAccess& access = FileAccess(state, name == "SIMOPENDXF" ? "SimOpenDxf" : "SimSaveDxf");
    try {
      if (name == "SIMOPENDXF") OpenDxfFile(state, access, path);
      else SaveDxfFile(state, access, path);
    } catch (const TDxfError& e) {
      throw TAutomationError(cad::kFail, ExtractFileName(path) + ": " + e.what());
    } catch (const TDrawingFileError& e) {
      throw TAutomationError(cad::kFail, ExtractFileName(path) + ": " + e.what());
    } catch (const FileError& e) {
      throw TAutomationError(cad::kFail, e.what());
    }
  } else if (name == "SIMCOMMANDS") {
    result = Strings(state.Commands);
  } else if (name == "SIMCOMMANDEVENTS") {
    result = Strings(state.CommandEvents);
  } else if (name == "SIMPROMPTS") {
    result = Strings(state.Prompts);
  } else if (name == "SIMCOMMANDLINE") {
    // The history, then the prompt that waits (empty when none).
    std::vector<std::string> lines(state.CommandLine.History().begin(), state.CommandLine.History().end());
    lines.push_back(state.CommandLine.Prompt());
    result = Strings(lines);
  } else if (name == "SIMUNDO") {
    result = state.Undo.Undo(state.Drawing);
  } else if (name == "SIMUNDOSTEPS") {
    result = Id(static_cast<int>(state.Undo.Steps()));
  } else if (name == "SIMSELECTION") {
    cad::VariantArray ids;
    for (int id : state.Selection) ids.Items.push_back(Id(id));
    result = std::move(ids);
  } else if (name == "SIMUNDOGROUPS") {
    result = Id(state.UndoGroups);
  } else if (name == "SIMUNDODEPTH") {
    result = Id(state.UndoDepth);
  } else if (name == "SIMSETBUSY") {
    RequireArgs(args, 1, 1, name);
    state.Busy = args[0].Value.AsBool();
  } else if (name == "SIMSETBUSYPOLLS") {
    RequireArgs(args, 1, 2, name);
    state.BusyPolls = args[0].Value.AsInt32();
    if (!ArgAt(args, 1).IsMissing()) state.BusyPollsAfterCommand = args[1].Value.AsInt32();
  } else if (name == "SIMSETVARIABLE") {
    RequireArgs(args, 2, 2, name);
    state.Variables[UpperAscii(args[0].Value.AsString())] = args[1].Value;
  } else if (name == "SIMFAILMEMBER") {
    RequireArgs(args, 3, 4, name);
    const Variant times = ArgAt(args, 3);
    state.Failures[UpperAscii(args[0].Value.AsString())] =
        TFailure{args[1].Value.AsInt32(), args[2].Value.AsString(), times.IsMissing() ? -1 : times.AsInt32()};
  } else if (name == "SIMCLEARFAILURES") {
    state.Failures.clear();
  } else if (name == "SIMSLEEP") {
    // Holds the call for a while, so that a test can end the process in the middle of a call.
    RequireArgs(args, 1, 1, name);
    std::this_thread::sleep_for(std::chrono::milliseconds(args[0].Value.AsInt32()));
  } else if (name == "SIMBUILDDEMO") {
    BuildDemoDrawing(state.Drawing);
  } else if (name == "SIMRESET") {
    // The window, its answer source and the access to files stay; what waits is broken off first.
    const std::int64_t window = state.WindowHandle;
    IInteractiveAnswers* interactive = state.Interactive;
    const TDxfFileAccess* files = state.FileAccess;
    const std::uint64_t revision = state.Revision, opened = state.DrawingsOpened;
    FinishPaste(state, std::nullopt);
    state = TSimState{};
    state.WindowHandle = window;
    state.Interactive = interactive;
    state.FileAccess = files;
    state.Revision = revision + 1;
    state.DrawingsOpened = opened;
  } else {
    throw TAutomationError(cad::kUnknownName, "Unknown name: Application." + name);
  }
  return true;
}

}  // namespace kav::sim
