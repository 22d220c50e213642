#pragma once
// Events the tab strip raises to the form that hosts it. Arguments passed by reference may be
// changed by the host; the strip reads back only the cancel flag of BeforeTabSwitch and the
// button and position of MouseDown and MouseMove.
namespace kestrune::tabstrip {

class TabStripEvents {
 public:
  virtual ~TabStripEvents() = default;
  virtual void BeforeTabSwitch(int /*newTab*/, bool& /*cancel*/) {}
  virtual void TabSwitch(int /*previousTab*/) {}
  virtual void Click() {}
  virtual void ControlBoxEnter() {}
  virtual void ControlBoxExit() {}
  virtual void ControlBoxHover(float& /*x*/, float& /*y*/) {}
  virtual void ControlBoxMouseDown(float& /*x*/, float& /*y*/) {}
  virtual void ControlBoxMouseUp(float& /*x*/, float& /*y*/) {}
  virtual void DblClick() {}
  virtual void KeyDown(int& /*keyCode*/, int& /*shift*/) {}
  virtual void KeyUp(int& /*keyCode*/, int& /*shift*/) {}
  virtual void KeyPress(int& /*charCode*/) {}
  virtual void MouseDown(int& /*button*/, int& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseMove(int& /*button*/, int& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseUp(int& /*button*/, int& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseHover(int& /*tab*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseScrollUp() {}
  virtual void MouseScrollDown() {}
  virtual void TabInsert(int& /*index*/) {}
  virtual void TabRemove(int& /*index*/) {}
  virtual void AfterCompleteInit() {}
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
};

}  // namespace kestrune::tabstrip
