#include "install/ExitCodeMessages.h"

unsigned ExitCodeStringId(uint32_t code) {
  if (code > kHighestExitCodeWithStringId) return kNoExitCodeStringId;
  return kFirstExitCodeStringId + static_cast<unsigned>(code);
}

const char* ExitCodeMessage(uint32_t code) {
  switch (code) {
    case 1:
      return "Archive File Not Found";
    case 2:
      return "Fatal Error";
    case 3:
      return "CRC Error";
    case 4:
      return "Unknown Error";
    case 5:
      return "Disk Write Error";
    case 6:
      return "File Missing or Corrupt";
    case 7:
      return "Invalid Parameters";
    case 8:
      return "Not Enough Memory";
    case 9:
      return "Not a Valid Archive";
    case 12:
      return "User Cancelled Operation";
    default:
      return "";
  }
}
