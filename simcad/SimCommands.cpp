// The simulated command line: the strings the tool sends with SendCommand. A carriage return
// ends an input; at the command and point prompts a blank does too, as in the CAD. Code 3 and
// Escape cancel whatever is pending.
#include <string_view>

#include "platform/Text.h"
#include "simcad/SimInteraction.h"
#include "simcad/SimObjects.h"

namespace kav::sim {

namespace {

class TCommandReader {
 public:
  explicit TCommandReader(std::string_view text) : text_(text) {}
  bool AtEnd() const { return pos_ >= text_.size(); }
  // An input that also ends at a blank (command names, points, object selections).
  std::string Word() {
    const std::size_t end = text_.find_first_of(" \r\n", pos_);
    return Take(end);
  }
  // An input that only a carriage return ends (string answers such as do_attrep's value).
  std::string Line() { return Take(text_.find_first_of("\r\n", pos_)); }

 private:
  std::string Take(std::size_t end) {
    if (end == std::string_view::npos) end = text_.size();
    std::string input(text_.substr(pos_, end - pos_));
    pos_ = end < text_.size() ? end + 1 : end;
    return input;
  }
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool ParseXy(const std::string& text, TPoint& point) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return false;
  return TryParseNumber(text.substr(0, comma), point.X) && TryParseNumber(text.substr(comma + 1), point.Y);
}

// Object selection inputs up to the empty input that ends them; "last" is the only one known.
std::vector<int> ReadObjects(TSimState& state, TCommandReader& reader, std::string& note) {
  std::vector<int> ids;
  while (!reader.AtEnd()) {
    const std::string input = UpperAscii(reader.Word());
    if (input.empty()) break;
    note += " " + input;
    if (input == "LAST" || input == "L") {
      if (const int last = state.Drawing.LastTopLevel(); last != 0) ids.push_back(last);
    }
  }
  return ids;
}

void RunOne(TSimState& state, const std::string& command, TCommandReader& reader) {
  const std::string name = UpperAscii(command);
  std::string note = name;
  if (name == "COPYBASE") {
    TPoint base;
    const std::string point = reader.Word();
    note += " " + point;
    if (!ParseXy(point, base)) {
      state.CommandEvents.push_back(note + " (bad point)");
      return;
    }
    state.Clipboard.clear();
    for (int id : ReadObjects(state, reader, note)) state.Clipboard.push_back(state.Drawing.Snapshot(id));
    state.ClipboardBase = base;
  } else if (name == "ERASE") {
    for (int id : ReadObjects(state, reader, note)) {
      state.Undo.TouchWithAttributes(state.Drawing, id);
      state.Drawing.Erase(id);
    }
  } else if (name == "PASTECLIP") {
    // The CAD now asks for the insertion point in its window: the next scripted point.
    if (!state.Answers.empty() && state.Answers.front().Kind == TAnswer::TKind::Point) {
      const TPoint at = state.Answers.front().Point;
      state.Answers.pop_front();
      for (const auto& snapshot : state.Clipboard)
        state.Drawing.AddMoved(snapshot, at.X - state.ClipboardBase.X, at.Y - state.ClipboardBase.Y);
      note.append(" ").append(FormatNumber(at.X)).append(",").append(FormatNumber(at.Y));
    } else if (state.Answers.empty() && state.Interactive != nullptr && !state.Clipboard.empty()) {
      // As in a real CAD the command returns at once; the paste waits for the user's click
      // and the CAD stays busy meanwhile.
      state.PastePending = true;
      state.CommandLine.SetPrompt("挿入点を指定: ");
      note += " waiting";
      state.Interactive->PasteStarted();
    } else {
      if (!state.Answers.empty()) state.Answers.pop_front();
      note += " cancelled";
    }
  } else if (name == "DO_ATTREP") {
    const std::string tag = reader.Line();
    const std::string value = reader.Line();
    note += " " + tag + " " + value;
    const std::string upperTag = UpperAscii(tag);
    for (const auto& entity : state.Drawing.All())
      if (!entity.Erased && entity.Type == TEntityType::Attribute && UpperAscii(entity.Tag) == upperTag) {
        state.Undo.Touch(state.Drawing, entity.Id);
        state.Drawing.Find(entity.Id)->Text.TextString = value;
      }
  } else {
    note = "UNKNOWN " + command;
  }
  state.CommandEvents.push_back(note);
  state.BusyPolls = state.BusyPollsAfterCommand;
}

}  // namespace

void RunCommandString(TSimState& state, const std::string& text) {
  state.Commands.push_back(text);
  state.CommandLine.Add("コマンド: " + ReadableCommand(text));
  // Whatever comes while a paste waits ends it: a cancel character cancels it, and so does
  // a new command, which the CAD would not take as an insertion point.
  FinishPaste(state, std::nullopt);
  std::size_t start = 0;
  // Cancel characters end whatever came before them; the rest runs as command-line input.
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\x03' && text[i] != '\x1b') continue;
    const std::string_view part(text.data() + start, i - start);
    TCommandReader reader(part);
    while (!reader.AtEnd()) {
      const std::string command = reader.Word();
      if (!command.empty()) RunOne(state, command, reader);
    }
    if (i < text.size()) state.CommandEvents.push_back("CANCEL");
    start = i + 1;
  }
}

}  // namespace kav::sim
