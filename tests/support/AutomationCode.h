// The automation error code a call ends with, for tests of calls that are meant to fail.
#pragma once

#include <functional>
#include <string>

#include "cadlink/AutomationError.h"

namespace kav::test {

// 0 when `call` returns; the code of the automation error it throws otherwise, with the
// error's text in `message` when one is given.
inline cad::HResult CodeOf(const std::function<void()>& call, std::string* message = nullptr) {
  try {
    call();
  } catch (const cad::TAutomationError& e) {
    if (message != nullptr) *message = e.what();
    return e.Code;
  }
  return 0;
}

}  // namespace kav::test
