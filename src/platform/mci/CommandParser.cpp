#include "platform/mci/CommandParser.h"

#include "platform/mci/MciErrors.h"

#include <QStringList>

#include <vector>

namespace luma::mci {
namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

struct Token {
    qsizetype start;
    qsizetype end;  // one past the last character
};

std::vector<Token> tokenize(const QString& text) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
        const qsizetype start = i;
        while (i < text.size() && !isBlank(text[i])) {
            ++i;
        }
        if (i > start) {
            tokens.push_back({start, i});
        }
    }
    return tokens;
}

class Tokens {
public:
    explicit Tokens(const QString& text) : text_(text), tokens_(tokenize(text)) {}
    qsizetype size() const { return static_cast<qsizetype>(tokens_.size()); }
    QString at(qsizetype i) const {
        return text_.mid(tokens_[i].start, tokens_[i].end - tokens_[i].start);
    }
    QString lower(qsizetype i) const { return at(i).toLower(); }
    qsizetype start(qsizetype i) const { return tokens_[i].start; }
    qsizetype end(qsizetype i) const { return tokens_[i].end; }
    // The original text from token `first` to token `last`, inner blanks as sent.
    QString span(qsizetype first, qsizetype last) const {
        return text_.mid(tokens_[first].start, tokens_[last].end - tokens_[first].start);
    }

private:
    const QString& text_;
    std::vector<Token> tokens_;
};

// Takes a flag word; false when the word is none.
bool takeFlag(const QString& word, Command& c) {
    if (word == u"wait") {
        c.wait = true;
    } else if (word == u"notify") {
        c.notify = true;
    } else if (word == u"shareable") {
        c.shareable = true;
    } else {
        return false;
    }
    return true;
}

// "open" TYPE!ELEMENT [alias A] [flags], the form the music routines send: the tail is taken from
// the end, and the element is everything between the first "!" and that tail, exactly as sent, so
// a path may hold any word ("Blood Type O.wav", "a alias b.wav"), blanks, quotes or "!".
int parseOpenElement(const QString& text, const Tokens& t, Command& c) {
    qsizetype last = t.size() - 1;
    while (last >= 2 && takeFlag(t.lower(last), c)) {
        --last;
    }
    if (last >= 3 && t.lower(last - 1) == u"alias") {
        c.openAlias = t.at(last);
        last -= 2;
    } else if (last >= 2 && t.lower(last) == u"alias") {
        return kMissingParameter;
    }
    // The one blank before the tail separates it; any other blank belongs to the element.
    const qsizetype end = last + 1 < t.size() ? t.start(last + 1) - 1 : t.end(last);
    c.openTarget = text.mid(t.start(1), end - t.start(1));
    return kOk;
}

// "open" TARGET [type T] [alias A] [flags], the target being an element (a device or disc image
// path, which may hold blanks) or a device type alone. The options are taken from the end
// backwards, in any order.
int parseOpen(const QString& text, const Tokens& t, Command& c) {
    if (t.size() < 2) {
        return kMissingParameter;
    }
    if (t.at(1).indexOf(u'!') > 0) {
        return parseOpenElement(text, t, c);
    }
    bool haveAlias = false;
    bool haveType = false;
    qsizetype last = t.size() - 1;
    while (last >= 1) {
        if (takeFlag(t.lower(last), c)) {
            --last;
            continue;
        }
        // A keyword and its value, leaving at least one word for the device.
        if (last >= 3) {
            const QString keyword = t.lower(last - 1);
            if (keyword == u"alias" && !haveAlias) {
                c.openAlias = t.at(last);
                haveAlias = true;
                last -= 2;
                continue;
            }
            if (keyword == u"type" && !haveType) {
                c.openType = t.at(last);
                haveType = true;
                last -= 2;
                continue;
            }
        }
        break;
    }
    if (last < 1) {
        return kMissingParameter;
    }
    const QString tail = t.lower(last);
    if (last >= 2 && (tail == u"alias" || tail == u"type")) {
        return kMissingParameter;
    }
    c.openTarget = t.span(1, last);
    return kOk;
}

int parseTimeFormat(const QString& word, TimeFormat& format) {
    if (word == u"ms" || word == u"milliseconds") {
        format = TimeFormat::Milliseconds;
    } else if (word == u"hms") {
        format = TimeFormat::Hms;
    } else if (word == u"msf") {
        format = TimeFormat::Msf;
    } else if (word == u"tmsf") {
        format = TimeFormat::Tmsf;
    } else {
        return kBadTimeFormat;
    }
    return kOk;
}

// The words after the alias, for every verb but open.
int parseOptions(const Tokens& t, Command& c) {
    QStringList item;
    bool formatGiven = false;
    for (qsizetype i = 2; i < t.size(); ++i) {
        const QString word = t.lower(i);
        if (takeFlag(word, c)) {
            continue;
        }
        const bool hasValue = i + 1 < t.size();
        switch (c.verb) {
            case Verb::Play:
                if (word == u"from" || word == u"to") {
                    if (!hasValue) {
                        return kMissingParameter;
                    }
                    (word == u"from" ? c.from : c.to) = t.at(++i);
                    continue;
                }
                return kUnrecognizedKeyword;
            case Verb::Seek:
                if (word == u"to") {
                    if (!hasValue) {
                        return kMissingParameter;
                    }
                    c.seekTo = t.lower(++i);
                    continue;
                }
                return kUnrecognizedKeyword;
            case Verb::Set:
                if (word == u"time" && hasValue && t.lower(i + 1) == u"format") {
                    if (i + 2 >= t.size()) {
                        return kMissingParameter;
                    }
                    if (const int e = parseTimeFormat(t.lower(i + 2), c.timeFormat); e != kOk) {
                        return e;
                    }
                    formatGiven = true;
                    i += 2;
                    continue;
                }
                return kUnrecognizedKeyword;
            case Verb::Status:
                item.append(word);
                continue;
            default:
                return kUnrecognizedKeyword;
        }
    }
    if (c.verb == Verb::Seek && c.seekTo.isEmpty()) {
        return kMissingParameter;
    }
    if (c.verb == Verb::Set && !formatGiven) {
        return kMissingParameter;
    }
    if (c.verb == Verb::Status) {
        if (item.isEmpty()) {
            return kMissingParameter;
        }
        c.statusItem = item.join(u' ');
    }
    return kOk;
}

}  // namespace

ParsedCommand parseCommand(const QString& text) {
    ParsedCommand parsed;
    Command& c = parsed.command;
    const Tokens t(text);
    if (t.size() == 0) {
        parsed.error = kMissingCommandString;
        return parsed;
    }
    const QString verb = t.lower(0);
    if (verb == u"open") {
        c.verb = Verb::Open;
        parsed.error = parseOpen(text, t, c);
        return parsed;
    }
    if (verb == u"close") {
        c.verb = Verb::Close;
    } else if (verb == u"play") {
        c.verb = Verb::Play;
    } else if (verb == u"stop") {
        c.verb = Verb::Stop;
    } else if (verb == u"seek") {
        c.verb = Verb::Seek;
    } else if (verb == u"set") {
        c.verb = Verb::Set;
    } else if (verb == u"status") {
        c.verb = Verb::Status;
    } else {
        parsed.error = kUnrecognizedCommand;
        return parsed;
    }
    if (t.size() < 2) {
        parsed.error = kMissingParameter;
        return parsed;
    }
    c.device = t.at(1);
    parsed.error = parseOptions(t, c);
    return parsed;
}

}  // namespace luma::mci
