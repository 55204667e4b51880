#include <libudev.h>

#include <cerrno>
#include <cstring>

#include "platform/linux/udev_feed.h"

namespace platform {
namespace {

class UdevMonitor : public UdevFeed {
 public:
  UdevMonitor(udev* context, udev_monitor* monitor) : udev_(context), monitor_(monitor) {}
  ~UdevMonitor() override {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
  }
  UdevMonitor(const UdevMonitor&) = delete;
  UdevMonitor& operator=(const UdevMonitor&) = delete;

  int Descriptor() override { return udev_monitor_get_fd(monitor_); }

  std::vector<UdevProperties> Receive() override {
    std::vector<UdevProperties> events;
    // The monitor's socket does not block: this ends when no event is left.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
      UdevProperties properties;
      udev_list_entry* entry = nullptr;
      udev_list_entry_foreach(entry, udev_device_get_properties_list_entry(device)) {
        const char* value = udev_list_entry_get_value(entry);
        properties[udev_list_entry_get_name(entry)] = value == nullptr ? "" : value;
      }
      udev_device_unref(device);
      events.push_back(std::move(properties));
    }
    return events;
  }

 private:
  udev* udev_;
  udev_monitor* monitor_;
};

}  // namespace

std::unique_ptr<UdevFeed> OpenUdevMonitor(std::string& problem) {
  udev* context = udev_new();
  if (context == nullptr) {
    problem = std::string("udev cannot be used: ") + std::strerror(errno);
    return nullptr;
  }
  // "udev": events after udev's rules ran, so a new node already has its group and access.
  udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
  const char* failed = nullptr;
  if (monitor == nullptr) {
    failed = "opened";
  } else if (udev_monitor_filter_add_match_subsystem_devtype(monitor, "block", "disk") < 0 ||
             udev_monitor_filter_add_match_subsystem_devtype(monitor, "scsi_generic", nullptr) <
                 0) {
    failed = "filtered";
  } else if (udev_monitor_enable_receiving(monitor) < 0) {
    failed = "started";
  }
  if (failed != nullptr) {
    problem = std::string("udev's monitor could not be ") + failed + ": " + std::strerror(errno);
    if (monitor != nullptr) udev_monitor_unref(monitor);
    udev_unref(context);
    return nullptr;
  }
  return std::make_unique<UdevMonitor>(context, monitor);
}

}  // namespace platform
