# Sourced by the end-to-end scripts. Sets `here` (the checkout), starts a Wine session of its own
# unless a display is already there (the test command runs one for all tests), and on exit ends
# the program whose process id the script keeps in `program`, then that session.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
own_session=""
if [ -z "${DISPLAY:-}" ]; then
  eval "$("$here/scripts/wine-run" --session-start)"
  own_session=1
fi
program=""
finish() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  [ -n "$own_session" ] && "$here/scripts/wine-run" --session-end
  true
}
trap finish EXIT
