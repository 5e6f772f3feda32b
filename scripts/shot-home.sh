# Sourced by the scripts that photograph the program: prepare_shot_home <home> [folder]
# makes a user's home of its own for the program (configuration and data folders, exported as
# HOME, XDG_CONFIG_HOME and XDG_DATA_HOME), whose settings say not to ask about the desktop's
# file types at start (the question would stand in front of the picture) and, when a folder
# is given, name it as the folder browsed last.
prepare_shot_home() {
  local home=$1 browsed=${2:-}
  mkdir -p "$home/.config/tavelin" "$home/.local/share"
  local directories=""
  if [ -n "$browsed" ]; then
    directories="    <Directories>
      <LastBrowse><![CDATA[$browsed]]></LastBrowse>
    </Directories>"
  fi
  cat > "$home/.config/tavelin/settings.xml" <<EOF
<TVL>
  <Source>Tavelin</Source>
  <Version>1.17</Version>
  <Release/>
  <UserSettings>
    <System>
      <CheckTVLReg>No</CheckTVLReg>
    </System>
$directories
  </UserSettings>
</TVL>
EOF
  export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
}
