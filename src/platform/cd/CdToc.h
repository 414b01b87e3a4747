#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace luma::cd {

struct CdTrack {
    int number = 0;
    std::int32_t start = 0;  // first sector (index 1)
    bool audio = true;
    bool operator==(const CdTrack&) const = default;
};

// A disc's table of contents: tracks numbered consecutively, each running up to the start of the
// next one, the last up to the lead-out. Positions are sector numbers (1/75 s).
class CdToc {
public:
    // nullopt unless there is at least one track, numbers are consecutive in 1..99 and starts rise
    // strictly up to the lead-out.
    static std::optional<CdToc> make(std::vector<CdTrack> tracks, std::int32_t leadout);

    int firstTrack() const { return tracks_.front().number; }
    int lastTrack() const { return tracks_.back().number; }
    int trackCount() const { return static_cast<int>(tracks_.size()); }
    int audioTrackCount() const;
    bool hasTrack(int number) const;

    // For a track the disc has (hasTrack).
    std::int32_t trackStart(int number) const;
    std::int32_t trackLength(int number) const;
    bool isAudioTrack(int number) const;

    std::int32_t discStart() const { return tracks_.front().start; }
    std::int32_t leadout() const { return leadout_; }
    std::int32_t discLength() const { return leadout_ - discStart(); }

    // The track holding `sector`: the first track for sectors before it, the last from there on.
    int trackAt(std::int32_t sector) const;
    // True for sectors inside an audio track; lead-in and lead-out hold no music.
    bool isAudioSector(std::int32_t sector) const;

    const std::vector<CdTrack>& tracks() const { return tracks_; }
    bool operator==(const CdToc&) const = default;

private:
    CdToc(std::vector<CdTrack> tracks, std::int32_t leadout)
        : tracks_(std::move(tracks)), leadout_(leadout) {}
    const CdTrack& track(int number) const;

    std::vector<CdTrack> tracks_;
    std::int32_t leadout_ = 0;
};

}  // namespace luma::cd
