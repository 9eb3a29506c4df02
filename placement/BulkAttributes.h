// Bulk attribute change: one attribute, chosen by its tag, gets one value in every block
// reference the user selects; done here through the automation interface (direct path) or
// handed to the CAD's own command do_attrep (command path).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cadlink/CadSession.h"

namespace kav::placement {

struct TBulkAttributeOptions {
  std::string TagText;        // the tag box's text, as typed or chosen ("PARTNO : 品番")
  std::string Value;          // already trimmed; may be empty
  bool CommandPath = false;   // "LISP を使う"
};

// The tag in the tag box's text: before the first ":", else before the first ",", trimmed;
// the whole text untrimmed when it holds neither; upper-cased (a to z only).
std::string TagFromText(std::string_view text);

// "do_attrep", the tag and the value, each ended by a carriage return.
std::string AttributeCommand(std::string_view tag, std::string_view value);

// The timing message shown on the CAD's command line: "1.23 sec" for 1234 ms.
std::string TimingMessage(std::uint32_t elapsedMs);

void ChangeAttributes(cad::TCadSession& session, const TBulkAttributeOptions& options);

}  // namespace kav::placement
