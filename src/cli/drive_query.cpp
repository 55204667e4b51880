#include "cli/drive_query.h"

#include "cli/drive_choice.h"
#include "cli/drive_watch.h"
#include "cli/session.h"

namespace cli {
namespace {

template <typename Answer, typename Ask>
std::optional<DriveQuery<Answer>> Query(Session& session, int requestedDrive, const char* what,
                                        int& exit, Ask ask) {
  const auto index = ChooseDrive(session, requestedDrive, exit);
  if (!index) return std::nullopt;
  device::AtapiDevice& device = session.Device();
  DriveWatch watch(session, device, *index);
  DriveQuery<Answer> query;
  query.index = *index;
  query.answer = ask(device);
  query.stoppedAnswering = watch.StoppedAnswering(what);
  return query;
}

}  // namespace

std::optional<DriveQuery<media::DiscStatus>> QueryDiscStatus(Session& session, int requestedDrive,
                                                             int& exit) {
  return Query<media::DiscStatus>(
      session, requestedDrive, "the disc status", exit,
      [](device::AtapiDevice& device) { return media::ReadDiscStatus(device); });
}

std::optional<DriveQuery<media::MediaReport>> QueryMediaReport(Session& session, int requestedDrive,
                                                               const media::QueryOptions& options,
                                                               const char* what, int& exit) {
  return Query<media::MediaReport>(session, requestedDrive, what, exit,
                                   [&options](device::AtapiDevice& device) {
                                     media::SilentReportSink sink;
                                     return media::RunMediaReport(device, {}, sink, options);
                                   });
}

}  // namespace cli
