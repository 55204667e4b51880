#include "app/program_services.h"

#include "app/frm_build_qr.h"
#include "custom/about_text.h"
#include "custom/customization_block.h"
#include "custom/user_file_button.h"
#include "custom/user_media_file.h"
#include "media/drive_kind.h"

namespace app {

class UserMediaLists {
 public:
  custom::UserMediaRows rows;
};

UserMediaLists* CreateUserMediaLists() {
  return new UserMediaLists;
}
void DestroyUserMediaLists(UserMediaLists* lists) {
  delete lists;
}
size_t UserCdRowCount(const UserMediaLists& lists) {
  return lists.rows.cd.size();
}
size_t UserDvdRowCount(const UserMediaLists& lists) {
  return lists.rows.dvd.size();
}

namespace {

EditionTexts ProgramEdition() {
  const custom::CustomizationBlockView block = custom::ProgramBlock();
  return {block.ProgramName(), block.MajorVersion(), block.MinorVersion(), block.Revision(),
          block.StepText(1),   block.StepText(2),    block.StepText(3)};
}

void RunBuilderWindow(QWidget* owner) {
  TfrmBuildQR builder(owner);
  builder.exec();
}

media::MediaReport RunQuery(device::AtapiDevice& device, const UserMediaLists& lists,
                            media::ReportSink& sink) {
  const custom::CustomizationBlockView block = custom::ProgramBlock();
  const std::vector<custom::CdMediaEntry> blockCd = block.CdRows();
  const std::vector<custom::DvdMediaEntry> blockDvd = block.DvdRows();
  const media::ManufacturerSources sources{lists.rows.cd, lists.rows.dvd, blockCd, blockDvd};
  return media::RunMediaReport(device, sources, sink);
}

}  // namespace

ProgramServices DefaultServices() {
  ProgramServices services;
  services.isBuildMode = [] { return custom::ProgramBlock().IsBuildMode(); };
  services.runBuilder = RunBuilderWindow;
  services.edition = ProgramEdition;
  services.aboutText = [] { return custom::ComposeAboutText(custom::ProgramBlock()); };
  services.createDevice = [](platform::System& system) {
    return media::CreateDevice(system, true);
  };
  services.loadUserMediaFile = [](platform::System& system, UserMediaLists& lists) {
    custom::LoadUserMediaFile(system, lists.rows);
  };
  services.addOrRemoveUserFile = [](platform::System& system,
                                    const std::optional<std::string>& chosen, UserMediaLists& lists,
                                    const std::function<void(const std::string&)>& showMessage) {
    const auto result = custom::AddOrRemoveUserFile(system, chosen, lists.rows, showMessage);
    return result.pathTooLong ? custom::UserFilePathTooLongText(*chosen) : std::string();
  };
  services.runQuery = RunQuery;
  return services;
}

}  // namespace app
