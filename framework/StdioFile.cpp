#include "framework/StdioFile.h"

namespace {
const size_t kReadChunk = 4096;
}

BOOL CStdioFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError) {
  m_buffer.clear();
  m_pos = m_scanned = 0;
  m_midLine = false;
  return CFile::Open(lpszFileName, nOpenFlags, pError);
}

void CStdioFile::Close() {
  CFile::Close();
  m_buffer.clear();
  m_pos = m_scanned = 0;
  m_midLine = false;
}

BOOL CStdioFile::Fill(size_t& got, CFileException* pError) {
  // Drop what has been handed out once it is the larger part of the buffer.
  if (m_pos > 0 && m_pos >= m_buffer.size() / 2) {
    m_buffer.erase(0, m_pos);
    m_pos = 0;
  }
  size_t old = m_buffer.size();
  m_buffer.resize(old + kReadChunk);
  UINT n = 0;
  const BOOL ok = Read(&m_buffer[old], static_cast<UINT>(kReadChunk), n, pError);
  m_buffer.resize(old + n);
  got = n;
  return ok;
}

BOOL CStdioFile::ReadString(CString& line, CFileException* pError) {
  line.clear();
  size_t got = 0;
  for (;;) {
    if (m_midLine && Available() > 0) {
      // The first bytes after a line that was returned without its end.
      if (m_buffer[m_pos] == '\n') {
        ++m_pos;
        m_midLine = false;
        m_scanned = 0;
        continue;
      }
      if (m_buffer[m_pos] == '\r') {
        if (Available() == 1) {
          // Is it the start of CR LF? Only the writer's next bytes tell.
          if (!Fill(got, pError) || got == 0) return FALSE;
          continue;
        }
        if (m_buffer[m_pos + 1] == '\n') {
          m_pos += 2;
          m_midLine = false;
          m_scanned = 0;
          continue;
        }
      }
      // The rest of that line: it comes back as a line of its own.
      m_midLine = false;
    }

    size_t lf = m_buffer.find('\n', m_pos + m_scanned);
    if (lf != CString::npos) {
      size_t end = lf;
      if (end > m_pos && m_buffer[end - 1] == '\r') --end;
      line.assign(m_buffer.data() + m_pos, end - m_pos);
      m_pos = lf + 1;
      m_scanned = 0;
      return TRUE;
    }
    m_scanned = Available();

    if (!Fill(got, pError)) return FALSE;
    if (got > 0) continue;

    // Nothing more for now: hand out a partly written line as it stands.
    size_t end = m_buffer.size();
    // A CR at the very end may be the first half of a CR LF: keep it back.
    if (end > m_pos && m_buffer[end - 1] == '\r') --end;
    if (end == m_pos) {
      // Nothing, or a lone CR that waits for the next read to tell what it is.
      m_scanned = 0;
      return FALSE;
    }
    line.assign(m_buffer.data() + m_pos, end - m_pos);
    m_pos = end;
    m_scanned = 0;
    m_midLine = true;
    return TRUE;
  }
}
