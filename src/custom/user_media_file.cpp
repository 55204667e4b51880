#include "custom/user_media_file.h"

#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/files/input_file.h"
#include "settings/os_info.h"

namespace custom {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A line is read into a 2048-byte buffer: 2047 characters, the line end counted.
constexpr size_t kPieceLength = 2047;

// The file's bytes one at a time, with one byte of push-back.
class ByteSource {
 public:
  explicit ByteSource(platform::InputFile& file) : file_(file), buffer_(1 << 16) {}

  // The next byte, or -1 at the end of the file or after an error.
  int Get() {
    if (back_ >= 0) return std::exchange(back_, -1);
    if (next_ == filled_) {
      if (ended_) return -1;
      const ssize_t n = file_.Read(buffer_.data(), buffer_.size());
      if (n <= 0) {
        ended_ = true;
        return -1;
      }
      filled_ = static_cast<size_t>(n);
      next_ = 0;
    }
    return buffer_[next_++];
  }
  void Unget(int c) { back_ = c; }

 private:
  platform::InputFile& file_;
  std::vector<uint8_t> buffer_;
  size_t next_ = 0;
  size_t filled_ = 0;
  int back_ = -1;
  bool ended_ = false;
};

// Reads the next piece; false at the end of the file. `endsLine` tells whether the piece
// ended with a line end (or the end of the file) rather than by its length.
bool NextPiece(ByteSource& file, std::string& piece, bool& endsLine) {
  piece.clear();
  endsLine = true;
  size_t counted = 0;
  while (counted < kPieceLength) {
    int c = file.Get();
    if (c < 0) return counted > 0;
    if (c == '\r') {
      const int next = file.Get();
      if (next == '\n') {
        c = '\n';
      } else if (next >= 0) {
        file.Unget(next);
      }
    }
    ++counted;
    if (c == '\n') return true;
    piece += static_cast<char>(c);
  }
  endsLine = false;
  return true;
}

UserMediaFileStatus StatusOf(platform::ReadFault fault) {
  using platform::ReadFault;
  switch (fault) {
    case ReadFault::None:
      return UserMediaFileStatus::Read;
    case ReadFault::Missing:
    case ReadFault::NotAFile:
      return UserMediaFileStatus::NoFile;
    case ReadFault::CannotOpen:
      return UserMediaFileStatus::CannotOpen;
    case ReadFault::ReadFailed:
    case ReadFault::Changed:
    case ReadFault::TooLarge:
      return UserMediaFileStatus::ReadError;
  }
  return UserMediaFileStatus::ReadError;
}

}  // namespace

UserMediaFileResult ReadUserMediaFile(
    const std::string& path,
    const std::function<void(const UserMediaLinePosition&, std::string_view)>& visit) {
  if (path.empty()) return {UserMediaFileStatus::NoFile, "no file named"};
  platform::InputFile file(path);
  if (file.IsOpen()) {
    ByteSource source(file);
    UserMediaLinePosition position{1, 1};
    std::string piece;
    bool endsLine = true;
    while (NextPiece(source, piece, endsLine)) {
      // An editor may have put a byte-order mark before the first line.
      if (position.line == 1 && position.part == 1 && piece.rfind(kUtf8Bom, 0) == 0) {
        piece.erase(0, kUtf8Bom.size());
      }
      visit(position, piece);
      if (endsLine) {
        ++position.line;
        position.part = 1;
      } else {
        ++position.part;
      }
    }
    if (file.Problem().fault == platform::ReadFault::None) file.CheckUnchanged();
  }
  const platform::ReadProblem& problem = file.Problem();
  return {StatusOf(problem.fault), problem.reason};
}

std::string RegisteredUserMediaFile(platform::System& system) {
  std::array<char, 256> value{};
  if (!settings::OSInfo::ReadRegString(system, settings::kProgramKey, kUserFileValueName, value)) {
    return {};
  }
  return std::string(text::TextOf(value));
}

UserMediaFileResult LoadUserMediaFile(platform::System& system, UserMediaRows& rows) {
  rows.Clear();
  return LoadUserMediaFileFrom(RegisteredUserMediaFile(system), rows);
}

UserMediaFileResult LoadUserMediaFileFrom(const std::string& path, UserMediaRows& rows) {
  rows.Clear();
  try {
    UserMediaRows read;
    UserMediaSection section = UserMediaSection::None;
    const UserMediaFileResult result =
        ReadUserMediaFile(path, [&](const UserMediaLinePosition&, std::string_view piece) {
          UserMediaLine line = ParseUserMediaLine(piece, section);
          if (line.kind == UserMediaLineKind::CdRow) read.cd.push_back(line.cd);
          if (line.kind == UserMediaLineKind::DvdRow) read.dvd.push_back(line.dvd);
        });
    if (result.status == UserMediaFileStatus::Read) rows = std::move(read);
    return result;
  } catch (const std::exception&) {
    // Out of memory while reading: no rows, as for a file that cannot be read.
    return {UserMediaFileStatus::ReadError, "too large to hold in memory"};
  }
}

UserMediaFileCheck CheckUserMediaFile(const std::string& path) {
  UserMediaFileCheck check;
  UserMediaSection section = UserMediaSection::None;
  auto keep = [](std::vector<UserMediaFileCheck::Entry>& entries,
                 const UserMediaLinePosition& position, UserMediaLine&& line) {
    if (entries.size() < UserMediaFileCheck::kKeptEntries)
      entries.push_back({position, std::move(line)});
  };
  const UserMediaFileResult result =
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
            ++check.cdRows;
            keep(check.taken, position, std::move(line));
            break;
          case UserMediaLineKind::DvdRow:
            ++check.dvdRows;
            keep(check.taken, position, std::move(line));
            break;
          case UserMediaLineKind::Skipped:
            ++check.skippedLines;
            keep(check.skipped, position, std::move(line));
            break;
        }
      });
  if (result.status != UserMediaFileStatus::Read) check = {};
  check.status = result.status;
  check.reason = result.reason;
  return check;
}

}  // namespace custom
