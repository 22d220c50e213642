#pragma once
// What tells this copy's seat (the machine and the log-on session it runs in) from any other that
// may start a copy from the same folder: two users logged on, a remote desktop, another computer
// with the folder on a share or a stick, another Wine prefix. Stable from one start to the next in
// the same session, so that a copy started again after a crash finds what it left.
#include <string>

namespace kestrune {

std::wstring SeatIdentity();

}  // namespace kestrune
