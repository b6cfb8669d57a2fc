#!/usr/bin/env bash
# Checks the built help file.
#
#   check-chm.sh CHM HELP_SOURCE_DIR
#     The file is a CHM archive (listed by enum_chmLib, unpacked by
#     extract_chmLib) that holds every file the project file names, the
#     contents and the index, each byte for byte the GBK form of its source;
#     its #SYSTEM names the contents, the index, the first page, the Chinese
#     title and language 0x0804; every page declares gb2312 and has its title.
#
#   check-chm.sh --wine CHM
#     Wine finds the file under its GBK name: a batch file written in GBK, as
#     the program's own texts are, asks cmd whether the file exists.
#
# Exits 0 when all is well, 1 with a message for each failure.
set -uo pipefail
export LC_ALL=C

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
need() {
  command -v "$1" >/dev/null 2>&1 && return 0
  echo "FAIL: $1 not found; install the Debian package $2 (scripts/install-packages.sh does)" >&2
  exit 1
}
gbk() { printf '%s' "$1" | iconv -f UTF-8 -t GBK; }

check_wine() {
  local chm=$1
  local wine_exec="$here/../scripts/wine-exec.sh"
  [ -f "$chm" ] || { echo "FAIL: $chm does not exist" >&2; exit 1; }
  [ -f "$wine_exec" ] || { echo "FAIL: $wine_exec not found" >&2; exit 1; }
  local full windows_path work status=0
  full="$(cd "$(dirname "$chm")" && pwd)/$(basename "$chm")"
  windows_path="Z:${full//\//\\}"
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  # cmd reads a batch file in the ANSI code page, 936 under Wine's Chinese locale.
  if ! printf '@echo off\r\nif exist "%s" exit 0\r\nexit 3\r\n' "$windows_path" |
    iconv -f UTF-8 -t GBK >"$work/probe.cmd"; then
    echo "FAIL: the path $full has characters that GBK lacks" >&2
    exit 1
  fi
  bash "$wine_exec" cmd /c "Z:${work//\//\\}\\probe.cmd" || status=$?
  if ((status == 0)); then
    echo "Wine finds $windows_path under its GBK name"
    exit 0
  fi
  echo "FAIL: Wine's cmd does not find $windows_path by its GBK name (exit $status)" >&2
  exit 1
}

# hhp_value KEY: the value of KEY= in the project file's [OPTIONS].
hhp_value() {
  sed -n '/^\[OPTIONS\]/,/^\[/p' "$project" | tr -d '\r' | sed -n "s/^$1=//p" | head -1
}

# system_records FILE: prints "code<TAB>hex of the data" for each #SYSTEM
# record: a DWORD version, then records of WORD code, WORD length and data.
system_records() {
  local hex at=8 size code length
  hex="$(od -An -v -tx1 "$1" | tr -d ' \n')"
  size=${#hex}
  while ((at + 8 <= size)); do
    code=$((16#${hex:at+2:2}${hex:at:2}))
    length=$((16#${hex:at+6:2}${hex:at+4:2}))
    at=$((at + 8))
    ((at + 2 * length <= size)) || { echo "bad"; return; }
    printf '%s\t%s\n' "$code" "${hex:at:2*length}"
    at=$((at + 2 * length))
  done
}
# NUL-terminated text as hex, the way #SYSTEM stores its strings.
text_hex() { { printf '%s' "$1"; printf '\0'; } | od -An -v -tx1 | tr -d ' \n'; }

if [ "${1:-}" = "--wine" ]; then
  [ $# -eq 2 ] || { echo "usage: $0 --wine CHM" >&2; exit 2; }
  check_wine "$2"
fi
[ $# -eq 2 ] || { echo "usage: $0 CHM HELP_SOURCE_DIR | $0 --wine CHM" >&2; exit 2; }
chm=$1
sources=$2
projects=("$sources"/*.hhp)
project=${projects[0]}
[ -f "$project" ] || { echo "FAIL: no .hhp project file in $sources" >&2; exit 1; }
need enum_chmLib libchm-bin
need extract_chmLib libchm-bin
need iconv libc-bin
need od coreutils

[ -s "$chm" ] || { echo "FAIL: $chm is missing or empty" >&2; exit 1; }
[ "$(head -c 4 "$chm")" = "ITSF" ] || { echo "FAIL: $chm does not start with the CHM signature ITSF" >&2; exit 1; }

contents_file="$(hhp_value 'Contents file')"
index_file="$(hhp_value 'Index file')"
default_topic="$(hhp_value 'Default topic')"
title="$(hhp_value 'Title')"
mapfile -t files < <(sed -n '/^\[FILES\]/,/^\[/p' "$project" | tr -d '\r' | grep -v '^\[' | grep -v '^[[:space:]]*$')
pages=()
for file in "${files[@]}"; do [[ $file == *.html ]] && pages+=("$file"); done
((${#pages[@]} > 0)) || fail "the project file names no pages"
if [ -z "$contents_file" ] || [ -z "$index_file" ] || [ -z "$default_topic" ] || [ -z "$title" ]; then
  fail "the project file lacks Contents file, Index file, Default topic or Title"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

if ! enum_chmLib "$chm" >"$work/listing" 2>&1; then
  cat "$work/listing" >&2
  echo "FAIL: enum_chmLib cannot read $chm" >&2
  exit 1
fi
listed() { awk '{print $NF}' "$work/listing" | grep -qxF "$1"; }
for entry in /#SYSTEM /#TOPICS /#URLSTR /#URLTBL /#STRINGS /#WINDOWS /\$WWKeywordLinks/BTree; do
  listed "$entry" || fail "$entry is not in the help file"
done
stored=("${files[@]}" "$contents_file" "$index_file")
for file in "${stored[@]}"; do
  listed "/$file" || fail "/$file is not in the help file"
done

if ! extract_chmLib "$chm" "$work/out" >"$work/extract.log" 2>&1; then
  cat "$work/extract.log" >&2
  echo "FAIL: extract_chmLib cannot unpack $chm" >&2
  exit 1
fi
for file in "${stored[@]}"; do
  [ -f "$work/out/$file" ] || continue
  if ! iconv -f UTF-8 -t GBK "$sources/$file" >"$work/expected" 2>/dev/null; then
    fail "$sources/$file is not UTF-8 text that GBK can hold"
  elif ! cmp -s "$work/expected" "$work/out/$file"; then
    fail "$file in the help file differs from the GBK form of $sources/$file"
  fi
done

# Every page: gb2312 declared, a title, and a place in the contents.
for page in "${pages[@]}"; do
  [ -f "$work/out/$page" ] || continue
  grep -qi 'content="text/html; charset=gb2312"' "$work/out/$page" || fail "$page does not declare charset=gb2312"
  grep -q '<title>..*</title>' "$work/out/$page" || fail "$page has no title"
  grep -qF "value=\"$page\"" "$work/out/$contents_file" 2>/dev/null || fail "$page is not in the contents $contents_file"
done
# The first page's title, as GBK bytes.
grep -qF "<title>$(gbk "$title")</title>" "$work/out/$default_topic" 2>/dev/null ||
  fail "$default_topic does not carry the title <title>$title</title> in GBK"

# #SYSTEM: 0 contents, 1 index, 2 first page, 3 title, 4 starts with the LCID.
if [ -f "$work/out/#SYSTEM" ]; then
  system_records "$work/out/#SYSTEM" >"$work/system"
else
  : >"$work/system"
fi
grep -qx 'bad' "$work/system" && fail "#SYSTEM is malformed"
system_has() {
  local code=$1 expected=$2 what=$3
  awk -F'\t' -v c="$code" '$1 == c {print $2}' "$work/system" | grep -q "^$expected" ||
    fail "#SYSTEM does not name $what"
}
system_has 0 "$(text_hex "$contents_file")" "the contents $contents_file"
system_has 1 "$(text_hex "$index_file")" "the index $index_file"
system_has 2 "$(text_hex "$default_topic")" "the first page $default_topic"
system_has 3 "$(text_hex "$(gbk "$title")")" "the title $title in GBK"
system_has 4 "04080000" "the language Chinese (PRC), 0x0804"

if ((failures)); then
  echo "$chm: $failures problem(s)" >&2
  exit 1
fi
echo "$chm: ${#pages[@]} pages, ${#files[@]} files, $contents_file, $index_file and #SYSTEM as expected"
