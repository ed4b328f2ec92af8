# Starts a private Xvfb and exports DISPLAY; stops it when the shell exits.
# Sourced. Never assumes a display number is free: Xvfb picks one itself.
start_xvfb() {
  local fifo
  fifo="$(mktemp -u)"; mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  if ! read -r -t 20 number <"$fifo"; then
    rm -f "$fifo"; die "Xvfb did not start"
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
  trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
  log "Xvfb on $DISPLAY"
}
