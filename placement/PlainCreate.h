// Plain creation: the TEXT made at the drawing's origin, copied with the origin as base point,
// erased and pasted, so that it hangs at the CAD's cursor until the user places it; the tool
// waits until the CAD has finished the paste.
#pragma once

#include "cadlink/CadSession.h"
#include "placement/TextLines.h"

namespace kav::placement {

// The command strings of the copy, the erase and the paste, exactly as the CAD reads them.
inline constexpr const char* kCopyBaseCommand = "copybase 0,0\rlast\r\r";
inline constexpr const char* kEraseCommand = "erase\rlast\r\r";
inline constexpr const char* kPasteCommand = "pasteclip\r";

void PlainCreate(cad::TCadSession& session, const TTextLines& text);

// Sleeps kBusyPollMs at a time, letting the window run its events, while the CAD reports that
// a command runs; ends when the CAD is quiescent, cannot be asked, or the program is ending.
inline constexpr unsigned kBusyPollMs = 100;
void WaitWhileTargetBusy(cad::TCadSession& session, cad::IAutomationObject& application);

}  // namespace kav::placement
