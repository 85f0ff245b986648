// The files of a package folder that the installer opens by name, beside the archives
// that VOR.INI names.
#pragma once

inline constexpr char kConfigFileName[] = "VOR.INI";      // the settings
inline constexpr char kNfoFileName[] = "VOR.nfo";         // shown by "View Da NFO"
inline constexpr char kFileIdFileName[] = "file_id.diz";  // shown by "View File_Id"
inline constexpr char kInstallerFileName[] = "ZEZADERI.EXE";  // the installer users start
