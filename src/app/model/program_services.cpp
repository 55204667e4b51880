#include "app/model/program_services.h"

#include "custom/about_text.h"
#include "custom/customization_block.h"
#include "custom/user_file_button.h"
#include "custom/user_media_file.h"
#include "media/drive_kind.h"
#include "media/media_report.h"

namespace app::model {
namespace {

EditionTexts ProgramEdition() {
  const custom::CustomizationBlockView block = custom::ProgramBlock();
  return {block.ProgramName(), block.MajorVersion(), block.MinorVersion(), block.Revision(),
          block.StepText(1),   block.StepText(2),    block.StepText(3)};
}

media::MediaReport RunQuery(device::AtapiDevice& device, const custom::UserMediaRows& rows,
                            media::ReportSink& sink) {
  const custom::CustomizationBlockView block = custom::ProgramBlock();
  const std::vector<custom::CdMediaEntry> blockCd = block.CdRows();
  const std::vector<custom::DvdMediaEntry> blockDvd = block.DvdRows();
  const media::ManufacturerSources sources{rows.cd, rows.dvd, blockCd, blockDvd};
  return media::RunMediaReport(device, sources, sink);
}

}  // namespace

ProgramServices DefaultServices() {
  ProgramServices services;
  services.isBuildMode = [] { return custom::ProgramBlock().IsBuildMode(); };
  services.edition = ProgramEdition;
  services.aboutText = [] { return custom::ComposeAboutText(custom::ProgramBlock()); };
  // The window lists every drive before it shows; the drives are asked all at once.
  services.createDevice = [](platform::System& system) {
    return media::CreateDevice(system, true, true, media::Identify::InParallel);
  };
  services.loadUserMediaFile = [](platform::System& system, custom::UserMediaRows& rows) {
    custom::LoadUserMediaFile(system, rows);
  };
  services.addOrRemoveUserFile =
      [](platform::System& system, const std::optional<std::string>& chosen,
         custom::UserMediaRows& rows, const std::function<void(const std::string&)>& showMessage) {
        const auto result = custom::AddOrRemoveUserFile(system, chosen, rows, showMessage);
        return result.pathTooLong ? custom::UserFilePathTooLongText(*chosen) : std::string();
      };
  services.runQuery = RunQuery;
  return services;
}

}  // namespace app::model
