#include "config/registry_plan.h"

#include <cctype>
#include <initializer_list>
#include <tuple>
#include <utility>

namespace lumvik {

namespace {

constexpr std::string_view kClasses = "Software\\Classes\\";
constexpr std::string_view kExplorerFileExts =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.";
// The class that ".lvk" names on NT; the shell looks up its verbs there.
constexpr std::string_view kAutoFile = "_auto_file";

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (const std::string_view part : parts) joined += part;
  return joined;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const auto a = static_cast<unsigned char>(text[i]);
    const auto b = static_cast<unsigned char>(prefix[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

std::vector<RegistryValueRow> NtRows(const FileAssociation& a) {
  const std::string command = OpenCommand(a.program_path);
  const std::string auto_file = a.extension + std::string(kAutoFile);
  const std::string verb_command = Concat({"\\shell\\", a.verb, "\\command"});
  std::vector<RegistryValueRow> rows;
  rows.push_back({RegistryRoot::ClassesRoot,
                  Concat({"Applications\\", a.application_key, verb_command}), "", command});
  if (!a.description.empty()) {
    rows.push_back({RegistryRoot::ClassesRoot, "." + a.extension, "", auto_file});
    rows.push_back({RegistryRoot::ClassesRoot, auto_file, "", a.description});
    rows.push_back({RegistryRoot::ClassesRoot, auto_file + verb_command, "", command});
    if (!a.icon.empty()) {
      rows.push_back({RegistryRoot::ClassesRoot, auto_file + "\\DefaultIcon", "", a.icon});
    }
  }
  rows.push_back({RegistryRoot::CurrentUser, Concat({kExplorerFileExts, a.extension}),
                  "Application", a.application_key});
  return rows;
}

std::vector<RegistryValueRow> Win9xRows(const FileAssociation& a) {
  const std::string application = Concat({kClasses, a.application_key});
  const std::string verb_key = Concat({application, "\\shell\\", a.verb_key});
  std::vector<RegistryValueRow> rows;
  rows.push_back(
      {RegistryRoot::LocalMachine, Concat({kClasses, ".", a.extension}), "", a.application_key});
  if (!a.description.empty()) {
    rows.push_back({RegistryRoot::LocalMachine, application, "", a.description});
  }
  if (!a.icon.empty()) {
    rows.push_back({RegistryRoot::LocalMachine, application + "\\DefaultIcon", "", a.icon});
  }
  if (a.verb != a.verb_key) rows.push_back({RegistryRoot::LocalMachine, verb_key, "", a.verb});
  rows.push_back(
      {RegistryRoot::LocalMachine, verb_key + "\\command", "", OpenCommand(a.program_path)});
  return rows;
}

// The root and key that `ForCurrentUser` gives for one place.
std::pair<RegistryRoot, std::string> UserPlace(RegistryRoot root, std::string key) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return {RegistryRoot::CurrentUser, std::string(kClasses) + key};
    case RegistryRoot::LocalMachine:
      if (StartsWithIgnoringCase(key, kClasses)) {
        return {RegistryRoot::CurrentUser, std::string(kClasses) + key.substr(kClasses.size())};
      }
      return {RegistryRoot::CurrentUser, std::move(key)};
    case RegistryRoot::CurrentUser:
      break;
  }
  return {root, std::move(key)};
}

}  // namespace

RegistryLayout LayoutOfVersion(std::uint32_t version) {
  return (version & 0x00FF0000u) != 0 ? RegistryLayout::Nt : RegistryLayout::Win9x;
}

FileAssociation LumvikAssociation(const std::string& program_path) {
  return {"lvk", "Lumvik File", program_path, program_path + ",0", "lumvik.exe", "open", "open %1"};
}

std::string OpenCommand(std::string_view program_path) {
  return Concat({"\"", program_path, "\" \"%1\""});
}

std::vector<RegistryValueRow> AssociationRows(RegistryLayout layout,
                                              const FileAssociation& association) {
  return layout == RegistryLayout::Nt ? NtRows(association) : Win9xRows(association);
}

std::vector<RegistryKeyPath> AssociationTrees(RegistryLayout layout, std::string_view extension,
                                              std::string_view application_key) {
  if (layout == RegistryLayout::Nt) {
    return {{RegistryRoot::ClassesRoot, Concat({"Applications\\", application_key})},
            {RegistryRoot::ClassesRoot, Concat({".", extension})},
            {RegistryRoot::ClassesRoot, Concat({extension, kAutoFile})},
            {RegistryRoot::CurrentUser, Concat({kExplorerFileExts, extension})}};
  }
  return {{RegistryRoot::LocalMachine, Concat({kClasses, ".", extension})},
          {RegistryRoot::LocalMachine, Concat({kClasses, application_key})}};
}

RegistryValueRow ForCurrentUser(RegistryValueRow row) {
  std::tie(row.root, row.key) = UserPlace(row.root, std::move(row.key));
  return row;
}

RegistryKeyPath ForCurrentUser(RegistryKeyPath path) {
  std::tie(path.root, path.key) = UserPlace(path.root, std::move(path.key));
  return path;
}

StartUpChange StartWithWindowsChange(std::int32_t demarrage, std::string_view stored,
                                     std::string_view program_path) {
  if (demarrage == 1) return stored != program_path ? StartUpChange::Write : StartUpChange::None;
  return stored == program_path ? StartUpChange::Delete : StartUpChange::None;
}

}  // namespace lumvik
