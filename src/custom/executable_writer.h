// Writing a new executable file so that it is either complete or not there at all.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/files/atomic_file.h"

namespace custom {

// What this writer refuses before writing anything; the write itself may fail in the ways
// platform::WriteFileAtomically reports.
enum class Refusal {
  None,
  IsRunningProgram,  // the target is the executable file of this very process
  IsProtected,       // the target is one of the files that must stay as they are
};

struct WriteResult {
  Refusal refusal = Refusal::None;
  platform::AtomicWriteResult written;
  bool ok() const { return refusal == Refusal::None && written.ok(); }
};

// Writes `bytes` as `target` with the run permissions 0755, complete or not at all (see
// platform::WriteFileAtomically). A target that is the same file (device and inode) as the
// running program or as one of `keep` is refused.
WriteResult WriteExecutableFile(std::span<const uint8_t> bytes, const std::string& target,
                                const std::vector<std::string>& keep);

// A message for a failed write, in the builder's style, naming `target`.
std::string WriteErrorText(const WriteResult& result, const std::string& target);

}  // namespace custom
