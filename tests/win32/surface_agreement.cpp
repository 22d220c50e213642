// Windows check, run under Wine or on Windows: the GDI surface and the raster surface must paint the
// same pixels (text aside), and the monitor must run in the real window binding with real figures.
// The monitor, the tab strip and the gradient button are drawn with the main window's saved sets;
// text is left out of those drawings (fixed measurements, nothing painted), so every pixel that is
// compared belongs to lines, fills, gradients, pictures and focus marks.
//
// Built by the Windows build as the target surface_agreement (bin/surface_agreement.exe) and run by
// scripts/e2e.sh before the end-to-end driver:
//   wine bin/surface_agreement.exe <folder for PNGs>
// It prints one line per comparison and ends with AGREE (exit code 0) or DIFFER (exit code 1).
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "app/form_main_button_props.h"
#include "app/form_main_monitor_props.h"
#include "app/form_main_tabstrip_props.h"
#include "app/tab_images.h"
#include "controls/button/gradient_button.h"
#include "controls/tabstrip/tab_strip.h"
#include "controls/monitor/system_monitor.h"
#include "controls/monitor/win32/system_figures.h"
#include "fakes/fake_system_figures.h"
#include "fakes/null_control_host.h"
#include "platform/control_error.h"
#include "platform/raster/raster_surface.h"
#include "platform/win32/control_window.h"
#include "platform/win32/gdi_surface.h"
#include "platform/win32/system_colors.h"
#include "platform/win32/system_libraries.h"

using namespace kestrune;
using namespace kestrune::monitor;

namespace {

int Differences(const Surface& a, const Surface& b, const char* what) {
  int diff = 0;
  int firstX = -1;
  int firstY = -1;
  for (int y = 0; y < a.ScaleHeight(); ++y)
    for (int x = 0; x < a.ScaleWidth(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
        if (diff++ == 0) {
          firstX = x;
          firstY = y;
        }
      }
  std::printf("%-28s %6d differing pixels", what, diff);
  if (diff) std::printf(" (first at %d,%d: gdi %06lx raster %06lx)", firstX, firstY,
                        static_cast<unsigned long>(a.GetPixel(firstX, firstY)),
                        static_cast<unsigned long>(b.GetPixel(firstX, firstY)));
  std::printf("\n");
  return diff;
}

void CopyInto(const Surface& from, RasterSurface& to) {
  to.Resize(from.ScaleWidth(), from.ScaleHeight());
  for (int y = 0; y < from.ScaleHeight(); ++y)
    for (int x = 0; x < from.ScaleWidth(); ++x) to.SetPixel(x, y, from.GetPixel(x, y));
}

int Compare(const char* what, const std::function<void(Surface&)>& draw, const std::string& folder) {
  GdiSurface gdi(120, 80);
  RasterSurface raster(120, 80);
  gdi.Clear(0xFFFFFF);
  raster.Clear(0xFFFFFF);
  draw(gdi);
  draw(raster);
  const int diff = Differences(gdi, raster, what);
  if (diff && !folder.empty()) {
    RasterSurface copy(1, 1);
    CopyInto(gdi, copy);
    copy.WritePng(folder + "/gdi_" + what + ".png");
    raster.WritePng(folder + "/raster_" + what + ".png");
  }
  return diff;
}

int CompareMonitor(int style, const std::string& folder) {
  Win32SystemColors colors;
  auto run = [&](Surface& surface) {
    testing::NullControlHost host(Rect{0, 0, 441, 89}, 0);
    testing::FakeSystemFigures figures;
    CpuSamplerState state;
    SystemMonitor m(host, surface, figures, colors, state);
    m.Load(SystemMonitorStateProperties());
    m.Set<std::int32_t>("DiagramStyle", style);
    figures.diskTotal = 1000;
    std::int64_t clock = 0;
    std::int64_t idle = 0;
    for (int i = 0; i < 300; ++i) {
      const int load = 30 + (i * 7) % 50;
      clock += 10'000'000;
      idle += (100 - load) * 100'000;
      figures.systemTimes = {clock};
      figures.idleTimes = {idle};
      figures.memory = MemoryStatus{static_cast<std::uint32_t>(55 + i / 30), 1000, 400 - i / 2, 1000, 700, 1000, 900};
      figures.diskFreeToCaller = static_cast<std::uint64_t>(350 + (i % 40) * 5);
      m.OnTimer(SystemMonitor::kTimerId);
    }
  };
  GdiSurface gdi(441, 89);
  RasterSurface raster(441, 89);
  run(gdi);
  run(raster);
  const std::string name = "monitor_style" + std::to_string(style);
  const int diff = Differences(gdi, raster, name.c_str());
  if (!folder.empty()) {
    RasterSurface copy(1, 1);
    CopyInto(gdi, copy);
    copy.WritePng(folder + "/gdi_" + name + ".png");
  }
  return diff;
}

// Forwards every primitive to the surface it wraps, except text: measured with fixed metrics and
// not painted. Both surfaces then lay a control out alike, and only non-text pixels are left to
// compare (the raster surface's glyphs are a documented stand-in, not the system's fonts).
class WithoutText : public Surface {
 public:
  explicit WithoutText(Surface& inner) : inner_(inner) {}
  int ScaleWidth() const override { return inner_.ScaleWidth(); }
  int ScaleHeight() const override { return inner_.ScaleHeight(); }
  void Resize(int width, int height) override { inner_.Resize(width, height); }
  void SetDrawMode(DrawMode mode) override { inner_.SetDrawMode(mode); }
  DrawMode GetDrawMode() const override { return inner_.GetDrawMode(); }
  void SetFont(const Font& font) override { inner_.SetFont(font); }
  const Font& GetFont() const override { return inner_.GetFont(); }
  void Clear(Rgb back) override { inner_.Clear(back); }
  void Line(int x1, int y1, int x2, int y2, Rgb pen) override { inner_.Line(x1, y1, x2, y2, pen); }
  void FillRect(const Rect& rect, Rgb color) override { inner_.FillRect(rect, color); }
  void FrameRect(const Rect& rect, Rgb color) override { inner_.FrameRect(rect, color); }
  void Rectangle(const Rect& rect, Rgb pen, std::optional<Rgb> fill) override { inner_.Rectangle(rect, pen, fill); }
  void RoundRect(const Rect& rect, int ew, int eh, Rgb pen, std::optional<Rgb> fill) override {
    inner_.RoundRect(rect, ew, eh, pen, fill);
  }
  void SetPixel(int x, int y, Rgb color) override { inner_.SetPixel(x, y, color); }
  Rgb GetPixel(int x, int y) const override { return inner_.GetPixel(x, y); }
  int DrawText(std::wstring_view text, Rect& rect, unsigned format, Rgb) override {
    const TextSize size = MeasureText(text);
    if (format & textfmt::kCalcRect) {
      rect.right = rect.left + size.width;
      rect.bottom = rect.top + size.height;
    }
    return size.height;
  }
  TextSize MeasureText(std::wstring_view text) const override {
    return TextSize{static_cast<int>(text.size()) * 7, 12};
  }
  void DrawFocusRect(const Rect& rect) override { inner_.DrawFocusRect(rect); }
  void DrawPicture(const Picture& picture, const Rect& dest, std::optional<Rgb> transparent) override {
    inner_.DrawPicture(picture, dest, transparent);
  }
  void Present() override { inner_.Present(); }

 private:
  Surface& inner_;
};

// Draws one control on a GDI and a raster surface of the same size and counts differing pixels.
int CompareControl(const std::string& name, int width, int height, const std::function<void(Surface&)>& draw,
                   const std::string& folder) {
  GdiSurface gdi(width, height);
  RasterSurface raster(width, height);
  WithoutText gdiNoText(gdi);
  WithoutText rasterNoText(raster);
  draw(gdiNoText);
  draw(rasterNoText);
  const int diff = Differences(gdi, raster, name.c_str());
  if (!folder.empty()) {
    RasterSurface copy(1, 1);
    CopyInto(gdi, copy);
    copy.WritePng(folder + "/gdi_" + name + ".png");
    if (diff) raster.WritePng(folder + "/raster_" + name + ".png");
  }
  return diff;
}

// A fixed visual style (a themed system of the XP family), the same for both surfaces.
class FixedTabStripPlatform : public tabstrip::TabStripPlatform {
 public:
  tabstrip::OsVersion Version() const override { return {true, 2, 5, 1, 2600}; }
  bool CurrentThemeName(std::wstring& colorName) const override {
    colorName = L"NormalColor";
    return true;
  }
  std::uint32_t DeviceContext() const override { return 0; }
  void LockWindowUpdate(WindowHandle) override {}
  int Dpi() const override { return 96; }
  void SetParent(WindowHandle, WindowHandle) override {}
  void SetWindowPos(WindowHandle, int, int, int, int, unsigned) override {}
  std::wstring ShowOpenFileDialog(const tabstrip::OpenFileRequest&) override { return {}; }
};

// The main window's strip as its load step leaves it, on each page, and in the other looks.
int CompareTabStrips(const std::string& folder, int& focusDiff) {
  constexpr int kWidth = 454;
  constexpr int kHeight = 300;
  Win32SystemColors colors;
  FixedTabStripPlatform platform;
  Font formFont;
  formFont.size = 9.0;
  // after: what happens to the drawn strip next (focus, pointer), the same on both surfaces.
  auto strip = [&](int activeTab, int style, int theme,
                   std::function<void(tabstrip::TabStrip&)> after = nullptr) {
    return [=, &colors, &platform](Surface& surface) {
      testing::NullControlHost host(Rect{0, 0, kWidth, kHeight});  // the button face, as on the form
      tabstrip::TabStrip s(host, surface, colors, platform);
      s.Load(TabStripMainProperties(formFont));
      s.CopyTabImagesFromImageList(TabMainImages());
      const wchar_t* captions[] = {L" 状態 ", L" ソフト設定 ", L" 加速記録 ", L" について "};
      for (int i = 0; i < 4; ++i) s.SetTabCaption(i, captions[i]);
      if (style >= 0) s.Set<std::int32_t>("TabStyle", style);
      if (theme >= 0) s.SetTabTheme(theme);
      s.Set<std::int32_t>("ActiveTabHeight", 25);
      s.SetActiveTab(activeTab);
      s.Redraw();
      if (after) after(s);
    };
  };
  int diff = 0;
  for (int tab = 0; tab < 4; ++tab) {
    diff += CompareControl("tabstrip_page" + std::to_string(tab), kWidth, kHeight, strip(tab, -1, -1), folder);
  }
  // The hover highlight, drawn (and later erased) by inverting.
  const auto hover = [](tabstrip::TabStrip& s) { s.OnMouseMove(0, 0, 150.0f, 10.0f); };
  diff += CompareControl("tabstrip_xp_hover", kWidth, kHeight, strip(0, -1, -1, hover), folder);
  diff += CompareControl("tabstrip_beige_hover", kWidth, kHeight, strip(0, -1, 4, hover), folder);
  // The focus mark is a dotted inversion, whose phase Wine draws differently (see "focus" in main):
  // reported, not counted.
  const auto focus = [](tabstrip::TabStrip& s) { s.OnGotFocus(); };
  focusDiff += CompareControl("tabstrip_focus", kWidth, kHeight, strip(0, -1, -1, focus), folder);
  for (int style = 0; style <= 1; ++style) {
    for (int theme = 0; theme <= 4; ++theme) {
      diff += CompareControl("tabstrip_style" + std::to_string(style) + "_theme" + std::to_string(theme), kWidth,
                             kHeight, strip(1, style, theme), folder);
    }
  }
  return diff;
}

// The main window's two buttons, then every button type with the same saved set.
int CompareButtons(const std::string& folder, int& focusDiff) {
  constexpr int kWidth = 76;
  constexpr int kHeight = 26;
  Win32SystemColors colors;
  auto button = [&](const PropertyBag& saved, int type, int scheme,
                    std::function<void(button::GradientButton&)> after = nullptr) {
    return [=, &colors](Surface& surface) {
      testing::NullControlHost host(Rect{0, 0, kWidth, kHeight});  // the button face, as on the form
      button::GradientButton b(host, surface, colors, L"Command");
      b.Load(saved);
      if (type >= 0) b.SetButtonType(static_cast<button::ButtonKind>(type));
      if (scheme >= 0) b.SetColorScheme(scheme);
      b.Redraw();
      if (after) after(b);
    };
  };
  // Focused, under the pointer, and pressed: the other looks a user sees.
  const auto focused = [](button::GradientButton& b) { b.OnGotFocus(); };
  const auto hovered = [](button::GradientButton& b) { b.OnMouseMove(0, 0, 38.0f, 13.0f); };
  const auto pressed = [](button::GradientButton& b) {
    b.OnMouseMove(1, 0, 38.0f, 13.0f);
    b.OnMouseDown(1, 0, 38.0f, 13.0f);
  };
  int diff = CompareControl("button_exit", kWidth, kHeight, button(CommandExitProperties(), -1, -1), folder) +
             CompareControl("button_mini", kWidth, kHeight, button(CommandMiniProperties(), -1, -1), folder);
  for (int type = 1; type <= 5; ++type) {
    const std::string name = "button_type" + std::to_string(type);
    // Focus marks: reported, not counted, as for the strip.
    focusDiff += CompareControl(name + "_focused", kWidth, kHeight,
                                button(CommandExitProperties(), type, -1, focused), folder);
    diff += CompareControl(name + "_hovered", kWidth, kHeight, button(CommandExitProperties(), type, -1, hovered),
                           folder) +
            CompareControl(name + "_pressed", kWidth, kHeight, button(CommandExitProperties(), type, -1, pressed),
                           folder);
    for (int scheme = 1; scheme <= 3; ++scheme) {
      diff += CompareControl("button_type" + std::to_string(type) + "_scheme" + std::to_string(scheme), kWidth,
                             kHeight, button(CommandExitProperties(), type, scheme), folder);
    }
  }
  return diff;
}

class PrintEvents : public SystemMonitorEvents {
 public:
  void SystemLevelsUpdated(const SystemLevels& l) override {
    ++count;
    std::printf("tick %d: cpu %d%% mem %d%% phys %lld/%lld page %.1f%% virt %.1f%% disk %lld/%lld free %.2f%%\n", count,
                l.CPULoadPercent, l.MemoryLoadPercent, static_cast<long long>(l.PhysicalMemoryAvailable),
                static_cast<long long>(l.PhysicalMemoryTotal), static_cast<double>(l.PageFileAvailablePercent),
                static_cast<double>(l.VirtualMemoryAvailablePercent), static_cast<long long>(l.HDAvailableFreeBytes),
                static_cast<long long>(l.HDTotalBytes), static_cast<double>(l.HDAvailablePercent));
  }
  int count = 0;
};

int RunInWindow(const std::string& folder) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"KestruneSurfaceCheck";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  ::RegisterClassW(&wc);
  const HWND form = ::CreateWindowW(L"KestruneSurfaceCheck", L"Kestrune surface check", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    50, 50, 500, 160, nullptr, nullptr, instance, nullptr);
  Win32SystemFigures figures;
  Win32SystemColors colors;
  PrintEvents events;
  const PropertyBag saved = SystemMonitorStateProperties();
  std::vector<std::string> changed;
  ControlWindow window;
  ControlWindowArgs args;
  args.parent = form;
  args.bounds = Rect{8, 8, 8 + 441, 8 + 89};
  args.id = 100;
  args.saved = &saved;
  args.createControl = [&](ControlHost& host, Surface& surface) {
    auto m = std::make_unique<SystemMonitor>(host, surface, figures, colors);
    m->SetEvents(&events);
    return m;
  };
  args.onPropertyChanged = [&](ControlWindow&, std::string_view key) { changed.emplace_back(key); };
  if (!window.Create(args)) {
    std::printf("control window not created: %ls\n", window.LastError().c_str());
    return 1;
  }
  auto* monitor = static_cast<SystemMonitor*>(window.Control());
  monitor->SetHDDriveLetter(L"c");  // a bare letter stays as it is
  monitor->SetHDDriveLetter(L"c:");
  // Until the monitor's own timer has ticked five times; the bound only ends a run that hangs (a busy
  // machine delays timer messages, so a fixed time would not promise five ticks).
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (events.count < 5 && ::GetTickCount() - start < 60000) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::Sleep(10);
  }
  RECT client{};
  ::GetClientRect(window.Hwnd(), &client);
  std::printf("ticks %d, client %ldx%ld, changed keys %zu, text length %ld\n", events.count, client.right, client.bottom,
              changed.size(), static_cast<long>(::SendMessageW(window.Hwnd(), WM_GETTEXTLENGTH, 0, 0)));
  if (!folder.empty()) {
    RasterSurface copy(1, 1);
    CopyInto(*window.DrawingSurface(), copy);
    copy.WritePng(folder + "/gdi_monitor_live.png");
  }
  window.Destroy();
  ::DestroyWindow(form);
  return events.count >= 5 && client.right == 441 && client.bottom == 89 && changed.size() == 2 ? 0 : 1;
}

// A control that logs what the binding delivers and fails where told to.
class RecordingControl : public OwnControl {
 public:
  RecordingControl(ControlHost& host, Surface& surface, std::vector<std::string>& log, bool failLoad)
      : host_(host), surface_(surface), log_(log), failLoad_(failLoad) {}
  void InitNew() override { log_.push_back("InitNew"); }
  void Load(const PropertyBag&) override {
    if (failLoad_) throw MakeControlError(errnum::kInvalidPropertyValue, "Recording.Load");
    host_.SetAccessKeys(L"H");
    log_.push_back("Load");
  }
  void Save(PropertyBag&) override {}
  void Redraw() override {
    surface_.Clear(0x00FF00);
    surface_.Present();
  }
  void OnResize(int w, int h) override { log_.push_back("Resize " + std::to_string(w) + "x" + std::to_string(h)); }
  void OnMouseDown(int b, int, float x, float y) override {
    log_.push_back("MouseDown " + std::to_string(b) + " " + std::to_string(static_cast<int>(x)) + "," +
                   std::to_string(static_cast<int>(y)));
  }
  void OnMouseUp(int b, int, float, float) override { log_.push_back("MouseUp " + std::to_string(b)); }
  void OnClick() override { log_.push_back("Click"); }
  void OnDblClick() override { log_.push_back("DblClick"); }
  void OnKeyPress(int c) override { log_.push_back("KeyPress " + std::to_string(c)); }
  void OnAccessKeyPress(wchar_t k) override { log_.push_back(std::string("AccessKey ") + static_cast<char>(k)); }
  void OnTimer(int id) override {
    log_.push_back("Timer " + std::to_string(id));
    throw MakeControlError(errnum::kSubscriptOutOfRange, "Recording.Timer");
  }
  std::wstring Text() const override { return L"&Hello"; }

 private:
  ControlHost& host_;
  Surface& surface_;
  std::vector<std::string>& log_;
  bool failLoad_;
};

int CheckBinding() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const HWND form = ::CreateWindowW(L"KestruneSurfaceCheck", L"binding", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300,
                                    200, nullptr, nullptr, instance, nullptr);
  std::vector<std::string> log;
  const PropertyBag bag;
  ControlWindowArgs args;
  args.parent = form;
  args.bounds = Rect{10, 10, 110, 60};
  args.saved = &bag;
  args.createControl = [&](ControlHost& host, Surface& surface) {
    return std::make_unique<RecordingControl>(host, surface, log, false);
  };
  ControlWindow window;
  int failures = 0;
  auto expect = [&](bool ok, const char* what) {
    std::printf("binding: %-44s %s\n", what, ok ? "ok" : "FAILED");
    if (!ok) ++failures;
  };
  expect(window.Create(args), "created with saved settings");
  const HWND hwnd = window.Hwnd();
  ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 7));
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
  ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 7));
  ::SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 7));
  ::SendMessageW(hwnd, WM_CHAR, 'x', 0);
  MSG alt{};
  alt.hwnd = form;
  alt.message = WM_SYSCHAR;
  alt.wParam = 'h';
  expect(ControlWindow::TranslateAccessKey(alt), "access key found from the form");
  wchar_t text[32] = {};
  ::SendMessageW(hwnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
  expect(std::wstring(text) == L"&Hello", "window text is the caption");
  ::SendMessageW(hwnd, WM_TIMER, 3, 0);
  expect(::IsWindow(hwnd) && window.LastError().find(L"Subscript") != std::wstring::npos,
         "a failing handler is kept inside the window");
  window.SetWindowBorder(1, 1);
  const std::vector<std::string> expected{"Load",      "MouseDown 1 5,7", "MouseUp 1", "Click", "DblClick",
                                          "MouseUp 1", "KeyPress 120",    "AccessKey h", "Timer 3", "Resize 96x46"};
  expect(log == expected, "events in toolkit order");
  for (const std::string& line : log) std::printf("  %s\n", line.c_str());
  window.Destroy();
  expect(window.Hwnd() == nullptr, "destroyed");

  ControlWindow failing;
  args.createControl = [&](ControlHost& host, Surface& surface) {
    return std::make_unique<RecordingControl>(host, surface, log, true);
  };
  expect(!failing.Create(args) && !failing.LastError().empty() && failing.Hwnd() == nullptr,
         "a failed load fails creation with its text");
  ::DestroyWindow(form);
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  // The own controls' windows reach comctl32 and oleacc as in the program.
  const SystemLibraries libraries;
  const std::string folder = argc > 1 ? argv[1] : "";
  int diff = 0;
  diff += Compare("lines", [](Surface& s) {
    for (int i = 0; i < 12; ++i) {
      s.Line(60, 40, 60 + (i - 6) * 9, 0, 0x0000FF);
      s.Line(60, 40, 60 + (i - 6) * 9, 79, 0x00AA00);
      s.Line(60, 40, 0, 40 + (i - 6) * 6, 0xAA0000);
      s.Line(60, 40, 119, 40 + (i - 6) * 6, 0x333333);
    }
  }, folder);
  diff += Compare("rectangles", [](Surface& s) {
    s.FillRect(Rect{2, 2, 30, 20}, 0x0000FF);
    s.FrameRect(Rect{35, 2, 60, 20}, 0x00AA00);
    s.Rectangle(Rect{65, 2, 100, 30}, 0xAA0000, 0x88CCFF);
    s.Rectangle(Rect{2, 40, 20, 60}, 0x000000, std::nullopt);
    s.SetPixel(110, 70, 0x123456);
  }, folder);
  diff += Compare("xor", [](Surface& s) {
    s.FillRect(Rect{0, 0, 120, 40}, 0x808080);
    s.SetDrawMode(DrawMode::XorPen);
    s.Line(0, 10, 120, 30, 0xFFFFFF);
    s.Rectangle(Rect{10, 5, 50, 35}, 0x00FF00, 0x0000FF);
  }, folder);
  // The raster focus rectangle inverts on the checkerboard fixed to the image origin, as the pattern
  // brush of Windows' focus rectangle does; Wine draws it with an alternating pen that starts at the
  // top right corner, so the phase differs there. Reported, not counted.
  const int focusDiff = Compare("focus", [](Surface& s) {
    s.DrawFocusRect(Rect{3, 3, 60, 40});
    s.DrawFocusRect(Rect{10, 50, 110, 75});
  }, folder);
  diff += Compare("picture", [](Surface& s) {
    Picture p;
    p.kind = Picture::Kind::Bitmap;
    p.width = 3;
    p.height = 2;
    p.pixels = {0x0000FF, 0x00FF00, 0xFF00FF, 0xFF0000, 0xFF00FF, 0x00FFFF};
    s.DrawPicture(p, Rect{5, 5, 65, 45}, Rgb{0xFF00FF});
  }, folder);
  diff += Compare("roundrect", [](Surface& s) {
    s.RoundRect(Rect{2, 2, 60, 40}, 10, 10, 0x000080, 0xC0E0FF);
    s.RoundRect(Rect{64, 10, 118, 70}, 20, 12, 0x008000, std::nullopt);
  }, folder) + Compare("roundrect_sizes", [](Surface& s) {
    int x = 1;
    for (int e = 3; e <= 13; e += 2) {
      s.RoundRect(Rect{x, 1, x + e + 5, 1 + e + 9}, e, e + 1, 0x000080, 0xC0E0FF);
      s.RoundRect(Rect{x, 40, x + e + 6, 40 + e + 8}, e + 1, e, 0x008000, std::nullopt);
      x += e + 8;
    }
  }, folder);
  for (int style = 0; style <= 2; ++style) diff += CompareMonitor(style, folder);
  int controlFocusDiff = 0;
  diff += CompareTabStrips(folder, controlFocusDiff);
  diff += CompareButtons(folder, controlFocusDiff);
  {
    // Text is not compared (the raster surface has fixed metrics); written for a person to look at.
    GdiSurface text(200, 60);
    text.Clear(0xFFFFFF);
    Rect r{0, 0, 200, 30};
    text.DrawText(L"&Kestrune \x666E\x901A\x52A0\x901F", r, textfmt::kCenter | textfmt::kVCenter | textfmt::kSingleLine,
                  0x800000);
    const TextSize size = text.MeasureText(L"Kestrune");
    text.DrawFocusRect(Rect{2, 2, 198, 28});
    std::printf("text: \"Kestrune\" measures %dx%d in the default font\n", size.width, size.height);
    if (!folder.empty()) {
      RasterSurface copy(1, 1);
      CopyInto(text, copy);
      copy.WritePng(folder + "/gdi_text.png");
    }
  }
  const int live = RunInWindow(folder) + CheckBinding();
  std::printf("focus rectangles differ in %d pixels, the controls' focus marks in %d (reported, not counted)\n",
              focusDiff, controlFocusDiff);
  std::printf("%s\n", diff == 0 && live == 0 ? "AGREE" : "DIFFER");
  return diff == 0 && live == 0 ? 0 : 1;
}
