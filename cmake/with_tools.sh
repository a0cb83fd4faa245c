#!/usr/bin/env bash
# Runs a test's command when every tool it needs is installed. Otherwise it
# says which tool is missing and in which Debian package it comes, and exits
# with 77, which CTest reports as a skipped test.
# Usage: with_tools.sh [TOOL=PACKAGE]... -- COMMAND [ARGUMENT]...
set -u
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  tool=${1%%=*}
  package=${1#*=}
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: this test needs $tool (Debian package $package)"
    exit 77
  fi
  shift
done
shift
exec "$@"
