#include "platform/fake_kernel.h"

#include <fcntl.h>

#include <algorithm>
#include <cstring>

namespace fake {
namespace {

constexpr uint8_t kCheckCondition = 0x02;
constexpr uint8_t kDriverSense = 0x08;
constexpr uint8_t kHostError = 0x07;  // DID_ERROR

}  // namespace

void FakeKernel::AddBlockDevice(const std::string& name, const char* type, const std::string& link,
                                const std::string& sg) {
  dirs["/sys/class/block"].push_back(name);
  const std::string device = "/sys/class/block/" + name + "/device";
  if (type != nullptr) files[device + "/type"] = type;
  if (!link.empty()) links[device] = link;
  nodes["/dev/" + name];
  if (!sg.empty()) {
    dirs[device + "/scsi_generic"] = {sg};
    Node& node = nodes["/dev/" + sg];
    node.mode = S_IFCHR | 0660;
    node.rdev = makedev(21, 0);
    node.version = 30536;
  }
}

std::optional<std::vector<std::string>> FakeKernel::ReadDir(const std::string& path) {
  const auto it = dirs.find(path);
  if (goneError != 0 || it == dirs.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FakeKernel::ReadFirstLine(const std::string& path) {
  const auto it = files.find(path);
  if (goneError != 0 || it == files.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FakeKernel::ReadLink(const std::string& path) {
  const auto it = links.find(path);
  if (goneError != 0 || it == links.end()) return std::nullopt;
  return it->second;
}

int FakeKernel::Open(const std::string& path, int flags) {
  int result = -ENOENT;
  if (goneError != 0) {
    result = -goneError;
  } else if (const auto it = nodes.find(path); it != nodes.end()) {
    const int error =
        (flags & O_ACCMODE) == O_RDONLY ? it->second.readOnlyError : it->second.readWriteError;
    result = error != 0 ? -error : nextFd_++;
  }
  if (result >= 0) fds_[result] = path;
  opens.push_back({path, flags, result});
  return result;
}

int FakeKernel::Stat(const std::string& path, struct stat& info) {
  const auto it = nodes.find(path);
  if (goneError != 0) return -goneError;
  if (it == nodes.end()) return -ENOENT;
  if (it->second.statError != 0) return -it->second.statError;
  info = {};
  info.st_mode = it->second.mode;
  info.st_rdev = it->second.rdev;
  info.st_gid = it->second.gid;
  return 0;
}

int FakeKernel::SgVersion(int fd) {
  const auto it = fds_.find(fd);
  if (it == fds_.end()) return -EBADF;
  if (goneError != 0) return -goneError;
  return nodes[it->second].version;
}

int FakeKernel::SgIo(int fd, sg_io_hdr_t& io) {
  SgIoCall call;
  const auto it = fds_.find(fd);
  call.node = it == fds_.end() ? "(closed)" : it->second;
  call.cdb.assign(io.cmdp, io.cmdp + io.cmd_len);
  call.direction = io.dxfer_direction;
  call.length = io.dxfer_len;
  call.hasData = io.dxferp != nullptr;
  call.timeoutMs = io.timeout;
  call.senseRoom = io.mx_sb_len;
  call.senseZeroed = std::all_of(io.sbp, io.sbp + io.mx_sb_len, [](uint8_t b) { return b == 0; });
  if (it == fds_.end()) {
    call.result = EBADF;
  } else if (goneError != 0) {
    call.result = goneError;
  } else {
    call.result = answer ? answer(call.node, io) : EIO;
  }
  sgIos.push_back(call);
  return call.result;
}

void FakeKernel::Close(int fd) {
  fds_.erase(fd);
  closed.push_back(fd);
}

std::set<int> FakeKernel::OpenDescriptors() const {
  std::set<int> open;
  for (const auto& [fd, path] : fds_) open.insert(fd);
  return open;
}

size_t FakeKernel::SgIosOn(const std::string& node) const {
  return static_cast<size_t>(
      std::count_if(sgIos.begin(), sgIos.end(), [&](const SgIoCall& c) { return c.node == node; }));
}

size_t FakeKernel::OpensOf(const std::string& path) const {
  return static_cast<size_t>(
      std::count_if(opens.begin(), opens.end(), [&](const OpenCall& c) { return c.path == path; }));
}

int AnswerGood(sg_io_hdr_t& io, const std::vector<uint8_t>& data) {
  const size_t moved = std::min<size_t>(data.size(), io.dxfer_len);
  if (moved > 0) std::memcpy(io.dxferp, data.data(), moved);
  io.resid = static_cast<int>(io.dxfer_len - moved);
  return 0;
}

int AnswerCheckCondition(sg_io_hdr_t& io, const std::vector<uint8_t>& sense) {
  io.status = kCheckCondition;
  io.masked_status = kCheckCondition >> 1;
  io.driver_status = kDriverSense;
  io.info = SG_INFO_CHECK;
  io.sb_len_wr = static_cast<unsigned char>(std::min<size_t>(sense.size(), io.mx_sb_len));
  if (io.sb_len_wr > 0) std::memcpy(io.sbp, sense.data(), io.sb_len_wr);
  io.resid = static_cast<int>(io.dxfer_len);
  return 0;
}

int SimulatedDrives::operator()(const std::string& node, sg_io_hdr_t& io) {
  auto& handle = handles_[node];
  if (!handle) handle = sim_.OpenDevice(roots_.at(node));
  if (!handle) return ENODEV;
  platform::PassThroughRequest request;
  request.CdbLength = io.cmd_len;
  std::copy(io.cmdp, io.cmdp + io.cmd_len, request.Cdb.begin());
  request.DataIn = io.dxfer_direction == SG_DXFER_FROM_DEV ? 1
                   : io.dxfer_direction == SG_DXFER_TO_DEV ? 0
                                                           : 2;
  request.DataTransferLength = io.dxfer_len;
  request.DataBuffer = static_cast<uint8_t*>(io.dxferp);
  request.SenseInfoLength = 32;
  request.TimeOutValue = io.timeout / 1000;
  if (!handle->PassThrough(request)) {
    io.host_status = kHostError;
    io.info = SG_INFO_CHECK;
    return 0;
  }
  io.resid = static_cast<int>(io.dxfer_len - request.DataTransferLength);
  if (request.ScsiStatus == kCheckCondition) {
    const int resid = io.resid;
    AnswerCheckCondition(io,
                         std::vector<uint8_t>(request.Sense.begin(), request.Sense.begin() + 18));
    io.resid = resid;
  }
  return 0;
}

platform::PassThroughRequest ReadRequest(uint8_t opcode, uint8_t* buffer, uint32_t length) {
  platform::PassThroughRequest request;
  request.CdbLength = 12;
  request.Cdb[0] = opcode;
  request.SenseInfoLength = 24;
  request.DataIn = static_cast<uint8_t>(platform::Direction::In);
  request.DataTransferLength = length;
  request.TimeOutValue = 108000;
  request.DataBuffer = buffer;
  return request;
}

}  // namespace fake
