// What stands at a path, in plain words, for messages about files that cannot be used.
#pragma once

#include <sys/types.h>

#include <string>

namespace platform {

// "a folder, not a file", "a named pipe, not a regular file", ...; empty for a regular file.
std::string NotAFileText(mode_t mode);

// "a symbolic link to TARGET, which does not exist" for a link that leads nowhere, with the
// system's reason when the link cannot be followed for another reason (a loop).
std::string BrokenLinkText(const std::string& path, int error);

// Why a symbolic link of another user, or one to another user's file, is not followed:
// "a symbolic link that belongs to another user (uid 0), not followed".
std::string ForeignLinkText(const std::string& path, uid_t linkOwner, uid_t targetOwner);

// True when `path` itself is a symbolic link.
bool IsSymbolicLink(const std::string& path);

}  // namespace platform
