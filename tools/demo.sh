#!/usr/bin/env bash
# Runs a Lumafolio show on the demo pictures and music that the build made, in a settings store of
# its own. On a desktop the show appears on screen and ends with the mouse or a key, as always.
# Without a display (or with DEMO_HEADLESS=1) it runs under Xvfb for DEMO_SECONDS (20) seconds, saves
# screenshots and the sound it played, and says where they are.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
seconds=${DEMO_SECONDS:-20}
out=${DEMO_OUT:-$build/demo-out}
program="$build/lumafolio11.scr"
demo="$build/demo"

[ -x "$program" ] || { echo "demo: $program is not built; run 'make build' first" >&2; exit 1; }
[ -d "$demo/pictures" ] || { echo "demo: the demo media are missing in $demo" >&2; exit 1; }

home="$build/demo-home"
rm -rf "$home" "$out"
mkdir -p "$home/config/lumafolio" "$home/run" "$out"
chmod 700 "$home/run"

# The demo's own settings: a slideshow of every picture kind with the chime, and a playlist of a
# wave, an MP3 and a MIDI file.
cat > "$home/config/lumafolio/Lumafolio 1.1.ini" <<INI
[Settings]
Mousesens=15
Slides=1
Random%20order=0
animate=1
screensize=0
Slidesize=1
delay=3
Bsound=1
Randomplay=0
Asound=1
MusicOnly=0
MusicNow=0
AutoStartup=0
BackColors=4210752
INI

# Each list in its file beside the settings.
cat > "$home/config/lumafolio/Lumafolio 1.1 pictures.ini" <<INI
[pictures]
HowMany=4
1="$demo/pictures/morning-hills.bmp"
2="$demo/pictures/bouncing-ball.gif"
3="$demo/pictures/sunset.jpg"
4="$demo/pictures/meadow.gif"
INI

cat > "$home/config/lumafolio/Lumafolio 1.1 music.ini" <<INI
[music]
HowMany=3
1="$demo/music/sunrise.wav"
2="$demo/music/tune.mp3"
3="$demo/music/round.mid"
INI

export XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${DEMO_HEADLESS:-}" ]; then
    echo "demo: the show starts now; move the mouse or press a key to end it."
    exec "$program" /S
fi

command -v Xvfb >/dev/null || { echo "demo: Xvfb is missing; run 'make deps'" >&2; exit 1; }
fifo=$(mktemp -u); mkfifo "$fifo"
# Without -noreset the server resets whenever its last client leaves (the probe below) and drops a
# connection that arrives meanwhile: the show's, now and then.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb=$!
read -r -t 10 number <"$fifo" || { echo "demo: Xvfb did not start" >&2; kill $xvfb; exit 1; }
rm -f "$fifo"
# On a busy machine the server may name its display before it takes connections.
for ((i = 0; i < 100; i++)); do
    xdpyinfo -display ":$number" >/dev/null 2>&1 && break
    sleep 0.1
done
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$out/sound.raw"

"$program" /S 2>"$out/program.log" &
show=$!
cleanup() { kill $show 2>/dev/null || true; kill $xvfb 2>/dev/null || true; }
trap cleanup EXIT

# Screenshots half a slide's delay after each change, so that none falls on a change: the first
# slide shows with the window (its background is 64,64,64), the next every 3 seconds.
for ((i = 0; i < 100; i++)); do
    import -window root -crop 1x1+0+0 -depth 8 txt:- 2>/dev/null | grep -q '#404040' && break
    sleep 0.1
done
shots=0
started=$(date +%s%N)
for ((t = 2; t <= seconds; t += 3)); do
    wake=$((started + (t * 1000 - 500) * 1000000))
    now=$(date +%s%N)
    [ "$wake" -gt "$now" ] && sleep "$(( (wake - now) / 1000000 ))e-3"
    if ! kill -0 $show 2>/dev/null; then
        echo "demo: the show ended early; see $out/program.log" >&2
        break
    fi
    import -window root "$out/screen-$(printf %02d $t)s.png" 2>/dev/null && shots=$((shots + 1))
done
cleanup
trap - EXIT
wait $show 2>/dev/null || true

if [ -s "$out/sound.raw" ] && command -v sox >/dev/null; then
    sox -t raw -r 44100 -e floating-point -b 32 -c 2 "$out/sound.raw" "$out/sound.wav" 2>/dev/null &&
        rm -f "$out/sound.raw"
fi
echo "demo: $shots screenshots of the show are in $out"
[ -f "$out/sound.wav" ] && echo "demo: the sound it played is $out/sound.wav"
[ "$shots" -gt 0 ]
