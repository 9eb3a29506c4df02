#include "simcad/com/ServerRegistration.h"

#include <objbase.h>

namespace kav::sim::com {

namespace {

std::wstring ClassIdText(const CLSID& clsid) {
  wchar_t text[64] = {};
  StringFromGUID2(clsid, text, 64);
  return text;
}

LONG SetDefaultValue(HKEY root, const std::wstring& key, const std::wstring& value) {
  HKEY handle = nullptr;
  LONG rc = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return rc;
}

LONG WriteKeys(HKEY root, const std::wstring& progId, const CLSID& clsid) {
  const std::wstring classes = L"Software\\Classes\\";
  const std::wstring id = ClassIdText(clsid);
  if (const LONG rc = SetDefaultValue(root, classes + progId, L"KAVEROLIN simulated CAD")) return rc;
  if (const LONG rc = SetDefaultValue(root, classes + progId + L"\\CLSID", id)) return rc;
  return SetDefaultValue(root, classes + L"CLSID\\" + id + L"\\ProgID", progId);
}

bool SystemSees(const std::wstring& progId, const CLSID& clsid) {
  CLSID found{};
  return SUCCEEDED(CLSIDFromProgID(progId.c_str(), &found)) && IsEqualCLSID(found, clsid);
}

}  // namespace

LONG RegisterProgId(const std::wstring& progId, const CLSID& clsid) {
  if (const LONG rc = WriteKeys(HKEY_CURRENT_USER, progId, clsid)) return rc;
  if (SystemSees(progId, clsid)) return ERROR_SUCCESS;
  // Wine's class root does not merge the user's classes as Windows does: there the same keys
  // go machine-wide, which Wine allows without administrator rights.
  if (const LONG rc = WriteKeys(HKEY_LOCAL_MACHINE, progId, clsid)) return rc;
  return SystemSees(progId, clsid) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG UnregisterProgId(const std::wstring& progId, const CLSID& clsid) {
  const std::wstring classes = L"Software\\Classes\\";
  LONG rc = ERROR_SUCCESS;
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    RegDeleteTreeW(root, (classes + L"CLSID\\" + ClassIdText(clsid)).c_str());
    const LONG one = RegDeleteTreeW(root, (classes + progId).c_str());
    if (root == HKEY_CURRENT_USER) rc = one;
  }
  return rc;
}

}  // namespace kav::sim::com
