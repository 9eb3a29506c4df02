// The simulated CAD's ProgID and class, registered for the current user (no administrator
// rights): HKCU\Software\Classes\<ProgID>\CLSID and HKCU\Software\Classes\CLSID\{...}\ProgID.
#pragma once

#include <windows.h>

#include <string>

namespace kav::sim::com {

inline constexpr const wchar_t* kSimProgId = L"KaverolinSim.Application";
// {FD7336EE-FF5E-47AB-83E6-38D213AD5D6F}
inline constexpr CLSID kSimClassId = {0xfd7336ee, 0xff5e, 0x47ab, {0x83, 0xe6, 0x38, 0xd2, 0x13, 0xad, 0x5d, 0x6f}};

// Writes the keys; returns the system error code (0 on success).
LONG RegisterProgId(const std::wstring& progId, const CLSID& clsid);
LONG UnregisterProgId(const std::wstring& progId, const CLSID& clsid);

}  // namespace kav::sim::com
