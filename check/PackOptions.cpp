#include "check/PackOptions.h"

#include <algorithm>

#include "framework/NumberScan.h"

const char kPackUsage[] =
    "usage: vorpack PAYLOAD OUTDIR --name TITLE --dir FOLDER --decompressor ARJ.EXE [options]\n"
    "Makes a package in OUTDIR (a new folder, or one without these files) that installs the\n"
    "files and subfolders of PAYLOAD, then checks it as vorcheck does.\n"
    "  --name TITLE          the title users see (App_Name); an & is written && so it shows\n"
    "  --dir FOLDER          the target folder offered (Default_Directory), a full path\n"
    "  --decompressor FILE   the ARJ.EXE the package brings (Use_Program names it)\n"
    "  --setup COMMAND       the setup program started after the installation, with its\n"
    "                        arguments, from the target folder (App_Setup; default setup.exe)\n"
    "  --volume-size SIZE    volumes of at most SIZE bytes (K: 1,000, M: 1,000,000; at\n"
    "                        least 10K); default: one volume\n"
    "  --archive NAME        the volumes' name: NAME.arj, NAME.a01, ... (default vorpkg)\n"
    "  --nfo FILE            VOR.nfo, copied (a UTF-8 file is converted to the OEM code\n"
    "  --diz FILE            page); file_id.diz likewise; default: written from the settings\n"
    "  --installer FILE      the ZEZADERI.EXE to ship (default: the one beside vorpack,\n"
    "                        else ../win32/ZEZADERI.EXE from vorpack's folder)\n"
    "  --logo FILE.bmp       the package's logo in the installer: 402 x 186 pixels, at\n"
    "                        most 256 colours (default: ours)\n"
    "  --icon FILE.ico       the installer's icon: a 32 x 32 and a 16 x 16 image in 16\n"
    "                        colours (default: ours)\n"
    "  --code-page N         the users' ANSI code page: 1252 (OEM 437), 932, 936, 949, 950\n"
    "                        (default: 1252; VORPACK.EXE: its own system's)\n"
    "  --archiver PROGRAM    the program that makes the volumes (default: arj; VORPACK.EXE:\n"
    "                        the --decompressor file)\n"
    "Exit status: vorcheck's on the package made (0 clean, 1 warnings only, 2 errors);\n"
    "3 a wrong command line; 4 no package made (nothing of it is left).\n";

namespace {

struct ValueOption {
  const char* name;
  std::string PackOptions::*text;  // null: handled apart
};

const ValueOption kValueOptions[] = {
    {"--name", &PackOptions::name},
    {"--dir", &PackOptions::dir},
    {"--setup", &PackOptions::setup},
    {"--decompressor", &PackOptions::decompressor},
    {"--archive", &PackOptions::archive},
    {"--nfo", &PackOptions::nfo},
    {"--diz", &PackOptions::diz},
    {"--installer", &PackOptions::installer},
    {"--logo", &PackOptions::logo},
    {"--icon", &PackOptions::icon},
    {"--archiver", &PackOptions::archiver},
    {"--volume-size", nullptr},
    {"--code-page", nullptr},
};

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

bool ParseVolumeSize(const std::string& text, uint64_t* bytes, std::string* error) {
  size_t digits = 0;
  uint64_t value = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
    // Past the largest size the value stays above it: too many digits are "above".
    value = std::min(value * 10 + static_cast<uint64_t>(text[digits++] - '0'), kMaxVolumeSize + 1);
  }
  const std::string unit = text.substr(digits);
  uint64_t factor = 1;
  if (unit == "K" || unit == "k") factor = 1000;
  if (unit == "M" || unit == "m") factor = 1000000;
  if (digits == 0 || (!unit.empty() && factor == 1)) {
    *error = "--volume-size " + text +
             " is not a size: digits, then K (1,000 bytes) or M (1,000,000 bytes) if you like";
    return false;
  }
  if (value > kMaxVolumeSize / factor)
    value = kMaxVolumeSize + 1;  // no overflow
  else
    value *= factor;
  if (value < kMinVolumeSize || value > kMaxVolumeSize) {
    *error = "--volume-size " + text + " is " + (value < kMinVolumeSize ? "below" : "above") +
             " what the archiver makes: from 10K (10,000 bytes) to 2000M";
    return false;
  }
  *bytes = value;
  return true;
}

bool ParsePackOptions(const std::vector<std::string>& args, PackOptions* options,
                      std::string* error) {
  std::vector<std::string> folders;
  std::vector<std::string> given;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help" || arg == "/?") {
      options->help = true;
      return true;
    }
    if (!StartsWith(arg, "-") || arg == "-") {
      folders.push_back(arg);
      continue;
    }
    const ValueOption* option = nullptr;
    std::string value;
    bool hasValue = false;
    for (const ValueOption& o : kValueOptions) {
      const std::string name = o.name;
      if (arg == name) {
        option = &o;
      } else if (StartsWith(arg, name + "=")) {
        option = &o;
        value = arg.substr(name.size() + 1);
        hasValue = true;
      }
    }
    if (option == nullptr) {
      *error = "unknown option " + arg;
      return false;
    }
    if (!hasValue) {
      if (i + 1 == args.size()) {
        *error = std::string(option->name) + " needs a value";
        return false;
      }
      value = args[++i];
    }
    for (const std::string& g : given) {
      if (g == option->name) {
        *error = std::string(option->name) + " is given twice";
        return false;
      }
    }
    given.push_back(option->name);
    if (option->text != nullptr) {
      options->*(option->text) = value;
    } else if (std::string(option->name) == "--volume-size") {
      if (!ParseVolumeSize(value, &options->volumeSize, error)) return false;
    } else {
      uint32_t page = 0;
      if (!ScanUnsignedDecimal(value, &page) || page == 0 || page > 65535) {
        *error = "--code-page " + value + " is not a code page number";
        return false;
      }
      options->codePage = page;
    }
  }
  if (folders.size() != 2) {
    *error = folders.size() < 2 ? "give the payload folder and the package folder to make"
                                : "more than two folders: " + folders[2] + " is one too many";
    return false;
  }
  options->payload = folders[0];
  options->outDir = folders[1];
  for (const char* required : {"--name", "--dir", "--decompressor"}) {
    bool found = false;
    for (const std::string& g : given) found = found || g == required;
    if (!found) {
      *error = std::string(required) + " is missing: " +
               (std::string(required) == "--name" ? "the title users see"
                : std::string(required) == "--dir"
                    ? "the target folder offered to users, such as C:\\Games"
                    : "the ARJ.EXE the package brings for the installation");
      return false;
    }
  }
  return true;
}
