#include "app/skin_win32.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "app/resource_ids.h"
#include "platform/file_io.h"
#include "platform/jpeg_picture.h"
#include "theme/progress_font_win32.h"

namespace lumvik {

namespace {

// Slot order is the tree's icon numbering: slot 1 is the category that is
// not complete and slot 6 the complete one, so their files are swapped.
constexpr std::string_view kSlotFiles[kIconSlotCount] = {
    "\\icone0.ico", "\\icone2.ico", "\\icone3.ico", "\\icone4.ico", "\\icone5.ico",
    "\\icone6.ico", "\\icone1.ico", "\\tool1.ico",  "\\tool2.ico",  "\\tool3.ico",
    "\\tool4.ico",  "\\tool5.ico",  "\\tool6.ico",  "\\tool7.ico"};

constexpr std::string_view kSkinsFolder = "skins\\";
constexpr int kTreeIconSize = 16;
constexpr int kToolbarPictureSize = 48;
constexpr std::int32_t kPanelFontPoints = 8;

// The picture's pixels in the DIB's layout: top row first, blue first in
// every pixel, rows padded to four bytes.
UniqueBitmap BitmapOfPicture(const RgbPicture& picture) {
  const std::size_t width = static_cast<std::size_t>(picture.width);
  const std::size_t height = static_cast<std::size_t>(picture.height);
  if (picture.pixels.size() < width * height * 3) return {};
  void* bits = nullptr;
  UniqueBitmap bitmap = CreateDib24(picture.width, picture.height, &bits);
  if (!bitmap || bits == nullptr) return {};
  const std::size_t stride = (width * 3 + 3) & ~std::size_t{3};
  auto* rows = static_cast<std::uint8_t*>(bits);
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* from = picture.pixels.data() + y * width * 3;
    std::uint8_t* to = rows + y * stride;
    for (std::size_t x = 0; x < width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return bitmap;
}

std::string_view ResourceBytes(HINSTANCE program, int id) {
  HRSRC found = ::FindResourceA(program, MAKEINTRESOURCEA(id), RT_RCDATA);
  if (found == nullptr) return {};
  HGLOBAL loaded = ::LoadResource(program, found);
  const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr) return {};
  return {static_cast<const char*>(bytes), ::SizeofResource(program, found)};
}

// The icon in the bytes of an icon file when the file holds exactly one
// picture of `size` by `size`, an ordinary bitmap: the one the system
// would choose too, since it puts the size before the colours. None
// otherwise. Built from bytes read once, an icon costs the start less than
// when the system opens its file.
UniqueIcon IconFromFileBytes(std::string& file, int size) {
  constexpr std::size_t kHeader = 6;
  constexpr std::size_t kEntry = 16;
  constexpr std::uint32_t kBitmapHeader = 40;
  auto* data = reinterpret_cast<BYTE*>(file.data());
  if (file.size() < kHeader || data[2] != 1 || data[3] != 0) return {};
  const std::size_t count = data[4] | (data[5] << 8);
  if (file.size() < kHeader + count * kEntry) return {};
  const auto double_word = [&](std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, data + at, sizeof value);
    return value;
  };
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeader + i * kEntry;
    // A size of 0 stands for 256.
    if ((data[entry] == 0 ? 256 : data[entry]) != size ||
        (data[entry + 1] == 0 ? 256 : data[entry + 1]) != size) {
      continue;
    }
    if (found) return {};  // the system chooses among them by colours
    found = entry;
  }
  if (!found) return {};
  const std::uint32_t length = double_word(*found + 8);
  const std::uint32_t start = double_word(*found + 12);
  if (start > file.size() || length > file.size() - start || length < kBitmapHeader ||
      double_word(start) != kBitmapHeader ||
      static_cast<std::int32_t>(double_word(start + 4)) != size ||
      static_cast<std::int32_t>(double_word(start + 8)) != 2 * size) {
    return {};
  }
  return UniqueIcon(::CreateIconFromResourceEx(data + start, length, TRUE, 0x00030000, size, size,
                                               LR_DEFAULTCOLOR));
}

}  // namespace

std::string IconSlotPath(const std::string& skin, int slot) {
  if (slot < 0 || slot >= kIconSlotCount) return {};
  return std::string(kSkinsFolder) + skin + std::string(kSlotFiles[slot]);
}

UniqueIcon LoadSlotIcon(const std::string& skin_name, int slot) {
  const int size = slot < kFirstToolbarSlot ? kTreeIconSize : kToolbarPictureSize;
  const std::string path = IconSlotPath(skin_name, slot);
  std::optional<std::string> file = ReadWholeFile(path);
  if (!file) return {};
  if (UniqueIcon icon = IconFromFileBytes(*file, size)) return icon;
  // Whatever else the system reads as an icon.
  return UniqueIcon(static_cast<HICON>(
      ::LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
}

void LoadIconSlots(const std::string& skin_name, Skin& skin) {
  for (int slot = 0; slot < kIconSlotCount; ++slot)
    skin.icons[slot] = LoadSlotIcon(skin_name, slot);
}

void LoadThemeFonts(Skin& skin) {
  skin.fonts[kFontProgressLabel] = CreateProgressFont(skin.theme);
  skin.fonts[kFontName] = CreateThemeFont(skin.theme.police_nom, kPanelFontPoints);
  skin.fonts[kFontDescription] = CreateThemeFont(skin.theme.police_design, kPanelFontPoints);
}

void LoadTheme(const std::string& name, Skin& skin) {
  ReadThemeFile("", name, skin.theme, IniReader::Lumvik);
  skin.theme.name = name;
  LoadThemeFonts(skin);
}

void LoadAboutPicture(HINSTANCE program, Skin& skin) {
  skin.about_picture.reset();
  skin.about_size = {};
  const std::optional<RgbPicture> picture =
      DecodeJpeg(ResourceBytes(program, LUMVIK_RES_ABOUT_PICTURE));
  if (!picture) return;
  skin.about_picture = BitmapOfPicture(*picture);
  if (skin.about_picture) skin.about_size = {picture->width, picture->height};
}

std::string ProgramFolder() { return ExecutableFolder(); }

void LoadSkinAndTheme(const std::string& program_folder, Settings& settings, TextTable& texts,
                      Skin& skin) {
  ::SetCurrentDirectoryA(program_folder.c_str());
  ReadSettings("", settings, texts);
  LoadIconSlots(settings.icone_skin, skin);
  LoadTheme(settings.image_skin, skin);
}

}  // namespace lumvik
