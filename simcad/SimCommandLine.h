// The command line under the drawing: the prompt of the pick that waits, and a history of
// prompts with their answers, messages and the commands received.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace kav::sim {

class TCommandLine {
 public:
  static constexpr std::size_t kHistoryLines = 200;

  // Adds a message; a text of several lines adds each, empty lines left out.
  void Add(std::string_view text);
  // The prompt shown on the input line while a pick waits; empty when none waits.
  void SetPrompt(std::string_view prompt);
  // Moves the prompt into the history with the answer after it.
  void Answer(std::string_view answer);

  const std::deque<std::string>& History() const { return history_; }
  const std::string& Prompt() const { return prompt_; }

 private:
  std::deque<std::string> history_;
  std::string prompt_;
};

// A command string as the command line shows it: a carriage return or line feed as
// "<CR>", Escape as "<ESC>", code 3 as "^C", other control characters as ^ and a letter.
std::string ReadableCommand(std::string_view text);

// A prompt as shown: its line breaks and the blanks around it removed.
std::string PromptText(std::string_view prompt);

}  // namespace kav::sim
