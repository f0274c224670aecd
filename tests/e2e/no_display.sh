#!/usr/bin/env bash
# Without any display the program says so in one line of its own and exits with status 1.
set -u
program="$1"
fail=0
for case in "no display at all" "a display nobody serves"; do
  if [ "$case" = "no display at all" ]; then
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1 >/dev/null); status=$?
  else
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4095 "$program" 2>&1 >/dev/null); status=$?
  fi
  expected="Vantrel needs a graphical desktop: no X11 or Wayland display could be opened."
  if [ "$status" -ne 1 ] || [ "$out" != "$expected" ]; then
    echo "FAIL ($case): status $status, said:"; echo "$out"; fail=1
  fi
done
[ "$fail" -eq 0 ] && echo "no display: the one line and status 1 in both cases"
exit "$fail"
