// The icon skins delivered in "skins": every skin folder holds the fourteen icon files, each with
// exactly the sizes the programs load (tree icons 16 and 32 pixels, toolbar pictures 48), in 32
// bits with an alpha channel, and Windows loads each size from the file as it is.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "platform/file_io.h"

namespace lumvik {
namespace {

const std::string kSkinsFolder = std::string(LUMVIK_DIST_FOLDER) + "skins/";

struct IconFile {
  std::string name;
  std::vector<int> sizes;
};

std::vector<IconFile> SkinFiles() {
  std::vector<IconFile> files;
  for (int i = 0; i <= 6; ++i) files.push_back({"icone" + std::to_string(i) + ".ico", {16, 32}});
  for (int i = 1; i <= 7; ++i) files.push_back({"tool" + std::to_string(i) + ".ico", {48}});
  return files;
}

std::vector<std::string> DeliveredSkins() {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(kSkinsFolder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind_error;
    if (it->is_directory(kind_error)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class OwnedIcon {
 public:
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  OwnedIcon(const OwnedIcon&) = delete;
  OwnedIcon& operator=(const OwnedIcon&) = delete;
  ~OwnedIcon() {
    if (icon_ != nullptr) DestroyIcon(icon_);
  }
  HICON get() const { return icon_; }

 private:
  HICON icon_;
};

// The colour and mask bitmaps that GetIconInfo hands over to its caller.
class IconBitmaps {
 public:
  explicit IconBitmaps(HICON icon) { ok_ = GetIconInfo(icon, &info_) != 0; }
  IconBitmaps(const IconBitmaps&) = delete;
  IconBitmaps& operator=(const IconBitmaps&) = delete;
  ~IconBitmaps() {
    if (!ok_) return;
    if (info_.hbmColor != nullptr) DeleteObject(info_.hbmColor);
    if (info_.hbmMask != nullptr) DeleteObject(info_.hbmMask);
  }
  bool ok() const { return ok_; }
  HBITMAP colour() const { return info_.hbmColor; }

 private:
  ICONINFO info_{};
  bool ok_ = false;
};

class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// The alpha byte of every pixel of a 32-bit bitmap, or nothing when it cannot be read.
std::vector<std::uint8_t> AlphaOf(HBITMAP bitmap, int size) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = size;
  format.bmiHeader.biHeight = -size;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
  MemoryDc dc;
  if (GetDIBits(dc.get(), bitmap, 0, size, pixels.data(), &format, DIB_RGB_COLORS) != size) {
    return {};
  }
  std::vector<std::uint8_t> alpha;
  for (std::uint32_t pixel : pixels) alpha.push_back(static_cast<std::uint8_t>(pixel >> 24));
  return alpha;
}

struct DirectoryEntry {
  int width, height, bits;
};

// The images an icon file lists in its directory (a width or height byte of 0 means 256).
std::vector<DirectoryEntry> IconDirectory(const std::string& bytes) {
  auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
  auto word = [&](std::size_t at) { return byte(at) | byte(at + 1) << 8; };
  std::vector<DirectoryEntry> entries;
  if (bytes.size() < 6 || word(0) != 0 || word(2) != 1) return entries;
  for (int i = 0; i < word(4) && 6 + 16 * (i + 1) <= static_cast<int>(bytes.size()); ++i) {
    const std::size_t at = 6 + 16 * static_cast<std::size_t>(i);
    entries.push_back(
        {byte(at) == 0 ? 256 : byte(at), byte(at + 1) == 0 ? 256 : byte(at + 1), word(at + 6)});
  }
  return entries;
}

TEST(DeliveredSkinsTest, TheDefaultAndAtLeastOneMoreAreDelivered) {
  const std::vector<std::string> skins = DeliveredSkins();
  EXPECT_GE(skins.size(), 2u);
  EXPECT_NE(std::find(skins.begin(), skins.end(), "deruv"), skins.end()) << kSkinsFolder;
}

// Windows picks the nearest image and scales it when the asked size is missing, so the file
// must hold each size itself.
TEST(DeliveredSkinsTest, EachFileHoldsExactlyItsSizesIn32Bits) {
  for (const std::string& skin : DeliveredSkins()) {
    for (const IconFile& file : SkinFiles()) {
      const std::string path = kSkinsFolder + skin + "/" + file.name;
      SCOPED_TRACE(path);
      const std::vector<DirectoryEntry> entries = IconDirectory(ReadWholeFile(path).value_or(""));
      std::vector<int> sizes;
      for (const DirectoryEntry& entry : entries) {
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.bits, 32) << entry.width << " pixels";
        sizes.push_back(entry.width);
      }
      std::sort(sizes.begin(), sizes.end());
      EXPECT_EQ(sizes, file.sizes);
    }
  }
}

TEST(DeliveredSkinsTest, WindowsLoadsEverySizeWithItsAlphaChannel) {
  for (const std::string& skin : DeliveredSkins()) {
    for (const IconFile& file : SkinFiles()) {
      const std::string path = kSkinsFolder + skin + "/" + file.name;
      for (int size : file.sizes) {
        SCOPED_TRACE(path + " at " + std::to_string(size));
        const OwnedIcon icon(static_cast<HICON>(
            LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE)));
        ASSERT_NE(icon.get(), nullptr);
        const IconBitmaps bitmaps(icon.get());
        ASSERT_TRUE(bitmaps.ok());
        ASSERT_NE(bitmaps.colour(), nullptr);
        BITMAP colour{};
        ASSERT_NE(GetObjectA(bitmaps.colour(), sizeof(colour), &colour), 0);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        EXPECT_EQ(colour.bmBitsPixel, 32);
        // A drawing on a clear ground: some pixels fully transparent, some fully opaque.
        const std::vector<std::uint8_t> alpha = AlphaOf(bitmaps.colour(), size);
        ASSERT_EQ(alpha.size(), static_cast<std::size_t>(size) * size);
        EXPECT_NE(std::find(alpha.begin(), alpha.end(), 0), alpha.end());
        EXPECT_NE(std::find(alpha.begin(), alpha.end(), 255), alpha.end());
      }
    }
  }
}

// Every file of a skin stands for something else, so no two may be the same picture.
TEST(DeliveredSkinsTest, NoTwoFilesOfASkinAreTheSame) {
  for (const std::string& skin : DeliveredSkins()) {
    std::set<std::string> contents;
    for (const IconFile& file : SkinFiles()) {
      const std::string path = kSkinsFolder + skin + "/" + file.name;
      EXPECT_TRUE(contents.insert(ReadWholeFile(path).value_or(path)).second) << path;
    }
  }
}

}  // namespace
}  // namespace lumvik
