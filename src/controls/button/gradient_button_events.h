#pragma once
// The events the gradient button raises to the window that hosts it. Arguments are references so the
// host can change them; the button goes on with the changed values (a host may swallow a key by
// setting its code to 0).
#include <cstdint>

namespace kestrune::button {

class GradientButtonEvents {
 public:
  virtual ~GradientButtonEvents() = default;
  virtual void Click() {}
  virtual void KeyDown(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}
  virtual void KeyPress(std::int16_t& /*keyAscii*/) {}
  virtual void KeyUp(std::int16_t& /*keyCode*/, std::int16_t& /*shift*/) {}
  virtual void MouseDown(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseMove(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseUp(std::int16_t& /*button*/, std::int16_t& /*shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseOut() {}
};

}  // namespace kestrune::button
