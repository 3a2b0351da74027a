#include "chrome/ReBarLayout.h"

#include <algorithm>

#include "settings/NumberList.h"

namespace fern {

namespace {

constexpr int kDefaultOrder[] = {kMenuBand, kToolBand, kAddressBand, kLinkBand, kTabBand};

bool KnownBand(int id) {
    return std::find(std::begin(kDefaultOrder), std::end(kDefaultOrder), id) != std::end(kDefaultOrder);
}

void KeepFirstBreak(BandList& bands) {
    if (!bands.empty()) bands.front().style |= kBandBreak;
}

}  // namespace

BandList DefaultBands() {
    BandList bands;
    for (int id : kDefaultOrder) bands.push_back({id, 0, kBandBreak});
    return bands;
}

BandList ParseBands(int count, std::string_view text) {
    if (count <= 0) return DefaultBands();
    std::vector<std::optional<int>> fields = SplitNumberList(text);
    BandList bands;
    for (std::size_t i = 0; i + 2 < fields.size() && bands.size() < static_cast<std::size_t>(count); i += 3) {
        const auto& id = fields[i];
        const auto& width = fields[i + 1];
        const auto& style = fields[i + 2];
        if (!id || !width || !style || !KnownBand(*id) || BandIndex(bands, *id) >= 0) continue;
        bands.push_back({*id, std::clamp(*width, 0, kBandMaxWidth), *style & 0xFFFF});
    }
    if (bands.empty()) return DefaultBands();
    for (int id : kDefaultOrder)
        if (BandIndex(bands, id) < 0) bands.push_back({id, 0, kBandBreak});
    KeepFirstBreak(bands);
    return bands;
}

BandRecord FormatBands(const BandList& bands) {
    std::vector<int> numbers;
    for (const BandState& band : bands) {
        numbers.push_back(band.id);
        numbers.push_back(band.width);
        numbers.push_back(band.style & 0xFFFF);
    }
    return {static_cast<int>(bands.size()), JoinNumberList(numbers)};
}

bool BandsFixed(const BandList& bands) { return !bands.empty() && (bands.back().style & kBandNoGripper); }

void SetBandsFixed(BandList& bands, bool fixed) {
    for (BandState& band : bands)
        band.style = fixed ? band.style | kBandNoGripper : band.style & ~kBandNoGripper;
}

int BandIndex(const BandList& bands, int id) {
    for (std::size_t i = 0; i < bands.size(); ++i)
        if (bands[i].id == id) return static_cast<int>(i);
    return -1;
}

bool BandHidden(const BandList& bands, int id) {
    int i = BandIndex(bands, id);
    return i >= 0 && (bands[static_cast<std::size_t>(i)].style & kBandHidden);
}

void SetBandHidden(BandList& bands, int id, bool hidden) {
    int i = BandIndex(bands, id);
    if (i < 0) return;
    int& style = bands[static_cast<std::size_t>(i)].style;
    style = hidden ? style | kBandHidden : style & ~kBandHidden;
}

void MoveBand(BandList& bands, int from, int before, BandDrop drop) {
    int size = static_cast<int>(bands.size());
    if (from < 0 || from >= size || before < 0 || before > size) return;
    BandState band = bands[static_cast<std::size_t>(from)];
    // The band after it on the same row now leads that row.
    if ((band.style & kBandBreak) && from + 1 < size &&
        !(bands[static_cast<std::size_t>(from) + 1].style & kBandBreak))
        bands[static_cast<std::size_t>(from) + 1].style |= kBandBreak;
    bands.erase(bands.begin() + from);
    if (before > from) --before;
    band.style = drop == BandDrop::NewRow ? band.style | kBandBreak : band.style & ~kBandBreak;
    // Joining a row in front of its leader takes the leader's place.
    if (drop == BandDrop::OnItsRow && before < static_cast<int>(bands.size()) &&
        (bands[static_cast<std::size_t>(before)].style & kBandBreak)) {
        bands[static_cast<std::size_t>(before)].style &= ~kBandBreak;
        band.style |= kBandBreak;
    }
    bands.insert(bands.begin() + before, band);
    KeepFirstBreak(bands);
}

}  // namespace fern
