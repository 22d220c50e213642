// The version has one source, the build's project version: the window's caption, the about page and
// the program's version resource carry the same one, also for a copy unpacked from the package.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "vocabulary/program.h"

namespace kestrune::e2e {
namespace {

struct VersionResource {
  std::wstring fixed;           // VS_FIXEDFILEINFO's file version, "a.b.c.d"
  std::wstring fileVersion;     // StringFileInfo FileVersion
  std::wstring productVersion;  // StringFileInfo ProductVersion
};

std::wstring StringValue(const std::vector<char>& block, const wchar_t* name) {
  // The table the program's resource declares: Japanese, Unicode.
  const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return {};
  return std::wstring(static_cast<const wchar_t*>(value));
}

VersionResource ReadVersionResource(const std::wstring& exe) {
  VersionResource out;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  if (size == 0) return out;
  std::vector<char> block(size);
  if (!::GetFileVersionInfoW(exe.c_str(), 0, size, block.data())) return out;
  void* fixed = nullptr;
  UINT length = 0;
  if (::VerQueryValueW(block.data(), L"\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    out.fixed = std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(info->dwFileVersionMS)) +
                L"." + std::to_wstring(HIWORD(info->dwFileVersionLS)) + L"." +
                std::to_wstring(LOWORD(info->dwFileVersionLS));
  }
  out.fileVersion = StringValue(block, L"FileVersion");
  out.productVersion = StringValue(block, L"ProductVersion");
  return out;
}

std::wstring Environment(const wchar_t* name) {
  wchar_t buffer[256] = {};
  const DWORD n = ::GetEnvironmentVariableW(name, buffer, 256);
  return n > 0 && n < 256 ? std::wstring(buffer, n) : std::wstring();
}

TEST(Version, CaptionAboutPageAndResourceCarryTheBuildsVersion) {
  const std::wstring built = KESTRUNE_VERSION_WTEXT;
  // The package check names the version its zip file carries; by default the one built here.
  const std::wstring expected = Environment(L"KESTRUNE_EXPECTED_VERSION").empty()
                                    ? built
                                    : Environment(L"KESTRUNE_EXPECTED_VERSION");
  const VersionResource resource = ReadVersionResource(ProgramPath());
  std::printf("[version] %ls: resource %ls (%ls), expected %ls\n", ProgramPath().c_str(), resource.fileVersion.c_str(),
              resource.fixed.c_str(), expected.c_str());
  EXPECT_EQ(resource.fileVersion, expected);
  EXPECT_EQ(resource.productVersion, expected);
  EXPECT_EQ(resource.fixed, expected + L".0");

  RunningApp app;
  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(WaitFor([&] { return Visible(app.Main()); }));
  EXPECT_EQ(Text(app.Main()), L"Kestrune v" + expected);
  EXPECT_EQ(app.ControlText(ids::kLabelVersion), L"Version:" + expected);
  app.Screenshot(L"version_about");
}

}  // namespace
}  // namespace kestrune::e2e
