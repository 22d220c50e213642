#include "controls/monitor/kept_volume.h"

#include <gtest/gtest.h>

namespace kestrune::monitor {
namespace {

// A drive whose free space the system reports as it is at each look. The user can lock it (a disk
// check, a backup tool) or dismount it: a handle opened before then stays dead until it is opened
// anew, and none can be opened while it lasts. A disk being written loses `written` bytes of free
// space between any two looks.
class FakeVolume : public VolumeAccess {
 public:
  bool Open(const std::wstring&) override {
    ++opens;
    dead_ = locked;
    return !locked;
  }
  void Close() override {}
  bool Read(VolumeForm, DiskFigures& figures) override {
    ++reads;
    if (dead_ || locked) {
      dead_ = true;
      return false;
    }
    figures = Look();
    return true;
  }
  bool Query(const std::wstring&, DiskFigures& figures) override {
    ++queries;
    figures = Look();
    return true;
  }

  bool locked = false;
  std::uint64_t written = 0;
  std::uint64_t free = 40'000'000'000;
  int opens = 0, reads = 0, queries = 0;

 private:
  DiskFigures Look() {
    free -= written;
    return {free, 100'000'000'000, free};
  }
  bool dead_ = false;
};

constexpr std::uint64_t kHalfSecond = 500;

TEST(KeptVolume, AHandleThatFailedIsOpenedAgainOnceAMinuteAndTheFiguresStayRightMeanwhile) {
  FakeVolume drive;
  KeptVolume kept;
  DiskFigures figures;
  std::uint64_t now = 0;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", now, figures));
  const int queriesBefore = drive.queries;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", now += kHalfSecond, figures));
  ASSERT_EQ(drive.queries, queriesBefore) << "the second sample went through the kept handle";
  const int readsBefore = drive.reads;

  // Locked for a minute: one failing read through the handle, then the system's query alone, with
  // the figures it gives.
  drive.locked = true;
  for (int sample = 0; sample < 110; ++sample) {
    ASSERT_TRUE(kept.Sample(drive, L"C:\\", now += kHalfSecond, figures));
    EXPECT_EQ(figures.totalFree, drive.free);
  }
  EXPECT_EQ(drive.reads - readsBefore, 1);
  EXPECT_EQ(drive.opens, 1);
  EXPECT_EQ(drive.queries - queriesBefore, 110);

  // Free again: a minute after the failure the handle is opened anew and serves the samples again.
  drive.locked = false;
  for (int sample = 0; sample < 20; ++sample) ASSERT_TRUE(kept.Sample(drive, L"C:\\", now += kHalfSecond, figures));
  EXPECT_EQ(drive.opens, 2);
  const int queriesAfter = drive.queries;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", now += kHalfSecond, figures));
  EXPECT_EQ(drive.queries, queriesAfter);
  EXPECT_EQ(figures.totalFree, drive.free);
}

TEST(KeptVolume, TheFirstSampleOnADiskBeingWrittenStillTakesTheHandle) {
  FakeVolume drive;
  drive.written = 4096;
  KeptVolume kept;
  DiskFigures figures;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", 0, figures));
  const int queries = drive.queries;
  ASSERT_TRUE(kept.Sample(drive, L"C:\\", kHalfSecond, figures));
  EXPECT_EQ(drive.queries, queries) << "the saving was dropped for the run";
  EXPECT_EQ(figures.totalFree, drive.free);
}

}  // namespace
}  // namespace kestrune::monitor
