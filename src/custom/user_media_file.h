// The user media file: a text file named in the registry whose rows win over the block's
// tables. LoadUserMediaFile fills the two row lists; CheckUserMediaFile reports, line by
// line, what the loader takes and what it skips.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "custom/media_entries.h"
#include "custom/user_media_line.h"
#include "platform/system.h"

namespace custom {

inline constexpr const char* kUserFileValueName = "UserDefinedFule";

// The rows read from the user media file, in file order (UserCdRows and UserDvdRows).
struct UserMediaRows {
  std::vector<CdMediaEntry> cd;
  std::vector<DvdMediaEntry> dvd;

  void Clear() {
    dvd.clear();
    cd.clear();
  }
};

// Where a line came from: its physical line, and which 2047-character piece of it.
struct UserMediaLinePosition {
  size_t line = 0;  // from 1
  size_t part = 0;  // from 1; above 1 only for a line longer than one piece
};

enum class UserMediaFileStatus { Read, NoFile, CannotOpen, ReadError };

struct UserMediaFileResult {
  UserMediaFileStatus status = UserMediaFileStatus::NoFile;
  std::string reason;  // unless Read: why, in plain words, without the path
};

// Reads the file in pieces of at most 2047 characters (the line end counted), CR LF taken
// as one line end, and hands each piece to `visit`; a UTF-8 byte-order mark at the start of
// the file is no part of the first line. Only a regular file counts as a file.
// A file that fails or changes while it is read gives ReadError after some pieces were
// handed on: callers keep what they collect only when the result is Read.
UserMediaFileResult ReadUserMediaFile(
    const std::string& path,
    const std::function<void(const UserMediaLinePosition&, std::string_view)>& visit);

// The path registered in the registry; empty when none is or the value cannot be read.
std::string RegisteredUserMediaFile(platform::System& system);

// Rebuilds both lists from the named file; the same rules as LoadUserMediaFile.
UserMediaFileResult LoadUserMediaFileFrom(const std::string& path, UserMediaRows& rows);

// Rebuilds both lists from the registered file. Nothing is reported: a missing or unreadable
// file, or one that changes while it is read, leaves them empty, and a line that fails its
// section's tests is skipped. The result says what happened, for callers that want to tell.
UserMediaFileResult LoadUserMediaFile(platform::System& system, UserMediaRows& rows);

// What the loader makes of a file, line by line. Every row and every skipped line is counted;
// only the first ones are kept with their text and reason, so a file of any size is checked
// in little memory.
struct UserMediaFileCheck {
  static constexpr size_t kKeptEntries = 500;
  struct Entry {
    UserMediaLinePosition position;
    UserMediaLine line;
  };
  UserMediaFileStatus status = UserMediaFileStatus::NoFile;
  std::string reason;          // unless Read: why, in plain words
  std::vector<Entry> taken;    // the first CD and DVD rows, in file order
  std::vector<Entry> skipped;  // the first lines that are not blank, not headers and not taken
  size_t cdRows = 0;           // every row taken, counted
  size_t dvdRows = 0;
  size_t skippedLines = 0;  // every line skipped, counted
  size_t headers = 0;
  size_t TakenRows() const { return cdRows + dvdRows; }
};

// Unless the file was read, nothing is taken or skipped.
UserMediaFileCheck CheckUserMediaFile(const std::string& path);

}  // namespace custom
