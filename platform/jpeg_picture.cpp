#include "platform/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t from the headers above.
#include <jpeglib.h>

namespace lumvik {

namespace {

// libjpeg's own error handler ends the process; this one returns to the decoder.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf resume;
};

void ReturnToDecoder(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->resume, 1);
}

void Silence(j_common_ptr) {}

}  // namespace

std::optional<RgbPicture> DecodeJpeg(std::string_view bytes) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ReturnToDecoder;
  errors.base.output_message = Silence;
  RgbPicture picture;
  if (setjmp(errors.resume) != 0) {
    jpeg_destroy_decompress(&info);
    return std::nullopt;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  const std::size_t stride = static_cast<std::size_t>(picture.width) * 3;
  picture.pixels.resize(stride * static_cast<std::size_t>(picture.height));
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.pixels.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return picture;
}

}  // namespace lumvik
