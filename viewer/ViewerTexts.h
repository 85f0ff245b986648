// The captions of the box a text viewer shows when its file cannot be opened; the box's
// text is the file's name.
#pragma once

inline constexpr char kFileNotFoundCaption[] = "File Not Found";
inline constexpr char kFileOpenFailureCaption[] = "File Open Failure";  // any other cause
