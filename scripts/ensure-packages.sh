# Sourced by run.sh, test.sh and bench.sh: installs the Debian packages that are missing.
# Quiet and quick when everything is already there; apt's own output is shown only when it
# fails.

# Runs apt (or another installing step) with its output kept aside, shown on failure.
apt_quietly() {
  local log status=0
  log=$(mktemp)
  "$@" > "$log" 2>&1 || status=$?
  [ "$status" -eq 0 ] || { cat "$log" >&2; echo "Failed ($status): $*" >&2; }
  rm -f "$log"
  return "$status"
}

ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} (run as root to install them)" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt_quietly apt-get update -q
  apt_quietly apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# A comma-decimal locale lets the tests prove that file numbers ignore the user's locale.
# The locales package lists de_DE.UTF-8 commented out in /etc/locale.gen; it is switched on
# there (or added, should the list be missing) and built.
ensure_comma_locale() {
  have_comma_locale && return 0
  [ "$(id -u)" -eq 0 ] || return 0
  if ! command -v locale-gen >/dev/null; then
    echo "locale-gen is missing (package locales): the tests will run without a comma locale" >&2
    return 0
  fi
  sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen 2>/dev/null || true
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'de_DE.UTF-8 UTF-8' >> /etc/locale.gen
  apt_quietly locale-gen || true
  have_comma_locale || echo "The locale de_DE.UTF-8 could not be built: the tests will run without it" >&2
}

have_comma_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'
}
