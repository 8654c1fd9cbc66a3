#!/bin/sh
# Runs a test as a user who may not write everywhere: as nobody where the
# suite runs as root, who may.
if [ "$(id -u)" = 0 ]; then
    exec setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
fi
exec "$@"
