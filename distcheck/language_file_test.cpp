// The language file and the settings file as the program folder delivers them:
// in every language, both programs must find every word they show, with
// either reader, and the delivered settings must load all of those words.
#include "config/language_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/ini_file.h"
#include "config/settings.h"
#include "config/text_numbers.h"
#include "config/text_table.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {
namespace {

const std::string kProgramFolder = LUMVIK_DIST_FOLDER;

struct TextRange {
  int first;
  int last;
};

// The text numbers that each program shows somewhere.
constexpr TextRange kLumvikTexts[] = {{0, 11},    {13, 30},   {34, 35},   {37, 37},  {39, 58},
                                      {61, 63},   {66, 69},   {71, 73},   {85, 91},  {98, 111},
                                      {151, 152}, {154, 156}, {158, 183}, {201, 223}};
constexpr TextRange kSkinwrightTexts[] = {{1, 1},     {3, 3},     {21, 25},   {27, 27},
                                          {50, 51},   {66, 66},   {80, 83},   {93, 97},
                                          {109, 110}, {112, 115}, {153, 153}, {157, 157}};

// Menu titles and items; the menu bar appends a tab and the shortcut itself.
constexpr int kMenuTexts[] = {0,   1,   2,   3,   4,   5,   6,   7,   8,   39,  40,  41,  42,
                              43,  62,  63,  68,  87,  158, 159, 160, 162, 163, 164, 165, 170,
                              171, 210, 211, 212, 213, 214, 218, 219, 220, 221, 222, 223};
// Stored in documents between double quotes.
constexpr int kStoredTexts[] = {35, 37, 54};
// The mail's Subject line, in a mail declared us-ascii.
constexpr int kFeedbackSubjects[] = {46, 47, 48, 49};
constexpr int kUrgencyCaption = 27;  // Skinwright's urgency page drops its last two characters
// File type names of the open and export dialogs, each followed by " (*.ext)|*.ext".
constexpr int kFilterNames[] = {67, 173, 174, 175, 176};
// Captions that carry their own closing colon, before a field or a list.
constexpr int kCaptionsWithColon[] = {26, 27, 28, 29, 44, 45, 52, 95, 108, 151, 167};
// Captions that the program follows with " :" (73) or " : " and a value (88 to 91).
constexpr int kCaptionsBeforeColon[] = {73, 88, 89, 90, 91};
constexpr int kThemeQuestion = 97;  // followed directly by a theme name
constexpr int kProgramName = 54;

// Room for a text in its control, in pixels of the 8-point dialog font; the
// program shows `suffix` after the text. Where a control holds several texts
// (the status and urgency lists), each one gets the room.
struct Room {
  int first, last;
  int pixels;
  std::string_view suffix = "";
};
constexpr Room kRooms[] = {
    {16, 25, 200},  // drop-down lists, 220 wide with the arrow
    {26, 29, 140},  // task panel captions
    {44, 44, 60},   // feedback form captions
    {45, 45, 50},    {52, 52, 60},
    {50, 50, 90},                          // OK: the about box's button is 100 wide
    {51, 51, 80},                          // Cancel and Send: feedback buttons 90 wide
    {53, 53, 80},    {66, 66, 80},         // progress caption beside the slider
    {71, 72, 380},                         // option check boxes, 400 wide with the box
    {102, 102, 380}, {73, 73, 100, " :"},  // language label
    {80, 83, 140},                         // Skinwright's colour and font captions
    {95, 95, 110},                         // list labels, up to the list at 140
    {108, 108, 110}, {151, 151, 110},
    {103, 104, 320},                   // association buttons, two lines of 180 less the edges
    {105, 105, 400}, {109, 109, 490},  // Skinwright's name preview
    {114, 115, 300}, {154, 154, 290},  // the help window's button, 300 wide
    {155, 155, 390},                   // the feedback form's title while it sends
    {163, 164, 105},                   // the find window's buttons, 120 wide
    {167, 167, 80},                    // the find window's caption before its text box
    {168, 168, 355},                   // the find window's word when nothing matches
    {217, 217, 345},                   // the find window's check box, 365 wide with the box
};

// A width estimate in pixels of `text` in the 8-point dialog font, on the wide
// side: narrow signs 3, m and w 9, capitals 7, the rest 6.
int EstimatedWidth(std::string_view text) {
  constexpr std::string_view kNarrow = " \xA0.,:;'!|()[]-/Iijlftr";
  int width = 0;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (kNarrow.find(c) != std::string_view::npos) {
      width += 3;
    } else if (c == 'm' || c == 'w' || c == 'M' || c == 'W') {
      width += 9;
    } else if ((c >= 'A' && c <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
      width += 7;
    } else {
      width += 6;
    }
  }
  return width;
}

std::set<int> Numbers(std::span<const TextRange> ranges) {
  std::set<int> numbers;
  for (const TextRange& range : ranges) {
    for (int number = range.first; number <= range.last; ++number) numbers.insert(number);
  }
  return numbers;
}

std::set<int> UsedTexts() {
  std::set<int> used = Numbers(kLumvikTexts);
  used.merge(Numbers(kSkinwrightTexts));
  return used;
}

std::string DeliveredBytes(const std::string& name) {
  return ReadWholeFile(kProgramFolder + name).value_or("");
}

struct Group {
  std::string name;
  std::vector<std::string> keys;  // in file order
};

// The groups of the delivered language file, as Lumvik's reader sees them.
std::vector<Group> LanguageGroups() {
  const IniFile file =
      IniFile::Parse(DeliveredBytes(std::string(kLanguageFileName)), IniReader::Lumvik);
  std::vector<Group> groups;
  for (const IniLine& line : file.lines()) {
    if (line.kind == IniLineKind::Group) groups.push_back({line.name, {}});
    if (line.kind == IniLineKind::Entry && !groups.empty()) groups.back().keys.push_back(line.name);
  }
  return groups;
}

// The group's texts as `reader` loads them into a table of `size` entries,
// by default the table of the program that reads that way.
TextTable LoadGroup(const std::string& language, IniReader reader, std::size_t size = 0) {
  if (size == 0) size = reader == IniReader::Lumvik ? kLumvikTextCount : kSkinwrightTextCount;
  TextTable texts(size);
  LoadTexts(kProgramFolder, language, static_cast<std::int32_t>(texts.size()) - 1, texts, reader);
  return texts;
}

bool IsShownBlank(char c) { return IsBlank(c) || c == '\xA0'; }

// A letter or digit of Windows-1252, which a cut or a following name would split or join.
bool IsWordCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x80 ? std::isalnum(byte) != 0 : byte >= 0xC0 && byte != 0xD7 && byte != 0xF7;
}

TEST(DeliveredLanguageFile, IsAnsiTextWithWindowsLineEnds) {
  const std::string bytes = DeliveredBytes(std::string(kLanguageFileName));
  ASSERT_FALSE(bytes.empty());
  EXPECT_FALSE(bytes.starts_with(kUtf8Mark));
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  std::ptrdiff_t line_ends = 0;
  for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
       at = bytes.find("\r\n", at + 2)) {
    ++line_ends;
  }
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), line_ends);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), line_ends);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    SCOPED_TRACE("byte " + std::to_string(i));
    EXPECT_FALSE(byte < 0x20 && byte != '\r' && byte != '\n');
    // Holes of Windows-1252, and the lead byte of an accented letter written as UTF-8.
    EXPECT_FALSE(byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D);
    if (byte == 0xC3 && i + 1 < bytes.size()) {
      const auto next = static_cast<unsigned char>(bytes[i + 1]);
      EXPECT_FALSE(next >= 0x80 && next <= 0xBF);
    }
  }

  const IniFile file = IniFile::Parse(bytes, IniReader::Lumvik);
  ASSERT_FALSE(file.lines().empty());
  bool in_group = false;
  for (const IniLine& line : file.lines()) {
    EXPECT_NE(line.kind, IniLineKind::Other) << line.text;
    if (line.kind == IniLineKind::Group) in_group = true;
    EXPECT_TRUE(in_group || line.kind == IniLineKind::Comment) << line.name;
  }
}

TEST(DeliveredLanguageFile, OffersFourLanguagesUnderTheirStoredNames) {
  const std::vector<std::string> offered = ListLanguages(kProgramFolder);
  EXPECT_EQ(offered, (std::vector<std::string>{"English", "Francais", "Deutsch", "Espa\xF1ol"}));

  // The options window stores the lower-case form of what it offers as "langage".
  const std::vector<Group> groups = LanguageGroups();
  ASSERT_EQ(offered.size(), groups.size());
  for (std::size_t i = 0; i < groups.size(); ++i) {
    EXPECT_EQ(groups[i].name, LowerLatin1(groups[i].name));
    EXPECT_EQ(LowerLatin1(offered[i]), groups[i].name);
  }
}

TEST(DeliveredLanguageFile, EachGroupHoldsExactlyTheTextsThatTheProgramsShow) {
  const std::set<int> used = UsedTexts();
  const std::set<int> lumvik = Numbers(kLumvikTexts);
  const std::set<int> skinwright = Numbers(kSkinwrightTexts);
  ASSERT_EQ(lumvik.size(), 138u);
  ASSERT_EQ(skinwright.size(), 28u);
  ASSERT_EQ(used.size(), 153u);
  // Each program loads every text from kFirstAddedText up to the end of its
  // own table; below it, only up to "langagenb".
  ASSERT_LE(*lumvik.rbegin(), kLastLumvikText);
  ASSERT_LT(*skinwright.rbegin(), static_cast<int>(kSkinwrightTextCount));

  for (const Group& group : LanguageGroups()) {
    SCOPED_TRACE(group.name);
    std::set<int> present;
    for (const std::string& key : group.keys) {
      const auto number = static_cast<int>(ParseDecimal(key));
      EXPECT_EQ(std::to_string(number), key) << "only the plain decimal form is looked up";
      EXPECT_TRUE(present.insert(number).second) << "key " << key << " twice";
    }
    EXPECT_EQ(present, used);

    const TextTable lumvik_texts = LoadGroup(group.name, IniReader::Lumvik);
    for (int number : lumvik) EXPECT_FALSE(lumvik_texts[number].empty()) << "text " << number;
    const TextTable skinwright_texts = LoadGroup(group.name, IniReader::Skinwright);
    for (int number : skinwright) {
      EXPECT_FALSE(skinwright_texts[number].empty()) << "text " << number;
    }
  }
}

TEST(DeliveredLanguageFile, SkinwrightsReaderGivesTheSameTexts) {
  for (const Group& group : LanguageGroups()) {
    SCOPED_TRACE(group.name);
    const TextTable lumvik = LoadGroup(group.name, IniReader::Lumvik, kSkinwrightTextCount);
    const TextTable skinwright = LoadGroup(group.name, IniReader::Skinwright);
    for (int number : UsedTexts()) EXPECT_EQ(skinwright[number], lumvik[number]) << number;
  }
}

TEST(DeliveredLanguageFile, TextsReadWellWhereTheyAreShown) {
  for (const Group& group : LanguageGroups()) {
    SCOPED_TRACE(group.name);
    const TextTable texts = LoadGroup(group.name, IniReader::Lumvik);

    // Documents carry text 54 and are refused when it differs: one name for all languages.
    EXPECT_EQ(texts[kProgramName], "Lumvik");
    for (int number : kStoredTexts) EXPECT_EQ(texts[number].find('"'), std::string::npos);

    const std::string& urgency = texts[kUrgencyCaption];
    ASSERT_GT(urgency.size(), 2u);
    const std::string urgency_page = urgency.substr(0, urgency.size() - 2);
    EXPECT_FALSE(IsShownBlank(urgency_page.back()) || urgency_page.back() == ':') << urgency_page;
    EXPECT_TRUE(std::none_of(urgency.end() - 2, urgency.end(), IsWordCharacter)) << urgency;
    for (int number : kCaptionsWithColon) {
      const std::string& caption = texts[number];
      EXPECT_TRUE(caption.size() > 2 && caption.ends_with(':') &&
                  IsShownBlank(caption[caption.size() - 2]))
          << number << ": \"" << caption << "\" should end in a blank and a colon, as text "
          << kUrgencyCaption << " does";
    }
    for (int number : kCaptionsBeforeColon) {
      EXPECT_FALSE(texts[number].ends_with(':') || IsShownBlank(texts[number].back())) << number;
    }

    for (int number : kMenuTexts) {
      EXPECT_EQ(texts[number].find('\t'), std::string::npos) << number;
      EXPECT_EQ(texts[number].find("Ctrl+"), std::string::npos) << number;
    }
    for (int number : kFeedbackSubjects) {
      EXPECT_TRUE(std::all_of(texts[number].begin(), texts[number].end(), [](char c) {
        return c >= 0x20 && c < 0x7F;
      })) << number;
    }
    for (int number : kFilterNames) EXPECT_EQ(texts[number].find('|'), std::string::npos) << number;
    EXPECT_FALSE(IsWordCharacter(texts[kThemeQuestion].back()))
        << "the theme name would stick to the text";
    const std::string& unwritten = texts[kTextSettingsNotWritten];
    EXPECT_NE(unwritten.find("%1"), std::string::npos) << "the settings file is named there";
    // Ends the name of a task, which the file keeps between double quotes.
    EXPECT_EQ(texts[kTextChangedElsewhere].find('"'), std::string::npos);
    EXPECT_NE(texts[kTextRowsAndConflictsFromElsewhere].find("%2"), std::string::npos);
  }
}

TEST(DeliveredLanguageFile, TextsFitTheirControls) {
  for (const Group& group : LanguageGroups()) {
    SCOPED_TRACE(group.name);
    const TextTable texts = LoadGroup(group.name, IniReader::Lumvik);
    for (const Room& room : kRooms) {
      for (int number = room.first; number <= room.last; ++number) {
        const std::string shown = texts[number] + std::string(room.suffix);
        EXPECT_LE(EstimatedWidth(shown), room.pixels) << number << ": " << shown;
      }
    }
  }
}

TEST(DeliveredLanguageFile, TheSampleDocumentIsNoForeignFile) {
  const std::string sample = DeliveredBytes("Sample.lvk");
  const std::string header = sample.substr(0, sample.find('\r'));
  for (const Group& group : LanguageGroups()) {
    const TextTable texts = LoadGroup(group.name, IniReader::Lumvik);
    EXPECT_NE(header.find("logiciel=\"" + texts[kProgramName] + "\""), std::string::npos)
        << group.name << ": " << header;
  }
}

TEST(DeliveredSettings, ShowThePanelAndLoadEveryTextInEnglish) {
  Settings settings;
  TextTable texts(kLumvikTextCount);
  ReadSettings(kProgramFolder, settings, texts);
  EXPECT_EQ(settings, (Settings{.droite = 0,
                                .demarrage = 0,
                                .loadlastfile = 1,
                                .lastfile = "",
                                .langage = "english",
                                .icone_skin = "deruv",
                                .image_skin = "strict"}));
  const TextTable english = LoadGroup("english", IniReader::Lumvik);
  for (int number = 0; number <= kLastLumvikText; ++number) {
    EXPECT_EQ(texts[number], english[number]) << number;
  }

  // "langagenb" governs texts 0 to kFirstAddedText - 1 only.
  const LanguageChoice choice = ReadSkinwrightLanguage(kProgramFolder);
  EXPECT_EQ(choice.langage, "english");
  const std::set<int> used = UsedTexts();
  EXPECT_GE(choice.last_text, *std::prev(used.lower_bound(kFirstAddedText)));
  EXPECT_LT(choice.last_text, kFirstAddedText);
  TextTable skinwright(kSkinwrightTextCount);
  LoadTexts(kProgramFolder, choice.langage, choice.last_text, skinwright, IniReader::Skinwright);
  for (int number : Numbers(kSkinwrightTexts)) EXPECT_FALSE(skinwright[number].empty()) << number;
}

TEST(DeliveredSettings, AreInTheLayoutTheProgramWrites) {
  const std::string bytes = DeliveredBytes(std::string(kSettingsFileName));
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(IniFile::Parse(bytes, IniReader::Lumvik).Serialize(), bytes);
}

}  // namespace
}  // namespace lumvik
