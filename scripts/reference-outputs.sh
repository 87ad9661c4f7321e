#!/usr/bin/env bash
# Regenerates the reference outputs of the trellis program that
# tests/app/output_reference_test.cpp compares byte for byte.
#
#   scripts/reference-outputs.sh TRELLIS PLUGIN_DIR
#
# TRELLIS is the program to take the outputs from, PLUGIN_DIR its plug-in
# folder (given to every run as --plugins). The folder of TRELLIS is put in
# front of LD_LIBRARY_PATH, so a copied program finds the SDK library beside
# it, e.g.
#
#   scripts/reference-outputs.sh build/app/trellis build/app/plugins
#
# It runs every line of tests/data/reference/runs.txt (the format is
# described at its top) in a fresh scratch folder, replaces every file in
# tests/data/reference/ but runs.txt with the new outputs, and writes the
# exit status each run gave into runs.txt, naming the runs whose status
# changed. Nothing is replaced if any run could not be carried out.
#
# Use it only when an output change is deliberate, and review the diff
# (git diff --stat tests/data/reference) before committing it: the test
# exists to show that a change of code changed no byte of output.
set -euo pipefail

if [[ $# -ne 2 ]]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
    exit 2
fi

absolute() { (cd "$(dirname "$1")" && printf '%s/%s\n' "$(pwd)" "$(basename "$1")"); }
TRELLIS=$(absolute "$1")
PLUGINS=$(cd "$2" && pwd)
SRC=$(cd "$(dirname "$0")/.." && pwd)
REF=$SRC/tests/data/reference
MANIFEST=$REF/runs.txt
[[ -x $TRELLIS ]] || { echo "reference-outputs: $1: not an executable program" >&2; exit 2; }
[[ -f $MANIFEST ]] || { echo "reference-outputs: $MANIFEST: missing" >&2; exit 2; }
export LD_LIBRARY_PATH="$(dirname "$TRELLIS")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/trellis-reference-XXXXXX")
trap 'rm -rf "$WORK"' EXIT
NEW=$WORK/reference
mkdir "$NEW"

# The outputs name the source tree, the scratch folder and the plug-in folder
# by placeholder, the longest path first so that a path inside another (a
# build folder inside the tree) keeps its own name. The test does the same.
normalise() {  # FILE OUT
    local file=$1 out=$2 pairs
    pairs=$(printf '%s\t%s\n' "${#out}" "OUT=$out" "${#PLUGINS}" "PLUGINS=$PLUGINS" "${#SRC}" "SRC=$SRC" |
        sort -t $'\t' -k1,1nr -s | cut -f2)
    while IFS= read -r pair; do
        FROM=${pair#*=} TO="@${pair%%=*}@" perl -0777 -pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/g' "$file"
    done <<<"$pairs"
}

# Keeps a stream's file only when it holds something.
keep_stream() {  # FILE DEST OUT
    if [[ -s $1 ]]; then
        normalise "$1" "$3"
        cp "$1" "$2"
    fi
}

runs=0
changed=()
declare -A seen=()
: >"$WORK/runs.txt"
while IFS= read -r line || [[ -n $line ]]; do
    if [[ $line =~ ^[[:space:]]*(#.*)?$ ]]; then
        printf '%s\n' "$line" >>"$WORK/runs.txt"
        continue
    fi
    if [[ ! $line =~ ^([A-Za-z0-9_.-]+)([[:space:]]+)([0-9]+)([[:space:]].*)?$ ]]; then
        echo "reference-outputs: $MANIFEST: not NAME STATUS ARGUMENTS...: $line" >&2
        exit 1
    fi
    name=${BASH_REMATCH[1]} gap=${BASH_REMATCH[2]} expected=${BASH_REMATCH[3]} rest=${BASH_REMATCH[4]}
    [[ -z ${seen[$name]:-} ]] || { echo "reference-outputs: run \"$name\" listed twice" >&2; exit 1; }
    seen[$name]=1

    run=$WORK/run
    rm -rf "$run"
    mkdir -p "$run/out"
    out=$run/out
    read -r -a words <<<"$rest"
    args=()
    for word in "${words[@]}"; do
        word=${word//@SRC@/$SRC}
        args+=("${word//@OUT@/$out}")
    done
    status=0
    (cd "$out" && "$TRELLIS" --plugins "$PLUGINS" "${args[@]}") >"$run/stdout" 2>"$run/stderr" || status=$?
    if ((status > 125)); then
        echo "reference-outputs: $name: the program died (status $status)" >&2
        cat "$run/stderr" >&2
        exit 1
    fi

    keep_stream "$run/stdout" "$NEW/$name.stdout.txt" "$out"
    keep_stream "$run/stderr" "$NEW/$name.stderr.txt" "$out"
    for written in "$out"/* "$out"/.[!.]*; do
        [[ -e $written || -L $written ]] || continue
        if [[ ! -f $written || -L $written ]]; then
            echo "reference-outputs: $name: left $(basename "$written"), which is not a regular file" >&2
            exit 1
        fi
        mkdir -p "$NEW/$name.files"
        normalise "$written" "$out"
        # A page's embedded scripts and styles (three.js, the viewer) are
        # not its output; the test leaves them out the same way.
        [[ $written != *.html ]] ||
            perl -0777 -pi -e 's{(<(script|style) data-asset="([^"]*)">).*?(</\2>)}{$1\[$3\]$4}gs' "$written"
        cp "$written" "$NEW/$name.files/"
    done

    [[ $status == "$expected" ]] || changed+=("$name: exit status $status, was $expected")
    printf '%s%s%s%s\n' "$name" "$gap" "$status" "$rest" >>"$WORK/runs.txt"
    runs=$((runs + 1))
done <"$MANIFEST"

find "$REF" -mindepth 1 -maxdepth 1 ! -name runs.txt -exec rm -rf {} +
cp -R "$NEW"/. "$REF"/
cp "$WORK/runs.txt" "$MANIFEST"
echo "reference-outputs: $runs runs, $(find "$REF" -type f ! -name runs.txt | wc -l) files, $(find "$REF" -type f ! -name runs.txt -exec cat {} + | wc -c) bytes in $REF"
for note in "${changed[@]+"${changed[@]}"}"; do echo "reference-outputs: $note"; done
