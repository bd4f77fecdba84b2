#!/usr/bin/env bash
# Validates an AppStream metainfo file with appstreamcli, AppStream 0.16
# (Debian 12) or 1.0 (Debian 13), and fails on every error and warning but
# one: angoli has no homepage yet, which AppStream 1.0 warns of
# (url-homepage-missing). That one is said in a line of its own.
#
#   scripts/validate-metainfo.sh build/package/packaging/it.angoli.Angoli.metainfo.xml
set -euo pipefail
status=0
output=$(appstreamcli validate --no-net --no-color "$1" 2>&1) || status=$?
echo "$output"
[[ $status -ne 0 ]] || exit 0
if grep -q '^W: .*: url-homepage-missing' <<<"$output" &&
   ! grep -E '^[EW]: ' <<<"$output" | grep -qv ': url-homepage-missing'; then
  echo "metainfo: valid but for the homepage, which angoli does not have yet (url-homepage-missing)"
  exit 0
fi
exit "$status"
