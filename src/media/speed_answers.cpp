#include "media/speed_answers.h"

#include <algorithm>

#include "media/answers/capabilities_page.h"
#include "media/answers/performance.h"

namespace media {

SpeedList DecodePerformanceSpeeds(const device::ResponseView& view, uint32_t transferred) {
  SpeedList list;
  list.answered = true;
  const WriteSpeedAnswer answer{view};
  // Whole descriptors only, of those the length field lists and of those that arrived.
  const uint64_t arrived =
      transferred > WriteSpeedAnswer::kHeaderSize
          ? (transferred - WriteSpeedAnswer::kHeaderSize) / WriteSpeedAnswer::kDescriptorSize
          : 0;
  const uint64_t listed =
      answer.Length() + 4 >= WriteSpeedAnswer::kHeaderSize ? answer.ListedDescriptors() : 0;
  list.cut = listed > arrived;
  const uint64_t count = std::min<uint64_t>({listed, arrived, WriteSpeedAnswer::kMaxDescriptors});
  for (uint64_t i = 0; i < count; ++i) {
    const device::ResponseView d = answer.Descriptor(static_cast<size_t>(i));
    list.speeds.push_back({d.BE32(WriteSpeedAnswer::kWriteSpeedAt),
                           static_cast<Rotation>(WriteSpeedAnswer::RotationOf(d)),
                           SpeedSource::Performance});
  }
  return list;
}

SpeedList DecodeModePageSpeeds(const device::ResponseView& view, uint32_t transferred) {
  SpeedList list;
  list.answered = true;
  const CapabilitiesPage page{view};
  // The count field, bounded by the page's own length and by the bytes that arrived.
  const size_t arrived = transferred > CapabilitiesPage::kSpeedDescriptorsAt
                             ? (transferred - CapabilitiesPage::kSpeedDescriptorsAt) /
                                   CapabilitiesPage::kSpeedDescriptorSize
                             : 0;
  const size_t listed = page.ListedSpeedDescriptors();
  const size_t count = std::min({listed, page.SpeedDescriptorsInPage(), arrived});
  list.cut = count < listed;
  for (size_t i = 0; i < count; ++i) {
    const device::ResponseView d = page.SpeedDescriptor(i);
    list.speeds.push_back({CapabilitiesPage::SpeedOf(d),
                           static_cast<Rotation>(CapabilitiesPage::RotationOf(d)),
                           SpeedSource::ModePage});
  }
  return list;
}

SpeedAnswers ReadSpeedAnswers(device::AtapiDevice& device) {
  SpeedAnswers answers;
  if (const auto list = ReadWriteSpeedAnswer(device, WriteSpeedAnswer::kWholeListLength))
    answers.performance = DecodePerformanceSpeeds(list->answer, device.BytesTransferred());
  if (const auto page = ReadCapabilitiesPageWithSpeeds(device))
    answers.modePage = DecodeModePageSpeeds(page->answer, device.BytesTransferred());
  return answers;
}

}  // namespace media
