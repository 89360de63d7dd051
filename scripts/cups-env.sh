# Sourced by scripts/test.sh and the print test: a CUPS server of the run's
# own under $BUILD_ROOT/cups, with its configuration, spool and socket
# there and one queue, "TarveloPDF", the default, that turns every job
# into $CUPS_DIR/out/job.pdf. The host's printers and /etc/cups stay as
# they are. CUPS_SERVER points every program started afterwards, Wine's
# included, at it.
#
# cups_start: starts it, or says in CUPS_UNAVAILABLE why it cannot (not
# root, no cupsd); a server this run started already is used as it is.
# cups_stop: ends the server cups_start started, and only that one.
# The filters run as the user lp, so every folder above the spool must let
# lp through; where the build folder does not (a clone under /root), the
# server lives in a folder of its own under /tmp, named to the programs
# this run starts in TARVELO_CUPS_DIR and removed with the server.
CUPS_DIR="${TARVELO_CUPS_DIR:-$BUILD_ROOT/cups}"
CUPS_QUEUE=TarveloPDF
CUPS_PDF="$CUPS_DIR/out/job.pdf"
CUPS_OWN_FOLDER=""
CUPS_PPD=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
CUPS_UNAVAILABLE=""
CUPS_STARTED_PID=""

cups_running() { [ -S "$CUPS_DIR/cups.sock" ] && CUPS_SERVER="$CUPS_DIR/cups.sock" lpstat -r >/dev/null 2>&1; }

cups_configure() {
  rm -rf "$CUPS_DIR"
  mkdir -p "$CUPS_DIR"/{spool,cache,state,log,ppd,out,tmp}
  # The filters run as lp: they write into the temporary and spool folders.
  chmod 1777 "$CUPS_DIR"/{spool,tmp,out}
  cat > "$CUPS_DIR/cupsd.conf" <<CONF
Listen $CUPS_DIR/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat > "$CUPS_DIR/cups-files.conf" <<CONF
ServerRoot $CUPS_DIR
RequestRoot $CUPS_DIR/spool
CacheDir $CUPS_DIR/cache
StateDir $CUPS_DIR/state
TempDir $CUPS_DIR/tmp
AccessLog $CUPS_DIR/log/access_log
ErrorLog $CUPS_DIR/log/error_log
PageLog $CUPS_DIR/log/page_log
FileDevice Yes
User lp
Group lp
SystemGroup root
CONF
}

cups_start() {
  if cups_running; then
    export CUPS_SERVER="$CUPS_DIR/cups.sock"
    return 0
  fi
  if [ "$(id -u)" != 0 ]; then CUPS_UNAVAILABLE="a CUPS server of its own needs root"; return 1; fi
  if [ ! -x /usr/sbin/cupsd ] || [ ! -f "$CUPS_PPD" ]; then
    CUPS_UNAVAILABLE="cupsd or the PDF driver ($CUPS_PPD) is not installed"
    return 1
  fi
  if ! runuser -u lp -- test -x "$(dirname "$CUPS_DIR")" 2>/dev/null; then
    CUPS_DIR="$(mktemp -d /tmp/tarvelo-cups.XXXXXX)"
    CUPS_OWN_FOLDER="$CUPS_DIR"
    CUPS_PDF="$CUPS_DIR/out/job.pdf"
  fi
  export TARVELO_CUPS_DIR="$CUPS_DIR"
  cups_configure
  chmod 755 "$CUPS_DIR"
  /usr/sbin/cupsd -f -c "$CUPS_DIR/cupsd.conf" -s "$CUPS_DIR/cups-files.conf" >/dev/null 2>&1 </dev/null &
  CUPS_STARTED_PID=$!
  local i
  for i in $(seq 1 200); do cups_running && break; sleep 0.05; done
  if ! cups_running; then
    CUPS_UNAVAILABLE="cupsd did not start: $(tail -n 3 "$CUPS_DIR/log/error_log" 2>/dev/null)"
    cups_stop
    return 1
  fi
  export CUPS_SERVER="$CUPS_DIR/cups.sock"
  lpadmin -p "$CUPS_QUEUE" -E -v "file://$CUPS_PDF" -P "$CUPS_PPD" >/dev/null 2>&1 &&
    lpadmin -d "$CUPS_QUEUE" >/dev/null 2>&1 || {
    CUPS_UNAVAILABLE="lpadmin could not add the queue $CUPS_QUEUE"
    cups_stop
    return 1
  }
}

cups_stop() {
  [ -n "$CUPS_STARTED_PID" ] || return 0
  kill "$CUPS_STARTED_PID" 2>/dev/null || true
  wait "$CUPS_STARTED_PID" 2>/dev/null || true
  CUPS_STARTED_PID=""
  unset CUPS_SERVER TARVELO_CUPS_DIR
  if [ -n "$CUPS_OWN_FOLDER" ]; then rm -rf "$CUPS_OWN_FOLDER"; CUPS_OWN_FOLDER=""; fi
}
