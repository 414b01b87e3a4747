#include "platform/cd/CdDisc.h"

#include "platform/cd/CdioMessages.h"

#include <QFile>

#include <cdio/cdio.h>
#include <cdio/mmc.h>
#include <cdio/mmc_ll_cmds.h>

#include <vector>

namespace luma::cd {

struct CdDisc::Handle {
    struct Destroy {
        void operator()(CdIo_t* p) const { cdio_destroy(p); }
    };
    std::unique_ptr<CdIo_t, Destroy> cdio;
};

namespace {

constexpr unsigned kReadyTimeoutMs = 2000;

CdIo_t* openImage(const std::filesystem::path& path) {
    const std::string name = path.string();
    std::string ext = path.extension().string();
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (ext == ".cue") {
        return cdio_open_cue(name.c_str());
    }
    if (ext == ".toc") {
        return cdio_open_cdrdao(name.c_str());
    }
    if (ext == ".nrg") {
        return cdio_open_nrg(name.c_str());
    }
    return cdio_open(name.c_str(), DRIVER_UNKNOWN);
}

std::optional<CdToc> readToc(CdIo_t* cdio) {
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t last = cdio_get_last_track_num(cdio);
    if (first == CDIO_INVALID_TRACK || last == CDIO_INVALID_TRACK || first > last) {
        return std::nullopt;
    }
    std::vector<CdTrack> tracks;
    for (int t = first; t <= last; ++t) {
        const lsn_t start = cdio_get_track_lsn(cdio, static_cast<track_t>(t));
        if (start == CDIO_INVALID_LSN) {
            return std::nullopt;
        }
        const bool audio =
            cdio_get_track_format(cdio, static_cast<track_t>(t)) == TRACK_FORMAT_AUDIO;
        tracks.push_back({t, start, audio});
    }
    const lsn_t leadout = cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK);
    if (leadout == CDIO_INVALID_LSN) {
        return std::nullopt;
    }
    return CdToc::make(std::move(tracks), leadout);
}

}  // namespace

CdDisc::CdDisc(QString root, Kind kind)
    : root_(std::move(root)), path_(QFile::encodeName(root_).toStdString()), kind_(kind) {}

CdDisc::~CdDisc() = default;

std::unique_ptr<CdDisc> CdDisc::open(const QString& root) {
    if (root.isEmpty()) {
        return nullptr;
    }
    routeLibcdioMessages();
    const std::filesystem::path path = QFile::encodeName(root).toStdString();
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return nullptr;
    }
    const Kind kind = std::filesystem::is_regular_file(status) ? Kind::Image : Kind::Drive;
    std::unique_ptr<CdDisc> disc(new CdDisc(root, kind));
    disc->reopen();
    return disc;
}

void CdDisc::drop() {
    handle_.reset();
    toc_.reset();
}

void CdDisc::reopen() {
    handle_.reset();
    toc_.reset();
    const std::string name = path_.string();
    CdIo_t* cdio = nullptr;
    if (kind_ == Kind::Image) {
        readStamp_ = imageStamp();
        if (!readStamp_) {
            return;
        }
        cdio = openImage(path_);
    } else {
        cdio = cdio_open(name.c_str(), DRIVER_DEVICE);
    }
    if (cdio == nullptr) {
        return;
    }
    handle_ = std::make_unique<Handle>();
    handle_->cdio.reset(cdio);
    toc_ = readToc(cdio);
}

std::optional<CdDisc::FileStamp> CdDisc::imageStamp() const {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path_, error);
    if (error) {
        return std::nullopt;
    }
    const auto size = std::filesystem::file_size(path_, error);
    if (error) {
        return std::nullopt;
    }
    return FileStamp{time, size};
}

const CdToc* CdDisc::refresh() {
    if (kind_ == Kind::Image) {
        const auto stamp = imageStamp();
        if (!stamp) {
            drop();
            readStamp_.reset();
        } else if (stamp != readStamp_) {
            // Read once per version of the file, so a broken image is not parsed every poll.
            reopen();
        }
        return toc();
    }
    if (!handle_) {
        reopen();
        return toc();
    }
    // Asking the drive first keeps an empty drive quiet: reading its contents would fail loudly.
    const int ready = mmc_test_unit_ready(handle_->cdio.get(), kReadyTimeoutMs);
    if (ready != DRIVER_OP_SUCCESS && ready != DRIVER_OP_UNSUPPORTED) {
        toc_.reset();
        return nullptr;
    }
    // Reading the changed flag clears it; a failure (unsupported) keeps what we have.
    if (!toc_ || cdio_get_media_changed(handle_->cdio.get()) > 0) {
        reopen();
    }
    return toc();
}

bool CdDisc::trayOpen() const {
    return kind_ == Kind::Drive && handle_ && mmc_get_tray_status(handle_->cdio.get()) == 1;
}

bool CdDisc::readAudio(std::int32_t sector, int count, std::uint8_t* out) {
    if (!handle_ || !toc_ || count <= 0 || sector < 0 || sector + count > toc_->leadout()) {
        return false;
    }
    return cdio_read_audio_sectors(handle_->cdio.get(), out, sector,
                                   static_cast<uint32_t>(count)) == DRIVER_OP_SUCCESS;
}

bool CdDisc::present() {
    if (kind_ == Kind::Drive || !toc_) {
        return toc_.has_value();
    }
    std::error_code error;
    return std::filesystem::exists(path_, error);
}

}  // namespace luma::cd
