#include "app/skin_win32.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/resource_ids.h"
#include "platform/file_io.h"
#include "platform/jpeg_picture.h"
#include "platform/testing/temp_dir.h"
#include "platform/text.h"

namespace lumvik {
namespace {

using testing::TempDir;
using testing::WriteTestFile;

const std::string kDist = LUMVIK_DIST_FOLDER;

std::string CurrentDirectory() {
  std::string path(::GetCurrentDirectoryA(0, nullptr), '\0');
  path.resize(::GetCurrentDirectoryA(static_cast<DWORD>(path.size()), path.data()));
  return path;
}

// The test's program folder; the current directory is put back afterwards,
// before the folder is removed.
class SkinTest : public ::testing::Test {
 protected:
  SkinTest() { ::SetCurrentDirectoryA(program.path().c_str()); }
  ~SkinTest() override { ::SetCurrentDirectoryA(saved_directory_.c_str()); }

  void MakeSkinFolder(const std::string& name) {
    ::CreateDirectoryA(program.File("skins").c_str(), nullptr);
    ::CreateDirectoryA(program.File("skins\\" + name).c_str(), nullptr);
  }

  void CopyDeliveredSkin(const std::string& name) {
    MakeSkinFolder(name);
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
      const std::string file = IconSlotPath(name, slot);
      ASSERT_TRUE(::CopyFileA((kDist + file).c_str(), program.File(file).c_str(), FALSE)) << file;
    }
  }

  void CopyDeliveredFile(const std::string& name) {
    ASSERT_TRUE(::CopyFileA((kDist + name).c_str(), program.File(name).c_str(), FALSE)) << name;
  }

  TempDir program;
  Skin skin;

 private:
  std::string saved_directory_ = CurrentDirectory();
};

struct IconBitmaps {
  UniqueBitmap colour;
  UniqueBitmap mask;
};

IconBitmaps BitmapsOf(HICON icon) {
  ICONINFO info{};
  if (!::GetIconInfo(icon, &info)) return {};
  return {UniqueBitmap(info.hbmColor), UniqueBitmap(info.hbmMask)};
}

SIZE IconSize(HICON icon) {
  const IconBitmaps bitmaps = BitmapsOf(icon);
  BITMAP bitmap{};
  if (!bitmaps.colour || !::GetObjectA(bitmaps.colour.get(), sizeof bitmap, &bitmap)) return {};
  return {bitmap.bmWidth, bitmap.bmHeight};
}

// Top row first, three bytes blue, green, red per pixel, rows padded to four bytes.
std::vector<std::uint8_t> Pixels24(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>((width * 3 + 3) & ~3) * height);
  UniqueScreenDc screen(::GetDC(nullptr));
  if (::GetDIBits(screen.get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS) !=
      height) {
    pixels.clear();
  }
  return pixels;
}

COLORREF IconCentreColour(HICON icon) {
  const SIZE size = IconSize(icon);
  const std::vector<std::uint8_t> pixels = Pixels24(BitmapsOf(icon).colour.get(), size.cx, size.cy);
  if (pixels.empty()) return CLR_INVALID;
  const std::size_t at = (size.cy / 2) * ((size.cx * 3 + 3) & ~3) + (size.cx / 2) * 3;
  return RGB(pixels[at + 2], pixels[at + 1], pixels[at]);
}

void AppendLittleEndian(std::string& bytes, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An icon file with one opaque 32-bit picture of a single colour.
std::string SolidIconFile(int size, COLORREF colour) {
  const std::uint32_t pixel_bytes = size * size * 4;
  const std::uint32_t mask_bytes = size * ((size + 31) / 32 * 4);
  std::string bytes;
  AppendLittleEndian(bytes, 0, 2);  // reserved
  AppendLittleEndian(bytes, 1, 2);  // an icon
  AppendLittleEndian(bytes, 1, 2);  // one picture
  AppendLittleEndian(bytes, size, 1);
  AppendLittleEndian(bytes, size, 1);
  AppendLittleEndian(bytes, 0, 2);  // no palette, reserved
  AppendLittleEndian(bytes, 1, 2);  // planes
  AppendLittleEndian(bytes, 32, 2);
  AppendLittleEndian(bytes, 40 + pixel_bytes + mask_bytes, 4);
  AppendLittleEndian(bytes, 22, 4);  // where the picture starts
  AppendLittleEndian(bytes, 40, 4);
  AppendLittleEndian(bytes, size, 4);
  AppendLittleEndian(bytes, size * 2, 4);  // colour and mask rows
  AppendLittleEndian(bytes, 1, 2);
  AppendLittleEndian(bytes, 32, 2);
  AppendLittleEndian(bytes, BI_RGB, 4);
  AppendLittleEndian(bytes, pixel_bytes + mask_bytes, 4);
  bytes.append(16, '\0');
  const std::uint32_t bgra =
      GetBValue(colour) | GetGValue(colour) << 8 | GetRValue(colour) << 16 | 0xFFu << 24;
  for (int i = 0; i < size * size; ++i) AppendLittleEndian(bytes, bgra, 4);
  bytes.append(mask_bytes, '\0');
  return bytes;
}

int ScreenPixelsPerInchY() {
  UniqueScreenDc screen(::GetDC(nullptr));
  return ::GetDeviceCaps(screen.get(), LOGPIXELSY);
}

// The face name and the height of a font, as GDI keeps them.
std::pair<std::string, LONG> FaceAndHeight(const UniqueFont& font) {
  LOGFONTA description{};
  if (!font || !::GetObjectA(font.get(), sizeof description, &description)) return {};
  return {description.lfFaceName, description.lfHeight};
}

std::pair<std::string, LONG> FontAt(const std::string& face, int points) {
  return {face, -::MulDiv(points, ScreenPixelsPerInchY(), 72)};
}

TEST(ProgramResources, CarryTheIconAndAskForTheVisualStylesControls) {
  const HINSTANCE program = ::GetModuleHandleA(nullptr);
  EXPECT_TRUE(UniqueIcon(static_cast<HICON>(
      ::LoadImageA(program, MAKEINTRESOURCEA(LUMVIK_RES_PROGRAM_ICON), IMAGE_ICON, 32, 32, 0))));

  // The manifest asks for the common controls of version 6. Wine keeps one
  // common controls library for both versions, so the request is checked in
  // the resource itself rather than through the library's version.
  const HRSRC found = ::FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(program, found)));
  ASSERT_NE(bytes, nullptr);
  const std::string manifest(bytes, ::SizeofResource(program, found));
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
}

TEST(IconSlotPath, NamesTheFileOfEachSlotInTheSkinFolder) {
  EXPECT_EQ(IconSlotPath("deruv", 0), "skins\\deruv\\icone0.ico");
  EXPECT_EQ(IconSlotPath("mon skin", 13), "skins\\mon skin\\tool7.ico");
  EXPECT_EQ(IconSlotPath("deruv", -1), "");
  EXPECT_EQ(IconSlotPath("deruv", kIconSlotCount), "");
}

// The colour and mask pixels of an icon of `size`.
std::vector<std::uint8_t> IconPixels(HICON icon, int size) {
  const IconBitmaps bitmaps = BitmapsOf(icon);
  std::vector<std::uint8_t> pixels = Pixels24(bitmaps.colour.get(), size, size);
  const std::vector<std::uint8_t> mask = Pixels24(bitmaps.mask.get(), size, size);
  pixels.insert(pixels.end(), mask.begin(), mask.end());
  return pixels;
}

TEST_F(SkinTest, EveryDeliveredSkinFillsAllSlotsAtTheirSizes) {
  // A skin whose pictures all have another size is fitted as the delivered ones are.
  MakeSkinFolder("grand");
  for (int slot = 0; slot < kIconSlotCount; ++slot) {
    WriteTestFile(program.File(IconSlotPath("grand", slot)), SolidIconFile(32, RGB(200, 40, 90)));
  }
  for (const std::string name : {"deruv", "contraste", "trait", "grand"}) {
    SCOPED_TRACE(name);
    if (name != "grand") CopyDeliveredSkin(name);
    LoadIconSlots(name, skin);
    for (int slot = 0; slot < kIconSlotCount; ++slot) {
      const LONG size = slot < kFirstToolbarSlot ? 16 : 48;
      ASSERT_TRUE(skin.icons[slot]) << slot;
      const SIZE got = IconSize(skin.icons[slot].get());
      EXPECT_EQ(got.cx, size) << slot;
      EXPECT_EQ(got.cy, size) << slot;
      // The same picture as the system's own reading of the file gives.
      const UniqueIcon system(static_cast<HICON>(::LoadImageA(
          nullptr, IconSlotPath(name, slot).c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
      EXPECT_EQ(IconPixels(skin.icons[slot].get(), size), IconPixels(system.get(), size)) << slot;
    }
  }
}

TEST_F(SkinTest, SlotsFollowTheTreeIconNumbering) {
  // Slot k's expected file; each file has a colour of its own.
  const char* const kFiles[kIconSlotCount] = {"icone0", "icone2", "icone3", "icone4", "icone5",
                                              "icone6", "icone1", "tool1",  "tool2",  "tool3",
                                              "tool4",  "tool5",  "tool6",  "tool7"};
  const auto colour_of = [](const std::string& file) {
    const int n = file.back() - '0' + (file[0] == 't' ? 7 : 0);
    return RGB(15 * n, 255 - 15 * n, 128);
  };
  MakeSkinFolder("couleurs");
  for (const char* file : kFiles) {
    WriteTestFile(program.File("skins\\couleurs\\" + std::string(file) + ".ico"),
                  SolidIconFile(file[0] == 't' ? 48 : 16, colour_of(file)));
  }
  LoadIconSlots("couleurs", skin);
  for (int slot = 0; slot < kIconSlotCount; ++slot) {
    ASSERT_TRUE(skin.icons[slot]) << slot;
    EXPECT_EQ(IconCentreColour(skin.icons[slot].get()), colour_of(kFiles[slot])) << slot;
  }
}

TEST_F(SkinTest, AFileThatCannotBeLoadedEmptiesOnlyItsSlot) {
  CopyDeliveredSkin("deruv");
  LoadIconSlots("deruv", skin);
  ASSERT_TRUE(RemoveFile(program.File("skins\\deruv\\icone1.ico")));
  ASSERT_TRUE(RemoveFile(program.File("skins\\deruv\\tool3.ico")));
  WriteTestFile(program.File("skins\\deruv\\icone4.ico"), "not an icon");
  LoadIconSlots("deruv", skin);
  for (int slot = 0; slot < kIconSlotCount; ++slot) {
    EXPECT_EQ(static_cast<bool>(skin.icons[slot]), slot != 6 && slot != 9 && slot != 3) << slot;
  }

  LoadIconSlots("absent", skin);
  for (const UniqueIcon& icon : skin.icons) EXPECT_FALSE(icon);
}

TEST_F(SkinTest, ThemeGivesItsValuesAndItsThreeFonts) {
  WriteTestFile(program.File("bleu.lvs"),
                "[THEME]\r\nPOLICE = Courier New\r\npolice_size = 12\r\npolice_nom = Tahoma\r\n"
                "police_design = Times New Roman\r\nurg_3_tc = 255\r\n");
  LoadTheme("bleu", skin);
  EXPECT_EQ(skin.theme.name, "bleu");
  EXPECT_EQ(skin.theme.urg_3_tc, 255);
  EXPECT_EQ(skin.theme.avancement_fgc, 16711680);
  EXPECT_EQ(FaceAndHeight(skin.fonts[kFontProgressLabel]), FontAt("Courier New", 12));
  EXPECT_EQ(FaceAndHeight(skin.fonts[kFontName]), FontAt("Tahoma", 8));
  EXPECT_EQ(FaceAndHeight(skin.fonts[kFontDescription]), FontAt("Times New Roman", 8));
}

TEST_F(SkinTest, MissingThemeGivesTheDefaultsInPlaceOfTheLastTheme) {
  WriteTestFile(program.File("bleu.lvs"), "[Theme]\r\npolice = Tahoma\r\nurg_1_bc = 7\r\n");
  LoadTheme("bleu", skin);
  LoadTheme("absent", skin);
  ThemeRecord defaults;
  defaults.name = "absent";
  defaults.avancement_fgc = 16711680;
  defaults.avancement_tc = 16777215;
  defaults.police = defaults.police_nom = defaults.police_design = "Arial";
  defaults.police_size = 8;
  EXPECT_EQ(skin.theme, defaults);
  for (const UniqueFont& font : skin.fonts) EXPECT_EQ(FaceAndHeight(font), FontAt("Arial", 8));
}

TEST_F(SkinTest, AboutPictureIsTheCarriedJpegTopRowFirst) {
  const std::optional<std::string> jpeg = ReadWholeFile(kDist + "../resources/about.jpg");
  ASSERT_TRUE(jpeg.has_value());
  const std::optional<RgbPicture> expected = DecodeJpeg(*jpeg);
  ASSERT_TRUE(expected.has_value());

  LoadAboutPicture(::GetModuleHandleA(nullptr), skin);
  ASSERT_TRUE(skin.about_picture);
  EXPECT_EQ(skin.about_size.cx, 800);
  EXPECT_EQ(skin.about_size.cy, 200);
  const std::vector<std::uint8_t> pixels = Pixels24(skin.about_picture.get(), 800, 200);
  ASSERT_FALSE(pixels.empty());
  int differing = 0;
  for (std::size_t y = 0; y < 200; ++y) {
    for (std::size_t x = 0; x < 800; ++x) {
      const std::uint8_t* got = &pixels[y * 800 * 3 + x * 3];
      const std::uint8_t* want = &expected->pixels[y * 800 * 3 + x * 3];
      differing += got[0] != want[2] || got[1] != want[1] || got[2] != want[0];
    }
  }
  EXPECT_EQ(differing, 0);

  // A module without the picture leaves none behind.
  LoadAboutPicture(::GetModuleHandleA("gdi32.dll"), skin);
  EXPECT_FALSE(skin.about_picture);
  EXPECT_EQ(skin.about_size.cx, 0);
}

TEST_F(SkinTest, LoadSkinAndThemeReadsEverythingFromTheProgramFolder) {
  WriteTestFile(program.File("Lumvik.ini"),
                "[Application]\r\nlangage = english\r\nlangagenb = 150\r\n"
                "[Icone]\r\nskin = trait\r\n[Image]\r\nskin = ocean\r\n");
  CopyDeliveredFile("Lumvik.lng.ini");
  CopyDeliveredFile("ocean.lvs");
  CopyDeliveredSkin("trait");
  TempDir elsewhere;
  ASSERT_TRUE(::SetCurrentDirectoryA(elsewhere.path().c_str()));

  Settings settings;
  TextTable texts(kLumvikTextCount);
  LoadSkinAndTheme(program.path(), settings, texts, skin);

  EXPECT_TRUE(EqualsIgnoringCase(CurrentDirectory() + "\\", program.path())) << CurrentDirectory();
  EXPECT_EQ(settings.icone_skin, "trait");
  EXPECT_EQ(texts[54], "Lumvik");
  EXPECT_FALSE(texts[111].empty());  // past the 92 texts read without "langagenb"
  for (const UniqueIcon& icon : skin.icons) EXPECT_TRUE(icon);
  ThemeRecord ocean;
  ReadThemeFile(kDist, "ocean", ocean, IniReader::Lumvik);
  ocean.name = "ocean";
  EXPECT_EQ(skin.theme, ocean);
  EXPECT_EQ(FaceAndHeight(skin.fonts[kFontName]), FontAt(ocean.police_nom, 8));
}

TEST_F(SkinTest, WithoutSkinChoicesTheDefaultSkinAndThemeAreLoaded) {
  CopyDeliveredSkin("deruv");
  CopyDeliveredFile("strict.lvs");
  ThemeRecord strict;
  ReadThemeFile(kDist, "strict", strict, IniReader::Lumvik);
  strict.name = "strict";

  const auto expect_defaults = [&] {
    Settings settings;
    TextTable texts(kLumvikTextCount);
    LoadSkinAndTheme(program.path(), settings, texts, skin);
    EXPECT_EQ(settings.icone_skin, "deruv");
    EXPECT_EQ(settings.image_skin, "strict");
    for (const UniqueIcon& icon : skin.icons) EXPECT_TRUE(icon);
    EXPECT_EQ(skin.theme, strict);
  };
  WriteTestFile(program.File("Lumvik.ini"), "[Application]\r\ndroite = 0\r\n");
  expect_defaults();
  // Without a settings file the settings take their defaults too.
  ASSERT_TRUE(RemoveFile(program.File("Lumvik.ini")));
  expect_defaults();
}

}  // namespace
}  // namespace lumvik
