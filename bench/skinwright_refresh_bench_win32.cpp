// Skinwright's refresh: every value control and the preview brought in line
// with another theme and painted, as when the user picks a theme in the
// list, beside a plain repaint of the same window in the same run.
// skinwright_refresh_bench PROGRAM_FOLDER (with a separator at its end)
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/bench_table.h"
#include "platform/prompt_win32.h"
#include "themeeditor/editor_ids.h"
#include "themeeditor/skinwright_app_win32.h"

namespace {

constexpr int kRuns = 50;

// The best time of kRuns runs of `step`, each followed by a full paint.
template <typename Step>
double BestMs(HWND window, Step step) {
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    step(run);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::chrono::duration<double, std::milli> took =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skinwright_refresh_bench PROGRAM_FOLDER\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  lumvik::WindowPrompt prompt;
  lumvik::SkinwrightApp app(::GetModuleHandleA(nullptr), prompt);
  app.LoadSettingsAndThemes(argv[1]);
  if (!app.OpenEditorWindow() || app.themes().size() < 2) {
    std::fprintf(stderr, "no editor window or fewer than two themes in %s\n", argv[1]);
    return 1;
  }
  HWND window = app.window().window();
  HWND selector = app.window().Control(lumvik::kThemeSelector);
  app.HandlePendingEvents();

  const double repaint = BestMs(window, [](int) {});
  const double refresh = BestMs(window, [&](int run) {
    ::SendMessageA(selector, CB_SETCURSEL, static_cast<WPARAM>(run % 2), 0);
    app.RefreshEditor();
  });
  std::printf("%zu themes; best of %d runs\n", app.themes().size(), kRuns);
  std::printf("repaint of the editor window:            %7.2f ms\n", repaint);
  std::printf("refresh for another theme, then repaint: %7.2f ms  (%.2f x)\n", refresh,
              refresh / repaint);
  lumvik::bench::TableRow("Skinwright refresh for another theme", refresh,
                          "repaint of its window", repaint);
  return 0;
}
