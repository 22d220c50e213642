#include "controls/monitor/kept_volume.h"

#include <gtest/gtest.h>

namespace kestrune::monitor {
namespace {

// A drive as the system reports it at each look. Locked (a disk check) or dismounted, it opens no
// handle, and one opened before stays dead until opened anew. Being written, it loses `written`
// bytes of free space between any two looks.
struct FakeVolume : VolumeAccess {
  bool Open(const std::wstring&) override {
    ++opens;
    dead = locked;
    return !locked;
  }
  void Close() override {}
  bool Read(VolumeForm, DiskFigures& figures) override {
    ++reads;
    dead = dead || locked;
    return !dead && Look(figures);
  }
  bool Query(const std::wstring&, DiskFigures& figures) override {
    ++queries;
    return Look(figures);
  }
  bool Look(DiskFigures& figures) {
    free -= written;
    figures = {free, 100'000'000'000, free};
    return true;
  }

  bool locked = false, dead = false;
  std::uint64_t written = 0, free = 40'000'000'000;
  int opens = 0, reads = 0, queries = 0;
};

TEST(KeptVolume, AHandleThatFailedIsOpenedAgainAMinuteLaterWhileTheQueryServesAlone) {
  FakeVolume drive;
  KeptVolume kept;
  DiskFigures figures;
  std::uint64_t now = 0;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", now, figures));
  drive.locked = true;
  const int reads = drive.reads, queries = drive.queries;
  for (int sample = 0; sample < 110; ++sample) ASSERT_TRUE(kept.Sample(drive, L"C:\\", now += 500, figures));  // 55 s
  EXPECT_EQ(figures.totalFree, drive.free);
  EXPECT_EQ(drive.reads - reads, 1);
  EXPECT_EQ(drive.queries - queries, 110);
  drive.locked = false;
  for (int sample = 0; sample < 20; ++sample) ASSERT_TRUE(kept.Sample(drive, L"C:\\", now += 500, figures));
  EXPECT_EQ(drive.opens, 2);
  const int queriesOpen = drive.queries;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", now += 500, figures));
  EXPECT_EQ(drive.queries, queriesOpen);
  EXPECT_EQ(figures.totalFree, drive.free);
}

TEST(KeptVolume, TheFirstSampleOnADiskBeingWrittenStillTakesTheHandle) {
  FakeVolume drive;
  drive.written = 4096;
  KeptVolume kept;
  DiskFigures figures;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", 0, figures));
  const int queries = drive.queries;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", 500, figures));
  EXPECT_EQ(drive.queries, queries) << "the saving was dropped for the run";
  EXPECT_EQ(figures.totalFree, drive.free);
}

}  // namespace
}  // namespace kestrune::monitor
