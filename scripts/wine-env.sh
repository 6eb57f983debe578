# Sourced by every script that runs Wine: no Mono or Gecko prompts, no menu
# entries or icons written into the Linux home, no debug noise. A caller's
# own WINEDEBUG (for a trace) is kept.
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
