// Arbitrary bytes through the document reader: the rows it finds, once
// written, must read back as the same rows and records, and the header's
// program name must survive the writer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "document/document_file.h"

namespace lumvik {
namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void Exercise(std::string_view bytes) {
  Document document = ParseDocument(bytes);
  Check(document.rows.size() == document.categories.size() + document.tasks.size());
  RecomputeLoadedProgress(document);

  const std::optional<std::string> program_name = HeaderProgramName(bytes);
  const std::string file = SerializeDocument(document, program_name.value_or("Lumvik"));
  Check(HeaderProgramName(file) == program_name.value_or("Lumvik"));

  const Document reread = ParseDocument(file);
  Check(reread.rows == document.rows);
  Check(reread.categories == document.categories);
  Check(reread.tasks == document.tasks);
}

}  // namespace
}  // namespace lumvik

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  lumvik::Exercise(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
