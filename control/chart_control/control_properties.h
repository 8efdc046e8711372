// What the chart control saves and loads: every setting of the chart interfaces and of
// IChartControl as a list of tagged entries, and the byte format of that list that the
// stream, the storage and (entry by entry, under the names below) the property bag carry.
// The data records (points, marks, shapes, legend rows, grid labels) are the host's to fill
// at run time and are not saved.
//
// Stream: "CVCT", u16 format version, u16 0, u32 body length, then the body: entries of
// u16 tag, u8 plot (0 for the chart, 1..8 for a plot's own), u8 type, u32 length, payload
// (int32 and double little-endian, bool one byte 0/1, text UTF-16LE). A property added later
// is one more tag: older readers skip tags they do not know. The version changes only when an
// older reader could not read the stream right; a newer one is refused.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "control/automation.h"
#include "control/chart_control/chart_interaction.h"
#include "platform/hresult.h"

namespace corvane {

constexpr std::uint16_t kPropertyFormatVersion = 1;
constexpr std::size_t kPropertyHeaderSize = 12;
// A body longer than this is no stream of ours.
constexpr std::uint32_t kMaxPropertyBody = 1u << 20;

// STG_E_OLDDLL: written by a newer version than this one reads. STG_E_DOCFILECORRUPT: not a
// stream of the control, or damaged.
constexpr HResult kPropertiesTooNew = static_cast<HResult>(0x80030105u);
constexpr HResult kPropertiesDamaged = static_cast<HResult>(0x80030109u);

enum class PropertyType : std::uint8_t { kInt32 = 1, kDouble = 2, kBool = 3, kText = 4 };

struct SavedProperty {
  std::uint16_t tag = 0;
  std::uint8_t plot = 0;
  PropertyType type = PropertyType::kInt32;
  std::int32_t number = 0;  // kInt32, and kBool as 0/1
  double real = 0;          // kDouble
  std::u16string text;      // kText
};

// What the control keeps beside the chart: the extent a container gave it, and whether a
// preset was ever chosen (a new chart has its own colours, which no preset gives back).
struct ControlState {
  std::int32_t cx = 0, cy = 0;  // the extent, in HIMETRIC units
  bool presetSet = false;
};

// One kind of entry: its tag, its name in a property bag (a plot's own get the plot's number
// appended), its type and whether each plot has one.
struct PropertyKind {
  std::uint16_t tag;
  const char* name;
  PropertyType type;
  bool perPlot;
};
const std::vector<PropertyKind>& PropertyKinds();
const PropertyKind* FindPropertyKind(std::uint16_t tag);

// Every entry the chart, the settings and the state hold now (the preset only once one was
// set). Throws std::bad_alloc.
std::vector<SavedProperty> CaptureProperties(CorvaneAutomation& chart,
                                             const InteractionSettings& settings,
                                             const ControlState& state);
// Checks every entry first (a known tag with the wrong type, a plot outside 1..8, a setting of
// the control outside its range: kPropertiesDamaged, and nothing is changed), then applies
// them. Unknown tags are skipped. Settings the chart checks itself (plotsCount 9, an arrow
// width of 0) it drops as a script's call would be.
HResult ApplyProperties(const std::vector<SavedProperty>& entries, CorvaneAutomation& chart,
                        ChartInteraction& interaction, ControlState* state);

// The whole stream (header and body). Throws std::bad_alloc.
std::vector<std::uint8_t> EncodeProperties(const std::vector<SavedProperty>& entries);
// The header: kPropertiesDamaged unless it is ours, kPropertiesTooNew for a newer version.
HResult DecodePropertyHeader(const std::uint8_t* header, std::uint32_t* bodyLength);
// The body; kPropertiesDamaged for an entry that runs past the end or does not fit its type.
HResult DecodePropertyBody(const std::uint8_t* body, std::size_t length,
                           std::vector<SavedProperty>* entries);

}  // namespace corvane
