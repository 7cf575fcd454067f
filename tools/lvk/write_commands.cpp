#include "tools/lvk/write_commands.h"

#include <charconv>
#include <optional>

#include "document/date_mask.h"
#include "document/document_file.h"
#include "document/script_edits.h"
#include "document/stored_form.h"
#include "platform/codepage.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "tools/lvk/commands.h"

namespace lumvik {

namespace {

// A file written by another program while this one read and changed it is
// read again; this many times at most.
constexpr int kMostReads = 5;

using Edit = std::function<PathFinding(Document&)>;

// Reads the file, edits it and writes it back, all under its write lock.
int EditFile(const std::string& file, const std::string& row_path, const Edit& edit,
             const WriteContext& context) {
  std::ostream& errors = context.errors;
  for (int read = 0; read < kMostReads; ++read) {
    FileWrite write(file, kDocumentWritePatience);
    if (!write.held()) {
      errors << "lvk: " << file << ": being written by another program; try again\n";
      return kExitFileError;
    }
    const std::optional<std::string> bytes = ReadWholeFile(file);
    ReadResult result =
        bytes ? DocumentFromBytes(*bytes, file, context.program_name) : ReadResult{};
    if (result.status != ReadStatus::Read) {
      errors << "lvk: " << file
             << (result.status == ReadStatus::Foreign
                     ? ": not a document of " + context.program_name
                     : std::string(": cannot be opened"))
             << "\n";
      return kExitFileError;
    }
    switch (edit(result.document)) {
      case PathFinding::None:
        errors << "lvk: " << file << ": no task at \"" << row_path << "\"\n";
        return kExitFileError;
      case PathFinding::Several:
        errors << "lvk: " << file << ": \"" << row_path << "\" names more than one row\n";
        return kExitFileError;
      case PathFinding::One:
        break;
    }
    // A Lumvik run under Wine does not see the lock of a program run
    // natively: just before the new file goes in place, the file must still
    // hold what was read, else it is read again.
    bool changed_meanwhile = false;
    const auto unchanged = [&] {
      changed_meanwhile = ReadWholeFile(file) != bytes;
      return !changed_meanwhile;
    };
    if (WriteDocumentWithBackup(write, result.document, context.program_name, context.backups,
                                unchanged)) {
      return kExitSuccess;
    }
    if (!changed_meanwhile) {
      errors << "lvk: " << file << ": cannot be written\n";
      return kExitFileError;
    }
  }
  errors << "lvk: " << file << ": changed by another program while being read; try again\n";
  return kExitFileError;
}

// The options' texts as the file holds them, or a usage error said.
class OptionTexts {
 public:
  OptionTexts(const LvkOptions& options, std::ostream& errors)
      : options_(options), errors_(errors) {}

  // Nothing when the option is absent; the flag says whether all went well.
  std::optional<std::string> Text(std::string_view name) {
    const auto found = options_.find(name);
    if (found == options_.end()) return std::nullopt;
    std::optional<std::string> text = Cp1252FromUtf8(found->second);
    if (!text) Refuse(name, "has a character that a document cannot hold");
    return text;
  }
  std::optional<std::vector<std::string>> Path(std::string_view name) {
    const std::optional<std::string> text = Text(name);
    std::optional<std::vector<std::string>> path = text ? SplitRowPath(*text) : std::nullopt;
    if (text && !path) Refuse(name, "names an empty row (write a \"/\" inside a name as \"//\")");
    return path;
  }
  // The date given, or `otherwise`.
  std::string Date(std::string_view name, const std::string& otherwise) {
    const std::optional<std::string> text = Text(name);
    if (text && !ReadMaskedDate(*text)) Refuse(name, "is not a date dd/mm/yyyy");
    return text ? *text : otherwise;
  }
  // A number from 1 to 5, or `otherwise`.
  std::int16_t Rank(std::string_view name, std::int16_t otherwise) {
    const std::optional<std::string> text = Text(name);
    if (!text) return otherwise;
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value < 1 || value > 5) {
      Refuse(name, "is not a number from 1 to 5");
    }
    return static_cast<std::int16_t>(value);
  }
  bool well() const { return well_; }

 private:
  void Refuse(std::string_view name, std::string_view why) {
    errors_ << "lvk: --" << name << " " << why << "\n";
    well_ = false;
  }

  const LvkOptions& options_;
  std::ostream& errors_;
  bool well_ = true;
};

}  // namespace

int AddTaskCommand(const std::string& file, const LvkOptions& options,
                   const WriteContext& context) {
  OptionTexts texts(options, context.errors);
  const std::optional<std::vector<std::string>> categories = texts.Path("in");
  // A new task in Lumvik: started and due today, first status and urgency.
  const LocalDateTime now = LocalNow();
  const std::string today = WriteMaskedDate({now.year, now.month, now.day});
  TaskRecord task;
  task.nom = texts.Text("name").value_or("");
  task.designation = DesignationToStoredForm(texts.Text("description").value_or(""));
  task.datedebut = texts.Date("start", today);
  task.dateecheance = texts.Date("due", today);
  task.importance = texts.Rank("urgency", task.importance);
  task.statut = texts.Rank("status", task.statut);
  if (!texts.well() || task.nom.empty()) {
    if (texts.well()) context.errors << "lvk: --name is empty\n";
    return kExitUsage;
  }
  const std::string& in = options.find("in")->second;
  return EditFile(
      file, in + "/" + options.find("name")->second,
      [&](Document& document) { return AddTaskAt(document, *categories, task); }, context);
}

int DoneCommand(const std::string& file, const LvkOptions& options, const WriteContext& context) {
  OptionTexts texts(options, context.errors);
  const std::optional<std::vector<std::string>> path = texts.Path("task");
  if (!path) return kExitUsage;
  return EditFile(
      file, options.find("task")->second,
      [&](Document& document) { return MarkTaskDone(document, *path); }, context);
}

}  // namespace lumvik
