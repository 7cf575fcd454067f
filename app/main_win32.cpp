// Lumvik: a to-do list manager.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "app/first_document.h"
#include "app/lumvik_app_win32.h"
#include "app/skin_win32.h"
#include "platform/prompt_win32.h"
#include "platform/startup_trace_win32.h"

int WINAPI WinMain(HINSTANCE program, HINSTANCE, LPSTR parameters, int) {
  lumvik::StartupCheckpoint("WinMain");
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
  ::InitCommonControlsEx(&controls);
  lumvik::StartupCheckpoint("common controls");

  lumvik::WindowPrompt prompt;
  const lumvik::Registry registry;
  lumvik::LumvikApp app(program, prompt, registry);
  if (app.Start(lumvik::ProgramFolder(), lumvik::FirstCommandLineParameter(parameters))) {
    app.Run();
  }
  return 0;
}
