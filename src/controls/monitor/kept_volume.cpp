#include "controls/monitor/kept_volume.h"

namespace kestrune::monitor {

bool KeptVolume::ThroughHandle(VolumeAccess& access, const std::wstring& root, VolumeForm form, DiskFigures& figures) {
  if (root != root_) {
    open_ = access.Open(root);
    root_ = root;
  }
  return open_ && access.Read(form, figures);
}

bool KeptVolume::Sample(VolumeAccess& access, const std::wstring& root, std::uint64_t, DiskFigures& figures) {
  if (form_ == Form::FullSize || form_ == Form::Size) {
    const VolumeForm form = form_ == Form::FullSize ? VolumeForm::FullSize : VolumeForm::Size;
    if (ThroughHandle(access, root, form, figures)) return true;
  }
  if (!access.Query(root, figures)) return false;
  if (form_ == Form::Unknown) {
    form_ = Form::None;
    DiskFigures kept;
    if (ThroughHandle(access, root, VolumeForm::FullSize, kept) && kept == figures) form_ = Form::FullSize;
    else if (ThroughHandle(access, root, VolumeForm::Size, kept) && kept == figures) form_ = Form::Size;
    if (form_ == Form::None && open_) {
      access.Close();
      open_ = false;
    }
  }
  return true;
}

}  // namespace kestrune::monitor
