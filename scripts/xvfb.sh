# Sourced by the run and test scripts: start_private_display starts a
# private Xvfb display and exports DISPLAY; the calling script stops it with
# stop_private_display (from its own exit trap).
start_private_display() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  QUILLORA_XVFB_PID=$!
  local waited=0
  while [ ! -s "$fdfile" ] && [ $waited -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
  [ -s "$fdfile" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}
stop_private_display() {
  [ -n "${QUILLORA_XVFB_PID:-}" ] && kill "$QUILLORA_XVFB_PID" 2>/dev/null || true
}
