#include "tools/lvk/commands.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <variant>

#include "config/settings.h"
#include "config/text_numbers.h"
#include "document/document_file.h"
#include "export/document_export.h"
#include "export/printable_view.h"
#include "export/row_texts.h"
#include "platform/codepage.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "tools/lvk/json_dump.h"
#include "tools/lvk/list_command.h"
#include "tools/lvk/theme_colours.h"
#include "tools/lvk/write_commands.h"

namespace lumvik {

namespace {

constexpr char kUsage[] =
    "usage: lvk dump [--name NAME] FILE\n"
    "       lvk rewrite [--name NAME] IN OUT\n"
    "       lvk list [--name NAME] FILE [--hide-finished] [--due] [--urgent] [--match TEXT]\n"
    "       lvk export [--name NAME] --format csv|markdown|html|ical|print FILE\n"
    "               [--hide-finished] [--due] [--urgent] [--match TEXT]\n"
    "       lvk add FILE --in CATEGORY/PATH --name NAME [--description TEXT]\n"
    "               [--due dd/mm/yyyy] [--start dd/mm/yyyy] [--urgency 1-5] [--status 1-5]\n"
    "       lvk done FILE --task CATEGORY/PATH/TASK\n";

// What each command takes: its number of files, the options it knows
// (without their "--"), those it needs, and those that stand alone,
// without a value.
struct CommandForm {
  std::string_view word;
  std::size_t files;
  std::vector<std::string_view> known;
  std::vector<std::string_view> needed;
  std::vector<std::string_view> flags = {};
};

const std::vector<std::string_view> kFilterFlags = {"hide-finished", "due", "urgent"};

const std::vector<CommandForm>& CommandForms() {
  static const std::vector<CommandForm> forms = {
      {"dump", 1, {"name"}, {}},
      {"rewrite", 2, {"name"}, {}},
      {"list", 1, {"name", "match"}, {}, kFilterFlags},
      {"export", 1, {"name", "format", "match"}, {"format"}, kFilterFlags},
      {"add",
       1,
       {"in", "name", "description", "due", "start", "urgency", "status"},
       {"in", "name"}},
      {"done", 1, {"task"}, {"task"}},
  };
  return forms;
}

struct CommandLine {
  std::string command;
  LvkOptions options;
  std::vector<std::string> files;

  std::optional<std::string> Option(std::string_view name) const {
    const auto found = options.find(name);
    return found == options.end() ? std::nullopt : std::optional(found->second);
  }
};

// Options, each with its value, may stand anywhere after the command word.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return std::nullopt;
  const auto form = std::find_if(CommandForms().begin(), CommandForms().end(),
                                 [&](const CommandForm& f) { return f.word == arguments[0]; });
  if (form == CommandForms().end()) return std::nullopt;
  CommandLine line{arguments[0], {}, {}};
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (!arguments[i].starts_with("--")) {
      line.files.push_back(arguments[i]);
      continue;
    }
    const std::string name = arguments[i].substr(2);
    if (std::find(form->flags.begin(), form->flags.end(), name) != form->flags.end()) {
      if (!line.options.emplace(name, "").second) return std::nullopt;
      continue;
    }
    const bool known = std::find(form->known.begin(), form->known.end(), name) != form->known.end();
    if (!known || i + 1 >= arguments.size() ||
        !line.options.emplace(name, arguments[i + 1]).second) {
      return std::nullopt;
    }
    ++i;
  }
  for (const std::string_view needed : form->needed) {
    if (!line.options.contains(needed)) return std::nullopt;
  }
  if (line.files.size() != form->files) return std::nullopt;
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

// The rows the filter shows, with the words that say how many of the
// tasks those are when a filter is on.
struct ViewedPart {
  Document document;
  std::string note;
};

ViewedPart Viewed(const Document& document, const ViewFilter& filter, const TextTable& texts) {
  if (!filter.Active()) return {document, {}};
  const LocalDateTime now = LocalNow();
  const std::vector<bool> shown = ShownRows(document, filter, {now.year, now.month, now.day});
  const TaskCount count = CountShownTasks(document, shown);
  return {ShownPart(document, shown), TasksShownText(texts, count.shown, count.total)};
}

std::string Export(const ViewedPart& part, const TextTable& texts, const LvkFormat& format,
                   const std::string& program_folder) {
  if (const auto* export_format = std::get_if<ExportFormat>(&format)) {
    return ExportDocument(part.document, texts, *export_format,
                          UtcTimeOf(std::chrono::system_clock::now()), part.note);
  }
  return PrintableView(part.document, texts, ThemeUrgencyColours(program_folder),
                       TitleWithNote(FileNameOf(part.document.file_path), part.note));
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
  std::optional<CommandLine> line = ParseCommandLine(arguments);
  const std::optional<std::string> format_name = line ? line->Option("format") : std::nullopt;
  const std::optional<LvkFormat> format = format_name ? FormatNamed(*format_name) : std::nullopt;
  const std::optional<ViewFilter> filter = line ? FilterOf(line->options) : std::nullopt;
  if (!line || (format_name && !format) || !filter) {
    errors << kUsage;
    return kExitUsage;
  }
  for (std::string& file : line->files) {
    const std::optional<std::string> system_path = PathFromUtf8(file);
    if (!system_path) {
      errors << "lvk: " << file << ": not a path this system can open\n";
      return kExitFileError;
    }
    file = *system_path;
  }

  Settings settings;
  TextTable texts(kLumvikTextCount);
  ReadSettings(program_folder, settings, texts);
  // In add, --name names the new task.
  const bool writes = line->command == "add" || line->command == "done";
  const std::optional<std::string> name_option = writes ? std::nullopt : line->Option("name");
  const std::optional<std::string> given_name =
      name_option ? Cp1252FromUtf8(*name_option) : std::nullopt;
  if (name_option && !given_name) {
    errors << "lvk: --name has a character that a document cannot hold\n";
    return kExitUsage;
  }
  std::string program_name = given_name ? *given_name : texts[kTextProgramName];
  if (program_name.empty()) program_name = "Lumvik";

  const std::string& path = line->files[0];
  if (writes) {
    const WriteContext context{program_name, settings.backups, errors};
    return line->command == "add" ? AddTaskCommand(path, line->options, context)
                                  : DoneCommand(path, line->options, context);
  }
  const std::optional<Document> document = Read(path, program_name, errors);
  if (!document) return kExitFileError;

  if (line->command == "dump") {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    out << DocumentJson(*document, bytes ? HeaderProgramName(*bytes) : std::nullopt);
  } else if (line->command == "list") {
    out << ListedRows(Viewed(*document, *filter, texts).document, texts);
  } else if (line->command == "export") {
    out << Export(Viewed(*document, *filter, texts), texts, *format, program_folder);
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
