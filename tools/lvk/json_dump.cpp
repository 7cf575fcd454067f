#include "tools/lvk/json_dump.h"

#include <cstdio>

#include "platform/codepage.h"

namespace lumvik {

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (char c : Utf8FromCp1252(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      json += escape;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

namespace {

void AppendField(std::string& json, const char* key, std::string_view value_json) {
  json += ", \"";
  json += key;
  json += "\": ";
  json += value_json;
}

void AppendRow(std::string& json, const Document& document, const TreeEntry& row) {
  const bool task = row.kind == kTaskRow;
  json += "{\"kind\": ";
  json += task ? "\"task\"" : "\"categorie\"";
  AppendField(json, "index", std::to_string(row.index));
  AppendField(json, "level", std::to_string(row.level));
  if (task) {
    const TaskRecord& record = document.tasks[static_cast<std::size_t>(row.index)];
    AppendField(json, "nom", JsonString(record.nom));
    AppendField(json, "designation", JsonString(record.designation));
    AppendField(json, "avancement", std::to_string(record.avancement));
    AppendField(json, "importance", std::to_string(record.importance));
    AppendField(json, "statut", std::to_string(record.statut));
    AppendField(json, "datedebut", JsonString(record.datedebut));
    AppendField(json, "dateecheance", JsonString(record.dateecheance));
  } else {
    const CategoryRecord& record = document.categories[static_cast<std::size_t>(row.index)];
    AppendField(json, "nom", JsonString(record.nom));
    AppendField(json, "designation", JsonString(record.designation));
    AppendField(json, "avancement", std::to_string(record.avancement));
  }
  json += "}";
}

}  // namespace

std::string DocumentJson(const Document& document, const std::optional<std::string>& logiciel) {
  std::string json = "{\"logiciel\": ";
  json += logiciel ? JsonString(*logiciel) : "null";
  json += ", \"rows\": [";
  for (std::size_t i = 0; i < document.rows.size(); ++i) {
    json += i == 0 ? "\n  " : ",\n  ";
    AppendRow(json, document, document.rows[i]);
  }
  json += document.rows.empty() ? "]}\n" : "\n]}\n";
  return json;
}

}  // namespace lumvik
