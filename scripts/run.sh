#!/usr/bin/env bash
# The run command: installs what is missing, builds the office client and the reference
# server (Release, no sanitizers), starts the server with a fresh demo inventory, points
# the client's log-in at it and opens the client. Closing the client stops the server.
#
# Arguments are handed to the client. ORV_DEMO_PORT chooses the server's port (default:
# a free one picked by the server).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

jobs=$(nproc 2>/dev/null || echo 2)
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORV_SANITIZE=OFF -DORV_BUILD_TESTS=OFF \
  >/dev/null
cmake --build "$build" -j "$jobs" --target OrvennaOC inventory-server korrimat

server="$build/server/inventory-server"
client="$build/src/app/OrvennaOC"

# A fresh demo database in the user's data folder, and the server's log beside it.
data="${XDG_DATA_HOME:-$HOME/.local/share}/orvenna-oc"
mkdir -p "$data"
database="$data/demo.db"
log="$data/inventory-server.log"
rm -f "$database" "$database-wal" "$database-shm"

"$server" --db "$database" --demo --port "${ORV_DEMO_PORT:-0}" 2>"$log" &
server_pid=$!
stop_server() {
  if kill -0 "$server_pid" 2>/dev/null; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
}
trap stop_server EXIT
trap 'exit 130' INT TERM

# The server names its port once it listens ("listening on 127.0.0.1:PORT").
port=""
for _ in $(seq 1 600); do
  port=$(sed -n 's/.*listening on [0-9.]*:\([0-9][0-9]*\).*/\1/p' "$log" | head -n 1)
  if [ -n "$port" ]; then
    break
  fi
  if ! kill -0 "$server_pid" 2>/dev/null; then
    echo "inventory-server did not start:" >&2
    cat "$log" >&2
    exit 1
  fi
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "inventory-server did not start listening; its log: $log" >&2
  exit 1
fi

# The client reads [Login] from OrvennaOC.INI beside the program, or from the user's
# configuration folder when the program's folder cannot be written. Host and Port go
# there; a saved user ID is kept, "admin" is offered otherwise.
if [ -w "$(dirname "$client")" ]; then
  ini="$(dirname "$client")/OrvennaOC.INI"
else
  ini="${XDG_CONFIG_HOME:-$HOME/.config}/OrvennaOC.INI"
  mkdir -p "$(dirname "$ini")"
fi
touch "$ini"
awk -v host="127.0.0.1" -v port="$port" '
  function put_login() {
    print "UserID=" (user == "" ? "admin" : user)
    print "Host=" host
    print "Port=" port
    done = 1
  }
  /^\[/ {
    if (in_login && !done) put_login()
    in_login = ($0 ~ /^\[Login\][ \t\r]*$/)
    if (in_login) seen = 1
    print
    next
  }
  in_login && /^(UserID|Host|Port)[ \t]*=/ {
    if ($0 ~ /^UserID[ \t]*=/) { sub(/^UserID[ \t]*=[ \t]*/, ""); sub(/\r$/, ""); user = $0 }
    next
  }
  { print }
  END {
    if (in_login && !done) put_login()
    if (!seen) { print "[Login]"; put_login() }
  }
' "$ini" >"$ini.new"
mv "$ini.new" "$ini"

# The companion audit application: DDEPath (organisation Corvane, application
# "Korrimat 4.0", group Settings) names the korrimat stand-in just built, so that New
# Audit and the editing of audits are offered.
korrimat="$build/companion/korrimat"
companion_ini="${XDG_CONFIG_HOME:-$HOME/.config}/Corvane/Korrimat 4.0.conf"
mkdir -p "$(dirname "$companion_ini")"
touch "$companion_ini"
awk -v path="$korrimat" '
  /^\[/ {
    if (in_settings && !done) { print "DDEPath=" path; done = 1 }
    in_settings = ($0 ~ /^\[Settings\][ \t\r]*$/)
    if (in_settings) seen = 1
    print
    next
  }
  in_settings && /^DDEPath[ \t]*=/ { next }
  { print }
  END {
    if (in_settings && !done) print "DDEPath=" path
    else if (!seen) { print "[Settings]"; print "DDEPath=" path }
  }
' "$companion_ini" >"$companion_ini.new"
mv "$companion_ini.new" "$companion_ini"

cat <<EOF
inventory-server (demo inventory) listens on 127.0.0.1:$port; its log: $log
Log in with File > Log In...: user ID admin, password admin.
EOF

"$client" "$@"
