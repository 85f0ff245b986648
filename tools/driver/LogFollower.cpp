#include "tools/driver/LogFollower.h"

#include "install/LogLineRules.h"

void LogFollower::Read() {
  HANDLE file = ::CreateFileA(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  LARGE_INTEGER at;
  at.QuadPart = m_offset;
  ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    m_offset += got;
    m_pending.append(buffer, got);
  }
  ::CloseHandle(file);
  size_t start = 0;
  for (size_t end; (end = m_pending.find('\n', start)) != std::string::npos; start = end + 1) {
    const LogLineKind kind = MatchLogLine(m_pending.substr(start, end - start)).kind;
    if (kind == LogLineKind::Source) {
      ++m_volumes;
      m_fileSinceVolume = false;
    } else if (kind == LogLineKind::Destination) {
      m_fileSinceVolume = true;
    }
  }
  m_pending.erase(0, start);
}
