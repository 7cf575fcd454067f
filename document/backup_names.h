// Where each Save keeps the version it replaces, and which of those earlier
// versions go once there are more than the settings keep. Paths use either
// slash; a document "C:\Lists\Home.lvk" saved on 8 December 2026 at 14:05:09
// keeps "C:\Lists\backup\Home 2026-12-08 14-05-09.lvk".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/local_time.h"

namespace lumvik {

// The folder "backup" beside the document, or the document's own folder
// when that is already a "backup" folder (in any letter case).
std::string BackupFolder(std::string_view document_path);

// The backup's file name: the document's name without ".lvk", the time as
// "yyyy-mm-dd hh-mm-ss", then " (2)", " (3)"... for `attempt` 2, 3...
std::string BackupFileName(std::string_view document_path, const LocalDateTime& when,
                           int attempt = 1);

// The time in the name of a backup of this document; nothing when the name
// is no such backup.
std::optional<LocalDateTime> BackupTime(const std::string& file_name,
                                        std::string_view document_path);

// Of the file names in the backup folder, the backups of this document
// beyond the newest `keep`, oldest first. Other files are never named.
std::vector<std::string> BackupsBeyond(const std::vector<std::string>& file_names,
                                       std::string_view document_path, int keep);

}  // namespace lumvik
