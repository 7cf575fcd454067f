// Writes and reads a document of 100 000 rows and prints rows per second,
// beside the time that `wc -l` takes to count the lines of the same file;
// then each export and the printable view of the same document beside the
// write.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_table.h"
#include "config/text_numbers.h"
#include "document/document_file.h"
#include "document/document_merge.h"
#include "document/due_dates.h"
#include "document/file_watch.h"
#include "document/find.h"
#include "document/stored_form.h"
#include "document/view_filter.h"
#include "export/document_export.h"
#include "export/printable_view.h"

namespace lumvik {
namespace {

constexpr int kRows = 100000;
constexpr int kRuns = 5;

std::string Date(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", 1 + n % 28, 1 + n % 12, 2020 + n % 8);
  return text;
}

void AddCategory(Document& document, std::int32_t level, int n) {
  document.rows.push_back(
      {kCategoryRow, static_cast<std::int32_t>(document.categories.size()), level});
  document.categories.push_back(
      {(level == 0 ? "Project " : "Phase ") + std::to_string(n),
       DesignationToStoredForm("Everything that belongs to part " + std::to_string(n) +
                               "\r\nsee the \"plan\" folder"),
       static_cast<std::int16_t>(n % 11)});
}

void AddTask(Document& document, std::int32_t level, int n) {
  document.rows.push_back({kTaskRow, static_cast<std::int32_t>(document.tasks.size()), level});
  document.tasks.push_back(
      {"Call the supplier about order " + std::to_string(100000 + n),
       n % 3 ? "" : DesignationToStoredForm("Ask for the delivery date.\r\nThen confirm it."),
       Date(n), Date(n + 9), static_cast<std::int16_t>(n % 11),
       static_cast<std::int16_t>(1 + n % 5), static_cast<std::int16_t>(1 + n % 5)});
}

// Projects of four phases of twenty tasks each, some tasks directly under a project.
Document LargeDocument() {
  Document document;
  for (int n = 0; static_cast<int>(document.rows.size()) < kRows; ++n) {
    AddCategory(document, 0, n);
    for (int phase = 0; phase < 4; ++phase) {
      AddCategory(document, 1, phase);
      for (int task = 0; task < 20; ++task) AddTask(document, 2, n * 100 + phase * 20 + task);
    }
    for (int task = 0; task < 3; ++task) AddTask(document, 1, n * 100 + 90 + task);
  }
  while (static_cast<int>(document.rows.size()) > kRows) {
    const TreeEntry last = document.rows.back();
    document.rows.pop_back();
    if (last.kind == kCategoryRow) {
      document.categories.pop_back();
    } else {
      document.tasks.pop_back();
    }
  }
  return document;
}

double BestSeconds(const std::function<void()>& run) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

void PrintRate(const char* what, double seconds) {
  std::printf("%-36s %8.1f ms  %6.2f M rows/s\n", what, seconds * 1e3, kRows / seconds / 1e6);
}

void PrintBesideWrite(const char* what, double seconds, double write) {
  std::printf("%-36s %8.1f ms  %6.2f x write\n", what, seconds * 1e3, seconds / write);
  bench::TableRow(what, seconds * 1e3, "write", write * 1e3);
}

TextTable EnglishTexts() {
  TextTable texts(kLumvikTextCount);
  const char* const statuses[] = {"To do", "Started", "Waiting", "Nearly done", "Done"};
  const char* const urgencies[] = {"Later", "Soon", "Normal", "High", "Urgent"};
  for (int v = 0; v < 5; ++v) {
    texts.Set(kTextStatusFirst + v, statuses[v]);
    texts.Set(kTextImportanceFirst + v, urgencies[v]);
  }
  return texts;
}

// Each export of the document, and its printable view, beside writing it.
void TimeExports(const Document& document, double write) {
  const TextTable texts = EnglishTexts();
  const UtcTime now{2026, 5, 1, 12, 0, 0};
  const UrgencyColours colours = {
      {{0, 0xFFFFFF}, {0, 0xCCFFFF}, {0, 0x99FFFF}, {0, 0x6699FF}, {0xFFFFFF, 0x0000CC}}};
  const struct {
    const char* what;
    ExportFormat format;
  } formats[] = {{"export CSV:", ExportFormat::Csv},
                 {"export Markdown:", ExportFormat::Markdown},
                 {"export HTML:", ExportFormat::Html},
                 {"export iCalendar:", ExportFormat::ICalendar}};
  std::size_t bytes = 0;
  for (const auto& format : formats) {
    const double seconds =
        BestSeconds([&] { bytes = ExportDocument(document, texts, format.format, now).size(); });
    PrintBesideWrite(format.what, seconds, write);
  }
  const double print =
      BestSeconds([&] { bytes = PrintableView(document, texts, colours, "Large.lvk").size(); });
  PrintBesideWrite("printable view:", print, write);
  std::printf("(the printable view is %.1f MB)\n", static_cast<double>(bytes) / 1e6);
}

// Find and the marks of the tasks that fall due each look at every row
// once, as a search through the whole document and a repaint of every row do.
void TimeSearches(const Document& document, double write) {
  int found = 0;
  const double find = BestSeconds([&] { found = FindRow(document, "no such words", 0, true); });
  PrintBesideWrite("find, nothing matching:", find, write);
  int overdue = 0;
  const double marks = BestSeconds([&] {
    overdue = 0;
    for (const TreeEntry& row : document.rows) {
      if (row.kind != kTaskRow) continue;
      const TaskRecord& task = document.tasks[static_cast<std::size_t>(row.index)];
      overdue += DueStateOf(task, CalendarDate{2026, 12, 8}) == DueState::Overdue ? 1 : 0;
    }
  });
  PrintBesideWrite("due marks of every row:", marks, write);
  std::printf("(%d found, %d tasks overdue)\n", found, overdue);

  // Which rows a narrowed view shows: each filter looks at every row once.
  ViewFilter hide;
  hide.hide_finished = true;
  ViewFilter due;
  due.only_due = true;
  ViewFilter matching;
  matching.match = "supplier about order 12";
  const struct {
    const char* what;
    const ViewFilter& filter;
  } views[] = {{"rows shown, finished hidden:", hide},
               {"rows shown, only what is due:", due},
               {"rows shown, only what matches:", matching}};
  for (const auto& view : views) {
    std::size_t shown = 0;
    const double seconds = BestSeconds([&] {
      const std::vector<bool> rows = ShownRows(document, view.filter, CalendarDate{2026, 12, 8});
      shown = static_cast<std::size_t>(std::count(rows.begin(), rows.end(), true));
    });
    PrintBesideWrite(view.what, seconds, write);
    std::printf("(%zu rows shown)\n", shown);
  }
}

// One side's changes in `places` places spread over the document, from
// `first` on: most change a field, every tenth adds a task after a task and
// every tenth deletes a task.
Document Changed(const Document& document, int first, int places) {
  Document changed = document;
  const int rows = static_cast<int>(document.rows.size());
  std::vector<bool> deleted(document.tasks.size());
  for (int k = 0; k < places; ++k) {
    const auto row = static_cast<std::size_t>((first + k * 2 * 97) % rows);
    const TreeEntry entry = changed.rows[row];
    if (entry.kind == kCategoryRow) {
      changed.categories.Edit(static_cast<std::size_t>(entry.index)).designation += " and more";
    } else if (k % 10 == 3) {
      deleted[static_cast<std::size_t>(entry.index)] = true;
    } else if (k % 10 == 7) {
      changed.tasks.push_back(
          {"Added on one side " + std::to_string(first + k), "", Date(k), Date(k), 0, 1, 1});
      changed.rows.insert(
          changed.rows.begin() + static_cast<std::ptrdiff_t>(row) + 1,
          {kTaskRow, static_cast<std::int32_t>(changed.tasks.size() - 1), entry.level});
    } else {
      changed.tasks.Edit(static_cast<std::size_t>(entry.index)).statut =
          static_cast<std::int16_t>(1 + (first + k) % 5);
    }
  }
  // The deleted tasks' records stay unnamed: the merge reads the rows.
  std::erase_if(changed.rows, [&](const TreeEntry& entry) {
    return entry.kind == kTaskRow && static_cast<std::size_t>(entry.index) < deleted.size() &&
           deleted[static_cast<std::size_t>(entry.index)];
  });
  return changed;
}

// Two versions changed in 500 places each, merged from the one they share.
void TimeMerge(const Document& document, double write) {
  const Document ours = Changed(document, 0, 500);
  const Document theirs = Changed(document, 97, 500);
  std::size_t rows = 0;
  std::size_t conflicts = 0;
  const double merge = BestSeconds([&] {
    const MergedDocument merged = MergeDocuments(document, theirs, ours, " (changed elsewhere)");
    rows = merged.document.rows.size();
    conflicts = merged.conflicts.size();
  });
  PrintBesideWrite("merge, 1 000 places changed:", merge, write);
  std::printf("(%zu rows merged, %zu conflicts)\n", rows, conflicts);
}

// The look at the file before every Save, beside reading it: nothing
// changed, and only its time changed (a sync service touching it), which
// costs a hash of the bytes but no parse.
void TimeLookBeforeSave(const std::string& path, double read) {
  DocumentFileWatch watch;
  watch.Remember(ReadDocument(path, "Lumvik").document, DocumentFileWatch::Origin::Read);
  bool unchanged = true;
  const double same = BestSeconds([&] {
    unchanged =
        watch.LookAgain("Lumvik").finding == DocumentFileWatch::Finding::Unchanged && unchanged;
  });
  auto when = std::filesystem::last_write_time(path);
  const double touched = BestSeconds([&] {
    when += std::chrono::seconds(1);
    std::filesystem::last_write_time(path, when);
    unchanged =
        watch.LookAgain("Lumvik").finding == DocumentFileWatch::Finding::Unchanged && unchanged;
  });
  std::printf("%-36s %8.3f ms  %6.4f x read%s\n", "look before save, nothing changed:", same * 1e3,
              same / read, unchanged ? "" : " (a change was seen)");
  std::printf("%-36s %8.1f ms  %6.2f x read\n", "look before save, time changed:", touched * 1e3,
              touched / read);
  bench::TableRow("look before save, nothing changed", same * 1e3, "read", read * 1e3);
  bench::TableRow("look before save, only the time changed", touched * 1e3, "read", read * 1e3);
}

}  // namespace
}  // namespace lumvik

int main() {
  using namespace lumvik;
  const Document document = LargeDocument();
  const std::string path =
      (std::filesystem::temp_directory_path() / "lumvik document_io_bench.lvk").string();

  bool written = true;
  const double write =
      BestSeconds([&] { written = WriteDocumentFile(path, document, "Lumvik") && written; });
  if (!written) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
  }
  std::size_t rows_read = 0;
  const double read =
      BestSeconds([&] { rows_read = ReadDocument(path, "Lumvik").document.rows.size(); });
#ifndef _WIN32
  const std::string count_lines = "wc -l < \"" + path + "\" > /dev/null";
  int wc_status = 0;
  const double wc = BestSeconds([&] { wc_status = std::system(count_lines.c_str()); });
  const std::string copy_and_sync =
      "cp \"" + path + "\" \"" + path + ".copy\" && sync && rm \"" + path + ".copy\"";
  int copy_status = 0;
  const double copy = BestSeconds([&] { copy_status = std::system(copy_and_sync.c_str()); });
#endif

  std::printf("%d rows (%zu read back), %.1f MB, best of %d runs\n", kRows, rows_read,
              static_cast<double>(std::filesystem::file_size(path)) / 1e6, kRuns);
  PrintRate("write (serialise, atomic write):", write);
  PrintRate("read (header, parse, progress):", read);
#ifndef _WIN32
  PrintRate(wc_status == 0 ? "wc -l on the same file:" : "wc -l (failed):", wc);
  PrintRate(copy_status == 0 ? "cp and sync of the same file:" : "cp and sync (failed):", copy);
  bench::TableRow("read 100 000 rows", read * 1e3, "wc -l", wc * 1e3);
  bench::TableRow("write 100 000 rows", write * 1e3, "cp + sync", copy * 1e3);
#else
  bench::TableRow("read 100 000 rows", read * 1e3);
  bench::TableRow("write 100 000 rows", write * 1e3);
#endif
  TimeSearches(document, write);
  TimeMerge(document, write);
  TimeLookBeforeSave(path, read);
  TimeExports(document, write);
  std::filesystem::remove(path);
  return 0;
}
