// Reads the headers of ARJ archives: in each volume the main header, then one header
// per stored file with its original size, then the end marker. The compressed data is
// skipped, never read. Every length taken from the file is checked against the file's
// size and the format's limits before it is used, so a damaged, truncated or hostile
// volume gives a problem text, never a read outside the file or an endless loop.
//
// Layout of one header (little-endian): 0x60 0xEA, a 16-bit basic header size (0 marks
// the end of the archive, at most 2600), the basic header of that size, its CRC-32, then
// extended headers (16-bit size, data, CRC-32; a size of 0 ends them), then, after a
// file header, the file's compressed data. The basic header starts with its fixed part
// (first byte: the fixed part's size, at least 30): version bytes, host system, flags,
// method, file type (2: the main header), a reserved byte, time stamp, compressed size,
// original size, file CRC, entry position, file mode, two more bytes, and in newer
// archives the resume position of a split file's piece; the zero-terminated name and
// comment follow it.
//
// A volume may begin with a self-extracting program: when it does not start with a
// header, the first 512 KiB are searched for a main header whose CRC is right.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Random-access bytes: a file on disk or a block of memory.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // Copies up to n bytes from offset; returns how many it copied (fewer at the end).
  virtual size_t ReadAt(uint64_t offset, void* buffer, size_t n) = 0;
  // The first bytes, at most `limit` of them; fewer where the source ends or a read
  // fails (compare the length with Size() to tell).
  std::string ReadFront(uint64_t limit);
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const void* data, size_t size)
      : m_data(static_cast<const unsigned char*>(data)), m_size(size) {}
  uint64_t Size() const override { return m_size; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override;

 private:
  const unsigned char* m_data;
  size_t m_size;
};

// A file read with the C runtime's stdio.
class FileSource : public ByteSource {
 public:
  // Null, with the reason in *why, when the file cannot be opened or measured.
  static std::unique_ptr<FileSource> Open(const std::string& path, std::string* why);
  ~FileSource() override;
  uint64_t Size() const override { return m_size; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t n) override;

 private:
  FileSource(FILE* f, uint64_t size) : m_file(f), m_size(size) {}
  static constexpr size_t kWindowSize = 4096;  // no more than stdio itself buffers
  FILE* m_file;
  uint64_t m_size;
  std::vector<unsigned char> m_window;  // bytes read ahead, from m_windowStart
  uint64_t m_windowStart = 0;
};

namespace arj {

constexpr uint8_t kGarbledFlag = 0x01;  // encrypted with a password
constexpr uint8_t kVolumeFlag = 0x04;   // continued on the next volume
constexpr uint8_t kExtFileFlag = 0x08;  // file header: continued from the previous volume
constexpr uint8_t kPathSymFlag = 0x10;  // the name's "/" stands for the system's separator
constexpr uint8_t kMainHeaderType = 2;
constexpr uint8_t kUnixSpecialType = 6;  // a symbolic link, a device, a FIFO: no file on Windows
constexpr uint8_t kHostMsDos = 0;        // the host system of ARJ's DOS-compatible mode (-2d)
constexpr uint8_t kHostUnix = 2;
constexpr size_t kMaxBasicHeaderSize = 2600;
constexpr uint64_t kStubSearchLimit = 512 * 1024;

uint32_t Crc32(const void* data, size_t size, uint32_t crc = 0);

struct FileHeader {
  std::string name;  // as stored: "/" between folders
  uint8_t type = 0;  // 0 binary, 1 text, 3 folder, 6 UNIX special, ...
  uint8_t flags = 0;
  uint32_t compressedSize = 0;
  uint32_t originalSize = 0;    // of this piece, for a file split across volumes
  uint32_t resumePosition = 0;  // where this piece starts within the file
  bool hasResumePosition = false;
  uint64_t offset = 0;  // of the header within the volume

  bool IsFile() const { return type == 0 || type == 1; }
  bool ContinuesOnNext() const { return (flags & kVolumeFlag) != 0; }
  bool ContinuedFromPrevious() const { return (flags & kExtFileFlag) != 0; }
};

struct VolumeHeaders {
  uint64_t mainHeaderOffset = 0;  // above 0: that many bytes precede the archive
  std::string archiveName;        // as the main header records it
  uint8_t mainFlags = 0;
  uint8_t hostSystem = kHostMsDos;  // where the archive was made, as the main header says
  std::vector<FileHeader> files;
  std::string problem;  // empty: read cleanly up to the end marker
  uint64_t problemOffset = 0;

  bool ContinuesOnNext() const { return (mainFlags & kVolumeFlag) != 0; }
};

VolumeHeaders ReadVolumeHeaders(ByteSource& source);

// The name the decompressor gives volume `index` (0: the first) of a set whose first
// volume is `first`: the last two characters make way for the number (NAME.arj,
// NAME.a01 ... NAME.a99); from 100 on, or when the character before them is a digit,
// the last three (NAME.100).
std::string VolumeName(const std::string& first, unsigned index);

// Adds up the volumes of one set, in order: the unpacked size (each piece of a split
// file counts with its own original size, so the whole file counts once), the files,
// and whether each split file goes on in the next volume where its last piece ended.
class SetTally {
 public:
  // Takes the next volume; appends what does not fit together to *problems.
  void Add(const VolumeHeaders& volume, std::vector<std::string>* problems);
  // After the last volume: a split file still waiting for its next piece.
  void Finish(std::vector<std::string>* problems);

  uint64_t UnpackedBytes() const { return m_unpacked; }
  size_t FileCount() const { return m_names.size(); }
  const std::vector<std::string>& FileNames() const { return m_names; }  // files only

 private:
  uint64_t m_unpacked = 0;
  std::vector<std::string> m_names;
  bool m_pending = false;  // the last piece seen continues on the next volume
  std::string m_pendingName;
  uint64_t m_pendingBytes = 0;  // of that file so far
};

}  // namespace arj
