#!/usr/bin/env bash
# The feedback mail seen from outside. Lumvik, built to mail a server on this
# machine, runs under Wine in the display of $LUMVIK_WINE_DIR and is driven
# with the keyboard only: F6, the three fields, Send. The server receives the
# mail; Lumvik thanks and closes the form. With the server gone, the mail
# cannot go: Lumvik says so, the form stays with what was typed, and once
# the server is back, Enter sends that same text.
# feedback_mail_test.sh LUMVIK_FOR_LOCAL_MAIL.exe PROGRAM_FOLDER PORT
set -euo pipefail
exe=$1 program=$2 port=$3
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-env.sh"

shots="$(dirname "$exe")/feedback-mail-shots"
rm -rf "$shots" && mkdir -p "$shots"
shot() { import -window root "$shots/$1.png" 2>/dev/null || true; }
step=start
fail() {
  shot "failed-at-$step"
  echo "FAIL at $step: $*" >&2
  exit 1
}

work=$(mktemp -d /tmp/lumvik-feedback.XXXXXX)
server=
stop_server() {
  [ -n "$server" ] || return 0
  exec 3>&-
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  server=
}
cleanup() {
  stop_server
  "$WINE" taskkill /f /im Lumvik.exe </dev/null >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# The server listens until its standard input, our descriptor 3, closes.
start_server() {
  rm -rf "$work/mail" && mkdir "$work/mail"
  : >"$work/server.out"
  exec 3> >(exec /usr/bin/python3 "$root/help/testing/smtp_peer.py" "$work/mail" "$port" \
    >"$work/server.out" 2>&1)
  server=$!
  for _ in $(seq 100); do
    grep -q "^port $port" "$work/server.out" && return 0
    grep -q "^error" "$work/server.out" && break
    sleep 0.1
  done
  fail "the mail server did not start: $(cat "$work/server.out")"
}

# window_named TITLE: the id of a shown window of exactly that title, waited for.
window_named() {
  local title=$1 id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null); do
      echo "$id"
      return 0
    done
    sleep 0.2
  done
  fail "no window titled \"$title\" within 20 s"
}
gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  fail "the window \"$1\" is still open"
}
keys() { xdotool key --delay 60 "$@"; }
typed() { xdotool type --delay 30 "$1"; }

# Lumvik's message box has Lumvik's own name as its title; one button.
dismiss_message() {
  local box
  box=$(window_named Lumvik)
  shot "$1"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  keys Return
  gone Lumvik
}

# fill_and_send NAME MESSAGE: the form opened with F6, filled and sent with
# the keyboard: the name, Tab, the first subject, Tab, the message, Tab to
# Send, Enter.
fill_and_send() {
  keys F6
  form=$(window_named Feedback)
  xdotool windowfocus --sync "$form" 2>/dev/null || true
  typed "$1"
  keys Tab Down Tab
  typed "$2"
  keys Tab
  shot "$step-filled"
  keys Return
}

expect_mail() {
  local message=$1
  # The server writes the decoded body last.
  for _ in $(seq 100); do
    [ -s "$work/mail/body" ] && break
    sleep 0.2
  done
  [ -s "$work/mail/body" ] || fail "no mail reached the server"
  grep -q "^Subject: Question" "$work/mail/mail" || fail "subject: $(cat "$work/mail/mail")"
  # The body as a mail reader decodes it: the mail itself may cut it anywhere.
  grep -qF "$message" "$work/mail/body" || fail "no \"$message\" in: $(cat "$work/mail/body")"
}

step=server && start_server

step=lumvik
cp -r "$program" "$work/program"
cp "$exe" "$work/program/Lumvik.exe"
# Started with nothing of ours open, the server's descriptor 3 included.
(cd "$work/program" && exec setsid "$WINE" Lumvik.exe </dev/null >/dev/null 2>&1 3>&- &) \
  >/dev/null 2>&1
main=$(window_named 'Lumvik - .*')
xdotool windowfocus --sync "$main" 2>/dev/null || true

step=delivered
fill_and_send "Ada Tester" "Lists & <tags> stay whole"
expect_mail "Lists &amp; &lt;tags&gt; stay whole"
grep -qF "Ada Tester" "$work/mail/body" || fail "no name in: $(cat "$work/mail/body")"
dismiss_message delivered-thanks
gone Feedback

step=not-sent
stop_server
rm -f "$work/mail/mail"
fill_and_send "Bo Tester" "Sent on the second try"
dismiss_message not-sent-message
# The form stays, titled as before, with the send button usable again.
sleep 1
form=$(xdotool search --onlyvisible --name '^Feedback$' 2>/dev/null | head -1) ||
  fail "the form closed after the mail could not be sent"
shot not-sent-form-kept
[ ! -e "$work/mail/mail" ] || fail "a mail arrived although the server was gone"

step=sent-later
start_server
xdotool windowfocus --sync "$form" 2>/dev/null || true
keys Return
expect_mail "Sent on the second try"
grep -qF "Bo Tester" "$work/mail/body" || fail "no name in: $(cat "$work/mail/body")"
dismiss_message sent-later-thanks
gone Feedback
echo "feedback mail: delivered, refused while the server was gone, then delivered"
