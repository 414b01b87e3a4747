#pragma once

#include <QString>
#include <QStringList>

namespace luma {

class Random;

// True when the text after the last "." of `entry` is exactly "bmp", "BMP", "jpg", "JPG", "gif" or
// "GIF". Text without a "." is no picture entry.
bool hasPictureExtension(const QString& entry);

// True when the last three characters of `entry` are exactly "mp3", "MP3", "wav", "WAV", "mid",
// "MID", " cd" or " CD"; what a playlist rebuild keeps.
bool hasMusicEnding(const QString& entry);

// The picture entries of `entries`, in their order; the slide list keeps only these on a rebuild.
QStringList pictureEntries(const QStringList& entries);

// The entries of `entries` with a music ending, in their order.
QStringList musicEntries(const QStringList& entries);

// `entries` in a random order in which every order is equally likely. The generator is reseeded
// from the clock before each draw.
QStringList shuffledEvenly(QStringList entries, Random& random);

// The playlist with its CD entries brought up to date from the disc's track texts: an entry that
// starts with "CD" and names, in the two characters after its first "[", a track that `tracks`
// holds (track n at index n - 1) takes that track's text. Every other entry stays as it is.
QStringList refreshedCdEntries(const QStringList& playlist, const QStringList& tracks);

}  // namespace luma
