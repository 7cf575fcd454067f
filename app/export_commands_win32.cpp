// File > Export writes the document in another program's format; File >
// Print writes a printable page of it to the temporary folder and opens it
// in the web browser, from where the user prints it.
#include <chrono>
#include <cstdio>

#include "app/export_choice.h"
#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "export/printable_view.h"
#include "export/row_texts.h"
#include "platform/file_io.h"

namespace lumvik {

namespace {

// The name the page gets in the temporary folder; each Lumvik has its own.
std::string PrintablePagePath() {
  char folder[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(sizeof folder, folder);
  if (length == 0 || length > MAX_PATH) return {};
  char name[64];
  std::snprintf(name, sizeof name, "Lumvik print %lu.html", ::GetCurrentProcessId());
  return JoinPath(folder, name);
}

// The document's file name without its folder, as the page's title.
std::string DocumentTitle(const Document& document, const TextTable& texts) {
  const std::string& path = document.file_path;
  if (path.empty()) return texts[kTextUntitledDocument];
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void LumvikApp::AddExportCommands() {
  command_table_.Add({kCmdExport}, [this](int) { ExportDocumentCommand(); });
  command_table_.Add({kCmdPrint}, [this](int) { PrintCommand(); });
}

void LumvikApp::ExportDocumentCommand() {
  const std::optional<TypedFileName> answer =
      prompt_.SaveTypedFileName(ExportQuestion(texts_, document_.file_path));
  if (!answer || answer->path.empty()) return;
  const ExportTarget target = ExportTargetOf(*answer);
  // The dialog asked about the name typed; a file under the name with the
  // type's extension added is asked about here, as Save As asks.
  if (target.path != answer->path && PathExists(target.path) &&
      prompt_.Message(texts_[kTextProgramName], texts_[kTextReplaceExistingFile], Buttons::YesNo) !=
          Answer::Yes) {
    return;
  }
  // A narrowed view exports what it shows, and says so where a page can.
  const UtcTime now = UtcTimeOf(std::chrono::system_clock::now());
  std::string bytes;
  if (rows_narrowed_) {
    const ViewedPart part = PartShown();
    bytes = ExportDocument(part.rows, texts_, target.format, now, part.note);
  } else {
    bytes = ExportDocument(document_, texts_, target.format, now);
  }
  if (!WriteFileAtomically(target.path, bytes)) {
    prompt_.Message(texts_[kTextProgramName], texts_[kTextCannotExport], Buttons::Ok);
  }
}

void LumvikApp::PrintCommand() {
  const std::string page = PrintablePagePath();
  const std::string title = DocumentTitle(document_, texts_);
  std::string bytes;
  if (rows_narrowed_) {
    const ViewedPart part = PartShown();
    bytes = PrintableView(part.rows, texts_, Colours(), TitleWithNote(title, part.note));
  } else {
    bytes = PrintableView(document_, texts_, Colours(), title);
  }
  if (page.empty() || !WriteFileAtomically(page, bytes) || !prompt_.OpenAddress(page)) {
    prompt_.Message(texts_[kTextProgramName], texts_[kTextCannotPrint], Buttons::Ok);
  }
}

}  // namespace lumvik
