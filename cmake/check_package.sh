#!/usr/bin/env bash
# Checks what a user installs from a build directory that has been packaged
# (cmake --workflow --preset package): `cmake --install` puts the program,
# its man page, the README and the license in place; the .deb that cpack made
# holds the same files under /usr, depends on the packages of the shared
# libraries that the program links, and its program, unpacked, runs a session
# just as the transcript says.
# Usage: check_package.sh BUILD_DIR
set -euo pipefail
build=$1
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "$*"
  failed=1
}

expected_files='bin/pooled-list
share/doc/pooled-list/LICENSE
share/doc/pooled-list/README.md
share/man/man1/pooled-list.1'

cmake --install "$build" --prefix "$work/prefix" >/dev/null
installed=$(cd "$work/prefix" && find . -type f | sed 's#^\./##' | sort)
[ "$installed" = "$expected_files" ] || fail "cmake --install installed:"$'\n'"$installed"
warnings=$(man --warnings -l "$work/prefix/share/man/man1/pooled-list.1" 2>&1 >"$work/page")
[ -z "$warnings" ] || fail "the installed man page: $warnings"
grep -q '^NAME' "$work/page" || fail "the installed man page does not render"

debs=("$build"/pooled-list_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "no single .deb in $build"; exit 1; }
deb=${debs[0]}
echo "$(basename "$deb"): $(dpkg-deb -f "$deb" Package) $(dpkg-deb -f "$deb" Version)," \
  "Depends: $(dpkg-deb -f "$deb" Depends)"
packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sed 's#^\./usr/##' | sort)
[ "$packaged" = "$expected_files" ] || fail "the package holds:"$'\n'"$packaged"
dpkg-deb -x "$deb" "$work/unpacked"
# Every shared library that the program links must come from a package that
# the .deb depends on.
depends=$(dpkg-deb -f "$deb" Depends)
libraries=$(ldd "$work/unpacked/usr/bin/pooled-list" | awk '$2 == "=>" && $3 ~ /^\// { print $3 }')
[ -n "$libraries" ] || fail "found no shared library that the program links"
for library in $libraries; do
  # dpkg may know the library by its path before or after a merged /usr.
  package=$({ dpkg -S "$library" || dpkg -S "$(realpath "$library")"; } 2>/dev/null |
    head -n 1 | cut -d: -f1)
  [[ ", $depends" == *", $package "* || ", $depends," == *", $package,"* ]] ||
    fail "the program links $library from $package, which Depends ($depends) leaves out"
done

transcript=$source/console/transcripts/long_session
"$work/unpacked/usr/bin/pooled-list" <"$transcript.in" >"$work/output" ||
  fail "the unpacked program ended with status $?"
cmp -s "$work/output" "$transcript.out" || fail "the unpacked program's output differs from $transcript.out"
[ $failed = 1 ] || echo "install, man page and package as expected; the unpacked program runs"
exit $failed
