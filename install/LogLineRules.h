#pragma once

#include "framework/String.h"

// What one line of the decompressor's log means to the progress dialog.
//   Source:      the line announces an archive volume; `text` goes into the
//                Source text and the progress bar moves one step.
//   Destination: the line announces an extracted file; `text` goes into the
//                Destination text.
//   None:        the line is passed over.
enum class LogLineKind { None, Source, Destination };

struct LogLineMatch {
  LogLineKind kind;
  CString text;
};

// Applies the four log line rules, first match wins:
//   " Extracting from"     -> Source, the line without its first 17 characters
//   "Processing archive:"  -> Source, the line without its first 20 characters
//   " Extracting"          -> Destination, the line without its first 13
//                             characters, cut before its first blank
//   "Extracting"           -> Destination, the line without its first 11
//                             characters, cut before its first blank
// Prefixes match case-sensitively and only at the start of the line. Removing
// more characters than the line has leaves an empty text. A blank is a space
// (32) only; a text with no space in it is cut to nothing.
LogLineMatch MatchLogLine(StringView line);
