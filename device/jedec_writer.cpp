#include "device/jedec_writer.h"

#include <algorithm>

#include "device/catalogue.h"

namespace kem {

namespace {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr std::string_view kLineEnd = "\r\n";

// Appends the cells of one L field.
template <typename CellOf>
void AddField(JedecLayout& layout, int count, CellOf cell_of) {
  layout.field_starts.push_back(static_cast<int>(layout.cells.size()));
  for (int i = 0; i < count; ++i) layout.cells.push_back(cell_of(i));
}

int MacrocellCount(const DeviceRecord& device) {
  int count = 0;
  for (const PinEntry& pin : device.pins) count = std::max(count, pin.Olmc_Index[0] + 1);
  return count;
}

std::string Padded(const char* format, unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// Names come from a file the user may have edited: "*" and the framing characters would end a
// field or the transmission early.
std::string FieldText(std::string_view text) {
  std::string clean(text);
  for (char& c : clean) {
    if (c == '*' || c == kStx || c == kEtx) c = '_';
  }
  return clean;
}

void AddLine(std::string& text, std::string_view field) {
  text += field;
  text += "*";
  text += kLineEnd;
}

}  // namespace

JedecLayout DeviceJedecLayout(int gal_type) {
  JedecLayout layout;
  if (gal_type < 0 || gal_type >= kDeviceCount) return layout;
  const DeviceRecord& device = Devices()[gal_type];
  for (int row = device.First_Row; row < device.End_Row; ++row)
    AddField(layout, device.Columns, [row](int c) { return ArrayCell(row, c); });

  const int macrocells = MacrocellCount(device);
  const int user_id_cells = 8 * device.Ues_Bytes;
  auto user_id = [](int i) { return UserIdCell(i / 8, i % 8); };
  if (gal_type == kGal16V8 || gal_type == kGal20V8) {
    const int first_row = device.First_Row;
    AddField(layout, macrocells, PolarityCell);
    AddField(layout, user_id_cells, user_id);
    AddField(layout, macrocells, ModeCell);
    AddField(layout, device.End_Row - first_row,
             [first_row](int r) { return TermEnableCell(first_row + r); });
    AddField(layout, 1, [](int) { return kSynCell; });
    AddField(layout, 1, [](int) { return kAc0Cell; });
  } else {
    AddField(layout, 2 * macrocells,
             [](int i) { return i % 2 == 0 ? PolarityCell(i / 2) : ModeCell(i / 2); });
    AddField(layout, user_id_cells, user_id);
  }
  return layout;
}

unsigned FuseChecksum(const std::string& fuses) {
  unsigned sum = 0;
  for (std::size_t word = 0; word * 8 < fuses.size(); ++word) {
    unsigned value = 0;
    for (std::size_t bit = 0; bit < 8 && word * 8 + bit < fuses.size(); ++bit) {
      if (fuses[word * 8 + bit] == '1') value |= 1u << bit;
    }
    sum = (sum + value) & 0xFFFFu;
  }
  return sum;
}

std::string JedecText(const FuseMap& map, const DesignValues& design, const PinTable& pins) {
  const JedecLayout layout = DeviceJedecLayout(design.Gal_Type);
  if (layout.cells.empty()) return {};

  std::string text(1, kStx);
  text += kLineEnd;
  AddLine(text, "CHIP " + FieldText(design.Design_Name) + " " +
                    std::string(DeviceName(design.Gal_Type)) + " " +
                    std::string(ModeName(design.Gal_Mode)));
  for (int i = pins.first_design_record(); i <= pins.count(); ++i) {
    const PinRecord& r = pins.record(i);
    AddLine(text, std::string(r.Pin_or_Node == kNode ? "N NODE " : "N PIN ") +
                      std::to_string(r.Number) + " " + FieldText(r.name));
  }

  std::string fuses;
  fuses.reserve(layout.cells.size());
  for (int cell : layout.cells) fuses += map[cell];
  AddLine(text, "QP" + std::to_string(PinCount(design.Gal_Type)));
  AddLine(text, "QF" + std::to_string(fuses.size()));
  AddLine(text, "F0");
  AddLine(text, "G0");
  for (std::size_t f = 0; f < layout.field_starts.size(); ++f) {
    const std::size_t start = layout.field_starts[f];
    const std::size_t end =
        f + 1 < layout.field_starts.size() ? layout.field_starts[f + 1] : fuses.size();
    AddLine(text,
            Padded("L%05u ", static_cast<unsigned>(start)) + fuses.substr(start, end - start));
  }
  AddLine(text, "C" + Padded("%04X", FuseChecksum(fuses)));

  text += kEtx;
  unsigned sum = 0;
  for (char c : text) sum = (sum + static_cast<unsigned char>(c)) & 0xFFFFu;
  text += Padded("%04X", sum);
  text += kLineEnd;
  return text;
}

int WriteJedec(std::FILE* jedec, const FuseMap& map, const DesignValues& design,
               const PinTable& pins) {
  const std::string text = JedecText(map, design, pins);
  if (text.empty()) return 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), jedec) == text.size();
  return written && std::fflush(jedec) == 0 ? 1 : 0;
}

}  // namespace kem
