// The settings file "Lumvik.ini" of the program folder. Each `program_folder`
// ends with a separator, or is "" for the current directory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/ini_file.h"
#include "config/text_table.h"

namespace lumvik {

constexpr std::string_view kSettingsFileName = "Lumvik.ini";

// The settings file of the program folder, read as Lumvik reads it unless
// told otherwise.
IniFile OpenSettings(const std::string& program_folder, IniReader reader = IniReader::Lumvik);

// Earlier versions kept of each saved document when the settings say nothing.
constexpr std::int32_t kDefaultBackups = 10;

struct Settings {
  std::int32_t droite = 0;
  std::int32_t demarrage = 0;
  std::int32_t loadlastfile = 0;
  std::string lastfile;
  std::string langage;
  std::string icone_skin;
  std::string image_skin;
  std::int32_t backups = kDefaultBackups;

  bool operator==(const Settings&) const = default;
};

// Reads every key into `settings`, then loads texts 0 to "langagenb" of the
// chosen language with Lumvik's reader. A settings file that cannot be read
// gives the values of an empty one, so that the interface still has words.
void ReadSettings(const std::string& program_folder, Settings& settings, TextTable& texts);

// As ReadSettings, but the options that the options window confirms (the
// three flags, the language, the icon skin and the theme) are those of
// `options`, and the texts are those of its language: the choices stay in
// effect while the settings file cannot take them.
void ReadSettingsKeepingOptions(const std::string& program_folder, Settings options,
                                Settings& settings, TextTable& texts);

// What the options window confirms: the three flags and the language, then
// the icon skin and the theme. False when the file could not be written.
bool WriteOptions(const std::string& program_folder, const Settings& settings);

// The theme the settings file names ("strict" when it names none); nothing
// when the file cannot be read.
std::optional<std::string> ReadThemeSetting(const std::string& program_folder);

// The document that was open when Lumvik quit.
bool WriteLastFile(const std::string& program_folder, const std::string& path);

struct LanguageChoice {
  std::string langage;
  std::int32_t last_text = 0;  // "langagenb": texts 0 to this one are loaded
};

// Skinwright's language, read with its own reader; without the file, the
// defaults as for Lumvik.
LanguageChoice ReadSkinwrightLanguage(const std::string& program_folder);

}  // namespace lumvik
