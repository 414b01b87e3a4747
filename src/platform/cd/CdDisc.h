#pragma once

#include "platform/cd/CdToc.h"
#include "platform/cd/SectorReader.h"

#include <QString>

#include <filesystem>
#include <memory>
#include <optional>

namespace luma::cd {

// A drive root as libcdio sees it: a CD drive (/dev/sr0) or a disc image (.cue with its .bin,
// .toc, .nrg). The drive may be empty; refresh() looks again. One thread at a time: the device and
// each playing stream open their own CdDisc on the same root.
class CdDisc final : public SectorReader {
public:
    enum class Kind { Drive, Image };

    // nullptr when `root` names nothing at all. A drive without a disc, or an image libcdio cannot
    // read, opens with no table of contents.
    static std::unique_ptr<CdDisc> open(const QString& root);
    ~CdDisc() override;
    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;

    Kind kind() const { return kind_; }
    const QString& root() const { return root_; }

    // Looks at the drive again: a new disc (or a rewritten image) is read anew, a removed one drops
    // its contents. Returns the table of contents now, nullptr without a readable disc.
    const CdToc* refresh();
    // The table of contents as of the last open or refresh.
    const CdToc* toc() const { return toc_ ? &*toc_ : nullptr; }
    // True when a drive reports its tray open; images have no tray.
    bool trayOpen() const;

    bool readAudio(std::int32_t sector, int count, std::uint8_t* out) override;
    // A disc was read and, for an image, its file is still there.
    bool present() override;

private:
    struct Handle;
    // What an image file looked like when it was read, to notice it being rewritten.
    struct FileStamp {
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };

    CdDisc(QString root, Kind kind);
    void reopen();
    void drop();
    std::optional<FileStamp> imageStamp() const;

    QString root_;
    std::filesystem::path path_;
    Kind kind_;
    std::unique_ptr<Handle> handle_;
    std::optional<CdToc> toc_;
    std::optional<FileStamp> readStamp_;  // image as last read, whether that worked or not
};

}  // namespace luma::cd
