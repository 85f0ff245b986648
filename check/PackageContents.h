// The files vorpack writes beside the volumes: VOR.INI, and the two descriptions when
// the packager gives none of their own. Their texts come in the users' code pages
// already (VOR.INI's in the ANSI one, the descriptions' in the OEM one); lines end in
// CR LF, as on the users' systems.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "config/InstallSettings.h"

// The eight values as VOR.INI holds them, in the key order of kSettingKeys.
using ConfigValues = std::array<std::string, kSettingKeyCount>;

// VOR.INI: [INSTALL], then [DECOMPRESSION], each key in its section in the order the
// installer reads them. A value that the reader would change (blanks at either end, or
// a pair of enclosing quotes) goes in double quotes, which the reader removes again.
std::string ConfigFileText(const ConfigValues& values);

// A text as the installer's title line and viewers show it: each "&" doubled, since a
// single one is not shown and underlines the character after it.
std::string WithAmpersandsShown(const std::string& text);

// What the descriptions say about the package, in the OEM code page, ampersands doubled.
struct DescriptionFacts {
  std::string title;   // the package's title
  std::string folder;  // the target folder offered
  std::string setup;   // the setup command
  std::string firstVolume, lastVolume;
  size_t volumes = 0;
  uint32_t megabytes = 0;  // Space_Required
};

// VOR.nfo: the title, underlined, then the volumes, the space, the folder and the setup.
std::string NfoText(const DescriptionFacts& facts);
// file_id.diz: the title and the number of volumes ("Pixel Notes 1.0 (3 disks)").
std::string FileIdText(const DescriptionFacts& facts);
