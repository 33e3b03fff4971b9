# Sourced first by the tests that listen on the accessibility bus: runs the
# test again on a private session bus, with an XDG_RUNTIME_DIR of its own,
# where the accessibility bus puts its socket. Without one it would go to
# ~/.cache/at-spi/bus, which tests run side by side would share, and the
# first to end would take it from the others.
if [ -z "${SORTBARS_PRIVATE_BUS:-}" ]; then
  private_runtime=$(mktemp -d)
  private_status=0
  XDG_RUNTIME_DIR=$private_runtime SORTBARS_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@" || private_status=$?
  rm -rf "$private_runtime"
  exit "$private_status"
fi
