// CStdioFile: a file read one line at a time, made for a log that another process is
// still writing.
#pragma once
#include "framework/File.h"

class CStdioFile : public CFile {
 public:
  CStdioFile() = default;

  BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
  void Close() override;

  // Reads the next line into `line`: the whole line, however long, without its line
  // end (LF, or a CR LF pair, which reads as one LF). Returns FALSE, with `line`
  // empty, when no character at all could be read.
  //
  // The end of the file is never final: a later call reads what has been appended in
  // the meantime. A last line that has no LF yet is returned as it stands; whatever
  // is appended to it later comes back as a line of its own. A line end that
  // completes such a line later on is taken as its end and yields no empty line, and
  // a CR at the very end of what has been written waits for the next read to show
  // whether an LF follows it.
  //
  // When the file can't be read, returns FALSE as well and fills pError if it is given;
  // nothing is taken from the file.
  BOOL ReadString(CString& line, CFileException* pError = nullptr);

 private:
  // Appends what the file has to offer after the buffered bytes; got is the count.
  // FALSE when the read failed.
  BOOL Fill(size_t& got, CFileException* pError);
  size_t Available() const { return m_buffer.size() - m_pos; }

  CString m_buffer;  // bytes read from the file and not yet handed out start at m_pos
  size_t m_pos = 0;
  size_t m_scanned = 0;  // bytes from m_pos on already known to hold no LF
  bool m_midLine = false;  // the last line returned had no line end yet
};
