#include "config/settings.h"

#include <utility>

#include "config/ini_file.h"
#include "config/language_file.h"
#include "platform/file_io.h"

namespace lumvik {

namespace {

constexpr std::string_view kApplication = "Application";
constexpr std::string_view kDroite = "droite";
constexpr std::string_view kDemarrage = "demarrage";
constexpr std::string_view kLoadLastFile = "loadlastfile";
constexpr std::string_view kLastFile = "lastfile";
constexpr std::string_view kLangage = "langage";
constexpr std::string_view kIcone = "Icone";
constexpr std::string_view kImage = "Image";
constexpr std::string_view kSkin = "skin";
// Each save keeps this many earlier versions of the document; 0 keeps none.
constexpr std::string_view kBackup = "Backup";
constexpr std::string_view kBackups = "backups";

LanguageChoice ReadLanguageChoice(const IniFile& file) {
  return {file.ReadString(kApplication, kLangage, "francais"),
          file.ReadInt32(kApplication, "langagenb", 92)};
}

// Every key of the file into `settings`; the number of the last text to load.
std::int32_t ReadKeys(const IniFile& file, Settings& settings) {
  settings.droite = file.ReadInt32(kApplication, kDroite, 1);
  settings.demarrage = file.ReadInt32(kApplication, kDemarrage, 1);
  settings.loadlastfile = file.ReadInt32(kApplication, kLoadLastFile, 1);
  settings.lastfile = file.ReadString(kApplication, kLastFile, "");
  const LanguageChoice language = ReadLanguageChoice(file);
  settings.langage = language.langage;
  settings.icone_skin = file.ReadString(kIcone, kSkin, "deruv");
  settings.image_skin = file.ReadString(kImage, kSkin, "strict");
  settings.backups = file.ReadInt32(kBackup, kBackups, kDefaultBackups);
  return language.last_text;
}

}  // namespace

IniFile OpenSettings(const std::string& program_folder, IniReader reader) {
  return IniFile::Open(program_folder + std::string(kSettingsFileName), reader);
}

void ReadSettings(const std::string& program_folder, Settings& settings, TextTable& texts) {
  const std::int32_t last_text = ReadKeys(OpenSettings(program_folder), settings);
  LoadTexts(program_folder, settings.langage, last_text, texts, IniReader::Lumvik);
}

void ReadSettingsKeepingOptions(const std::string& program_folder, Settings options,
                                Settings& settings, TextTable& texts) {
  const std::int32_t last_text = ReadKeys(OpenSettings(program_folder), settings);
  options.lastfile = settings.lastfile;
  options.backups = settings.backups;
  settings = std::move(options);
  LoadTexts(program_folder, settings.langage, last_text, texts, IniReader::Lumvik);
}

bool WriteOptions(const std::string& program_folder, const Settings& settings) {
  IniFile file = OpenSettings(program_folder);
  file.WriteInt(kApplication, kDroite, settings.droite);
  file.WriteInt(kApplication, kDemarrage, settings.demarrage);
  file.WriteInt(kApplication, kLoadLastFile, settings.loadlastfile);
  file.Write(kApplication, kLangage, settings.langage);
  file.Write(kIcone, kSkin, settings.icone_skin);
  file.Write(kImage, kSkin, settings.image_skin);
  return file.Save();
}

std::optional<std::string> ReadThemeSetting(const std::string& program_folder) {
  const std::optional<std::string> bytes =
      ReadWholeFile(program_folder + std::string(kSettingsFileName));
  if (!bytes) return std::nullopt;
  return IniFile::Parse(*bytes, IniReader::Lumvik).ReadString(kImage, kSkin, "strict");
}

bool WriteLastFile(const std::string& program_folder, const std::string& path) {
  IniFile file = OpenSettings(program_folder);
  file.Write(kApplication, kLastFile, path);
  return file.Save();
}

LanguageChoice ReadSkinwrightLanguage(const std::string& program_folder) {
  return ReadLanguageChoice(OpenSettings(program_folder, IniReader::Skinwright));
}

}  // namespace lumvik
