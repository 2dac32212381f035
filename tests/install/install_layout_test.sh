#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a machine gets: the three
# programs answering --version with the project's version, the desktop entry opening
# report files by their MIME type, the icon, the AppStream metainfo, the man pages and
# the server's systemd unit. The desktop entry and metainfo are validated when the
# validators are installed.
#   install_layout_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install layout: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.orvenna.OfficeClient
desktop=$prefix/share/applications/$id.desktop
mime=$prefix/share/mime/packages/$id.xml
metainfo=$prefix/share/metainfo/$id.metainfo.xml
unit=$prefix/lib/systemd/system/orvenna-inventory-server.service
for file in "$desktop" "$mime" "$metainfo" "$unit" \
            "$prefix/share/icons/hicolor/scalable/apps/$id.svg" \
            "$prefix"/share/man/man1/{OrvennaOC,inventory-server,wiretool}.1.gz; do
  [ -s "$file" ] || fail "missing ${file#"$prefix"/}"
done
for page in "$prefix"/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "${page##*/} is not a gzip file"
done

for program in OrvennaOC inventory-server wiretool; do
  [ -x "$prefix/bin/$program" ] || fail "missing bin/$program"
  said=$("$prefix/bin/$program" --version)
  [ "$said" = "$program $version" ] || fail "$program --version says '$said'"
done
"$prefix/bin/OrvennaOC" --help | grep -q -- '-T:printrpt' || fail "OrvennaOC --help lacks the task options"

grep -qx 'Exec=OrvennaOC %f' "$desktop" || fail "the desktop entry does not pass the file"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
grep -qx 'MimeType=application/x-orvenna-tdf;' "$desktop" || fail "the desktop entry opens no report files"
grep -q '<glob pattern="\*.tdf"/>' "$mime" || fail "the MIME type does not claim *.tdf"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo names no desktop entry"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo carries another version"

grep -qx 'User=orvenna-inventory' "$unit" || fail "the server does not run as its own user"
grep -qx 'StateDirectory=orvenna-inventory-server' "$unit" || fail "the unit has no state folder"
grep -q '^ExecStart=/.*/inventory-server --db /var/lib/orvenna-inventory-server/inventory.db ' "$unit" ||
  fail "the server's database is not under /var/lib"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli rejects the metainfo"
fi
echo "install layout: ok"
