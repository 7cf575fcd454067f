// Skinwright: the editor of Lumvik's colour and font themes.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include "platform/file_io.h"
#include "platform/prompt_win32.h"
#include "themeeditor/skinwright_app_win32.h"

int WINAPI WinMain(HINSTANCE program, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
  ::InitCommonControlsEx(&controls);

  lumvik::WindowPrompt prompt;
  lumvik::SkinwrightApp app(program, prompt);
  app.LoadSettingsAndThemes(lumvik::ExecutableFolder());
  // Without its window or toolbar the editor ends at once, asking nothing.
  if (!app.OpenEditorWindow()) return 0;
  prompt.SetOwner(app.window().window());
  app.Run();
  return 0;
}
