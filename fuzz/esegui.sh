#!/usr/bin/env bash
# Builds the fuzz targets with clang (the fuzz preset, in build-fuzz/) and runs the three
# side by side, each for a bounded time (20 s by default, or the seconds given) on the
# committed corpus. New inputs go to a scratch folder, never into the corpus; a crash leaves
# its input there and fails the script. Installs nothing: clang and libclang-rt-14-dev come
# from scripts/dipendenze.sh test.
# Usage: fuzz/esegui.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."

secondi="${1:-20}"
bersagli=(leggi_livelli leggi_opzioni valore_risposta)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

lavoro="$(mktemp -d)"
trap 'rm -rf "$lavoro"' EXIT
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# One process per target, all at once: the run takes the time of one target.
declare -A processi
for bersaglio in "${bersagli[@]}"; do
    mkdir -p "$lavoro/$bersaglio"
    echo "== fuzz_$bersaglio, ${secondi} s"
    build-fuzz/fuzz/fuzz_"$bersaglio" -max_total_time="$secondi" -timeout=5 -rss_limit_mb=1024 \
        -print_final_stats=1 -artifact_prefix="$lavoro/$bersaglio-" \
        "$lavoro/$bersaglio" "fuzz/corpus/$bersaglio" 2>"$lavoro/$bersaglio.log" &
    processi[$bersaglio]=$!
done

esito=0
for bersaglio in "${bersagli[@]}"; do
    if ! wait "${processi[$bersaglio]}"; then
        echo "== fuzz_$bersaglio failed"
        tail -n 60 "$lavoro/$bersaglio.log"
        for f in "$lavoro/$bersaglio"-*; do
            [ -e "$f" ] || continue
            echo "-- ingresso che fa cadere $bersaglio ($(basename "$f")):"
            od -c "$f" | head -n 20
        done
        esito=1
    else
        echo "== fuzz_$bersaglio"
        grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::new_units_added)' \
            "$lavoro/$bersaglio.log" || true
    fi
done
exit $esito
