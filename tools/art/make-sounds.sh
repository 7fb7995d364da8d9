#!/bin/sh
# Makes the game's sounds with espeak-ng (voice es) and sox:
#   data/sonidos/a_ver.wav, fallo.wav, 1.wav .. 12.wav
#   src/controls/sounds/default.wav
# All are 16-bit PCM, mono, 22 050 Hz (Qt's sound effect refuses 32-bit
# files). sox runs with -R (repeatable random numbers) and -D (no dither)
# so that a rerun writes identical bytes.
#
#   make-sounds.sh REPO_ROOT
set -eu
root=$(cd "$1" && pwd)
out="$root/data/sonidos"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$root/src/windows/resources"

SOX="sox -R -D -V1"
FMT="-r 22050 -c 1 -b 16 -e signed-integer"

# say FILE VARIANT PITCH SPEED TEXT: speech at 22 050 Hz, trimmed of silence.
say() {
    espeak-ng -v "es+$2" -p "$3" -s "$4" -w "$work/raw.wav" "$5"
    $SOX "$work/raw.wav" $FMT "$1" silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse
}

# note FILE SECONDS SHAPE PITCH: one short tone that dies away.
note() {
    $SOX -n $FMT "$1" synth "$2" "$3" "$4" fade l 0.005 "$2" "$2" gain -n -9
}

# sting FILE NOTE...: quick rising arpeggio, each note 0.07 s, the last rings.
sting() {
    sting_file=$1
    shift
    parts=""
    i=0
    for tone in "$@"; do
        i=$((i + 1))
        if [ $# -eq $i ]; then len=0.28; else len=0.07; fi
        note "$work/n$i.wav" $len pluck "$tone"
        parts="$parts $work/n$i.wav"
    done
    $SOX $parts $FMT "$sting_file"
}

# cheer N TEXT VARIANT PITCH SPEED NOTES...: sting, then the voice over its tail.
cheer() {
    number=$1 text=$2 variant=$3 voice_pitch=$4 speed=$5
    shift 5
    sting "$work/sting.wav" "$@"
    say "$work/voice.wav" "$variant" "$voice_pitch" "$speed" "$text"
    $SOX "$work/voice.wav" $FMT "$work/voice-late.wav" pad 0.22 0 gain -n -2
    $SOX -m -v 0.8 "$work/sting.wav" -v 1 "$work/voice-late.wav" $FMT "$out/$number.wav" \
        gain -n -1 fade t 0 0 0.03
}

cheer 1 "¡Muy bien!" m3 55 165 C5 E5 G5
cheer 2 "¡Correcto!" f2 60 160 D5 F#5 A5
cheer 3 "¡Estupendo!" m1 50 170 E5 G#5 B5
cheer 4 "¡Genial!" f3 65 160 F5 A5 C6
cheer 5 "¡Perfecto!" m7 50 165 G4 B4 D5 G5
cheer 6 "¡Fenomenal!" f4 60 170 C5 G5 C6
cheer 7 "¡Excelente!" m2 55 170 A4 C#5 E5 A5
cheer 8 "¡Fantástico!" f1 60 170 D5 A5 D6
cheer 9 "¡Bravo!" m4 60 150 E5 B5 E6
cheer 10 "¡Eso es!" f5 60 150 G5 B5 D6
cheer 11 "¡Así se hace!" m3 60 175 C5 F5 A5 C6
cheer 12 "¡Magnífico!" f2 65 170 F5 C6 F6

# "A ver...": said slowly and curiously, it must end before the look
# animation does (1.5 s).
say "$work/a_ver.wav" m3 70 105 "A ver..."
$SOX "$work/a_ver.wav" $FMT "$out/a_ver.wav" gain -n -1 fade t 0 0 0.04

# A gentle miss: two soft falling notes, no buzzer.
note "$work/m1.wav" 0.22 sine E4
note "$work/m2.wav" 0.45 sine C4
$SOX "$work/m1.wav" "$work/m2.wav" $FMT "$out/fallo.wav" lowpass 2500 gain -n -3

# The fallback for a missing sound file: one short neutral ding.
$SOX -n $FMT "$root/src/controls/sounds/default.wav" \
    synth 0.5 sine 1318.5 sine 2637 fade l 0.003 0.5 0.47 gain -n -6
