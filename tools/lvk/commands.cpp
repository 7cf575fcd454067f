#include "tools/lvk/commands.h"

#include <chrono>
#include <optional>
#include <variant>

#include "config/settings.h"
#include "config/text_numbers.h"
#include "document/document_file.h"
#include "export/document_export.h"
#include "export/printable_view.h"
#include "platform/file_io.h"
#include "tools/lvk/json_dump.h"
#include "tools/lvk/theme_colours.h"

namespace lumvik {

namespace {

constexpr char kUsage[] =
    "usage: lvk dump [--name NAME] FILE\n"
    "       lvk rewrite [--name NAME] IN OUT\n"
    "       lvk export [--name NAME] --format csv|markdown|html|ical|print FILE\n";

struct CommandLine {
  std::string command;
  std::optional<std::string> name;
  std::optional<std::string> format;
  std::vector<std::string> files;
};

// Options stand between the command word and the files.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  CommandLine line;
  line.command = arguments[0];
  std::size_t i = 1;
  for (; i < arguments.size() && arguments[i].rfind("--", 0) == 0; i += 2) {
    if (i + 1 >= arguments.size()) return std::nullopt;
    std::optional<std::string>& option = arguments[i] == "--name" ? line.name : line.format;
    if ((arguments[i] != "--name" && arguments[i] != "--format") || option) return std::nullopt;
    option = arguments[i + 1];
  }
  line.files.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
  const std::size_t wanted = line.command == "rewrite" ? 2 : 1;
  const bool known = line.command == "dump" || line.command == "rewrite" ||
                     line.command == "export";
  const bool format_fits = (line.command == "export") == line.format.has_value();
  if (!known || !format_fits || line.files.size() != wanted) return std::nullopt;
  return line;
}

// The printable view is a page of its own rather than an export format: it
// shows the theme's colours and is titled by the document.
struct PrintableFormat {};
using LvkFormat = std::variant<ExportFormat, PrintableFormat>;

std::optional<LvkFormat> FormatNamed(const std::string& name) {
  if (name == "csv") return ExportFormat::Csv;
  if (name == "markdown") return ExportFormat::Markdown;
  if (name == "html") return ExportFormat::Html;
  if (name == "ical") return ExportFormat::ICalendar;
  if (name == "print") return PrintableFormat{};
  return std::nullopt;
}

std::string FileNameOf(const std::string& path) {
  const std::size_t folder_end = path.find_last_of("/\\");
  return folder_end == std::string::npos ? path : path.substr(folder_end + 1);
}

std::string Export(const Document& document, const TextTable& texts, const LvkFormat& format,
                   const std::string& program_folder) {
  if (const auto* export_format = std::get_if<ExportFormat>(&format)) {
    return ExportDocument(document, texts, *export_format,
                          UtcTimeOf(std::chrono::system_clock::now()));
  }
  return PrintableView(document, texts, ThemeUrgencyColours(program_folder),
                       FileNameOf(document.file_path));
}

// Reads a document as the program does; on a refusal says why and gives nothing.
std::optional<Document> Read(const std::string& path, const std::string& program_name,
                             std::ostream& errors) {
  ReadResult result = ReadDocument(path, program_name);
  switch (result.status) {
    case ReadStatus::Read:
      return std::move(result.document);
    case ReadStatus::Foreign:
      errors << "lvk: " << path << ": not a document of " << program_name << "\n";
      return std::nullopt;
    case ReadStatus::CannotOpen:
      break;
  }
  errors << "lvk: " << path << ": cannot be opened\n";
  return std::nullopt;
}

}  // namespace

int RunLvk(const std::vector<std::string>& arguments, const std::string& program_folder,
           std::ostream& out, std::ostream& errors) {
  const std::optional<CommandLine> line = ParseCommandLine(arguments);
  const std::optional<LvkFormat> format =
      line && line->format ? FormatNamed(*line->format) : std::nullopt;
  if (!line || (line->format && !format)) {
    errors << kUsage;
    return kExitUsage;
  }

  Settings settings;
  TextTable texts(kLumvikTextCount);
  ReadSettings(program_folder, settings, texts);
  std::string program_name = line->name ? *line->name : texts[kTextProgramName];
  if (program_name.empty()) program_name = "Lumvik";

  const std::string& path = line->files[0];
  const std::optional<Document> document = Read(path, program_name, errors);
  if (!document) return kExitFileError;

  if (line->command == "dump") {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    out << DocumentJson(*document, bytes ? HeaderProgramName(*bytes) : std::nullopt);
  } else if (line->command == "export") {
    out << Export(*document, texts, *format, program_folder);
  } else {
    const std::string target = WithDocumentExtension(line->files[1]);
    if (!WriteDocumentFile(target, *document, program_name)) {
      errors << "lvk: " << target << ": cannot be written\n";
      return kExitFileError;
    }
  }
  return kExitSuccess;
}

}  // namespace lumvik
