#include "controls/monitor/kept_volume.h"

#include <algorithm>

namespace kestrune::monitor {

namespace {

// A handle that failed (the drive locked or dismounted) or could not be had is tried again after
// this long: a dead handle stays dead until opened anew, and asking every sample would pay for a
// failing query besides the fallback each time.
constexpr std::uint64_t kRetryAfter = 60'000;

bool Between(std::uint64_t value, std::uint64_t a, std::uint64_t b) {
  return std::min(a, b) <= value && value <= std::max(a, b);
}

// The handle's figures were read between the two reads of the system's query. On a disk being
// written they differ from both by what was written meanwhile, so they must lie between them.
bool Between(const DiskFigures& kept, const DiskFigures& before, const DiskFigures& after) {
  return Between(kept.freeToCaller, before.freeToCaller, after.freeToCaller) &&
         Between(kept.total, before.total, after.total) && Between(kept.totalFree, before.totalFree, after.totalFree);
}

}  // namespace

void KeptVolume::LetGo(VolumeAccess& access, std::uint64_t now) {
  if (open_) access.Close();
  open_ = false;
  retryAt_ = now + kRetryAfter;
}

bool KeptVolume::ThroughHandle(VolumeAccess& access, std::uint64_t now, DiskFigures& figures) {
  if (!open_) {
    if (now < retryAt_) return false;
    open_ = access.Open(root_);
  }
  if (open_ && access.Read(form_ == Form::FullSize ? VolumeForm::FullSize : VolumeForm::Size, figures)) return true;
  LetGo(access, now);
  return false;
}

void KeptVolume::Learn(VolumeAccess& access, std::uint64_t now, const DiskFigures& before) {
  // The systems compute the query's figures from the volume's records in their own ways (Windows
  // from the full sizes, Wine from the plain ones): the handle is believed in the form that gives them.
  if (open_ || (open_ = access.Open(root_))) {
    DiskFigures full, plain, after;
    const bool fullRead = access.Read(VolumeForm::FullSize, full);
    const bool plainRead = access.Read(VolumeForm::Size, plain);
    if (access.Query(root_, after)) {
      if (fullRead && Between(full, before, after)) form_ = Form::FullSize;
      else if (plainRead && Between(plain, before, after)) form_ = Form::Size;
    }
  }
  if (form_ == Form::Unknown) LetGo(access, now);
}

bool KeptVolume::Sample(VolumeAccess& access, const std::wstring& root, std::uint64_t now, DiskFigures& figures) {
  if (root != root_) {
    LetGo(access, now);
    root_ = root;
    form_ = Form::Unknown;
    retryAt_ = now;
  }
  if (form_ != Form::Unknown && ThroughHandle(access, now, figures)) return true;
  // Meanwhile the system's query gives the right figures, at the cost the handle saves.
  if (!access.Query(root, figures)) return false;
  if (form_ == Form::Unknown && now >= retryAt_) Learn(access, now, figures);
  return true;
}

}  // namespace kestrune::monitor
