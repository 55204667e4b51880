// The declarative model of a simulated machine: its platform flavour, its drives and the
// discs in them. Fixtures (JSON) are read into this model; the drive interpreter answers
// MMC commands from it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/disc_type.h"

namespace sim {

struct Msf {
  uint8_t m = 0, s = 0, f = 0;
};

struct SenseData {
  uint8_t key = 0, asc = 0, ascq = 0;
};

// One injected fault. It applies to commands with the given opcode (or to every command),
// after `skip` matching commands, for `times` commands (-1: for ever).
struct Fault {
  enum class Kind {
    Sense,           // the command ends with CHECK CONDITION and this sense
    Short,           // the command succeeds but returns only `length` bytes
    NoAnswer,        // the drive never answers; the driver gives up at the time-out
    TransportError,  // the pass-through call itself fails
  };
  Kind kind = Kind::Sense;
  int opcode = -1;  // -1: every command
  int skip = 0;
  int times = -1;
  SenseData sense{0x05, 0x24, 0x00};
  uint32_t length = 0;
};

struct WriteSpeed {
  uint32_t endLba = 0;
  uint32_t readKbps = 0;
  uint32_t writeKbps = 0;
  uint8_t rotation = 0;  // 0 CLV, 1 CAV
};

// A write speed descriptor of the capabilities page.
struct PageWriteSpeed {
  uint16_t kbps = 0;
  uint8_t rotation = 0;  // 0 CLV, 1 CAV
};

struct FormatDescriptor {
  uint32_t blocks = 0;
  uint8_t formatType = 0;
  uint32_t parameter = 2048;
};

struct Disc {
  DiscType type = DiscType::CdRom;
  int layers = 1;               // the fixture loader starts from the type's
  uint16_t currentProfile = 0;  // 0: the type's

  // CD: the ATIP times and disc sub-type; `atip` false gives a header without descriptor.
  bool atip = true;
  Msf leadIn;
  Msf leadOut;
  uint8_t atipSubType = 0;
  std::optional<uint8_t> atipA1;      // the first A1 byte (speed codes); none: no A1 values
  std::optional<Msf> discInfoLeadIn;  // default: the ATIP times
  std::optional<Msf> discInfoLeadOut;

  // DVD physical format information.
  std::optional<uint8_t> bookType;  // default: the type's
  std::array<uint8_t, 8> plusMid{};
  std::array<uint8_t, 3> plusTid{};
  uint8_t plusRevision = 0;
  // DVD+R/+RW ADIP recording velocities in 0.25 m/s units: the basic write strategy's primary
  // and upper velocity, and one per extended information block; none given: no velocities.
  std::optional<uint8_t> plusPrimaryVelocity;
  std::optional<uint8_t> plusUpperVelocity;
  std::vector<uint8_t> plusExtendedVelocities;  // at most 8
  std::array<uint8_t, 12> minusMid{};
  std::array<uint8_t, 64> ramInfo{};

  // BD disc information.
  std::string bdType;  // "BDO", "BDR", "BDW"; empty: the type's
  std::array<uint8_t, 6> bdMid{};
  std::array<uint8_t, 3> bdTid{};
  std::array<uint8_t, 2> bdTimeStamp{};
  uint8_t bdRevision = 0;

  // Capacity and speeds.
  uint32_t capacityBlocks = 0;
  uint8_t capacityDescriptorType = 1;  // 1 unformatted, 2 formatted
  std::vector<FormatDescriptor> formattable;
  std::vector<WriteSpeed> writeSpeeds;
  uint16_t selectedWriteKbps = 0;  // what the drive selects once asked for its maximum
  // The capabilities page's write speed descriptors; none: the write speeds' list, or the
  // selected speed alone when that list is empty.
  std::optional<std::vector<PageWriteSpeed>> pageWriteSpeeds;

  // What is written, as the disc information tells it. Pressed discs are finished, and discs
  // written in place (DVD-RAM, DVD+RW, BD-RE) report themselves complete; every other disc is
  // blank unless the fixture says otherwise.
  enum class Written { ByType, Blank, Appendable, Complete };
  Written written = Written::ByType;
  uint16_t sessions = 0;        // closed sessions, one track each; a finished disc has at least 1
  uint32_t recordedBlocks = 0;  // what they take, lead-ins and lead-outs included; 0 on a
                                // finished disc: all of it
  uint32_t spareBlocks = 0;     // set aside as spare areas (a formatted BD-R): never free

  // Raw answers that replace the synthesized ones, keyed like the drive's.
  std::map<std::string, std::vector<uint8_t>> raw;
};

struct LightScribe {
  bool feature = false;
  bool pageFails = false;
  uint8_t flags = 0;  // page byte 3: 08h disc present, 04h label side down
  uint16_t spokeCount = 0;
  uint16_t trackShiftCount = 0;
  std::array<uint8_t, 15> outerMid{};
  std::array<uint8_t, 46> innerMid{};
};

// One command as a real drive answered it, recorded by a capture run.
struct RecordedCommand {
  std::array<uint8_t, 12> cdb{};
  uint8_t direction = 2;  // 0 out, 1 in, 2 none
  uint32_t length = 0;
  bool transportOk = true;
  bool checkCondition = false;
  std::vector<uint8_t> sense;  // fixed format
  std::vector<uint8_t> data;   // the bytes returned (data-in)
  uint64_t durationNs = 0;
};

struct Drive {
  // Where the system lists it: a drive root ("E:\\", "sr0") and its pass-through address.
  std::string root;
  enum class AddressMode { Found, QueryFails, ZeroLength };
  AddressMode addressMode = AddressMode::Found;
  uint8_t port = 0, path = 0, target = 0, lun = 0;
  bool opens = true;
  // Where an ASPI manager sees it (adapter, target, LUN); none: invisible to ASPI.
  std::optional<std::array<uint8_t, 3>> aspiAddress;

  // INQUIRY identity; `inquiryLength` is how many bytes the drive returns.
  std::string vendor, product, revision, vendorSpecific;
  uint32_t inquiryLength = 96;
  bool identityZeros = false;

  // Capabilities page 2Ah.
  bool cdrRead = true, cdrwRead = true, dvdRomRead = false, dvdRRead = false, dvdRamRead = false;
  bool cdrWrite = false, cdrwWrite = false, dvdRWrite = false, dvdRamWrite = false;
  uint16_t maxReadKbps = 7056;
  uint16_t currentWriteKbps = 0;   // the write speed selected before anyone asks for more
  std::vector<uint16_t> profiles;  // profile list of GET CONFIGURATION

  bool vendorMediaId = false;          // answers the vendor media-ID command DFh
  bool vendorPage = false;             // answers mode page 30h
  uint8_t vendorSupport = 0;           // page 30h byte 10
  uint8_t vendorState = 0;             // page 30h byte 11
  bool vendorBlockDescriptor = false;  // returns page 30h behind an 8-byte block descriptor
  LightScribe lightScribe;

  std::optional<Disc> disc;
  // Drive state faults.
  double becomingReadySeconds = 0;  // answers 2/04h until this virtual time
  int unitAttentions = 0;           // reports unit attention this many times first
  int vanishAfter = -1;             // after this many commands the drive is gone
  uint64_t latencyNs = 0;           // cost of every command
  std::vector<Fault> faults;
  std::map<std::string, std::vector<uint8_t>> raw;
  // A captured drive answers from its recording instead of from the model: each command
  // takes the next recorded answer to the same CDB, direction and length (the last one
  // again once they are used up); a command never recorded fails as if the call failed.
  std::vector<RecordedCommand> replay;

  // Live state a timeline changes. A drive not plugged in is not listed and answers nothing.
  bool plugged = true;
  bool trayOpen = false;
  uint64_t busyUntilNs = 0;  // another program writes with it until then
  // The system notices this drive's disc changes itself; false: it must be asked.
  bool systemWatches = true;
};

// One step of a machine's timeline: something that happens to a drive at a time on the
// virtual clock, and the notice the system gives of it.
struct TimelineEntry {
  enum class Kind {
    TrayOpen,      // the tray opens (a disc in it can no longer be read)
    TrayClosed,    // the tray closes
    DiscInserted,  // a disc is put in and the tray closes; it becomes ready later
    DiscRemoved,   // the disc is taken out
    DriveAdded,    // the drive is plugged in
    DriveRemoved,  // the drive is pulled out
    Busy,          // another program writes with the drive for a while
    MediaChange,   // only the system's notice, nothing changes (a restless drive or driver)
  };
  Kind kind = Kind::MediaChange;
  uint64_t atNs = 0;
  size_t drive = 0;
  std::optional<Disc> disc;   // DiscInserted
  uint64_t readyAfterNs = 0;  // DiscInserted: how long the drive takes to become ready
  bool neverReady = false;    // DiscInserted: the drive stays "becoming ready"
  uint64_t forNs = 0;         // Busy
  int repeat = 1;             // happens this many times,
  uint64_t everyNs = 0;       // this far apart
};

struct Machine {
  std::string name;
  bool nt = true;
  bool versionQueryFails = false;
  // The ASPI manager: "absent", "ready", or a support status; entry points may be missing.
  bool aspiPresent = false;
  uint8_t aspiStatus = 0x01;
  bool aspiHasSupportInfo = true;
  bool aspiHasSendCommand = true;
  uint64_t aspiLatencyNs = 0;  // completion comes this much later through the event
  bool eventsFail = false;
  bool counterAvailable = true;
  bool rootListFails = false;  // no memory for the drive-root list
  // Roots that are not optical drives, such as "C:\\" (type 3).
  std::vector<std::pair<std::string, uint32_t>> otherRoots;
  std::vector<Drive> drives;
  // The system gives notices of drives and discs (a kernel that polls, a device message).
  bool driveEvents = true;
  std::vector<TimelineEntry> timeline;
};

}  // namespace sim
