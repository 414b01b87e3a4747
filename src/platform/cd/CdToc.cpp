#include "platform/cd/CdToc.h"

#include <algorithm>

namespace luma::cd {

std::optional<CdToc> CdToc::make(std::vector<CdTrack> tracks, std::int32_t leadout) {
    if (tracks.empty() || tracks.front().number < 1 || tracks.back().number > 99 ||
        tracks.front().start < 0) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        const std::int32_t end = i + 1 < tracks.size() ? tracks[i + 1].start : leadout;
        const bool consecutive = i == 0 || tracks[i].number == tracks[i - 1].number + 1;
        if (!consecutive || tracks[i].start >= end) {
            return std::nullopt;
        }
    }
    return CdToc(std::move(tracks), leadout);
}

int CdToc::audioTrackCount() const {
    return static_cast<int>(
        std::count_if(tracks_.begin(), tracks_.end(), [](const CdTrack& t) { return t.audio; }));
}

bool CdToc::hasTrack(int number) const {
    return number >= firstTrack() && number <= lastTrack();
}

const CdTrack& CdToc::track(int number) const {
    return tracks_[static_cast<std::size_t>(number - firstTrack())];
}

std::int32_t CdToc::trackStart(int number) const {
    return track(number).start;
}

std::int32_t CdToc::trackLength(int number) const {
    const std::int32_t end = number < lastTrack() ? track(number + 1).start : leadout_;
    return end - track(number).start;
}

bool CdToc::isAudioTrack(int number) const {
    return track(number).audio;
}

int CdToc::trackAt(std::int32_t sector) const {
    // The last track starting at or before the sector.
    const auto after =
        std::upper_bound(tracks_.begin(), tracks_.end(), sector,
                         [](std::int32_t s, const CdTrack& t) { return s < t.start; });
    return after == tracks_.begin() ? firstTrack() : std::prev(after)->number;
}

bool CdToc::isAudioSector(std::int32_t sector) const {
    if (sector < discStart() || sector >= leadout_) {
        return false;
    }
    return isAudioTrack(trackAt(sector));
}

}  // namespace luma::cd
