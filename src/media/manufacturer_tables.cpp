#include "media/manufacturer_tables.h"

#include <algorithm>

namespace media {
namespace {

template <size_t N>
constexpr void CopyText(char (&field)[N], std::string_view text) {
  for (size_t i = 0; i < N; ++i) field[i] = i < text.size() ? text[i] : '\0';
}

constexpr CdManufacturerRecord Cd(uint32_t bound, std::string_view name) {
  CdManufacturerRecord record{};
  for (size_t i = 0; i < 4; ++i) record.bound[i] = static_cast<uint8_t>(bound >> (8 * i));
  CopyText(record.name, name);
  return record;
}

constexpr DvdManufacturerRecord Dvd(std::string_view key, std::string_view name) {
  DvdManufacturerRecord record{};
  CopyText(record.key, key);
  CopyText(record.name, name);
  return record;
}

template <size_t N>
std::string_view FieldText(const char (&field)[N]) {
  return {field, static_cast<size_t>(std::find(field, field + N, '\0') - field)};
}

}  // namespace

const std::array<CdManufacturerRecord, kCdManufacturerCount> CdManufacturerTable{{
    Cd(964310, "CMC Magnetics Corporation"),
    Cd(964320, "Prodisc Technology Inc."),
    Cd(964330, "RiTEK Corporation"),
    Cd(970000, "Moser Baer India Limited"),
    Cd(970010, "TDK Corporation"),
    Cd(970310, "Sony Corporation"),
    Cd(971000, "RiTEK Corporation"),
    Cd(971500, "TDK Corporation"),
    Cd(971510, "RiTEK Corporation"),
    Cd(971520, "Mitsubishi Chemical Corporation"),
    Cd(971530, "Nan Ya Plastics Corporation"),
    Cd(971600, "RiTEK,PNY,MB India,Gigastorage"),
    Cd(971620, "SHENZHEN SG&SAST DIGITAL OPTICAL DISCS CO.,LTD."),
    Cd(971630, "Grand Advance Technology Ltd."),
    Cd(971700, "Moser Baer India Limited"),
    Cd(971710, "Sky Media Manufacturing SA"),
    Cd(971800, "RiTEK,PNY,MB India,Gigastorage"),
    Cd(971810, "Wealth Fair Investment Limited"),
    Cd(971860, "Taroko International Co., Ltd."),
    Cd(972100, "Intersonic SA"),
    Cd(972110, "CONDOR CD"),
    Cd(972120, "E-Top Navigator Techonolgy Inc."),
    Cd(972130, "Bestdisc Technology Corporation"),
    Cd(972140, "Optical Disc Manufacturing Equipment"),
    Cd(972150, "Sound Sound Multi-Media Development Limited"),
    Cd(972200, "Woongjin Media corp."),
    Cd(972210, "Seantram Technology Inc."),
    Cd(972220, "Advanced Digital Media S.r.l."),
    Cd(972230, "Eximpo"),
    Cd(972240, "CIS Technology Inc."),
    Cd(972250, "Hong Kong Digital Technology Co., Ltd."),
    Cd(972260, "Daxon Inc."),
    Cd(972300, "Matsushita Electric Industrial Co., Ltd."),
    Cd(972310, "Doremi Media Co.,Ltd."),
    Cd(972320, "Nacar Media srl"),
    Cd(972330, "Audio Distributors Co., Ltd."),
    Cd(972340, "Victor Company of Japan, Limited"),
    Cd(972350, "OPTROM.INC."),
    Cd(972360, "Customer Pressing Oosterhout"),
    Cd(972400, "Taiyo Yuden Company Limited"),
    Cd(972410, "SONY Corporation"),
    Cd(972420, "Computer Support Italcard s.r.l."),
    Cd(972430, "Unitech Japan Inc."),
    Cd(972439, "Ramedia"),
    Cd(972440, "kdg mediatech AG"),
    Cd(972450, "Guann Yinn Co.,Ltd."),
    Cd(972460, "Harmonic Hall Optical Disc Ltd."),
    Cd(972500, "TDK Corporation"),
    Cd(972501, "MPO"),
    Cd(972520, "Hitachi Maxell, Ltd."),
    Cd(972530, "Infodisc Technology Co., Ltd."),
    Cd(972540, "Vivastar AG."),
    Cd(972550, "AMS Technology Inc."),
    Cd(972560, "Xcitek Inc."),
    Cd(972600, "Fornet International Pte. Ltd."),
    Cd(972610, "Postech Corporation"),
    Cd(972620, "SKC Co., Ltd."),
    Cd(972630, "Optical Disc Corporation"),
    Cd(972640, "FUJI Photo Film Co., Ltd."),
    Cd(972650, "Lead Data Inc."),
    Cd(972660, "CMC Magnetics Corporation"),
    Cd(972700, "Ricoh Company Limited"),
    Cd(972701, "Digital Storage Technology Co., Ltd."),
    Cd(972710, "Plasmon Data Systems Ltd."),
    Cd(972720, "Princo Corporation"),
    Cd(972730, "Pioneer Video Corporation"),
    Cd(972740, "Eastman Kodak Company"),
    Cd(972750, "Mitsui Chemicals, Inc."),
    Cd(972760, "Ricoh Company Limited"),
    Cd(972800, "Opti.Me.S. S.p.A."),
    Cd(972810, "Gigastorage Corporation"),
    Cd(972820, "Multi Media Masters & Machinary SA"),
    Cd(972830, "Auvistar Industry Co.,Ltd."),
    Cd(972840, "King Pro Mediatek Inc."),
    Cd(972850, "DELPHI TECHNOLOGY INC."),
    Cd(972860, "Friendly CD-Tek Co."),
    Cd(972900, "Taeil Media Co.,Ltd."),
    Cd(972910, "Vanguard Disc Inc."),
    Cd(972920, "Unidisc Technology Co., Ltd."),
    Cd(972930, "Hile Optical Disc Technology Corp."),
    Cd(972940, "Viva Magnetics Limited"),
    Cd(972950, "General Magnetics Ld"),
    Cd(973010, "CDA Datentrager Albrechts GmbH"),
    Cd(973100, "RiTEK Corporation"),
    Cd(973130, "Grand Advance Technology Ltd."),
    Cd(973200, "TDK Corporation"),
    Cd(973210, "Prodisc Technology Inc."),
    Cd(973420, "Mitsubishi Chemicals Corporation"),
    Cd(974220, "Advanced Digital Media S.r.l."),
    Cd(974500, "Fornet International Pte. Ltd."),
    Cd(974510, "Unitech Japan Inc."),
    Cd(974520, "Daxon Technology, Inc."),
    Cd(974540, "CIS Technology Inc."),
    Cd(974550, "Guann Yinn Co.,Ltd."),
    Cd(974560, "Xcitek Inc."),
    Cd(974600, "Taiyo Yuden Company Limited"),
    Cd(974610, "Hong Kong Digital Technology Co., Ltd."),
    Cd(974620, "Multi Media Masters & Machinary SA"),
    Cd(974630, "Computer Support Italcard s.r.l."),
    Cd(974640, "FUJI Photo Film Co., Ltd."),
    Cd(974650, "Auvistar Industry Co.,Ltd."),
    Cd(974660, "CMC Magnetics Corporation"),
    Cd(974710, "Hitachi Maxell, Ltd."),
    Cd(974720, "Princo Corporation"),
    Cd(974740, "Postech Corporation"),
    Cd(974750, "RiTEK Corporation"),
    Cd(974760, "Prodisc Technology Inc."),
    Cd(974800, "Ricoh Company Limited"),
    Cd(974810, "Eastman Kodak Company"),
    Cd(974820, "Plasmon Data Systems Ltd."),
    Cd(974830, "Pioneer Video Corporation"),
    Cd(974840, "Digital Storage Technology Co., Ltd."),
    Cd(974850, "Mitsubishi Chemicals Corporation"),
    Cd(974860, "Lead Data Inc."),
    Cd(974900, "TDK Corporation"),
    Cd(974910, "Gigastorage Corporation"),
    Cd(974920, "King Pro Mediatek Inc."),
    Cd(974930, "Opti.Me.S. S.p.A."),
    Cd(974940, "Victor Company of Japan, Limited"),
    Cd(974950, "Sky Media Manufacturing SA"),
    Cd(974960, "Matsushita Electric Industrial Co., Ltd."),
    Cd(975000, "CONDOR CD"),
    Cd(975010, "Vanguard Disc Inc."),
    Cd(975020, "Mitsubishi Chemicals Corporation"),
    Cd(975030, "CDA Datentrager Albrechts GmbH"),
    Cd(975110, "Grand Advance Technology Ltd."),
    Cd(975120, "Infodisc Technology Co., Ltd."),
    Cd(975150, "Hile Optical Disc Technology Corp."),
    Cd(995974, "Unknown Manufacturer"),
}};

const std::array<DvdManufacturerRecord, kDvdManufacturerCount> DvdManufacturerTable{{
    Dvd("AML", "AML Technology"),
    Dvd("AUVI", "Auvistar Industry Co., Ltd."),
    Dvd("BEALL", "BeAll"),
    Dvd("CMC", "CMC Magnetics Corporation"),
    Dvd("DAXON", "Daxon Inc."),
    Dvd("DVSN", "Digital Storage Technology Co., Ltd."),
    Dvd("EDM", "E-Top Navigator Technology Inc."),
    Dvd("FORNEX", "Fornet International Pte. Ltd."),
    Dvd("FUJI", "FUJI Photo Film Co., Ltd."),
    Dvd("GSC", "Gigastorage Corporation"),
    Dvd("IFILM", "IFILM"),
    Dvd("INFODI", "Infodisc Technology Co., Ltd."),
    Dvd("ISSM", "Info Source Multi Media Ltd."),
    Dvd("JVC", "VICTOR COMPANY OF JAPAN, LTD."),
    Dvd("LD", "Lead Data Inc."),
    Dvd("LG", "LG"),
    Dvd("LEAD", "Lead Data Inc."),
    Dvd("LONG", "Longten Tech. Co., Ltd."),
    Dvd("MAM", "MAM-E Inc."),
    Dvd("MAX", "Maxell"),
    Dvd("MBI", "Moser Baer India Limited"),
    Dvd("MCI", "Nashua"),
    Dvd("MCC", "Mitsubishi Chemical Corporation"),
    Dvd("ME153", "MJC"),
    Dvd("MEI", "Panasonic"),
    Dvd("MJC", "MJC(Singapore) Pte Ltd"),
    Dvd("MKM", "Mitsubishi Chemical Corporation"),
    Dvd("MPO", "MPO"),
    Dvd("MXL", "Maxell"),
    Dvd("NANYA", "Nan Ya Plastics Corporation"),
    Dvd("ONID", "UL Tran Technology and Service Co."),
    Dvd("OPTO", "Opto Disc"),
    Dvd("PHILIP", "Philips Electronics"),
    Dvd("PLASMON", "Plasmon Data Limited"),
    Dvd("POS", "Postech Corporation"),
    Dvd("PRINCO", "Princo Corporation"),
    Dvd("PRODI", "Prodisc Technology Inc."),
    Dvd("PVC", "Pioneer Video Corporation"),
    Dvd("RICOH", "Ricoh Company Limited"),
    Dvd("RITEK", "RiTEK Corporation"),
    Dvd("SENTIN", "Sentinel Technologies"),
    Dvd("SKC", "SKC Co., Ltd."),
    Dvd("SKYMED", "Sky Media Manufacturing SA"),
    Dvd("SONY", "Sony Corporation"),
    Dvd("TDK", "TDK Corporation"),
    Dvd("TAROKO", "Taroko International Co., Ltd."),
    Dvd("TAIYO", "Taiyo Yuden Company Limited"),
    Dvd("TTG", "TDK Corporation"),
    Dvd("TY", "Taiyo Yuden Company Limited"),
    Dvd("ULTRAN", "UL TRAN Technology & Service Corp."),
    Dvd("VDSP", "Interaxia AG"),
    Dvd("YIJHAN", "Yi Jhan Company Limited"),
    Dvd("YUDEN", "Taiyo Yuden Company Limited"),
    Dvd("MATSUSHITA", "Matsushita Electric Industrial Co., Ltd."),
}};

uint32_t BoundOf(const CdManufacturerRecord& record) {
  return uint32_t{record.bound[0]} | uint32_t{record.bound[1]} << 8 |
         uint32_t{record.bound[2]} << 16 | uint32_t{record.bound[3]} << 24;
}

std::string_view NameOf(const CdManufacturerRecord& record) {
  return FieldText(record.name);
}
std::string_view KeyOf(const DvdManufacturerRecord& record) {
  return FieldText(record.key);
}
std::string_view NameOf(const DvdManufacturerRecord& record) {
  return FieldText(record.name);
}

}  // namespace media
