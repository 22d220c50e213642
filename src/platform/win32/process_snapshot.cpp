#include "platform/win32/process_snapshot.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win32/system_information.h"

namespace kestrune {
namespace {

// The head of the system's per-process record, as far as it is read here (its documented part
// leaves most fields reserved).
struct ProcessRecord {
  ULONG nextEntryOffset;
  ULONG numberOfThreads;
  LARGE_INTEGER workingSetPrivateSize;
  ULONG hardFaultCount;
  ULONG numberOfThreadsHighWatermark;
  ULONGLONG cycleTime;
  LARGE_INTEGER createTime;
  LARGE_INTEGER userTime;
  LARGE_INTEGER kernelTime;
  USHORT nameLength;  // in bytes
  USHORT nameMaximumLength;
  PWSTR nameBuffer;
  LONG basePriority;
  HANDLE uniqueProcessId;
  HANDLE inheritedFromUniqueProcessId;
  ULONG handleCount;
  ULONG sessionId;
};
static_assert(sizeof(void*) != 8 || offsetof(ProcessRecord, uniqueProcessId) == 80);
static_assert(sizeof(void*) != 8 || offsetof(ProcessRecord, sessionId) == 100);
static_assert(sizeof(void*) != 4 || offsetof(ProcessRecord, uniqueProcessId) == 68);
static_assert(sizeof(void*) != 4 || offsetof(ProcessRecord, sessionId) == 80);

constexpr ULONG kSystemProcessInformation = 5;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);

std::uint64_t Time(const LARGE_INTEGER& value) { return static_cast<std::uint64_t>(value.QuadPart); }

}  // namespace

bool Win32ProcessSnapshot::Take(std::vector<ProcessSample>& samples, std::uint64_t& now) {
  samples.clear();
  if (buffer_.empty()) buffer_.resize(256 * 1024);
  LONG status = 0;
  // Processes may start between the size the system asks for and the next call: a few tries.
  for (int attempt = 0; attempt < 4; ++attempt) {
    ULONG needed = 0;
    status = QuerySystemInformation(kSystemProcessInformation, buffer_.data(), static_cast<ULONG>(buffer_.size()), &needed);
    if (status != kStatusInfoLengthMismatch) break;
    buffer_.resize(std::max<std::size_t>(buffer_.size() * 2, needed + 64 * 1024));
  }
  if (status < 0) return false;
  // The interrupt time moves only forward, in 100 ns units, and not while the machine sleeps, when
  // no process runs either.
  ULONGLONG time = 0;
  ::QueryUnbiasedInterruptTime(&time);
  now = time;
  std::size_t offset = 0;
  for (;;) {
    if (offset + sizeof(ProcessRecord) > buffer_.size()) break;
    ProcessRecord record;
    std::memcpy(&record, buffer_.data() + offset, sizeof(record));
    ProcessSample sample;
    sample.process = static_cast<ProcessId>(reinterpret_cast<std::uintptr_t>(record.uniqueProcessId));
    sample.started = Time(record.createTime);
    sample.processorTime = Time(record.userTime) + Time(record.kernelTime);
    sample.session = record.sessionId;
    sample.parent = static_cast<ProcessId>(reinterpret_cast<std::uintptr_t>(record.inheritedFromUniqueProcessId));
    if (record.nameBuffer != nullptr) sample.name = std::wstring_view(record.nameBuffer, record.nameLength / sizeof(wchar_t));
    samples.push_back(sample);
    if (record.nextEntryOffset == 0) break;
    offset += record.nextEntryOffset;
  }
  return true;
}

std::uint32_t Win32ProcessSnapshot::OwnSession() {
  DWORD session = 0;
  ::ProcessIdToSessionId(::GetCurrentProcessId(), &session);
  return session;
}

bool Win32ProcessSnapshot::MachineTimes(std::uint64_t& idle, std::uint64_t& total) {
  FILETIME idleTime{}, kernelTime{}, userTime{};
  if (::GetSystemTimes(&idleTime, &kernelTime, &userTime) == FALSE) return false;
  const auto value = [](const FILETIME& t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  idle = value(idleTime);
  // The kernel time includes the idle time.
  total = value(kernelTime) + value(userTime);
  return true;
}

unsigned Win32ProcessSnapshot::ProcessorCount() {
  SYSTEM_INFO info{};
  ::GetSystemInfo(&info);
  return info.dwNumberOfProcessors;
}

}  // namespace kestrune
