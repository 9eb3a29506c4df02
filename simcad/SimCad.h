// The simulated CAD in process: an application object with its document, model space,
// utility, selection set, state objects and entities, answering every automation member the
// tool uses. Tests script the user's picks, set a busy state, make members fail, and read
// the drawing and the log of every call.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cadlink/Automation.h"
#include "simcad/SimCommandLine.h"
#include "simcad/SimDrawing.h"
#include "simcad/SimUndo.h"

namespace kav::sim {

// One scripted answer of the user in the CAD window.
struct TAnswer {
  enum class TKind { Point, Pick, Selection, Cancel };
  TKind Kind = TKind::Cancel;
  TPoint Point;               // Point, Pick
  int Entity = 0;             // Pick
  std::vector<int> Entities;  // Selection
  // Pick of an entity inside a block definition: the model-space reference it was picked
  // through (0: the first reference that shows it).
  int Reference = 0;
};

// One call as the CAD received it.
struct TCall {
  std::string Object, Member;
  cad::TInvokeKind Kind = cad::TInvokeKind::Method;
  std::vector<cad::Variant> Args;
  // "Object.Member", with " :=" after a property put.
  std::string Text() const;
};

// The error a CAD raises when the user cancels a pick (Escape) or it has nothing to answer.
inline constexpr cad::HResult kCancelCode = cad::kAbort;
inline constexpr const char* kCancelMessage = "*Cancel*";
// The error a busy CAD gives a pick asked for while another pick or a paste still waits
// (RPC_E_CALL_REJECTED, what a client sees of a call the CAD turned away).
inline constexpr cad::HResult kBusyCode = cad::MakeHResult(0x80010001u);

class IInteractiveAnswers;
struct TDxfFileAccess;

struct TFailure {
  cad::HResult Code = cad::kFail;
  std::string Message;
  int Remaining = -1;   // calls that still fail; -1 for all
};

// Everything the simulated CAD knows; shared by its objects, so an object handed out stays
// usable as long as anybody holds it.
struct TSimState {
  TDrawing Drawing;
  std::deque<TAnswer> Answers;
  std::vector<TCall> Calls;
  std::vector<std::string> Commands;       // every SendCommand string as sent
  std::vector<std::string> CommandEvents;  // what the command line made of them
  std::vector<std::string> Prompts;        // prompts of picks and Utility.Prompt
  std::map<std::string, cad::Variant> Variables{{"DIMSCALE", cad::Variant(1.0)}};
  std::map<std::string, TFailure> Failures;   // key "Object.Member", letter case ignored
  std::vector<int> Selection;               // the active selection set
  std::vector<std::vector<TEntity>> Clipboard;   // what COPYBASE copied
  TPoint ClipboardBase;
  int UndoDepth = 0;
  int UndoGroups = 0;                       // closed groups
  bool Busy = false;
  int BusyPolls = 0;                        // IsQuiescent answers false this many more times
  int BusyPollsAfterCommand = 0;            // set BusyPolls after each command
  std::int64_t WindowHandle = 0x00A0'0123;
  int Regens = 0;

  std::string DocumentName = "Drawing1.dwg";   // what the document's Name gives and the title shows
  std::string DocumentPath;                     // the drawing file opened or saved last; empty for a new drawing
  const TDxfFileAccess* FileAccess = nullptr;   // files and code pages for SimOpenDxf and SimSaveDxf
  std::uint64_t DrawingsOpened = 0;             // counts drawings put in place of another, so the window fits them
  TUndoJournal Undo;
  TCommandLine CommandLine;
  // Answers picks when no scripted answer is queued (simcad.exe's window); none in process.
  IInteractiveAnswers* Interactive = nullptr;
  bool PickWaiting = false;    // a pick waits for the user: the CAD is not quiescent
  bool PastePending = false;   // PASTECLIP waits for its insertion point
  std::uint64_t Revision = 0;  // counts calls and changes, so the window knows when to redraw
};

class TSimCad {
 public:
  TSimCad();
  // The application object (a new reference to the same object each time).
  cad::ObjectRef Application() const { return application_; }
  TSimState& State() { return *state_; }
  TDrawing& Drawing() { return state_->Drawing; }

  // Drawing helpers; each returns the new entity's id.
  int AddLine(double x1, double y1, double x2, double y2);
  int AddPolyline(std::vector<double> xy, bool closed);
  int AddText(const std::string& text, double x, double y, double height, int alignment = 0, double rotation = 0);
  int AddBlock(const std::string& name, double x, double y, const std::vector<std::string>& tags,
               const std::vector<std::string>& values);
  int AddSpline(std::vector<double> xyz);
  int Add3dPolyline(std::vector<double> xyz);
  int AddCircle(double x, double y, double radius);

  // The user's answers, consumed in order by GetPoint, GetEntity, GetSubEntity and
  // SelectOnScreen (and by the insertion point of PASTECLIP).
  void QueuePoint(double x, double y, double z = 0);
  void QueuePick(int entity, double x, double y, int reference = 0);
  void QueueSelection(std::vector<int> entities);
  void QueueCancel();

  // Makes "Object.Member" fail with `code` and `message` (`times` calls, or all with -1).
  void FailMember(const std::string& key, cad::HResult code, const std::string& message, int times = -1);

  std::vector<std::string> CallTexts() const;
  std::vector<std::string> DrawingLines() const;

 private:
  std::shared_ptr<TSimState> state_;
  cad::ObjectRef application_;
};

}  // namespace kav::sim
