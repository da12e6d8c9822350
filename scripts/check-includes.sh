#!/bin/sh
# The engine's floors, lowest first, and what each may include:
#   core   the table and the match values, cards, random, texts: core only
#   rules  the moves on the table and the rules' questions:    core, rules
#   ai     the computer players:                               core, rules, ai
#   review a round looked back on, its decisions weighed:      core, rules, ai, review
#   game   the orchestration (Game, turns, scene, screens, records, skins,
#          saving): any engine floor, never the shell (ui/) nor Qt
# Prints every include that reaches above its floor and fails if there is one.
# Usage: check-includes.sh [engine-directory]
engine=${1:-$(dirname "$0")/../engine}
status=0
check() {  # floor, pattern of the folders it may not include
  floor=$1 forbidden=$2
  [ -d "$engine/$floor" ] || return 0
  found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]($forbidden)/" "$engine/$floor" \
    --include='*.cpp' --include='*.h')
  if [ -n "$found" ]; then
    echo "engine/$floor includes a floor above it:"
    echo "$found"
    status=1
  fi
}
check core 'rules|ai|review|game|ui|play|results|skins|panels'
check rules 'ai|review|game|ui|play|results|skins|panels'
check ai 'review|game|ui|play|results|skins|panels'
check review 'game|ui|play|results|skins|panels'
check game 'ui'
qt=$(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$engine" --include='*.cpp' --include='*.h')
if [ -n "$qt" ]; then
  echo "the engine includes Qt:"
  echo "$qt"
  status=1
fi
[ $status -eq 0 ] && echo "engine floors: every include stays on its floor or below"
exit $status
