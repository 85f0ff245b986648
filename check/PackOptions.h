// The command line of vorpack, the package builder: what the packager asks for, read
// without looking at the file system (PackageBuilder checks the files).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PackOptions {
  std::string payload;              // the folder whose files the package installs
  std::string outDir;               // the package folder to make
  std::string name;                 // App_Name as users see it, as typed
  std::string dir;                  // Default_Directory, as typed
  std::string setup = "setup.exe";  // App_Setup, as typed
  std::string decompressor;         // the decompressor file to ship (ARJ.EXE)
  std::string archive = "vorpkg";   // volumes archive.arj, archive.a01, ...
  uint64_t volumeSize = 0;          // bytes a volume holds at most; 0: one volume
  std::string nfo, diz;             // the packager's description files; "": written by vorpack
  std::string installer;            // the ZEZADERI.EXE to ship; "": found beside vorpack
  std::string logo, icon;           // the package's own logo and icon; "": ours
  std::string archiver;             // the program that makes the volumes; "": the default
  unsigned codePage = 0;            // the users' ANSI code page; 0: the default
  bool help = false;                // -h, --help or /?: the usage, nothing else
};

// The smallest volume the archiver makes, and the largest a volume's 32-bit positions hold.
constexpr uint64_t kMinVolumeSize = 10000;
constexpr uint64_t kMaxVolumeSize = 2000000000;

// Reads the arguments after the program's name. False, with a message for the packager
// in *error, for an unknown option, a missing or doubled value, a size or number that
// is not one, or not exactly two folders.
bool ParsePackOptions(const std::vector<std::string>& args, PackOptions* options,
                      std::string* error);

// A volume size: decimal digits, then optionally K (1,000 bytes) or M (1,000,000), as
// the archiver counts them; between kMinVolumeSize and kMaxVolumeSize.
bool ParseVolumeSize(const std::string& text, uint64_t* bytes, std::string* error);

// What vorpack --help prints.
extern const char kPackUsage[];
