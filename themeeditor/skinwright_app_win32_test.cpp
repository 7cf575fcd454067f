#include "themeeditor/skinwright_app_win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "config/ini_file.h"
#include "config/text_numbers.h"
#include "platform/file_io.h"
#include "platform/name_prompt_win32.h"
#include "platform/prompt_win32.h"
#include "platform/testing/keys_win32.h"
#include "platform/testing/program_folder_win32.h"
#include "platform/testing/scripted_prompt.h"
#include "platform/testing/temp_dir.h"
#include "platform/text.h"
#include "theme/theme_folder_win32.h"
#include "themeeditor/theme_list.h"

namespace lumvik {
namespace {

using testing::AskedFont;
using testing::AskedMessage;
using testing::AskedName;
using testing::ScriptedPrompt;
using testing::TestProgramFolder;
using testing::WriteTestFile;

constexpr char kStrict[] =
    "[Theme]\r\navancement_bgc = 0\r\navancement_fgc = 16711680\r\navancement_tc = 16777215\r\n"
    "police = Tahoma\r\npolice_size = 9\r\nurg_1_bc = 1\r\nurg_1_tc = 2\r\nurg_2_bc = 3\r\n"
    "urg_2_tc = 4\r\nurg_3_bc = 5\r\nurg_3_tc = 6\r\nurg_4_bc = 7\r\nurg_4_tc = 8\r\n"
    "urg_5_bc = 65280\r\nurg_5_tc = 255\r\npolice_nom = Courier New\r\npolice_design = Arial\r\n";

// A pixel of a bitmap, read back as 32-bit top-down rows.
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = info.bmWidth;
  format.bmiHeader.biHeight = -info.bmHeight;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<std::size_t>(info.bmWidth) * info.bmHeight);
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  const DWORD pixel = pixels[static_cast<std::size_t>(y) * info.bmWidth + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

std::set<std::string> KeysOf(const std::string& path) {
  std::set<std::string> keys;
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return keys;
  ForEachLine(*bytes, [&](std::string_view line) {
    const std::size_t equals = line.find(" = ");
    if (equals != std::string_view::npos) keys.insert(std::string(line.substr(0, equals)));
  });
  return keys;
}

class SkinwrightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.CopyDelivered("Lumvik.ini");
    folder.CopyDelivered("Lumvik.lng.ini");
  }
  void AddTheme(const std::string& file, const std::string& bytes = kStrict) {
    WriteTestFile(folder.File(file), bytes);
  }
  void Start() {
    app = std::make_unique<SkinwrightApp>(::GetModuleHandleA(nullptr), prompt);
    app->LoadSettingsAndThemes(folder.path());
    ASSERT_TRUE(app->OpenEditorWindow());
    app->HandlePendingEvents();
  }
  HWND Window() { return app->window().window(); }
  HWND Control(int id) { return app->window().Control(id); }
  void Click(int id) {
    ::SendMessageA(Control(id), BM_CLICK, 0, 0);
    app->HandlePendingEvents();
  }
  void Toolbar(int command) {
    ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                   reinterpret_cast<LPARAM>(app->window().toolbar()));
    app->HandlePendingEvents();
  }
  void Choose(int item) {
    HWND selector = Control(kThemeSelector);
    ::SendMessageA(selector, CB_SETCURSEL, item, 0);
    ::SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(kThemeSelector, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(selector));
    app->HandlePendingEvents();
  }
  std::vector<std::string> Items() {
    HWND selector = Control(kThemeSelector);
    std::vector<std::string> items;
    const LRESULT count = ::SendMessageA(selector, CB_GETCOUNT, 0, 0);
    for (LRESULT k = 0; k < count; ++k) {
      char text[256] = {};
      ::SendMessageA(selector, CB_GETLBTEXT, k, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  std::string TextOf(int id) {
    char text[256] = {};
    ::GetWindowTextA(Control(id), text, sizeof text);
    return text;
  }
  int Selected() {
    return static_cast<int>(::SendMessageA(Control(kThemeSelector), CB_GETCURSEL, 0, 0));
  }
  const ThemeRecord& Theme(std::size_t k) { return app->themes().at(k); }
  std::int32_t Colour(int button) { return app->window().colour_buttons().GetButtonColor(button); }
  // The place of a control in the client area of its parent.
  RECT PlaceOf(int id) {
    RECT place{};
    HWND control = Control(id);
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
  }

  // The message of a theme file that cannot be written.
  std::string NotSaved(const std::string& file) {
    return app->texts()[kTextThemeNotSaved] + "\r\n\r\n" + folder.File(file);
  }

  // What the name prompt showed, read by AnswerNamePrompt while it was open.
  struct SeenPrompt {
    std::string title, ok, cancel;
  };
  inline static SeenPrompt seen_prompt_;

  static std::string DialogText(HWND dialog, int id) {
    char text[256] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
  }
  // Reads the open name prompt of this thread, types "noche" and presses OK.
  static void CALLBACK AnswerNamePrompt(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
          char name[16] = {};
          ::GetClassNameA(window, name, sizeof name);
          if (std::string(name) != "#32770" || !::IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(found) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) return;
    char title[256] = {};
    ::GetWindowTextA(dialog, title, sizeof title);
    seen_prompt_ = {title, DialogText(dialog, IDOK), DialogText(dialog, IDCANCEL)};
    ::SetDlgItemTextA(dialog, kNamePromptEdit, "noche");
    ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  }

  TestProgramFolder folder;
  ScriptedPrompt prompt;
  std::unique_ptr<SkinwrightApp> app;
};

void ExpectPlace(RECT place, int x, int y, int width, int height) {
  EXPECT_EQ(place.left, x);
  EXPECT_EQ(place.top, y);
  EXPECT_EQ(place.right, width);
  EXPECT_EQ(place.bottom, height);
}

TEST_F(SkinwrightTest, ListsTheThemeFilesByTheirShownNames) {
  AddTheme("strict.lvs");
  AddTheme("Blue.lvs");
  AddTheme("OLD.lvs");
  AddTheme("dark.LVS");
  ::CreateDirectoryA(folder.File("folder.lvs").c_str(), nullptr);
  Start();
  // In the order of the folder's listing.
  std::vector<std::string> expected;
  for (const std::string& file : ThemeFilesIn(folder.path())) {
    if (const std::optional<std::string> name = ThemeNameOfFile(file)) expected.push_back(*name);
  }
  EXPECT_EQ(Items(), expected);
  EXPECT_EQ(std::set<std::string>(expected.begin(), expected.end()),
            (std::set<std::string>{"Strict", "Blue", "Old"}));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(app->shown_theme_name(), expected[0]);
  for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(Theme(k).name, expected[k]);
}

TEST_F(SkinwrightTest, WindowHasItsControlsInPlace) {
  AddTheme("strict.lvs");
  Start();
  RECT inside{};
  ::GetClientRect(Window(), &inside);
  EXPECT_EQ(inside.right, 550);
  EXPECT_EQ(inside.bottom, 650);
  const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
  EXPECT_NE(style & WS_SYSMENU, 0);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
  const std::string title = app->texts()[112];
  char caption[128] = {};
  ::GetWindowTextA(Window(), caption, sizeof caption);
  EXPECT_EQ(caption, title);
  ExpectPlace(PlaceOf(kGroupBox), 10, 60, 530, 530);
  ExpectPlace(PlaceOf(kSelectorLabel), 30, 80, 400, 30);
  EXPECT_EQ(PlaceOf(kThemeSelector).left, 140);
  ExpectPlace(PlaceOf(kPreviewTree), 30, 130, 490, 90);
  ExpectPlace(PlaceOf(kNamePreview), 30, 230, 490, 20);
  ExpectPlace(PlaceOf(kDescriptionPreview), 30, 260, 490, 60);
  ExpectPlace(PlaceOf(kPageTabs), 30, 335, 490, 240);
  ExpectPlace(PlaceOf(kQuitButton), 405, 605, 125, 35);
  ExpectPlace(PlaceOf(kProgressTextButton), 250, 20, 80, 80);
  ExpectPlace(PlaceOf(kLabelFontButton), 250, 120, 80, 80);
  ExpectPlace(PlaceOf(kUrgencyTabs), 5, 5, 475, 205);
  ExpectPlace(PlaceOf(kFirstUrgencyButton + 9), 10, 90, 80, 80);
  ExpectPlace(PlaceOf(kDescriptionFontLabel), 100, 150, 300, 20);
  EXPECT_EQ(TextOf(kQuitButton), app->texts()[50]);
  EXPECT_EQ(TextOf(kFirstUrgencyLabel + 9), app->texts()[82]);

  HWND toolbar = app->window().toolbar();
  EXPECT_EQ(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
  auto images = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(::ImageList_GetImageCount(images), 3);
  int width = 0, height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, 48);
  EXPECT_EQ(height, 48);
  NMTTDISPINFOA tip{};
  tip.hdr = {toolbar, static_cast<UINT_PTR>(kCmdReloadTheme), TTN_GETDISPINFOA};
  ::SendMessageA(Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip.lpszText, nullptr);
  EXPECT_EQ(std::string(tip.lpszText), app->texts()[96]);
}

TEST_F(SkinwrightTest, ColourChoiceMarksOnceAndSaveWritesEveryKey) {
  AddTheme("strict.lvs");
  Start();
  prompt.ThenColour(255).ThenColour(65280);
  Click(kProgressBackgroundButton);
  EXPECT_EQ(Items(), std::vector<std::string>{"Strict *"});
  Click(kFirstUrgencyButton + 1);
  EXPECT_EQ(Items(), std::vector<std::string>{"Strict *"});
  // Each dialog starts from the colour its button shows.
  EXPECT_EQ(prompt.asked_colours(), (std::vector<std::int32_t>{0, 2}));
  EXPECT_EQ(Theme(0).avancement_bgc, 255);
  EXPECT_EQ(Theme(0).urg_1_tc, 65280);
  EXPECT_EQ(Theme(0).modified, 1);
  EXPECT_EQ(Colour(kProgressBackgroundButton), 255);

  std::remove(folder.File("strict.lvs").c_str());
  Toolbar(kCmdSaveTheme);
  EXPECT_EQ(Items(), std::vector<std::string>{"Strict"});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Theme(0).modified, 0);
  EXPECT_EQ(KeysOf(folder.File("Strict.lvs")).size(), 17u);
  ThemeRecord stored;
  ReadThemeFile(folder.path(), "Strict", stored, IniReader::Lumvik);
  EXPECT_EQ(stored.avancement_bgc, 255);
  EXPECT_EQ(stored.urg_1_tc, 65280);
  // Saved, so nothing is asked at exit.
  app->SaveModifiedThemes();
  EXPECT_TRUE(prompt.asked().empty());

  // A change after Save is asked about again.
  prompt.ThenColour(7).Then(Answer::No);
  Click(kProgressBarButton);
  app->SaveModifiedThemes();
  ASSERT_EQ(prompt.asked().size(), 1u);
}

TEST_F(SkinwrightTest, CancelledColourChangesNothing) {
  AddTheme("strict.lvs");
  Start();
  prompt.ThenColour(std::nullopt);
  Click(kFirstUrgencyButton);
  EXPECT_EQ(Items(), std::vector<std::string>{"Strict"});
  EXPECT_EQ(Theme(0).modified, 0);
  EXPECT_EQ(Theme(0).urg_1_bc, 1);
  EXPECT_EQ(Colour(kFirstUrgencyButton), 1);
  EXPECT_TRUE(prompt.AllAnswersUsed());
}

TEST_F(SkinwrightTest, ReloadRestoresTheFileButKeepsTheChangeFlag) {
  AddTheme("strict.lvs");
  Start();
  prompt.ThenColour(123);
  Click(kProgressTextButton);
  Toolbar(kCmdReloadTheme);
  EXPECT_EQ(Items(), std::vector<std::string>{"Strict"});
  EXPECT_EQ(Theme(0).avancement_tc, 16777215);
  EXPECT_EQ(Colour(kProgressTextButton), 16777215);
  EXPECT_EQ(Theme(0).name, "Strict");
  EXPECT_EQ(Theme(0).modified, 1);
  prompt.Then(Answer::No);
  app->SaveModifiedThemes();
  const std::string question = app->texts()[97] + "Strict ?";
  // The caption is in the user's language too.
  const std::string caption = app->texts()[kTextThemeExitCaption];
  EXPECT_EQ(caption, "Skinwright - unsaved theme");
  EXPECT_EQ(prompt.asked(), (std::vector<AskedMessage>{{caption, question, Buttons::YesNo}}));
  EXPECT_EQ(ReadWholeFile(folder.File("strict.lvs")), std::string(kStrict));
}

TEST_F(SkinwrightTest, NewThemeIsShownBlackAndWrittenWhenConfirmedAtExit) {
  AddTheme("strict.lvs");
  Start();
  prompt.ThenName("night");
  Toolbar(kCmdNewTheme);
  const TextTable& texts = app->texts();
  EXPECT_EQ(prompt.asked_names(),
            (std::vector<AskedName>{{texts[93], texts[94], texts[kTextOk], texts[kTextCancel]}}));
  EXPECT_EQ(Items(), (std::vector<std::string>{"Strict", "night"}));
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(app->shown_theme_name(), "night");
  for (int button = kFirstColourButton; button <= kLastColourButton; ++button) {
    EXPECT_EQ(Colour(button), 0) << button;
  }
  EXPECT_EQ(TextOf(kLabelFontButton), "Arial , 8");
  EXPECT_EQ(TextOf(kNameFontButton), "");
  EXPECT_EQ(Theme(1).modified, 1);

  prompt.Then(Answer::Yes);
  app->SaveModifiedThemes();
  ASSERT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(prompt.asked()[0].text, app->texts()[97] + "night ?");
  EXPECT_EQ(KeysOf(folder.File("night.lvs")).size(), 17u);
}

TEST_F(SkinwrightTest, CancelledNameGivesAThemeWithoutAName) {
  AddTheme("strict.lvs");
  Start();
  prompt.ThenName(std::nullopt);
  Toolbar(kCmdNewTheme);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Strict", ""}));
  EXPECT_EQ(Theme(1).name, "");
}

TEST_F(SkinwrightTest, UnsafeNewNameStaysInTheProgramFolder) {
  AddTheme("strict.lvs");
  Start();
  prompt.ThenName("..\\escaped");
  Toolbar(kCmdNewTheme);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Strict", ".._escaped"}));
  Toolbar(kCmdSaveTheme);
  EXPECT_TRUE(PathExists(folder.File(".._escaped.lvs")));
  EXPECT_FALSE(PathExists(folder.File("..\\escaped.lvs")));
}

TEST_F(SkinwrightTest, ThemeThatCannotBeWrittenKeepsItsChanges) {
  AddTheme("strict.lvs");
  // A folder where the theme's file would go.
  ::CreateDirectoryA(folder.File("blocked.lvs").c_str(), nullptr);
  Start();
  prompt.ThenName("blocked").ThenColour(255).Then(Answer::Ok);
  Toolbar(kCmdNewTheme);
  Click(kProgressBarButton);
  Toolbar(kCmdSaveTheme);
  EXPECT_EQ(prompt.asked(),
            (std::vector<AskedMessage>{{app->texts()[112], NotSaved("blocked.lvs"), Buttons::Ok}}));
  EXPECT_EQ(Items(), (std::vector<std::string>{"Strict", "blocked *"}));
  EXPECT_EQ(Theme(1).modified, 1);
  // At exit the failure is told too.
  prompt.Then(Answer::Yes).Then(Answer::Ok);
  app->SaveModifiedThemes();
  EXPECT_EQ(prompt.asked().size(), 3u);
  EXPECT_TRUE(prompt.AllAnswersUsed());
}

TEST_F(SkinwrightTest, ReadOnlyThemeFileIsNotReplaced) {
  AddTheme("strict.lvs");
  testing::ReadOnlyFile read_only(folder.File("strict.lvs"));
  Start();
  prompt.ThenColour(255).Then(Answer::Ok);
  Click(kProgressBarButton);
  Toolbar(kCmdSaveTheme);
  EXPECT_EQ(prompt.asked(),
            (std::vector<AskedMessage>{{app->texts()[112], NotSaved("Strict.lvs"), Buttons::Ok}}));
  EXPECT_EQ(ReadWholeFile(folder.File("strict.lvs")), std::string(kStrict));
  EXPECT_EQ(Items(), (std::vector<std::string>{"Strict *"}));
  EXPECT_EQ(Theme(0).modified, 1);
}

// The prompt for a new theme's name as the user sees it, in a language
// whose words for OK and Cancel are not the English ones.
TEST_F(SkinwrightTest, NamePromptButtonsSpeakTheLanguage) {
  AddTheme("strict.lvs");
  IniFile settings = IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik);
  settings.Write("Application", "langage", "espa\xF1ol");
  ASSERT_TRUE(settings.Save());
  WindowPrompt dialogs;
  app = std::make_unique<SkinwrightApp>(::GetModuleHandleA(nullptr), dialogs);
  app->LoadSettingsAndThemes(folder.path());
  ASSERT_TRUE(app->OpenEditorWindow());
  dialogs.SetOwner(Window());
  app->HandlePendingEvents();
  ASSERT_EQ(app->texts()[kTextOk], "Aceptar");
  ASSERT_EQ(app->texts()[kTextCancel], "Cancelar");

  // The prompt runs a loop of its own: a timer reads it there and answers it.
  seen_prompt_ = {};
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &AnswerNamePrompt);
  Toolbar(kCmdNewTheme);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(seen_prompt_.title, app->texts()[93]);
  EXPECT_EQ(seen_prompt_.ok, "Aceptar");
  EXPECT_EQ(seen_prompt_.cancel, "Cancelar");
  EXPECT_EQ(Items(), (std::vector<std::string>{"Strict", "noche"}));
}

TEST_F(SkinwrightTest, DuplicateNameEditsTheFirstTheme) {
  AddTheme("strict.lvs");
  Start();
  prompt.ThenName("Strict").ThenColour(99);
  Toolbar(kCmdNewTheme);
  Click(kFirstUrgencyButton);
  EXPECT_EQ(Items(), (std::vector<std::string>{"Strict", "Strict *"}));
  EXPECT_EQ(Theme(0).urg_1_bc, 99);
  EXPECT_EQ(Theme(0).modified, 1);
  EXPECT_EQ(Theme(1).urg_1_bc, 0);
}

TEST_F(SkinwrightTest, WithoutThemeFilesNothingIsEditedUntilNew) {
  Start();
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(app->FindCurrentTheme(), nullptr);
  // No dialog is scripted: any question would fail the test.
  Click(kProgressBackgroundButton);
  Click(kLabelFontButton);
  Click(kNameFontButton);
  Toolbar(kCmdSaveTheme);
  Toolbar(kCmdReloadTheme);
  app->SaveModifiedThemes();
  EXPECT_TRUE(prompt.asked().empty());

  prompt.ThenName("first").ThenColour(255);
  Toolbar(kCmdNewTheme);
  Click(kProgressBackgroundButton);
  EXPECT_EQ(Items(), std::vector<std::string>{"first *"});
  EXPECT_EQ(Theme(0).avancement_bgc, 255);
}

TEST_F(SkinwrightTest, LabelFontButtonShowsFaceAndWholePoints) {
  AddTheme("plain.lvs", "[Theme]\r\nurg_1_bc = 5\r\n");
  Start();
  EXPECT_EQ(TextOf(kLabelFontButton), "Arial , 8");
  prompt.ThenFont(FontAnswer{"Verdana", 105});
  Click(kLabelFontButton);
  EXPECT_EQ(prompt.asked_fonts(), (std::vector<AskedFont>{{"Arial", 8}}));
  EXPECT_EQ(TextOf(kLabelFontButton), "Verdana , 10");
  EXPECT_EQ(Items(), std::vector<std::string>{"Plain *"});

  prompt.ThenFont(FontAnswer{"Courier New", 140});
  Click(kDescriptionFontButton);
  EXPECT_EQ(prompt.asked_fonts().back(), (AskedFont{"Arial", 8}));
  EXPECT_EQ(Theme(0).police_design, "Courier New");
  EXPECT_EQ(Theme(0).police_size, 10);  // only the face of the other fonts is kept
  EXPECT_EQ(TextOf(kDescriptionFontButton), "Courier New");
}

TEST_F(SkinwrightTest, ChoosingAThemeShowsItsOwnValues) {
  AddTheme("strict.lvs");
  AddTheme("other.lvs", "[Theme]\r\navancement_bgc = 42\r\n");
  Start();
  const std::int32_t first = Theme(0).avancement_bgc;
  Choose(1);
  EXPECT_EQ(Colour(kProgressBackgroundButton), Theme(1).avancement_bgc);
  Choose(0);
  EXPECT_EQ(Colour(kProgressBackgroundButton), first);
  // Picking the theme already shown does not refresh the buttons.
  app->window().colour_buttons().SetButtonColor(kProgressBackgroundButton, 1234);
  Choose(0);
  EXPECT_EQ(Colour(kProgressBackgroundButton), 1234);
}

TEST_F(SkinwrightTest, SwatchShowsTheColourSet) {
  AddTheme("strict.lvs");
  Start();
  ColorButtons& buttons = app->window().colour_buttons();
  EXPECT_EQ(buttons.SetButtonColor(kProgressBackgroundButton, 255), 0);
  EXPECT_EQ(buttons.GetButtonColor(kProgressBackgroundButton), 255);
  HBITMAP swatch = buttons.Swatch(kProgressBackgroundButton);
  EXPECT_EQ(PixelOf(swatch, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(PixelOf(swatch, 79, 79), RGB(255, 0, 0));
  EXPECT_EQ(reinterpret_cast<HBITMAP>(
                ::SendMessageA(Control(kProgressBackgroundButton), BM_GETIMAGE, IMAGE_BITMAP, 0)),
            swatch);
  EXPECT_EQ(buttons.GetButtonColor(99), -1);
  EXPECT_EQ(buttons.SetButtonColor(99, 0), -1);
}

TEST_F(SkinwrightTest, PreviewRowsShowUrgencyColoursAndProgress) {
  AddTheme("strict.lvs");
  Start();
  HWND tree = Control(kPreviewTree);
  const int pictures[] = {1, 3, 5, 7, 9};
  const std::int32_t texts[] = {2, 4, 6, 8, 255};
  const std::int32_t backgrounds[] = {1, 3, 5, 7, 65280};
  for (int row = 0; row < kUrgencyLevels; ++row) {
    HTREEITEM item = app->window().PreviewRow(row);
    EXPECT_EQ(static_cast<int>(TreeView_GetItemState(tree, item, TVIS_STATEIMAGEMASK) >> 12),
              pictures[row]);
    char label[64] = {};
    TVITEMA read{};
    read.mask = TVIF_TEXT | TVIF_PARAM;
    read.hItem = item;
    read.pszText = label;
    read.cchTextMax = sizeof label;
    TreeView_GetItem(tree, &read);
    EXPECT_EQ(std::string(label), app->texts()[21 + row]);
    // The tree asks its parent for the colours of each row it draws.
    NMTVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {tree, static_cast<UINT_PTR>(kPreviewTree), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item);
    draw.nmcd.lItemlParam = read.lParam;
    ::SendMessageA(Window(), WM_NOTIFY, kPreviewTree, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(draw.clrText, static_cast<COLORREF>(texts[row])) << row;
    EXPECT_EQ(draw.clrTextBk, static_cast<COLORREF>(backgrounds[row])) << row;
  }
}

TEST_F(SkinwrightTest, PreviewPicturesAreDrawnInTheProgressColours) {
  AddTheme("strict.lvs");
  Start();
  auto list = reinterpret_cast<HIMAGELIST>(
      ::SendMessageA(Control(kPreviewTree), TVM_GETIMAGELIST, TVSIL_STATE, 0));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(::ImageList_GetImageCount(list), 13);
  IMAGEINFO half{};
  ASSERT_TRUE(::ImageList_GetImageInfo(list, 6, &half));
  const int left = half.rcImage.left;
  const int top = half.rcImage.top;
  EXPECT_EQ(half.rcImage.right - left, 50);
  EXPECT_EQ(half.rcImage.bottom - top, 14);
  // Blue fill on the left half, black on the right, white below; the label
  // keeps to the middle.
  EXPECT_EQ(PixelOf(half.hbmImage, left + 1, top + 5), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(half.hbmImage, left + 8, top + 1), RGB(0, 0, 255));
  EXPECT_EQ(PixelOf(half.hbmImage, left + 42, top + 1), RGB(0, 0, 0));
  EXPECT_EQ(PixelOf(half.hbmImage, left + 48, top + 5), RGB(0, 0, 0));
  EXPECT_EQ(PixelOf(half.hbmImage, left + 3, top + 12), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(half.hbmImage, left + 45, top + 13), RGB(255, 255, 255));
}

TEST_F(SkinwrightTest, QuitButtonAndClosingTheWindowEndTheLoop) {
  AddTheme("strict.lvs");
  Start();
  EXPECT_FALSE(app->quitting());
  Click(kQuitButton);
  EXPECT_TRUE(app->quitting());

  SkinwrightApp other(::GetModuleHandleA(nullptr), prompt);
  other.LoadSettingsAndThemes(folder.path());
  ASSERT_TRUE(other.OpenEditorWindow());
  ::SendMessageA(other.window().window(), WM_CLOSE, 0, 0);
  other.HandlePendingEvents();
  EXPECT_TRUE(other.quitting());
}

TEST_F(SkinwrightTest, KeysMoveBetweenButtonsAndEnterPressesTheFocusedOne) {
  AddTheme("strict.lvs");
  Start();
  const auto key = [&](UINT code, testing::Modifiers held = {}) {
    testing::PostKey(::GetFocus(), code, held);
    app->HandlePendingEvents();
    testing::HoldModifiers({});
  };
  EditorWindow& window = app->window();
  ::SetFocus(window.Control(kProgressBackgroundButton));
  key(VK_TAB);
  EXPECT_EQ(::GetFocus(), window.Control(kProgressBarButton));
  key(VK_TAB, {.shift = true});
  EXPECT_EQ(::GetFocus(), window.Control(kProgressBackgroundButton));
  key(VK_TAB, {.control = true});
  EXPECT_EQ(::GetFocus(), window.Control(kFirstUrgencyButton)) << "the next page, first button";

  prompt.ThenColour(std::nullopt);
  key(VK_RETURN);
  EXPECT_EQ(prompt.asked_colours(), (std::vector<std::int32_t>{1})) << "urg_1_bc is asked about";
  key(VK_ESCAPE);
  EXPECT_FALSE(app->quitting());
  EXPECT_TRUE(prompt.asked().empty());
}

}  // namespace
}  // namespace lumvik
