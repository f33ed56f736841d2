#!/usr/bin/env bash
# What `cmake --install` lays out, into a temporary prefix: exactly the executable, the speech
# module, the register window's module, the menu entry, the icons and the copyright file, where a desktop and Debian look
# for them. The executable does not link the speech module and looks for it where it was
# installed. The menu entry must pass
# desktop-file-validate and name the installed executable and icon; each icon must be a PNG
# of the size its folder says; the copyright file must be in Debian's machine-readable form.
# Usage: prova_installazione.sh BUILD_FOLDER
set -euo pipefail
costruzione=$1
prefisso=$(mktemp -d)
trap 'rm -rf "$prefisso"' EXIT
errori=0
sbaglia() { echo "ERRORE: $*" >&2; errori=$((errori + 1)); }

command -v desktop-file-validate >/dev/null ||
    { echo "desktop-file-validate is missing (apt-get install desktop-file-utils)" >&2; exit 1; }

cmake --install "$costruzione" --prefix "$prefisso" >/dev/null

modulo=$(cd "$prefisso" && find . -path '*/decimetra/libdecimetra_voce.so' | sed 's|^\./||')
cartella_moduli=$(dirname "${modulo:-lib/decimetra/libdecimetra_voce.so}")
attesi="bin/decimetra
$cartella_moduli/libdecimetra_registro_modulo.so
${modulo:-lib/decimetra/libdecimetra_voce.so}
share/applications/decimetra.desktop
share/doc/decimetra/copyright
share/doc/decimetra/registro-postgresql.sql
share/icons/hicolor/128x128/apps/decimetra.png
share/icons/hicolor/256x256/apps/decimetra.png
share/icons/hicolor/64x64/apps/decimetra.png"
installati=$(cd "$prefisso" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$installati" != "$attesi" ]; then
    sbaglia "installed files differ from the expected ones:"
    diff <(echo "$attesi") <(echo "$installati") >&2 || true
fi
[ -x "$prefisso/bin/decimetra" ] || sbaglia "bin/decimetra is not executable"

if [ -n "$modulo" ]; then
    # The folder the program searches, relative to its own (see VoceQt::CartelleModulo).
    relativa=$(strings -n 6 "$prefisso/bin/decimetra" | grep -m1 -E '^/\.\./.*decimetra$' || true)
    [ -f "$prefisso/bin$relativa/libdecimetra_voce.so" ] ||
        sbaglia "the program looks for the speech module in bin$relativa, not where it is"
fi
readelf -d "$prefisso/bin/decimetra" | grep -q 'NEEDED.*libdecimetra_voce' &&
    sbaglia "the program links the speech module, which must be loaded only with speech on"
# Qt Charts only in the register window's module, loaded when the teacher opens it.
readelf -d "$prefisso/$cartella_moduli/libdecimetra_registro_modulo.so" | grep -q 'NEEDED.*Qt6Charts' ||
    sbaglia "the register module does not link Qt Charts"
readelf -d "$prefisso/bin/decimetra" | grep -q 'NEEDED.*Charts' &&
    sbaglia "the program links Qt Charts, which must be loaded only with the register window"

voce="$prefisso/share/applications/decimetra.desktop"
if [ -f "$voce" ]; then
    desktop-file-validate "$voce" || sbaglia "desktop-file-validate rejects the menu entry"
    campo() { sed -n "s/^$1=//p" "$voce"; }
    [ "$(campo Type)" = Application ] || sbaglia "Type is not Application"
    [ "$(campo Terminal)" = false ] || sbaglia "Terminal is not false"
    [[ "$(campo Categories)" == *Education\;* ]] || sbaglia "Categories lack Education"
    [ -n "$(campo Comment)" ] || sbaglia "no Comment"
    comando=$(campo Exec | cut -d' ' -f1)
    [ -x "$prefisso/bin/$comando" ] || sbaglia "Exec=$comando is not an installed executable"
    icona=$(campo Icon)
    [ -f "$prefisso/share/icons/hicolor/64x64/apps/$icona.png" ] ||
        sbaglia "Icon=$icona is not an installed icon"
fi

# The copyright file in Debian's machine-readable format, naming the licence of every file.
copyright="$prefisso/share/doc/decimetra/copyright"
if [ -f "$copyright" ]; then
    [ "$(head -n1 "$copyright")" = \
        "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
        sbaglia "the copyright file does not start with the Format line of DEP-5"
    grep -qx 'License: GPL-3+' "$copyright" || sbaglia "the copyright file names no GPL-3+ licence"
fi

for png in "$prefisso"/share/icons/hicolor/*/apps/*.png; do
    lato=$(basename "$(dirname "$(dirname "$png")")")
    # PNG signature, then the IHDR chunk: width and height as 32-bit big-endian numbers.
    firma=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    dimensioni=$(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print ($1*16777216 + $2*65536 + $3*256 + $4) "x" ($5*16777216 + $6*65536 + $7*256 + $8) }')
    [ "$firma" = 89504e470d0a1a0a ] || sbaglia "$png is not a PNG"
    [ "$dimensioni" = "$lato" ] || sbaglia "$png is $dimensioni, its folder says $lato"
done

[ "$errori" = 0 ] && echo "Installed layout as expected in $prefisso"
exit "$errori"
