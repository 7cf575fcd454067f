// The help pages are read offline, in the browser control of the help window,
// from the "help" folder beside the program: every link must stay inside that
// folder and land on a file there (and, with a #fragment, on an id of that
// page); every file of the folder must be reached from index.html; every page
// must say which code page its bytes are in; the guide exists in English and,
// page for page, in French, German and Spanish under "fr/", "de/" and "es/",
// and every page opens with a row of links to itself in each language.
#include <gtest/gtest.h>

#include <cctype>
#include <deque>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "platform/text.h"

namespace lumvik {
namespace {

const std::string kHelpFolder = std::string(LUMVIK_DIST_FOLDER) + "help/";

struct Language {
  std::string_view code;    // as in lang and hreflang
  std::string_view folder;  // of its pages, relative to the help folder
};
// In the order of the row of languages at the top of every page.
constexpr Language kLanguages[] = {{"en", ""}, {"fr", "fr/"}, {"de", "de/"}, {"es", "es/"}};

using Attributes = std::map<std::string, std::string>;

struct Tag {
  std::string name;  // lower case
  Attributes attributes;
};

bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsPage(std::string_view file) { return EndsWith(file, ".html"); }

std::size_t SkipSpaces(std::string_view html, std::size_t at) {
  while (at < html.size() && IsHtmlSpace(html[at])) ++at;
  return at;
}

// An attribute value in double quotes, single quotes or none; `at` moves past it.
std::string ReadAttributeValue(std::string_view html, std::size_t& at) {
  if (at < html.size() && (html[at] == '"' || html[at] == '\'')) {
    const std::size_t close = html.find(html[at], at + 1);
    const std::size_t end = close == std::string_view::npos ? html.size() : close;
    std::string value(html.substr(at + 1, end - at - 1));
    at = end == html.size() ? end : end + 1;
    return value;
  }
  const std::size_t start = at;
  while (at < html.size() && !IsHtmlSpace(html[at]) && html[at] != '>') ++at;
  return std::string(html.substr(start, at - start));
}

// The attributes of one tag from just after its name; returns the position after its ">".
// When an attribute is repeated the first one counts, as in browsers.
std::size_t ReadAttributes(std::string_view html, std::size_t at, Attributes& attributes) {
  while ((at = SkipSpaces(html, at)) < html.size()) {
    if (html[at] == '>') return at + 1;
    if (html[at] == '/') {
      ++at;
      continue;
    }
    const std::size_t start = at;
    while (at < html.size() && !IsHtmlSpace(html[at]) && html[at] != '=' && html[at] != '>' &&
           html[at] != '/') {
      ++at;
    }
    std::string name = LowerLatin1(html.substr(start, at - start));
    std::string value;
    at = SkipSpaces(html, at);
    if (at < html.size() && html[at] == '=') {
      at = SkipSpaces(html, at + 1);
      value = ReadAttributeValue(html, at);
    }
    attributes.emplace(std::move(name), std::move(value));
  }
  return html.size();
}

std::vector<Tag> TagsOf(std::string_view html) {
  std::vector<Tag> tags;
  std::size_t at = 0;
  while ((at = html.find('<', at)) != std::string_view::npos) {
    if (html.substr(at, 4) == "<!--") {
      const std::size_t close = html.find("-->", at + 4);
      if (close == std::string_view::npos) break;
      at = close + 3;
      continue;
    }
    std::size_t name_end = at + 1;
    while (name_end < html.size() && (std::isalnum(static_cast<unsigned char>(html[name_end])) ||
                                      html[name_end] == '!' || html[name_end] == '/')) {
      ++name_end;
    }
    Tag tag{LowerLatin1(html.substr(at + 1, name_end - at - 1)), {}};
    at = ReadAttributes(html, name_end, tag.attributes);
    tags.push_back(std::move(tag));
  }
  return tags;
}

// The addresses of url(...) in a stylesheet, quoted or not.
std::vector<std::string> StylesheetAddresses(std::string_view css) {
  std::vector<std::string> addresses;
  std::size_t at = 0;
  while ((at = css.find("url(", at)) != std::string_view::npos) {
    at = SkipSpaces(css, at + 4);
    const bool quoted = at < css.size() && (css[at] == '"' || css[at] == '\'');
    const std::size_t start = quoted ? at + 1 : at;
    const std::size_t end = css.find(quoted ? css[at] : ')', start);
    if (end == std::string_view::npos) break;
    addresses.emplace_back(TrimBlanks(css.substr(start, end - start)));
    at = end + 1;
  }
  return addresses;
}

struct Link {
  std::string file;      // the target, relative to the help folder, with "/" between folders
  std::string fragment;  // after "#", or empty
  std::string problem;   // empty when the link can be followed offline
};

// Resolves an address written in the page `from` (a path relative to the help folder).
Link Resolve(const std::string& from, std::string_view address) {
  Link link;
  const std::size_t hash = address.find('#');
  const std::string_view path = address.substr(0, hash);
  if (hash != std::string_view::npos) link.fragment = address.substr(hash + 1);
  if (address.empty() || (hash == 0 && link.fragment.empty())) {
    link.problem = "leads nowhere";
  } else if (path.find(':') < path.find('/')) {
    link.problem = "is an absolute address, which needs more than the help folder";
  } else if (!path.empty() && path.front() == '/') {
    link.problem = "starts at the root of the disk";
  } else if (path.find_first_of("\\?%") != std::string_view::npos) {
    link.problem = "holds a backslash, a query or an escape, which old browser controls misread";
  }
  if (!link.problem.empty()) return link;
  if (path.empty()) {
    link.file = from;
    return link;
  }
  std::vector<std::string> folders;
  const std::string joined = FolderOf(from) + std::string(path);
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t slash = joined.find('/', start);
    if (slash == std::string::npos) slash = joined.size();
    const std::string part = joined.substr(start, slash - start);
    if (part == "..") {
      if (folders.empty()) {
        link.problem = "climbs out of the help folder";
        return link;
      }
      folders.pop_back();
    } else if (!part.empty() && part != ".") {
      folders.push_back(part);
    }
    start = slash + 1;
  }
  for (const std::string& part : folders) link.file += (link.file.empty() ? "" : "/") + part;
  if (EndsWith(path, "/")) link.problem = "names a folder";
  return link;
}

struct Crawl {
  std::set<std::string> reached;  // every file a link lands on, and index.html
  std::vector<std::string> problems;
};

// Follows every href and src from index.html, and every url() of the stylesheets it reaches.
Crawl CrawlFromIndex() {
  Crawl crawl;
  struct FragmentLink {
    std::string from, address, file, fragment;
  };
  std::vector<FragmentLink> fragment_links;
  std::map<std::string, std::set<std::string>> ids;
  std::deque<std::string> queue{"index.html"};
  crawl.reached.insert(queue.front());
  while (!queue.empty()) {
    const std::string file = queue.front();
    queue.pop_front();
    if (!IsPage(file) && !EndsWith(file, ".css")) continue;
    const std::optional<std::string> bytes = ReadWholeFile(kHelpFolder + file);
    if (!bytes) {
      crawl.problems.push_back(file + " cannot be read");
      continue;
    }
    std::vector<std::string> addresses;
    if (IsPage(file)) {
      for (const Tag& tag : TagsOf(*bytes)) {
        for (const char* name : {"href", "src"}) {
          if (const auto found = tag.attributes.find(name); found != tag.attributes.end()) {
            addresses.push_back(found->second);
          }
        }
        const auto id = tag.attributes.find("id");
        if (id != tag.attributes.end() && !ids[file].insert(id->second).second) {
          crawl.problems.push_back(file + " has the id \"" + id->second + "\" twice");
        }
      }
    } else {
      addresses = StylesheetAddresses(*bytes);
    }
    for (const std::string& address : addresses) {
      const Link link = Resolve(file, address);
      const std::string where = file + ": \"" + address + "\" ";
      if (!link.problem.empty()) {
        crawl.problems.push_back(where + link.problem);
      } else if (!PathExists(kHelpFolder + link.file) || IsDirectory(kHelpFolder + link.file)) {
        crawl.problems.push_back(where + "names no file of the help folder");
      } else {
        if (!link.fragment.empty()) {
          fragment_links.push_back({file, address, link.file, link.fragment});
        }
        if (crawl.reached.insert(link.file).second) queue.push_back(link.file);
      }
    }
  }
  for (const FragmentLink& link : fragment_links) {
    if (ids[link.file].count(link.fragment) == 0) {
      crawl.problems.push_back(link.from + ": \"" + link.address + "\" names no id of " +
                               link.file);
    }
  }
  return crawl;
}

const Crawl& HelpCrawl() {
  static const Crawl crawl = CrawlFromIndex();
  return crawl;
}

// Every file under the help folder, relative to it, with "/" between folders.
std::set<std::string> HelpFiles() {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(kHelpFolder).parent_path();
  std::set<std::string> files;
  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kind_error;
    if (it->is_regular_file(kind_error)) {
      files.insert(it->path().lexically_relative(root).generic_string());
    }
  }
  return files;
}

std::string Lines(const std::vector<std::string>& problems) {
  std::string text;
  for (const std::string& problem : problems) text += "\n  " + problem;
  return text;
}

TEST(HelpLinkCheckTest, RefusesWhatCannotBeFollowedOffline) {
  EXPECT_FALSE(Resolve("index.html", "http://example.org/").problem.empty());
  EXPECT_FALSE(Resolve("index.html", "mailto:someone").problem.empty());
  EXPECT_FALSE(Resolve("index.html", "/help/index.html").problem.empty());
  EXPECT_FALSE(Resolve("index.html", "../Sample.lvk").problem.empty());
  EXPECT_FALSE(Resolve("fr/index.html", "../../Lumvik.ini").problem.empty());
  EXPECT_FALSE(Resolve("index.html", "fr\\index.html").problem.empty());
  EXPECT_FALSE(Resolve("index.html", "#").problem.empty());
  EXPECT_FALSE(Resolve("index.html", "fr/").problem.empty());
}

TEST(HelpLinkCheckTest, ResolvesRelativeLinksAndFragments) {
  const Link up = Resolve("fr/tree.html", "../style.css");
  EXPECT_EQ(up.problem, "");
  EXPECT_EQ(up.file, "style.css");
  const Link same_page = Resolve("fr/tree.html", "#moving");
  EXPECT_EQ(same_page.file, "fr/tree.html");
  EXPECT_EQ(same_page.fragment, "moving");
  const Link across = Resolve("index.html", "./fr/../fr/keys.html#files");
  EXPECT_EQ(across.problem, "");
  EXPECT_EQ(across.file, "fr/keys.html");
  EXPECT_EQ(across.fragment, "files");
}

TEST(HelpLinkCheckTest, ReadsAttributesInEveryQuotingAndLetterCase) {
  const std::vector<Tag> tags = TagsOf(
      "<!-- <a href=\"hidden.html\"> --><A HREF='a.html' id=top><img\nsrc=b.png alt=\"x>y\">"
      "<link rel=\"stylesheet\" href=\"style.css\"/>");
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].name, "a");
  EXPECT_EQ(tags[0].attributes.at("href"), "a.html");
  EXPECT_EQ(tags[0].attributes.at("id"), "top");
  EXPECT_EQ(tags[1].attributes.at("src"), "b.png");
  EXPECT_EQ(tags[1].attributes.at("alt"), "x>y");
  EXPECT_EQ(tags[2].attributes.at("href"), "style.css");
  EXPECT_EQ(StylesheetAddresses("a { background: url( 'p.png' ) } b { background: url(q.gif) }"),
            (std::vector<std::string>{"p.png", "q.gif"}));
}

TEST(HelpPagesTest, EveryLinkLandsOnAFileOrAnIdOfTheHelpFolder) {
  ASSERT_TRUE(PathExists(kHelpFolder + "index.html")) << kHelpFolder;
  EXPECT_TRUE(HelpCrawl().problems.empty()) << Lines(HelpCrawl().problems);
}

TEST(HelpPagesTest, EveryFileOfTheHelpFolderIsReachedFromIndex) {
  const std::set<std::string> files = HelpFiles();
  ASSERT_TRUE(files.count("index.html")) << kHelpFolder;
  std::vector<std::string> unreached;
  for (const std::string& file : files) {
    if (HelpCrawl().reached.count(file) == 0) unreached.push_back(file);
  }
  EXPECT_TRUE(unreached.empty()) << Lines(unreached);
}

// The pages are written in the Western Windows code page and say so; a page
// saved as UTF-8 by mistake shows its accented letters as two signs each.
TEST(HelpPagesTest, EveryPageDeclaresWindows1252AndHoldsNoUtf8Letters) {
  for (const std::string& file : HelpFiles()) {
    if (!IsPage(file)) continue;
    const std::string bytes = ReadWholeFile(kHelpFolder + file).value_or("");
    std::string charset;
    for (const Tag& tag : TagsOf(bytes)) {
      if (tag.name == "meta" && tag.attributes.count("charset")) {
        charset = LowerLatin1(tag.attributes.at("charset"));
      }
    }
    EXPECT_EQ(charset, "windows-1252") << file;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
      const auto lead = static_cast<unsigned char>(bytes[i]);
      const auto next = static_cast<unsigned char>(bytes[i + 1]);
      if ((lead == 0xC2 || lead == 0xC3) && next >= 0x80 && next <= 0xBF) {
        ADD_FAILURE() << file << " holds UTF-8 at byte " << i;
        break;
      }
    }
  }
}

std::string PageLanguage(const std::string& file) {
  const std::string bytes = ReadWholeFile(kHelpFolder + file).value_or("");
  for (const Tag& tag : TagsOf(bytes)) {
    if (tag.name == "html" && tag.attributes.count("lang")) return tag.attributes.at("lang");
  }
  return "";
}

// The language whose folder holds `file`: English for the top of the help folder.
const Language& LanguageOf(std::string_view file) {
  for (const Language& language : kLanguages) {
    if (!language.folder.empty() && file.starts_with(language.folder)) return language;
  }
  return kLanguages[0];
}

// The same page in `language`.
std::string Counterpart(std::string_view file, const Language& language) {
  return std::string(language.folder) + std::string(file.substr(LanguageOf(file).folder.size()));
}

std::optional<std::string> Attribute(const Tag& tag, const char* name) {
  const auto found = tag.attributes.find(name);
  if (found == tag.attributes.end()) return std::nullopt;
  return found->second;
}

struct RowLink {
  std::string hreflang;
  std::string file;  // where the link lands, or what is wrong with it
  bool current;
};

struct PageLinks {
  std::vector<RowLink> row;                // the row of languages, when the page opens with it
  std::vector<std::string> content_pages;  // every other page that a link lands on
};

PageLinks LinksOf(const std::string& file) {
  PageLinks links;
  const std::vector<Tag> tags = TagsOf(ReadWholeFile(kHelpFolder + file).value_or(""));
  bool at_top = false;
  bool in_row = false;
  for (const Tag& tag : tags) {
    if (in_row && tag.name == "/div") {
      in_row = false;
      continue;
    }
    if (at_top) in_row = tag.name == "div" && Attribute(tag, "id") == "languages";
    at_top = tag.name == "body";
    const std::optional<std::string> href = Attribute(tag, "href");
    if (tag.name != "a" || !href) continue;
    const Link link = Resolve(file, *href);
    const std::string target = link.problem.empty() ? link.file : *href + " " + link.problem;
    if (in_row) {
      links.row.push_back(
          {Attribute(tag, "hreflang").value_or(""), target, Attribute(tag, "class") == "current"});
    } else if (IsPage(target)) {
      links.content_pages.push_back(target);
    }
  }
  return links;
}

std::vector<std::string> Pages() {
  std::vector<std::string> pages;
  for (const std::string& file : HelpFiles()) {
    if (IsPage(file)) pages.push_back(file);
  }
  return pages;
}

TEST(HelpPagesTest, EveryPageHasItsCounterpartInEveryLanguage) {
  const std::set<std::string> files = HelpFiles();
  const std::vector<std::string> pages = Pages();
  for (const std::string& file : pages) {
    for (const Language& language : kLanguages) {
      EXPECT_TRUE(files.count(Counterpart(file, language)))
          << file << " has no counterpart " << Counterpart(file, language);
    }
    EXPECT_EQ(PageLanguage(file), LanguageOf(file).code) << file;
  }
  EXPECT_GE(pages.size(), std::size(kLanguages));
}

TEST(HelpPagesTest, IndexOpensWithTheStartPageOfEveryLanguage) {
  std::vector<std::string> targets;
  for (const RowLink& link : LinksOf("index.html").row) targets.push_back(link.file);
  EXPECT_EQ(targets, (std::vector<std::string>{"index.html", "fr/index.html", "de/index.html",
                                               "es/index.html"}));
}

TEST(HelpPagesTest, EveryPageOpensWithLinksToItselfInEachLanguage) {
  for (const std::string& file : Pages()) {
    SCOPED_TRACE(file);
    const std::vector<RowLink> row = LinksOf(file).row;
    ASSERT_EQ(row.size(), std::size(kLanguages)) << "the page must open with the row of languages";
    for (std::size_t i = 0; i < row.size(); ++i) {
      const Language& language = kLanguages[i];
      EXPECT_EQ(row[i].hreflang, language.code);
      EXPECT_EQ(row[i].file, Counterpart(file, language));
      EXPECT_EQ(row[i].current, &language == &LanguageOf(file)) << language.code;
    }
  }
}

TEST(HelpPagesTest, LinksBelowTheRowOfLanguagesStayInTheLanguageOfThePage) {
  for (const std::string& file : Pages()) {
    for (const std::string& target : LinksOf(file).content_pages) {
      EXPECT_EQ(LanguageOf(target).code, LanguageOf(file).code) << file << " -> " << target;
    }
  }
}

// Every section that one language's guide links to exists in the others.
TEST(HelpPagesTest, CounterpartsHaveTheSameSections) {
  const auto ids = [](const std::string& file) {
    std::set<std::string> found;
    for (const Tag& tag : TagsOf(ReadWholeFile(kHelpFolder + file).value_or(""))) {
      if (const std::optional<std::string> id = Attribute(tag, "id")) found.insert(*id);
    }
    return found;
  };
  for (const std::string& file : Pages()) {
    EXPECT_EQ(ids(file), ids(Counterpart(file, kLanguages[0]))) << file;
  }
}

}  // namespace
}  // namespace lumvik
