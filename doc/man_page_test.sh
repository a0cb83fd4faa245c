#!/usr/bin/env bash
# The man page renders without a single warning from man or groff, and its
# title line names the version that the build carries.
# Usage: man_page_test.sh PAGE VERSION
set -u
page=$1
version=$2
failed=0
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
  printf '%s\n' "$warnings"
  failed=1
fi
if ! grep '^\.TH ' "$page" | grep -q -F " \"pooled-list $version\" "; then
  echo "the title line does not name version $version:"
  grep '^\.TH' "$page"
  failed=1
fi
[ $failed = 1 ] || echo "$page renders without warnings and names version $version"
exit $failed
