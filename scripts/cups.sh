#!/usr/bin/env bash
# A private print server for running and testing the Print command:
#   cups.sh start   starts it (a second start finds it running) and prints the
#                   folder where the PDF printer's files appear
#   cups.sh stop    stops it
# Everything of it lives in $PELLITH_BUILD/cups: its configuration, spool,
# cache, state and logs, the socket named by CUPS_SERVER (scripts/wine-env.sh)
# and the PDF files. It also listens on a loopback port (written to its
# "port" file). It has one printer, "PDF" (the cups-pdf backend), which is the
# default. Finished jobs: CUPS_SERVER=... LANG=C lpstat -W completed -o
# Needs root: the cups-pdf backend runs only under a cupsd started by root.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
# Our own commands' messages stay in English and uninterpreted.
export LANG=C LC_ALL=C

dir="$PELLITH_BUILD/cups"
socket="$CUPS_SERVER"
pid_file="$dir/cupsd.pid"
pdf_folder="$dir/pdf"
# cups-pdf reads its settings only from /etc/cups, from a file named after the
# printer's device URI: one per build folder, so each build writes its own PDFs.
instance="pellith-$(printf '%s' "$dir" | cksum | cut -d' ' -f1)"
backend_conf="/etc/cups/cups-pdf-$instance.conf"

# The pid in the file, when it is still this folder's cupsd.
server_pid() {
  local pid
  pid=$(cat "$pid_file" 2>/dev/null) || return 1
  [ -n "$pid" ] && tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -qF "cupsd -f -c $dir/etc/cupsd.conf" &&
    echo "$pid"
}

running() {
  server_pid >/dev/null && lpstat -r 2>/dev/null | grep -q "scheduler is running"
}

free_port() {
  local port=$((20000 + $(printf '%s' "$dir" | cksum | cut -d' ' -f1) % 10000))
  # A port something answers on is taken: try the next one.
  while (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; do port=$((port + 1)); done
  echo "$port"
}

write_configuration() {
  local port=$1
  mkdir -p "$dir/etc/ppd" "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$pdf_folder" "$dir/cups-pdf"
  # Filters run as the user lp and read the printer's PPD from here.
  chmod 755 "$dir" "$dir/etc" "$dir/etc/ppd"
  cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
FileDevice No
Printcap $dir/printcap
CONF
  cat >"$dir/etc/cupsd.conf" <<CONF
LogLevel info
MaxLogSize 0
Listen 127.0.0.1:$port
Listen $socket
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
DefaultEncryption Never
PreserveJobHistory Yes
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  echo "$port" >"$dir/port"
  cat >"$backend_conf" <<CONF
# Written by $PELLITH_ROOT/scripts/cups.sh for the print server in $dir.
Out $pdf_folder
Spool $dir/cups-pdf
Log $dir/log
AnonDirName $pdf_folder
Grp root
UserUMask 0022
AnonUMask 0022
CONF
}

start() {
  if running; then
    echo "The print server in $dir is running (socket $socket)."
  else
    [ -x /usr/sbin/cupsd ] && [ -x /usr/lib/cups/backend/cups-pdf ] || {
      echo "CUPS or cups-pdf is missing: run scripts/install-packages.sh" >&2
      return 1
    }
    [ "$(id -u)" -eq 0 ] || { echo "The print server needs root (the cups-pdf backend runs only as root)." >&2; return 1; }
    # A Unix socket's path holds at most 107 bytes.
    [ "${#socket}" -le 107 ] || { echo "The socket path $socket is too long for a Unix socket." >&2; return 1; }
    # A server left from an earlier run that no longer answers goes first.
    stop >/dev/null
    write_configuration "$(free_port)"
    # In the foreground of a session of its own, so it outlives the caller's
    # terminal and its pid is the one to stop.
    setsid /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
      </dev/null >>"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$pid_file"
    local tries
    for tries in $(seq 100); do
      running && break
      server_pid >/dev/null || break
      sleep 0.1
    done
    if ! running; then
      echo "The print server did not start; see $dir/log/error_log and $dir/log/cupsd.out" >&2
      tail -n 20 "$dir/log/error_log" "$dir/log/cupsd.out" >&2 2>/dev/null || true
      stop >/dev/null
      return 1
    fi
    echo "Started the print server in $dir (pid $(cat "$pid_file"), socket $socket, port $(cat "$dir/port"))."
  fi
  if ! lpstat -v PDF 2>/dev/null | grep -q "cups-pdf:/$instance"; then
    lpadmin -p PDF -E -v "cups-pdf:/$instance" -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>&1 |
      grep -v -i deprecated >&2 || true
  fi
  lpadmin -d PDF
  lpstat -v PDF >/dev/null
  echo "PDF printer output: $pdf_folder"
}

stop() {
  local pid
  if pid=$(server_pid); then
    if kill "$pid" 2>/dev/null; then
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -KILL "$pid" 2>/dev/null || true
      echo "Stopped the print server in $dir."
    fi
  fi
  rm -f "$pid_file" "$socket" "$backend_conf"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
