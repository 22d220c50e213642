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

HFONT MakeFont(const wchar_t* face, BYTE charset, int points, int dpi, int weight, bool underline) {
  return ::CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, underline ? TRUE : FALSE, FALSE, charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

}  // namespace

std::wstring SystemUiFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) == FALSE ||
      metrics.lfMessageFont.lfFaceName[0] == L'\0')
    return L"MS Shell Dlg 2";  // the dialog face, which the system maps to its own
  return metrics.lfMessageFont.lfFaceName;
}

void UiFonts::Create(int dpi, Language language) {
  const bool english = language == Language::English;
  const std::wstring face = english ? SystemUiFace() : PickJapaneseFace();
  const BYTE charset = english ? DEFAULT_CHARSET : SHIFTJIS_CHARSET;
  normal = MakeFont(face.c_str(), charset, 9, dpi, FW_NORMAL, false);
  bold = MakeFont(face.c_str(), charset, 9, dpi, FW_BOLD, false);
  title = MakeFont(face.c_str(), charset, 16, dpi, FW_BOLD, false);
  underline = MakeFont(face.c_str(), charset, 9, dpi, FW_NORMAL, true);
}

void UiFonts::Destroy() {
  for (HFONT* font : {&normal, &bold, &title, &underline}) {
    if (*font != nullptr) ::DeleteObject(*font);
    *font = nullptr;
  }
}

}  // namespace kestrune
