#include "music/EntryKind.h"

namespace luma {
namespace {

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ') {
        --end;
    }
    return text.left(end);
}

}  // namespace

EntryKind entryKind(const QString& entry) {
    const QString last = withoutTrailingBlanks(entry).right(3);
    if (last == u"wav" || last == u"WAV") {
        return EntryKind::Wave;
    }
    if (last == u"mid" || last == u"MID") {
        return EntryKind::Midi;
    }
    if (last == u"mp3" || last == u"MP3") {
        return EntryKind::Mp3;
    }
    if (last == u" cd" || last == u" CD") {
        return EntryKind::CdTrack;
    }
    return EntryKind::None;
}

bool endsInMp3(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.endsWith(u"MP3") || trimmed.endsWith(u"mp3");
}

}  // namespace luma
