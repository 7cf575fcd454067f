// What Lumvik draws with, loaded from the program folder: the fourteen icon
// slots of the icon skin, the current theme with its three fonts, and the
// about picture carried inside the program.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "config/object_numbers.h"
#include "config/settings.h"
#include "config/text_table.h"
#include "theme/gdi_owners_win32.h"
#include "theme/theme_file.h"

namespace lumvik {

struct Skin {
  std::array<UniqueIcon, kIconSlotCount> icons;  // an empty slot had no loadable file
  ThemeRecord theme;
  std::array<UniqueFont, kFontCount> fonts;
  UniqueBitmap about_picture;  // empty when the picture cannot be decoded
  SIZE about_size{};
};

// The file of icon slot `slot` in the icon skin `skin`, relative to the
// program folder: "skins\" + skin + "\icone2.ico" for slot 1, and so on.
std::string IconSlotPath(const std::string& skin, int slot);

// The icon of slot `slot` in the skin: 16 by 16 for the tree icons, 48 by
// 48 for the toolbar pictures; empty when its file cannot be loaded.
UniqueIcon LoadSlotIcon(const std::string& skin_name, int slot);

// Replaces every slot with the icon of its file; a file that cannot be
// loaded leaves its slot empty.
void LoadIconSlots(const std::string& skin_name, Skin& skin);

// The three fonts of the current theme: the progress label font `police` at
// `police_size` points, `police_nom` and `police_design` at 8 points.
void LoadThemeFonts(Skin& skin);

// Reads the theme `name` (every key with its default when the file or the key
// is missing) and loads its three fonts.
void LoadTheme(const std::string& name, Skin& skin);

// The about picture decoded from the program's JPEG resource.
void LoadAboutPicture(HINSTANCE program, Skin& skin);

// The folder of the running program file, up to and including its last "\".
std::string ProgramFolder();

// The first start-up phase: makes `program_folder` the current directory,
// reads the settings and the texts, then loads the icons, the theme and the
// fonts. The about picture waits until the about box opens.
void LoadSkinAndTheme(const std::string& program_folder, Settings& settings, TextTable& texts,
                      Skin& skin);

}  // namespace lumvik
