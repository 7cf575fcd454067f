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

// The keys of each layout, shared by what associating writes and what the
// removal checks before it deletes.
std::string ExtensionKey(const FileAssociation& a) { return "." + a.extension; }
std::string NtType(const FileAssociation& a) { return a.extension + std::string(kAutoFile); }
std::string NtVerbCommand(const FileAssociation& a) {
  return Concat({"\\shell\\", a.verb, "\\command"});
}
std::string NtApplication(const FileAssociation& a) {
  return Concat({"Applications\\", a.application_key});
}
std::string NtFileExts(const FileAssociation& a) {
  return Concat({kExplorerFileExts, a.extension});
}
std::string Win9xApplication(const FileAssociation& a) {
  return Concat({kClasses, a.application_key});
}
std::string Win9xVerbKey(const FileAssociation& a) {
  return Concat({Win9xApplication(a), "\\shell\\", a.verb_key});
}

std::vector<RegistryValueRow> NtRows(const FileAssociation& a) {
  const std::string command = OpenCommand(a.program_path);
  const std::string type = NtType(a);
  std::vector<RegistryValueRow> rows;
  rows.push_back({RegistryRoot::ClassesRoot, NtApplication(a) + NtVerbCommand(a), "", command});
  if (!a.description.empty()) {
    rows.push_back({RegistryRoot::ClassesRoot, ExtensionKey(a), "", type});
    rows.push_back({RegistryRoot::ClassesRoot, type, "", a.description});
    rows.push_back({RegistryRoot::ClassesRoot, type + NtVerbCommand(a), "", command});
    if (!a.icon.empty()) {
      rows.push_back({RegistryRoot::ClassesRoot, type + "\\DefaultIcon", "", a.icon});
    }
  }
  rows.push_back({RegistryRoot::CurrentUser, NtFileExts(a), "Application", a.application_key});
  return rows;
}

std::vector<RegistryValueRow> Win9xRows(const FileAssociation& a) {
  const std::string application = Win9xApplication(a);
  const std::string verb_key = Win9xVerbKey(a);
  std::vector<RegistryValueRow> rows;
  rows.push_back(
      {RegistryRoot::LocalMachine, Concat({kClasses, ExtensionKey(a)}), "", a.application_key});
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

AssociationTree Tree(RegistryRoot root, std::string key, std::vector<RegistryValueRow> only_while) {
  AssociationTree tree;
  tree.tree.root = root;
  tree.tree.key = std::move(key);
  tree.only_while = std::move(only_while);
  return tree;
}

// Each tree goes only while the values this program wrote there stand: the
// extension while it names this program's class and that class opens
// documents here, the class and the application while their command does.
std::vector<AssociationTree> NtTrees(const FileAssociation& a) {
  constexpr RegistryRoot kClassesRoot = RegistryRoot::ClassesRoot;
  constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
  const std::string command = OpenCommand(a.program_path);
  const std::string type = NtType(a);
  const RegistryValueRow application_command{kClassesRoot, NtApplication(a) + NtVerbCommand(a), "",
                                             command};
  const RegistryValueRow extension_type{kClassesRoot, ExtensionKey(a), "", type};
  const RegistryValueRow type_command{kClassesRoot, type + NtVerbCommand(a), "", command};
  const RegistryValueRow chosen_application{kUser, NtFileExts(a), "Application", a.application_key};
  // Appended one by one: a braced list of these trees makes the 32-bit
  // release compiler see a string it cannot prove initialised.
  std::vector<AssociationTree> trees;
  trees.push_back(Tree(kClassesRoot, NtApplication(a), {application_command}));
  trees.push_back(Tree(kClassesRoot, ExtensionKey(a), {extension_type, type_command}));
  trees.push_back(Tree(kClassesRoot, type, {type_command}));
  trees.push_back(Tree(kUser, NtFileExts(a), {chosen_application}));
  return trees;
}

std::vector<AssociationTree> Win9xTrees(const FileAssociation& a) {
  constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;
  const std::string extension = Concat({kClasses, ExtensionKey(a)});
  const RegistryValueRow class_command{kRoot, Win9xVerbKey(a) + "\\command", "",
                                       OpenCommand(a.program_path)};
  const RegistryValueRow extension_class{kRoot, extension, "", a.application_key};
  std::vector<AssociationTree> trees;
  trees.push_back(Tree(kRoot, extension, {extension_class, class_command}));
  trees.push_back(Tree(kRoot, Win9xApplication(a), {class_command}));
  return trees;
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

std::vector<AssociationTree> AssociationTrees(RegistryLayout layout,
                                              const FileAssociation& association) {
  return layout == RegistryLayout::Nt ? NtTrees(association) : Win9xTrees(association);
}

RegistryValueRow ForCurrentUser(RegistryValueRow row) {
  std::tie(row.root, row.key) = UserPlace(row.root, std::move(row.key));
  return row;
}

RegistryKeyPath ForCurrentUser(RegistryKeyPath path) {
  std::tie(path.root, path.key) = UserPlace(path.root, std::move(path.key));
  return path;
}

AssociationTree ForCurrentUser(AssociationTree tree) {
  tree.tree = ForCurrentUser(std::move(tree.tree));
  for (RegistryValueRow& row : tree.only_while) row = ForCurrentUser(std::move(row));
  return tree;
}

std::string StartUpCommand(std::string_view program_path) {
  return Concat({"\"", program_path, "\""});
}

StartUpChange StartWithWindowsChange(std::int32_t demarrage, std::string_view stored,
                                     std::string_view program_path) {
  const std::string command = StartUpCommand(program_path);
  if (demarrage == 1) return stored != command ? StartUpChange::Write : StartUpChange::None;
  const bool own = stored == command || stored == program_path;
  return own ? StartUpChange::Delete : StartUpChange::None;
}

}  // namespace lumvik
