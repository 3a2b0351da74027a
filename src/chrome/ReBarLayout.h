#pragma once
// The bands at the top of the window (menu bar, tool bar, address bar, link
// bar, tab bar): their order, rows, widths and styles, and the wnds.ini
// [ReBar] record that keeps them (RBBandCount, RBBandStyle = "id,width,style"
// per band). Pure; the band widget mirrors a list of BandState.
#include <string>
#include <string_view>
#include <vector>

namespace fern {

enum BandId : int { kMenuBand = 1, kToolBand = 2, kAddressBand = 3, kLinkBand = 4, kTabBand = 5 };

// Band style bits (the low 16 bits are kept as stored).
inline constexpr int kBandBreak = 0x1;        // starts a new row
inline constexpr int kBandHidden = 0x8;       // hidden by its View-menu switch
inline constexpr int kBandNoGripper = 0x100;  // no grip: the bands are fixed
inline constexpr int kBandMaxWidth = 10000;

struct BandState {
    int id = 0;
    int width = 0;  // wanted width in pixels on a shared row; 0 = its own size
    int style = kBandBreak;
    bool operator==(const BandState&) const = default;
};
using BandList = std::vector<BandState>;

// Every band on a row of its own, in the order above.
BandList DefaultBands();
// The saved record: each whole triple with a known id that has not come
// before is taken (garbage fields cost their triple); widths are held to
// 0..kBandMaxWidth, styles to their low 16 bits; bands the record lacks
// follow in default order. Nothing usable (count <= 0, no triple): defaults.
BandList ParseBands(int count, std::string_view text);
struct BandRecord {
    int count = 0;
    std::string text;
};
BandRecord FormatBands(const BandList& bands);

// "バーを固定(&B)": the no-gripper bit of the last band.
bool BandsFixed(const BandList& bands);
void SetBandsFixed(BandList& bands, bool fixed);
bool BandHidden(const BandList& bands, int id);
void SetBandHidden(BandList& bands, int id, bool hidden);
int BandIndex(const BandList& bands, int id);  // -1 when absent

// Where a moved band goes relative to the band it is put before.
enum class BandDrop {
    NewRow,         // starts a row of its own
    AfterPrevious,  // ends the row of the band before it
    OnItsRow,       // leads the row of the band it is put before
};
// Moves band `from` to stand before band `before` (bands.size() = at the
// end). The first band always starts a row, and the band that followed
// `from` on its row takes over its break.
void MoveBand(BandList& bands, int from, int before, BandDrop drop);

}  // namespace fern
