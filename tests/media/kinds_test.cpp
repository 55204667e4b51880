// What the program derives from a kind: its padded name record, its family, its layers, and
// the kinds an ATIP sub-type names. The codes are those the JSON report carries.
#include "media/kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

namespace {

using media::DiscKind;
using media::DriveKind;

// Expected record: the name, blanks up to the padded width, NULs to the record's end.
template <size_t N>
std::string Record(std::string_view name, size_t paddedTo) {
  std::string record(name);
  if (record.size() < paddedTo) record.append(paddedTo - record.size(), ' ');
  record.append(N - record.size(), '\0');
  return record;
}

TEST(KindNames, RecordsArePaddedWithBlanksAndEndInNuls) {
  for (uint8_t code = 0; code < media::kDriveKinds.size(); ++code) {
    const auto& record = media::DriveKindNames()[code];
    EXPECT_EQ(std::string(record.data(), 19), Record<19>(media::kDriveKinds[code].name, 9))
        << +code;
    EXPECT_EQ(media::DriveKindName(DriveKind{code}), record.data());
  }
  for (uint8_t code = 0; code < media::kDiscKinds.size(); ++code) {
    const auto& record = media::DiscKindNames()[code];
    EXPECT_EQ(std::string(record.data(), 23), Record<23>(media::kDiscKinds[code].name, 21))
        << +code;
    EXPECT_EQ(media::DiscKindName(DiscKind{code}), record.data());
  }
  EXPECT_STREQ(media::DriveKindName(DriveKind::Combo), "COMBO    ");
  EXPECT_STREQ(media::DriveKindName(DriveKind::DvdSuperMulti), "DVD Super Multigen");
  EXPECT_STREQ(media::DiscKindName(DiscKind::None), "NO MEDIA             ");
  EXPECT_STREQ(media::DiscKindName(DiscKind::CdRwUltraSpeed24), "ULTRA SPEED CD-RW 24X");
}

TEST(KindNames, CodesOutsideTheTablesHaveNoName) {
  EXPECT_STREQ(media::DriveKindName(DriveKind{17}), "");
  EXPECT_STREQ(media::DiscKindName(DiscKind{29}), "");
  EXPECT_STREQ(media::DiscKindName(DiscKind{255}), "");
  EXPECT_EQ(media::InfoOf(DiscKind{200}).kind, DiscKind::Unknown);
}

// The layer column agrees with the names: "DL" at a 1-based position of 6 or more.
TEST(KindLayers, DoubleLayerExactlyForTheDlNames) {
  for (const media::DiscKindInfo& row : media::kDiscKinds) {
    const size_t dl = row.name.find("DL");
    EXPECT_EQ(media::IsDoubleLayer(row.kind), dl != std::string_view::npos && dl + 1 >= 6)
        << row.name;
  }
}

// The families are the code ranges the report and the JSON rely on; an unknown disc is
// read as a CD.
TEST(KindFamilies, AreContiguousCodeRanges) {
  for (const media::DiscKindInfo& row : media::kDiscKinds) {
    const uint8_t code = media::Code(row.kind);
    EXPECT_EQ(media::IsCdFamily(row.kind), code >= 1 && code <= 14) << +code;
    EXPECT_EQ(media::IsDvdFamily(row.kind), code >= 15 && code <= 22) << +code;
    EXPECT_EQ(media::IsBdFamily(row.kind), code >= 23 && code <= 28) << +code;
    EXPECT_EQ(row.ids != media::DvdIds::NotDvd, media::IsDvdFamily(row.kind)) << +code;
  }
  EXPECT_EQ(media::Code(DiscKind::DvdPlusR), 20);
  EXPECT_EQ(media::Code(DriveKind::BdRecordable), 16);
}

// The rules that pick readers and speeds by kind are named sets: each kind is tested against
// a set written out here, so moving a kind in its enum cannot move it into or out of a set.
template <typename Kind>
bool In(Kind kind, std::initializer_list<Kind> set) {
  return std::find(set.begin(), set.end(), kind) != set.end();
}

TEST(KindSets, EveryDiscKindAgainstItsSets) {
  using D = DiscKind;
  for (const media::DiscKindInfo& row : media::kDiscKinds) {
    const D k = row.kind;
    SCOPED_TRACE(std::string(row.name));
    EXPECT_EQ(media::IsCdR(k),
              In(k, {D::CdR, D::CdRType1, D::CdRTypeAMinus, D::CdRTypeAPlus, D::CdRTypeBMinus,
                     D::CdRTypeBPlus, D::CdRTypeCMinus, D::CdRTypeCPlus}));
    EXPECT_EQ(media::IsCdRw(k),
              In(k, {D::CdRwNormal, D::CdRwHighSpeed, D::CdRwUltraSpeed24, D::CdRwUltraSpeed32}));
    EXPECT_EQ(media::HasLayers(k),
              In(k, {D::DvdRom, D::DvdRam, D::DvdMinusR, D::DvdMinusRw, D::DvdPlusRw, D::DvdPlusR,
                     D::DvdPlusRDl, D::DvdMinusRDl, D::BdRom, D::BdR, D::BdRe, D::BdRomDl, D::BdRDl,
                     D::BdReDl}));
    EXPECT_EQ(media::HasAdipKey(k),
              In(k, {D::DvdPlusRw, D::DvdPlusR, D::DvdPlusRDl, D::DvdMinusRDl, D::BdRom, D::BdR,
                     D::BdRe, D::BdRomDl, D::BdRDl, D::BdReDl}));
  }
}

TEST(KindSets, EveryDriveKindAgainstItsSets) {
  using K = DriveKind;
  for (const media::DriveKindInfo& row : media::kDriveKinds) {
    const K k = row.kind;
    SCOPED_TRACE(std::string(row.name));
    const bool multi = In(k, {K::DvdPlusRPlusRw, K::DvdMinusRMinusRw, K::DvdDual, K::DvdSuperMulti,
                              K::BdRom, K::BdR, K::BdRDual, K::BdRecordable});
    const bool dvd = multi || In(k, {K::DvdMinusR, K::DvdPlusR, K::DvdPlusRw, K::DvdMinusRw});
    EXPECT_EQ(media::IsMultiDvdWriter(k), multi);
    EXPECT_EQ(media::IsDvdWriter(k), dvd);
    EXPECT_EQ(media::IsWriterKind(k), dvd || In(k, {K::CdRw, K::Combo}));
  }
  EXPECT_FALSE(media::IsWriterKind(DriveKind{200}));
}

TEST(AtipSubType, NamesTheCdKind) {
  const char* const written[] = {"CDR",      "CDR",      "CDR (A-)", "CDR (A+)",
                                 "CDR (B-)", "CDR (B+)", "CDR (C-)", "CDR (C+)"};
  for (uint8_t subType = 0; subType < 8; ++subType) {
    EXPECT_TRUE(media::IsCdR(media::CdRKind(subType)));
    EXPECT_EQ(media::InfoOf(media::CdRKind(subType)).name, written[subType]) << +subType;
  }
  EXPECT_EQ(media::CdRwKind(0), DiscKind::CdRwNormal);
  EXPECT_EQ(media::CdRwKind(3), DiscKind::CdRwUltraSpeed32);
  EXPECT_EQ(media::CdRwKind(4), DiscKind::Unknown);
  EXPECT_FALSE(media::IsCdR(DiscKind::CdRwNormal));
  EXPECT_FALSE(media::IsCdR(DiscKind::CdRom));
}

}  // namespace
