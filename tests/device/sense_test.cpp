// Reading the key and codes out of a drive's sense data in either format, and the few
// situations the readiness loops and the disc detection tell apart.
#include <gtest/gtest.h>

#include <vector>

#include "device/sense.h"

namespace {

using device::Classify;
using device::Sense;
using device::SenseClass;
using device::SenseFromData;

std::vector<uint8_t> Fixed(uint8_t responseCode, uint8_t keyByte, uint8_t asc, uint8_t ascq) {
  std::vector<uint8_t> data(18, 0);
  data[0] = responseCode;
  data[2] = keyByte;
  data[7] = 10;
  data[12] = asc;
  data[13] = ascq;
  return data;
}

TEST(SenseFromData, ReadsBothFormats) {
  struct Case {
    const char* what;
    std::vector<uint8_t> data;
    Sense expected;
  };
  const Case cases[] = {
      {"fixed, current", Fixed(0x70, 0x02, 0x3A, 0x01), {2, 0x3A, 1}},
      {"fixed, deferred, valid bit set", Fixed(0xF1, 0x06, 0x28, 0x00), {6, 0x28, 0}},
      // Filemark, end of medium and length bits share byte 2 with the key.
      {"fixed, flag bits above the key", Fixed(0x70, 0xE5, 0x24, 0x00), {5, 0x24, 0}},
      {"descriptor, current", {0x72, 0x02, 0x04, 0x01, 0, 0, 0, 0}, {2, 0x04, 1}},
      {"descriptor, deferred", {0x73, 0x03, 0x11, 0x05}, {3, 0x11, 5}},
      {"no sense data", {}, {}},
      {"fixed, cut before the codes", {0x70, 0, 0x02, 0, 0, 0, 0, 10}, {}},
      {"descriptor, cut before the codes", {0x72, 0x02}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SenseFromData(c.data), c.expected) << c.what;
}

TEST(Classify, TellsApartWhatTheProgramActsOn) {
  struct Case {
    Sense sense;
    SenseClass expected;
  };
  const Case cases[] = {
      {{0, 0, 0}, SenseClass::None},
      {{2, 0x3A, 0}, SenseClass::NoMedium},
      {{2, 0x3A, 2}, SenseClass::NoMedium},  // tray open
      {{2, 0x04, 1}, SenseClass::BecomingReady},
      {{2, 0x04, 0}, SenseClass::BecomingReady},
      {{2, 0x30, 0}, SenseClass::NotReady},  // incompatible medium
      {{6, 0x28, 0}, SenseClass::UnitAttention},
      {{6, 0x29, 0}, SenseClass::UnitAttention},
      {{5, 0x20, 0}, SenseClass::IllegalRequest},
      {{3, 0x11, 0}, SenseClass::Other},
      {{4, 0x44, 0}, SenseClass::Other},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Classify(c.sense), c.expected) << int(c.sense.key) << "/" << int(c.sense.asc);
}

}  // namespace
