// Files on posix systems, and the mapping of the launcher's Windows paths onto a root folder.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace dorvex::posix {

// "C:\VALMOR\DorvexManager.ini" -> root + "/c/VALMOR/DorvexManager.ini". A path that is not a
// drive path is taken as a host path unchanged.
std::string MapPath(const std::string& root, const std::string& windowsPath);

bool Exists(const std::string& hostPath);
std::optional<std::string> ReadWholeFile(const std::string& hostPath);
// Through a temporary file in the same folder and rename; false when it cannot be written. A
// file without write permission is refused, as Windows refuses a read-only file.
bool WriteFileAtomically(const std::string& hostPath, const std::string& content);

// Exclusive, unguessable temporary file beside `hostTarget`; throws CFileException.
std::unique_ptr<OutFile> CreateTempFileFor(const std::string& hostTarget);
void ReplaceFile(const std::string& hostFrom, const std::string& hostTo);

} // namespace dorvex::posix
