#include "cli/drive_watch.h"

#include <ostream>

#include "cli/session.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace cli {

DriveWatch::DriveWatch(Session& session, device::AtapiDevice& device, int index)
    : session_(session),
      device_(device),
      index_(index),
      unansweredBefore_(device.UnansweredCommands()) {
  if (session_.showProgress) {
    device_.SetWaitObserver([this](const device::WaitProgress& progress) { Show(progress); });
  }
}

DriveWatch::~DriveWatch() {
  device_.SetWaitObserver({});
}

void DriveWatch::Show(const device::WaitProgress& progress) {
  if (progress.finished) {
    // The line is taken back, so the report that follows stands as it always does.
    if (shownLength_ > 0) {
      session_.progress << '\r' << std::string(shownLength_, ' ') << '\r';
    }
    session_.progress.flush();
    shownSecond_ = -1;
    shownLength_ = 0;
    return;
  }
  const int second = static_cast<int>(progress.waitedSeconds);
  if (second == shownSecond_) return;
  shownSecond_ = second;
  const std::string line =
      text::FormatC("Waiting for drive %d to become ready: %d s of at most %d s ...", index_,
                    second, progress.limitSeconds);
  session_.progress << '\r' << line;
  if (line.size() < shownLength_) {
    session_.progress << std::string(shownLength_ - line.size(), ' ');
  }
  session_.progress.flush();
  shownLength_ = std::max(shownLength_, line.size());
}

bool DriveWatch::StoppedAnswering(const std::string& during) {
  const uint32_t missed = device_.UnansweredCommands() - unansweredBefore_;
  if (missed == 0) return false;
  session_.err << "quillrate-cli: drive " << index_ << " stopped answering during " << during
               << ": " << missed << (missed == 1 ? " command" : " commands")
               << " got no answer; the lines show what the program shows for failed commands\n";
  return true;
}

}  // namespace cli
