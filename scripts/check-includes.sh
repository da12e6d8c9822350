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
#        check-includes.sh --self-test   (the check must notice a wrong include
#                                         on every floor)
if [ "$1" = "--self-test" ]; then
  self=$0 fails=0
  for wrong in 'core/x.h:rules/melds.h' 'rules/x.cpp:ai/turn.h' 'ai/x.cpp:game/game.h' \
               'ai/x.cpp:play/motion.h' 'review/x.cpp:game/game.h' 'game/x.cpp:ui/tablewidget.h' \
               'game/x.cpp:<QString>'; do
    tree=$(mktemp -d)
    file=${wrong%%:*} target=${wrong#*:}
    mkdir -p "$tree/$(dirname "$file")"
    case $target in
      '<'*) echo "#include $target" >"$tree/$file" ;;
      *) echo "#include \"$target\"" >"$tree/$file" ;;
    esac
    if sh "$self" "$tree" >/dev/null; then
      echo "not noticed: engine/$file including $target"
      fails=1
    fi
    rm -rf "$tree"
  done
  [ $fails -eq 0 ] && echo "the floors' check notices a wrong include on every floor"
  exit $fails
fi
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
