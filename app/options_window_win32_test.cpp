#include "app/options_window_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/testing/lumvik_app_fixture_win32.h"
#include "config/ini_file.h"
#include "config/text_numbers.h"
#include "platform/file_io.h"
#include "platform/testing/keys_win32.h"
#include "platform/testing/temp_dir.h"
#include "platform/text.h"
#include "theme/testing/gdi_testing_win32.h"

namespace lumvik {
namespace {

using testing::PostKey;

using Step = std::function<void(OptionsWindow&)>;

// Opens the options window with its menu command and plays one step each
// time its loop has nothing else to do; the last step closes it.
class OptionsWindowTest : public testing::LumvikAppTest {
 protected:
  void WithOptions(std::vector<Step> steps) {
    std::vector<std::function<void()>> played;
    for (Step& step : steps) {
      played.push_back([this, step = std::move(step)] { step(*app->options()); });
    }
    WhileOpen(
        kCmdOptions, [this] { return app->options() != nullptr && app->options()->open(); },
        std::move(played),
        [this] { ::SendMessageA(app->options()->window(), WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(app->options(), nullptr);
  }

  static void Click(OptionsWindow& options, int gadget) {
    ::SendMessageA(options.Control(gadget), BM_CLICK, 0, 0);
  }
  // The user's choice in a list, as the list reports it.
  static void Choose(OptionsWindow& options, int list, int item) {
    HWND control = options.Control(list);
    ::SendMessageA(control, CB_SETCURSEL, item, 0);
    ::SendMessageA(::GetParent(control), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(control));
  }
  static std::vector<std::string> Items(OptionsWindow& options, int list) {
    HWND control = options.Control(list);
    std::vector<std::string> items;
    const auto count = static_cast<int>(::SendMessageA(control, CB_GETCOUNT, 0, 0));
    for (int item = 0; item < count; ++item) {
      char text[256] = {};
      ::SendMessageA(control, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  static int Selected(OptionsWindow& options, int list) {
    return static_cast<int>(::SendMessageA(options.Control(list), CB_GETCURSEL, 0, 0));
  }
  static std::string Text(HWND control) {
    char text[512] = {};
    ::GetWindowTextA(control, text, sizeof text);
    return text;
  }
  static HICON IconBox(OptionsWindow& options, int k) {
    return reinterpret_cast<HICON>(
        ::SendMessageA(options.Control(kGadgetFirstSkinIcon + k), STM_GETICON, 0, 0));
  }
  // The colours the theme preview gives row `row` when it is drawn.
  static std::pair<COLORREF, COLORREF> ThemeRowColours(OptionsWindow& options, int row) {
    HWND tree = options.Control(kGadgetThemePreview);
    NMTVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {tree, static_cast<UINT_PTR>(kGadgetThemePreview),
                     static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(options.ThemePreviewRow(row));
    draw.nmcd.lItemlParam = row;
    ::SendMessageA(::GetParent(tree), WM_NOTIFY, kGadgetThemePreview,
                   reinterpret_cast<LPARAM>(&draw));
    return {draw.clrText, draw.clrTextBk};
  }
  void WriteSettings(const std::string& text) {
    testing::WriteTestFile(folder.File("Lumvik.ini"), text);
  }
  std::string Settings() { return ReadWholeFile(folder.File("Lumvik.ini")).value_or(""); }
};

struct PreviewRow {
  std::string text;
  int icon;
  int state;
  bool operator==(const PreviewRow&) const = default;
};

PreviewRow RowOf(HWND tree, HTREEITEM item) {
  char text[128] = {};
  TVITEMA row{};
  row.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
  row.stateMask = TVIS_STATEIMAGEMASK;
  row.hItem = item;
  row.pszText = text;
  row.cchTextMax = sizeof text;
  TreeView_GetItem(tree, &row);
  return {text, row.iImage, static_cast<int>((row.state & TVIS_STATEIMAGEMASK) >> 12)};
}

// An icon, or a picture of an image list, drawn on white: what the user sees.
std::vector<COLORREF> Pixels(int size, const std::function<void(HDC)>& draw) {
  testing::DibCanvas canvas(size, size, RGB(255, 255, 255));
  draw(canvas.dc());
  std::vector<COLORREF> pixels;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) pixels.push_back(canvas.Pixel(x, y));
  }
  return pixels;
}
std::vector<COLORREF> Pixels(HIMAGELIST list, int picture, int size) {
  return Pixels(size, [&](HDC dc) { ::ImageList_Draw(list, picture, dc, 0, 0, ILD_NORMAL); });
}
// An icon as the tree and the toolbar show it, through a list of their kind.
std::vector<COLORREF> Pixels(HICON icon, int size) {
  const UniqueImageList list(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 1, 0));
  ::ImageList_AddIcon(list.get(), icon);
  return Pixels(list.get(), 0, size);
}

RECT PlaceIn(HWND control, HWND parent) {
  RECT place{};
  ::GetWindowRect(control, &place);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

TEST_F(OptionsWindowTest, EveryControlAtItsPlaceWithItsText) {
  Start();
  const TextTable& texts = app->texts();
  WithOptions({[&](OptionsWindow& options) {
    HWND window = options.window();
    RECT inside{};
    ::GetClientRect(window, &inside);
    EXPECT_EQ(inside.right, 600);
    EXPECT_EQ(inside.bottom, 390);
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_SYSMENU) << "no system menu and no close box";
    EXPECT_EQ(Text(window), texts[68]);
    HWND tabs = options.Control(kGadgetOptionsTabs);
    std::vector<std::string> captions;
    for (int tab = 0; tab < 3; ++tab) {
      char caption[64] = {};
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption;
      item.cchTextMax = sizeof caption;
      ::SendMessageA(tabs, TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item));
      captions.push_back(caption);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{texts[69], texts[106], texts[107]}));

    struct Expected {
      int gadget;
      RECT place;  // x, y, width, height, inside the window or the page
      std::string text;
    };
    const Expected in_window[] = {{kGadgetOptionsTabs, {5, 5, 590, 340}, ""},
                                  {kGadgetOptionsOk, {330, 350, 125, 35}, texts[50]},
                                  {kGadgetOptionsCancel, {465, 350, 125, 35}, texts[51]}};
    for (const Expected& control : in_window) {
      const RECT place = PlaceIn(options.Control(control.gadget), window);
      EXPECT_EQ(place.left, control.place.left) << control.gadget;
      EXPECT_EQ(place.top, control.place.top) << control.gadget;
      EXPECT_EQ(place.right, control.place.right) << control.gadget;
      EXPECT_EQ(place.bottom, control.place.bottom) << control.gadget;
      EXPECT_EQ(Text(options.Control(control.gadget)), control.text) << control.gadget;
    }
    const Expected on_pages[] = {
        {kGadgetGeneralFrame, {10, 10, 565, 240}, ""},
        {kGadgetTreeAloneCheck, {30, 30, 400, 30}, texts[71]},
        {kGadgetStartUpCheck, {30, 60, 400, 30}, texts[72]},
        {kGadgetReopenCheck, {30, 90, 400, 30}, texts[102]},
        {kGadgetLanguageCaption, {30, 130, 100, 20}, texts[73] + " :"},
        {kGadgetAssociationCaption, {30, 160, 400, 30}, texts[105]},
        {kGadgetAssociate, {80, 190, 180, 40}, texts[103]},
        {kGadgetRemoveAssociation, {320, 190, 180, 40}, texts[104]},
        {kGadgetSkinFrame, {10, 10, 565, 300}, ""},
        {kGadgetSkinCaption, {30, 30, 400, 30}, texts[151]},
        {kGadgetSkinPreview, {30, 150, 530, 140}, ""},
        {kGadgetThemeFrame, {10, 10, 565, 300}, ""},
        {kGadgetThemeCaption, {30, 30, 400, 30}, texts[108]},
        {kGadgetThemePreview, {30, 80, 530, 90}, ""},
        {kGadgetSampleLine, {30, 190, 530, 20}, texts[109]},
        {kGadgetSampleBox, {30, 220, 530, 50}, texts[110]},
    };
    for (const Expected& control : on_pages) {
      HWND handle = options.Control(control.gadget);
      const RECT place = PlaceIn(handle, ::GetParent(handle));
      EXPECT_EQ(place.left, control.place.left) << control.gadget;
      EXPECT_EQ(place.top, control.place.top) << control.gadget;
      EXPECT_EQ(place.right, control.place.right) << control.gadget;
      EXPECT_EQ(place.bottom, control.place.bottom) << control.gadget;
      EXPECT_EQ(Text(handle), control.text) << control.gadget;
    }
    // The lists keep the system's height when closed.
    for (const auto& [list, x, y] :
         {std::tuple{kGadgetLanguageList, 140, 125}, std::tuple{kGadgetSkinList, 140, 25},
          std::tuple{kGadgetThemeList, 140, 25}}) {
      const RECT place = PlaceIn(options.Control(list), ::GetParent(options.Control(list)));
      EXPECT_EQ(place.left, x) << list;
      EXPECT_EQ(place.top, y) << list;
      EXPECT_EQ(place.right, 290) << list;
    }
    for (int k = 0; k < kToolbarIconCount; ++k) {
      HWND box = options.Control(kGadgetFirstSkinIcon + k);
      const RECT place = PlaceIn(box, ::GetParent(box));
      EXPECT_EQ(place.left, 30 + 55 * k);
      EXPECT_EQ(place.top, 75);
      EXPECT_EQ(place.right, 48);
      EXPECT_EQ(place.bottom, 48);
    }

    // The skin preview: each row with the icon of what it stands for.
    HWND skin_tree = options.Control(kGadgetSkinPreview);
    const PreviewRow skin_rows[] = {
        {texts[37], 1, 0}, {texts[152], 6, 0}, {std::string(28, '-'), kTreeIconCount, 0},
        {texts[16], 3, 0}, {texts[17], 4, 0},  {texts[18], 5, 0},
        {texts[19], 0, 0}, {texts[20], 2, 0}};
    for (int row = 0; row < 8; ++row) {
      EXPECT_EQ(RowOf(skin_tree, options.SkinPreviewRow(row)), skin_rows[row]) << row;
    }
    // The theme preview: the urgencies with the pictures of 0 to 80 percent.
    HWND theme_tree = options.Control(kGadgetThemePreview);
    for (int row = 0; row < 5; ++row) {
      EXPECT_EQ(RowOf(theme_tree, options.ThemePreviewRow(row)),
                (PreviewRow{texts[21 + row], 0, 1 + 2 * row}))
          << row;
    }
    Click(options, kGadgetOptionsCancel);
  }});
}

TEST_F(OptionsWindowTest, ListsOfferWhatTheProgramFolderHolds) {
  folder.CopyDeliveredSkin("trait");
  folder.CopyDelivered("nuit.lvs");
  testing::WriteTestFile(folder.File("OLD.LVS"), "[Theme]\r\n");
  testing::WriteTestFile(folder.File("skins\\stray.ico"), "");
  SetSetting("langage", "FRANCAIS");
  Start();
  WithOptions({[&](OptionsWindow& options) {
    EXPECT_EQ(Items(options, kGadgetLanguageList),
              (std::vector<std::string>{"English", "Francais", "Deutsch", "Espa\xF1ol"}));
    EXPECT_EQ(Selected(options, kGadgetLanguageList), 1);
    std::vector<std::string> skins = Items(options, kGadgetSkinList);
    std::sort(skins.begin(), skins.end());
    EXPECT_EQ(skins, (std::vector<std::string>{"Deruv", "Trait"})) << "folders only";
    EXPECT_EQ(Items(options, kGadgetSkinList)[Selected(options, kGadgetSkinList)], "Deruv");
    std::vector<std::string> themes = Items(options, kGadgetThemeList);
    std::sort(themes.begin(), themes.end());
    EXPECT_EQ(themes, (std::vector<std::string>{"Nuit", "Strict"})) << "not OLD.LVS";
    EXPECT_EQ(Items(options, kGadgetThemeList)[Selected(options, kGadgetThemeList)], "Strict");
    EXPECT_NE(IconBox(options, 0), nullptr);
    Click(options, kGadgetOptionsCancel);
  }});
}

TEST_F(OptionsWindowTest, WithoutSkinsOrLanguageFileTheListsStayEmpty) {
  ::DeleteFileA(folder.File("Lumvik.lng.ini").c_str());
  for (const char* file : {"icone0", "icone1", "icone2", "icone3", "icone4", "icone5", "icone6",
                           "tool1", "tool2", "tool3", "tool4", "tool5", "tool6", "tool7"}) {
    ::DeleteFileA(folder.File(std::string("skins\\deruv\\") + file + ".ico").c_str());
  }
  ::RemoveDirectoryA(folder.File("skins\\deruv").c_str());
  ::RemoveDirectoryA(folder.File("skins").c_str());
  Start();
  WithOptions({[&](OptionsWindow& options) {
    EXPECT_TRUE(Items(options, kGadgetLanguageList).empty());
    EXPECT_TRUE(Items(options, kGadgetSkinList).empty());
    EXPECT_EQ(IconBox(options, 0), nullptr);
    Click(options, kGadgetOptionsOk);
  }});
  // A list without a choice stores an empty value.
  const IniFile settings = IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik);
  EXPECT_EQ(settings.Find("Application", "langage"), "");
  EXPECT_EQ(settings.Find("Icone", "skin"), "");
}

TEST_F(OptionsWindowTest, AThemeOrSkinNamedWithCapitalsStillSelectsItsEntry) {
  folder.CopyDeliveredSkin("trait");
  IniFile settings = IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik);
  settings.Write("Image", "skin", "STRICT");
  settings.Write("Icone", "skin", "Trait");
  ASSERT_TRUE(settings.Save());
  Start();
  WithOptions({[&](OptionsWindow& options) {
    EXPECT_EQ(Items(options, kGadgetThemeList)[Selected(options, kGadgetThemeList)], "Strict");
    EXPECT_EQ(Items(options, kGadgetSkinList)[Selected(options, kGadgetSkinList)], "Trait");
    Click(options, kGadgetOptionsOk);
  }});
  const IniFile written = IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik);
  EXPECT_EQ(written.Find("Image", "skin"), "strict");
  EXPECT_EQ(written.Find("Icone", "skin"), "trait");
}

TEST_F(OptionsWindowTest, AnotherSkinShowsAtOnceAndCancelKeepsTheSettingsSkin) {
  folder.CopyDeliveredSkin("trait");
  Start(SampleFile("list.lvk"));
  HICON main_tree_icon = app->skin().icons[1].get();
  HICON shown = nullptr;
  HIMAGELIST images = nullptr;
  WithOptions({
      [&](OptionsWindow& options) {
        shown = IconBox(options, 0);
        images = TreeView_GetImageList(options.Control(kGadgetSkinPreview), TVSIL_NORMAL);
        Choose(options, kGadgetSkinList, Selected(options, kGadgetSkinList));
      },
      [&](OptionsWindow& options) {
        EXPECT_EQ(IconBox(options, 0), shown) << "the entry already chosen reloads nothing";
        const std::vector<std::string> skins = Items(options, kGadgetSkinList);
        const auto trait = std::find(skins.begin(), skins.end(), "Trait") - skins.begin();
        Choose(options, kGadgetSkinList, static_cast<int>(trait));
      },
      [&](OptionsWindow& options) {
        EXPECT_NE(IconBox(options, 0), shown);
        EXPECT_NE(TreeView_GetImageList(options.Control(kGadgetSkinPreview), TVSIL_NORMAL), images);
        EXPECT_NE(app->skin().icons[1].get(), main_tree_icon) << "the tree icons follow";
        Click(options, kGadgetOptionsCancel);
      },
  });
  EXPECT_EQ(app->settings().icone_skin, "deruv");
  EXPECT_EQ(IniFile::Open(folder.File("Lumvik.ini"), IniReader::Lumvik).Find("Icone", "skin"),
            "deruv");
  HIMAGELIST tree_icons = TreeView_GetImageList(Gadget(kGadgetTree), TVSIL_NORMAL);
  const UniqueIcon deruv = LoadSlotIcon("deruv", 1);
  const UniqueIcon trait = LoadSlotIcon("trait", 1);
  ASSERT_NE(Pixels(deruv.get(), 16), Pixels(trait.get(), 16));
  EXPECT_EQ(Pixels(tree_icons, 1, 16), Pixels(deruv.get(), 16));

  // With OK the main window takes the skin up: its tree and its toolbar.
  WithOptions({[&](OptionsWindow& options) {
    const std::vector<std::string> skins = Items(options, kGadgetSkinList);
    const auto position = std::find(skins.begin(), skins.end(), "Trait") - skins.begin();
    Choose(options, kGadgetSkinList, static_cast<int>(position));
    Click(options, kGadgetOptionsOk);
  }});
  EXPECT_EQ(app->settings().icone_skin, "trait");
  tree_icons = TreeView_GetImageList(Gadget(kGadgetTree), TVSIL_NORMAL);
  EXPECT_EQ(Pixels(tree_icons, 1, 16), Pixels(trait.get(), 16));
  auto* toolbar_pictures =
      reinterpret_cast<HIMAGELIST>(::SendMessageA(app->window().toolbar(), TB_GETIMAGELIST, 0, 0));
  const UniqueIcon trait_new = LoadSlotIcon("trait", kFirstToolbarSlot);
  EXPECT_EQ(Pixels(toolbar_pictures, 0, 48), Pixels(trait_new.get(), 48));
}

TEST_F(OptionsWindowTest, AnotherThemeShowsAtOnceAndCancelRestoresTheSettingsTheme) {
  folder.CopyDelivered("nuit.lvs");
  Start(SampleFile("list.lvk"));
  const ThemeRecord strict = app->skin().theme;
  ThemeRecord nuit;
  ReadThemeFile(folder.path(), "nuit", nuit, IniReader::Lumvik);
  ASSERT_NE(nuit.urg_5_bc, strict.urg_5_bc);
  LRESULT sample_font = 0;
  WithOptions({
      [&](OptionsWindow& options) {
        EXPECT_EQ(ThemeRowColours(options, 0), std::pair(static_cast<COLORREF>(strict.urg_1_tc),
                                                         static_cast<COLORREF>(strict.urg_1_bc)));
        sample_font = ::SendMessageA(options.Control(kGadgetSampleLine), WM_GETFONT, 0, 0);
        const std::vector<std::string> themes = Items(options, kGadgetThemeList);
        const auto position = std::find(themes.begin(), themes.end(), "Nuit") - themes.begin();
        Choose(options, kGadgetThemeList, static_cast<int>(position));
      },
      [&](OptionsWindow& options) {
        EXPECT_EQ(ThemeRowColours(options, 4), std::pair(static_cast<COLORREF>(nuit.urg_5_tc),
                                                         static_cast<COLORREF>(nuit.urg_5_bc)));
        EXPECT_NE(::SendMessageA(options.Control(kGadgetSampleLine), WM_GETFONT, 0, 0),
                  sample_font);
        EXPECT_EQ(app->skin().theme.name, "nuit");
        Click(options, kGadgetOptionsCancel);
      },
  });
  EXPECT_EQ(app->skin().theme.name, "strict");
  EXPECT_EQ(app->skin().theme.urg_5_bc, strict.urg_5_bc);
  EXPECT_EQ(app->Colours()[4].background, strict.urg_5_bc) << "the tree shows the old colours";

  // With OK the tree takes the new colours and the panels its fonts.
  WithOptions({[&](OptionsWindow& options) {
    const std::vector<std::string> themes = Items(options, kGadgetThemeList);
    const auto position = std::find(themes.begin(), themes.end(), "Nuit") - themes.begin();
    Choose(options, kGadgetThemeList, static_cast<int>(position));
    Click(options, kGadgetOptionsOk);
  }});
  EXPECT_EQ(app->settings().image_skin, "nuit");
  EXPECT_EQ(app->Colours()[4].background, nuit.urg_5_bc);
  EXPECT_EQ(::SendMessageA(Gadget(kGadgetCategoryName), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(app->skin().fonts[kFontName].get()));
  EXPECT_EQ(::SendMessageA(Gadget(kGadgetTaskName), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(app->skin().fonts[kFontName].get()));
}

TEST_F(OptionsWindowTest, OkWritesTheOptionKeysInOrderAndKeepsTheRest) {
  WriteSettings(
      "; my settings\r\n[Application]\r\nlangagenb = 150\r\nextra = kept\r\ndroite = 1\r\n"
      "lastfile = C:\\list.lvk\r\n[Other]\r\nkey = value\r\n");
  Start();
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetTreeAloneCheck);  // checked, now unchecked
    Click(options, kGadgetReopenCheck);
    Click(options, kGadgetOptionsOk);
  }});
  EXPECT_EQ(Settings(),
            "; my settings\r\n[Application]\r\nlangagenb = 150\r\nextra = kept\r\ndroite = 0\r\n"
            "lastfile = C:\\list.lvk\r\ndemarrage = 1\r\nloadlastfile = 0\r\n"
            "langage = francais\r\n[Other]\r\nkey = value\r\n[Icone]\r\nskin = deruv\r\n"
            "[Image]\r\nskin = strict\r\n");
}

TEST_F(OptionsWindowTest, ASettingsFileThatCannotBeWrittenIsSaidOnceAndTheChoicesStay) {
  folder.CopyDelivered("nuit.lvs");
  Start(SampleFile("list.lvk"));
  ThemeRecord nuit;
  ReadThemeFile(folder.path(), "nuit", nuit, IniReader::Lumvik);
  const std::string path = folder.File("Lumvik.ini");
  const std::string before = Settings();
  const testing::ReadOnlyFile read_only(path);
  prompt.Then(Answer::Ok);
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetTreeAloneCheck);
    const std::vector<std::string> languages = Items(options, kGadgetLanguageList);
    const auto francais = std::find(languages.begin(), languages.end(), "Francais");
    Choose(options, kGadgetLanguageList, static_cast<int>(francais - languages.begin()));
    const std::vector<std::string> themes = Items(options, kGadgetThemeList);
    const auto position = std::find(themes.begin(), themes.end(), "Nuit") - themes.begin();
    Choose(options, kGadgetThemeList, static_cast<int>(position));
    Click(options, kGadgetOptionsOk);
  }});
  // Said in the language just chosen, naming the file.
  const std::string& refusal = app->texts()[kTextSettingsNotWritten];
  ASSERT_NE(refusal.find("%1"), std::string::npos);
  EXPECT_EQ(app->texts()[1], "Nouveau");
  EXPECT_EQ(prompt.asked(), (std::vector<testing::AskedMessage>{
                                {"Lumvik", FillPlaceholder(refusal, path), Buttons::Ok}}));
  EXPECT_EQ(Settings(), before);
  // In effect all the same, from memory.
  EXPECT_EQ(app->settings().droite, 1);
  EXPECT_EQ(app->settings().image_skin, "nuit");
  EXPECT_EQ(app->window().ClientSize().cx, 400);
  EXPECT_EQ(app->Colours()[4].background, nuit.urg_5_bc);

  // The window shows the choices in effect; Cancel keeps them, and neither
  // a second OK nor the writes at quit say it again.
  WithOptions({[&](OptionsWindow& options) {
    EXPECT_EQ(::SendMessageA(options.Control(kGadgetTreeAloneCheck), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    Click(options, kGadgetOptionsCancel);
  }});
  EXPECT_EQ(app->skin().theme.name, "nuit");
  EXPECT_EQ(app->settings().langage, "francais");
  EXPECT_EQ(app->window().ClientSize().cx, 400);
  WithOptions({[&](OptionsWindow& options) { Click(options, kGadgetOptionsOk); }});
  app->ShutDown();
  EXPECT_EQ(prompt.asked().size(), 1u);
  EXPECT_EQ(Settings(), before);
}

TEST_F(OptionsWindowTest, CancelWritesNothingAndTheFocusReturns) {
  Start(SampleFile("list.lvk"));  // the document opened heads the recent files
  const std::string before = Settings();
  ::SetFocus(Gadget(kGadgetCategoryDescription));
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetStartUpCheck);
    Click(options, kGadgetOptionsCancel);
  }});
  EXPECT_EQ(Settings(), before);
  EXPECT_EQ(::GetFocus(), Gadget(kGadgetCategoryDescription));
}

std::string MenuText(HMENU menu, UINT command) {
  char text[128] = {};
  ::GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
  return text;
}

TEST_F(OptionsWindowTest, AnotherLanguageRenamesTheWholeMainWindowButNotItsTitle) {
  Start(SampleFile("list.lvk"));
  ClickRow(1);  // the task panel has been shown in the old language
  const std::string title = Title();
  WithOptions({[&](OptionsWindow& options) {
    const std::vector<std::string> languages = Items(options, kGadgetLanguageList);
    const auto francais = std::find(languages.begin(), languages.end(), "Francais");
    Choose(options, kGadgetLanguageList, static_cast<int>(francais - languages.begin()));
    PostKey(options.Control(kGadgetLanguageList), VK_RETURN);
  }});
  const TextTable& texts = app->texts();
  EXPECT_EQ(app->settings().langage, "francais");
  EXPECT_EQ(texts[1], "Nouveau");
  EXPECT_EQ(Title(), title);
  HMENU bar = ::GetMenu(Window());
  char title_text[64] = {};
  ::GetMenuStringA(bar, 0, title_text, sizeof title_text, MF_BYPOSITION);
  EXPECT_EQ(std::string(title_text), texts[0]);
  EXPECT_EQ(MenuText(bar, kCmdNew), texts[1] + "\tCtrl+N");
  EXPECT_EQ(MenuText(bar, kCmdSaveAs), texts[4]);
  EXPECT_EQ(MenuText(bar, kCmdOptions), texts[68] + "\tCtrl+P");
  EXPECT_EQ(MenuText(bar, kCmdAbout), texts[62] + "\tF12");
  EXPECT_EQ(MenuText(app->window().Popup(kMenuCategoryPopup), kCmdAddTask), texts[8]);
  EXPECT_EQ(MenuText(app->window().Popup(kMenuTaskPopup), kCmdDeleteTask), texts[87]);
  NMTTDISPINFOA tip{};
  tip.hdr = {app->window().toolbar(), static_cast<UINT_PTR>(kCmdMoveUp),
             static_cast<UINT>(TTN_GETDISPINFOA)};
  ::SendMessageA(Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip.lpszText, nullptr);
  EXPECT_EQ(std::string(tip.lpszText), texts[85]);
  EXPECT_EQ(TextOf(kGadgetStatusCaption), texts[26]);
  EXPECT_EQ(TextOf(kGadgetCategoryDescriptionCaption), texts[9]);
  char item[64] = {};
  ::SendMessageA(Gadget(kGadgetImportanceList), CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(item));
  EXPECT_EQ(std::string(item), texts[25]);
}

TEST_F(OptionsWindowTest, LayoutFollowsThePanelSettingWithAndWithoutRows) {
  Start(SampleFile("list.lvk"));
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetTreeAloneCheck);
    Click(options, kGadgetOptionsOk);
  }});
  EXPECT_EQ(app->window().ClientSize().cx, 400);
  EXPECT_FALSE(::IsWindowVisible(Gadget(kGadgetCategoryPanel)));
  EXPECT_EQ(PlaceOf(kGadgetTree).right - PlaceOf(kGadgetTree).left, 380);

  // A hand-made 2 counts as the tree alone here.
  SetSetting("droite", "2");
  WithOptions({[&](OptionsWindow& options) { Click(options, kGadgetOptionsCancel); }});
  EXPECT_EQ(app->window().ClientSize().cx, 400);

  WithOptions({[&](OptionsWindow& options) { Click(options, kGadgetOptionsOk); }});
  EXPECT_EQ(app->window().ClientSize().cx, 800);
  EXPECT_EQ(PlaceOf(kGadgetTree).right - PlaceOf(kGadgetTree).left, 330);
  EXPECT_EQ(app->window().rows().Selection(), 0);
  EXPECT_TRUE(::IsWindowVisible(Gadget(kGadgetCategoryPanel)));
  EXPECT_EQ(TextOf(kGadgetCategoryName), "Home");
}

TEST_F(OptionsWindowTest, WideLayoutOfAnEmptyDocumentShowsNoPanel) {
  SetSetting("droite", "1");
  const std::string foreign = folder.File("foreign.lvk");
  testing::WriteTestFile(foreign, "<xml version=\"2.1\" logiciel=\"Other\">\r\n");
  prompt.Then(Answer::Ok);
  Start(foreign);
  ASSERT_EQ(app->window().rows().Count(), 0);
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetTreeAloneCheck);
    Click(options, kGadgetOptionsOk);
  }});
  EXPECT_EQ(app->window().ClientSize().cx, 800);
  EXPECT_FALSE(::IsWindowVisible(Gadget(kGadgetCategoryPanel)));
  EXPECT_FALSE(::IsWindowVisible(Gadget(kGadgetTaskPanel)));
}

TEST_F(OptionsWindowTest, TabGoesRoundTheShownPageAndCtrlTabTurnsIt) {
  Start();
  std::vector<int> visited;
  const auto focus = [] { return ::GetDlgCtrlID(::GetFocus()); };
  std::vector<Step> steps{[&](OptionsWindow&) { visited.push_back(focus()); }};
  for (int press = 0; press < 7; ++press) {
    steps.push_back([&](OptionsWindow&) { PostKey(::GetFocus(), VK_TAB); });
    steps.push_back([&](OptionsWindow&) { visited.push_back(focus()); });
  }
  for (int press = 0; press < 3; ++press) {
    steps.push_back([&](OptionsWindow&) { PostKey(::GetFocus(), VK_TAB, {.shift = true}); });
    steps.push_back([&](OptionsWindow&) { visited.push_back(focus()); });
  }
  steps.push_back([&](OptionsWindow&) { PostKey(::GetFocus(), VK_TAB, {.control = true}); });
  steps.push_back([&](OptionsWindow& options) {
    visited.push_back(focus());
    EXPECT_TRUE(::IsWindowVisible(options.Control(kGadgetSkinPage)));
    EXPECT_FALSE(::IsWindowVisible(options.Control(kGadgetGeneralPage)));
    PostKey(::GetFocus(), VK_ESCAPE);
  });
  WithOptions(steps);
  EXPECT_EQ(visited,
            (std::vector<int>{kGadgetTreeAloneCheck, kGadgetStartUpCheck, kGadgetReopenCheck,
                              kGadgetLanguageList, kGadgetAssociate, kGadgetRemoveAssociation,
                              kGadgetOptionsOk, kGadgetOptionsCancel, kGadgetOptionsOk,
                              kGadgetRemoveAssociation, kGadgetAssociate, kGadgetSkinList}));
}

TEST_F(OptionsWindowTest, EnterIsOkEscapeIsCancelAndEnterPressesAFocusedButton) {
  Start();
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetStartUpCheck);
    PostKey(options.Control(kGadgetStartUpCheck), VK_ESCAPE);
  }});
  EXPECT_EQ(app->settings().demarrage, 0) << "Escape cancels";

  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetStartUpCheck);
    ::SetFocus(options.Control(kGadgetSampleBox));
    PostKey(options.Control(kGadgetSampleBox), VK_ESCAPE);
  }});
  EXPECT_EQ(app->settings().demarrage, 0) << "Escape in a box of several lines cancels too";

  WithOptions({
      [&](OptionsWindow& options) {
        Click(options, kGadgetAssociate);
        ::SetFocus(options.Control(kGadgetRemoveAssociation));
      },
      [&](OptionsWindow&) {
        EXPECT_EQ(registry.ReadRegistryString(HKEY_CLASSES_ROOT, ".lvk", ""), "lvk_auto_file");
        PostKey(::GetFocus(), VK_RETURN);
      },
      [&](OptionsWindow& options) {
        EXPECT_EQ(registry.ReadRegistryString(HKEY_CLASSES_ROOT, ".lvk", ""), "")
            << "Enter pressed the focused button";
        Click(options, kGadgetStartUpCheck);
        PostKey(options.Control(kGadgetStartUpCheck), VK_RETURN);
      },
  });
  EXPECT_EQ(app->settings().demarrage, 1) << "Enter is OK";
  registry.DeleteRegistryValue(HKEY_LOCAL_MACHINE, std::string(kRunKey), "Lumvik");
}

TEST_F(OptionsWindowTest, AssociationButtonsWriteAndRemoveTheKeys) {
  Start();
  const std::string program = ExecutablePath();
  WithOptions({
      [&](OptionsWindow& options) { Click(options, kGadgetAssociate); },
      [&](OptionsWindow& options) {
        EXPECT_EQ(registry.ReadRegistryString(HKEY_CLASSES_ROOT, ".lvk", ""), "lvk_auto_file");
        EXPECT_EQ(registry.ReadRegistryString(HKEY_CLASSES_ROOT,
                                              "lvk_auto_file\\shell\\open\\command", ""),
                  "\"" + program + "\" \"%1\"");
        Click(options, kGadgetRemoveAssociation);
      },
      [&](OptionsWindow& options) {
        EXPECT_EQ(registry.ReadRegistryString(HKEY_CLASSES_ROOT, ".lvk", ""), "");
        Click(options, kGadgetOptionsCancel);
      },
  });
}

TEST_F(OptionsWindowTest, StartWithWindowsFollowsTheCheckBoxOnOk) {
  SetSetting("demarrage", "0");
  Start();
  const std::string run(kRunKey);
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetStartUpCheck);
    Click(options, kGadgetOptionsOk);
  }});
  EXPECT_EQ(registry.ReadRegistryString(HKEY_LOCAL_MACHINE, run, "Lumvik"),
            "\"" + ExecutablePath() + "\"");
  WithOptions({[&](OptionsWindow& options) {
    Click(options, kGadgetStartUpCheck);
    Click(options, kGadgetOptionsOk);
  }});
  EXPECT_EQ(registry.ReadRegistryString(HKEY_LOCAL_MACHINE, run, "Lumvik"), "");
}

TEST_F(OptionsWindowTest, CloseRequestsCancelTheWindowOrWaitForTheMainLoop) {
  Start();
  app->document().saved = 0;
  prompt.Then(Answer::Cancel);
  WithOptions({
      [&](OptionsWindow&) {
        // The main window's close request, and a quit message.
        ::PostMessageA(Window(), WM_CLOSE, 0, 0);
        ::PostQuitMessage(0);
      },
      [&](OptionsWindow& options) {
        EXPECT_TRUE(options.open()) << "the options window stays until OK or Cancel";
        EXPECT_TRUE(prompt.asked().empty());
        Click(options, kGadgetStartUpCheck);
        ::SendMessageA(options.window(), WM_CLOSE, 0, 0);
      },
  });
  EXPECT_EQ(app->settings().demarrage, 0) << "closed as Cancel closes it";
  // Then the main loop asked about the unsaved changes, once.
  EXPECT_EQ(prompt.asked().size(), 1u);
  EXPECT_FALSE(app->quitting());
  app->HandlePendingEvents();
  EXPECT_EQ(prompt.asked().size(), 1u) << "a quit message is handled once";
}

}  // namespace
}  // namespace lumvik
