#include "simcad/SimCommandLine.h"

namespace kav::sim {

namespace {
std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}
}  // namespace

void TCommandLine::Add(std::string_view text) {
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    const std::string_view line = TrimBlanks(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (!line.empty()) {
      history_.emplace_back(line);
      if (history_.size() > kHistoryLines) history_.pop_front();
    }
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
}

void TCommandLine::SetPrompt(std::string_view prompt) { prompt_ = PromptText(prompt); }

void TCommandLine::Answer(std::string_view answer) {
  std::string line = prompt_;
  if (!answer.empty()) {
    if (!line.empty()) line += ' ';
    line += answer;
  }
  prompt_.clear();
  Add(line);
}

std::string ReadableCommand(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n') shown += "<CR>";
    else if (code == 27) shown += "<ESC>";
    else if (code < 32) shown += std::string("^") + static_cast<char>('@' + code);
    else if (code == 127) shown += "<DEL>";
    else shown += c;
  }
  return shown;
}

std::string PromptText(std::string_view prompt) {
  std::string text;
  for (const char c : TrimBlanks(prompt)) text += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
  return text;
}

}  // namespace kav::sim
