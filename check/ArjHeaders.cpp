#include "check/ArjHeaders.h"

#include <algorithm>
#include <cstring>

#include "check/Folder.h"

size_t MemorySource::ReadAt(uint64_t offset, void* buffer, size_t n) {
  if (offset >= m_size) return 0;
  const size_t left = m_size - static_cast<size_t>(offset);
  if (n > left) n = left;
  std::memcpy(buffer, m_data + offset, n);
  return n;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path, std::string* why) {
  uint64_t size = 0;
  FILE* f = OpenRegularFile(path, &size, why);
  if (f == nullptr) return nullptr;
  return std::unique_ptr<FileSource>(new FileSource(f, size));
}

std::string ByteSource::ReadFront(uint64_t limit) {
  std::string bytes(static_cast<size_t>(std::min(Size(), limit)), '\0');
  if (!bytes.empty()) bytes.resize(ReadAt(0, &bytes[0], bytes.size()));
  return bytes;
}

FileSource::~FileSource() { std::fclose(m_file); }

size_t FileSource::ReadAt(uint64_t offset, void* buffer, size_t n) {
  if (offset >= m_size) return 0;
  // Headers lie close together: one read of the file serves many of them.
  if (offset < m_windowStart || offset + n > m_windowStart + m_window.size()) {
    if (n > kWindowSize) {
      if (!SeekFile(m_file, offset)) return 0;
      return std::fread(buffer, 1, n, m_file);
    }
    m_window.resize(kWindowSize);
    size_t got = 0;
    if (SeekFile(m_file, offset)) {
      got = std::fread(m_window.data(), 1, kWindowSize, m_file);
    }
    m_window.resize(got);
    m_windowStart = offset;
  }
  const size_t at = static_cast<size_t>(offset - m_windowStart);
  if (n > m_window.size() - at) n = m_window.size() - at;
  std::memcpy(buffer, m_window.data() + at, n);
  return n;
}

namespace arj {

uint32_t Crc32(const void* data, size_t size, uint32_t crc) {
  static uint32_t table[256];
  static bool ready = false;
  if (!ready) {
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[i] = c;
    }
    ready = true;
  }
  const unsigned char* p = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

namespace {

constexpr size_t kMinFixedPart = 30;
constexpr size_t kResumeField = 30;  // in a fixed part of 34 bytes or more
constexpr unsigned char kSig0 = 0x60, kSig1 = 0xEA;

uint16_t Get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Get32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::string Hex(uint64_t n) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789ABCDEF"[n % 16]);
    n /= 16;
  } while (n != 0);
  return "0x" + digits;
}

// One header as read, before its meaning is taken.
struct RawHeader {
  bool end = false;  // the end marker
  std::vector<unsigned char> basic;
  uint64_t next = 0;  // offset just past the header and its extended headers
};

class Reader {
 public:
  explicit Reader(ByteSource& source) : m_source(source), m_size(source.Size()) {}

  // Reads the header at offset; false with *problem set when it is damaged.
  bool ReadHeader(uint64_t offset, RawHeader* h, std::string* problem) {
    unsigned char head[4];
    if (!Read(offset, head, 4)) {
      *problem = "the volume ends where a header should start (truncated?)";
      return false;
    }
    if (head[0] != kSig0 || head[1] != kSig1) {
      *problem = "no header signature where a header should start";
      return false;
    }
    const size_t size = Get16(head + 2);
    if (size == 0) {
      h->end = true;
      h->next = offset + 4;
      return true;
    }
    if (size > kMaxBasicHeaderSize || size < kMinFixedPart) {
      *problem = "header size " + std::to_string(size) + " is outside 30 to 2600";
      return false;
    }
    h->basic.resize(size + 4);
    if (!Read(offset + 4, h->basic.data(), size + 4)) {
      *problem = "the volume ends inside a header (truncated?)";
      return false;
    }
    if (Get32(&h->basic[size]) != Crc32(h->basic.data(), size)) {
      *problem = "header CRC mismatch (damaged header)";
      return false;
    }
    h->basic.resize(size);
    // Extended headers: each one's size, data and CRC; a size of 0 ends them. Every
    // one takes at least 6 bytes, so the walk ends with the file.
    uint64_t pos = offset + 4 + size + 4;
    for (;;) {
      unsigned char word[2];
      if (!Read(pos, word, 2)) {
        *problem = "the volume ends inside a header (truncated?)";
        return false;
      }
      pos += 2;
      const size_t extSize = Get16(word);
      if (extSize == 0) break;
      m_ext.resize(extSize + 4);
      if (!Read(pos, m_ext.data(), extSize + 4)) {
        *problem = "the volume ends inside an extended header (truncated?)";
        return false;
      }
      if (Get32(&m_ext[extSize]) != Crc32(m_ext.data(), extSize)) {
        *problem = "extended header CRC mismatch (damaged header)";
        return false;
      }
      pos += extSize + 4;
    }
    h->next = pos;
    return true;
  }

  // Offset of the main header: 0, or the first place in the search window where a
  // main header with a right CRC starts. False when there is none.
  bool FindMainHeader(uint64_t* offset) {
    unsigned char head[2];
    if (Read(0, head, 2) && head[0] == kSig0 && head[1] == kSig1) {
      *offset = 0;
      return true;
    }
    const uint64_t limit = m_size < kStubSearchLimit ? m_size : kStubSearchLimit;
    std::vector<unsigned char> window(static_cast<size_t>(limit));
    if (m_source.ReadAt(0, window.data(), window.size()) != window.size()) return false;
    for (size_t i = 1; i + 1 < window.size(); ++i) {
      if (window[i] != kSig0 || window[i + 1] != kSig1) continue;
      // Cheap tests first, so that a window full of signatures stays quick.
      if (i + 10 < window.size()) {
        const size_t size = Get16(&window[i + 2]);
        if (size < kMinFixedPart || size > kMaxBasicHeaderSize) continue;
        if (window[i + 10] != kMainHeaderType) continue;
      }
      RawHeader h;
      std::string ignored;
      if (ReadHeader(i, &h, &ignored) && !h.end && h.basic[6] == kMainHeaderType) {
        *offset = i;
        return true;
      }
    }
    return false;
  }

  uint64_t Size() const { return m_size; }

 private:
  bool Read(uint64_t offset, unsigned char* buffer, size_t n) {
    return offset <= m_size && n <= m_size - offset && m_source.ReadAt(offset, buffer, n) == n;
  }

  ByteSource& m_source;
  uint64_t m_size;
  std::vector<unsigned char> m_ext;
};

// The fixed part's size, then the zero-terminated name and comment after it.
bool TakeNames(const std::vector<unsigned char>& basic, std::string* name, std::string* problem) {
  const size_t fixed = basic[0];
  if (fixed < kMinFixedPart || fixed >= basic.size()) {
    *problem = "fixed header part of " + std::to_string(fixed) + " bytes does not fit its header";
    return false;
  }
  const unsigned char* begin = basic.data() + fixed;
  const unsigned char* end = basic.data() + basic.size();
  const void* nameEnd = std::memchr(begin, 0, static_cast<size_t>(end - begin));
  const unsigned char* commentStart =
      nameEnd ? static_cast<const unsigned char*>(nameEnd) + 1 : end;
  if (nameEnd == nullptr ||
      std::memchr(commentStart, 0, static_cast<size_t>(end - commentStart)) == nullptr) {
    *problem = "name or comment in a header lacks its terminating zero";
    return false;
  }
  name->assign(reinterpret_cast<const char*>(begin),
               static_cast<const unsigned char*>(nameEnd) - begin);
  return true;
}

}  // namespace

VolumeHeaders ReadVolumeHeaders(ByteSource& source) {
  VolumeHeaders v;
  Reader reader(source);
  if (!reader.FindMainHeader(&v.mainHeaderOffset)) {
    v.problem = reader.Size() == 0 ? "empty file, not an ARJ archive"
                                   : "not an ARJ archive (no main header found)";
    return v;
  }
  uint64_t offset = v.mainHeaderOffset;
  RawHeader h;
  std::string problem;
  bool main = true;
  for (;;) {
    if (!reader.ReadHeader(offset, &h, &problem)) break;
    if (h.end) {
      if (main) problem = "the archive has no main header";
      break;
    }
    std::string name;
    if (!TakeNames(h.basic, &name, &problem)) break;
    const uint8_t type = h.basic[6];
    if (main) {
      if (type != kMainHeaderType) {
        problem = "the first header is not a main header";
        break;
      }
      v.archiveName = name;
      v.mainFlags = h.basic[4];
      v.hostSystem = h.basic[3];
      main = false;
      offset = h.next;
      continue;
    }
    FileHeader f;
    f.name = name;
    f.type = type;
    f.flags = h.basic[4];
    f.compressedSize = Get32(&h.basic[12]);
    f.originalSize = Get32(&h.basic[16]);
    if (h.basic[0] >= kResumeField + 4) {
      f.resumePosition = Get32(&h.basic[kResumeField]);
      f.hasResumePosition = true;
    }
    f.offset = offset;
    if (f.compressedSize > reader.Size() - h.next) {
      problem = "the data of " + name + " runs past the end of the volume (truncated?)";
      break;
    }
    v.files.push_back(f);
    offset = h.next + f.compressedSize;
  }
  if (!problem.empty()) {
    v.problem = "at offset " + Hex(offset) + ": " + problem;
    v.problemOffset = offset;
  }
  return v;
}

std::string VolumeName(const std::string& first, unsigned index) {
  if (index == 0) return first;
  const size_t n = first.size();
  const bool three = index > 99 || (n >= 3 && first[n - 3] >= '0' && first[n - 3] <= '9');
  const size_t digits = three ? 3 : 2;
  std::string number = std::to_string(index);
  if (number.size() < digits) number.insert(0, digits - number.size(), '0');
  return first.substr(0, n > digits ? n - digits : 0) + number;
}

void SetTally::Add(const VolumeHeaders& volume, std::vector<std::string>* problems) {
  bool firstInVolume = true;
  for (const FileHeader& f : volume.files) {
    if (f.ContinuedFromPrevious()) {
      if (!m_pending || !firstInVolume) {
        problems->push_back(f.name +
                            " is continued from a previous volume that does not hold "
                            "its beginning");
        m_pending = false;
      } else if (f.name != m_pendingName ||
                 (f.hasResumePosition && f.resumePosition != m_pendingBytes)) {
        problems->push_back(f.name + " does not go on where " + m_pendingName +
                            " ended in the volume before");
        m_pending = false;
      }
      if (!m_pending) m_pendingBytes = 0;
    } else {
      if (m_pending) {
        problems->push_back(m_pendingName +
                            " is continued on this volume, but it starts "
                            "with " +
                            f.name + " instead");
      }
      if (f.IsFile()) m_names.push_back(f.name);
      m_pendingBytes = 0;
    }
    if (f.IsFile()) m_unpacked += f.originalSize;
    m_pendingBytes += f.originalSize;
    m_pending = f.ContinuesOnNext();
    m_pendingName = f.name;
    firstInVolume = false;
  }
  if (firstInVolume && m_pending) {
    problems->push_back(m_pendingName + " is continued on this volume, which holds no file");
    m_pending = false;
  }
}

void SetTally::Finish(std::vector<std::string>* problems) {
  if (m_pending) {
    problems->push_back(m_pendingName + " is continued on a volume after the last one");
    m_pending = false;
  }
}

}  // namespace arj
