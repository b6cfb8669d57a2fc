# Sourced: makes sure DISPLAY names a running X server, starting Xvfb when there is none.
# Sets PELLITH_XVFB_PID when it started one, so the caller can stop it again.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  PELLITH_XVFB_PID=
  for number in $(seq 90 130); do
    { [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; } && continue
    Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    PELLITH_XVFB_PID=$!
    export DISPLAY=":$number"
    for _ in $(seq 100); do
      xdpyinfo >/dev/null 2>&1 && break
      kill -0 "$PELLITH_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    if xdpyinfo >/dev/null 2>&1; then
      echo "Started Xvfb on $DISPLAY (pid $PELLITH_XVFB_PID)" >&2
      break
    fi
    # Taken by a server this user cannot see, or too slow: try the next number.
    kill "$PELLITH_XVFB_PID" 2>/dev/null || true
    PELLITH_XVFB_PID=
  done
  if [ -z "$PELLITH_XVFB_PID" ]; then
    echo "Could not start Xvfb (is the xvfb package installed?)" >&2
    unset DISPLAY
  fi
fi
