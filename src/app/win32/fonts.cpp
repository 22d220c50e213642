#include "app/win32/fonts.h"

#include <cwchar>
#include <initializer_list>

namespace kestrune {
namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool FaceInstalled(const wchar_t* face) {
  HDC dc = ::GetDC(nullptr);
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  ::EnumFontFamiliesExW(dc, &query, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, dc);
  return found;
}

const wchar_t* PickJapaneseFace() {
  static const wchar_t* const kFaces[] = {L"Meiryo UI", L"MS UI Gothic", L"Yu Gothic UI", L"IPAPGothic",
                                          L"IPAGothic", L"MS PGothic", L"MS Gothic"};
  for (const wchar_t* face : kFaces)
    if (FaceInstalled(face)) return face;
  return L"MS UI Gothic";  // let the font mapper find a Japanese face by character set
}

HFONT MakeFont(const wchar_t* face, int points, int dpi, int weight, bool underline) {
  return ::CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE,
                       SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

void UiFonts::Create(int dpi) {
  const wchar_t* face = PickJapaneseFace();
  normal = MakeFont(face, 9, dpi, FW_NORMAL, false);
  bold = MakeFont(face, 9, dpi, FW_BOLD, false);
  title = MakeFont(face, 16, dpi, FW_BOLD, false);
  underline = MakeFont(face, 9, dpi, FW_NORMAL, true);
}

void UiFonts::Destroy() {
  for (HFONT* font : {&normal, &bold, &title, &underline}) {
    if (*font != nullptr) ::DeleteObject(*font);
    *font = nullptr;
  }
}

}  // namespace kestrune
