#pragma once
// The free-space figures of a drive, read through a handle kept open on its root. The system's own
// free-space query opens and closes the root for every sample, two calls to the Wine server that a
// kept handle saves twice a second; the query stays the fallback whenever the handle cannot serve.
#include <cstdint>
#include <string>

namespace kestrune::monitor {

struct DiskFigures {
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
};

// The volume's two size records: the full one (free to this user, free at all) and the plain one.
enum class VolumeForm : unsigned char { FullSize, Size };

// What the platform offers: a handle kept on the root, and the system's query.
class VolumeAccess {
 public:
  virtual ~VolumeAccess() = default;
  // Opens a handle on the root and keeps it (closing one kept before); false when it cannot be had.
  virtual bool Open(const std::wstring& root) = 0;
  virtual void Close() = 0;
  // The figures from one of the size records, through the kept handle; false when that fails.
  virtual bool Read(VolumeForm form, DiskFigures& figures) = 0;
  // The system's free-space query for the root; false when it fails.
  virtual bool Query(const std::wstring& root, DiskFigures& figures) = 0;
};

class KeptVolume {
 public:
  // The root's figures as the system's query gives them; now: a clock in milliseconds that only
  // moves forward. False when they cannot be had.
  bool Sample(VolumeAccess& access, const std::wstring& root, std::uint64_t now, DiskFigures& figures);

 private:
  enum class Form : unsigned char { Unknown, FullSize, Size };
  bool ThroughHandle(VolumeAccess& access, std::uint64_t now, DiskFigures& figures);
  // Finds the size record whose figures are the query's (before: the query's just now).
  void Learn(VolumeAccess& access, std::uint64_t now, const DiskFigures& before);
  // Closes the handle, if open, and asks for it again no sooner than a minute from now.
  void LetGo(VolumeAccess& access, std::uint64_t now);

  Form form_ = Form::Unknown;
  bool open_ = false;
  std::uint64_t retryAt_ = 0;
  std::wstring root_;
};

}  // namespace kestrune::monitor
