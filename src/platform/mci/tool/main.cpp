// lumafolio-mci: sends each line of standard input to the device command interpreter, over the
// real audio engine and sound output, and prints one line per command:
//
//     <result> "<reply>"                  when the result is 0
//     <result> "<reply>" <error text>     otherwise
//
// The reply is cut at its NUL; a backslash or a double quote in it is preceded by a backslash. A
// blank line waits one second, letting sound play; a line starting with # is skipped. At the end
// of input every device is closed.
#include "platform/cd/CdioDriveList.h"
#include "platform/mci/MciErrors.h"
#include "platform/sound/SoundServices.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int kReplyLength = 256;

const char* const kUsage =
    "Usage: lumafolio-mci < commands\n"
    "Sends each line of standard input as a device command (\"open waveaudio!/tmp/a.wav alias\n"
    "sound\", \"play sound\", \"status sound position\", ...) and prints per line the result\n"
    "number, the reply in double quotes and, for a non-zero result, the error text.\n"
    "A blank line waits one second; a line starting with # is skipped.\n"
    "Sound goes to SDL's output: SDL_AUDIODRIVER=dummy or disk (with SDL_DISKAUDIOFILE) work\n"
    "without a sound card. LUMAFOLIO_SOUNDFONT chooses the soundfont for MIDI files;\n"
    "LUMAFOLIO_CD_DRIVES adds CD drives or disc images.\n";

QString quoted(const QString& reply) {
    QString text = reply.left(reply.indexOf(QChar(u'\0')));
    text.replace(u'\\', QStringLiteral("\\\\"));
    text.replace(u'"', QStringLiteral("\\\""));
    return u'"' + text + u'"';
}

void waitOneSecond() {
    QEventLoop loop;
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty()) {
        const bool help = arguments.contains(QStringLiteral("--help")) ||
                          arguments.contains(QStringLiteral("-h"));
        std::fputs(kUsage, help ? stdout : stderr);
        return help ? 0 : 2;
    }

    const luma::cd::CdioDriveList drives;
    const luma::SoundServices sound = luma::makeSystemSound(drives);
    luma::mci::MediaCommandInterpreter& interpreter = *sound.media;

    QTextStream in(stdin);
    QTextStream out(stdout);
    QString line;
    while (in.readLineInto(&line)) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            waitOneSecond();
            continue;
        }
        if (trimmed.startsWith(u'#')) {
            continue;
        }
        QString reply(kReplyLength, u' ');
        const int result = interpreter.send(line, &reply, kReplyLength);
        out << result << u' ' << quoted(reply);
        if (result != 0) {
            out << u' ' << luma::mci::errorText(result);
        }
        out << Qt::endl;
    }
    interpreter.closeAll();
    return 0;
}
