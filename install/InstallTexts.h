#pragma once

#include <cstdint>
#include <string>

// Texts that the install command and the decompression dialog build from the
// settings. None has a length limit: nothing is cut, and the caller hands the
// whole text to the platform (CreateProcessA needs a writable copy).

// program + " " + commandLine + " " + the archive path sourceDir + "\" + firstFile,
// which goes in double quotes when it holds a blank ("C:\My Games\*.arj").
std::string BuildDecompressorCommandLine(const std::string& program, const std::string& commandLine,
                                         const std::string& sourceDir,
                                         const std::string& firstFile);

// "Failed to Launch " + program
std::string LaunchFailureCaption(const std::string& program);

// For error 2 (file not found): "Can't Find " + program +
// ".\nPlease make sure " + program + " is in your path."
// For any other error: "Error code " + the error as a signed 32-bit decimal
// (what printf's "%i" prints for it, so 0xFFFFFFFF reads -1).
std::string LaunchFailureText(const std::string& program, uint32_t error);

// installDir + "\" + appSetup; a drive root held as "C:" gives "C:\setup.exe". In double
// quotes when it holds a blank, so that the platform does not try "C:\Target.exe" first.
std::string BuildSetupCommand(const std::string& installDir, const std::string& appSetup);
