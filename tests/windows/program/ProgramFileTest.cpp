// kaverolin.exe read back as Windows reads it: the version information Explorer shows, the
// manifest the loader applies (common controls 6, per-monitor DPI awareness, the system's ANSI
// code page, read through the activation context made of it) and an icon drawn for each size
// the shell asks for.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Form88.h"
#include "platform/Text.h"
#include "tests/support/win32/HostPaths.h"

namespace kav {
namespace {

std::wstring ProgramFile() { return test::WindowsPath(KAV_KAVEROLIN_EXE); }

struct TFreeLibrary {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using TModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, TFreeLibrary>;

struct TReleaseActCtx {
  void operator()(HANDLE context) const { ReleaseActCtx(context); }
};
using TActCtx = std::unique_ptr<void, TReleaseActCtx>;

class ProgramFile_ : public ::testing::Test {
 protected:
  void SetUp() override {
    image.reset(LoadLibraryExW(ProgramFile().c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(image) << "cannot open " << KAV_KAVEROLIN_EXE;
  }
  // The bytes of a resource, empty when it is missing.
  std::string Resource(const wchar_t* type, const wchar_t* name) const {
    HRSRC found = FindResourceW(image.get(), name, type);
    if (found == nullptr) return {};
    HGLOBAL loaded = LoadResource(image.get(), found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return std::string(static_cast<const char*>(data), SizeofResource(image.get(), found));
  }
  TModule image;
};

TEST_F(ProgramFile_, CarriesTheVersionOfTheApplicationTitle) {
  const std::wstring path = ProgramFile();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 2u);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 18u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  // The strings sit under the language and code page the translation table names.
  struct TTranslation {
    WORD Language, CodePage;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  ASSERT_GE(length, sizeof(TTranslation));
  EXPECT_EQ(translation->Language, 0x0411);   // Japanese
  EXPECT_EQ(translation->CodePage, 1200);     // UTF-16
  const auto text = [&](const wchar_t* name) {
    wchar_t key[64];
    swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->Language, translation->CodePage, name);
    wchar_t* value = nullptr;
    UINT chars = 0;
    if (!VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&value), &chars) || value == nullptr)
      return std::string("<missing>");
    return WideToUtf8(value);
  };
  EXPECT_EQ(text(L"ProductName"), app::kApplicationTitle);
  EXPECT_EQ(text(L"FileVersion"), "2.18.0.0");
  EXPECT_EQ(text(L"ProductVersion"), "2.18");
  EXPECT_EQ(text(L"OriginalFilename"), "kaverolin.exe");
}

TEST_F(ProgramFile_, ItsManifestAsksForCommonControls6AndPerMonitorDpiAndKeepsTheAnsiCodePage) {
  const std::string manifest = Resource(MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));   // RT_MANIFEST, the program's
  ASSERT_FALSE(manifest.empty());
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);

  // The activation context the loader makes of it, and the settings user32 reads from it.
  const std::wstring path = ProgramFile();
  ACTCTXW request = {};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = path.c_str();
  request.lpResourceName = MAKEINTRESOURCEW(1);
  TActCtx context(CreateActCtxW(&request));
  ASSERT_NE(context.get(), INVALID_HANDLE_VALUE) << "the manifest does not parse: " << GetLastError();
  const auto setting = [&](const wchar_t* ns, const wchar_t* name) {
    wchar_t value[128] = {};
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, context.get(), ns, name, value, 128, &written)) return std::string("<none>");
    return WideToUtf8(value);
  };
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            "PerMonitorV2, PerMonitor");
  EXPECT_EQ(setting(nullptr, L"dpiAware"), "true/pm");   // what Windows before 10 1607 reads
  // No UTF-8 active code page: files without a byte-order mark stay in code page 932.
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2019/WindowsSettings", L"activeCodePage"), "<none>");

  // The loader found the common controls of version 6 for it.
  const auto query = [&](DWORD* index, ULONG what) {
    SIZE_T needed = 0;
    QueryActCtxW(0, context.get(), index, what, nullptr, 0, &needed);
    std::vector<char> buffer(needed);
    if (needed == 0 || !QueryActCtxW(0, context.get(), index, what, buffer.data(), needed, nullptr)) buffer.clear();
    return buffer;
  };
  const std::vector<char> details = query(nullptr, ActivationContextDetailedInformation);
  ASSERT_FALSE(details.empty());
  const DWORD count = reinterpret_cast<const ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(details.data())->ulAssemblyCount;
  std::vector<std::string> assemblies;
  for (DWORD index = 1; index <= count; ++index) {
    const std::vector<char> buffer = query(&index, AssemblyDetailedInformationInActivationContext);
    if (buffer.empty()) continue;
    const auto* assembly = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
    if (assembly->lpAssemblyEncodedAssemblyIdentity != nullptr)
      assemblies.push_back(WideToUtf8(assembly->lpAssemblyEncodedAssemblyIdentity));
  }
  const auto commonControls = std::find_if(assemblies.begin(), assemblies.end(), [](const std::string& identity) {
    return identity.find("Microsoft.Windows.Common-Controls") != std::string::npos;
  });
  ASSERT_NE(commonControls, assemblies.end()) << "assemblies: " << assemblies.size();
  EXPECT_NE(commonControls->find("version=\"6.0."), std::string::npos) << *commonControls;
}

// The size an icon image was drawn at: from its bitmap header, or its PNG header.
int DrawnSize(const std::string& image) {
  if (image.size() >= 24 && image.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0)
    return (static_cast<unsigned char>(image[18]) << 8) | static_cast<unsigned char>(image[19]);
  if (image.size() < sizeof(BITMAPINFOHEADER)) return 0;
  BITMAPINFOHEADER header;
  std::memcpy(&header, image.data(), sizeof header);
  return header.biWidth;
}

TEST_F(ProgramFile_, ItsIconIsDrawnForEverySizeTheShellAsksFor) {
  std::string group = Resource(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(1));   // RT_GROUP_ICON
  ASSERT_FALSE(group.empty());
  for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
    const int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE, size, size, LR_DEFAULTCOLOR);
    ASSERT_GT(id, 0) << size;
    EXPECT_EQ(DrawnSize(Resource(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(id))), size) << size;   // RT_ICON
  }
  // And Windows makes an icon of it.
  const HANDLE icon = LoadImageW(image.get(), MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0);
  EXPECT_NE(icon, nullptr);
  if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
}

}  // namespace
}  // namespace kav
