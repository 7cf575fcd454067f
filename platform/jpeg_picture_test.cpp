#include "platform/jpeg_picture.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace lumvik {
namespace {

// A baseline JPEG of a picture whose left half is red and right half blue.
std::string EncodeHalves(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    row[x * 3] = x < width / 2 ? 255 : 0;
    row[x * 3 + 2] = x < width / 2 ? 0 : 255;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&info, &pointer, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

TEST(DecodeJpeg, GivesTheSizeAndColoursOfThePicture) {
  const auto picture = DecodeJpeg(EncodeHalves(64, 16));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->width, 64);
  EXPECT_EQ(picture->height, 16);
  ASSERT_EQ(picture->pixels.size(), 64u * 16u * 3u);
  const auto at = [&](int x, int y, int channel) {
    return static_cast<int>(picture->pixels[(static_cast<std::size_t>(y) * 64 + x) * 3 + channel]);
  };
  EXPECT_GT(at(4, 8, 0), 230);
  EXPECT_LT(at(4, 8, 2), 25);
  EXPECT_LT(at(60, 8, 0), 25);
  EXPECT_GT(at(60, 8, 2), 230);
}

TEST(DecodeJpeg, RefusesDamagedDataWithoutEndingTheProgram) {
  EXPECT_FALSE(DecodeJpeg("").has_value());
  EXPECT_FALSE(DecodeJpeg("not a picture at all").has_value());
  std::string cut = EncodeHalves(32, 32);
  cut.resize(cut.size() / 3);
  // A cut picture still decodes (libjpeg fills the rest) or is refused; it never aborts.
  const auto picture = DecodeJpeg(cut);
  if (picture) {
    EXPECT_EQ(picture->width, 32);
  }
}

}  // namespace
}  // namespace lumvik
