#include "custom/user_media_file.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "device/os_info.h"

namespace custom {
namespace {

// A line is read into a 2048-byte buffer: 2047 characters, the line end counted.
constexpr size_t kPieceLength = 2047;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool IsRegularFile(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

// Reads the next piece; false at the end of the file. `endsLine` tells whether the piece
// ended with a line end (or the end of the file) rather than by its length.
bool NextPiece(std::FILE* file, std::string& piece, bool& endsLine) {
  piece.clear();
  endsLine = true;
  size_t counted = 0;
  while (counted < kPieceLength) {
    int c = std::getc(file);
    if (c == EOF) return counted > 0;
    if (c == '\r') {
      const int next = std::getc(file);
      if (next == '\n') {
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file);
      }
    }
    ++counted;
    if (c == '\n') return true;
    piece += static_cast<char>(c);
  }
  endsLine = false;
  return true;
}

}  // namespace

UserMediaFileStatus ReadUserMediaFile(
    const std::string& path,
    const std::function<void(const UserMediaLinePosition&, std::string_view)>& visit) {
  if (!IsRegularFile(path)) return UserMediaFileStatus::NoFile;
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) return UserMediaFileStatus::CannotOpen;
  UserMediaLinePosition position{1, 1};
  std::string piece;
  bool endsLine = true;
  while (NextPiece(file.get(), piece, endsLine)) {
    visit(position, piece);
    if (endsLine) {
      ++position.line;
      position.part = 1;
    } else {
      ++position.part;
    }
  }
  return std::ferror(file.get()) ? UserMediaFileStatus::ReadError : UserMediaFileStatus::Read;
}

std::string RegisteredUserMediaFile(platform::System& system) {
  std::array<char, 256> value{};
  if (!device::OSInfo::ReadRegString(system, device::kProgramKey, kUserFileValueName, value)) {
    return {};
  }
  return std::string(device::TextOf(value));
}

UserMediaFileStatus LoadUserMediaFile(platform::System& system, UserMediaRows& rows) {
  try {
    const std::string path = RegisteredUserMediaFile(system);
    rows.Clear();
    UserMediaSection section = UserMediaSection::None;
    return ReadUserMediaFile(path, [&](const UserMediaLinePosition&, std::string_view piece) {
      UserMediaLine line = ParseUserMediaLine(piece, section);
      if (line.kind == UserMediaLineKind::CdRow) rows.cd.push_back(line.cd);
      if (line.kind == UserMediaLineKind::DvdRow) rows.dvd.push_back(line.dvd);
    });
  } catch (const std::exception&) {
    // Out of memory while reading: the rows taken so far stay, as after a damaged line.
    return UserMediaFileStatus::ReadError;
  }
}

UserMediaFileCheck CheckUserMediaFile(const std::string& path) {
  UserMediaFileCheck check;
  UserMediaSection section = UserMediaSection::None;
  check.status =
      ReadUserMediaFile(path, [&](const UserMediaLinePosition& position, std::string_view piece) {
        UserMediaLine line = ParseUserMediaLine(piece, section);
        switch (line.kind) {
          case UserMediaLineKind::Blank:
            break;
          case UserMediaLineKind::CdHeader:
          case UserMediaLineKind::DvdHeader:
            ++check.headers;
            break;
          case UserMediaLineKind::CdRow:
          case UserMediaLineKind::DvdRow:
            check.taken.push_back({position, std::move(line)});
            break;
          case UserMediaLineKind::Skipped:
            check.skipped.push_back({position, std::move(line)});
            break;
        }
      });
  return check;
}

}  // namespace custom
