#include "platform/win32/system_libraries.h"

#include <cstddef>
#include <iterator>

namespace kestrune {

namespace {

constexpr const wchar_t* kLibraries[] = {L"comctl32.dll", L"oleacc.dll"};

enum Function : std::size_t {
  kInitCommonControlsEx,
  kImageListCreate,
  kImageListDestroy,
  kImageListReplaceIcon,
  kCreateStdAccessibleObject,
  kLresultFromObject,
  kFunctionCount
};

struct FunctionRow {
  std::size_t library;  // index into kLibraries
  const char* name;
};

// In the order of Function.
constexpr FunctionRow kFunctions[] = {
    {0, "InitCommonControlsEx"}, {0, "ImageList_Create"},          {0, "ImageList_Destroy"},
    {0, "ImageList_ReplaceIcon"}, {1, "CreateStdAccessibleObject"}, {1, "LresultFromObject"},
};
static_assert(std::size(kFunctions) == kFunctionCount);

// What the living SystemLibraries found; all null while there is none.
FARPROC found[kFunctionCount] = {};

template <typename Signature>
Signature Found(Function function) {
  return reinterpret_cast<Signature>(reinterpret_cast<void*>(found[function]));
}

}  // namespace

SystemLibraries::SystemLibraries() {
  for (std::size_t i = 0; i < std::size(kLibraries); ++i) modules_[i] = LoadSystemLibrary(kLibraries[i]);
  for (std::size_t i = 0; i < kFunctionCount; ++i) {
    const HMODULE module = modules_[kFunctions[i].library];
    found[i] = module != nullptr ? ::GetProcAddress(module, kFunctions[i].name) : nullptr;
    if (found[i] == nullptr && missingFunction_.empty()) {
      missingLibrary_ = kLibraries[kFunctions[i].library];
      for (const char* c = kFunctions[i].name; *c != '\0'; ++c) missingFunction_ += static_cast<wchar_t>(*c);
    }
  }
}

SystemLibraries::~SystemLibraries() {
  for (FARPROC& function : found) function = nullptr;
  for (HMODULE module : modules_)
    if (module != nullptr) ::FreeLibrary(module);
}

namespace system_call {

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  const auto call = Found<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(kInitCommonControlsEx);
  return call != nullptr ? call(controls) : FALSE;
}

HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow) {
  const auto call = Found<HIMAGELIST(WINAPI*)(int, int, UINT, int, int)>(kImageListCreate);
  return call != nullptr ? call(width, height, flags, initial, grow) : nullptr;
}

BOOL ImageListDestroy(HIMAGELIST list) {
  const auto call = Found<BOOL(WINAPI*)(HIMAGELIST)>(kImageListDestroy);
  return call != nullptr ? call(list) : FALSE;
}

int ImageListAddIcon(HIMAGELIST list, HICON icon) {
  const auto call = Found<int(WINAPI*)(HIMAGELIST, int, HICON)>(kImageListReplaceIcon);
  return call != nullptr ? call(list, -1, icon) : -1;
}

HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID iid, void** object) {
  const auto call = Found<HRESULT(WINAPI*)(HWND, LONG, REFIID, void**)>(kCreateStdAccessibleObject);
  if (call != nullptr) return call(window, objectId, iid, object);
  if (object != nullptr) *object = nullptr;
  return E_FAIL;
}

LRESULT LresultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
  const auto call = Found<LRESULT(WINAPI*)(REFIID, WPARAM, IUnknown*)>(kLresultFromObject);
  return call != nullptr ? call(iid, wParam, object) : static_cast<LRESULT>(E_FAIL);
}

}  // namespace system_call

}  // namespace kestrune
