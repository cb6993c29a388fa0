#pragma once
// Folders of the program's files: creating the private ones and asking what they allow.

#include "storage/AtomicFile.h"

#include <string>

namespace corvanta {

// Creates `folder` and every missing parent with mode 0700 (private per-user data).
SaveResult CreateFolders(const std::string& folder);

// The folder part of a path ("." for a bare file name).
std::string FolderOf(const std::string& path);

} // namespace corvanta
